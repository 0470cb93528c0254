// Wall-clock timing and the common report line of the benchmark programs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

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

// Both sides' times over paired rounds, for machines shared with other work,
// where a slow moment can hit any run: the two runs of a round follow each
// other, the reference first in even rounds and second in odd ones, so that
// neither side always runs in the other's wake (a cache it warmed, writes it
// left behind).
struct PairedRounds {
    std::vector<double> ours;
    std::vector<double> theirs;

    static double medianOf(std::vector<double> values)
    {
        std::sort(values.begin(), values.end());
        const size_t n = values.size();
        return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    }
    double bestOurs() const { return *std::min_element(ours.begin(), ours.end()); }
    double bestTheirs() const { return *std::min_element(theirs.begin(), theirs.end()); }
    double medianOurs() const { return medianOf(ours); }
    double medianTheirs() const { return medianOf(theirs); }
    // The median over the rounds of ours / theirs: a round slowed down as a
    // whole does not move it, and neither do up to half the rounds disturbed.
    double medianTimeRatio() const
    {
        std::vector<double> ratios;
        for (size_t i = 0; i < ours.size(); ++i)
            ratios.push_back(ours[i] / theirs[i]);
        return medianOf(ratios);
    }
};

template <typename Reference, typename Ours>
void runPairedRound(PairedRounds& times, int round, Reference reference, Ours ours)
{
    if (round % 2 == 0) {
        times.theirs.push_back(reference());
        times.ours.push_back(ours());
    } else {
        times.ours.push_back(ours());
        times.theirs.push_back(reference());
    }
}

template <typename Reference, typename Ours>
PairedRounds pairedRounds(int rounds, Reference reference, Ours ours)
{
    PairedRounds times;
    for (int round = 0; round < rounds; ++round)
        runPairedRound(times, round, reference, ours);
    return times;
}

// Prints one figure measured in paired rounds: both sides' best and median
// times and the median of the rounds' ratios, which the goal is judged by.
inline void reportPaired(const char* figure, const char* reference, const PairedRounds& times, double goal)
{
    const double ratio = times.medianTimeRatio();
    std::printf("%s: ours %.2f ms (median %.2f), %s %.2f ms (median %.2f), ratio %.3f over %zu rounds, "
                "%.3f of the best times (goal <= %.2f: %s)\n",
                figure, times.bestOurs(), times.medianOurs(), reference, times.bestTheirs(), times.medianTheirs(),
                ratio, times.ours.size(), times.bestOurs() / times.bestTheirs(), goal, ratio <= goal ? "met" : "MISSED");
}
