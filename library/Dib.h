// Packed DIBs: a bitmap header, its colour table and the pixel bits in one block of moveable global
// memory. The holder of the handle owns it and frees it with GlobalFree.
#pragma once
#include "framework/Gdi.h"
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
// cannot paint or that does not fit in the bytes: a damaged or hostile header never leads to a read
// outside them. paletteIndexes: the colour table holds 16-bit palette indexes (DIB_PAL_COLORS).
bool ExamineDibHeader(const void* header, size_t size, DibLayout& layout, bool paletteIndexes = false);
// As ExamineDibHeader, and the bits must follow in the same `size` bytes too.
bool ExamineDib(const void* dib, size_t size, DibLayout& layout);

// Paints the source rectangle of the DIB (picture pixels, top row 0) into the destination rectangle,
// stretching when their sizes differ; a palette is selected as a background palette meanwhile.
// Returns the number of scan lines drawn: 0 for a null handle or a DIB that fails the checks.
int PaintDib(HDC dc, const RECT& destination, HGLOBAL dib, const RECT& source, HPALETTE palette);

// Builds a palette from the DIB's colour table; false (palette untouched) when it has none.
bool CreateDibPalette(HGLOBAL dib, fw::Palette& palette);

// The picture's width and height in pixels (the height positive also for a top-down DIB); the
// number of colour-table entries and their size in bytes. 0 for a null handle or a failing DIB.
int DibWidth(HGLOBAL dib);
int DibHeight(HGLOBAL dib);
int DibNumColors(HGLOBAL dib);
size_t DibPaletteSize(HGLOBAL dib);
// The pixel bits of a locked packed DIB of `size` bytes; null when it fails the checks.
const void* FindDibBits(const void* dib, size_t size);

// A new moveable, zeroed block with the same bytes; null for a null handle or when memory is short.
HGLOBAL CopyDibHandle(HGLOBAL dib);
