// Decoding and shrinking raster pictures for drawing.
#include "library/PictureLoad.h"
#include "library/ContentLayout.h"
#include <algorithm>

SIZE FitPictureSize(SIZE picture, SIZE maximum)
{
    if (maximum.cx <= 0 || maximum.cy <= 0 || picture.cx <= 0 || picture.cy <= 0)
        return picture;
    if (picture.cx <= maximum.cx && picture.cy <= maximum.cy)
        return picture;
    const SIZE fitted = content_layout::FitSize(maximum, picture);
    // A very long, thin picture would otherwise shrink to nothing and vanish.
    return SIZE{std::max<LONG>(fitted.cx, 1), std::max<LONG>(fitted.cy, 1)};
}

HGLOBAL LoadScaledDib(PictureControl& control, const std::string& path, COLORREF background, SIZE maximum)
{
    control.SetBackColor(background);
    // A control shared with the block editor may still be set to dim.
    control.SetDimming(0);
    if (path.empty() || !control.SetFileName(path))
        return nullptr;
    const SIZE size{control.Width(), control.Height()};
    const SIZE fitted = FitPictureSize(size, maximum);
    if ((fitted.cx != size.cx || fitted.cy != size.cy) && !control.Resize(fitted.cx, fitted.cy))
        return nullptr;
    return control.CopyDib();
}
