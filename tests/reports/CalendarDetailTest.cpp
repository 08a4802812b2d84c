#include "reports/CalendarDetail.h"
#include "reports/DetailSectionFlags.h"

#include "ReportTestSupport.h"

#include <array>

using CalendarDetail = ReportTest;

TEST_F(CalendarDetail, FiscalCalendarHtmlAndText)
{
    // The periods of the Fiscal Calendar in statement order (by parent, then end date).
    const std::array<const char*, 5> periods[] = {
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
        {"Jan 2027", "Month", "Q4 FY 2026", "01-Jan-2027", "31-Jan-2027"}};
    QString html = Html("<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='80%'  "
                        "cellspacing='0' cellpadding='0'><tr><td width='20%' ><b>{F}Period Name</font></b></td>"
                        "<td width='20%' ><b>{F}Level</font></b></td><td width='20%' ><b>{F}Parent</font></b></td>"
                        "<td width='20%' ><b>{F}Period Start</font></b></td><td width='20%' ><b>{F}Period End</font></b></td></tr>");
    QString text = Rule() + "Calendar: (FISCAL) Fiscal Calendar\r\n\r\nTime Hierarchy: \r\n"
                            "Period Name         Level               Parent              Period Start        Period End          \r\n";
    for (const auto& p : periods) {
        html += "<tr>";
        for (const char* v : p) {
            html += Html("<td width='20%' >{F}") + QLatin1String(v) + "</font></td>";
            text += QString::fromLatin1(v).leftJustified(20);
        }
        html += "</tr>";
        text += "\r\n";
    }
    EXPECT_EQ(GetCalendarDetails(source(), u" (FISCAL) Fiscal Calendar "_s), html + "</table>");
    EXPECT_EQ(ExportCalendarDetails(source(), u"(FISCAL) Fiscal Calendar"_s), text + "\r\n");
    EXPECT_EQ(ExportCalendarDetails(source(), u"( FISCAL )Fiscal Calendar"_s),
              QString(text + "\r\n").replace(u"(FISCAL) Fiscal"_s, u"( FISCAL )Fiscal"_s));
    g_bCalendarTimeHierarchy = false;
    EXPECT_EQ(ExportCalendarDetails(source(), u"(FISCAL) Fiscal Calendar"_s), Rule() + "Calendar: (FISCAL) Fiscal Calendar\r\n\r\n\r\n");
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(CalendarDetail, WithoutPeriodsBlankNameBadItemTextAndEdgeNames)
{
    EXPECT_EQ(GetCalendarDetails(edge(), u"(EMPTY) Calendar Without Periods"_s), QString());
    EXPECT_EQ(ExportCalendarDetails(edge(), u"(EMPTY) Calendar Without Periods"_s), "\r\n");
    // Periods exist, but the name part is blank.
    EXPECT_EQ(GetCalendarDetails(source(), u"(FISCAL)"_s), "* No Details Available *");
    EXPECT_EQ(ExportCalendarDetails(source(), u"(FISCAL)  "_s), "* No Details Available *\r\n");
    // An unknown calendar has no periods.
    EXPECT_EQ(GetCalendarDetails(source(), u"(NOPE) Nope"_s), QString());
    // "Edge <Calendar> & Co" is exactly 20 characters: no blank and no tab after it.
    const QString text = ExportCalendarDetails(edge(), u"(EDGE) Edge <Calendar> & Co"_s);
    EXPECT_TRUE(text.startsWith(Rule() + "Calendar: (EDGE) Edge <Calendar> & Co\r\n\r\n"));
    ExpectPieces(text, {"\r\nEdge 2026           Year                Edge <Calendar> & Co01-Jan-2026         31-Dec-2026         \r\n"});
    ExpectPieces(GetCalendarDetails(edge(), u"(EDGE) Edge <Calendar> & Co"_s),
                 {"<td width='20%' ><font  face='Calibri' size='2'>Edge &lt;Calendar&gt; &amp; Co</font></td>"});
    // Only the id goes into the statement; a quote in the name part is harmless.
    ExpectPieces(ExportCalendarDetails(edge(), u"(OBC) O'Brien Calendar"_s),
                 {"\r\nEdge 2026           Year                O'Brien Calendar    01-Jul-2026         "});
    EXPECT_TRUE(LogMessages().isEmpty());

    EXPECT_EQ(GetCalendarDetails(source(), u"(FISCAL Fiscal Calendar"_s),
              "<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>");
    EXPECT_EQ(ExportCalendarDetails(source(), u")FISCAL( Fiscal Calendar"_s), QString());
    EXPECT_EQ(LogMessages(), QStringList({u"Function: GetCalendarDetails() --> Code: 5 --> Description: Invalid procedure call or argument"_s,
                                          u"Function: ExportCalendarDetails() --> Code: 5 --> Description: Invalid procedure call or argument"_s}));
}
