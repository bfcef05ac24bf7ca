// Timing for the benchmark programs: a millisecond clock, the least and median of repeated runs, and
// files dated back so that they are read as a user's files are.
#pragma once
#include <windows.h>
#include <algorithm>
#include <string>
#include <vector>

namespace bench {

inline double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Figures {
    double least = 1e30;
    double median = 0;
};

// Runs step the given number of times (at least once) and returns the least and median time in ms.
template <class Step>
Figures Time(int rounds, Step step)
{
    std::vector<double> times;
    for (int i = 0; i < std::max(1, rounds); ++i) {
        const double start = Now();
        step();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return Figures{times.front(), times[times.size() / 2]};
}

// Files written a moment ago are read again by the ini interface at every call (it cannot yet trust
// their time stamp), and folders changed a moment ago are asked for entry by entry; a user's bases,
// overlays and sound folders are older than that. Dates the file or folder back an hour.
inline void DateBack(const std::string& path)
{
    HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= 3600ull * 10000000ull;
    FILETIME earlier{time.LowPart, time.HighPart};
    ::SetFileTime(file, nullptr, nullptr, &earlier);
    ::CloseHandle(file);
}

} // namespace bench
