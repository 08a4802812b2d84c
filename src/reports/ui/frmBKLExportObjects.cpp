#include "reports/ui/frmBKLExportObjects.h"

#include "mainwindow/ui/ProgressBarSink.h"
#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"
#include "platform/ui/GridLineDelegate.h"
#include "platform/ui/RunGuard.h"
#include "reports/DetailSectionRule.h"
#include "reports/ui/DetailSectionTree.h"
#include "shell/Globals.h"
#include "shell/Log.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <optional>

using namespace bkl;
using namespace bkl::reports;

namespace {

const QString kCaption = QStringLiteral("Export Objects");
const QString kInvalidFolder = QStringLiteral("Invalid or Missing folder !");

QString StartQuestion()
{
    return QStringLiteral("Start Export Objects ?") + QLatin1String(kCrLf) + QLatin1String(kCrLf)
        + QStringLiteral("Note: This may take few minutes depends on number of model objects selected.");
}

QString DoneText(const QString& fileName, const QString& folder, bool openFile)
{
    const QString crlf = QLatin1String(kCrLf);
    QString text = QStringLiteral("Objects exported successfully !") + crlf + crlf + QStringLiteral("File Name: ")
        + fileName + crlf + QStringLiteral("Folder: ") + folder;
    if (openFile)
        text += crlf + crlf + QStringLiteral("Click Ok to Open the export file");
    return text;
}

QString WriteFailedText(const QString& description)
{
    return QStringLiteral("Unable to write the export file !") + QLatin1String(kCrLf) + QLatin1String(kCrLf)
        + description;
}

} // namespace

frmBKLExportObjects::frmBKLExportObjects(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(kCaption);
    setModal(true);
    createControls();
}

void frmBKLExportObjects::createControls()
{
    auto* layout = new QVBoxLayout(this);

    Label2 = new QLabel(QStringLiteral("Export Object(s): "), this);
    lvExport = new QTreeWidget(this);
    lvExport->setColumnCount(2);
    lvExport->setHeaderLabels({QStringLiteral("NAME"), QStringLiteral("Type")});
    lvExport->setRootIsDecorated(false);
    lvExport->setSelectionMode(QAbstractItemView::SingleSelection);
    lvExport->header()->resizeSection(0, 260);
    lvExport->setMinimumHeight(140);
    layout->addWidget(Label2);
    layout->addWidget(lvExport, 2);

    Frame1 = new QGroupBox(QStringLiteral("Options"), this);
    auto* options = new QVBoxLayout(Frame1);
    Label1 = new QLabel(QStringLiteral("Select Export Attributes: "), Frame1);
    tvExport = new QTreeWidget(Frame1);
    tvExport->setHeaderHidden(true);
    tvExport->setRootIsDecorated(true);
    tvExport->setMinimumHeight(200);
    options->addWidget(Label1);
    options->addWidget(tvExport, 1);

    auto* fileRows = new QGridLayout();
    Label4 = new QLabel(QStringLiteral("Location: "), Frame1);
    txtLocation = new QLineEdit(Frame1);
    cmdFolder = new QPushButton(Frame1);
    cmdFolder->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    cmdFolder->setToolTip(QStringLiteral("Browse export file location"));
    cmdFolder->setAccessibleName(cmdFolder->toolTip());
    Label3 = new QLabel(QStringLiteral("File Format: "), Frame1);
    cboFileFormat = new QComboBox(Frame1);
    fileRows->addWidget(Label4, 0, 0);
    fileRows->addWidget(txtLocation, 0, 1);
    fileRows->addWidget(cmdFolder, 0, 2);
    fileRows->addWidget(Label3, 1, 0);
    fileRows->addWidget(cboFileFormat, 1, 1);
    options->addLayout(fileRows);
    chkOpenFile = new QCheckBox(QStringLiteral("Open file after export completes"), Frame1);
    options->addWidget(chkOpenFile);
    layout->addWidget(Frame1, 3);

    lblPreviewStatus = new QLabel(this);
    layout->addWidget(lblPreviewStatus);
    auto* progressRow = new QHBoxLayout();
    pbProgress = new QProgressBar(this);
    pbProgress->setTextVisible(false);
    lblPercentage = new QLabel(this);
    lblPercentage->setAlignment(Qt::AlignCenter);
    lblPercentage->setMinimumWidth(48);
    lblPercentage->setStyleSheet(QStringLiteral("QLabel { color: white; background-color: rgb(64, 64, 64); }"));
    progressRow->addWidget(pbProgress, 1);
    progressRow->addWidget(lblPercentage);
    layout->addLayout(progressRow);

    auto* buttons = new QHBoxLayout();
    cmdExport = new QPushButton(QStringLiteral("Export"), this);
    cmdExport->setToolTip(QStringLiteral("Export Objects"));
    cmdClose = new QPushButton(QStringLiteral("C&lose"), this);
    cmdClose->setToolTip(QStringLiteral("Close Window"));
    for (QPushButton* button : {cmdFolder, cmdExport, cmdClose})
        button->setAutoDefault(false);
    lblRecordCount = new QLabel(this);
    lblRecordCount->hide();
    buttons->addWidget(lblRecordCount);
    buttons->addStretch(1);
    buttons->addWidget(cmdExport);
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);

    pbProgress->hide();
    lblPreviewStatus->hide();
    lblPercentage->hide();
    resize(480, 680);

    connect(tvExport, &QTreeWidget::itemChanged, this,
            [this](QTreeWidgetItem* node, int column) {
                if (column == 0)
                    tvExport_NodeCheck(node);
            });
    connect(cmdFolder, &QPushButton::clicked, this, &frmBKLExportObjects::cmdFolder_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmBKLExportObjects::cmdExport_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmBKLExportObjects::cmdClose_Click);
}

void frmBKLExportObjects::AddExportRow(const QString& name, const QString& type)
{
    new QTreeWidgetItem(lvExport, QStringList{name, type});
}

ExportLists frmBKLExportObjects::ExportListMembers() const
{
    return {m_sTablesExport,           m_sViewsExport,          m_sCalendarsExport,       m_sCalculationsExport,
            m_sCompensationPlansExport, m_sTailoredReportsExport, m_sPresentorReportsExport};
}

void frmBKLExportObjects::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Once per showing: activating the window again (after a message box) must
    // not rebuild the tree and lose the user's choices.
    if (!event->spontaneous() && !m_bActivated) {
        m_bActivated = true;
        m_bUnloaded = false;
        Form_Activate();
    }
}

void frmBKLExportObjects::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        m_bActivated = false;
}

void frmBKLExportObjects::Form_Activate()
{
    setWindowTitle(kCaption);
    WriteLog(QStringLiteral("Launch Screen: ") + windowTitle(), LogInfo);
    SetGridLines(lvExport, g_bShowGridLines);
    FillExportAttributeTree();
    cboFileFormat->clear();
    cboFileFormat->addItem(QStringLiteral("Text Files (*.txt)"));
    cboFileFormat->setCurrentIndex(0);
    chkOpenFile->setChecked(true);
    txtLocation->setText(ApplicationFolderPath(QStringLiteral("data")));
    lblPreviewStatus->hide();
    lblPercentage->hide();
    lblPercentage->clear();
}

void frmBKLExportObjects::FillExportAttributeTree()
{
    const reports::ExportLists lists = ExportListMembers();
    FillDetailSectionTree(tvExport, ExportTreeRoots(QStringList(lists.begin(), lists.end())));
}

void frmBKLExportObjects::tvExport_NodeCheck(QTreeWidgetItem* node) { CarryCheckToChildren(node); }

void frmBKLExportObjects::cmdFolder_Click()
{
    try {
        // The browser starts on the export folder, else the program's data folder, else the home folder.
        QString start = QDir::homePath();
        for (const QString& folder : {ApplicationFolderPath(QStringLiteral("data")), Trim(txtLocation->text())})
            if (!folder.isEmpty() && QFileInfo(folder).isDir())
                start = folder;
        const QString folder
            = FileDialogs().browseFolder(QStringLiteral("Choose the folder to save the export file"), start);
        if (!Trim(folder).isEmpty())
            txtLocation->setText(folder);
    } catch (...) {
        // A failing folder browser leaves the location as it was.
    }
}

void frmBKLExportObjects::cmdExport_Click()
{
    if (m_bRunning)
        return;
    if (MsgBox(StartQuestion(), mb::Question | mb::YesNo, kCaption) != mb::Yes)
        return;
    WriteLog(QStringLiteral("Begin Export"), LogInfo);

    // Every way out of the run enables Export again and hides the progress.
    QPointer<frmBKLExportObjects> self(this);
    std::optional<RunGuard> run(std::in_place,
                                [self] {
                                    if (!self)
                                        return;
                                    self->m_bRunning = false;
                                    self->pbProgress->hide();
                                    self->lblPreviewStatus->hide();
                                    self->lblPercentage->hide();
                                    self->cmdExport->setEnabled(true);
                                },
                                false);
    m_bRunning = true;
    cmdExport->setEnabled(false);
    SetExportAttributeFlags(tvExport);
    const reports::ExportLists lists = ExportListMembers();

    const QString location = Trim(txtLocation->text());
    if (location.isEmpty() || !QFileInfo(location).isDir()) {
        MsgBox(kInvalidFolder, mb::Critical, kCaption);
        cmdFolder->setFocus();
        return;
    }
    QString fileName;
    if (!WriteExportFile(location, lists, fileName))
        return;

    MsgBox(DoneText(fileName, location, chkOpenFile->isChecked()), mb::Information, kCaption);
    run.reset();
    if (chkOpenFile->isChecked())
        Shell().open(ExportFilePath(location, fileName));
    WriteLog(QStringLiteral("End Export"), LogInfo);
}

bool frmBKLExportObjects::WriteExportFile(const QString& location, const reports::ExportLists& lists,
                                          QString& fileName)
{
    fileName = ExportFileName(g_sModelName, Clock().now());
    std::optional<ExportFileWriter> file;
    try {
        file.emplace(ExportFilePath(location, fileName));
    } catch (const ExportFileError& e) {
        // A folder the file cannot be created in is as good as a missing one.
        LogFunctionError(QStringLiteral("cmdExport_Click"), e.number(), e.description());
        MsgBox(kInvalidFolder, mb::Critical, kCaption);
        cmdFolder->setFocus();
        return false;
    }

    // The bar is sized from the objects the lists really name.
    const long total = ExportItemCount(lists);
    pbProgress->setRange(1, static_cast<int>(total) + 1);
    pbProgress->setValue(1);
    g_lPreviewDone = 0;
    g_lPreviewTotal = total;
    lblPercentage->setText(QStringLiteral("0%"));
    lblPercentage->show();
    ProgressBarSink progress(pbProgress, lblPercentage);
    ExportKindHooks hooks;
    hooks.started = [this](const QString& statusText) {
        lblPreviewStatus->setText(statusText);
        lblPreviewStatus->show();
        pbProgress->show();
    };
    hooks.finished = [this] {
        pbProgress->hide();
        lblPreviewStatus->hide();
    };
    try {
        WriteExportSections(*file, lists, progress, hooks);
        lblPercentage->hide();
        file->close();
        return true;
    } catch (const std::exception& e) {
        file.reset(); // closes the file, keeping the sections already written
        const auto* fileError = dynamic_cast<const ExportFileError*>(&e);
        const QString description = QString::fromUtf8(e.what());
        LogFunctionError(QStringLiteral("cmdExport_Click"), fileError ? fileError->number() : kExportFileWriteError,
                         description);
        MsgBox(WriteFailedText(description), mb::Critical, kCaption);
        return false;
    }
}

bool frmBKLExportObjects::refusedWhileExporting() const
{
    if (!m_bRunning)
        return false;
    QApplication::beep();
    return true;
}

void frmBKLExportObjects::cmdClose_Click() { close(); }

void frmBKLExportObjects::Form_KeyPress(int keyAscii)
{
    if (keyAscii == 27)
        close();
}

void frmBKLExportObjects::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        Form_KeyPress(27);
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmBKLExportObjects::closeEvent(QCloseEvent* event)
{
    if (refusedWhileExporting()) {
        event->ignore();
        return;
    }
    unloadOnce();
    QDialog::closeEvent(event);
}

void frmBKLExportObjects::reject()
{
    if (refusedWhileExporting())
        return;
    unloadOnce();
    QDialog::reject();
}

void frmBKLExportObjects::unloadOnce()
{
    if (m_bUnloaded)
        return;
    m_bUnloaded = true;
    Form_Unload();
}

void frmBKLExportObjects::Form_Unload() { WriteLog(QStringLiteral("Exiting ") + windowTitle(), LogInfo); }
