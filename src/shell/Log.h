#pragma once
// The application log "BKL.log" in the logs folder, and the paths of the
// program's own folders.
#include <QString>

namespace bkl {

enum LogLevel : short { LogError = 0, LogDebug = 1, LogInfo = 2 };

// The application folder, "/", the folder name and "/" (config, data, logs, temp).
QString ApplicationFolderPath(const QString& folderName);

// Appends one line "MM/dd/yyyy hh:mm AP|<g_sModelKey>|<level word>|<message>" + CR LF.
// The file is opened and closed for every line; every failure is ignored.
// Levels 0 ERROR, 1 DEBUG, 2 INFO; any other level leaves the word empty.
void WriteLog(const QString& message, short level);

// "Function: <name>() --> Code: <number> --> Description: <text>"
QString FunctionErrorLine(const QString& name, long number, const QString& description);
// Writes FunctionErrorLine at level ERROR.
void LogFunctionError(const QString& name, long number, const QString& description);

} // namespace bkl
