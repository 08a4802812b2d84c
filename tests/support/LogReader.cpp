#include "LogReader.h"

#include "shell/Log.h"

#include <QDir>
#include <QFile>

namespace bkl::test {

void ClearLog()
{
    QDir().mkpath(ApplicationFolderPath(QStringLiteral("logs")));
    QFile::remove(LogFilePath());
}

void ResetLog() { QFile::remove(LogFilePath()); }

QString LogText()
{
    QFile f(LogFilePath());
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

qint64 LogMark()
{
    return QFile(LogFilePath()).size();
}

QStringList LogLines(qint64 from)
{
    QFile f(LogFilePath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    f.seek(from);
    return QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

QStringList LogMessages(const QString& level, qint64 from)
{
    QStringList messages;
    for (const QString& line : LogLines(from)) {
        const QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() >= 4 && (level.isEmpty() || fields.at(2) == level))
            messages.append(fields.mid(3).join(QLatin1Char('|')));
    }
    return messages;
}

} // namespace bkl::test
