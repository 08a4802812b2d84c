#include "mainwindow/ReportPageFile.h"

#include "platform/core/TextSemantics.h"

namespace bkl::mainwindow {
namespace {

[[noreturn]] void Fail(const QSaveFile& file)
{
    throw PageFileError(
        QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString()).toStdString());
}

} // namespace

ReportPageFile::ReportPageFile(const QString& path) : file_(path)
{
    if (!file_.open(QIODevice::WriteOnly))
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
    if (!file_.commit())
        Fail(file_);
}

void WriteReportPage(const QString& path, const QString& text)
{
    ReportPageFile page(path);
    page.write(text);
    page.close();
}

} // namespace bkl::mainwindow
