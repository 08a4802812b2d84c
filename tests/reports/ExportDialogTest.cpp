// The export dialog driven as a user would: the detail-section tree, the
// confirmation, the folder checks, the run with its progress and file, the
// result box and the refusal to close while exporting.
#include "ReportTestSupport.h"

#include "platform/core/ScriptedSeams.h"
#include "platform/db/Connection.h"
#include "platform/ui/RunGuard.h"
#include "reports/DetailSectionFlags.h"
#include "reports/ui/frmBKLExportObjects.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace bkl;

namespace {

const QDateTime kRunTime(QDate(2026, 12, 5), QTime(20, 36, 25));
const QString kFileName = QStringLiteral("BKL_SalesModel2026_05Dec2026203625.txt");

QTreeWidgetItem* Leaf(QTreeWidget* tree, const QString& root, const QString& leaf)
{
    for (int r = 0; r < tree->topLevelItemCount(); ++r) {
        QTreeWidgetItem* rootItem = tree->topLevelItem(r);
        if (rootItem->text(0) != root)
            continue;
        for (int l = 0; l < rootItem->childCount(); ++l)
            if (rootItem->child(l)->text(0) == leaf)
                return rootItem->child(l);
    }
    return nullptr;
}

class ExportDialog : public ::testing::Test {
protected:
    SeamGuard seams;
    FixedClock clock{kRunTime};
    QTemporaryDir folder;

    void SetUp() override
    {
        seams.install();
        SetClock(&clock);
        test::ClearLog();
        g_cnModel = test::OpenDemoModel(QStringLiteral("SalesModel2026"));
        g_sModelName = QStringLiteral("SalesModel2026");
    }
    void TearDown() override
    {
        SetClock(nullptr);
    }

    // A shown dialog for the given tables and calculations, exporting into `folder`.
    std::unique_ptr<frmBKLExportObjects> Open(const QString& tables, const QString& calculations,
                                              const QString& views = QString())
    {
        auto dialog = std::make_unique<frmBKLExportObjects>();
        dialog->m_sTablesExport = tables;
        dialog->m_sViewsExport = views;
        dialog->m_sCalculationsExport = calculations;
        dialog->show();
        dialog->txtLocation->setText(folder.path());
        return dialog;
    }
    // Confirms and runs one export.
    void Export(frmBKLExportObjects& dialog)
    {
        seams.boxes.answers.push_back(mb::Yes);
        dialog.cmdExport_Click();
    }
    QStringList InfoLines() const { return test::LogMessages(QStringLiteral("INFO")); }
    QString ExportPath() const { return folder.filePath(kFileName); }
};

} // namespace

TEST_F(ExportDialog, TreeHasOneCheckedExpandedRootPerKindAndCarriesChecksDown)
{
    auto dialog = std::make_unique<frmBKLExportObjects>();
    dialog->m_sTablesExport = QStringLiteral("|T1|T2");
    dialog->m_sViewsExport = QStringLiteral("   ");
    dialog->m_sCalculationsExport = QStringLiteral("|C1");
    dialog->show();

    EXPECT_EQ(dialog->txtLocation->text(), ApplicationFolderPath(QStringLiteral("data")));

    QTreeWidget* tree = dialog->tvExport;
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* table = tree->topLevelItem(0);
    QTreeWidgetItem* calc = tree->topLevelItem(1);
    EXPECT_EQ(table->text(0), QStringLiteral("Table"));
    EXPECT_EQ(calc->text(0), QStringLiteral("Calculation"));
    QStringList tableLeaves, calcLeaves;
    for (int i = 0; i < table->childCount(); ++i)
        tableLeaves << table->child(i)->text(0);
    for (int i = 0; i < calc->childCount(); ++i)
        calcLeaves << calc->child(i)->text(0);
    EXPECT_EQ(tableLeaves, (QStringList{"Table Type", "Record Count", "Columns"}));
    EXPECT_EQ(calcLeaves, (QStringList{"Type", "Description", "Data Sources", "Formula", "Partitions", "Restrictions",
                                       "Calendar", "Dependencies", "Folder"}));
    for (QTreeWidgetItem* root : {table, calc}) {
        EXPECT_TRUE(root->isExpanded());
        EXPECT_EQ(root->checkState(0), Qt::Checked);
        for (int i = 0; i < root->childCount(); ++i)
            EXPECT_EQ(root->child(i)->checkState(0), Qt::Checked);
    }

    // A root carries its check down; a leaf never carries it up.
    calc->setCheckState(0, Qt::Unchecked);
    for (int i = 0; i < calc->childCount(); ++i)
        EXPECT_EQ(calc->child(i)->checkState(0), Qt::Unchecked);
    calc->setCheckState(0, Qt::Checked);
    for (int i = 0; i < calc->childCount(); ++i)
        EXPECT_EQ(calc->child(i)->checkState(0), Qt::Checked);
    Leaf(tree, "Calculation", "Formula")->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(calc->checkState(0), Qt::Checked);
    EXPECT_EQ(Leaf(tree, "Calculation", "Type")->checkState(0), Qt::Checked);
    for (int i = 0; i < table->childCount(); ++i)
        table->child(i)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(table->checkState(0), Qt::Checked);

    // Answering No changes nothing; the run reads the leaves: Table switches off, View switches off (no root).
    g_bViewColumns = true;
    dialog->txtLocation->setText(folder.path());
    dialog->cmdExport_Click(); // the scripted box answers No
    EXPECT_TRUE(g_bViewColumns);
    EXPECT_EQ(InfoLines(), QStringList{QStringLiteral("Launch Screen: Export Objects")});
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
    Export(*dialog);
    EXPECT_FALSE(g_bTableType || g_bTableRecordCount || g_bTableColumns || g_bViewColumns || g_bCalcFormula
                 || g_bCalendarTimeHierarchy);
    EXPECT_TRUE(g_bCalcType && g_bCalcCalendar);
    // The message boxes of the run did not rebuild the tree.
    EXPECT_EQ(Leaf(tree, "Calculation", "Formula")->checkState(0), Qt::Unchecked);
    EXPECT_EQ(tree->topLevelItemCount(), 2);
}

TEST_F(ExportDialog, ExactFileForTableAndCalculationWithSectionsUnchecked)
{
    auto dialog = Open(QStringLiteral("|PayeeMaster"), QStringLiteral("|Accelerator Rate"));
    Leaf(dialog->tvExport, "Table", "Columns")->setCheckState(0, Qt::Unchecked);
    for (const char* leaf : {"Data Sources", "Dependencies", "Folder"})
        Leaf(dialog->tvExport, "Calculation", leaf)->setCheckState(0, Qt::Unchecked);
    Export(*dialog);

    const QByteArray crlf("\r\n");
    const QByteArray expected = "* TABLES *" + crlf + crlf                                    //
        + QByteArray(150, '-') + crlf + "Table: PayeeMaster" + crlf + crlf                    //
        + "Table Type: Data" + crlf + crlf + "Record Count: 40" + crlf + crlf + crlf          //
        + crlf + crlf + crlf                                                                  //
        + "* CALCULATIONS *" + crlf + crlf                                                    //
        + QByteArray(100, '-') + crlf + "Calculation: Accelerator Rate" + crlf + crlf         //
        + "Type: User-Defined Calculation" + crlf + crlf                                      //
        + "Description: Tier rate looked up from the commission rate table." + crlf + crlf    //
        + "Formula: MAX( CommissionRates.Rate )" + crlf + crlf                                //
        + "Partitions: " + crlf + crlf + "Restrictions: " + crlf + crlf + "Calendar: " + crlf //
        + crlf + crlf + crlf + crlf;
    EXPECT_EQ(test::FileBytes(ExportPath()), expected);

    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_EQ(seams.boxes.shown[0].prompt,
              QStringLiteral("Start Export Objects ?\r\n\r\nNote: This may take few minutes depends on number of model "
                             "objects selected."));
    EXPECT_EQ(seams.boxes.shown[0].style, mb::Question | mb::YesNo);
    EXPECT_EQ(seams.boxes.shown[0].title, QStringLiteral("Export Objects"));
    EXPECT_EQ(seams.boxes.shown[1].prompt, QStringLiteral("Objects exported successfully !\r\n\r\nFile Name: ") + kFileName
                                               + QStringLiteral("\r\nFolder: ") + folder.path()
                                               + QStringLiteral("\r\n\r\nClick Ok to Open the export file"));
    EXPECT_EQ(seams.boxes.shown[1].style, mb::Information);
    EXPECT_EQ(seams.boxes.shown[1].title, QStringLiteral("Export Objects"));
    EXPECT_EQ(seams.shell.opened, QStringList{ExportPath()});
    EXPECT_EQ(InfoLines(), (QStringList{"Launch Screen: Export Objects", "Begin Export", "End Export"}));
    EXPECT_TRUE(test::LogMessages().isEmpty());
    EXPECT_TRUE(dialog->cmdExport->isEnabled());
    EXPECT_FALSE(dialog->pbProgress->isVisible());
}

TEST_F(ExportDialog, FolderBrowserStartsOnTheExportFolderElseDataElseHome)
{
    auto dialog = Open(QStringLiteral("|PayeeMaster"), QString());
    const QString data = ApplicationFolderPath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(data));
    seams.dialogs.answers = {QString(), QString(), folder.path()};
    dialog->cmdFolder_Click(); // cancelled: the location stays
    dialog->txtLocation->setText(folder.filePath(QStringLiteral("missing")));
    dialog->cmdFolder_Click();
    ASSERT_TRUE(QDir(data).removeRecursively());
    dialog->cmdFolder_Click();
    QDir().mkpath(data);
    EXPECT_EQ(seams.dialogs.folders, QStringList({folder.path(), data, QDir::homePath()}));
    EXPECT_EQ(dialog->txtLocation->text(), folder.path());
}

TEST_F(ExportDialog, BlankMissingOrUnusableFolderEndsInOrder)
{
    QFile regular(folder.filePath(QStringLiteral("plain.txt")));
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();
    // Root ignores permissions, so "unwritable" is a folder below a regular file,
    // or a folder where the file's own name is taken by a folder.
    const QString occupied = folder.filePath(QStringLiteral("occupied"));
    ASSERT_TRUE(QDir().mkpath(occupied + QLatin1Char('/') + kFileName));
    const QStringList locations{QStringLiteral("    "), folder.filePath(QStringLiteral("missing")),
                                folder.filePath(QStringLiteral("plain.txt/sub")), occupied};
    for (const QString& location : locations) {
        SCOPED_TRACE(location.toStdString());
        test::ClearLog();
        seams.boxes.shown.clear();
        auto dialog = Open(QStringLiteral("|PayeeMaster"), QString());
        dialog->txtLocation->setText(location);
        g_bViewColumns = true;
        Export(*dialog);

        ASSERT_EQ(seams.boxes.shown.size(), 2u);
        EXPECT_EQ(seams.boxes.shown[1].prompt, QStringLiteral("Invalid or Missing folder !"));
        EXPECT_EQ(seams.boxes.shown[1].style, mb::Critical);
        EXPECT_EQ(seams.boxes.shown[1].title, QStringLiteral("Export Objects"));
        EXPECT_EQ(dialog->focusWidget(), dialog->cmdFolder);
        EXPECT_TRUE(dialog->cmdExport->isEnabled());
        EXPECT_FALSE(dialog->lblPercentage->isVisible());
        EXPECT_FALSE(g_bViewColumns); // the switches were set before the folder check
        EXPECT_EQ(InfoLines(), (QStringList{"Launch Screen: Export Objects", "Begin Export"}));
        EXPECT_TRUE(seams.shell.opened.isEmpty());
    }
    // Only the folder that exists but cannot take the file leaves an ERROR line.
    const QStringList errors = test::LogMessages();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Function: cmdExport_Click() --> Code: 75 --> Description: ")))
        << qPrintable(errors[0]);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("plain.txt")});
}

TEST_F(ExportDialog, FailingWriteClosesTheFileWithACriticalBoxAndNoSuccess)
{
    // The file name of the fixed clock leads to a device that is always full.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), ExportPath()));
    auto dialog = Open(QStringLiteral("|PayeeMaster"), QStringLiteral("|Accelerator Rate"));
    Export(*dialog);

    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_TRUE(seams.boxes.shown[1].prompt.startsWith(QStringLiteral("Unable to write the export file !\r\n\r\n")))
        << qPrintable(seams.boxes.shown[1].prompt);
    EXPECT_EQ(seams.boxes.shown[1].style, mb::Critical);
    EXPECT_EQ(seams.boxes.shown[1].title, QStringLiteral("Export Objects"));
    const QStringList errors = test::LogMessages();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Function: cmdExport_Click() --> Code: 57 --> Description: ")))
        << qPrintable(errors[0]);
    EXPECT_EQ(InfoLines(), (QStringList{"Launch Screen: Export Objects", "Begin Export"}));
    EXPECT_TRUE(seams.shell.opened.isEmpty());
    EXPECT_TRUE(dialog->cmdExport->isEnabled());
    EXPECT_FALSE(dialog->pbProgress->isVisible());
}

TEST_F(ExportDialog, ProgressComesFromTheItemsAndCloseIsRefusedWhileExporting)
{
    auto dialog = Open(QString(), QStringLiteral("|Accelerator Rate|New Hire Guarantee|Draw Recovery"));
    dialog->lblRecordCount->setText(QStringLiteral("2")); // a short count must not cost output

    QStringList captions;
    bool sawRun = false;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!dialog->ExportRunning())
            return;
        captions << dialog->lblPercentage->text();
        if (sawRun)
            return;
        sawRun = true;
        EXPECT_EQ(dialog->lblPreviewStatus->text(), QStringLiteral("Export Calculation(s)..."));
        EXPECT_TRUE(dialog->lblPreviewStatus->isVisible());
        EXPECT_TRUE(dialog->pbProgress->isVisible());
        EXPECT_EQ(dialog->pbProgress->maximum(), 4);
        EXPECT_FALSE(dialog->cmdExport->isEnabled());
        EXPECT_TRUE(RunGuard::active());
        dialog->cmdClose->click();
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        dialog->close();
        EXPECT_TRUE(dialog->isVisible());
    });
    probe.start();
    Export(*dialog);
    probe.stop();

    EXPECT_TRUE(sawRun);
    captions.removeDuplicates();
    EXPECT_EQ(captions, (QStringList{"33%", "67%", "100%"}));
    EXPECT_EQ(dialog->pbProgress->value(), 4);
    EXPECT_EQ(g_lPreviewTotal, 3);
    const QByteArray file = test::FileBytes(ExportPath());
    EXPECT_TRUE(file.startsWith("* CALCULATIONS *\r\n\r\n"));
    EXPECT_EQ(file.count("Calculation: "), 3);
    EXPECT_FALSE(InfoLines().contains(QStringLiteral("Exiting Export Objects")));

    // Idle again: Esc closes, once.
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    dialog->close();
    EXPECT_EQ(InfoLines().count(QStringLiteral("Exiting Export Objects")), 1);
}

TEST_F(ExportDialog, AllSevenKindsInTheFixedOrder)
{
    auto dialog = std::make_unique<frmBKLExportObjects>();
    dialog->m_sTablesExport = QStringLiteral("|RegionLookup");
    dialog->m_sViewsExport = QStringLiteral("|RegionSalesView");
    dialog->m_sCalendarsExport = QStringLiteral("|(STD) Standard Calendar");
    dialog->m_sCalculationsExport = QStringLiteral("|Total Sales");
    dialog->m_sCompensationPlansExport = QStringLiteral("|(NH2026) New Hire Plan 2026");
    dialog->m_sTailoredReportsExport = QStringLiteral("|(TR01) Monthly Commission Statement");
    dialog->m_sPresentorReportsExport = QStringLiteral("|Region Summary");
    dialog->show();
    dialog->txtLocation->setText(folder.path() + QLatin1Char('/'));
    EXPECT_EQ(dialog->tvExport->topLevelItemCount(), 7);
    Export(*dialog);

    const QString file = QString::fromUtf8(test::FileBytes(ExportPath()));
    qsizetype at = 0;
    for (const char* header : {"* TABLES *", "* VIEWS *", "* CALENDARS *", "* CALCULATIONS *",
                               "* COMPENSATION PLANS *", "* TAILORED REPORTS *", "* PRESENTOR REPORTS *"}) {
        const qsizetype found = file.indexOf(QLatin1String(header) + QStringLiteral("\r\n\r\n"), at);
        ASSERT_GE(found, at) << header;
        // Every section but the first follows the three line ends of the one before.
        if (at > 0)
            EXPECT_TRUE(file.left(found).endsWith(QStringLiteral("\r\n\r\n\r\n"))) << header;
        at = found + 1;
    }
    EXPECT_TRUE(file.endsWith(QStringLiteral("\r\n\r\n\r\n")));
    EXPECT_EQ(seams.boxes.shown.back().style, mb::Information);
    EXPECT_TRUE(test::LogMessages().isEmpty()) << qPrintable(test::LogMessages().join(QLatin1Char('\n')));
}
