#include "ProcessMemory.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

namespace bench {
namespace {

QByteArray ProcFile(pid_t pid, const char* name)
{
    QFile file(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A "Name:   1234 kB" line of /proc/<pid>/status, in MB.
double StatusMb(pid_t pid, const QByteArray& key)
{
    for (const QByteArray& line : ProcFile(pid, "status").split('\n'))
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// The parent process id: the fourth field of /proc/<pid>/stat, after the parenthesised name.
pid_t ParentOf(pid_t pid)
{
    const QByteArray stat = ProcFile(pid, "stat");
    const qsizetype close = stat.lastIndexOf(')');
    if (close < 0)
        return 0;
    return static_cast<pid_t>(stat.mid(close + 2).split(' ').value(1).toLong());
}

} // namespace

std::vector<pid_t> RendererProcesses()
{
    const pid_t self = getpid();
    std::vector<pid_t> renderers;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool ok = false;
        const pid_t pid = static_cast<pid_t>(entry.toLong(&ok));
        const pid_t parent = ok ? ParentOf(pid) : 0;
        // The engine's zygotes are children of the program; a renderer forked by a
        // zygote keeps the zygote's command line, so it is known by its parent.
        if (parent > 1 && parent != self && ParentOf(parent) == self
            && ProcFile(parent, "cmdline").contains("--type=zygote"))
            renderers.push_back(pid);
    }
    return renderers;
}

bool ResetPeak(pid_t pid)
{
    QFile file(QStringLiteral("/proc/%1/clear_refs").arg(pid));
    return file.open(QIODevice::WriteOnly) && file.write("5") == 1;
}

double PeakMb(pid_t pid) { return StatusMb(pid, "VmHWM"); }
double ResidentMb(pid_t pid) { return StatusMb(pid, "VmRSS"); }

int MemoryMaps(pid_t pid) { return static_cast<int>(ProcFile(pid, "maps").count('\n')); }

} // namespace bench
