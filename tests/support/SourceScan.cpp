#include "support/SourceScan.h"

#include <QDirIterator>
#include <QFile>
#include <algorithm>

namespace bkl::test {

QStringList SourceLinesMatching(const QRegularExpression& pattern, const QStringList& except)
{
    QStringList found;
    QDirIterator it(QStringLiteral(BKL_SOURCE_DIR "/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (std::any_of(except.begin(), except.end(), [&](const QString& end) { return path.endsWith(end); }))
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            found << path + QStringLiteral(": cannot be read");
            continue;
        }
        int line = 0;
        while (!file.atEnd()) {
            ++line;
            const QString text = QString::fromUtf8(file.readLine());
            if (!text.trimmed().startsWith(QLatin1String("//")) && text.contains(pattern))
                found << QStringLiteral("%1:%2").arg(path.mid(path.indexOf(QLatin1String("/src/")) + 1)).arg(line);
        }
    }
    return found;
}

} // namespace bkl::test
