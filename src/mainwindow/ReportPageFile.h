#pragma once
// A report page file in temp, written line by line in UTF-8 with CR LF line
// ends. The page is written beside its file and takes the file's place only when
// it is closed complete, so the file always holds a whole page: the one shown
// before until the new one is done (a browser's Save As copies the file while a
// run writes the next page). A page given up unclosed (a failure part-way) leaves
// the file as it was. Any failure throws PageFileError naming the file.
#include <QSaveFile>
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
    // Puts the complete page in the file's place.
    void close();

private:
    QSaveFile file_;
};

// Writes `text` (already holding its line ends) as the whole file, in its place at once.
void WriteReportPage(const QString& path, const QString& text);

} // namespace bkl::mainwindow
