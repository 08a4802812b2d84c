#pragma once
// The target-model login: choose a profile or type a server, credentials and
// model database, list the server's models, connect. Modal, shown by the
// compare window's Connect button. A successful connect opens g_cnTarget,
// hands it to the compare window's m_cnTarget, fills the compare window's
// target labels and closes the dialog. Its own Windows-authentication box
// decides how it connects; it leaves the source login's settings alone.
#include "shell/ModelConnection.h"
#include "shell/ProfileFile.h"
#include "shell/ui/UnloadingDialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class frmBKLCompareObjects;

class frmBKLTargetModelLogin : public bkl::UnloadingDialog {
    Q_OBJECT
public:
    frmBKLTargetModelLogin(frmBKLCompareObjects* compareWindow, QWidget* parent = nullptr);

    QGroupBox* Frame1 = nullptr;
    QComboBox* cboModelProfiles = nullptr;
    QLineEdit* txtSQLServerHost = nullptr;
    QLineEdit* txtSQLServerUser = nullptr;
    QLineEdit* txtSQLServerPassword = nullptr;
    QComboBox* cboSQLServerDB = nullptr;
    QCheckBox* chkWindowsAuth = nullptr;
    QPushButton* cmdConnect = nullptr;
    QPushButton* cmdSelectDatabase = nullptr;
    QPushButton* cmdClose = nullptr;

    void Form_Load();
    // Reads model.profile, refills the profile list and presets the default profile.
    void LoadModelProfiles();
    void cboModelProfiles_Click();
    void chkWindowsAuth_Click();
    void cmdSelectDatabase_Click();
    void cmdConnect_Click();
    void cmdClose_Click();

protected:
    void Form_Unload() override;

private:
    void buildControls();
    // Enables the user and password boxes (white) or disables them (light grey).
    void setCredentialBoxesEnabled(bool enabled);
    // The host check of Refresh and Connect; false after the message when it is empty.
    bool hostGiven();
    // Host, user and password trimmed, or the password as typed, with the box's authentication.
    bkl::ConnectionSettings settings(bool passwordAsTyped) const;

    frmBKLCompareObjects* m_compare;
    QList<bkl::ModelProfile> m_profiles;
};
