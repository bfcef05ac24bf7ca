// The sizes of a document on screen and on paper: the font, the picture boxes and the gaps. The
// window's width stands for the width of an A4 sheet (210 mm), so a document looks the same on every
// screen. Plain rules, so they are checked without a device.
#pragma once
#include "writer/DocumentLayout.h"
#include <windows.h>
#include <string>

class Settings;

namespace document_metrics {

const int kClientRightMargin = 15; // the window's right edge is kept free of text
const int kLineGap = 5;
const int kPaperPictureGap = 5;
const SIZE kLargestPicture{1024, 768}; // pictures are decoded no larger than this

// How much larger a point is on this screen than 1/72 inch, so that the window's width is an A4 width.
double ScreenFontScale(int screenWidthPixels, int pixelsPerInch);

// The caret's width beside an item: 1 pixel for fonts below 15 points, else 3.
int CaretGap(int fontSize);

// The side of a picture's square box: the smallest s >= 1 for which a picture with the line gap above
// and below fills the height, or `perRow` pictures fill the width less a space beside each.
int PictureSize(int clientWidth, int clientHeight, int perRow, int spaceWidth);
inline int LargePictureSize(int width) { return width * 2 / 5; }
// The picture side on paper: the screen's share of the window width, of the printable width.
int PrintPictureSize(int printableWidth, int screenPictureSize, int clientWidth);

// The document font as the settings give it, `factor` device pixels to a point.
struct FontSpec {
    std::string face;
    int height = 0; // negative: a character height
    int weight = 0;
    bool italic = false;
    BYTE charset = ANSI_CHARSET;
};
FontSpec DocumentFont(const Settings& settings, double factor, BYTE charset);
HFONT CreateDocumentFont(const FontSpec& spec);

// The frame in which the items are laid out on screen and on paper.
LayoutFrame ScreenFrame(const RECT& client, const Settings& settings, int spaceWidth);
LayoutFrame PaperFrame(const RECT& printable, const LayoutFrame& screen);

} // namespace document_metrics
