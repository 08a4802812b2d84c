#pragma once
// The part of the program's start-up that needs no window.
#include "shell/ErrorInfo.h"

#include <QString>

namespace bkl {

// Creates the subfolder of the application folder, and every missing folder
// above it (a new BRISKLANE_HOME, a first run). A folder that already exists
// is passed over and gives number 0; any other failure writes
// "Code: <n> - Description: <text>" at level ERROR and is returned, with the
// folder's path as its source.
ErrorInfo CreateApplicationFolder(const QString& folderName);

// Start-up before the splash: clears the Windows-authentication flag, logs
// "Brisklane Launched", creates config, data, logs and temp, and loads the
// grid-lines preference. When a folder cannot be created, a critical box names
// it and the reason, and the result is false: the program ends.
bool PrepareStartUp();

} // namespace bkl
