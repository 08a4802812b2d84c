#pragma once
// The per-user settings store: string values by section and key, kept by QSettings
// under the program's own application name. Tests point QSettings at a temporary
// folder with QSettings::setPath before the first use.
#include <QString>

namespace bkl {

inline constexpr char kProductName[] = "Brisklane";

QString GetSetting(const QString& section, const QString& key, const QString& defaultValue);
// Returns false when the store could not be written.
bool SaveSetting(const QString& section, const QString& key, const QString& value);

} // namespace bkl
