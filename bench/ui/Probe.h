#pragma once
// What one scenario costs: wall and CPU time, the longest gap between two turns
// of the event loop (seen by a 1 ms timer that only fires when the loop turns),
// and the peak resident memory of the process while it ran.
#include <QElapsedTimer>
#include <QTimer>
#include <functional>

namespace bench {

struct Measure {
    double wallMs = 0;
    double cpuMs = 0;
    double gapMs = 0;
    double peakRssMb = 0;
};

class Probe {
public:
    Probe();
    // Starts the clocks and the 1 ms timer; resets the peak memory mark.
    void start();
    // Stops them; the time since the last turn counts as a gap too.
    Measure stop();
    // Milliseconds since start().
    double elapsedMs() const;
    // Called at every turn of the loop (after the gap is noted), e.g. for a time limit.
    std::function<void()> onTurn;

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 lastTurnNs_ = 0;
    qint64 maxGapNs_ = 0;
    double cpuStartMs_ = 0;
    void turn();
};

// The process's CPU time (user and system) in milliseconds.
double CpuMs();
// The peak resident set of the process in MB since the last reset.
double PeakRssMb();
void ResetPeakRss();

} // namespace bench
