// What the file system tells of a file or folder without opening it: the stamp that the caches of
// parsed files and of folder listings compare at every use, and the system clock in the same units.
#pragma once
#include <functional>
#include <mutex>
#include <string>

namespace filestamp {

struct Stamp {
    unsigned long long size = 0;
    unsigned long long lastWrite = 0; // 100-ns units, as GetSystemTimeAsFileTime counts
    unsigned long long creation = 0;
    unsigned long attributes = 0;

    bool IsFolder() const;
    bool operator==(const Stamp& other) const
    {
        return size == other.size && lastWrite == other.lastWrite && creation == other.creation &&
               attributes == other.attributes;
    }
    bool operator!=(const Stamp& other) const { return !(*this == other); }
};

// One GetFileAttributesEx; false when the path names nothing.
bool Read(const std::string& path, Stamp& stamp);
// The system's time now, in the stamps' units.
unsigned long long SystemNow();

// The clock a cache measures the age of stamps by: the system's, or one a test sets.
class Clock {
public:
    unsigned long long Now() const;
    // An empty function restores the system's clock.
    void Set(std::function<unsigned long long()> now);

private:
    mutable std::mutex mutex_;
    std::function<unsigned long long()> now_;
};

} // namespace filestamp
