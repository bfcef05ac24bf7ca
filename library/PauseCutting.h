// Cutting the silence at the beginning and end of a recording.
#pragma once
#include "library/WaveFile.h"
#include <string>
#include <vector>

namespace wave {

// The part of a recording that holds sound: from the first frame to the last frame in which a
// sample lies further than the silence level from silence (8 bits: 127 +- level; 16 bits:
// +- level x 256). Byte offsets into the data, end exclusive, whole frames only. False when no frame
// is loud, or the format is not 8- or 16-bit PCM with whole frames.
bool FindSoundSpan(const WaveFormat& format, const std::vector<BYTE>& data, int level, size_t& begin, size_t& end);

enum class CutResult {
    Cut,        // the file now holds only the sound
    Unchanged,  // silent throughout, nothing around the sound, or a format we do not cut
    Failed,     // the file could not be read or the shorter one not written; the file is as it was
};

// Cuts the silence at both ends of the WAVE file in place. The file is replaced only by a complete
// shorter file, never left damaged.
CutResult CutPauses(const std::string& path, int level);

} // namespace wave
