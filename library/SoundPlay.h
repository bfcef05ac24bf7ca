// PlaySound behind a replaceable handler, so tests can see what was played and stopped.
#pragma once
#include <windows.h>
#include <functional>

namespace sound {

// Plays (or, with a null path, stops) a sound as PlaySound does with SND_FILENAME added to flags
// when a path is given; false when the system refused.
bool PlayFile(const char* path, DWORD flags);

// Plays a sound resource of the program's own file, named "#<id>", with SND_RESOURCE added to flags;
// the handler sees that name and those flags.
bool PlayResource(int id, DWORD flags);

// An empty handler restores PlaySound.
void SetPlayHandler(std::function<bool(const char* path, DWORD flags)> handler);

} // namespace sound
