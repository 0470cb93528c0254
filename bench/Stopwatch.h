// Wall-clock timing and the common report line of the benchmark programs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>

class Stopwatch {
public:
    Stopwatch() { restart(); }
    void restart() { QueryPerformanceCounter(&start_); }
    double milliseconds() const
    {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return 1000.0 * double(now.QuadPart - start_.QuadPart) / double(frequency.QuadPart);
    }

private:
    LARGE_INTEGER start_;
};

// Prints one figure: our time, the reference's time, their ratio and the goal.
inline void reportFigure(const char* figure, const char* reference, double ours, double theirs, double goal)
{
    double ratio = ours / theirs;
    std::printf("%s: ours %.2f ms, %s %.2f ms, ratio %.3f (goal <= %.2f: %s)\n", figure, ours, reference, theirs,
                ratio, goal, ratio <= goal ? "met" : "MISSED");
}

struct BestTimes {
    double ours = 1e30;
    double theirs = 1e30;
};

// Best time of each side over interleaved rounds, the reference first in each
// round, so that a slow moment of the machine hits both sides alike.
template <typename Reference, typename Ours>
BestTimes bestOfRounds(int rounds, Reference reference, Ours ours)
{
    BestTimes best;
    for (int round = 0; round < rounds; ++round) {
        best.theirs = std::min(best.theirs, reference());
        best.ours = std::min(best.ours, ours());
    }
    return best;
}
