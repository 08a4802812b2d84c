// The audit trace: its statement, its page written as the records are read, and
// the window that builds one from its options and shows the other.
#include "mainwindow/AuditTracePage.h"
#include "mainwindow/AuditTraceStatement.h"
#include "mainwindow/ui/frmBKLTraceAuditLog.h"
#include "platform/db/Connection.h"
#include "platform/ui/RunGuard.h"
#include "shell/Globals.h"
#include "platform/core/TimeSlice.h"
#include "support/FileBytes.h"
#include "support/SaveAsDuringRun.h"
#include "support/WindowTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <functional>
#include <utility>

using namespace bkl::mainwindow;
using bkl::test::FileBytes;

namespace {

// The trace statement's column list, the trace table's opening and header row, and the
// empty and spacer pages, byte for byte.
const QString kAuditColumns = QStringLiteral(
    " UserID AS AUDITUSERID, Module AS AUDITMODULE, Event AUDITEVENT, Time AS AUDITTIME, Message AS AUDITMESSAGE FROM Audit");
const QString kAuditTableHead = QStringLiteral(
    "<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
    "<tr><td align = 'center' width='8%' ><b><font  face='Calibri' size='2'>Serial No</font></b></td>"
    "<td align = 'center' width='10%' ><b><font  face='Calibri' size='2'>User ID</font></b></td>"
    "<td align = 'center' width='8%' ><b><font  face='Calibri' size='2'>Module</font></b></td>"
    "<td align = 'center' width='15%' ><b><font  face='Calibri' size='2'>Event</font></b></td>"
    "<td align = 'center' width='22%' ><b><font  face='Calibri' size='2'>Time</font></b></td>"
    "<td width='37%' ><b><font  face='Calibri' size='2'>Message</font></b></td></tr>");
const QByteArray kEmptyPage =
    "<html><body>\r\n<p align='center'><b><font face='Calibri' size='3'>&nbsp;Audit Log</font></b></p>\r\n</body></html>\r\n";
const QByteArray kSpacerPage = "<html><body>\r\n<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>\r\n"
                               "<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>\r\n</body>\r\n</html>\r\n";

using AuditTracePage = bkl::test::WindowTest;

class AuditTraceWindow : public bkl::test::WindowTest {
protected:
    // The trace statements sent (the filter lists' statements left out).
    QStringList TraceStatements() const { return statements.filter(QStringLiteral("AUDITUSERID")); }
    static void FilterMode(frmBKLTraceAuditLog& w)
    {
        w.optTraceFilter->click();
        w.chkMessage->setChecked(false);
    }
    // Shows the window and waits until it has read its filter lists.
    static void ShowFilled(frmBKLTraceAuditLog& w)
    {
        w.show();
        ASSERT_TRUE(QTest::qWaitFor([&w] { return !w.FilterListsPending(); }));
    }
};

} // namespace

TEST(AuditTraceStatement, FilterClausesInOrderTopCountAndTypedText)
{
    using O = AuditTraceOptions;
    const QString top200 = "SELECT TOP 200" + kAuditColumns;
    const struct {
        bool filterMode;
        std::vector<std::pair<AuditTextFilter O::*, const char*>> checked;
        std::optional<long long> top;
        bool ascending;
        QString sql;
    } cases[] = {
        {true, {{&O::user, "admin"}, {&O::module, "Calculations"}, {&O::event, "Calculation Created"}, {&O::message, "quarterly"}},
         200, false,
         top200 + " WHERE UPPER(Message) LIKE '%QUARTERLY%' AND UPPER(Event) LIKE '%CALCULATION CREATED%' AND "
                  "UPPER(Module) LIKE '%CALCULATIONS%' AND UPPER(UserID) LIKE '%ADMIN%'  ORDER BY Time DESC"},
        // One filter loses its " AND"; no filter cuts the trailing "WHERE ", leaving a blank before " ORDER BY".
        {true, {{&O::event, "Login"}}, 200, true, top200 + " WHERE UPPER(Event) LIKE '%LOGIN%'  ORDER BY Time ASC"},
        {true, {}, 5, false, "SELECT TOP 5" + kAuditColumns + "  ORDER BY Time DESC"},
        // All mode applies no filter; Show All drops the count.
        {false, {{&O::message, "x"}}, std::nullopt, false, "SELECT" + kAuditColumns + "  ORDER BY Time DESC"},
        {true, {{&O::module, "Import"}}, std::nullopt, false,
         "SELECT" + kAuditColumns + " WHERE UPPER(Module) LIKE '%IMPORT%'  ORDER BY Time DESC"},
        // Texts as typed: blanks kept, ' doubled, wildcards kept.
        {true, {{&O::message, " O'Brien "}, {&O::user, "a_b%[c]"}}, 200, false,
         top200 + " WHERE UPPER(Message) LIKE '% O''BRIEN %' AND UPPER(UserID) LIKE '%A_B%[C]%'  ORDER BY Time DESC"},
    };
    for (const auto& c : cases) {
        O o;
        o.filterMode = c.filterMode;
        for (const auto& [filter, text] : c.checked)
            o.*filter = {true, QString::fromUtf8(text)};
        o.topCount = c.top;
        o.dateAscending = c.ascending;
        EXPECT_EQ(AuditTraceStatement(o), c.sql);
    }
}

TEST(AuditTraceStatement, TopCountIsAPositiveWholeNumber)
{
    EXPECT_EQ(AuditTopCount("200"), 200);
    EXPECT_EQ(AuditTopCount(" 200 "), 200);
    EXPECT_EQ(AuditTopCount("007"), 7);
    EXPECT_EQ(AuditTopCount("3000000000"), 3000000000LL);
    for (const char* refused : {"abc", "12.5", "-5", "0", "", "   ", "1e3", "12abc", "+5", "99999999999999999999"})
        EXPECT_FALSE(AuditTopCount(QString::fromLatin1(refused)).has_value()) << refused;
}

TEST(AuditTracePageTimes, OneFixedForm)
{
    EXPECT_EQ(AuditTimeText(bkl::db::Value::dateTime(QDateTime(QDate(2026, 8, 31), QTime(23, 39, 54)))),
              "08/31/2026 11:39:54 PM");
    EXPECT_EQ(AuditTimeText(bkl::db::Value::text("2026-06-03 04:40:27")), "06/03/2026 04:40:27 AM");
    EXPECT_EQ(AuditTimeText(bkl::db::Value::text("2026-06-03T12:00:00")), "06/03/2026 12:00:00 PM");
    EXPECT_EQ(AuditTimeText(bkl::db::Value::null()), "");
    EXPECT_EQ(AuditTimeText(bkl::db::Value::text("yesterday")), "yesterday");
}

TEST_F(AuditTracePage, AuditValuesAreEscapedAndCountedAndNoRecordsGiveTheHeaderRowOnly)
{
    OpenModel(QStringLiteral("EdgeCaseModel"));
    std::vector<long> counts;
    EXPECT_FALSE(WriteAuditTracePage(AuditTracePagePath(), g_cnModel, "SELECT TOP 2" + kAuditColumns + " ORDER BY Time DESC",
                                     [&counts](long n) { counts.push_back(n); }));
    EXPECT_EQ(counts, (std::vector<long>{1, 2}));
    const QString html = QString::fromUtf8(FileBytes(AuditTracePagePath())).section(QStringLiteral("\r\n"), 2, 2);
    EXPECT_TRUE(html.startsWith(kAuditTableHead));
    EXPECT_EQ(html.count(QStringLiteral("size='2'>O&#39;Brien&nbsp;</font></td>")), 2);
    EXPECT_TRUE(html.contains(QStringLiteral(
        "size='2'>&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; done&nbsp;</font></td></tr><tr>")));
    EXPECT_TRUE(html.contains(QStringLiteral("size='2'>Import &#39;Nightly SalesTransactions Load&#39; started by O&#39;Brien&nbsp;")));

    EXPECT_FALSE(WriteAuditTracePage(AuditTracePagePath(), g_cnModel,
                                     "SELECT" + kAuditColumns + " WHERE UPPER(UserID) LIKE '%NOBODY%' ORDER BY Time DESC", nullptr));
    EXPECT_EQ(QString::fromUtf8(FileBytes(AuditTracePagePath())).section(QStringLiteral("\r\n"), 2, 2),
              kAuditTableHead + "</table>");
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(AuditTracePage, TheStreamedPageIsTheOneBuiltWhole)
{
    // Every record of the demo model, written in parts: the page built as one text hashed to this.
    OpenModel();
    int records = 0;
    EXPECT_FALSE(WriteAuditTracePage(AuditTracePagePath(), g_cnModel, "SELECT" + kAuditColumns + " ORDER BY Time DESC",
                                     [&records](long n) { records = static_cast<int>(n); }));
    EXPECT_EQ(records, 400);
    const QByteArray page = FileBytes(AuditTracePagePath());
    EXPECT_EQ(page.size(), 249913);
    EXPECT_EQ(QCryptographicHash::hash(page, QCryptographicHash::Sha256).toHex(),
              "13b6e2cae420952cfac39331659565016fae9b83aa437f7d547deea61f54e053");

    // A read that fails after rows were written drops them: the spacer stands in for the table.
    const std::optional<bkl::db::DbError> failure =
        WriteAuditTracePage(AuditTracePagePath(), g_cnModel, "SELECT" + kAuditColumns, [](long n) {
            if (n == 300)
                throw bkl::db::DbError(bkl::db::err::ProviderError, QStringLiteral("test"), QStringLiteral("lost"));
        });
    ASSERT_TRUE(failure);
    EXPECT_EQ(FileBytes(AuditTracePagePath()), kSpacerPage);
    EXPECT_EQ(LogMessages(), QStringList({"Function: GetAuditLog() --> Code: " + QString::number(failure->number())
                                          + " --> Description: lost"}));
}

TEST_F(AuditTraceWindow, OpensWithDefaultsTracesByTheOptionsAndRefusesABadCount)
{
    OpenModel();
    frmBKLTraceAuditLog w;
    ShowFilled(w);
    EXPECT_TRUE(w.optAllTrace->isChecked());
    EXPECT_FALSE(w.chkMessage->isEnabled() || w.cboEvent->isEnabled() || w.cboUserID->isEnabled());
    EXPECT_EQ(Items(w.cboUserID), QStringList({"admin", "jsmith", "lchen", "mgarcia", "rpatel", "tnguyen"}));
    EXPECT_EQ(browsers->last()->calls, QStringList({"navigate " + AuditTracePagePath()}));
    EXPECT_EQ(browsers->last()->lastPage, kEmptyPage);

    w.cmdTrace_Click();
    EXPECT_EQ(TraceStatements(), QStringList({"SELECT TOP 200" + kAuditColumns + "  ORDER BY Time DESC"}));
    EXPECT_EQ(QString::fromUtf8(browsers->last()->lastPage).count(QStringLiteral("<tr>")), 201);
    EXPECT_EQ(w.lblProgress->text(), "Records : 200");
    EXPECT_TRUE(w.lblProgress->isHidden());
    EXPECT_TRUE(seams.boxes.shown.empty());
    EXPECT_EQ(LogMessages(), QStringList({"Launch Trace Audit Log", "Trace Audit Log begin...", "Trace Audit Log end"}));

    // Filter mode: the checked lists' choices, the typed count and the order.
    FilterMode(w);
    w.chkEvent->setChecked(true);
    w.cboEvent->setCurrentIndex(w.cboEvent->findText("Login"));
    w.chkUserID->setChecked(true);
    w.cboUserID->setCurrentIndex(w.cboUserID->findText("admin"));
    w.txtTop->setText(" 2 ");
    w.optDateASC->setChecked(true);
    w.cmdTrace_Click();
    EXPECT_EQ(TraceStatements().last(), "SELECT TOP 2" + kAuditColumns
                                            + " WHERE UPPER(Event) LIKE '%LOGIN%' AND UPPER(UserID) LIKE '%ADMIN%'  ORDER BY Time ASC");
    EXPECT_EQ(browsers->last()->lastPage, FileBytes(AuditTracePagePath()));
    EXPECT_EQ(browsers->last()->lastPage.count("<tr>"), 3);
    EXPECT_EQ(w.lblProgress->text(), "Records : 2");

    // The count must be a positive whole number in either mode; Show All does not read it, and in Filter mode asks first.
    const int traces = TraceStatements().size();
    seams.boxes.shown.clear();
    for (const char* refused : {"12.5", "-5", "abc", "0"}) {
        if (QLatin1String(refused) == QLatin1String("abc"))
            w.optAllTrace->click();
        w.txtTop->setText(refused);
        w.cmdTrace_Click();
        EXPECT_EQ(BoxTexts().last(), "Invalid entry found !|64|Brisklane");
        EXPECT_EQ(w.focusWidget(), w.txtTop);
        EXPECT_EQ(w.txtTop->selectedText(), refused);
    }
    EXPECT_EQ(seams.boxes.shown.size(), 4u);
    EXPECT_EQ(TraceStatements().size(), traces);
    FilterMode(w);
    w.optALL->setChecked(true);
    seams.boxes.answers = {bkl::mb::Yes};
    w.cmdTrace_Click();
    EXPECT_EQ(BoxTexts().last(), "Are you sure want to display all matching records?\r\n\r\nNote: This may take several "
                                 "minutes depends on the model log size|308|Brisklane");
    EXPECT_EQ(TraceStatements().last(), "SELECT" + kAuditColumns
                                            + " WHERE UPPER(Event) LIKE '%LOGIN%' AND UPPER(UserID) LIKE '%ADMIN%'  ORDER BY Time ASC");
}

TEST_F(AuditTraceWindow, FailuresAreReportedAndTheWindowStaysUsable)
{
    const auto expectCriticalBoxes = [this](const char* code, size_t count) {
        ASSERT_EQ(seams.boxes.shown.size(), count);
        for (const auto& box : seams.boxes.shown) {
            EXPECT_TRUE(box.prompt.startsWith(QStringLiteral("Run-time error '%1':\r\n\r\n").arg(code)));
            EXPECT_EQ(box.style, bkl::mb::Critical);
        }
        seams.boxes.shown.clear();
    };
    // The filter lists cannot be read.
    g_cnModel = bkl::db::Connection();
    {
        frmBKLTraceAuditLog w;
        ShowFilled(w);
        EXPECT_EQ(w.cboEvent->count() + w.cboModule->count() + w.cboUserID->count(), 0);
        EXPECT_EQ(FileBytes(AuditTracePagePath()), kEmptyPage);
        expectCriticalBoxes("3704", 1);
    }
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Function: FillAuditFilterLists() --> Code: 3704")).size(), 1);

    // The trace cannot be read: the spacer page.
    OpenModel();
    frmBKLTraceAuditLog w;
    g_cnModel.close();
    w.cmdTrace_Click();
    EXPECT_EQ(seams.boxes.shown.at(0).title, "Trace Audit Log");
    expectCriticalBoxes("3704", 1);
    EXPECT_EQ(browsers->last()->lastPage, kSpacerPage);
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Function: GetAuditLog() --> Code: 3704 --> Description: ")).size(), 1);
    EXPECT_EQ(LogMessages().last(), "Trace Audit Log end");
    EXPECT_TRUE(w.cmdTrace->isEnabled() && w.cmdClose->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // The page file cannot be written (a folder stands in its place).
    OpenModel();
    QFile::remove(AuditTracePagePath());
    ASSERT_TRUE(QDir().mkpath(AuditTracePagePath()));
    {
        frmBKLTraceAuditLog blocked;
        blocked.cmdTrace_Click();
        EXPECT_TRUE(blocked.cmdTrace->isEnabled());
    }
    QDir(AuditTracePagePath()).removeRecursively();
    EXPECT_EQ(seams.boxes.shown.at(1).title, "Trace Audit Log");
    expectCriticalBoxes("75", 2);
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Function: SetDefaultTraceOptions() --> Code: 75 --> ")).size(), 1);
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Function: cmdTrace_Click() --> Code: 75 --> ")).size(), 1);
}

TEST_F(AuditTraceWindow, TraceCloseAndEscAreRefusedWhileARunIsActive)
{
    OpenModel();
    frmBKLTraceAuditLog w;
    w.show();
    {
        bkl::RunGuard otherRun;
        w.cmdTrace_Click();
        w.cmdClose_Click();
        QTest::keyClick(&w, Qt::Key_Escape);
        w.close();
        EXPECT_TRUE(w.isVisible());
    }
    EXPECT_TRUE(TraceStatements().isEmpty());

    // During the window's own trace: a second trace and the close are refused.
    bool visibleDuringTrace = false;
    bool traceButtonEnabled = true;
    QTimer::singleShot(0, &w, [&] {
        w.cmdTrace_Click();
        w.cmdClose_Click();
        QTest::keyClick(&w, Qt::Key_Escape);
        visibleDuringTrace = w.isVisible();
        traceButtonEnabled = w.cmdTrace->isEnabled();
    });
    w.cmdTrace_Click();
    EXPECT_TRUE(visibleDuringTrace);
    EXPECT_FALSE(traceButtonEnabled);
    EXPECT_EQ(TraceStatements().size(), 1);
    EXPECT_EQ(LogMessages().filter(QStringLiteral("Trace Audit Log begin...")).size(), 1);

    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(LogMessages().last(), "Exiting Trace Audit Log");
}

TEST_F(AuditTraceWindow, ItsListsAreReadOnceTheWindowIsOnScreenAndEndAsTheStatementsGiveThem)
{
    OpenModel();
    const QStringList listStatements = {QLatin1String(kAuditEventListSql), QLatin1String(kAuditModuleListSql),
                                        QLatin1String(kAuditUserListSql)};
    // At each list statement: the window is shown and painted, and its Trace waits.
    frmBKLTraceAuditLog* window = nullptr;
    QStringList seen;
    bkl::db::SetStatementObserver([&](const QString& sql) {
        statements << sql;
        if (listStatements.contains(sql))
            seen << QStringLiteral("%1 visible %2 exposed %3 trace %4")
                        .arg(listStatements.indexOf(sql))
                        .arg(window && window->isVisible())
                        .arg(window && window->windowHandle() && window->windowHandle()->isExposed())
                        .arg(window && window->cmdTrace->isEnabled());
    });
    frmBKLTraceAuditLog w;
    window = &w;
    EXPECT_TRUE(statements.isEmpty());
    EXPECT_TRUE(w.FilterListsPending());
    EXPECT_EQ(w.cboEvent->count() + w.cboModule->count() + w.cboUserID->count(), 0);
    EXPECT_EQ(browsers->last()->lastPage, kEmptyPage);
    ShowFilled(w);
    EXPECT_EQ(statements, listStatements);
    EXPECT_EQ(seen, QStringList({"0 visible 1 exposed 1 trace 0", "1 visible 1 exposed 1 trace 0",
                                 "2 visible 1 exposed 1 trace 0"}));
    EXPECT_EQ(Items(w.cboEvent), QStringList({"Calculation Created", "Calculation Deleted", "Calculation Modified",
                                              "Import Completed", "Import Started", "Login", "Logout",
                                              "Model Calculated", "Plan Modified", "Report Published"}));
    EXPECT_EQ(Items(w.cboModule),
              QStringList({"Calculations", "Compensation Plans", "Import", "Model", "Presentor", "Security"}));
    EXPECT_EQ(Items(w.cboUserID), QStringList({"admin", "jsmith", "lchen", "mgarcia", "rpatel", "tnguyen"}));
    for (const QComboBox* combo : {w.cboEvent, w.cboModule, w.cboUserID})
        EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_TRUE(w.cmdTrace->isEnabled());
    EXPECT_FALSE(w.cboEvent->isEnabled());
    EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(LogMessages(), QStringList({"Launch Trace Audit Log"}));
}

TEST_F(AuditTraceWindow, WhileItsListsAreReadTraceWaitsFiltersCanBeSetAndCloseEndsTheReading)
{
    OpenModel();
    // Between the event list and the module list, as a turn of the event loop would.
    std::function<void()> betweenLists;
    bkl::db::SetStatementObserver([&](const QString& sql) {
        statements << sql;
        if (sql == QLatin1String(kAuditModuleListSql) && betweenLists)
            std::exchange(betweenLists, nullptr)();
    });

    // Trace is refused, Filter mode enables only the lists already read, a closing ends the reading.
    {
        frmBKLTraceAuditLog w;
        betweenLists = [&] {
            EXPECT_FALSE(w.cmdTrace->isEnabled());
            w.cmdTrace_Click();
            w.optTraceFilter->click();
            EXPECT_TRUE(w.chkMessage->isEnabled() && w.txtEventDesc->isEnabled() && w.chkUserID->isEnabled());
            EXPECT_TRUE(w.cboEvent->isEnabled());
            EXPECT_FALSE(w.cboModule->isEnabled() || w.cboUserID->isEnabled());
            EXPECT_EQ(w.cursor().shape(), Qt::BusyCursor);
            w.cmdClose_Click();
            QTest::keyClick(&w, Qt::Key_Escape);
            w.close();
            EXPECT_TRUE(w.isVisible());
        };
        w.show();
        ASSERT_TRUE(QTest::qWaitFor([&w] { return !w.isVisible(); }));
        EXPECT_FALSE(w.FilterListsPending());
        EXPECT_EQ(statements, QStringList({kAuditEventListSql, kAuditModuleListSql}));
        EXPECT_EQ(Items(w.cboModule).size(), 6);
        EXPECT_EQ(w.cboUserID->count(), 0);
        EXPECT_EQ(LogMessages(), QStringList({"Launch Trace Audit Log", "Exiting Trace Audit Log"}));
        EXPECT_FALSE(bkl::RunGuard::active());
        EXPECT_EQ(w.cursor().shape(), Qt::ArrowCursor);
        EXPECT_TRUE(w.cmdTrace->isEnabled() && w.cboUserID->isEnabled());
    }

    // Without a closing the reading ends and the window works as ever: the typed filter stays.
    statements.clear();
    frmBKLTraceAuditLog w;
    betweenLists = [&] {
        w.optTraceFilter->click();
        w.txtEventDesc->setText(QStringLiteral("quarterly"));
    };
    ShowFilled(w);
    EXPECT_EQ(statements.size(), 3);
    EXPECT_TRUE(w.cboUserID->isEnabled() && w.cmdTrace->isEnabled());
    EXPECT_EQ(w.cboUserID->currentText(), "admin");
    w.cmdTrace_Click();
    EXPECT_EQ(TraceStatements(), QStringList({"SELECT TOP 200" + kAuditColumns
                                              + " WHERE UPPER(Message) LIKE '%QUARTERLY%'  ORDER BY Time DESC"}));
}

TEST_F(AuditTraceWindow, SaveAsDuringATraceSavesAWholePage)
{
    OpenModel();
    frmBKLTraceAuditLog w;
    ShowFilled(w);
    w.txtTop->setText(QStringLiteral("3"));
    w.cmdTrace_Click();
    const QByteArray shown = browsers->last()->lastPage;
    ASSERT_EQ(shown.count("<tr>"), 4);

    // Show Top 100000 with the loop turning after each record: Save As pressed at each turn saves
    // the page on screen, or the new one once it is complete, never the part written so far.
    w.txtTop->setText(QStringLiteral("100000"));
    bkl::SetPumpSliceMsForTesting(0);
    QList<QByteArray> saved;
    {
        bkl::test::SaveAsDuringRun user(seams.dialogs, [&w] { w.cmdIEPreview->click(); });
        w.cmdTrace_Click();
        saved = user.saved;
    }
    const QByteArray traced = browsers->last()->lastPage;
    EXPECT_GT(traced.count("<tr>"), 200);
    EXPECT_EQ(traced, FileBytes(AuditTracePagePath()));
    EXPECT_GE(saved.size(), 200);
    EXPECT_TRUE(saved.first() == shown) << saved.first().size() << " bytes saved";
    for (const QByteArray& page : saved)
        ASSERT_TRUE(page == shown || page == traced) << page.size() << " bytes saved";
    EXPECT_TRUE(seams.boxes.shown.empty());
}
