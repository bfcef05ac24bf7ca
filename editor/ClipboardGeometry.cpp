// The clipboard picture wizard's geometry and names.
#include "editor/ClipboardGeometry.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace clipboard {

namespace {

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

bool Near(int a, int b) { return std::abs(a - b) <= kHandleBand; }

} // namespace

RECT FitPicture(int width, int height, const RECT& frame)
{
    RECT shown{frame.left, frame.top, frame.left, frame.top};
    const int frameWidth = Width(frame);
    const int frameHeight = Height(frame);
    if (width <= 0 || height <= 0 || frameWidth <= 0 || frameHeight <= 0)
        return shown;
    int shownWidth;
    int shownHeight;
    // Relatively wider: width / height > frameWidth / frameHeight, compared without division.
    if (static_cast<long long>(width) * frameHeight > static_cast<long long>(frameWidth) * height) {
        shownWidth = frameWidth;
        shownHeight = static_cast<int>(std::lround(static_cast<double>(height) * frameWidth / width));
    } else {
        shownHeight = frameHeight;
        shownWidth = static_cast<int>(std::lround(static_cast<double>(width) * frameHeight / height));
    }
    shown.left = frame.left + (frameWidth - shownWidth) / 2;
    shown.top = frame.top + (frameHeight - shownHeight) / 2;
    shown.right = shown.left + shownWidth;
    shown.bottom = shown.top + shownHeight;
    return shown;
}

int HandleAt(const RECT& s, POINT p)
{
    const bool insideX = p.x >= s.left - kHandleBand && p.x <= s.right + kHandleBand;
    const bool insideY = p.y >= s.top - kHandleBand && p.y <= s.bottom + kHandleBand;
    if (!insideX || !insideY)
        return kNone;
    const bool top = Near(p.y, s.top);
    const bool bottom = !top && Near(p.y, s.bottom);
    const bool left = Near(p.x, s.left);
    const bool right = !left && Near(p.x, s.right);
    if (top && left) return kTopLeft;
    if (top && right) return kTopRight;
    if (bottom && left) return kBottomLeft;
    if (bottom && right) return kBottomRight;
    if (top) return kTop;
    if (bottom) return kBottom;
    if (left) return kLeft;
    if (right) return kRight;
    return kNone;
}

RECT DragSelection(const RECT& before, int handle, POINT d)
{
    RECT r = before;
    switch (handle) {
    case kNone: OffsetRect(&r, d.x, d.y); break;
    case kTop: r.top += d.y; break;
    case kBottom: r.bottom += d.y; break;
    case kLeft: r.left += d.x; break;
    case kRight: r.right += d.x; break;
    case kTopLeft: r.top += d.y; r.left += d.x; break;
    case kTopRight: r.top += d.y; r.right += d.x; break;
    case kBottomLeft: r.bottom += d.y; r.left += d.x; break;
    case kBottomRight: r.bottom += d.y; r.right += d.x; break;
    }
    return r;
}

bool Accepts(const RECT& s, const RECT& shown, MinimumSize minimum)
{
    return s.left >= shown.left && s.top >= shown.top && s.right <= shown.right && s.bottom <= shown.bottom &&
           Width(s) > minimum.width && Height(s) > minimum.height;
}

RECT ScaleSelection(const RECT& selection, double factor, const RECT& shown)
{
    const int width = std::min(Width(shown), static_cast<int>(std::lround(factor * Width(shown))));
    const int height = std::min(Height(shown), static_cast<int>(std::lround(factor * Height(shown))));
    RECT r{selection.left, selection.top, selection.left + width, selection.top + height};
    if (r.right > shown.right)
        OffsetRect(&r, shown.right - r.right, 0);
    if (r.bottom > shown.bottom)
        OffsetRect(&r, 0, shown.bottom - r.bottom);
    return r;
}

bool CanEnlarge(const RECT& selection, const RECT& shown)
{
    return Width(selection) < Width(shown);
}

bool CanShrink(const RECT& selection, MinimumSize minimum)
{
    return Width(selection) >= 2 * minimum.width + 10;
}

RECT MapToPicture(const RECT& selection, const RECT& shown, int width, int height)
{
    RECT mapped{};
    if (Width(shown) <= 0 || Height(shown) <= 0)
        return mapped;
    const double sx = static_cast<double>(width) / Width(shown);
    const double sy = static_cast<double>(height) / Height(shown);
    mapped.left = std::clamp(static_cast<int>(std::lround((selection.left - shown.left) * sx)), 0, width);
    mapped.top = std::clamp(static_cast<int>(std::lround((selection.top - shown.top) * sy)), 0, height);
    mapped.right = std::clamp(static_cast<int>(std::lround((selection.right - shown.left) * sx)), 0, width);
    mapped.bottom = std::clamp(static_cast<int>(std::lround((selection.bottom - shown.top) * sy)), 0, height);
    return mapped;
}

std::string ProposedName(const std::string& folder, const std::function<bool(const std::string&)>& exists)
{
    for (int n = 1;; ++n) {
        std::string name = folder + "\\" + std::to_string(n) + ".jpg";
        if (!exists(name))
            return name;
    }
}

std::string WithJpegExtension(const std::string& name)
{
    const size_t slash = name.find_last_of("\\/");
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return name + ".jpg";
    return name.substr(0, dot + 1) + "jpg";
}

std::string FileInFolder(const std::string& typed, const std::string& folder)
{
    if (typed.find_first_of("\\/:") != std::string::npos)
        return typed;
    return folder + "\\" + typed;
}

} // namespace clipboard
