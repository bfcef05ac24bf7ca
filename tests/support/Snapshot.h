// Pictures of windows for a person to look at: RZ_SCREENSHOTS names a folder, and each snapshot
// saves the window as it stands on the screen there; nothing happens without it.
#pragma once
#include <windows.h>
#include <string>

namespace testsupport {

// Saves "<RZ_SCREENSHOTS>\<name>.bmp" (24-bit) after the window has painted itself.
void Snapshot(HWND window, const std::string& name);

} // namespace testsupport
