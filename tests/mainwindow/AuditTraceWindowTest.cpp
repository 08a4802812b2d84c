#include "mainwindow/ui/frmBKLTraceAuditLog.h"

#include "AuditTraceFixture.h"

#include "mainwindow/AuditTracePage.h"
#include "platform/db/Connection.h"
#include "platform/ui/RunGuard.h"
#include "support/RecordingBrowser.h"

#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using bkl::test::RecordingBrowserFactory;

namespace {

const QString kColumns = QStringLiteral(
    " UserID AS AUDITUSERID, Module AS AUDITMODULE, Event AUDITEVENT, Time AS AUDITTIME, Message AS AUDITMESSAGE FROM Audit");
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
    EXPECT_EQ(w.windowTitle(), "Trace Audit Log");
    EXPECT_TRUE(w.optAllTrace->isChecked());
    EXPECT_FALSE(w.optTraceFilter->isChecked());
    for (QWidget* filter : std::initializer_list<QWidget*>{w.chkMessage, w.txtEventDesc, w.chkEvent, w.cboEvent,
                                                           w.chkModule, w.cboModule, w.chkUserID, w.cboUserID})
        EXPECT_FALSE(filter->isEnabled()) << filter->objectName().toStdString();
    EXPECT_TRUE(w.chkMessage->isChecked());
    EXPECT_FALSE(w.chkEvent->isChecked() || w.chkModule->isChecked() || w.chkUserID->isChecked());
    EXPECT_TRUE(w.optTOP->isChecked());
    EXPECT_EQ(w.txtTop->text(), "200");
    EXPECT_TRUE(w.optDateDESC->isChecked());
    EXPECT_EQ(Items(w.cboEvent), QStringList({"Calculation Created", "Calculation Deleted", "Calculation Modified",
                                              "Import Completed", "Import Started", "Login", "Logout",
                                              "Model Calculated", "Plan Modified", "Report Published"}));
    EXPECT_EQ(w.cboEvent->currentText(), "Calculation Created");
    EXPECT_EQ(w.cboModule->currentText(), "Calculations");
    EXPECT_EQ(Items(w.cboUserID), QStringList({"admin", "jsmith", "lchen", "mgarcia", "rpatel", "tnguyen"}));
    EXPECT_EQ(w.cmdClose->toolTip(), "Close Window");
    EXPECT_EQ(w.cmdIEPreview->toolTip(), "Save Preview Report As ...");
    EXPECT_EQ(w.height(), 3160 / 15);
    ASSERT_NE(browsers.last(), nullptr);
    EXPECT_EQ(browsers.last()->calls, QStringList({"navigate " + bkl::mainwindow::AuditTracePagePath()}));
    EXPECT_EQ(browsers.last()->lastPage, kEmptyPage.toUtf8());
    EXPECT_EQ(LogMessages(), QStringList({"Launch Trace Audit Log"}));

    w.cmdTrace_Click();
    EXPECT_EQ(TraceStatements(), QStringList({"SELECT TOP 200" + kColumns + "  ORDER BY Time DESC"}));
    const QString page = QString::fromUtf8(browsers.last()->lastPage);
    EXPECT_EQ(page.count(QStringLiteral("<tr>")), 201);
    EXPECT_TRUE(page.contains(QStringLiteral("'>1&nbsp;</font></td><td align = 'center' width='10%'>&nbsp;<font  face='Calibri' "
                                             "size='2'>lchen&nbsp;")));
    EXPECT_TRUE(page.contains(QStringLiteral("08/31/2026 11:39:54 PM")));
    EXPECT_EQ(w.lblProgress->text(), "Records : 200");
    EXPECT_TRUE(w.lblProgress->isHidden());
    EXPECT_EQ(w.height(), 9630 / 15);
    EXPECT_TRUE(seams.boxes.shown.empty());
    EXPECT_EQ(LogMessages(), QStringList({"Launch Trace Audit Log", "Trace Audit Log begin...", "Trace Audit Log end"}));
}

TEST_F(AuditTraceWindow, ModesSwitchTheFiltersTogetherAndKeepTheirStates)
{
    OpenDemoModel();
    frmBKLTraceAuditLog w;
    w.txtEventDesc->setText("left");
    w.optTraceFilter->click();
    EXPECT_FALSE(w.optAllTrace->isChecked());
    for (QWidget* filter : std::initializer_list<QWidget*>{w.chkMessage, w.txtEventDesc, w.chkEvent, w.cboEvent,
                                                           w.chkModule, w.cboModule, w.chkUserID, w.cboUserID})
        EXPECT_TRUE(filter->isEnabled());
    w.chkUserID->setChecked(true);
    w.optAllTrace->click();
    EXPECT_FALSE(w.optTraceFilter->isChecked());
    EXPECT_FALSE(w.cboUserID->isEnabled());
    EXPECT_TRUE(w.chkUserID->isChecked());
    EXPECT_TRUE(w.chkMessage->isChecked());
    EXPECT_EQ(w.txtEventDesc->text(), "left");

    // In All mode the checked filters add nothing.
    w.cmdTrace_Click();
    EXPECT_EQ(TraceStatements(), QStringList({"SELECT TOP 200" + kColumns + "  ORDER BY Time DESC"}));
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
              QStringList({"SELECT TOP 2" + kColumns
                           + " WHERE UPPER(Event) LIKE '%LOGIN%' AND UPPER(UserID) LIKE '%ADMIN%'  ORDER BY Time ASC"}));
    const QByteArray expected =
        "<html><body>\r\n"
        "<p align='center'><b><font face='Calibri' size='3'>&nbsp;</font></b></p>\r\n"
        "<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
        "<tr><td align = 'center' width='8%' ><b><font  face='Calibri' size='2'>Serial No</font></b></td>"
        "<td align = 'center' width='10%' ><b><font  face='Calibri' size='2'>User ID</font></b></td>"
        "<td align = 'center' width='8%' ><b><font  face='Calibri' size='2'>Module</font></b></td>"
        "<td align = 'center' width='15%' ><b><font  face='Calibri' size='2'>Event</font></b></td>"
        "<td align = 'center' width='22%' ><b><font  face='Calibri' size='2'>Time</font></b></td>"
        "<td width='37%' ><b><font  face='Calibri' size='2'>Message</font></b></td></tr>"
        "<tr><td align = 'center' width='8%'>&nbsp;<font  face='Calibri' size='2'>1&nbsp;</font></td>"
        "<td align = 'center' width='10%'>&nbsp;<font  face='Calibri' size='2'>admin&nbsp;</font></td>"
        "<td align = 'center' width='8%'>&nbsp;<font  face='Calibri' size='2'>Security&nbsp;</font></td>"
        "<td align = 'center' width='15%'>&nbsp;<font  face='Calibri' size='2'>Login&nbsp;</font></td>"
        "<td align = 'center' width='22%'>&nbsp;<font  face='Calibri' size='2'>06/18/2026 03:52:38 PM&nbsp;</font></td>"
        "<td width='37%'>&nbsp;<font  face='Calibri' size='2'>User admin logged in&nbsp;</font></td></tr>"
        "<tr><td align = 'center' width='8%'>&nbsp;<font  face='Calibri' size='2'>2&nbsp;</font></td>"
        "<td align = 'center' width='10%'>&nbsp;<font  face='Calibri' size='2'>admin&nbsp;</font></td>"
        "<td align = 'center' width='8%'>&nbsp;<font  face='Calibri' size='2'>Security&nbsp;</font></td>"
        "<td align = 'center' width='15%'>&nbsp;<font  face='Calibri' size='2'>Login&nbsp;</font></td>"
        "<td align = 'center' width='22%'>&nbsp;<font  face='Calibri' size='2'>06/19/2026 06:58:55 PM&nbsp;</font></td>"
        "<td width='37%'>&nbsp;<font  face='Calibri' size='2'>User admin logged in&nbsp;</font></td></tr>"
        "</table>\r\n"
        "</body>\r\n"
        "</html>\r\n";
    EXPECT_EQ(FileBytes(bkl::mainwindow::AuditTracePagePath()), expected);
    EXPECT_EQ(browsers.last()->lastPage, expected);
    EXPECT_EQ(w.lblProgress->text(), "Records : 2");
}

TEST_F(AuditTraceWindow, FilterTextsAreExpectedAndTheFocusGoesToTheEmptyOne)
{
    OpenDemoModel();
    frmBKLTraceAuditLog w;
    w.optTraceFilter->click();
    w.txtEventDesc->setText("   ");
    w.cmdTrace_Click();
    EXPECT_EQ(w.focusWidget(), w.txtEventDesc);

    w.txtEventDesc->setText(" admin ");
    w.chkModule->setChecked(true);
    w.cboModule->setEditText(" ");
    w.cmdTrace_Click();
    EXPECT_EQ(w.focusWidget(), w.cboModule);

    EXPECT_EQ(BoxTexts(), QStringList({"A search text is expected !|64|Brisklane", "A search text is expected !|64|Brisklane"}));
    EXPECT_TRUE(TraceStatements().isEmpty());
    EXPECT_EQ(FileBytes(bkl::mainwindow::AuditTracePagePath()), kEmptyPage.toUtf8());

    // A typed text that is in no list is searched for as typed, with its blanks.
    w.cboModule->setEditText("calc");
    w.cmdTrace_Click();
    EXPECT_EQ(TraceStatements(),
              QStringList({"SELECT TOP 200" + kColumns
                           + " WHERE UPPER(Message) LIKE '% ADMIN %' AND UPPER(Module) LIKE '%CALC%'  ORDER BY Time DESC"}));
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
    EXPECT_EQ(TraceStatements(), QStringList({"SELECT" + kColumns + "  ORDER BY Time DESC",
                                              "SELECT TOP 200" + kColumns + "  ORDER BY Time DESC"}));
}

TEST_F(AuditTraceWindow, ShowAllAsksInFilterModeOnly)
{
    OpenDemoModel();
    frmBKLTraceAuditLog w;
    w.optALL->setChecked(true);
    w.cmdTrace_Click(); // All mode: no question
    EXPECT_TRUE(seams.boxes.shown.empty());

    FilterMode(w);
    w.cmdTrace_Click(); // answered No
    EXPECT_EQ(w.focusWidget(), w.optTOP);
    seams.boxes.answers = {bkl::mb::Yes};
    w.cmdTrace_Click();
    EXPECT_EQ(BoxTexts(), QStringList(2, "Are you sure want to display all matching records?\r\n\r\nNote: This may take "
                                         "several minutes depends on the model log size|308|Brisklane"));
    EXPECT_EQ(TraceStatements(), QStringList(2, "SELECT" + kColumns + "  ORDER BY Time DESC"));
    EXPECT_EQ(w.lblProgress->text(), "Records : 400");
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

TEST_F(AuditTraceWindow, NoMatchingRecordGivesAHeaderOnlyPage)
{
    OpenDemoModel(QStringLiteral("SalesArchive2025"));
    frmBKLTraceAuditLog w;
    ASSERT_GT(w.cboEvent->count(), 0); // the archive has audit rows: the filter matches none
    FilterMode(w);
    w.chkUserID->setChecked(true);
    w.cboUserID->setEditText("nobody at all");
    w.cmdTrace_Click();
    const QString page = QString::fromUtf8(FileBytes(bkl::mainwindow::AuditTracePagePath()));
    EXPECT_EQ(page.count(QStringLiteral("<tr>")), 1);
    EXPECT_TRUE(page.contains(QStringLiteral("Message</font></b></td></tr></table>\r\n")));
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

TEST_F(AuditTraceWindow, BrowserCommandsActOnTheAuditPage)
{
    RecordingBrowserFactory browsers;
    OpenDemoModel();
    frmBKLTraceAuditLog w;
    bkl::test::RecordingBrowser* browser = browsers.last();
    browser->printFailure = QStringLiteral("No printer");
    w.cmdIEPreview->click();
    w.cmdPreview->click();
    w.cmdPrint->click();
    EXPECT_EQ(browser->calls.mid(1), QStringList({"saveAs", "printPreview", "print"}));
    EXPECT_EQ(BoxTexts(), QStringList({"Unable to perform the command\r\n\r\nNo printer|16|Print Error"}));
}

TEST_F(AuditTraceWindow, TheFrameOpensItModalFromTraceAuditLog)
{
    OpenFrame();
    QString opened;
    QTimer::singleShot(0, [&] {
        if (auto* w = qobject_cast<frmBKLTraceAuditLog*>(QApplication::activeModalWidget())) {
            opened = w->windowTitle();
            QTest::keyClick(w, Qt::Key_Escape);
        }
    });
    frame->mnuTraceAuditLog->trigger();
    EXPECT_EQ(opened, "Trace Audit Log");
    EXPECT_EQ(frame->mnuTraceAuditLog->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
    const QStringList messages = LogMessages();
    EXPECT_EQ(messages.mid(messages.size() - 2), QStringList({"Launch Trace Audit Log", "Exiting Trace Audit Log"}));
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
