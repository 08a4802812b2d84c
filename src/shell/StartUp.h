#pragma once
// The part of the program's start-up that needs no window.
#include <QString>

namespace bkl {

// Creates the subfolder of the application folder. A folder that already exists
// is passed over; any other failure writes "Code: <n> - Description: <text>" at
// level ERROR and returns.
void CreateApplicationFolder(const QString& folderName);

// Start-up before the splash: clears the Windows-authentication flag, logs
// "Brisklane Launched", creates config, data, logs and temp, and loads the
// grid-lines preference.
void PrepareStartUp();

} // namespace bkl
