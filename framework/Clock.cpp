// The clock and waits behind their handlers.
#include "framework/Clock.h"

namespace fw {

namespace {
std::function<DWORD()> g_tickCount;
std::function<void(DWORD)> g_wait;
} // namespace

DWORD TickCount()
{
    return g_tickCount ? g_tickCount() : ::GetTickCount();
}

void Wait(DWORD milliseconds)
{
    if (g_wait)
        g_wait(milliseconds);
    else
        ::Sleep(milliseconds);
}

void SetTickCountHandler(std::function<DWORD()> handler)
{
    g_tickCount = std::move(handler);
}

void SetWaitHandler(std::function<void(DWORD)> handler)
{
    g_wait = std::move(handler);
}

} // namespace fw
