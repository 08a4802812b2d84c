// Every calculation of every demo model renders in both forms, and only the
// edge-case model's traps write ERROR lines.
#include "reports/CalculationDetail.h"
#include "reports/Fragments.h"

#include "platform/db/Recordset.h"

#include "ReportTestSupport.h"

using CalcAllDemo = ReportTest;

TEST_F(CalcAllDemo, EveryCalculationRendersInBothForms)
{
    for (const bkl::db::Connection* cn : {&source(), &target(), &edge()}) {
        ClearLog();
        bkl::db::Recordset rs(u"SELECT [Name] FROM Calculation ORDER BY [Name]"_s, *cn);
        int count = 0;
        for (; !rs.eof(); rs.moveNext(), ++count) {
            const QString name = rs.field(0).toText();
            SCOPED_TRACE(name.toStdString());
            const QString html = GetCalculationDetails(*cn, name);
            EXPECT_TRUE(html.startsWith(QLatin1String(kFullWidthDetailTableOpen)));
            EXPECT_EQ(html.count(u"<td width='20%' ><b>"_s), 9);
            const QString text = ExportCalculationDetails(*cn, name);
            EXPECT_TRUE(text.contains("Calculation: " + name + "\r\n\r\nType: "));
            EXPECT_TRUE(text.endsWith("\r\n\r\n"));
        }
        EXPECT_GT(count, 15);
        const QStringList errors = LogMessages();
        if (cn != &edge()) {
            EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
            continue;
        }
        // The cyclic restriction tree and the two cyclic folder trees (once per form
        // each), and the calendar that does not exist.
        EXPECT_EQ(errors.filter(u"Code: 28 --> "_s).size(), 6) << errors.join('\n').toStdString();
        EXPECT_EQ(errors.filter(u"Function: GetTimeCalendar() --> Code: 3021"_s).size(), 2);
        EXPECT_EQ(errors.size(), 8);
    }
}
