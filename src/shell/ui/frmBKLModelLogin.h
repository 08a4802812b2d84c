#pragma once
#include "shell/ui/LoginForm.h"

#include <QDialog>

class QFrame;
class QLabel;

// The source-model login: choose a profile or type a server, credentials and
// model database, list the server's models, connect. Modeless; shown at
// start-up by the splash and again by Switch Model. A successful connect stores
// the connection settings, sets g_sModelKey, closes the dialog and opens the
// frame window.
class frmBKLModelLogin : public QDialog, public bkl::LoginForm {
    Q_OBJECT
public:
    explicit frmBKLModelLogin(QWidget* parent = nullptr);

    QFrame* picTop = nullptr;
    QLabel* lblAnnote = nullptr;
    // Frame1 and its controls, cmdConnect and cmdClose: see bkl::LoginForm.

    // Reads model.profile, refills the profile list and presets the default profile.
    void LoadModelProfiles();

public slots:
    void cboModelProfiles_Click();
    void chkWindowsAuth_Click();
    void cmdSelectDatabase_Click();
    void cmdConnect_Click();
    void cmdClose_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Form_Load();
    void buildControls();
    // Stores host, user, password and the Windows-authentication flag.
    void storeConnectionSettings();
};
