// Checks the records of a metafile before the system plays it: the players trust the counts, offsets
// and object indexes inside the records, so a damaged or hostile file must be refused first. Only
// the record types that drawing programs and the system's own recorder write for pictures are let
// through, each with every field the player follows checked; anything else refuses the file.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>

namespace metafile {

// A Windows metafile from its 18-byte header on, `size` bytes long (the size its header gives).
// Every record up to the end record must lie inside and pass its type's checks. Returns the length
// up to and including the end record (the part to hand to the player; a missing end record is
// tolerated and the whole length taken), or 0 to refuse the file.
size_t CheckWindowsMetafile(const std::uint8_t* data, size_t size);

// An enhanced metafile of `size` bytes, the header's total size: the same checks, and it must have
// its end record. Returns the length up to and including that record, or 0 to refuse the file.
size_t CheckEnhancedMetafile(const std::uint8_t* data, size_t size);

// A letter far larger than the picture shows nothing but a part of one stroke, and the system
// renders all of it, for seconds a draw: the fonts a checked Windows metafile creates are cut to four
// times the largest extent the picture gives itself (frameExtent: its placeable box, 0 when it has
// none; and the window extents it sets). An enhanced metafile's world transforms can scale any
// letter up, so its fonts are cut as they are played (EnhancedPlayback).
void LimitFontSizes(std::uint8_t* data, size_t size, int frameExtent);

// The window origin and extent that a checked Windows metafile sets first: the picture's own frame.
// False when it sets no extent.
bool FindWindowFrame(const std::uint8_t* data, size_t size, RECT& frame);

} // namespace metafile
