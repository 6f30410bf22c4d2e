#pragma once
// Time taking and the figures the Windows benchmarks print.

#include <windows.h>

#include <algorithm>
#include <vector>

// The high-resolution clock now.
inline LARGE_INTEGER ClockNow() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

// Milliseconds from `begin` (a ClockNow reading) to now.
inline double MillisecondsSince(const LARGE_INTEGER& begin) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ClockNow().QuadPart - begin.QuadPart) * 1000.0 /
           static_cast<double>(frequency.QuadPart);
}

// The middle value (the upper one of the two middle values of an even count); not empty.
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double Minimum(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}
