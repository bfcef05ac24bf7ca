// The cursors the windows set themselves: the hourglass while a long step runs, and the sizing arrows
// over the grips of a rectangle a drag resizes.
#pragma once
#include <windows.h>

namespace fw {

// The grips of a rectangle that a drag resizes: none (a drag there moves the whole rectangle), the
// four edges and the four corners.
enum ResizeHandle {
    kNoHandle = 0, kTopEdge = 1, kBottomEdge = 2, kLeftEdge = 3, kRightEdge = 4, kTopLeft = 5, kTopRight = 6,
    kBottomLeft = 7, kBottomRight = 8
};

// The system's sizing arrows that run the way the handle moves; null for no handle.
inline HCURSOR SizingCursor(int handle)
{
    switch (handle) {
    case kTopEdge: case kBottomEdge: return ::LoadCursor(nullptr, IDC_SIZENS);
    case kLeftEdge: case kRightEdge: return ::LoadCursor(nullptr, IDC_SIZEWE);
    case kTopLeft: case kBottomRight: return ::LoadCursor(nullptr, IDC_SIZENWSE);
    case kTopRight: case kBottomLeft: return ::LoadCursor(nullptr, IDC_SIZENESW);
    default: return nullptr;
    }
}

// The previous cursor comes back when the holder goes.
class WaitCursor {
public:
    WaitCursor() : previous_(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(previous_ ? previous_ : ::LoadCursor(nullptr, IDC_ARROW)); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

} // namespace fw
