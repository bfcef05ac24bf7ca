// The clipboard picture wizard's geometry and names.
#include "editor/ClipboardGeometry.h"
#include "framework/Gdi.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace clipboard {

namespace {

bool Near(int a, int b) { return std::abs(a - b) <= kHandleBand; }

} // namespace

RECT FitPicture(int width, int height, const RECT& frame)
{
    RECT shown{frame.left, frame.top, frame.left, frame.top};
    const int frameWidth = fw::Width(frame);
    const int frameHeight = fw::Height(frame);
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
        return fw::kNoHandle;
    const bool top = Near(p.y, s.top);
    const bool bottom = !top && Near(p.y, s.bottom);
    const bool left = Near(p.x, s.left);
    const bool right = !left && Near(p.x, s.right);
    if (top && left) return fw::kTopLeft;
    if (top && right) return fw::kTopRight;
    if (bottom && left) return fw::kBottomLeft;
    if (bottom && right) return fw::kBottomRight;
    if (top) return fw::kTopEdge;
    if (bottom) return fw::kBottomEdge;
    if (left) return fw::kLeftEdge;
    if (right) return fw::kRightEdge;
    return fw::kNoHandle;
}

RECT DragSelection(const RECT& before, int handle, POINT d)
{
    RECT r = before;
    switch (handle) {
    case fw::kNoHandle: OffsetRect(&r, d.x, d.y); break;
    case fw::kTopEdge: r.top += d.y; break;
    case fw::kBottomEdge: r.bottom += d.y; break;
    case fw::kLeftEdge: r.left += d.x; break;
    case fw::kRightEdge: r.right += d.x; break;
    case fw::kTopLeft: r.top += d.y; r.left += d.x; break;
    case fw::kTopRight: r.top += d.y; r.right += d.x; break;
    case fw::kBottomLeft: r.bottom += d.y; r.left += d.x; break;
    case fw::kBottomRight: r.bottom += d.y; r.right += d.x; break;
    }
    return r;
}

bool Accepts(const RECT& s, const RECT& shown, MinimumSize minimum)
{
    return s.left >= shown.left && s.top >= shown.top && s.right <= shown.right && s.bottom <= shown.bottom &&
           fw::Width(s) > minimum.width && fw::Height(s) > minimum.height;
}

RECT ScaleSelection(const RECT& selection, double factor, const RECT& shown)
{
    const int width = std::min(fw::Width(shown), static_cast<int>(std::lround(factor * fw::Width(shown))));
    const int height = std::min(fw::Height(shown), static_cast<int>(std::lround(factor * fw::Height(shown))));
    RECT r{selection.left, selection.top, selection.left + width, selection.top + height};
    if (r.right > shown.right)
        OffsetRect(&r, shown.right - r.right, 0);
    if (r.bottom > shown.bottom)
        OffsetRect(&r, 0, shown.bottom - r.bottom);
    return r;
}

bool CanEnlarge(const RECT& selection, const RECT& shown)
{
    return fw::Width(selection) < fw::Width(shown);
}

bool CanShrink(const RECT& selection, MinimumSize minimum)
{
    return fw::Width(selection) >= 2 * minimum.width + 10;
}

RECT MapToPicture(const RECT& selection, const RECT& shown, int width, int height)
{
    RECT mapped{};
    if (fw::Width(shown) <= 0 || fw::Height(shown) <= 0)
        return mapped;
    const double sx = static_cast<double>(width) / fw::Width(shown);
    const double sy = static_cast<double>(height) / fw::Height(shown);
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
    const bool rooted = !typed.empty() && (typed[0] == '\\' || typed[0] == '/');
    if (rooted || typed.find(':') != std::string::npos)
        return WithJpegExtension(typed);
    return WithJpegExtension(folder + "\\" + typed);
}

} // namespace clipboard
