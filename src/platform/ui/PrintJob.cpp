#include "platform/ui/PrintJob.h"

#include "platform/ui/PrintSystem.h"

#include "platform/core/SavedFile.h"

#include <QPrinter>
#include <stdexcept>

namespace bkl {

PrintJob ReadPrintJob(const QPrinter& printer)
{
    PrintJob job;
    job.layout = printer.pageLayout();
    if (printer.printRange() == QPrinter::PageRange)
        job.pages = printer.pageRanges();
    job.outputFile = printer.outputFileName();
    job.printer = printer.printerName();
    job.title = printer.docName();
    job.copies = std::max(1, printer.copyCount());
    job.collate = printer.collateCopies();
    job.lastPageFirst = printer.pageOrder() == QPrinter::LastPageFirst;
    job.grayscale = printer.colorMode() == QPrinter::GrayScale;
    job.duplex = printer.duplex();
    return job;
}

PrintOptions PrintSystemOptions(const PrintJob& job)
{
    PrintOptions options;
    options.emplaceBack("media", job.layout.pageSize().key().toUtf8());
    if (job.copies > 1) {
        options.emplaceBack("copies", QByteArray::number(job.copies));
        options.emplaceBack("collate", job.collate ? "true" : "false");
    }
    const bool portrait = job.layout.orientation() == QPageLayout::Portrait;
    switch (job.duplex) {
    case QPrinter::DuplexLongSide:
        options.emplaceBack("sides", "two-sided-long-edge");
        break;
    case QPrinter::DuplexShortSide:
        options.emplaceBack("sides", "two-sided-short-edge");
        break;
    case QPrinter::DuplexAuto:
        options.emplaceBack("sides", portrait ? "two-sided-long-edge" : "two-sided-short-edge");
        break;
    default:
        options.emplaceBack("sides", "one-sided");
    }
    if (job.lastPageFirst)
        options.emplaceBack("outputorder", "reverse");
    if (job.grayscale)
        options.emplaceBack("print-color-mode", "monochrome");
    return options;
}

void DeliverPdf(const QByteArray& pdf, const PrintJob& job)
{
    if (job.outputFile.isEmpty()) {
        SubmitToPrintSystem(pdf, job.printer, job.title, PrintSystemOptions(job));
        return;
    }
    if (const QString error = SaveWholeFile(job.outputFile, pdf); !error.isEmpty())
        throw std::runtime_error(QStringLiteral("Cannot write %1: %2").arg(job.outputFile, error).toStdString());
}

} // namespace bkl
