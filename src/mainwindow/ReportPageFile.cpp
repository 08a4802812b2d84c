#include "mainwindow/ReportPageFile.h"

#include "platform/core/TextSemantics.h"

namespace bkl::mainwindow {
namespace {

[[noreturn]] void Fail(const QFile& file)
{
    throw PageFileError(
        QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString()).toStdString());
}

} // namespace

ReportPageFile::ReportPageFile(const QString& path) : file_(path)
{
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Fail(file_);
}

void ReportPageFile::writeLine(const QString& line) { write(line + QLatin1String(kCrLf)); }

void ReportPageFile::write(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    if (file_.write(bytes) != bytes.size())
        Fail(file_);
}

void ReportPageFile::truncate(qint64 bytes)
{
    if (!file_.flush() || !file_.resize(bytes) || !file_.seek(bytes))
        Fail(file_);
}

void ReportPageFile::close()
{
    if (!file_.flush())
        Fail(file_);
    file_.close();
}

void WriteReportPage(const QString& path, const QString& text)
{
    QFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        Fail(file);
}

} // namespace bkl::mainwindow
