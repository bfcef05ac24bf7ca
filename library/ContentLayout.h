// Where the parts of a drawn content object go inside its box: the label band and its font height,
// the picture fitted with its proportions kept, the black caption band of a library picture, and
// the area the cross spans. Plain geometry, so it is checked without a device context.
#pragma once
#include <windows.h>
#include <cstddef>
#include <functional>

namespace content_layout {

// The label's font height over a box `width` wide, by the label's length in characters: long labels
// get a smaller font. 0 or less for a box too narrow for any text.
int LabelFontHeight(std::size_t length, int width);

// The width and height of a picture fitted into a box of the given size with its proportions kept
// (one side takes the box's, the other follows the ratio, truncated). Either may come out 0 for a
// very long, thin picture.
SIZE FitSize(SIZE box, SIZE picture);

// The picture fitted into the box with its proportions kept, centred across; down the box it is
// centred or stands on the bottom. Empty when the box or the picture is.
RECT FitPicture(const RECT& box, SIZE picture, bool centreVertically);

// The height of the black caption band over the top of a library picture drawn into `picture`.
int LibraryBandHeight(const RECT& picture);

// Shrinks the font by 2 while the text measured at that height is wider than `width`. It stops at
// the smallest height the system draws as asked (a height of 0 means "the default size" and a
// negative one counts differently, so a text that never fits would otherwise go on for ever); the
// text is then clipped to its band. A height below 1 is returned as it stands.
int ShrinkLabelFont(int height, int width, const std::function<int(int height)>& measureWidth);

struct Layout {
    RECT label{};          // where the label is written; empty for none
    int fontHeight = 0;    // the label's font height before it is shrunk to fit across
    RECT picture{};        // where the picture is drawn; empty for none
    RECT libraryBand{};    // the black band over a library picture; empty for none
    RECT crossArea{};      // the area the cross of crossed content spans
};

struct LayoutInput {
    std::size_t labelLength = 0; // 0: no label to show
    bool libraryPicture = false;
    SIZE picture{0, 0};          // the loaded picture's size; 0 x 0 when none is loaded
    bool centreVertically = false;
};

// The layout of an object in a non-empty box. The label band takes the top of the box and never
// more than the box; the picture gets what is below it. A library picture writes its label in its
// own black band instead, and when it has no picture to draw it is laid out as any other object,
// so its label still shows. The cross spans the part below the label band, or the whole box when
// the band has taken all of it.
Layout LayOut(const RECT& box, const LayoutInput& input);

} // namespace content_layout
