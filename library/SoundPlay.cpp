// PlaySound behind its handler.
#include "library/SoundPlay.h"
#include <mmsystem.h>
#include <string>

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

bool PlayResource(int id, DWORD flags)
{
    // The textual form of an integer resource name, which FindResource understands and a handler can
    // read as text.
    const std::string name = "#" + std::to_string(id);
    flags |= SND_RESOURCE;
    if (g_play)
        return g_play(name.c_str(), flags);
    return ::PlaySoundA(name.c_str(), ::GetModuleHandleA(nullptr), flags) != FALSE;
}

void SetPlayHandler(std::function<bool(const char*, DWORD)> handler)
{
    g_play = std::move(handler);
}

} // namespace sound
