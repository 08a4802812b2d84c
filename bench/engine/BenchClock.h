#pragma once
// CPU time of the calling thread (the one the window would run on) and wall time of
// one measured stretch, in milliseconds.
#include <QElapsedTimer>
#include <ctime>

namespace bench {

struct Timing {
    double cpuMs = 0;
    double wallMs = 0;
};

class Stopwatch {
public:
    Stopwatch() : cpu_(cpuNow()) { wall_.start(); }
    Timing elapsed() const { return {cpuNow() - cpu_, static_cast<double>(wall_.nsecsElapsed()) / 1e6}; }

private:
    static double cpuNow()
    {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
    }
    double cpu_;
    QElapsedTimer wall_;
};

} // namespace bench
