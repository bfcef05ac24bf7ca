// PlaySound behind its handler.
#include "library/SoundPlay.h"
#include <mmsystem.h>

namespace sound {

namespace {
std::function<bool(const char*, DWORD)> g_play;
}

bool PlayFile(const char* path, DWORD flags)
{
    if (path)
        flags |= SND_FILENAME;
    if (g_play)
        return g_play(path, flags);
    return ::PlaySoundA(path, nullptr, flags) != FALSE;
}

void SetPlayHandler(std::function<bool(const char*, DWORD)> handler)
{
    g_play = std::move(handler);
}

} // namespace sound
