#include "mainwindow/ui/frmBKLTraceAuditLog.h"

#include "AuditTraceFixture.h"

#include "mainwindow/AuditTracePage.h"
#include "platform/db/Connection.h"
#include "platform/ui/RunGuard.h"
#include "support/RecordingBrowser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using bkl::test::RecordingBrowserFactory;

namespace {

const QString kEmptyPage = QStringLiteral(
    "<html><body>\r\n<p align='center'><b><font face='Calibri' size='3'>&nbsp;Audit Log</font></b></p>\r\n</body></html>\r\n");
const QString kSpacerPage = QStringLiteral(
    "<html><body>\r\n<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>\r\n"
    "<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>\r\n</body>\r\n</html>\r\n");

class AuditTraceWindow : public AuditTraceFixture {
protected:
    // The trace statements sent (the filter lists' statements left out).
    QStringList TraceStatements() const { return statements.filter(QStringLiteral("AUDITUSERID")); }
    static void FilterMode(frmBKLTraceAuditLog& w)
    {
        w.optTraceFilter->click();
        w.chkMessage->setChecked(false);
    }
};

} // namespace

TEST_F(AuditTraceWindow, OpensWithDefaultsAndTracesAtOnce)
{
    RecordingBrowserFactory browsers;
    OpenDemoModel();
    frmBKLTraceAuditLog w;
    EXPECT_TRUE(w.optAllTrace->isChecked());
    EXPECT_FALSE(w.chkMessage->isEnabled() || w.cboEvent->isEnabled() || w.cboUserID->isEnabled());
    EXPECT_EQ(Items(w.cboUserID), QStringList({"admin", "jsmith", "lchen", "mgarcia", "rpatel", "tnguyen"}));
    ASSERT_NE(browsers.last(), nullptr);
    EXPECT_EQ(browsers.last()->calls, QStringList({"navigate " + bkl::mainwindow::AuditTracePagePath()}));
    EXPECT_EQ(browsers.last()->lastPage, kEmptyPage.toUtf8());
    EXPECT_EQ(LogMessages(), QStringList({"Launch Trace Audit Log"}));

    w.cmdTrace_Click();
    EXPECT_EQ(TraceStatements(), QStringList({"SELECT TOP 200" + kAuditColumns + "  ORDER BY Time DESC"}));
    const QString page = QString::fromUtf8(browsers.last()->lastPage);
    EXPECT_EQ(page.count(QStringLiteral("<tr>")), 201);
    EXPECT_TRUE(page.contains(QStringLiteral("'>1&nbsp;</font></td><td align = 'center' width='10%'>&nbsp;<font  face='Calibri' "
                                             "size='2'>lchen&nbsp;")));
    EXPECT_TRUE(page.contains(QStringLiteral("08/31/2026 11:39:54 PM")));
    EXPECT_EQ(w.lblProgress->text(), "Records : 200");
    EXPECT_TRUE(w.lblProgress->isHidden());
    EXPECT_TRUE(seams.boxes.shown.empty());
    EXPECT_EQ(LogMessages(), QStringList({"Launch Trace Audit Log", "Trace Audit Log begin...", "Trace Audit Log end"}));
}

TEST_F(AuditTraceWindow, FilteredTracePageForTheDemoModel)
{
    RecordingBrowserFactory browsers;
    OpenDemoModel();
    frmBKLTraceAuditLog w;
    FilterMode(w);
    w.chkEvent->setChecked(true);
    w.cboEvent->setCurrentIndex(w.cboEvent->findText("Login"));
    w.chkUserID->setChecked(true);
    w.cboUserID->setCurrentIndex(w.cboUserID->findText("admin"));
    w.txtTop->setText(" 2 ");
    w.optDateASC->setChecked(true);
    w.cmdTrace_Click();

    EXPECT_EQ(TraceStatements(),
              QStringList({"SELECT TOP 2" + kAuditColumns
                           + " WHERE UPPER(Event) LIKE '%LOGIN%' AND UPPER(UserID) LIKE '%ADMIN%'  ORDER BY Time ASC"}));
    const auto row = [](const char* serial, const char* time) {
        QByteArray r = "<tr>";
        for (const auto& [width, text] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"8%", serial}, {"10%", "admin"}, {"8%", "Security"}, {"15%", "Login"}, {"22%", time}})
            r += QByteArray("<td align = 'center' width='") + width + "'>&nbsp;<font  face='Calibri' size='2'>" + text
                + "&nbsp;</font></td>";
        return r + "<td width='37%'>&nbsp;<font  face='Calibri' size='2'>User admin logged in&nbsp;</font></td></tr>";
    };
    const QByteArray expected =
        "<html><body>\r\n"
        "<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>\r\n"
        + kAuditTableHead.toUtf8() + row("1", "06/18/2026 03:52:38 PM") + row("2", "06/19/2026 06:58:55 PM")
        + "</table>\r\n</body>\r\n</html>\r\n";
    EXPECT_EQ(FileBytes(bkl::mainwindow::AuditTracePagePath()), expected);
    EXPECT_EQ(browsers.last()->lastPage, expected);
    EXPECT_EQ(w.lblProgress->text(), "Records : 2");
}

TEST_F(AuditTraceWindow, TopCountMustBeAPositiveWholeNumberInEitherMode)
{
    OpenDemoModel();
    frmBKLTraceAuditLog w;
    int expectedBoxes = 0;
    for (bool filterMode : {false, true}) {
        if (filterMode)
            FilterMode(w);
        for (const char* refused : {"abc", "12.5", "-5", "0"}) {
            w.txtTop->setText(QString::fromLatin1(refused));
            w.cmdTrace_Click();
            ++expectedBoxes;
            ASSERT_EQ(static_cast<int>(seams.boxes.shown.size()), expectedBoxes) << refused;
            EXPECT_EQ(BoxTexts().last(), "Invalid entry found !|64|Brisklane");
            EXPECT_EQ(w.focusWidget(), w.txtTop);
            EXPECT_EQ(w.txtTop->selectedText(), QString::fromLatin1(refused));
        }
    }
    EXPECT_TRUE(TraceStatements().isEmpty());
    EXPECT_EQ(FileBytes(bkl::mainwindow::AuditTracePagePath()), kEmptyPage.toUtf8());

    // Show All does not read the count.
    w.optALL->setChecked(true);
    seams.boxes.answers = {bkl::mb::Yes};
    w.cmdTrace_Click();
    w.optTOP->setChecked(true);
    w.txtTop->setText(" 200 ");
    w.cmdTrace_Click();
    EXPECT_EQ(TraceStatements(), QStringList({"SELECT" + kAuditColumns + "  ORDER BY Time DESC",
                                              "SELECT TOP 200" + kAuditColumns + "  ORDER BY Time DESC"}));
}

TEST_F(AuditTraceWindow, AFailingTraceShowsTheReasonAndTheSpacer)
{
    RecordingBrowserFactory browsers;
    OpenDemoModel();
    frmBKLTraceAuditLog w;
    g_cnModel.close();
    w.cmdTrace_Click();

    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(seams.boxes.shown[0].prompt.startsWith(QStringLiteral("Run-time error '3704':\r\n\r\n")));
    EXPECT_EQ(seams.boxes.shown[0].style, bkl::mb::Critical);
    EXPECT_EQ(seams.boxes.shown[0].title, "Trace Audit Log");
    EXPECT_EQ(browsers.last()->lastPage, kSpacerPage.toUtf8());
    const QStringList messages = LogMessages();
    ASSERT_EQ(messages.size(), 4);
    EXPECT_TRUE(messages[2].startsWith(QStringLiteral("Function: GetAuditLog() --> Code: 3704 --> Description: ")));
    EXPECT_EQ(messages[3], "Trace Audit Log end");
    EXPECT_TRUE(w.cmdTrace->isEnabled());
    EXPECT_TRUE(w.cmdClose->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(AuditTraceWindow, AFailingListFillIsLoggedAndShown)
{
    g_cnModel = bkl::db::Connection(); // never opened
    frmBKLTraceAuditLog w;
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(seams.boxes.shown[0].prompt.startsWith(QStringLiteral("Run-time error '3704':")));
    EXPECT_EQ(seams.boxes.shown[0].style, bkl::mb::Critical);
    EXPECT_EQ(w.cboEvent->count() + w.cboModule->count() + w.cboUserID->count(), 0);
    EXPECT_TRUE(LogMessages().filter(QStringLiteral("Function: FillAuditFilterLists() --> Code: 3704")).size() == 1);
    EXPECT_EQ(FileBytes(bkl::mainwindow::AuditTracePagePath()), kEmptyPage.toUtf8());
}

TEST_F(AuditTraceWindow, TraceCloseAndEscAreRefusedWhileARunIsActive)
{
    OpenDemoModel();
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

TEST_F(AuditTraceWindow, APageThatCannotBeWrittenIsReported)
{
    OpenDemoModel();
    const QString page = bkl::mainwindow::AuditTracePagePath();
    QFile::remove(page);
    ASSERT_TRUE(QDir().mkpath(page)); // a folder where the page file should go
    {
        frmBKLTraceAuditLog w;
        w.cmdTrace_Click();
        ASSERT_EQ(seams.boxes.shown.size(), 2u);
        for (const auto& box : seams.boxes.shown) {
            EXPECT_TRUE(box.prompt.startsWith(QStringLiteral("Run-time error '75':\r\n\r\n")));
            EXPECT_EQ(box.style, bkl::mb::Critical);
            EXPECT_EQ(box.title, "Trace Audit Log");
        }
        EXPECT_EQ(LogMessages().filter(QStringLiteral("Function: SetDefaultTraceOptions() --> Code: 75 --> ")).size(), 1);
        EXPECT_EQ(LogMessages().filter(QStringLiteral("Function: cmdTrace_Click() --> Code: 75 --> ")).size(), 1);
        EXPECT_EQ(LogMessages().last(), "Trace Audit Log end");
        EXPECT_TRUE(w.cmdTrace->isEnabled());
    }
    QDir(page).removeRecursively();
}
