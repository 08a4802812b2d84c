#include "compare/ui/frmBKLTargetModelLogin.h"

#include "compare/TargetLogin.h"
#include "compare/ui/CompareListRow.h"
#include "compare/ui/frmBKLCompareObjects.h"
#include "platform/core/Seams.h"
#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "shell/Log.h"
#include "shell/ui/DatabaseCatalogCombo.h"
#include "shell/ui/FormControls.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace bkl;

frmBKLTargetModelLogin::frmBKLTargetModelLogin(frmBKLCompareObjects* compareWindow, QWidget* parent)
    : UnloadingDialog(parent), m_compare(compareWindow)
{
    setObjectName(QStringLiteral("frmBKLTargetModelLogin"));
    setModal(true);
    buildControls();
    Form_Load();
}

void frmBKLTargetModelLogin::buildControls()
{
    setWindowTitle(QString::fromLatin1(kProductName));
    Frame1 = new QGroupBox(QStringLiteral("Connect To Model"), this);
    cboModelProfiles = new QComboBox(Frame1);
    txtSQLServerHost = NewTextBox(Frame1, 255);
    txtSQLServerUser = NewTextBox(Frame1, 255);
    txtSQLServerPassword = NewPasswordBox(Frame1, 255);
    chkWindowsAuth = new QCheckBox(QStringLiteral("Windows Authentication"), Frame1);
    cboSQLServerDB = new QComboBox(Frame1);
    cboSQLServerDB->setEditable(true);
    cboSQLServerDB->setInsertPolicy(QComboBox::NoInsert);
    cmdSelectDatabase = NewButton(QStringLiteral("&Refresh Model(s)"), QStringLiteral("Refresh Model(s)"), Frame1);

    auto* db = new QHBoxLayout;
    db->addWidget(cboSQLServerDB, 1);
    db->addWidget(cmdSelectDatabase);
    auto* form = new QFormLayout(Frame1);
    form->addRow(QStringLiteral("Model Profile:"), cboModelProfiles);
    form->addRow(QStringLiteral("Server/Host:"), txtSQLServerHost);
    form->addRow(QStringLiteral("User:"), txtSQLServerUser);
    form->addRow(QStringLiteral("Password:"), txtSQLServerPassword);
    form->addRow(QString(), chkWindowsAuth);
    form->addRow(QStringLiteral("Model Database:"), db);

    cmdConnect = NewButton(QStringLiteral("&Connect"), QStringLiteral("Connect to Model"), this);
    cmdConnect->setDefault(true);
    cmdClose = NewButton(QStringLiteral("C&lose"), QStringLiteral("Close Window"), this);
    cmdSelectDatabase->setAutoDefault(false);
    cmdClose->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(RightAlignedButtons({cmdConnect, cmdClose}));
    setMinimumWidth(460);
    setCredentialBoxesEnabled(true);

    connect(cboModelProfiles, &QComboBox::activated, this, &frmBKLTargetModelLogin::cboModelProfiles_Click);
    connect(chkWindowsAuth, &QCheckBox::toggled, this, &frmBKLTargetModelLogin::chkWindowsAuth_Click);
    connect(cmdSelectDatabase, &QPushButton::clicked, this, &frmBKLTargetModelLogin::cmdSelectDatabase_Click);
    connect(cmdConnect, &QPushButton::clicked, this, &frmBKLTargetModelLogin::cmdConnect_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmBKLTargetModelLogin::cmdClose_Click);
}

void frmBKLTargetModelLogin::Form_Load()
{
    WriteLog(QStringLiteral("Launch ") + windowTitle(), LogInfo);
    chkWindowsAuth->setChecked(false);
    LoadModelProfiles();
}

void frmBKLTargetModelLogin::Form_Unload() { WriteLog(QStringLiteral("Exiting ") + windowTitle(), LogInfo); }

void frmBKLTargetModelLogin::LoadModelProfiles()
{
    const LoginProfiles read = ReadProfilesForLogin(ProfileFilePath());
    m_profiles = read.profiles;
    cboModelProfiles->clear();
    for (const ModelProfile& p : m_profiles)
        cboModelProfiles->addItem(p.profileName);
    const ModelProfile* preset = read.defaultIndex >= 0 ? &m_profiles.at(read.defaultIndex) : nullptr;
    if (preset) {
        if (!preset->profileName.isEmpty())
            cboModelProfiles->setCurrentIndex(read.defaultIndex);
        if (!preset->serverHost.isEmpty())
            txtSQLServerHost->setText(preset->serverHost);
        if (!preset->user.isEmpty())
            txtSQLServerUser->setText(preset->user);
        if (!preset->password.isEmpty())
            txtSQLServerPassword->setText(preset->password);
        if (!preset->modelDatabase.isEmpty())
            cboSQLServerDB->setEditText(preset->modelDatabase);
    }
    chkWindowsAuth->setChecked(preset && preset->windowsAuth == QLatin1String("Y"));
}

void frmBKLTargetModelLogin::cboModelProfiles_Click()
{
    const QString chosen = UCase(Trim(cboModelProfiles->currentText()));
    if (chosen.isEmpty() || chosen == QLatin1String("<NONE>"))
        return;
    for (const ModelProfile& p : m_profiles) {
        if (UCase(p.profileName) != chosen)
            continue;
        txtSQLServerHost->setText(p.serverHost);
        txtSQLServerUser->setText(p.user);
        txtSQLServerPassword->setText(p.password);
        cboSQLServerDB->setEditText(p.modelDatabase);
        const QString flag = Trim(p.windowsAuth);
        // Any other flag leaves the box and the two fields as they are.
        if (flag == QLatin1String("Y") || flag == QLatin1String("N")) {
            chkWindowsAuth->setChecked(flag == QLatin1String("Y"));
            setCredentialBoxesEnabled(flag == QLatin1String("N"));
        }
    }
}

void frmBKLTargetModelLogin::chkWindowsAuth_Click() { setCredentialBoxesEnabled(!chkWindowsAuth->isChecked()); }

void frmBKLTargetModelLogin::setCredentialBoxesEnabled(bool enabled)
{
    const QString colour = enabled ? QStringLiteral("#FFFFFF") : QStringLiteral("#E0E0E0");
    txtSQLServerUser->setEnabled(enabled);
    txtSQLServerUser->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; }").arg(colour));
    txtSQLServerPassword->setEnabled(enabled);
    txtSQLServerPassword->setStyleSheet(PasswordBoxStyle(colour));
}

bool frmBKLTargetModelLogin::hostGiven()
{
    if (!Trim(txtSQLServerHost->text()).isEmpty())
        return true;
    MsgBox(QStringLiteral("Server/Host Name expected ! "), mb::OKOnly | mb::Information,
           QStringLiteral("Select Server/Host"));
    txtSQLServerHost->setFocus();
    return false;
}

ConnectionSettings frmBKLTargetModelLogin::settings(bool passwordAsTyped) const
{
    return {Trim(txtSQLServerHost->text()), Trim(txtSQLServerUser->text()),
            passwordAsTyped ? txtSQLServerPassword->text() : Trim(txtSQLServerPassword->text()),
            chkWindowsAuth->isChecked()};
}

void frmBKLTargetModelLogin::cmdSelectDatabase_Click()
{
    if (!hostGiven())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    FillAllDatabaseCatalog(settings(false), cboSQLServerDB);
    QApplication::restoreOverrideCursor();
}

void frmBKLTargetModelLogin::cmdConnect_Click()
{
    if (!hostGiven())
        return;
    const QString host = Trim(txtSQLServerHost->text());
    const QString model = Trim(cboSQLServerDB->currentText());
    if (model.isEmpty()) {
        MsgBox(QStringLiteral("Quellmar Model Name expected ! "), mb::OKOnly | mb::Information,
               QStringLiteral("Select Model"));
        cboSQLServerDB->setFocus();
        return;
    }
    if (compare::IsSourceModel(host, model)) {
        MsgBox(QStringLiteral("Source and Target models cannot be the same !. Please re-select"),
               mb::OKOnly | mb::Critical, QStringLiteral("Compare Objects"));
        cboModelProfiles->setFocus();
        return;
    }
    // The open target stays with the compare window until a new one is open.
    if (g_cnTarget.isOpen())
        g_cnTarget = db::Connection();
    if (compare::ConnectToTargetDataStoreSQLSERVER(settings(true), model, g_cnTarget) != 1) {
        cboModelProfiles->setFocus();
        return;
    }
    m_compare->lblTargetModel->setText(model + QLatin1Char('@') + host);
    m_compare->lblConnectionStatus->setText(QStringLiteral("Connection Status: Connected"));
    compare::SetLabelColour(m_compare->lblConnectionStatus, 65280);
    m_compare->lblServerHost->setText(QStringLiteral("Server/Host: ") + host);
    m_compare->lblModelName->setText(QStringLiteral("Model Name: ") + model);
    m_compare->m_cnTarget = g_cnTarget;
    WriteLog(QStringLiteral("Connected to target model: ") + model, LogInfo);
    done(QDialog::Accepted);
}

void frmBKLTargetModelLogin::cmdClose_Click() { done(QDialog::Rejected); }
