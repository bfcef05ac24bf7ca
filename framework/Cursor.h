// The hourglass while a long step runs; the previous cursor comes back when the holder goes.
#pragma once
#include <windows.h>

namespace fw {

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
