#pragma once
// A report page file in temp, written line by line in UTF-8 with CR LF line
// ends. Opening empties it. Any failure throws PageFileError naming the file.
#include <QFile>
#include <QString>
#include <stdexcept>

namespace bkl::mainwindow {

class PageFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ReportPageFile {
public:
    explicit ReportPageFile(const QString& path);
    void writeLine(const QString& line);
    // Writes text without a line end: a long line written in parts.
    void write(const QString& text);
    // The bytes written so far.
    qint64 size() const { return file_.pos(); }
    // Drops what was written after the first `bytes` bytes; writing goes on from there.
    void truncate(qint64 bytes);
    void close();

private:
    QFile file_;
};

// Writes `text` (already holding its line ends) as the whole file.
void WriteReportPage(const QString& path, const QString& text);

} // namespace bkl::mainwindow
