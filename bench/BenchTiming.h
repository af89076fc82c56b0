// Timing and message helpers the benchmarks share, so every figure is taken the same way.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Milliseconds per call of `calls` calls of work(i); GDI's batch is flushed inside the timing.
template <class F>
double TimeMs(int calls, F&& work)
{
    const auto start = Clock::now();
    for (int i = 0; i < calls; ++i) work(i);
    GdiFlush();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / calls;
}

// Median milliseconds per call over `rounds` rounds of `calls` calls of work().
template <class F>
double MedianMs(int rounds, int calls, F&& work)
{
    std::vector<double> samples;
    for (int r = 0; r < rounds; ++r) samples.push_back(TimeMs(calls, [&](int) { work(); }));
    return Median(samples);
}

inline void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

} // namespace bench
