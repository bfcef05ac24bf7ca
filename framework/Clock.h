// The time and the waits of the programs, behind replaceable handlers so tests never wait real time.
#pragma once
#include <windows.h>
#include <functional>

namespace fw {

// Milliseconds since an arbitrary start, like GetTickCount.
DWORD TickCount();
// Blocks the calling thread, like Sleep.
void Wait(DWORD milliseconds);

// Empty handlers restore the system's clock and Sleep.
void SetTickCountHandler(std::function<DWORD()> handler);
void SetWaitHandler(std::function<void(DWORD)> handler);

} // namespace fw
