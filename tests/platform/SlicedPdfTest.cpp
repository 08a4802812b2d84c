// The PDF made a slice at a time in the real web engine: a layout asked for
// while the slices of another are being made prints only pages of the new one;
// a renderer that ends while it makes a slice ends the job with the reason; a
// page file that cannot be read to its end prints and previews nothing.
#include "platform/ui/SlicedPdf.h"
#include "platform/ui/WebBrowser.h"
#include "support/FailingFile.h"
#include "support/PrintedPdf.h"
#include "support/TestEnvironment.h"
#include "support/WebPages.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <csignal>
#include <gtest/gtest.h>

using namespace bkl;

namespace {

// Slices of `sliceRows` rows (20 unless told), two made at once, while it lives.
struct SmallSlices {
    explicit SmallSlices(qsizetype sliceRows = 20)
    {
        SetPrintSliceRows(sliceRows);
        SlicedPdf::setParallel(2);
    }
    ~SmallSlices()
    {
        SetPrintSliceRows(rows);
        SlicedPdf::setParallel(4);
    }
    qsizetype rows = PrintSliceRows();
};

QPageLayout A4(QPageLayout::Orientation orientation)
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(10, 10, 10, 10));
}

// The pages of a printed PDF (landscape or not) and the numbers of the
// NumberedTable rows on them, in the order printed.
struct Printed {
    QList<bool> landscape;
    QStringList rows;
};

Printed ReadPrinted(const QString& file)
{
    test::Pdf pdf(file);
    Printed printed;
    for (int i = 0; i < pdf.document.pageCount(); ++i)
        printed.landscape << (pdf.document.pagePointSize(i).width() > pdf.document.pagePointSize(i).height());
    static const QRegularExpression row(QStringLiteral("(\\d+)\\s*jsmith"));
    for (auto m = row.globalMatch(pdf.text()); m.hasNext();)
        printed.rows << m.next().captured(1);
    return printed;
}

QStringList Numbers(int count)
{
    QStringList numbers;
    for (int i = 1; i <= count; ++i)
        numbers << QString::number(i);
    return numbers;
}

} // namespace

TEST(SlicedPdfRender, ALayoutAskedForWhileAnotherIsMadePrintsOnlyItsOwnPages)
{
    const SmallSlices small;
    const QString page = test::WritePage(QStringLiteral("_temp_04.html"), test::NumberedTable(150));
    SlicedPdf pdf(page, QWebEngineProfile::defaultProfile());
    ASSERT_EQ(pdf.slices(), 8);
    // The portrait slices are being printed when landscape is asked for: the first is made.
    QSignalSpy made(&pdf, &SlicedPdf::sliceMade);
    pdf.request(A4(QPageLayout::Portrait));
    ASSERT_TRUE(made.wait(30000));
    PrintJob job;
    job.layout = A4(QPageLayout::Landscape);
    job.outputFile = test::TestHome() + QStringLiteral("/landscape.pdf");
    pdf.deliver(job);

    const Printed printed = ReadPrinted(job.outputFile);
    ASSERT_FALSE(printed.landscape.isEmpty());
    EXPECT_FALSE(printed.landscape.contains(false));
    EXPECT_EQ(printed.rows, Numbers(150));
}

TEST(SlicedPdfRender, ThePreviewsLayoutGivenBackInOtherUnitsPrintsTheSlicesMadeForIt)
{
    const SmallSlices small;
    SlicedPdf pdf(test::WritePage(QStringLiteral("_temp_04.html"), test::NumberedTable(150)),
                  QWebEngineProfile::defaultProfile());
    pdf.make(A4(QPageLayout::Portrait));
    const QStringList made = pdf.made();
    // The print dialog gives the preview's margins of 10 pt back as 0.14 in: the
    // slices are not made again (with the preview's renderers still ending).
    pdf.request(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0.14, 0.14, 0.14, 0.14),
                            QPageLayout::Inch));
    EXPECT_TRUE(pdf.complete());
    EXPECT_EQ(pdf.made(), made);
    // Margins that print otherwise are a new layout.
    pdf.request(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0.5, 0.5, 0.5, 0.5),
                            QPageLayout::Inch));
    EXPECT_FALSE(pdf.complete());
}

TEST(SlicedPdfRender, ARendererThatEndsWhileItMakesASliceEndsTheJobWithTheReasonAndTheNextPrintWorks)
{
    const SmallSlices small(1000);
    const QString page = test::WritePage(QStringLiteral("_temp_04.html"), test::NumberedTable(3000));
    SlicedPdf pdf(page, QWebEngineProfile::defaultProfile());
    ASSERT_EQ(pdf.slices(), 3);
    PrintJob job;
    job.layout = A4(QPageLayout::Portrait);
    job.outputFile = test::TestHome() + QStringLiteral("/ended.pdf");

    // The renderer of the first slice is killed (as when memory runs out) while
    // it makes the slice's PDF. Not at the moment the PDF is asked for: the
    // engine itself cannot take a renderer's end then (see SlicedPdf::printSlice),
    // and the renderer takes the request up within a few milliseconds, where
    // making a slice's PDF takes hundreds.
    QSignalSpy failed(&pdf, &SlicedPdf::failed);
    qint64 killed = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const QList<QWebEnginePage*> slices = pdf.findChildren<QWebEnginePage*>();
        if (slices.isEmpty())
            return;
        watch.stop();
        QObject::connect(slices.first(), &QWebEnginePage::loadFinished, slices.first(), [&, slice = slices.first()] {
            QTimer::singleShot(50, slice, [&, slice] {
                killed = slice->renderProcessPid();
                ::kill(static_cast<pid_t>(killed), SIGKILL);
            });
        });
    });
    watch.start(1);
    pdf.request(job.layout);
    ASSERT_TRUE(failed.wait(60000)) << "the job did not end";
    EXPECT_GT(killed, 0);
    EXPECT_EQ(failed.first().first().toString(),
              QStringLiteral("The page could not be printed. The page's renderer was killed (for example when the "
                             "system ran out of memory)."));
    EXPECT_FALSE(pdf.complete());

    // The same page prints whole next time, in renderers of its own.
    pdf.deliver(job);
    EXPECT_EQ(ReadPrinted(job.outputFile).rows, Numbers(3000));
}

TEST(SlicedPdfRender, APageFileReadShortPrintsAndPreviewsNothingAndSaysWhy)
{
    WebBrowser browser;
    browser.resize(640, 360);
    browser.show();
    const QString page = test::WritePage(QStringLiteral("_temp_04.html"), test::NumberedTable(3000));
    ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(), page));
    const test::FailingFile failing(page, 100000);
    const QString expected = QStringLiteral("Cannot read %1: Input/output error").arg(page);

    const QString output = test::TestHome() + QStringLiteral("/short.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(output);
    try {
        browser.printTo(printer);
        ADD_FAILURE() << "a page read short was printed";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), expected);
    }
    EXPECT_FALSE(QFile::exists(output));
    try {
        browser.printPreview();
        ADD_FAILURE() << "a page read short was previewed";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), expected);
    }
}
