// A plain top-level window for tests that host a program's child windows as its main window would.
#pragma once
#include <windows.h>

namespace testsupport {

// A top-level window, not yet shown, with a caption, a frame and the dialog colour, of a class whose
// procedure is the default one (a host may subclass it). The caller destroys it.
HWND CreateHostWindow(const char* caption, int width, int height);

} // namespace testsupport
