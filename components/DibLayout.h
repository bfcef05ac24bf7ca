// The layout of a DIB header, checked against the bytes that hold it: shared by the picture
// control (BMP files) and the library's packed-DIB functions.
#pragma once
#include <windows.h>
#include <cstddef>

// What a DIB header says, checked against the bytes that hold it.
struct DibLayout {
    DWORD headerSize = 0;   // 12 (core form) or 40, 52, 56, 108, 124 (Windows forms)
    bool core = false;
    int width = 0;
    int height = 0;         // always positive; topDown tells the row order
    bool topDown = false;
    int bitCount = 0;
    DWORD compression = BI_RGB;
    DWORD colours = 0;      // entries in the colour table
    DWORD entrySize = 4;    // bytes a colour table entry: 4, 3 in the core form, 2 for palette indexes
    size_t maskSize = 0;    // the three bit-field masks that follow a 40-byte header
    size_t bitsOffset = 0;  // where the bits start in a packed DIB, from the header's start
    size_t bitsSize = 0;    // bytes of pixel bits the header asks for
};

// Checks a header and its colour table held in `size` bytes (the masks and colour table included)
// and works out the layout. False for a header size, depth, compression or colour count that GDI
// cannot paint or that does not fit in the bytes, and for run-length bits that claim more than
// 16384 pixels a side or 4096 x 4096 in all: a damaged or hostile header never leads to a read
// outside them, nor to a decoder busy with a size no file backs. paletteIndexes: the colour table holds 16-bit palette indexes (DIB_PAL_COLORS).
bool ExamineDibHeader(const void* header, size_t size, DibLayout& layout, bool paletteIndexes = false);
// As ExamineDibHeader, and the bits must follow in the same `size` bytes too.
bool ExamineDib(const void* dib, size_t size, DibLayout& layout);
