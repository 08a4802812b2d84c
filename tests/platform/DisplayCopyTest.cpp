// The display copy of a page with a very long table: every row of the file kept,
// the same cells in the same order, in blocks that each open as the table does;
// the rest of the page as it is; pages without such a table, or whose file cannot
// be read to its end, shown as they are.
#include "platform/ui/DisplayCopy.h"
#include "support/FailingFile.h"
#include "support/FileBytes.h"
#include "support/LogReader.h"
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

// A table of `rows` rows of one cell.
QByteArray Table(int rows, const QByteArray& cell)
{
    QByteArray html = "<table border='1'>";
    for (int i = 0; i < rows; ++i)
        html += "<tr><td>" + cell + "</td></tr>";
    return html + "</table>";
}

// The sizer table of the copy's first long table.
QByteArray SizerOf(const QByteArray& copy)
{
    static const QRegularExpression sizer(
        QStringLiteral("<div class='bkl-sizer' data-table='0'><script type='text/x-table-sizer'>(.*?)</script></div>"),
        QRegularExpression::DotMatchesEverythingOption);
    return sizer.match(QString::fromUtf8(copy)).captured(1).toUtf8();
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
    EXPECT_TRUE(copy.startsWith("<meta charset='utf-8'>" + page.left(tableStart)
                                + "<style>div.bkl-sizer{height:0;overflow:hidden;visibility:hidden}"
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
    // cells with the longest unbroken text and six with the longest lines, as a table of its
    // own the script measures columns on.
    const QRegularExpression sizer(QStringLiteral("<div class='bkl-sizer' data-table='0'><script "
                                                  "type='text/x-table-sizer'>(.*?)</script></div><div class='bkl-rows "));
    const QByteArray sizerTable = sizer.match(QString::fromUtf8(copy)).captured(1).toUtf8();
    const qsizetype headerEnd = page.indexOf("<tr>", rowsStart + 4);
    EXPECT_TRUE(sizerTable.startsWith(opening + page.mid(rowsStart, headerEnd - rowsStart) + "<tr>"));
    EXPECT_EQ(sizerTable.count("<tr>"), 13);
    EXPECT_EQ(sizerTable.count("<td"), 78);
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
    const auto table = Table;
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
    EXPECT_TRUE(copy.startsWith("<meta charset='utf-8'><table><tr><td><style>"));
    EXPECT_TRUE(copy.contains("<script type='text/x-table-sizer'><table border='1'><tr><td>a</td></tr><tr><td>a</td></tr>"
                              "<tr><td>a</td></tr></table></script>"));
    EXPECT_TRUE(copy.endsWith("</script></td></tr></table>" + table(3, "b")));
    // A page that cannot be read has no copy, and no old copy is left beside it.
    const QString missing = test::TestHome() + QStringLiteral("/missing.html");
    test::WriteFileBytes(DisplayCopyPath(missing), "old");
    EXPECT_TRUE(WriteDisplayCopy(missing).isEmpty());
    EXPECT_FALSE(QFile::exists(DisplayCopyPath(missing)));
}

TEST(DisplayCopy, SizesColumnsOnTheCellsThatNeedMostRoomAndKeepsRowsOverSeveralColumnsWhole)
{
    // Two banner rows first; one cell of the first column with the longest line but short words.
    QByteArray html = "<table width='100%'><tr><td colspan='3'>Source Model: SalesModel2026</td></tr>"
                      "<tr><td Colspan='3'>Target Model: SalesModel2026 Copy of the second quarter</td></tr>";
    for (int i = 1; i <= 10; ++i)
        html += "<tr><td>Calculation" + QByteArray::number(i) + "</td><td>Calculation</td><td>Identical</td></tr>";
    html += "<tr><td>a b c d e f g h i j k l m n o p q r s t</td><td>Plan</td><td>Mismatch</td></tr></table>";
    const QByteArray sizer = SizerOf(DisplayCopy(html, {10, 4}));
    // The first row; rows of three cells, those with the longest words and with the longest
    // lines; the other banner row whole.
    EXPECT_TRUE(sizer.startsWith("<table width='100%'><tr><td colspan='3'>Source Model: SalesModel2026</td></tr><tr>"
                                 "<td>Calculation10</td><td>Calculation</td><td>Identical</td></tr>"));
    EXPECT_TRUE(sizer.contains("<tr><td>a b c d e f g h i j k l m n o p q r s t</td><td>Calculation</td>"
                               "<td>Identical</td></tr>"));
    EXPECT_EQ(sizer.count("<tr><td Colspan='3'>Target Model: SalesModel2026 Copy of the second quarter</td></tr>"), 1);
    EXPECT_TRUE(sizer.endsWith("</tr></table>"));
    static const QRegularExpression row(QStringLiteral("<tr>((?:<td>[^<]*</td>)*)</tr>"));
    for (auto it = row.globalMatch(QString::fromUtf8(sizer)); it.hasNext();)
        EXPECT_EQ(it.next().captured(1).count(QStringLiteral("<td>")), 3);
}

TEST(DisplayCopy, DeclaresUtf8AndReadsTagsAndNulsAsTheTokenizerDoes)
{
    const DisplayCopyLimits limits{10, 4};
    // The encoding declared first in the copy, after a doctype.
    EXPECT_TRUE(
        DisplayCopy("<html><body>" + Table(11, "a"), limits).startsWith("<meta charset='utf-8'><html><body><style>"));
    EXPECT_TRUE(DisplayCopy("<!DOCTYPE html>\r\n<html>" + Table(11, "a"), limits)
                    .startsWith("<!DOCTYPE html><meta charset='utf-8'>\r\n<html><style>"));
    // A script tag's name ends at a blank, `/` or `>`, in any case: rows holding one are not split.
    for (const QByteArray& cell : {"</script/>", "</SCRIPT >", "</Script\t>", "<script/>x", "<!-- a -->"})
        EXPECT_TRUE(DisplayCopy(Table(11, cell), limits).isEmpty()) << cell.toStdString();
    QByteArray upper = Table(11, "a");
    upper.replace("</table>", "</TABLE >");
    EXPECT_EQ(BlocksOf(DisplayCopy(upper + "<p>after</p>", limits)).rows, 11);
    EXPECT_TRUE(DisplayCopy(upper + "<p>after</p>", limits).endsWith("</script><p>after</p>"));
    // A NUL in the text is dropped, as the page drops it; one inside a tag stays.
    const QByteArray copy = DisplayCopy(Table(11, QByteArrayLiteral("a\0b<b title='x\0>y'>c\0d</b>")), limits);
    EXPECT_EQ(BlocksOf(copy).rows, 11);
    // (each row in its block, and the three rows of the sizer)
    EXPECT_EQ(copy.count(QByteArrayLiteral("<td>ab<b title='x\0>y'>cd</b></td>")), 11 + 3);
    EXPECT_EQ(copy.count('\0'), 11 + 3);
}

TEST(DisplayCopy, APageFileReadShortMakesNoCopyAndIsLogged)
{
    const QString page = test::TestHome() + QStringLiteral("/_temp_04.html");
    ASSERT_EQ(test::WriteLongAuditPage(page, 15), 6000);
    ASSERT_FALSE(WriteDisplayCopy(page).isEmpty());
    // A copy of the first 100,000 bytes would show a part of the page as all of it.
    test::FailingFile failing(page, 100000);
    test::ClearLog();
    EXPECT_TRUE(WriteDisplayCopy(page).isEmpty());
    EXPECT_FALSE(QFile::exists(DisplayCopyPath(page)));
    EXPECT_EQ(test::LogMessages(),
              QStringList{QStringLiteral("The page %1 could not be read for its display copy (Input/output error); it is "
                                         "shown as it is.")
                              .arg(page)});
}
