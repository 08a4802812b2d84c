#include "shell/ui/frmBKLModelLogin.h"

#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/Seams.h"
#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "shell/Globals.h"
#include "shell/ModelConnection.h"
#include "shell/ui/DatabaseCatalogCombo.h"
#include "shell/ui/FormControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace bkl;

namespace {

const char kAnnote[] = "Quellmar SPM 6.1 and above";

// Restores the default pointer when the scope ends, whatever way it ends.
class HourglassOver {
public:
    explicit HourglassOver(QWidget* w) : w_(w) { w_->setCursor(Qt::WaitCursor); }
    ~HourglassOver() { w_->unsetCursor(); }
    HourglassOver(const HourglassOver&) = delete;
    HourglassOver& operator=(const HourglassOver&) = delete;

private:
    QWidget* w_;
};

} // namespace

frmBKLModelLogin::frmBKLModelLogin(QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmBKLModelLogin"));
    buildControls();
    Form_Load();
}

void frmBKLModelLogin::buildControls()
{
    setWindowTitle(QString::fromLatin1(kProductName));

    picTop = new QFrame(this);
    picTop->setObjectName(QStringLiteral("picTop"));
    picTop->setAutoFillBackground(true);
    picTop->setStyleSheet(QStringLiteral("#picTop { background-color: #000080; } QLabel { color: white; }"));
    auto* lblProduct = new QLabel(QString::fromLatin1(kProductName), picTop);
    QFont big = lblProduct->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    lblProduct->setFont(big);
    lblAnnote = new QLabel(picTop);
    lblAnnote->setObjectName(QStringLiteral("lblAnnote"));
    auto* top = new QVBoxLayout(picTop);
    top->addWidget(lblProduct);
    top->addWidget(lblAnnote);

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

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picTop);
    layout->addWidget(Frame1);
    layout->addLayout(RightAlignedButtons({cmdConnect, cmdClose}));
    setMinimumWidth(460);
    setCredentialBoxesEnabled(true);

    connect(cboModelProfiles, &QComboBox::activated, this, &frmBKLModelLogin::cboModelProfiles_Click);
    connect(chkWindowsAuth, &QCheckBox::toggled, this, &frmBKLModelLogin::chkWindowsAuth_Click);
    connect(cmdSelectDatabase, &QPushButton::clicked, this, &frmBKLModelLogin::cmdSelectDatabase_Click);
    connect(cmdConnect, &QPushButton::clicked, this, &frmBKLModelLogin::cmdConnect_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmBKLModelLogin::cmdClose_Click);
}

void frmBKLModelLogin::Form_Load()
{
    chkWindowsAuth->setChecked(false);
    LoadModelProfiles();
    lblAnnote->setText(QString::fromLatin1(kAnnote));
}

void frmBKLModelLogin::LoadModelProfiles()
{
    const LoginProfiles read = ReadProfilesForLogin(ProfileFilePath());
    m_profiles = read.profiles;
    cboModelProfiles->clear();
    for (const ModelProfile& p : m_profiles)
        cboModelProfiles->addItem(p.profileName);
    if (read.defaultIndex < 0)
        return;
    const ModelProfile& d = m_profiles.at(read.defaultIndex);
    cboModelProfiles->setCurrentIndex(read.defaultIndex);
    if (!d.serverHost.isEmpty())
        txtSQLServerHost->setText(d.serverHost);
    if (!d.user.isEmpty())
        txtSQLServerUser->setText(d.user);
    if (!d.password.isEmpty())
        txtSQLServerPassword->setText(d.password);
    if (!d.modelDatabase.isEmpty())
        cboSQLServerDB->setEditText(d.modelDatabase);
    chkWindowsAuth->setChecked(d.windowsAuth == QLatin1String("Y"));
}

void frmBKLModelLogin::cboModelProfiles_Click()
{
    const QString chosen = Trim(cboModelProfiles->currentText());
    if (chosen.isEmpty() || chosen == QLatin1String("<None>"))
        return;
    for (const ModelProfile& p : m_profiles) {
        if (p.profileName.compare(chosen, Qt::CaseInsensitive) != 0)
            continue;
        txtSQLServerHost->setText(p.serverHost);
        txtSQLServerUser->setText(p.user);
        txtSQLServerPassword->setText(p.password);
        cboSQLServerDB->setEditText(p.modelDatabase);
        const QString flag = Trim(p.windowsAuth);
        if (flag == QLatin1String("Y")) {
            chkWindowsAuth->setChecked(true);
            setCredentialBoxesEnabled(false);
        } else if (flag == QLatin1String("N")) {
            chkWindowsAuth->setChecked(false);
            setCredentialBoxesEnabled(true);
        }
    }
}

void frmBKLModelLogin::chkWindowsAuth_Click()
{
    g_bWindowsAuth = chkWindowsAuth->isChecked();
    setCredentialBoxesEnabled(!g_bWindowsAuth);
}

void frmBKLModelLogin::setCredentialBoxesEnabled(bool enabled)
{
    const QString colour = enabled ? QStringLiteral("#FFFFFF") : QStringLiteral("#E0E0E0");
    txtSQLServerUser->setEnabled(enabled);
    txtSQLServerUser->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; }").arg(colour));
    txtSQLServerPassword->setEnabled(enabled);
    txtSQLServerPassword->setStyleSheet(PasswordBoxStyle(colour));
}

bool frmBKLModelLogin::hostGiven()
{
    if (!Trim(txtSQLServerHost->text()).isEmpty())
        return true;
    MsgBox(QStringLiteral("Server/Host Name expected ! "), mb::OKOnly | mb::Information,
           QStringLiteral("Select Server/Host"));
    txtSQLServerHost->setFocus();
    return false;
}

void frmBKLModelLogin::storeConnectionSettings()
{
    g_sServerHost = Trim(txtSQLServerHost->text());
    g_sUserName = Trim(txtSQLServerUser->text());
    g_sPassword = txtSQLServerPassword->text();
    g_bWindowsAuth = chkWindowsAuth->isChecked();
}

void frmBKLModelLogin::cmdSelectDatabase_Click()
{
    if (!hostGiven())
        return;
    storeConnectionSettings();
    HourglassOver hourglass(this);
    FillAllDatabaseCatalog(SourceConnectionSettings(), cboSQLServerDB);
}

void frmBKLModelLogin::cmdConnect_Click()
{
    if (!hostGiven())
        return;
    storeConnectionSettings();
    g_sModelName = Trim(cboSQLServerDB->currentText());
    if (g_sModelName.isEmpty()) {
        MsgBox(QStringLiteral("Quellmar Model Name expected ! "), mb::OKOnly | mb::Information,
               QStringLiteral("Select Model"));
        cboSQLServerDB->setFocus();
        return;
    }
    if (ConnectToDataStoreSQLSERVER(SourceConnectionSettings(), g_sModelName, g_cnModel) != 1) {
        cboModelProfiles->setFocus();
        return;
    }
    g_sModelKey = g_sServerHost + QLatin1Char('#') + g_sModelName;
    close();
    auto* frame = new frmMDIBKLMain;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->show();
}

void frmBKLModelLogin::cmdClose_Click() { close(); }

void frmBKLModelLogin::keyPressEvent(QKeyEvent* event)
{
    // The login has no key handling of its own: Esc does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
