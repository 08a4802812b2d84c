#include "mainwindow/CheckedObjectsText.h"

#include "platform/core/TextSemantics.h"

namespace bkl::mainwindow {

QString CheckedObjectsText(const QStringList& checkedItemTexts)
{
    QString text;
    for (const QString& item : checkedItemTexts)
        text += Trim(item) + QLatin1String(kCrLf);
    return Trim(text);
}

} // namespace bkl::mainwindow
