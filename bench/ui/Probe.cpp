#include "Probe.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <ctime>
#include <sys/resource.h>

namespace bench {

double CpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

void ResetPeakRss()
{
    // Linux: "5" resets the peak resident set (VmHWM) to the current one.
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

double PeakRssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        static const QRegularExpression hwm(QStringLiteral("VmHWM:\\s*(\\d+) kB"));
        const QRegularExpressionMatch m = hwm.match(QString::fromLatin1(status.readAll()));
        if (m.hasMatch())
            return m.captured(1).toDouble() / 1024.0;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

Probe::Probe()
{
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1);
    QObject::connect(&timer_, &QTimer::timeout, [this] { turn(); });
}

void Probe::start()
{
    ResetPeakRss();
    maxGapNs_ = 0;
    cpuStartMs_ = CpuMs();
    clock_.start();
    lastTurnNs_ = 0;
    timer_.start();
}

void Probe::turn()
{
    const qint64 now = clock_.nsecsElapsed();
    maxGapNs_ = std::max(maxGapNs_, now - lastTurnNs_);
    lastTurnNs_ = now;
    if (onTurn)
        onTurn();
}

double Probe::elapsedMs() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e6; }

Measure Probe::stop()
{
    const qint64 now = clock_.nsecsElapsed();
    timer_.stop();
    maxGapNs_ = std::max(maxGapNs_, now - lastTurnNs_);
    return {static_cast<double>(now) / 1e6, CpuMs() - cpuStartMs_, static_cast<double>(maxGapNs_) / 1e6, PeakRssMb()};
}

} // namespace bench
