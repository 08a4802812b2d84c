#pragma once
// A report page file in temp, written line by line in UTF-8 with CR LF line
// ends. Opening empties it. Any failure throws std::runtime_error naming the file.
#include <QFile>
#include <QString>

namespace bkl::mainwindow {

class ReportPageFile {
public:
    explicit ReportPageFile(const QString& path);
    void writeLine(const QString& line);
    void close();

private:
    QFile file_;
};

// Writes `text` (already holding its line ends) as the whole file.
void WriteReportPage(const QString& path, const QString& text);

} // namespace bkl::mainwindow
