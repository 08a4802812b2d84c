#pragma once
// Resident memory of this program and of the web engine's renderer processes,
// read from /proc: the peak (VmHWM) since the last reset, the current size, and
// the number of memory maps.
#include <sys/types.h>

#include <vector>

namespace bench {

// The renderer processes of this program's web engine: the processes its zygote
// processes (children of the program) have forked.
std::vector<pid_t> RendererProcesses();

// Resets the peak resident mark of a process (clear_refs); false when refused.
bool ResetPeak(pid_t pid);

// The peak resident memory (VmHWM) or the current one (VmRSS) of a process in MB; 0 when it is gone.
double PeakMb(pid_t pid);
double ResidentMb(pid_t pid);

// The number of memory maps of a process (lines of /proc/<pid>/maps); 0 when it is gone.
int MemoryMaps(pid_t pid);

} // namespace bench
