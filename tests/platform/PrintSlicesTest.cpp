// A page printed a slice at a time: each slice's document holds the page with the
// rows of that slice only and hides the rest of the page; printed, the slices
// hold every row of the page once, in order. A page that cannot be cut into
// slices small enough says so before anything is printed.
#include "platform/ui/PrintSlices.h"
#include "platform/ui/WebBrowser.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"
#include "support/WebPages.h"

#include <QBuffer>
#include <QFile>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPrinter>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace bkl;

namespace {

QByteArray Rows(const char* name, int count)
{
    QByteArray rows;
    for (int i = 1; i <= count; ++i)
        rows += "<tr><td>" + QByteArray(name) + QByteArray::number(i) + "</td></tr>\r\n";
    return rows;
}

// A page with text before, between and after two long tables.
QByteArray TwoTables(int first, int second)
{
    return "<html><body><p>Before</p>\r\n<table border=1>\r\n" + Rows("a", first) + "</table><p>Between</p><table>"
           + Rows("b", second) + "</table><p>After</p></body></html>\r\n";
}

// The row names ("a1", "b3") in the order `text` holds them.
QStringList RowNames(const QString& text)
{
    QStringList names;
    static const QRegularExpression name(QStringLiteral("\\b[ab]\\d+\\b"));
    for (auto m = name.globalMatch(text); m.hasNext();)
        names << m.next().captured();
    return names;
}

QStringList Expected(int first, int second)
{
    QStringList names;
    for (int i = 1; i <= first; ++i)
        names << QStringLiteral("a%1").arg(i);
    for (int i = 1; i <= second; ++i)
        names << QStringLiteral("b%1").arg(i);
    return names;
}

} // namespace

TEST(PrintSlices, EachSliceHoldsItsRowsOnlyMarkedForTheScriptThatHidesTheRest)
{
    const PrintSlices slices(TwoTables(7, 5), 3);
    ASSERT_EQ(slices.count(), 4); // a1-a3 | a4-a6 | a7 and b1-b3 | b4-b5
    QStringList all;
    for (qsizetype i = 0; i < slices.count(); ++i) {
        const QByteArray doc = slices.document(i);
        EXPECT_TRUE(doc.startsWith("\xEF\xBB\xBF<html><body><p>Before</p>")) << i;
        EXPECT_TRUE(doc.contains("<p>Between</p>") && doc.contains("<p>After</p></body></html>\r\n<script>")) << i;
        EXPECT_EQ(doc.contains("<tr data-bkl-first>"), i > 0) << i;
        EXPECT_EQ(doc.contains("<tr data-bkl-last>"), i < 3) << i;
        all << RowNames(QString::fromUtf8(doc));
    }
    EXPECT_EQ(all, Expected(7, 5));
    EXPECT_TRUE(slices.document(1).contains("<table border=1>\r\n<tr data-bkl-first><td>a4</td></tr>\r\n"
                                            "<tr><td>a5</td></tr>\r\n<tr data-bkl-last><td>a6</td></tr>\r\n</table>"));
    EXPECT_TRUE(slices.document(2).contains("<tr data-bkl-first><td>a7</td></tr>\r\n</table><p>Between</p><table>"
                                            "<tr><td>b1</td></tr>\r\n<tr><td>b2</td></tr>\r\n<tr data-bkl-last><td>b3</td>"));

    // A page without a table longer than a slice is one slice: the page itself.
    const PrintSlices whole(TwoTables(3, 2), 3);
    ASSERT_EQ(whole.count(), 1);
    EXPECT_EQ(whole.document(0).sliced(3).left(TwoTables(3, 2).size()), TwoTables(3, 2));

    // The rows of a slice cannot be laid out in the engine's memory: said before printing.
    try {
        PrintSlices(TwoTables(7, 5), 3, 100);
        ADD_FAILURE() << "a page too large was sliced";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "The page is too large to be printed: 0.0 MB of it cannot be printed in smaller parts, "
                               "and the web engine prints at most 0 MB at once.");
    }
}

TEST(PrintSlicesRender, APageLongerThanASlicePrintsEveryRowOnceInOrder)
{
    const qsizetype sliceRows = PrintSliceRows();
    SetPrintSliceRows(40);
    WebBrowser browser;
    browser.resize(640, 360);
    browser.show();
    const QString page = test::WritePage(QStringLiteral("_temp_04.html"), TwoTables(130, 45));
    ASSERT_TRUE(test::NavigateAndWait(browser, browser.view(), page));
    const QString path = test::TestHome() + QStringLiteral("/sliced.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    browser.printTo(printer);
    SetPrintSliceRows(sliceRows);

    QByteArray bytes = test::FileBytes(path);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument pdf;
    pdf.load(&buffer);
    ASSERT_EQ(pdf.status(), QPdfDocument::Status::Ready);
    QString text;
    for (int i = 0; i < pdf.pageCount(); ++i)
        text += pdf.getAllText(i).text() + QLatin1Char('\n');
    EXPECT_EQ(RowNames(text), Expected(130, 45));
    EXPECT_EQ(text.count(QStringLiteral("Before")), 1);
    EXPECT_EQ(text.count(QStringLiteral("Between")), 1);
    EXPECT_EQ(text.count(QStringLiteral("After")), 1);
    EXPECT_TRUE(text.indexOf(QStringLiteral("Before")) < text.indexOf(QStringLiteral("a1")));
    EXPECT_TRUE(text.indexOf(QStringLiteral("Between")) > text.indexOf(QStringLiteral("a130")));
    EXPECT_TRUE(text.indexOf(QStringLiteral("After")) > text.indexOf(QStringLiteral("b45")));
    // The slice documents go with the printing.
    EXPECT_FALSE(QFile::exists(test::TestHome() + QStringLiteral("/_temp_04_print.html")));
}
