#pragma once
#include "shell/ProfileFile.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The source-model login: choose a profile or type a server, credentials and
// model database, list the server's models, connect. Modeless; shown at
// start-up by the splash and again by Switch Model. A successful connect stores
// the connection settings, sets g_sModelKey, closes the dialog and opens the
// frame window.
class frmBKLModelLogin : public QDialog {
    Q_OBJECT
public:
    explicit frmBKLModelLogin(QWidget* parent = nullptr);

    QFrame* picTop = nullptr;
    QLabel* lblAnnote = nullptr;
    QGroupBox* Frame1 = nullptr;
    QComboBox* cboModelProfiles = nullptr;
    QLineEdit* txtSQLServerHost = nullptr;
    QLineEdit* txtSQLServerUser = nullptr;
    QLineEdit* txtSQLServerPassword = nullptr;
    QCheckBox* chkWindowsAuth = nullptr;
    QComboBox* cboSQLServerDB = nullptr;
    QPushButton* cmdSelectDatabase = nullptr;
    QPushButton* cmdConnect = nullptr;
    QPushButton* cmdClose = nullptr;

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
    // Enables the user and password boxes (white) or disables them (light grey).
    void setCredentialBoxesEnabled(bool enabled);
    // The host check of Refresh and Connect; false after the message when it is empty.
    bool hostGiven();
    // Stores host, user, password and the Windows-authentication flag.
    void storeConnectionSettings();

    // The profiles of the last LoadModelProfiles, in file order, fields trimmed.
    QList<bkl::ModelProfile> m_profiles;
};
