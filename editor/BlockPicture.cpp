// Pictures into the picture control of the definition dialogs.
#include "editor/BlockPicture.h"
#include "framework/Gdi.h"
#include "library/Dib.h"
#include "library/Wmf.h"
#include <algorithm>
#include <functional>

namespace blockpicture {

namespace {

// The longest side a metafile is drawn at for the preview.
constexpr int kMetafileSide = 400;

// Draws into a white screen-compatible bitmap of the size and hands it to the control.
bool TakeDrawing(PictureControl& control, int width, int height, const std::function<void(HDC, const RECT&)>& draw)
{
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = ::GetDC(nullptr);
    fw::Bitmap bitmap(::CreateCompatibleBitmap(screen, width, height));
    HDC memory = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    bool taken = false;
    if (bitmap && memory) {
        {
            fw::SelectObjectGuard selected(memory, bitmap);
            const RECT all{0, 0, width, height};
            ::FillRect(memory, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            draw(memory, all);
        }
        taken = control.SetBitmap(bitmap);
    }
    if (memory)
        ::DeleteDC(memory);
    return taken;
}

} // namespace

bool Show(PictureControl& control, const std::string& path)
{
    if (control.SetFileName(path))
        return !path.empty();
    WMF metafile;
    if (metafile.Load(path) != WMF::Loaded)
        return false;
    const int w = metafile.GetWidth();
    const int h = metafile.GetHeight();
    const double scale = static_cast<double>(kMetafileSide) / std::max(w, h);
    return TakeDrawing(control, std::max(1, static_cast<int>(w * scale)), std::max(1, static_cast<int>(h * scale)),
                       [&](HDC dc, const RECT& all) { metafile.Draw(dc, all); });
}

bool ShowDib(PictureControl& control, HGLOBAL dib)
{
    const int w = DibWidth(dib);
    const int h = DibHeight(dib);
    return TakeDrawing(control, w, h, [&](HDC dc, const RECT& all) { PaintDib(dc, all, dib, all, nullptr); });
}

} // namespace blockpicture
