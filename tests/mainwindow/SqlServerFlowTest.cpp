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

#include <QComboBox>
#include <QListWidgetItem>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>

using namespace bkl;

namespace {

// What a flow showed and wrote, the server's name replaced by "<server>".
struct Flow {
    QStringList models;   // the login's model list
    QStringList found;    // the object list after finding every kind
    QString preview;      // the preview page of every object found
    QString exported;     // the export file of every object found
    QStringList compared; // name|type|status of every compare row
    QString summary;      // the compare's detailed summary
    QString audit;        // the audit trace page
};

// Objects of every kind, identical, different and missing in the target model.
const QStringList kChecked = {"CommissionRates", "PayeeMaster", "PayeeEarningsView", "(RETAIL) Retail Calendar",
                              "(STD) Standard Calendar", "Quarterly Bonus", "Legacy Adjustment", "Total Sales",
                              "(AE2026) Account Executive Plan 2026", "(TR01) Monthly Commission Statement",
                              "Quota Tracker", "Region Summary"};

class SqlServerFlow : public test::WindowTest {
protected:
    Flow Run(const QString& server)
    {
        Flow f;
        const auto text = [&server](QString s) { return s.replace(server, QStringLiteral("<server>")); };
        test::WriteFileBytes(ProfileFilePath(), "Demo|" + server.toUtf8() + "|demo|demo|SalesModel2026|N|Y\r\n");
        auto* login = new frmBKLModelLogin;
        login->show();
        login->cmdSelectDatabase_Click(); // through master, then the model test of each database
        for (int i = 0; i < login->cboSQLServerDB->count(); ++i)
            f.models << login->cboSQLServerDB->itemText(i);
        login->cboSQLServerDB->setEditText(QStringLiteral("SalesModel2026"));
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
        f.found = Rows();
        for (int i = 0; i < objects->lvObjects->topLevelItemCount(); ++i) {
            QTreeWidgetItem* row = objects->lvObjects->topLevelItem(i);
            row->setCheckState(0, kChecked.contains(row->text(0)) ? Qt::Checked : Qt::Unchecked);
        }
        frame->mnuShowPreview_Click();
        f.preview = text(QString::fromUtf8(browsers->last()->lastPage));

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
        f.exported = files.size() == 1 ? text(QString::fromUtf8(test::FileBytes(folder.filePath(files[0])))) : QString();

        frame->mnuCompareObjects_Click();
        frmBKLCompareObjects& compare = frmBKLCompareObjects::instance();
        compare.cmdAddAll_Click();
        {
            frmBKLTargetModelLogin target(&compare);
            target.cboSQLServerDB->setEditText(QStringLiteral("SalesModel2026_Target"));
            target.cmdConnect_Click(); // the profile's server and login
        }
        seams.boxes.answers = {mb::Yes, mb::No};
        compare.cmdCompare_Click();
        for (int i = 0; i < compare.lvCompare->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = compare.lvCompare->topLevelItem(i);
            f.compared << row->text(0) + QLatin1Char('|') + row->text(1) + QLatin1Char('|') + row->text(2);
        }
        f.summary = text(compare.m_sDetailedSummary);

        test::WithModal([&] { frame->mnuTraceAuditLog_Click(); },
                        [&](QWidget* modal) {
                            auto* trace = qobject_cast<frmBKLTraceAuditLog*>(modal);
                            trace->cmdTrace_Click();
                            f.audit = text(QString::fromUtf8(test::FileBytes(mainwindow::AuditTracePagePath())));
                            trace->cmdClose_Click();
                        });

        CloseWindows();
        g_cnModel = db::Connection();
        g_cnTarget = db::Connection();
        return f;
    }
};

} // namespace

TEST_F(SqlServerFlow, ThroughFreeTdsTheWindowsShowAndWriteWhatTheEmbeddedServerGives)
{
    if (!test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    FixedClock clock(QDateTime(QDate(2026, 9, 1), QTime(8, 0)));
    SetClock(&clock);
    const Flow embedded = Run(test::DemoServerFolder());
    test::TdsStandIn standIn;
    ASSERT_TRUE(standIn.running());
    const Flow tds = Run(standIn.server());
    SetClock(nullptr);

    EXPECT_EQ(embedded.models, (QStringList{"EdgeCaseModel", "SalesModel2026", "SalesModel2026_Target"}));
    EXPECT_EQ(embedded.found.size(), 75);
    EXPECT_EQ(embedded.compared.size(), kChecked.size());
    for (const QString& page : {embedded.preview, embedded.exported, embedded.summary, embedded.audit})
        EXPECT_GT(page.size(), 10000);
    EXPECT_EQ(tds.models, embedded.models);
    EXPECT_EQ(tds.found, embedded.found);
    EXPECT_EQ(tds.preview.toStdString(), embedded.preview.toStdString());
    EXPECT_EQ(tds.exported.toStdString(), embedded.exported.toStdString());
    EXPECT_EQ(tds.compared, embedded.compared);
    EXPECT_EQ(tds.summary.toStdString(), embedded.summary.toStdString());
    EXPECT_EQ(tds.audit.toStdString(), embedded.audit.toStdString());
    EXPECT_EQ(LogMessages(QStringLiteral("ERROR")), QStringList());
}
