// A plain top-level window for tests.
#include "support/HostWindow.h"

namespace testsupport {

namespace {

const char kHostClass[] = "RzTestHost";

void RegisterHostClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kHostClass;
    ::RegisterClassA(&windowClass);
    registered = true;
}

} // namespace

HWND CreateHostWindow(const char* caption, int width, int height)
{
    RegisterHostClass();
    return ::CreateWindowExA(0, kHostClass, caption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width, height,
                             nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

} // namespace testsupport
