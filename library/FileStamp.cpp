// File and folder stamps from one attribute query.
#include "library/FileStamp.h"
#include <windows.h>

namespace filestamp {

namespace {

unsigned long long FromFileTime(const FILETIME& time)
{
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

} // namespace

bool Stamp::IsFolder() const
{
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Read(const std::string& path, Stamp& stamp)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return false;
    stamp.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.lastWrite = FromFileTime(data.ftLastWriteTime);
    stamp.creation = FromFileTime(data.ftCreationTime);
    stamp.attributes = data.dwFileAttributes;
    return true;
}

unsigned long long SystemNow()
{
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return FromFileTime(now);
}

unsigned long long Clock::Now() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return now_ ? now_() : SystemNow();
}

void Clock::Set(std::function<unsigned long long()> now)
{
    std::lock_guard<std::mutex> lock(mutex_);
    now_ = std::move(now);
}

} // namespace filestamp
