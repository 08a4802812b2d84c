// The display copy of a page with a very long table: every row of the file kept,
// the same cells in the same order, in blocks that each open as the table does;
// the rest of the page as it is; pages without such a table shown as they are.
#include "platform/ui/DisplayCopy.h"
#include "support/FileBytes.h"
#include "support/LongAuditPage.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace bkl;

namespace {

// The blocks' markup (each a whole table) and their row counts, as the copy keeps them.
struct Blocks {
    QByteArrayList tables;
    qsizetype rows = 0;
};

Blocks BlocksOf(const QByteArray& copy)
{
    Blocks blocks;
    static const QRegularExpression block(QStringLiteral(
        "<div class='bkl-rows[^']*' data-table='\\d+' data-rows='(\\d+)' style='height:\\d+px'><script "
        "type='text/x-table-rows'>(.*?)</script></div>"),
        QRegularExpression::DotMatchesEverythingOption);
    const QString text = QString::fromUtf8(copy);
    for (auto it = block.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        blocks.tables << m.captured(2).toUtf8();
        blocks.rows += m.captured(1).toLongLong();
    }
    return blocks;
}

} // namespace

TEST(DisplayCopy, KeepsEveryRowOfTheLongTableInOrderAndTheRestOfThePageAsItIs)
{
    const QString path = test::TestHome() + QStringLiteral("/long-audit.html");
    ASSERT_EQ(test::WriteLongAuditPage(path, 15), 6000);
    const QByteArray page = test::FileBytes(path);
    const qsizetype tableStart = page.indexOf("<table");
    const qsizetype rowsStart = page.indexOf("<tr>", tableStart);
    const qsizetype tableEnd = page.lastIndexOf("</table>");
    const QByteArray opening = page.mid(tableStart, rowsStart - tableStart);
    ASSERT_EQ(opening, "<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' "
                       "cellpadding='0'>");

    const QByteArray copy = DisplayCopy(page);
    // Before the table and after it: the page's own bytes, the blocks' look and script between.
    EXPECT_TRUE(copy.startsWith(page.left(tableStart) + "<style>div.bkl-sizer{height:0;overflow:hidden;visibility:hidden}"
                                                        "div.bkl-rows>table{table-layout:fixed}"));
    EXPECT_TRUE(copy.endsWith("</script>" + page.mid(tableEnd + 8)));
    // The header and 6,000 records in 13 blocks of at most 500 rows; each block a whole table as the
    // page opens it; their rows, one after the other, are the table's rows byte for byte.
    const Blocks blocks = BlocksOf(copy);
    ASSERT_EQ(blocks.tables.size(), 13);
    EXPECT_EQ(blocks.rows, 6001);
    QByteArray rows;
    for (const QByteArray& table : blocks.tables) {
        EXPECT_TRUE(table.startsWith(opening + "<tr>"));
        EXPECT_TRUE(table.endsWith("</tr></table>"));
        EXPECT_LE(table.count("<tr>"), 500);
        rows += table.mid(opening.size(), table.size() - opening.size() - 8);
    }
    EXPECT_TRUE(rows == page.mid(rowsStart, tableEnd - rowsStart));
    EXPECT_EQ(blocks.tables.front().count("<tr>"), 500);
    EXPECT_TRUE(blocks.tables.back().contains(">6000&nbsp;</font></td>"));
    EXPECT_EQ(copy.count("class='bkl-rows bkl-before' "), 1);
    EXPECT_EQ(copy.count("class='bkl-rows bkl-after' "), 1);
    EXPECT_EQ(copy.count("class='bkl-rows bkl-after bkl-before' "), 11);

    // The sizer, before the blocks: the header row over six rows of each column's different
    // cells with the longest unbroken text, as a table of its own the script measures columns on.
    const QRegularExpression sizer(QStringLiteral("<div class='bkl-sizer' data-table='0'><script "
                                                  "type='text/x-table-sizer'>(.*?)</script></div><div class='bkl-rows "));
    const QByteArray sizerTable = sizer.match(QString::fromUtf8(copy)).captured(1).toUtf8();
    const qsizetype headerEnd = page.indexOf("<tr>", rowsStart + 4);
    EXPECT_TRUE(sizerTable.startsWith(opening + page.mid(rowsStart, headerEnd - rowsStart) + "<tr>"));
    EXPECT_EQ(sizerTable.count("<tr>"), 7);
    EXPECT_EQ(sizerTable.count("<td"), 42);
    EXPECT_TRUE(sizerTable.contains(">&nbsp;<font  face='Calibri' size='2'>Compensation Plans&nbsp;</font></td>"));
    EXPECT_TRUE(sizerTable.contains(">&nbsp;<font  face='Calibri' size='2'>Calculations&nbsp;</font></td>"));
    EXPECT_TRUE(sizerTable.endsWith("</tr></table>"));

    // Written beside the page, which stays as it was.
    const QString copyPath = WriteDisplayCopy(path);
    EXPECT_EQ(copyPath, test::TestHome() + QStringLiteral("/long-audit_display.html"));
    EXPECT_TRUE(test::FileBytes(copyPath) == copy);
    EXPECT_TRUE(test::FileBytes(path) == page);
}

TEST(DisplayCopy, PagesWithoutALongPlainTableAreShownAsTheyAre)
{
    const auto table = [](int rows, const QByteArray& cell) {
        QByteArray html = "<table border='1'>";
        for (int i = 0; i < rows; ++i)
            html += "<tr><td>" + cell + "</td></tr>";
        return html + "</table>";
    };
    const DisplayCopyLimits limits{10, 4};
    // Ten rows are not more than ten.
    EXPECT_TRUE(DisplayCopy("<html><body>" + table(10, "a") + "</body></html>", limits).isEmpty());
    // Rows holding a script or a comment would end or change the element the rows are kept in.
    EXPECT_TRUE(DisplayCopy(table(11, "<script>x()</script>"), limits).isEmpty());
    EXPECT_TRUE(DisplayCopy(table(11, "<!-- a -->"), limits).isEmpty());
    // Markup before the first row (a caption) would go with the first block only.
    EXPECT_TRUE(DisplayCopy("<table><caption>c</caption>" + table(11, "a").mid(7), limits).isEmpty());
    // A table holding tables is not split; a long table inside one is.
    const QByteArray outer = "<table><tr><td>" + table(11, "a") + "</td></tr></table>";
    const QByteArray copy = DisplayCopy(outer + table(3, "b"), limits);
    const Blocks blocks = BlocksOf(copy);
    ASSERT_EQ(blocks.tables.size(), 3);
    EXPECT_EQ(blocks.rows, 11);
    EXPECT_TRUE(copy.startsWith("<table><tr><td><style>"));
    EXPECT_TRUE(copy.contains("<script type='text/x-table-sizer'><table border='1'><tr><td>a</td></tr><tr><td>a</td></tr>"
                              "<tr><td></td></tr><tr><td></td></tr>"));
    EXPECT_TRUE(copy.endsWith("</script></td></tr></table>" + table(3, "b")));
    // A page that cannot be read has no copy, and no old copy is left beside it.
    const QString missing = test::TestHome() + QStringLiteral("/missing.html");
    test::WriteFileBytes(DisplayCopyPath(missing), "old");
    EXPECT_TRUE(WriteDisplayCopy(missing).isEmpty());
    EXPECT_FALSE(QFile::exists(DisplayCopyPath(missing)));
}
