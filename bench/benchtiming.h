#pragma once

// Shared by the in-process benchmarks: a series of timings, one timed call,
// and a row of the table each prints (median, its floor, their ratio, the
// goal, the spread).

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

struct Series
{
    std::vector<double> ms;

    double quantile(double q) const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        return sorted.empty() ? 0 : sorted[static_cast<size_t>(q * double(sorted.size() - 1) + 0.5)];
    }
};

// How long f takes, in milliseconds.
template<typename F>
double timed(F &&f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return double(timer.nsecsElapsed()) / 1e6;
}

inline void printRow(const char *figure, const Series &ours, const Series &floor, double goalMs)
{
    const double median = ours.quantile(0.5);
    std::printf("%-30s %9.3f %9.3f %7.2f  < %6.1f %-4s p10-p90 %.3f-%.3f | floor %.3f-%.3f\n", figure, median,
                floor.quantile(0.5), median / std::max(floor.quantile(0.5), 1e-9), goalMs,
                median < goalMs ? "ok" : "MISS", ours.quantile(0.1), ours.quantile(0.9), floor.quantile(0.1),
                floor.quantile(0.9));
}

// The heading of such a table.
inline void printHeading(const char *title)
{
    std::printf("\n%-30s %9s %9s %7s  %-8s %-4s %s\n", title, "ms", "floor", "ratio", "goal", "", "spread");
}
