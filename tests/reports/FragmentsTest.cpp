#include "ReportTestSupport.h"

#include "platform/db/DbError.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace bkl::reports;

TEST(FragmentsHtml, CellsAndTablesAreTheFixedLook)
{
    EXPECT_EQ(LabelCell(QStringLiteral("Plan ID")),
              QStringLiteral("<td width='20%' ><b><font  face='Calibri' size='2'>Plan ID</font></b></td>"));
    EXPECT_EQ(LabelCell(QStringLiteral("Column"), QStringLiteral("40%")),
              QStringLiteral("<td width='40%' ><b><font  face='Calibri' size='2'>Column</font></b></td>"));
    EXPECT_EQ(DataCell(QStringLiteral("x")), QStringLiteral("<td width='20%' ><font  face='Calibri' size='2'>x</font></td>"));
    EXPECT_EQ(ValueCell(QStringLiteral("v")),
              QStringLiteral("<td width='80%'>&nbsp;<font  face='Calibri' size='2'>v&nbsp;</font></td>"));
    EXPECT_EQ(ValueCell(QStringLiteral("v"), ValuePadding::TrailingOnly),
              QStringLiteral("<td width='80%'><font  face='Calibri' size='2'>v&nbsp;</font></td>"));
    EXPECT_EQ(ValueCell(QStringLiteral("v"), ValuePadding::LeadingOnly),
              QStringLiteral("<td width='80%'>&nbsp;<font  face='Calibri' size='2'>v</font></td>"));
    EXPECT_EQ(ValueCell(QStringLiteral("v"), ValuePadding::None),
              QStringLiteral("<td width='80%'><font  face='Calibri' size='2'>v</font></td>"));
    EXPECT_EQ(BoldValueCell(QStringLiteral("v")),
              QStringLiteral("<td width='80%' ><b><font  face='Calibri' size='2'>v</font></b></td>"));
    EXPECT_EQ(ListCell(QStringLiteral("A.x"), QStringLiteral(" ")),
              QStringLiteral("<td > <font face='Calibri' size='2'>&nbsp;A.x </font></td>"));
    EXPECT_EQ(ListCell(QStringLiteral("F"), QString(), QStringLiteral("&nbsp;&nbsp;")),
              QStringLiteral("<td > <font face='Calibri' size='2'>&nbsp;&nbsp;F</font></td>"));
    EXPECT_EQ(ListTable({}), QStringLiteral("<table border='0' width='100%'></table>"));
    EXPECT_EQ(ListTable({QStringLiteral("A"), QStringLiteral("B")}),
              QStringLiteral("<table border='0' width='100%'>"
                             "<tr><td > <font face='Calibri' size='2'>&nbsp;A</font></td></tr>"
                             "<tr><td > <font face='Calibri' size='2'>&nbsp;B</font></td></tr></table>"));
    EXPECT_STREQ(kErrorSpacer, "<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>");
    EXPECT_STREQ(kCentredDetailTableOpen,
                 "<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='80%'  cellspacing='0' cellpadding='0'>");
    EXPECT_STREQ(kFullWidthDetailTableOpen,
                 "<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>");
}

TEST(FragmentsText, SeparatorCaptionAndFixedColumns)
{
    EXPECT_EQ(SectionSeparator(), QString(100, QLatin1Char('-')) + QStringLiteral("\r\n"));
    EXPECT_EQ(SectionSeparator(kTableSeparatorWidth).size(), 152);
    EXPECT_EQ(CaptionLine(QString::fromLatin1(kViewCaption), QStringLiteral("V"), 1), QStringLiteral("View: V\r\n"));
    EXPECT_EQ(CaptionLine(QString::fromLatin1(kTableCaption), QStringLiteral("T")), QStringLiteral("Table: T\r\n\r\n"));
    EXPECT_EQ(ScalarSection(QStringLiteral("Plan ID: "), QStringLiteral("3")), QStringLiteral("Plan ID: 3\r\n\r\n"));

    const QString fifty(50, QLatin1Char('n'));
    EXPECT_EQ(FixedColumn(fifty, 50), fifty);
    EXPECT_EQ(FixedColumn(fifty + QLatin1Char('x'), 50), fifty + QStringLiteral("x\t"));
    EXPECT_EQ(FixedColumn(QStringLiteral("ab"), 5), QStringLiteral("ab   "));
    const QString twenty(20, QLatin1Char('p'));
    EXPECT_EQ(FixedColumn(twenty, 20), twenty);
    EXPECT_EQ(FixedColumn(twenty + QLatin1Char('q'), 20), twenty + QStringLiteral("q\t"));
    EXPECT_EQ(FixedColumn(QString(), 20), QString(20, QLatin1Char(' ')));
}

TEST(FragmentsItemText, SplitsIdAndName)
{
    auto expectSplit = [](const QString& text, const QString& id, const QString& name) {
        const ItemTextParts p = SplitItemText(text);
        EXPECT_EQ(p.id, id) << text.toStdString();
        EXPECT_EQ(p.name, name) << text.toStdString();
        EXPECT_EQ(p.text, text.trimmed()) << text.toStdString();
    };
    expectSplit(QStringLiteral("(12) North Plan"), QStringLiteral("12"), QStringLiteral("North Plan"));
    expectSplit(QStringLiteral(" (12)North Plan "), QStringLiteral("12"), QStringLiteral("North Plan"));
    expectSplit(QStringLiteral("( 12 )  North Plan"), QStringLiteral("12"), QStringLiteral("North Plan"));
    expectSplit(QStringLiteral("()X"), QString(), QStringLiteral("X"));
    expectSplit(QStringLiteral("12) X"), QStringLiteral("12"), QStringLiteral("X"));
    expectSplit(QStringLiteral("(12)"), QStringLiteral("12"), QString());
    // Only blanks are stripped: a tab stays part of the name.
    EXPECT_EQ(SplitItemText(QStringLiteral("(1) A\t")).name, QStringLiteral("A\t"));

    for (const QString bad : {QStringLiteral("(12 X"), QStringLiteral(")("), QStringLiteral("North Plan")}) {
        try {
            SplitItemText(bad);
            ADD_FAILURE() << bad.toStdString();
        } catch (const RenderError& e) {
            EXPECT_EQ(e.number(), 5);
            EXPECT_EQ(e.description(), QStringLiteral("Invalid procedure call or argument"));
        }
    }
}

TEST(FragmentsGuard, LogsTheProcedureLineAndReturnsTheNeutralValue)
{
    bkl::test::ClearLog();
    EXPECT_EQ(RunGuarded(QStringLiteral("GetTableDetails"), QString::fromLatin1(kErrorSpacer),
                         []() -> QString { throw bkl::db::DbError(208, QStringLiteral("src"), QStringLiteral("no such table")); }),
              QString::fromLatin1(kErrorSpacer));
    EXPECT_EQ(RunGuarded(QStringLiteral("GetTableCountUsingSYSTables"), 0LL,
                         []() -> long long { throw std::overflow_error("x"); }),
              0LL);
    EXPECT_EQ(RunGuarded(QStringLiteral("ExportCalendarDetails"), QString(),
                         []() -> QString { return SplitItemText(QStringLiteral("(1 X")).id; }),
              QString());
    EXPECT_EQ(RunGuardedWithArgument(QStringLiteral("ExportCalculationDetails"), QStringLiteral("Calc A"), QString(),
                                     []() -> QString { throw bkl::db::DbError(3021, QStringLiteral("s"), QStringLiteral("EOF")); }),
              QString());
    EXPECT_EQ(RunSilently(QStringLiteral("n"), []() -> QString { throw std::runtime_error("quiet"); }), QStringLiteral("n"));
    EXPECT_EQ(RunGuarded(QStringLiteral("X"), QString(), []() { return QStringLiteral("ok"); }), QStringLiteral("ok"));
    EXPECT_EQ(bkl::test::LogMessages(),
              QStringList({QStringLiteral("Function: GetTableDetails() --> Code: 208 --> Description: no such table"),
                           QStringLiteral("Function: GetTableCountUsingSYSTables() --> Code: 6 --> Description: Overflow"),
                           QStringLiteral("Function: ExportCalendarDetails() --> Code: 5 --> Description: Invalid procedure call or argument"),
                           QStringLiteral("Function: ExportCalculationDetails(Calc A) --> Code: 3021 --> Description: EOF")}));
}
