#pragma once
// How the platform layer writes to the program's log. The log itself belongs to
// the program (its file, its line format), which installs its writers at start-up
// (InstallPlatformLog in the shell); until then the platform's lines go to the
// process's warnings, so none is lost without a trace.
#include <QString>
#include <functional>

namespace bkl {

enum LogLevel : short { LogError = 0, LogDebug = 1, LogInfo = 2 };

struct PlatformLogWriters {
    std::function<void(const QString& message, short level)> line;
    std::function<void(const QString& name, long number, const QString& description)> functionError;
};

void SetPlatformLog(PlatformLogWriters writers);

// One line at `level`.
void PlatformLogLine(const QString& message, short level);
// A failure of the named function, with its number and description, at level ERROR.
void PlatformLogFunctionError(const QString& name, long number, const QString& description);

} // namespace bkl
