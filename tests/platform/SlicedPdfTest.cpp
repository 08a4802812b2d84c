// The PDF made a slice at a time in the real web engine: a layout asked for
// while the slices of another are being made prints only pages of the new one;
// a page file that cannot be read to its end prints and previews nothing.
#include "platform/ui/SlicedPdf.h"
#include "platform/ui/WebBrowser.h"
#include "support/FailingFile.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"
#include "support/WebPages.h"

#include <QBuffer>
#include <QFile>
#include <QPdfDocument>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWebEngineProfile>
#include <gtest/gtest.h>

using namespace bkl;

namespace {

// Slices of 20 rows, two made at once, while it lives.
struct SmallSlices {
    SmallSlices()
    {
        SetPrintSliceRows(20);
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

    QByteArray bytes = test::FileBytes(job.outputFile);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument printed;
    printed.load(&buffer);
    ASSERT_EQ(printed.status(), QPdfDocument::Status::Ready);
    QString text;
    for (int i = 0; i < printed.pageCount(); ++i) {
        EXPECT_GT(printed.pagePointSize(i).width(), printed.pagePointSize(i).height()) << "page " << i + 1;
        text += printed.getAllText(i).text() + QLatin1Char('\n');
    }
    QStringList numbers;
    static const QRegularExpression row(QStringLiteral("(\\d+)\\s*jsmith"));
    for (auto m = row.globalMatch(text); m.hasNext();)
        numbers << m.next().captured(1);
    QStringList expected;
    for (int i = 1; i <= 150; ++i)
        expected << QString::number(i);
    EXPECT_EQ(numbers, expected);
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
