#include "platform/core/Settings.h"

#include <QSettings>

namespace bkl {

QString GetSetting(const QString& section, const QString& key, const QString& defaultValue)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, kProductName, kProductName);
    return s.value(section + QLatin1Char('/') + key, defaultValue).toString();
}

bool SaveSetting(const QString& section, const QString& key, const QString& value)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, kProductName, kProductName);
    s.setValue(section + QLatin1Char('/') + key, value);
    s.sync();
    return s.status() == QSettings::NoError;
}

} // namespace bkl
