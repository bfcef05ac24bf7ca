// The document's sizes on screen and on paper.
#include "writer/DocumentMetrics.h"
#include "writer_settings/Settings.h"
#include <algorithm>

namespace document_metrics {

double ScreenFontScale(int screenWidthPixels, int pixelsPerInch)
{
    if (pixelsPerInch <= 0)
        return 1.0;
    const double screenWidthMm = screenWidthPixels * 25.4 / pixelsPerInch;
    return (pixelsPerInch / 72.0) * (screenWidthMm / 210.0);
}

int CaretGap(int fontSize)
{
    return fontSize < 15 ? 1 : 3;
}

int PictureSize(int clientWidth, int clientHeight, int perRow, int spaceWidth)
{
    perRow = std::max(1, perRow);
    const int byHeight = clientHeight - 2 * kLineGap;
    const int widthForPictures = clientWidth - (perRow + 1) * spaceWidth;
    const int byWidth = widthForPictures <= 0 ? 1 : (widthForPictures + perRow - 1) / perRow;
    return std::max(1, std::min(byHeight, byWidth));
}

int PrintPictureSize(int printableWidth, int screenPictureSize, int clientWidth)
{
    if (clientWidth <= 0)
        return 0;
    return static_cast<int>(static_cast<long long>(printableWidth) * screenPictureSize / clientWidth);
}

FontSpec DocumentFont(const Settings& settings, double factor, BYTE charset)
{
    FontSpec spec;
    spec.face = settings.fontName_;
    spec.height = static_cast<int>(-(settings.fontSize_ * factor));
    switch (settings.fontStyle_) {
    case 0:
        spec.weight = FW_NORMAL;
        break;
    case 1:
        spec.weight = FW_NORMAL;
        spec.italic = true;
        break;
    case 10:
        spec.weight = FW_BOLD;
        break;
    case 11:
        spec.weight = FW_BOLD;
        spec.italic = true;
        break;
    default:
        spec.weight = FW_DONTCARE;
        break;
    }
    spec.charset = charset;
    return spec;
}

HFONT CreateDocumentFont(const FontSpec& spec)
{
    return ::CreateFontA(spec.height, 0, 0, 0, spec.weight, spec.italic ? TRUE : FALSE, FALSE, FALSE, spec.charset,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS,
                         spec.face.c_str());
}

LayoutFrame ScreenFrame(const RECT& client, const Settings& settings, int spaceWidth)
{
    LayoutFrame frame;
    frame.area = client;
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    frame.pictureSize = PictureSize(width, height, settings.imageSize_ + 2, spaceWidth);
    frame.largePictureSize = LargePictureSize(width);
    frame.largeAllowed = settings.imageSize_ != 0;
    frame.gap = CaretGap(settings.fontSize_);
    frame.pictureGap = frame.gap;
    frame.lineGap = kLineGap;
    return frame;
}

LayoutFrame PaperFrame(const RECT& printable, const LayoutFrame& screen)
{
    LayoutFrame frame = screen;
    frame.area = printable;
    const int width = printable.right - printable.left;
    frame.pictureSize = PrintPictureSize(width, screen.pictureSize, screen.area.right - screen.area.left);
    frame.largePictureSize = LargePictureSize(width);
    frame.pictureGap = kPaperPictureGap;
    frame.wrapAgainstSpace = true;
    return frame;
}

} // namespace document_metrics
