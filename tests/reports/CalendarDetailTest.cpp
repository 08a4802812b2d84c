#include "ReportTestSupport.h"

#include "reports/CalendarDetail.h"
#include "reports/DetailSectionFlags.h"

#include <array>
#include <vector>

using namespace bkl::reports;
using bkl::test::LogMessages;

namespace {
class CalendarDetail : public bkl::test::ReportTest {};

using Period = std::array<const char*, 5>;
// The periods of the Fiscal Calendar in statement order (by parent, then end date).
const std::vector<Period> kFiscalPeriods{
    {"FY 2026", "Year", "Fiscal Calendar", "01-Feb-2026", "31-Jan-2027"},
    {"Q1 FY 2026", "Quarter", "FY 2026", "01-Feb-2026", "30-Apr-2026"},
    {"Q2 FY 2026", "Quarter", "FY 2026", "01-May-2026", "31-Jul-2026"},
    {"Q3 FY 2026", "Quarter", "FY 2026", "01-Aug-2026", "31-Oct-2026"},
    {"Q4 FY 2026", "Quarter", "FY 2026", "01-Nov-2026", "31-Jan-2027"},
    {"Feb 2026", "Month", "Q1 FY 2026", "01-Feb-2026", "28-Feb-2026"},
    {"Mar 2026", "Month", "Q1 FY 2026", "01-Mar-2026", "31-Mar-2026"},
    {"Apr 2026", "Month", "Q1 FY 2026", "01-Apr-2026", "30-Apr-2026"},
    {"May 2026", "Month", "Q2 FY 2026", "01-May-2026", "31-May-2026"},
    {"Jun 2026", "Month", "Q2 FY 2026", "01-Jun-2026", "30-Jun-2026"},
    {"Jul 2026", "Month", "Q2 FY 2026", "01-Jul-2026", "31-Jul-2026"},
    {"Aug 2026", "Month", "Q3 FY 2026", "01-Aug-2026", "31-Aug-2026"},
    {"Sep 2026", "Month", "Q3 FY 2026", "01-Sep-2026", "30-Sep-2026"},
    {"Oct 2026", "Month", "Q3 FY 2026", "01-Oct-2026", "31-Oct-2026"},
    {"Nov 2026", "Month", "Q4 FY 2026", "01-Nov-2026", "30-Nov-2026"},
    {"Dec 2026", "Month", "Q4 FY 2026", "01-Dec-2026", "31-Dec-2026"},
    {"Jan 2027", "Month", "Q4 FY 2026", "01-Jan-2027", "31-Jan-2027"},
};

const QString kSeparator = QString(100, QLatin1Char('-')) + QStringLiteral("\r\n");
} // namespace

TEST_F(CalendarDetail, FiscalCalendarHtmlAndText)
{
    QString html = QStringLiteral(
        "<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='80%'  cellspacing='0' cellpadding='0'>"
        "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Period Name</font></b></td>"
        "<td width='20%' ><b><font  face='Calibri' size='2'>Level</font></b></td>"
        "<td width='20%' ><b><font  face='Calibri' size='2'>Parent</font></b></td>"
        "<td width='20%' ><b><font  face='Calibri' size='2'>Period Start</font></b></td>"
        "<td width='20%' ><b><font  face='Calibri' size='2'>Period End</font></b></td></tr>");
    QString text = kSeparator
        + QStringLiteral("Calendar: (FISCAL) Fiscal Calendar\r\n\r\nTime Hierarchy: \r\n"
                         "Period Name         Level               Parent              Period Start        Period End          \r\n");
    for (const Period& p : kFiscalPeriods) {
        html += QStringLiteral("<tr>");
        for (const char* v : p) {
            html += QStringLiteral("<td width='20%' ><font  face='Calibri' size='2'>") + QLatin1String(v)
                + QStringLiteral("</font></td>");
            text += QString::fromLatin1(v).leftJustified(20);
        }
        html += QStringLiteral("</tr>");
        text += QStringLiteral("\r\n");
    }
    html += QStringLiteral("</table>");
    text += QStringLiteral("\r\n");

    EXPECT_EQ(GetCalendarDetails(source(), QStringLiteral(" (FISCAL) Fiscal Calendar ")), html);
    EXPECT_EQ(ExportCalendarDetails(source(), QStringLiteral("( FISCAL )Fiscal Calendar")),
              QString(text).replace(QStringLiteral("(FISCAL) Fiscal"), QStringLiteral("( FISCAL )Fiscal")));
    EXPECT_EQ(ExportCalendarDetails(source(), QStringLiteral("(FISCAL) Fiscal Calendar")), text);

    g_bCalendarTimeHierarchy = false;
    EXPECT_EQ(ExportCalendarDetails(source(), QStringLiteral("(FISCAL) Fiscal Calendar")),
              kSeparator + QStringLiteral("Calendar: (FISCAL) Fiscal Calendar\r\n\r\n\r\n"));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(CalendarDetail, WithoutPeriodsBlankNameAndBadItemText)
{
    EXPECT_EQ(GetCalendarDetails(edge(), QStringLiteral("(EMPTY) Calendar Without Periods")), QString());
    EXPECT_EQ(ExportCalendarDetails(edge(), QStringLiteral("(EMPTY) Calendar Without Periods")), QStringLiteral("\r\n"));
    // Periods exist, but the name part is blank.
    EXPECT_EQ(GetCalendarDetails(source(), QStringLiteral("(FISCAL)")), QStringLiteral("* No Details Available *"));
    EXPECT_EQ(ExportCalendarDetails(source(), QStringLiteral("(FISCAL)  ")), QStringLiteral("* No Details Available *\r\n"));
    // An unknown calendar has no periods.
    EXPECT_EQ(GetCalendarDetails(source(), QStringLiteral("(NOPE) Nope")), QString());
    EXPECT_TRUE(LogMessages().isEmpty());

    EXPECT_EQ(GetCalendarDetails(source(), QStringLiteral("(FISCAL Fiscal Calendar")),
              QStringLiteral("<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>"));
    EXPECT_EQ(ExportCalendarDetails(source(), QStringLiteral(")FISCAL( Fiscal Calendar")), QString());
    EXPECT_EQ(LogMessages(),
              QStringList({QStringLiteral("Function: GetCalendarDetails() --> Code: 5 --> Description: Invalid procedure call or argument"),
                           QStringLiteral("Function: ExportCalendarDetails() --> Code: 5 --> Description: Invalid procedure call or argument")}));
}

TEST_F(CalendarDetail, EdgeNamesAndTwentyCharacterColumns)
{
    // "Edge <Calendar> & Co" is exactly 20 characters: no blank and no tab after it.
    const QString text = ExportCalendarDetails(edge(), QStringLiteral("(EDGE) Edge <Calendar> & Co"));
    EXPECT_TRUE(text.startsWith(kSeparator + QStringLiteral("Calendar: (EDGE) Edge <Calendar> & Co\r\n\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nEdge 2026           Year                Edge <Calendar> & Co01-Jan-2026         "
                                             "31-Dec-2026         \r\n")));
    const QString html = GetCalendarDetails(edge(), QStringLiteral("(EDGE) Edge <Calendar> & Co"));
    EXPECT_TRUE(html.contains(QStringLiteral("<td width='20%' ><font  face='Calibri' size='2'>Edge &lt;Calendar&gt; &amp; Co</font></td>")));
    // Only the id goes into the statement; a quote in the name part is harmless.
    EXPECT_TRUE(ExportCalendarDetails(edge(), QStringLiteral("(OBC) O'Brien Calendar"))
                    .contains(QStringLiteral("\r\nEdge 2026           Year                O'Brien Calendar    01-Jul-2026         ")));
    EXPECT_TRUE(LogMessages().isEmpty());
}
