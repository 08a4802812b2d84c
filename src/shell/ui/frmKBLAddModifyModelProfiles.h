#pragma once
#include "shell/ui/UnloadingDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The small modal dialog that adds one profile to, or changes one profile in,
// the profile manager's list. It writes into that list only, never the file.
// The manager sets lblAction ("ADD"/"MODIFY"), lblSelectedIndex (1-based row)
// and the fields after construction, then shows it modal.
class frmKBLAddModifyModelProfiles : public bkl::UnloadingDialog {
    Q_OBJECT
public:
    explicit frmKBLAddModifyModelProfiles(QTableWidget* lvProfile, QWidget* parent = nullptr);

    QLineEdit* txtProfile = nullptr;
    QLineEdit* txtServerHost = nullptr;
    QLineEdit* txtUser = nullptr;
    QLineEdit* txtPassword = nullptr;
    QLineEdit* txtModel = nullptr;
    QComboBox* cboWindowsAuth = nullptr;
    QComboBox* cboDefault = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;
    QLabel* lblAction = nullptr;
    QLabel* lblSelectedIndex = nullptr;

    void FillYesNoCombos();

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    void Form_Unload() override;

private:
    void Form_Load();
    QTableWidget* m_lvProfile;
};
