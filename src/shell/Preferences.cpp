#include "shell/Preferences.h"

#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"

namespace bkl {
namespace {
QString section() { return QString::fromLatin1(kPreferencesSection); }
} // namespace

QStringList PreferenceKindTexts()
{
    return {QStringLiteral("Tables"),       QStringLiteral("Views"),
            QStringLiteral("Calendars"),    QStringLiteral("Calculations"),
            QStringLiteral("Compensation Plans"), QStringLiteral("Tailored Reports"),
            QStringLiteral("Presenter Reports")};
}

QString PreferenceKindCode(const QString& listText) { return Left(UCase(listText), 4); }

bool ReadShowGridLines()
{
    return Trim(GetSetting(section(), QString::fromLatin1(kShowGridLinesKey), QStringLiteral("Y")))
        == QLatin1String("Y");
}

QString ReadDefaultObjectSelection()
{
    return GetSetting(section(), QString::fromLatin1(kDefaultObjectSelectionKey), QString());
}

bool KindSelected(const QString& selection, const QString& listText)
{
    const QString s = Trim(selection);
    return !s.isEmpty() && s.contains(PreferenceKindCode(listText), Qt::CaseSensitive);
}

QString DefaultObjectSelectionText(const QStringList& tickedListTexts)
{
    QString out;
    for (const QString& text : tickedListTexts)
        out += QLatin1Char(';') + PreferenceKindCode(text);
    return out;
}

bool SaveUserPreferences(bool showGridLines, const QString& defaultObjectSelection)
{
    const bool grid = SaveSetting(section(), QString::fromLatin1(kShowGridLinesKey),
                                  showGridLines ? QStringLiteral("Y") : QStringLiteral("N"));
    const bool selection
        = SaveSetting(section(), QString::fromLatin1(kDefaultObjectSelectionKey), defaultObjectSelection);
    return grid && selection;
}

} // namespace bkl
