// Media kinds by extension.
#include "library/MediaFiles.h"
#include "framework/Files.h"
#include "library/Cp1252.h"

namespace media {

namespace {

const char* const kPictureExtensions[] = {"emf", "bmp", "gif", "png", "ico", "jpe", "jpeg", "jpg", "pcx", "tif", "wmf"};
const char* const kSoundExtensions[] = {"wav", "mid", "mp3", "m4a", "rmi", "wma", "cda"};
const char* const kVideoExtensions[] = {"avi", "mov", "mpg", "mpe", "wmv"};

template <class List> bool Contains(const List& list, const std::string& extension)
{
    if (extension.empty())
        return false;
    for (const auto& entry : list)
        if (cp1252::EqualsNoCase(entry, extension))
            return true;
    return false;
}

} // namespace

bool IsPictureExtension(const std::string& extension)
{
    return Contains(kPictureExtensions, extension);
}

bool IsSoundExtension(const std::string& extension)
{
    return Contains(kSoundExtensions, extension);
}

bool IsVideoExtension(const std::string& extension, const std::vector<std::string>* videoExtensions)
{
    return videoExtensions ? Contains(*videoExtensions, extension) : Contains(kVideoExtensions, extension);
}

bool IsMetafileExtension(const std::string& extension)
{
    return cp1252::EqualsNoCase(extension, "wmf") || cp1252::EqualsNoCase(extension, "emf");
}

// In the content string's order: a picture first, then a sound, then a video.
Kind KindOf(const std::string& path, const std::vector<std::string>* videoExtensions)
{
    const std::string extension = fw::FileExtension(path);
    if (IsPictureExtension(extension))
        return Kind::Picture;
    if (IsSoundExtension(extension))
        return Kind::Sound;
    if (IsVideoExtension(extension, videoExtensions))
        return Kind::Video;
    return Kind::Unknown;
}

std::string WithWaveExtension(const std::string& name)
{
    size_t nameStart = name.find_last_of("\\/");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return name + ".wav";
    // A longer extension that merely begins with "wav" would not be taken for a sound afterwards.
    if (cp1252::EqualsNoCase(name.substr(dot + 1), "wav"))
        return name;
    return name.substr(0, dot + 1) + "wav";
}

std::string FirstFreeNumberedWave(const std::string& folder)
{
    return fw::FirstFreePath([&](int number) { return folder + "\\" + std::to_string(number) + ".wav"; });
}

} // namespace media
