#pragma once
// The target-model login: choose a profile or type a server, credentials and
// model database, list the server's models, connect. Modal, shown by the
// compare window's Connect button. A successful connect opens g_cnTarget,
// hands it to the compare window's m_cnTarget, fills the compare window's
// target labels and closes the dialog. Its own Windows-authentication box
// decides how it connects; it leaves the source login's settings alone.
#include "shell/ModelConnection.h"
#include "shell/ui/LoginForm.h"
#include "shell/ui/UnloadingDialog.h"

class frmBKLCompareObjects;

class frmBKLTargetModelLogin : public bkl::UnloadingDialog, public bkl::LoginForm {
    Q_OBJECT
public:
    frmBKLTargetModelLogin(frmBKLCompareObjects* compareWindow, QWidget* parent = nullptr);

    // Frame1 and its controls, cmdConnect and cmdClose: see bkl::LoginForm.

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
    // Host, user and password trimmed, or the password as typed, with the box's authentication.
    bkl::ConnectionSettings settings(bool passwordAsTyped) const;

    frmBKLCompareObjects* m_compare;
};
