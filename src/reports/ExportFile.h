#pragma once
// The export file: its dated name, its path in the chosen folder, and its
// text, one section per kind with objects, in the fixed kind order. Nothing
// here touches a widget; the export dialog drives it.
#include "reports/ProgressSink.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <array>
#include <functional>
#include <stdexcept>

namespace bkl::reports {

// One kind of the export run: the key given to ExportAllObjects and the text
// shown while the kind is written.
struct ExportKind {
    const char* driverKey;  // "Tables"
    const char* statusText; // "Export Table(s)..."
};

// The seven kinds in the fixed kind order (Tables, Views, Calendars, Calculations,
// Compensation Plans, Tailored Reports, Presentor Reports).
const std::array<ExportKind, 7>& ExportKinds();

// The seven object name lists ("|" before each item text), in the fixed kind order.
using ExportLists = std::array<QString, 7>;

// Number of objects the lists name: the items of each list that is not blank,
// counted after its leading "|" is cut, exactly as the export driver splits them.
long ExportItemCount(const ExportLists& lists);

// "BKL_" + model name + "_" + time stamp (ddMMMyyyyHHmmss, month name from the
// locale) + ".txt". A "/" or "\" (or NUL) in the model name becomes "_", so the
// name always stays inside the chosen folder.
QString ExportFileName(const QString& modelName, const QDateTime& at);

// The location stripped of blanks, "/" unless it already ends with one, then the file name.
QString ExportFilePath(const QString& location, const QString& fileName);

// The export file could not be created or written.
class ExportFileError : public std::runtime_error {
public:
    ExportFileError(long number, const QString& description);
    long number() const { return number_; }
    QString description() const { return QString::fromUtf8(what()); }

private:
    long number_;
};

// Error numbers of ExportFileError.
inline constexpr long kExportFileAccessError = 75; // the file cannot be created
inline constexpr long kExportFileWriteError = 57;  // writing or closing failed

// The open export file: UTF-8 without byte-order mark; a file of the same name
// is replaced. Every failure throws ExportFileError; the file is closed when the
// writer goes away, keeping what was written.
class ExportFileWriter {
public:
    explicit ExportFileWriter(const QString& path);
    // Writes a kind's section followed by three CR LF.
    void writeSection(const QString& section);
    // The same in steps, for a section written as its objects are read: its text
    // in parts, then its end (the three CR LF, flushed). dropSection takes back
    // the parts written since the last end.
    void write(const QString& part);
    void dropSection();
    void endSection();
    void close();

private:
    QFile file_;
    qint64 sectionStart_ = 0;
    [[noreturn]] void fail();
};

// Called around each kind that has objects (status text, progress visibility).
struct ExportKindHooks {
    std::function<void(const QString& statusText)> started;
    std::function<void()> finished;
};

// For each kind whose list is not blank, in the fixed order: `started` with the
// kind's status text, ExportAllObjects with the list stripped of blanks and of
// its leading "|", `finished`, and the section written to the file. The section
// goes into the file as it is made, so the run never holds a whole section; a
// kind whose driver fails leaves no text of its own, as its section is then "".
void WriteExportSections(ExportFileWriter& file, const ExportLists& lists, ProgressSink& progress,
                         const ExportKindHooks& hooks = {});

} // namespace bkl::reports
