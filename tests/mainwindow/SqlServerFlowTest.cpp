// The program's flows through the windows on a SQL Server reached through FreeTDS
// (the tds-standin tool serving the demo server) give byte for byte what they give
// on the embedded server: the login's model list, a find of every kind, the preview
// and the export of every object found, a compare against the target model, the
// audit trace.
#include "compare/TargetLogin.h"
#include "compare/ui/frmBKLCompareObjects.h"
#include "compare/ui/frmBKLTargetModelLogin.h"
#include "mainwindow/AuditTracePage.h"
#include "mainwindow/ui/frmBKLTraceAuditLog.h"
#include "reports/ui/frmBKLExportObjects.h"
#include "shell/Globals.h"
#include "shell/ProfileFile.h"
#include "shell/ui/frmBKLModelLogin.h"
#include "support/FileBytes.h"
#include "support/TestWindows.h"
#include "support/TdsStandIn.h"
#include "support/TestEnvironment.h"
#include "support/WindowTest.h"

#include <QListWidgetItem>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

using namespace bkl;

namespace {

// Objects of every kind, identical, different and missing in the target model.
const QStringList kChecked = {"CommissionRates", "PayeeMaster", "PayeeEarningsView", "(RETAIL) Retail Calendar",
                              "(STD) Standard Calendar", "Quarterly Bonus", "Legacy Adjustment", "Total Sales",
                              "(AE2026) Account Executive Plan 2026", "(TR01) Monthly Commission Statement",
                              "Quota Tracker", "Region Summary"};
const char* const kFlowParts[] = {"model list", "found rows", "preview page", "export file", "compare rows",
                                  "detailed summary", "audit trace page"};

class SqlServerFlow : public test::WindowTest {
protected:
    // What the flow showed and wrote, in the order of kFlowParts, the server's name replaced by "<server>".
    QStringList Run(const QString& server)
    {
        QStringList f;
        test::WriteFileBytes(ProfileFilePath(), "Demo|" + server.toUtf8() + "|demo|demo|SalesModel2026|N|Y\r\n");
        auto* login = new frmBKLModelLogin;
        login->show();
        login->cmdSelectDatabase_Click(); // through master, then the model test of each database
        f << Items(login->cboSQLServerDB).join('\n');
        login->cboSQLServerDB->setEditText("SalesModel2026");
        login->cmdConnect_Click();
        frame = frmMDIBKLMain::current();
        objects = frmBKLMain::current();
        if (!frame || !objects) {
            ADD_FAILURE() << "no frame after the login to " << server.toStdString();
            return f;
        }
        for (mainwindow::ObjectKind kind : mainwindow::kAllKinds)
            objects->KindPickerItem(kind)->setCheckState(Qt::Checked);
        seams.boxes.answers = {mb::Yes}; // load all
        objects->cmdFind_Click();
        f << Rows().join('\n');
        for (int i = 0; i < objects->lvObjects->topLevelItemCount(); ++i) {
            QTreeWidgetItem* row = objects->lvObjects->topLevelItem(i);
            row->setCheckState(0, kChecked.contains(row->text(0)) ? Qt::Checked : Qt::Unchecked);
        }
        frame->mnuShowPreview_Click();
        f << QString::fromUtf8(browsers->last()->lastPage);

        QTemporaryDir folder;
        test::WithModal([&] { frame->mnuExportObjects_Click(); },
                        [&](QWidget* modal) {
                            auto* dialog = qobject_cast<frmBKLExportObjects*>(modal);
                            dialog->txtLocation->setText(folder.path());
                            seams.boxes.answers = {mb::Yes};
                            dialog->cmdExport_Click();
                            dialog->cmdClose_Click();
                        });
        const QStringList files = QDir(folder.path()).entryList(QDir::Files);
        f << (files.size() == 1 ? QString::fromUtf8(test::FileBytes(folder.filePath(files[0]))) : QString());

        frame->mnuCompareObjects_Click();
        frmBKLCompareObjects& compare = frmBKLCompareObjects::instance();
        compare.cmdAddAll_Click();
        {
            frmBKLTargetModelLogin target(&compare);
            target.cboSQLServerDB->setEditText("SalesModel2026_Target");
            target.cmdConnect_Click(); // the profile's server and login
        }
        seams.boxes.answers = {mb::Yes, mb::No};
        compare.cmdCompare_Click();
        f << Rows(compare.lvCompare).join('\n') << compare.m_sDetailedSummary;

        test::WithModal([&] { frame->mnuTraceAuditLog_Click(); },
                        [&](QWidget* modal) {
                            auto* trace = qobject_cast<frmBKLTraceAuditLog*>(modal);
                            EXPECT_TRUE(QTest::qWaitFor([trace] { return !trace->FilterListsPending(); }));
                            trace->cmdTrace_Click();
                            f << QString::fromUtf8(test::FileBytes(mainwindow::AuditTracePagePath()));
                            trace->cmdClose_Click();
                        });
        CloseWindows();
        g_cnModel = db::Connection();
        g_cnTarget = db::Connection();
        return f.replaceInStrings(server, "<server>");
    }
};

} // namespace

TEST_F(SqlServerFlow, ThroughFreeTdsTheWindowsShowAndWriteWhatTheEmbeddedServerGives)
{
    if (!test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    FixedClock clock(QDateTime(QDate(2026, 9, 1), QTime(8, 0)));
    SetClock(&clock);
    const QStringList embedded = Run(test::DemoServerFolder());
    test::TdsStandIn standIn;
    ASSERT_TRUE(standIn.running());
    const QStringList tds = Run(standIn.server());
    SetClock(nullptr);

    ASSERT_EQ(embedded.size(), 7);
    EXPECT_EQ(embedded[0], "EdgeCaseModel\nSalesModel2026\nSalesModel2026_Target");
    EXPECT_EQ(embedded[1].count('\n'), 74);
    EXPECT_EQ(embedded[4].count('\n'), kChecked.size() - 1);
    for (int page : {2, 3, 5, 6})
        EXPECT_GT(embedded[page].size(), 10000) << kFlowParts[page];
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(tds.value(i).toStdString(), embedded[i].toStdString()) << kFlowParts[i];
    EXPECT_EQ(LogMessages("ERROR"), QStringList());
}
