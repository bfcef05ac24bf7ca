// Timing for the benchmark programs: a millisecond clock and the least and median of repeated runs.
#pragma once
#include <windows.h>
#include <algorithm>
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

} // namespace bench
