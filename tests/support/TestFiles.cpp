#include "TestFiles.h"

#include "shell/Log.h"

#include <QFile>

namespace bkl::test {

void ResetLog() { QFile::remove(LogFilePath()); }

QString LogText() { return QString::fromUtf8(ReadFile(LogFilePath())); }

QStringList LogLines()
{
    QStringList lines = LogText().split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace bkl::test
