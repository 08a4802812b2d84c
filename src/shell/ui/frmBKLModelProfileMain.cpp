#include "shell/ui/frmBKLModelProfileMain.h"
#include "platform/ui/ModalWindows.h"

#include "platform/core/FailureBox.h"
#include "platform/core/Seams.h"
#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/ProfileFile.h"
#include "shell/ui/ButtonImages.h"
#include "shell/ui/FormControls.h"
#include "shell/ui/ProfileFileBoxes.h"
#include "shell/ui/ProfileListRows.h"
#include "shell/ui/frmKBLAddModifyModelProfiles.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace bkl;

frmBKLModelProfileMain::frmBKLModelProfileMain(QWidget* parent) : UnloadingDialog(parent)
{
    setObjectName(QStringLiteral("frmBKLModelProfileMain"));
    buildControls();
    Form_Load();
}

void frmBKLModelProfileMain::buildControls()
{
    setWindowTitle(QStringLiteral("Brisklane - Manage Model Profiles"));
    lvProfile = new QTableWidget(0, kProfileColumnCount, this);
    lvProfile->setHorizontalHeaderLabels(ProfileColumnCaptions());
    lvProfile->verticalHeader()->hide();
    lvProfile->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvProfile->setSelectionMode(QAbstractItemView::SingleSelection);
    lvProfile->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvProfile->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lvProfile->horizontalHeader()->setStretchLastSection(true);
    lvProfile->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    cmdAddNew = NewButton(QStringLiteral("&Add"), QStringLiteral("Add New Profile"), this);
    cmdModify = NewButton(QStringLiteral("&Modify"), QStringLiteral("Modify Profile"), this);
    cmdDelete = NewButton(QStringLiteral("&Remove"), QStringLiteral("Remove Profile from list"), this);
    cmdSave = NewButton(QStringLiteral("&Save"), QStringLiteral("Save Changes and Exit"), this);
    cmdClose = NewButton(QStringLiteral("C&lose"), QStringLiteral("Close Window"), this);

    QHBoxLayout* edit = RightAlignedButtons({cmdSave, cmdClose});
    edit->insertWidget(0, cmdDelete);
    edit->insertWidget(0, cmdModify);
    edit->insertWidget(0, cmdAddNew);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Model Profile(s):"), this));
    layout->addWidget(lvProfile, 1);
    layout->addLayout(edit);
    resize(680, 320);
    NoDefaultButton(this);

    connect(cmdAddNew, &QPushButton::clicked, this, &frmBKLModelProfileMain::cmdAddNew_Click);
    connect(cmdModify, &QPushButton::clicked, this, &frmBKLModelProfileMain::cmdModify_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmBKLModelProfileMain::cmdDelete_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmBKLModelProfileMain::cmdSave_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmBKLModelProfileMain::cmdClose_Click);
    connect(lvProfile, &QTableWidget::cellDoubleClicked, this, &frmBKLModelProfileMain::lvProfile_DblClick);
}

void frmBKLModelProfileMain::Form_Load()
{
    WriteLog(QStringLiteral("Launch ") + windowTitle(), LogInfo);
    cmdAddNew->setIcon(ButtonImage(QStringLiteral("addnew")));
    cmdModify->setIcon(ButtonImage(QStringLiteral("modify")));
    cmdDelete->setIcon(ButtonImage(QStringLiteral("delete")));
    lvProfile->setShowGrid(g_bShowGridLines);
    FillProfileList();
}

void frmBKLModelProfileMain::FillProfileList()
{
    lvProfile->setRowCount(0);
    ManagerProfiles read = ReadProfilesForManager(ProfileFilePath());
    m_keptLines = std::move(read.keptLines);
    m_refusal = read.refusal;
    m_read = std::move(read.read);
    AddProfileRows(lvProfile, read.rows);
    if (lvProfile->rowCount() > 0)
        lvProfile->setCurrentCell(0, colProfile);
    if (m_refusal.number != 0)
        ShowProfileFileRefused(m_refusal);
}

void frmBKLModelProfileMain::cmdAddNew_Click()
{
    frmKBLAddModifyModelProfiles dlg(lvProfile, this);
    dlg.lblAction->setText(QStringLiteral("ADD"));
    dlg.cboWindowsAuth->setCurrentIndex(1);
    dlg.cboDefault->setCurrentIndex(1);
    ExecModal(dlg);
}

void frmBKLModelProfileMain::cmdModify_Click()
{
    const int selected = lvProfile->currentRow();
    if (lvProfile->rowCount() == 0 || selected < 0)
        return;
    const ProfileRow row = ProfileRowAt(lvProfile, selected);
    frmKBLAddModifyModelProfiles dlg(lvProfile, this);
    dlg.lblAction->setText(QStringLiteral("MODIFY"));
    dlg.lblSelectedIndex->setText(QString::number(selected + 1));
    dlg.txtProfile->setText(Trim(row.profileName));
    dlg.txtServerHost->setText(Trim(row.serverHost));
    dlg.txtUser->setText(Trim(row.user));
    dlg.txtModel->setText(Trim(row.modelDatabase));
    dlg.txtPassword->setText(Trim(row.password));
    dlg.cboWindowsAuth->setCurrentIndex(Trim(row.windowsAuth) == QLatin1String("Yes") ? 0 : 1);
    dlg.cboDefault->setCurrentIndex(Trim(row.isDefault) == QLatin1String("Yes") ? 0 : 1);
    ExecModal(dlg);
}

void frmBKLModelProfileMain::lvProfile_DblClick() { cmdModify_Click(); }

void frmBKLModelProfileMain::cmdDelete_Click()
{
    const int selected = lvProfile->currentRow();
    if (lvProfile->rowCount() == 0 || selected < 0)
        return;
    const QString name = Trim(ProfileRowAt(lvProfile, selected).profileName);
    if (name.isEmpty())
        return;
    const int answer = MsgBox(QStringLiteral("Are you sure want to remove the selected profile ") + QLatin1Char('\'')
                                  + name + QLatin1Char('\'') + QStringLiteral(" from the list?"),
                              mb::YesNo | mb::Question, QStringLiteral("Remove Profile"));
    if (answer != mb::Yes)
        return;
    lvProfile->setFocus();
    lvProfile->removeRow(selected);
}

void frmBKLModelProfileMain::cmdSave_Click()
{
    const QString title = QString::fromLatin1(kProductName);
    const QList<ProfileRow> rows = AllProfileRows(lvProfile);
    if (rows.isEmpty())
        return;
    if (m_refusal.number != 0) {
        // The file was not read, so writing the list would lose every profile in it.
        LogFunctionError(QStringLiteral("frmBKLModelProfileMain.cmdSave_Click"), m_refusal.number,
                         m_refusal.description + QStringLiteral("; the file is kept as it is"));
        ShowProfileSaveRefused(m_refusal);
        lvProfile->setFocus();
        return;
    }
    QSet<QString> names;
    bool duplicate = false;
    int defaults = 0;
    for (const ProfileRow& row : rows) {
        const QString name = UCase(Trim(row.profileName));
        duplicate = duplicate || names.contains(name);
        names.insert(name);
        if (UCase(Trim(row.isDefault)) == QLatin1String("YES"))
            ++defaults;
    }
    const QString crlf = QLatin1String(kCrLf);
    QString errors;
    if (duplicate)
        errors += QStringLiteral("* Duplicate Profile Name found!") + crlf;
    if (defaults > 1)
        errors += QStringLiteral("* More than one default profile names found! ") + crlf;
    if (defaults == 0)
        errors += QStringLiteral("* No default profile name found! ") + crlf;
    if (!errors.isEmpty()) {
        MsgBox(QStringLiteral("One or more validation errors needs to be corrected before saving!") + crlf + crlf
                   + errors,
               mb::OKOnly | mb::Critical, title);
        lvProfile->setFocus();
        return;
    }
    ErrorInfo error;
    const ProfileSave saved = WriteProfileFile(ProfileFilePath(), rows, m_keptLines, m_read, &error);
    if (saved == ProfileSave::ChangedSinceRead) {
        // Writing the list would lose what the other program put in the file.
        WriteLog(QStringLiteral("frmBKLModelProfileMain.cmdSave_Click: ") + ProfileFilePath()
                     + QStringLiteral(" was changed by another program since it was read; nothing was saved"),
                 LogError);
        ShowProfileChangedSinceRead(ProfileFilePath());
        lvProfile->setFocus();
        return;
    }
    if (saved == ProfileSave::Failed) {
        LogFunctionError(QStringLiteral("frmBKLModelProfileMain.cmdSave_Click"), error.number, error.description);
        ShowErrorBox(QStringLiteral("Unable to save the profile file !. If you are not able to see any profiles loaded, "
                                    "you may need to re-install Brisklane."),
                     error.number, error.description, title);
        reject();
        return;
    }
    MsgBox(QStringLiteral("Profile file updated successfully !"), mb::OKOnly | mb::Information, title);
    accept();
}

void frmBKLModelProfileMain::cmdClose_Click() { reject(); }

void frmBKLModelProfileMain::Form_Unload() { WriteLog(QStringLiteral("Exiting ") + windowTitle(), LogInfo); }
