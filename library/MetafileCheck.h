// Checks the records of a metafile before the system plays it: the players trust the counts and
// offsets inside the records, so a damaged or hostile file must be refused first.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>

namespace metafile {

// A Windows metafile from its 18-byte header on, `size` bytes long (the size its header gives).
// Every record must lie inside, and the records whose counts, object indexes or embedded bitmaps the
// player follows must hold what they claim. A missing end record is tolerated.
bool CheckWindowsMetafile(const std::uint8_t* data, size_t size);

// An enhanced metafile of `size` bytes, the header's total size: the same checks, and the records
// must end with the end record.
bool CheckEnhancedMetafile(const std::uint8_t* data, size_t size);

// The window origin and extent that a checked Windows metafile sets first: the picture's own frame.
// False when it sets no extent.
bool FindWindowFrame(const std::uint8_t* data, size_t size, RECT& frame);

} // namespace metafile
