#include "mainwindow/AuditTracePage.h"

#include "AuditTraceFixture.h"

#include <QCryptographicHash>
#include <QDateTime>

using namespace bkl::mainwindow;

namespace {

class AuditTracePage : public AuditTraceFixture {};

constexpr qsizetype kWholePageSize = 249913;
constexpr char kWholePageSha256[] = "13b6e2cae420952cfac39331659565016fae9b83aa437f7d547deea61f54e053";

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
    EXPECT_FALSE(WriteAuditTracePage(AuditTracePagePath(), g_cnModel,
                                     QStringLiteral("SELECT TOP 2") + kAuditColumns + " ORDER BY Time DESC",
                                     [&counts](long n) { counts.push_back(n); }));
    EXPECT_EQ(counts, (std::vector<long>{1, 2}));
    // The row layout is pinned by the window's trace page; here every value is escaped.
    const QString html = QString::fromUtf8(FileBytes(AuditTracePagePath())).section(QStringLiteral("\r\n"), 2, 2);
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
    EXPECT_FALSE(WriteAuditTracePage(
        AuditTracePagePath(), g_cnModel,
        QStringLiteral("SELECT TOP 200") + kAuditColumns + " WHERE UPPER(UserID) LIKE '%NOBODY%' ORDER BY Time DESC",
        nullptr));
    EXPECT_EQ(QString::fromUtf8(FileBytes(AuditTracePagePath())).section(QStringLiteral("\r\n"), 2, 2),
              kAuditTableHead + "</table>");
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(AuditTracePage, TheStreamedPageIsTheOneBuiltWhole)
{
    // Every record of the demo model, written in parts: the page built as one text hashed to this.
    OpenDemoModel();
    int records = 0;
    EXPECT_FALSE(WriteAuditTracePage(AuditTracePagePath(), g_cnModel,
                                     QStringLiteral("SELECT") + kAuditColumns + " ORDER BY Time DESC",
                                     [&records](long n) { records = static_cast<int>(n); }));
    EXPECT_EQ(records, 400);
    const QByteArray page = FileBytes(AuditTracePagePath());
    EXPECT_EQ(page.size(), kWholePageSize);
    EXPECT_EQ(QCryptographicHash::hash(page, QCryptographicHash::Sha256).toHex(), kWholePageSha256);

    // A read that fails after rows were written drops them: the spacer stands in for the table.
    const std::optional<bkl::db::DbError> failure =
        WriteAuditTracePage(AuditTracePagePath(), g_cnModel, QStringLiteral("SELECT") + kAuditColumns, [](long n) {
            if (n == 300)
                throw bkl::db::DbError(bkl::db::err::ProviderError, QStringLiteral("test"), QStringLiteral("lost"));
        });
    ASSERT_TRUE(failure);
    EXPECT_EQ(FileBytes(AuditTracePagePath()),
              "<html><body>\r\n<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>\r\n"
              "<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>\r\n</body>\r\n</html>\r\n");
    EXPECT_EQ(LogMessages(), QStringList({"Function: GetAuditLog() --> Code: " + QString::number(failure->number())
                                          + " --> Description: lost"}));
}
