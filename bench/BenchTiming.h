#pragma once
// Timing helpers the library benchmarks share: the wall time of one piece of
// work, and the median of several runs, which one slow run on a busy machine
// cannot move.

#include <QElapsedTimer>
#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

inline double seconds(const std::function<void()>& work)
{
    QElapsedTimer t;
    t.start();
    work();
    return static_cast<double>(t.nsecsElapsed()) * 1e-9;
}

inline double median(int runs, const std::function<double()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(work());
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace bench
