#pragma once
// The application log "BKL.log" in the logs folder, and the paths of the
// program's own folders.
#include "platform/core/PlatformLog.h"

#include <QString>

namespace bkl {

// The application folder, "/", the folder name and "/" (config, data, logs, temp).
QString ApplicationFolderPath(const QString& folderName);

// Path of "BKL.log" in the logs folder.
QString LogFilePath();

// One log line without its line end: "MM/dd/yyyy hh:mm AP|<g_sModelKey>|<level word>|<message>".
// Levels 0 ERROR, 1 DEBUG, 2 INFO; any other level leaves the word empty. Control
// characters are written visibly (VisibleText): no line holds a NUL or a stray line end.
QString LogLine(const QString& message, short level);

// Appends LogLine + CR LF. The file is opened and closed for every line; every
// failure is ignored.
void WriteLog(const QString& message, short level);

// Rewrites the log so that it holds exactly one INFO line with the message.
// Returns false when the file could not be rewritten.
bool ClearLogFile(const QString& message);

// "Function: <name>() --> Code: <number> --> Description: <text>"
QString FunctionErrorLine(const QString& name, long number, const QString& description);
// Writes FunctionErrorLine at level ERROR.
void LogFunctionError(const QString& name, long number, const QString& description);

// Lets the platform layer write to this log (PlatformLog.h); called at start-up.
void InstallPlatformLog();

} // namespace bkl
