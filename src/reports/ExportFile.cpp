#include "reports/ExportFile.h"

#include "platform/core/TextSemantics.h"
#include "reports/ObjectDrivers.h"

#include <QLocale>

namespace bkl::reports {

const std::array<ExportKind, 7>& ExportKinds()
{
    static const std::array<ExportKind, 7> kinds{{
        {"Tables", "Export Table(s)..."},
        {"Views", "Export View(s)..."},
        {"Calendars", "Export Calendar(s)..."},
        {"Calculations", "Export Calculation(s)..."},
        {"Compensation Plans", "Export Compensation Plan(s)..."},
        {"Tailored Reports", "Export Tailored Report(s)..."},
        {"Presentor Reports", "Export Presentor Report(s)..."},
    }};
    return kinds;
}

namespace {

// The list as the driver gets it: stripped of blanks and of its leading "|";
// a null text for a blank list (no section).
QString DriverList(const QString& list)
{
    const QString trimmed = Trim(list);
    return trimmed.isEmpty() ? QString() : trimmed.mid(1);
}

} // namespace

long ExportItemCount(const ExportLists& lists)
{
    long count = 0;
    for (const QString& list : lists) {
        const QString items = DriverList(list);
        if (!items.isEmpty())
            count += static_cast<long>(items.count(QLatin1Char('|'))) + 1;
    }
    return count;
}

QString ExportFileName(const QString& modelName, const QDateTime& at)
{
    QString model = modelName;
    for (QChar& c : model) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.isNull())
            c = QLatin1Char('_');
    }
    return QStringLiteral("BKL_") + model + QLatin1Char('_') + QLocale().toString(at, QStringLiteral("ddMMMyyyyHHmmss"))
        + QStringLiteral(".txt");
}

QString ExportFilePath(const QString& location, const QString& fileName)
{
    QString folder = Trim(location);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + fileName;
}

ExportFileError::ExportFileError(long number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number)
{
}

ExportFileWriter::ExportFileWriter(const QString& path) : file_(path)
{
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw ExportFileError(kExportFileAccessError, path + QStringLiteral(": ") + file_.errorString());
}

void ExportFileWriter::writeSection(const QString& section)
{
    write(section);
    endSection();
}

void ExportFileWriter::write(const QString& part)
{
    const QByteArray bytes = part.toUtf8();
    if (file_.write(bytes) != bytes.size())
        fail();
}

void ExportFileWriter::dropSection()
{
    if (!file_.flush() || !file_.resize(sectionStart_) || !file_.seek(sectionStart_))
        fail();
}

void ExportFileWriter::endSection()
{
    write(QLatin1String(kCrLf) + QLatin1String(kCrLf) + QLatin1String(kCrLf));
    // Flushing each section makes a full disk show at the section that hit it.
    if (!file_.flush())
        fail();
    sectionStart_ = file_.pos();
}

void ExportFileWriter::fail()
{
    throw ExportFileError(kExportFileWriteError, file_.fileName() + QStringLiteral(": ") + file_.errorString());
}

void ExportFileWriter::close()
{
    if (!file_.isOpen())
        return;
    file_.close();
    if (file_.error() != QFileDevice::NoError)
        fail();
}

void WriteExportSections(ExportFileWriter& file, const ExportLists& lists, ProgressSink& progress,
                         const ExportKindHooks& hooks)
{
    const auto& kinds = ExportKinds();
    for (size_t k = 0; k < kinds.size(); ++k) {
        if (Trim(lists[k]).isEmpty())
            continue;
        if (hooks.started)
            hooks.started(QLatin1String(kinds[k].statusText));
        const bool made = ExportAllObjects(QLatin1String(kinds[k].driverKey), DriverList(lists[k]), progress,
                                           [&file](const QString& part) { file.write(part); });
        if (hooks.finished)
            hooks.finished();
        if (!made)
            file.dropSection();
        file.endSection();
    }
}

} // namespace bkl::reports
