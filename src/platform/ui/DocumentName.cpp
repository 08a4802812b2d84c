#include "platform/ui/DocumentName.h"

#include <QFileInfo>
#include <QUrl>
#include <QWidget>

namespace bkl {

QString PrintedDocumentName(const QWidget& browser, const QString& pageTitle, const QString& pageFile)
{
    const QString caption = browser.window()->windowTitle().trimmed();
    if (!caption.isEmpty())
        return caption;
    // A page without a title of its own is titled with its address by the engine.
    const QString title = pageTitle.trimmed();
    if (!title.isEmpty() && !QUrl(title).isLocalFile() && !title.contains(QFileInfo(pageFile).completeBaseName()))
        return title;
    return QFileInfo(pageFile).completeBaseName();
}

QString FileSafeName(const QString& name)
{
    QString safe;
    for (const QChar c : name)
        safe += c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|").contains(c) ? QChar(u'_') : c;
    qsizetype from = 0;
    qsizetype to = safe.size();
    while (from < to && (safe[from].isSpace() || safe[from] == u'.'))
        ++from;
    while (to > from && (safe[to - 1].isSpace() || safe[to - 1] == u'.'))
        --to;
    safe = safe.mid(from, std::min<qsizetype>(to - from, 200));
    return safe.isEmpty() ? QStringLiteral("print") : safe;
}

} // namespace bkl
