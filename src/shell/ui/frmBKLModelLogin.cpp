#include "shell/ui/frmBKLModelLogin.h"

#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/Seams.h"
#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "shell/Globals.h"
#include "shell/ModelConnection.h"
#include "shell/ui/DatabaseCatalogCombo.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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

    buildLoginForm(this, picTop);
    connectLoginForm(this);
}

void frmBKLModelLogin::Form_Load()
{
    chkWindowsAuth->setChecked(false);
    LoadModelProfiles();
    lblAnnote->setText(QString::fromLatin1(kAnnote));
}

void frmBKLModelLogin::LoadModelProfiles()
{
    const int defaultIndex = fillProfileList();
    if (defaultIndex < 0)
        return;
    const ModelProfile& d = m_profiles.at(defaultIndex);
    cboModelProfiles->setCurrentIndex(defaultIndex);
    presetProfileFields(d);
    chkWindowsAuth->setChecked(ProfileUsesWindowsAuth(d.windowsAuth));
}

void frmBKLModelLogin::cboModelProfiles_Click()
{
    const QString chosen = Trim(cboModelProfiles->currentText());
    if (chosen.isEmpty() || chosen == QLatin1String("<None>"))
        return;
    applyProfilesNamed(chosen);
}

void frmBKLModelLogin::chkWindowsAuth_Click()
{
    g_bWindowsAuth = chkWindowsAuth->isChecked();
    setCredentialBoxesEnabled(!g_bWindowsAuth);
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
    if (!modelNameGiven(g_sModelName))
        return;
    if (ConnectToDataStoreSQLSERVER(SourceConnectionSettings(), g_sModelName, g_cnModel) != 1) {
        cboModelProfiles->setFocus();
        return;
    }
    g_sModelKey = g_sServerHost + QLatin1Char('#') + g_sModelName;
    // The login stays on screen (refusing input) while the frame loads, since its
    // summary may wait for the server: the user always sees a window of the program.
    auto* frame = new frmMDIBKLMain;
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->show();
    close();
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
