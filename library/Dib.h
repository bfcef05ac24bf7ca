// Packed DIBs: a bitmap header, its colour table and the pixel bits in one block of moveable global
// memory. The holder of the handle owns it and frees it with GlobalFree.
#pragma once
#include "components/DibLayout.h"
#include "framework/Gdi.h"
#include <windows.h>
#include <cstddef>

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
