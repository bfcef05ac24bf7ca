// The kinds of media file the programs know by extension: the one list of picture, sound and video
// extensions that the content string, the command dialog and the choosers all go by.
#pragma once
#include <string>
#include <vector>

namespace media {

enum class Kind { Unknown, Picture, Sound, Video };

// Extensions compare without regard to case; none of them holds the dot.
bool IsPictureExtension(const std::string& extension);
bool IsSoundExtension(const std::string& extension);
// The caller's list replaces the built-in one when given (Skarpin's [Defaults] Video).
bool IsVideoExtension(const std::string& extension, const std::vector<std::string>* videoExtensions);
// Windows and enhanced metafiles, which are played rather than decoded.
bool IsMetafileExtension(const std::string& extension);

// The kind of a file by its name's extension, whether the file exists or not.
Kind KindOf(const std::string& path, const std::vector<std::string>* videoExtensions = nullptr);

// The name a recording is saved under: its extension becomes "wav" (any case kept), a name without
// one gets ".wav". Only the file name's own dot counts, never one in a folder's name.
std::string WithWaveExtension(const std::string& name);

// "%s\%d.wav" in the folder with the smallest number from 1 up under which nothing stands on the disk;
// empty when none is free.
std::string FirstFreeNumberedWave(const std::string& folder);

} // namespace media
