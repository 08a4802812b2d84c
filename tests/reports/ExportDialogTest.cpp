// The export dialog driven as a user would: the detail-section tree, the
// confirmation, the folder checks, the run with its progress and file, the
// result box and the refusal to close while exporting.
#include "ReportTestSupport.h"

#include "platform/core/ScriptedSeams.h"
#include "platform/core/TimeSlice.h"
#include "platform/ui/RunGuard.h"
#include "reports/DetailSectionFlags.h"
#include "reports/ui/frmBKLExportObjects.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "support/FileBytes.h"
#include "support/ShownBox.h"

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
#include <memory>

namespace {

const QString kFileName = u"BKL_SalesModel2026_05Dec2026203625.txt"_s;

QTreeWidgetItem* Leaf(QTreeWidget* tree, const QString& root, const QString& leaf)
{
    for (int r = 0; r < tree->topLevelItemCount(); ++r)
        for (int l = 0; tree->topLevelItem(r)->text(0) == root && l < tree->topLevelItem(r)->childCount(); ++l)
            if (tree->topLevelItem(r)->child(l)->text(0) == leaf)
                return tree->topLevelItem(r)->child(l);
    return nullptr;
}

QStringList Leaves(QTreeWidgetItem* root, Qt::CheckState state = Qt::Checked)
{
    QStringList leaves;
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->checkState(0) == state)
            leaves << root->child(i)->text(0);
    return leaves;
}

class ExportDialog : public ::testing::Test {
protected:
    SeamGuard seams;
    FixedClock clock{QDateTime(QDate(2026, 12, 5), QTime(20, 36, 25))};
    QTemporaryDir folder;

    void SetUp() override
    {
        seams.install();
        SetClock(&clock);
        test::ClearLog();
        g_cnModel = test::OpenDemoModel(QStringLiteral("SalesModel2026"));
        g_sModelName = QStringLiteral("SalesModel2026");
    }
    void TearDown() override { SetClock(nullptr); }

    // A shown dialog for the given tables and calculations, exporting into `folder`.
    std::unique_ptr<frmBKLExportObjects> Open(const QString& tables, const QString& calculations)
    {
        auto dialog = std::make_unique<frmBKLExportObjects>();
        dialog->m_sTablesExport = tables;
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
    QStringList InfoLines() const { return test::LogMessages(u"INFO"_s); }
    QString ExportPath() const { return folder.filePath(kFileName); }
};

} // namespace

TEST_F(ExportDialog, TreeHasOneCheckedExpandedRootPerKindAndCarriesChecksDown)
{
    auto dialog = std::make_unique<frmBKLExportObjects>();
    dialog->m_sTablesExport = u"|T1|T2"_s;
    dialog->m_sViewsExport = u"   "_s;
    dialog->m_sCalculationsExport = u"|C1"_s;
    dialog->show();
    EXPECT_EQ(dialog->txtLocation->text(), ApplicationFolderPath(u"data"_s));

    QTreeWidget* tree = dialog->tvExport;
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    QTreeWidgetItem* table = tree->topLevelItem(0);
    QTreeWidgetItem* calc = tree->topLevelItem(1);
    EXPECT_EQ(table->text(0), "Table");
    EXPECT_EQ(calc->text(0), "Calculation");
    EXPECT_EQ(Leaves(table), (QStringList{"Table Type", "Record Count", "Columns"}));
    const QStringList calcLeaves{"Type",         "Description", "Data Sources", "Formula", "Partitions",
                                 "Restrictions", "Calendar",    "Dependencies", "Folder"};
    EXPECT_EQ(Leaves(calc), calcLeaves);
    EXPECT_TRUE(table->isExpanded() && calc->isExpanded());
    EXPECT_TRUE(table->checkState(0) == Qt::Checked && calc->checkState(0) == Qt::Checked);

    // A root carries its check down; a leaf never carries it up.
    calc->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(Leaves(calc, Qt::Unchecked), calcLeaves);
    calc->setCheckState(0, Qt::Checked);
    EXPECT_EQ(Leaves(calc), calcLeaves);
    Leaf(tree, "Calculation", "Formula")->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(calc->checkState(0), Qt::Checked);
    EXPECT_EQ(Leaves(calc).size(), 8);
    for (int i = 0; i < table->childCount(); ++i)
        table->child(i)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(table->checkState(0), Qt::Checked);

    // Answering No changes nothing; the run reads the leaves: Table switches off, View switches off (no root).
    g_bViewColumns = true;
    dialog->txtLocation->setText(folder.path());
    dialog->cmdExport_Click(); // the scripted box answers No
    EXPECT_TRUE(g_bViewColumns);
    EXPECT_EQ(InfoLines(), QStringList{u"Launch Screen: Export Objects"_s});
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
    auto dialog = Open(u"|PayeeMaster"_s, u"|Accelerator Rate"_s);
    Leaf(dialog->tvExport, "Table", "Columns")->setCheckState(0, Qt::Unchecked);
    for (const char* leaf : {"Data Sources", "Dependencies", "Folder"})
        Leaf(dialog->tvExport, "Calculation", leaf)->setCheckState(0, Qt::Unchecked);
    Export(*dialog);

    EXPECT_EQ(test::FileBytes(ExportPath()),
              "* TABLES *\r\n\r\n" + QByteArray(150, '-') + "\r\nTable: PayeeMaster\r\n\r\nTable Type: Data\r\n\r\n"
                  "Record Count: 40\r\n\r\n\r\n\r\n\r\n\r\n* CALCULATIONS *\r\n\r\n" + QByteArray(100, '-')
                  + "\r\nCalculation: Accelerator Rate\r\n\r\nType: User-Defined Calculation\r\n\r\n"
                    "Description: Tier rate looked up from the commission rate table.\r\n\r\n"
                    "Formula: MAX( CommissionRates.Rate )\r\n\r\nPartitions: \r\n\r\nRestrictions: \r\n\r\n"
                    "Calendar: \r\n\r\n\r\n\r\n\r\n");
    ASSERT_EQ(seams.boxes.shown.size(), 2u);
    EXPECT_TRUE(IsBox(seams.boxes.shown[0],
                      u"Start Export Objects ?\r\n\r\nNote: This may take few minutes depends on number of model objects "
                      "selected."_s,
                      mb::Question | mb::YesNo, u"Export Objects"_s));
    EXPECT_TRUE(IsBox(seams.boxes.shown[1],
                      "Objects exported successfully !\r\n\r\nFile Name: " + kFileName + "\r\nFolder: " + folder.path()
                          + "\r\n\r\nClick Ok to Open the export file",
                      mb::Information, u"Export Objects"_s));
    EXPECT_EQ(seams.shell.opened, QStringList{ExportPath()});
    EXPECT_EQ(InfoLines(), (QStringList{"Launch Screen: Export Objects", "Begin Export", "End Export"}));
    EXPECT_TRUE(test::LogMessages().isEmpty());
    EXPECT_TRUE(dialog->cmdExport->isEnabled());
    EXPECT_FALSE(dialog->pbProgress->isVisible());
}

TEST_F(ExportDialog, FolderBrowserStartsOnTheExportFolderElseDataElseHome)
{
    auto dialog = Open(u"|PayeeMaster"_s, QString());
    const QString data = ApplicationFolderPath(u"data"_s);
    ASSERT_TRUE(QDir().mkpath(data));
    seams.dialogs.answers = {QString(), QString(), folder.path()};
    dialog->cmdFolder_Click(); // cancelled: the location stays
    dialog->txtLocation->setText(folder.filePath(u"missing"_s));
    dialog->cmdFolder_Click();
    ASSERT_TRUE(QDir(data).removeRecursively());
    dialog->cmdFolder_Click();
    QDir().mkpath(data);
    EXPECT_EQ(seams.dialogs.folders, QStringList({folder.path(), data, QDir::homePath()}));
    EXPECT_EQ(dialog->txtLocation->text(), folder.path());
}

TEST_F(ExportDialog, UnusableFolderOrFailingWriteEndsInOrder)
{
    test::WriteFileBytes(folder.filePath(u"plain.txt"_s), QByteArray());
    // Root ignores permissions, so "unwritable" is a folder below a regular file,
    // or a folder where the file's own name is taken by a folder; the file name of
    // the fixed clock in the last folder leads to a device that is always full.
    const QString occupied = folder.filePath(u"occupied"_s);
    ASSERT_TRUE(QDir().mkpath(occupied + '/' + kFileName));
    const QString full = folder.filePath(u"full"_s);
    ASSERT_TRUE(QDir().mkpath(full) && QFile::link(u"/dev/full"_s, full + '/' + kFileName));
    const struct {
        QString location;
        const char* prompt; // the start of the critical box's text
        const char* error;  // the start of the ERROR line, if any
    } cases[] = {{u"    "_s, "Invalid or Missing folder !", nullptr},
                 {folder.filePath(u"missing"_s), "Invalid or Missing folder !", nullptr},
                 {folder.filePath(u"plain.txt/sub"_s), "Invalid or Missing folder !", nullptr},
                 {occupied, "Invalid or Missing folder !", "Function: cmdExport_Click() --> Code: 75 --> Description: "},
                 {full, "Unable to write the export file !\r\n\r\n", "Function: cmdExport_Click() --> Code: 57 --> Description: "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.location.toStdString());
        test::ClearLog();
        seams.boxes.shown.clear();
        auto dialog = Open(u"|PayeeMaster"_s, u"|Accelerator Rate"_s);
        dialog->txtLocation->setText(c.location);
        g_bViewColumns = true;
        Export(*dialog);
        ASSERT_EQ(seams.boxes.shown.size(), 2u);
        const ShownBox& box = seams.boxes.shown[1];
        EXPECT_TRUE(IsBox(box, box.prompt, mb::Critical, u"Export Objects"_s));
        if (c.location == full) {
            EXPECT_TRUE(box.prompt.startsWith(QLatin1String(c.prompt))) << qPrintable(box.prompt);
        } else {
            EXPECT_EQ(box.prompt, c.prompt);
            EXPECT_EQ(dialog->focusWidget(), dialog->cmdFolder);
        }
        EXPECT_TRUE(dialog->cmdExport->isEnabled());
        EXPECT_FALSE(dialog->lblPercentage->isVisible() || dialog->pbProgress->isVisible());
        EXPECT_FALSE(g_bViewColumns); // the switches were set before the folder check
        EXPECT_EQ(InfoLines(), (QStringList{"Launch Screen: Export Objects", "Begin Export"}));
        EXPECT_TRUE(seams.shell.opened.isEmpty());
        const QStringList errors = test::LogMessages();
        EXPECT_EQ(errors.size(), c.error ? 1 : 0);
        if (c.error && !errors.isEmpty())
            EXPECT_TRUE(errors[0].startsWith(QLatin1String(c.error))) << qPrintable(errors[0]);
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{u"plain.txt"_s});
}

TEST_F(ExportDialog, ProgressComesFromTheItemsAndCloseIsRefusedWhileExporting)
{
    auto dialog = Open(QString(), u"|Accelerator Rate|New Hire Guarantee|Draw Recovery"_s);
    dialog->lblRecordCount->setText(u"2"_s); // a short count must not cost output
    SetPumpSliceMsForTesting(0);              // the event loop turns after every object

    QStringList captions;
    bool sawRun = false;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!dialog->ExportRunning())
            return;
        captions << dialog->lblPercentage->text();
        if (std::exchange(sawRun, true))
            return;
        EXPECT_EQ(dialog->lblPreviewStatus->text(), "Export Calculation(s)...");
        EXPECT_TRUE(dialog->lblPreviewStatus->isVisible() && dialog->pbProgress->isVisible());
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
    EXPECT_EQ(captions, (QStringList{"0%", "33%", "67%", "100%"}));
    EXPECT_EQ(dialog->pbProgress->value(), 4);
    EXPECT_EQ(g_lPreviewTotal, 3);
    const QByteArray file = test::FileBytes(ExportPath());
    EXPECT_TRUE(file.startsWith("* CALCULATIONS *\r\n\r\n"));
    EXPECT_EQ(file.count("Calculation: "), 3);
    EXPECT_FALSE(InfoLines().contains(u"Exiting Export Objects"_s));
    // Idle again: Esc closes, once.
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    dialog->close();
    EXPECT_EQ(InfoLines().count(u"Exiting Export Objects"_s), 1);
}

TEST_F(ExportDialog, AllSevenKindsInTheFixedOrder)
{
    auto dialog = std::make_unique<frmBKLExportObjects>();
    dialog->m_sTablesExport = u"|RegionLookup"_s;
    dialog->m_sViewsExport = u"|RegionSalesView"_s;
    dialog->m_sCalendarsExport = u"|(STD) Standard Calendar"_s;
    dialog->m_sCalculationsExport = u"|Total Sales"_s;
    dialog->m_sCompensationPlansExport = u"|(NH2026) New Hire Plan 2026"_s;
    dialog->m_sTailoredReportsExport = u"|(TR01) Monthly Commission Statement"_s;
    dialog->m_sPresentorReportsExport = u"|Region Summary"_s;
    dialog->show();
    dialog->txtLocation->setText(folder.path() + '/');
    EXPECT_EQ(dialog->tvExport->topLevelItemCount(), 7);
    Export(*dialog);

    const QString file = QString::fromUtf8(test::FileBytes(ExportPath()));
    qsizetype at = 0;
    for (const char* header : {"* TABLES *", "* VIEWS *", "* CALENDARS *", "* CALCULATIONS *", "* COMPENSATION PLANS *",
                               "* TAILORED REPORTS *", "* PRESENTOR REPORTS *"}) {
        const qsizetype found = file.indexOf(QLatin1String(header) + "\r\n\r\n", at);
        ASSERT_GE(found, at) << header;
        // Every section but the first follows the three line ends of the one before.
        EXPECT_TRUE(at == 0 || file.left(found).endsWith("\r\n\r\n\r\n")) << header;
        at = found + 1;
    }
    EXPECT_TRUE(file.endsWith("\r\n\r\n\r\n"));
    EXPECT_EQ(seams.boxes.shown.back().style, mb::Information);
    EXPECT_TRUE(test::LogMessages().isEmpty()) << qPrintable(test::LogMessages().join('\n'));
}
