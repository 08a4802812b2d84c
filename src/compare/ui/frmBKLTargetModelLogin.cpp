#include "compare/ui/frmBKLTargetModelLogin.h"

#include "compare/TargetLogin.h"
#include "compare/ui/frmBKLCompareObjects.h"
#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"
#include "shell/Log.h"
#include "shell/ui/DatabaseCatalogCombo.h"

#include <QApplication>
#include <QLineEdit>

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
    buildLoginForm(this);
    cmdConnect->setDefault(true); // Enter connects
    connectLoginForm(this);
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
    const int defaultIndex = fillProfileList();
    const ModelProfile* preset = defaultIndex >= 0 ? &m_profiles.at(defaultIndex) : nullptr;
    if (preset) {
        if (!preset->profileName.isEmpty())
            cboModelProfiles->setCurrentIndex(defaultIndex);
        presetProfileFields(*preset);
    }
    chkWindowsAuth->setChecked(preset && ProfileUsesWindowsAuth(preset->windowsAuth));
}

void frmBKLTargetModelLogin::cboModelProfiles_Click()
{
    const QString chosen = Trim(cboModelProfiles->currentText());
    if (chosen.isEmpty() || chosen == QLatin1String("<None>"))
        return;
    applyProfilesNamed(chosen);
}

void frmBKLTargetModelLogin::chkWindowsAuth_Click() { setCredentialBoxesEnabled(!chkWindowsAuth->isChecked()); }

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
    if (!modelNameGiven(model))
        return;
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
    m_compare->SetTarget(g_cnTarget, model, host);
    WriteLog(QStringLiteral("Connected to target model: ") + model, LogInfo);
    done(QDialog::Accepted);
}

void frmBKLTargetModelLogin::cmdClose_Click() { done(QDialog::Rejected); }
