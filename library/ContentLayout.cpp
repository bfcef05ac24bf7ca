// The geometry of a drawn content object.
#include "library/ContentLayout.h"
#include <algorithm>

namespace content_layout {

namespace {

bool IsEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// The x87 unit of a 32-bit build keeps intermediate results in extended precision, which moves a
// truncated result at an exact boundary (200 x 0.15 becomes 29). Passing a value through memory
// rounds it to its own type, so each step comes out as at plain float or double precision.
template <class T>
T Rounded(T value)
{
    volatile T stored = value;
    return stored;
}

} // namespace

// The quotient is taken to single precision before it is scaled, as the programs always did, so
// the heights match theirs to the pixel.
int LabelFontHeight(std::size_t length, int width)
{
    if (length <= 20)
        return static_cast<int>(Rounded(Rounded(static_cast<float>(width / 15.0)) * 1.6));
    if (length <= 30)
        return static_cast<int>(Rounded(Rounded(static_cast<float>(width / 20.0)) * 1.5));
    return static_cast<int>(Rounded(Rounded(static_cast<float>(width / 20.0)) * 1.2));
}

SIZE FitSize(SIZE box, SIZE picture)
{
    int width = box.cx, height = box.cy;
    const float boxRatio = Rounded(static_cast<float>(box.cx) / static_cast<float>(box.cy));
    const float pictureRatio = Rounded(static_cast<float>(picture.cx) / static_cast<float>(picture.cy));
    if (boxRatio < pictureRatio)
        height = static_cast<int>(Rounded(static_cast<float>(box.cx) / pictureRatio));
    else if (boxRatio > pictureRatio)
        width = static_cast<int>(Rounded(static_cast<float>(box.cy) * pictureRatio));
    return SIZE{width, height};
}

RECT FitPicture(const RECT& box, SIZE picture, bool centreVertically)
{
    const int boxWidth = box.right - box.left, boxHeight = box.bottom - box.top;
    if (boxWidth <= 0 || boxHeight <= 0 || picture.cx <= 0 || picture.cy <= 0)
        return RECT{};
    const SIZE fitted = FitSize(SIZE{boxWidth, boxHeight}, picture);
    const int width = fitted.cx, height = fitted.cy;

    RECT placed;
    const int across = boxWidth - width;
    placed.left = box.left + across / 2;
    placed.right = box.right - across + across / 2;
    if (centreVertically) {
        const int down = boxHeight - height;
        placed.top = box.top + down / 2;
        placed.bottom = box.bottom - down + down / 2;
    } else {
        placed.bottom = box.bottom;
        placed.top = box.bottom - height;
    }
    return IsEmpty(placed) ? RECT{} : placed;
}

int LibraryBandHeight(const RECT& picture)
{
    return static_cast<int>(Rounded((picture.bottom - picture.top) * 0.15));
}

int ShrinkLabelFont(int height, int width, const std::function<int(int height)>& measureWidth)
{
    const int smallest = 1;
    while (height - 2 >= smallest && measureWidth(height) > width)
        height -= 2;
    return height;
}

Layout LayOut(const RECT& box, const LayoutInput& input)
{
    Layout layout;
    const bool hasPicture = input.picture.cx > 0 && input.picture.cy > 0;
    if (input.libraryPicture && hasPicture) {
        const RECT picture = FitPicture(box, input.picture, input.centreVertically);
        if (!IsEmpty(picture)) {
            layout.picture = picture;
            const int band = LibraryBandHeight(picture);
            if (band > 0)
                layout.libraryBand = RECT{picture.left, picture.top, picture.right, picture.top + band};
            if (input.labelLength > 0) {
                layout.label = RECT{picture.left, picture.top, picture.right, picture.top + band + 2};
                layout.fontHeight = band;
            }
            layout.crossArea = box;
            return layout;
        }
    }

    RECT rest = box;
    if (input.labelLength > 0) {
        int height = LabelFontHeight(input.labelLength, box.right - box.left);
        // A flat, wide box cannot hold the band the width asks for: the band keeps to the box and
        // the font to the band, rather than pushing the picture out above or below the box.
        const int band = std::min(height + 2, static_cast<int>(box.bottom - box.top));
        height = std::min(height, band - 2);
        layout.label = RECT{box.left, box.top, box.right, box.top + band};
        layout.fontHeight = height;
        rest.top = box.top + band;
    }
    if (hasPicture)
        layout.picture = FitPicture(rest, input.picture, input.centreVertically);
    layout.crossArea = IsEmpty(rest) ? box : rest;
    return layout;
}

} // namespace content_layout
