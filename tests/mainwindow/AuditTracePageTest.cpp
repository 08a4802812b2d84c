#include "mainwindow/AuditTracePage.h"

#include "AuditTraceFixture.h"

#include <QDateTime>

using namespace bkl::mainwindow;

namespace {

class AuditTracePage : public AuditTraceFixture {};

} // namespace

TEST_F(AuditTracePage, TimesInOneFixedForm)
{
    const QDateTime evening(QDate(2026, 8, 31), QTime(23, 39, 54));
    EXPECT_EQ(AuditTimeText(bkl::db::Value::dateTime(evening)), "08/31/2026 11:39:54 PM");
    EXPECT_EQ(AuditTimeText(bkl::db::Value::text("2026-06-03 04:40:27")), "06/03/2026 04:40:27 AM");
    EXPECT_EQ(AuditTimeText(bkl::db::Value::text("2026-06-03T12:00:00")), "06/03/2026 12:00:00 PM");
    EXPECT_EQ(AuditTimeText(bkl::db::Value::null()), "");
    EXPECT_EQ(AuditTimeText(bkl::db::Value::text("yesterday")), "yesterday");
}

TEST_F(AuditTracePage, AuditValuesAreEscapedAndCounted)
{
    OpenDemoModel(QStringLiteral("EdgeCaseModel"));
    std::vector<long> counts;
    const QString html = AuditTableHtml(g_cnModel, QStringLiteral("SELECT TOP 2") + kAuditColumns + " ORDER BY Time DESC",
                                        [&counts](long n) { counts.push_back(n); });
    EXPECT_EQ(counts, (std::vector<long>{1, 2}));
    // The row layout is pinned by the window's trace page; here every value is escaped.
    EXPECT_TRUE(html.startsWith(kAuditTableHead));
    EXPECT_EQ(html.count(QStringLiteral("size='2'>O&#39;Brien&nbsp;</font></td>")), 2);
    EXPECT_TRUE(html.contains(QStringLiteral(
        "size='2'>&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; done&nbsp;</font></td></tr><tr>")));
    EXPECT_TRUE(html.contains(QStringLiteral("size='2'>Import &#39;Nightly SalesTransactions Load&#39; started by O&#39;Brien&nbsp;")));
    EXPECT_FALSE(html.contains(QStringLiteral("<script>")));
}

TEST_F(AuditTracePage, NoRecordsGiveTheHeaderRowOnly)
{
    OpenDemoModel();
    const AuditLogResult result = GetAuditLog(
        g_cnModel, QStringLiteral("SELECT TOP 200") + kAuditColumns + " WHERE UPPER(UserID) LIKE '%NOBODY%' ORDER BY Time DESC",
        nullptr);
    EXPECT_FALSE(result.failure);
    EXPECT_EQ(result.html, kAuditTableHead + "</table>");
    EXPECT_TRUE(LogMessages().isEmpty());
}

