#pragma once
#include <QString>

namespace bkl {

// The folder the program keeps config, data, logs and temp under:
// BRISKLANE_HOME when set, else the executable's folder when it is writable,
// else the per-user data folder. No trailing separator.
QString ApplicationFolder();

// Overrides the application folder for the rest of the process (tests).
void SetApplicationFolderForTesting(const QString& folder);

} // namespace bkl
