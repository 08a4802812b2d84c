// What a print dialog decided goes with the PDF: read off the printer, turned into
// the print system's options, and delivered to a file or refused with a reason.
#include "platform/ui/PrintJob.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QPrinter>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace bkl;

namespace {

QStringList Texts(const PrintOptions& options)
{
    QStringList texts;
    for (const auto& [name, value] : options)
        texts << QString::fromUtf8(name + '=' + value);
    return texts;
}

} // namespace

TEST(PrintJob, ReadsTheDialogsChoicesAndGivesThePrintSystemItsOptions)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(QStringLiteral("_temp_04.html"));
    PrintJob plain = ReadPrintJob(printer);
    EXPECT_TRUE(plain.pages.isEmpty());
    EXPECT_EQ(plain.title, QStringLiteral("_temp_04.html"));
    EXPECT_EQ(Texts(PrintSystemOptions(plain)), QStringList({"media=A4", "sides=one-sided"}));

    printer.setPrinterName(QString());
    printer.setOutputFileName(QString());
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPrintRange(QPrinter::PageRange);
    printer.setPageRanges(QPageRanges::fromString(QStringLiteral("2-3")));
    printer.setCopyCount(3);
    printer.setCollateCopies(false);
    printer.setPageOrder(QPrinter::LastPageFirst);
    printer.setColorMode(QPrinter::GrayScale);
    PrintJob job = ReadPrintJob(printer);
    job.duplex = QPrinter::DuplexAuto; // what a printer of the print system can take; a PDF printer has no sides
    EXPECT_EQ(job.pages.toString(), QStringLiteral("2-3"));
    EXPECT_EQ(job.layout.orientation(), QPageLayout::Landscape);
    EXPECT_TRUE(job.outputFile.isEmpty());
    EXPECT_EQ(Texts(PrintSystemOptions(job)),
              QStringList({"media=Letter", "copies=3", "collate=false", "sides=two-sided-short-edge",
                           "outputorder=reverse", "print-color-mode=monochrome"}));
    PrintJob portraitDuplex = job;
    portraitDuplex.layout.setOrientation(QPageLayout::Portrait);
    EXPECT_TRUE(Texts(PrintSystemOptions(portraitDuplex)).contains(QStringLiteral("sides=two-sided-long-edge")));
    // Every page: the range the dialog showed before "All" was chosen is not printed.
    printer.setPrintRange(QPrinter::AllPages);
    EXPECT_TRUE(ReadPrintJob(printer).pages.isEmpty());
}

TEST(PrintJob, DeliversThePdfToItsFileWholeOrSaysWhyNot)
{
    PrintJob job;
    job.outputFile = test::TestHome() + QStringLiteral("/job.pdf");
    DeliverPdf("%PDF-1.4 pages", job);
    EXPECT_EQ(test::FileBytes(job.outputFile), QByteArray("%PDF-1.4 pages"));

    job.outputFile = test::TestHome() + QStringLiteral("/no-such-folder/job.pdf");
    EXPECT_THROW(DeliverPdf("%PDF-1.4", job), std::runtime_error);
    EXPECT_FALSE(QFile::exists(job.outputFile));

    job.outputFile.clear();
    job.printer = QStringLiteral("NoSuchPrinter");
    try {
        DeliverPdf("%PDF-1.4", job);
        ADD_FAILURE() << "an unknown printer took the job";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(QStringLiteral("The printer NoSuchPrinter is not available: ")))
            << e.what();
    }
}
