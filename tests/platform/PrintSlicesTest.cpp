// A page printed a slice at a time: each slice's document holds the page's head
// and its own blocks and rows, in the elements that hold them; printed, the
// slices hold every row of the page once, in order. A block that cannot be cut
// small enough says so before anything is printed.
#include "platform/ui/PrintSlices.h"
#include "platform/ui/SlicedPdf.h"
#include "platform/ui/WebBrowser.h"
#include "support/PrintedPdf.h"
#include "support/TestEnvironment.h"
#include "support/WebPages.h"

#include <QFile>
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

// The text of the PDF file `path`, its pages one after the other.
QString PdfText(const QString& path) { return test::Pdf(path).text(); }

// Prints the page `html` shown in `browser` to a PDF file on A4; its text.
QString PrintedText(WebBrowser& browser, const QByteArray& html)
{
    const QString page = test::WritePage(QStringLiteral("_temp_04.html"), html);
    if (!test::NavigateAndWait(browser, browser.view(), page))
        return {};
    const QString path = test::TestHome() + QStringLiteral("/sliced.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    browser.printTo(printer);
    return PdfText(path);
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

TEST(PrintSlices, EachSliceHoldsTheHeadAndItsRowsInTheirTableOpenedAgain)
{
    const PrintSlices slices(TwoTables(7, 5), 3, 1 << 20);
    // Before, a1-a3 | a4-a6 | a7, Between, b1-b2 | b3-b5, After
    ASSERT_EQ(slices.count(), 4);
    QStringList all;
    for (qsizetype i = 0; i < slices.count(); ++i) {
        const QByteArray doc = slices.document(i);
        EXPECT_TRUE(doc.startsWith("\xEF\xBB\xBF<html><body>")) << i;
        EXPECT_FALSE(doc.contains("overflow-wrap")) << i;
        EXPECT_EQ(doc.count("Before"), i == 0 ? 1 : 0) << i;
        EXPECT_EQ(doc.count("After"), i == 3 ? 1 : 0) << i;
        all << RowNames(QString::fromUtf8(doc));
    }
    EXPECT_EQ(all, Expected(7, 5));
    EXPECT_EQ(slices.document(1), QByteArray("\xEF\xBB\xBF<html><body><table border=1><tr><td>a4</td></tr>\r\n"
                                             "<tr><td>a5</td></tr>\r\n<tr><td>a6</td></tr>\r\n"));
    EXPECT_TRUE(slices.document(2).startsWith("\xEF\xBB\xBF<html><body><table border=1><tr><td>a7</td></tr>\r\n"
                                              "</table><p>Between</p><table><tr><td>b1</td></tr>"));
    EXPECT_TRUE(slices.document(3).startsWith("\xEF\xBB\xBF<html><body><table><tr><td>b3</td></tr>"));

    // A page that fits in a slice is one slice: the page itself.
    const PrintSlices whole(TwoTables(3, 2), 5, 1 << 20);
    ASSERT_EQ(whole.count(), 1);
    EXPECT_EQ(whole.document(0).sliced(3).left(TwoTables(3, 2).size()), TwoTables(3, 2));

    // A page of many short tables is cut between them by size, each table whole in one slice.
    QByteArray tables = "<html><head><style>td { color: navy }</style></head><body>\r\n";
    for (int t = 1; t <= 40; ++t)
        tables += "<div id='T" + QByteArray::number(t) + "'><p><b><font size=2><table border=1>" + Rows("a", 3)
                  + "</table></font></b></p></div>\r\n";
    tables += "</body></html>";
    const PrintSlices bySize(tables, 1000, 2000);
    EXPECT_GT(bySize.count(), 3);
    QStringList tableIds;
    for (qsizetype i = 0; i < bySize.count(); ++i) {
        const QByteArray doc = bySize.document(i);
        EXPECT_LE(bySize.bytes(i), i == 0 ? 500 : 2000) << i;
        EXPECT_TRUE(doc.startsWith("\xEF\xBB\xBF<html><head><style>td { color: navy }</style></head><body>\r\n<div id=")) << i;
        static const QRegularExpression id(QStringLiteral("<div id='(T\\d+)'>"));
        for (auto m = id.globalMatch(QString::fromUtf8(doc)); m.hasNext();)
            tableIds << m.next().captured(1);
    }
    QStringList each;
    for (int t = 1; t <= 40; ++t)
        each << QStringLiteral("T%1").arg(t);
    EXPECT_EQ(tableIds, each);

    // A table larger than a slice is cut between its rows, inside the blocks that hold it, opened again.
    const PrintSlices inside(tables, 2, 1 << 20);
    EXPECT_TRUE(inside.document(1).contains("<body>\r\n<div id='T1'><p><b><font size=2><table border=1><tr><td>a3</td></tr>"));

    // A word too long for its column breaks at the column's edge; only a slice that holds one gets the rule.
    const PrintSlices longWord("<html><body><table><tr><td>" + QByteArray(3000, 'w') + "</td></tr></table></body></html>", 3);
    EXPECT_TRUE(longWord.document(0).endsWith("\r\n<style>html { overflow-wrap: anywhere; }</style>"));

    // One block larger than the most a renderer prints, with no cut inside it: said truly, before printing.
    try {
        PrintSlices("<html><body><p>Before</p><table><tr><td>" + QByteArray(200, 'x') + "</td></tr></table></body></html>",
                    3, 60, 100);
        ADD_FAILURE() << "a page too large was sliced";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "The page is too large to be printed: a part of 0.0 MB of it cannot be cut into smaller "
                               "parts, and the web engine prints at most 0 MB at once.");
    }
}

TEST(PrintSlicesRender, APageLongerThanASlicePrintsEveryRowOnceInOrder)
{
    const qsizetype sliceRows = PrintSliceRows();
    SetPrintSliceRows(40);
    WebBrowser browser;
    browser.resize(640, 360);
    browser.show();
    const QString text = PrintedText(browser, TwoTables(130, 45));
    SetPrintSliceRows(sliceRows);

    EXPECT_EQ(RowNames(text), Expected(130, 45));
    EXPECT_EQ(text.count(QStringLiteral("Before")), 1);
    EXPECT_EQ(text.count(QStringLiteral("Between")), 1);
    EXPECT_EQ(text.count(QStringLiteral("After")), 1);
    EXPECT_TRUE(text.indexOf(QStringLiteral("Before")) < text.indexOf(QStringLiteral("a1")));
    EXPECT_TRUE(text.indexOf(QStringLiteral("Between")) > text.indexOf(QStringLiteral("a130")));
    EXPECT_TRUE(text.indexOf(QStringLiteral("After")) > text.indexOf(QStringLiteral("b45")));
    // The slice documents go with the printing.
    EXPECT_FALSE(QFile::exists(test::TestHome() + QStringLiteral("/_temp_04_print0.html")));
}

TEST(PrintSlicesRender, PagesOfManyShortTablesAndOfLongRowsOverFourMbPrintEveryRowOnceInOrder)
{
    const qsizetype sliceBytes = PrintSliceBytes();
    SetPrintSliceBytes(256 * 1024);
    SlicedPdf::setParallel(2);
    WebBrowser browser;
    browser.resize(640, 360);
    browser.show();

    // A preview of 4,500 objects: a table of two rows each, in the blocks the preview holds it in.
    QByteArray tables = "<html><body>\r\n<p align='center'><b>&nbsp;</b></p>\r\n";
    const QByteArray filler = "<td width='80%'>&nbsp;<font face='Calibri' size='2'>" + QByteArray("Helper ").repeated(90)
                              + "&nbsp;</font></td></tr>";
    for (int t = 1; t <= 4500; ++t)
        tables += "<p><b>Object</b></p><div id='CALC_" + QByteArray::number(t) + "'><p><b><font size='2'><table border='1' "
                  "width='100%'><tr><td width='20%'>a" + QByteArray::number(2 * t - 1) + "</td>" + filler
                  + "<tr><td>a" + QByteArray::number(2 * t) + "</td>" + filler + "</table></font></b></p></div>\r\n";
    tables += "</body></html>\r\n";
    ASSERT_GT(tables.size(), 4 * 1024 * 1024);
    EXPECT_EQ(RowNames(PrintedText(browser, tables)), Expected(9000, 0));

    // An audit page of 1,100 rows of 1,000 Japanese characters with quotes.
    QByteArray rows = "<html><body>\r\n<table border='1' width='100%'>\r\n";
    const QByteArray text = QString::fromUtf8("&quot;監査ログ「引用」&quot;の記録").repeated(100).toUtf8();
    for (int r = 1; r <= 1100; ++r)
        rows += "<tr><td width='8%'>b" + QByteArray::number(r) + "</td><td>" + text + "</td></tr>\r\n";
    rows += "</table>\r\n</body></html>\r\n";
    ASSERT_GT(rows.size(), 4 * 1024 * 1024);
    EXPECT_EQ(RowNames(PrintedText(browser, rows)), Expected(0, 1100));

    SetPrintSliceBytes(sliceBytes);
    SlicedPdf::setParallel(4);
}
