#include "mainwindow/FindTexts.h"

#include "platform/core/TextSemantics.h"

namespace bkl::mainwindow {

QString LoadAllQuestion(const std::vector<ObjectKind>& kinds)
{
    QString q = QStringLiteral("Are you sure want to load all objects from the following selected object type(s)?") +
                QLatin1String(kCrLf) + QLatin1String(kCrLf);
    for (ObjectKind kind : kinds)
        q += LoadAllLine(kind) + QLatin1String(kCrLf);
    q += QLatin1String(kCrLf) + QStringLiteral("Note: This may take few minutes depends on number of model objects.");
    return q;
}

QString FilterCaption(bool allKindsSelected, const QString& findText, bool wholeWord)
{
    QString caption = allKindsSelected ? QStringLiteral("Filter: <All Objects>") : QStringLiteral("Filter: <Selected Objects>");
    if (!Trim(findText).isEmpty())
        caption += (wholeWord ? QStringLiteral(";Name = \"") : QStringLiteral(";Name contains \"")) + findText +
                   QStringLiteral("\"");
    if (caption.size() > 60)
        caption = Left(caption, 56) + QStringLiteral(" ...");
    return caption;
}

QString FoundCountText(long long rows) { return QString::number(rows) + QStringLiteral(" Object(s) found"); }

} // namespace bkl::mainwindow
