// Raster pictures for drawing: decoded by the picture control, shrunk to a largest size with their
// proportions kept, and handed out as packed DIBs.
#pragma once
#include "components/PictureControl.h"
#include <windows.h>
#include <string>

// The size a picture of `picture` pixels is shrunk to so that it fits inside `maximum`, keeping its
// proportions; a picture that fits already keeps its size. The ratios are single-precision and the
// results truncated; a side never drops below 1 pixel.
// A maximum with a side of 0 or less leaves the size alone.
SIZE FitPictureSize(SIZE picture, SIZE maximum);

// Decodes the picture file through the control on the background colour (under its transparent
// parts), shrinks it to fit `maximum` and returns a copy as a packed DIB that the caller owns (free
// with GlobalFree), never dimmed. Null when the file cannot be read or decoded, or memory is short.
// The control keeps the (shrunk) picture afterwards, with its dimming set to 0.
HGLOBAL LoadScaledDib(PictureControl& control, const std::string& path, COLORREF background, SIZE maximum);
