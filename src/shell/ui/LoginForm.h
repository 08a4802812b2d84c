#pragma once
// The "Connect To Model" box the two login dialogs share (the source login and
// the compare's target login): its controls, the profiles it lists and the
// rules both dialogs apply to them. Each dialog derives from it, so the
// controls are the dialog's own members; captions, messages, connecting and
// the Windows-authentication flag stay with each dialog.
#include "shell/ProfileFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QList>
#include <QPushButton>

class QGroupBox;
class QLineEdit;
class QWidget;

namespace bkl {

class LoginForm {
public:
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

protected:
    // Titles the dialog, makes the box, Connect and Close, and lays out the
    // banner (when given), the box and the buttons; user and password enabled;
    // no default button.
    void buildLoginForm(QWidget* dialog, QWidget* banner = nullptr);

    // Connects the controls to the dialog's handlers of the same names.
    template <typename Dialog>
    void connectLoginForm(Dialog* dialog)
    {
        QObject::connect(cboModelProfiles, &QComboBox::activated, dialog, &Dialog::cboModelProfiles_Click);
        QObject::connect(chkWindowsAuth, &QCheckBox::toggled, dialog, &Dialog::chkWindowsAuth_Click);
        QObject::connect(cmdSelectDatabase, &QPushButton::clicked, dialog, &Dialog::cmdSelectDatabase_Click);
        QObject::connect(cmdConnect, &QPushButton::clicked, dialog, &Dialog::cmdConnect_Click);
        QObject::connect(cmdClose, &QPushButton::clicked, dialog, &Dialog::cmdClose_Click);
    }

    // Reads model.profile into m_profiles and lists their names in file order;
    // a file the reader refused whole is shown empty, and a message box says why.
    // Returns the index of the default profile, -1 when there is none.
    int fillProfileList();
    // Host, user, password and model database text of `profile`, each only when not empty.
    void presetProfileFields(const ModelProfile& profile);
    // Applies, in file order, every loaded profile whose name upper-cased equals
    // `name` upper-cased: its four fields (empty ones too), then by its trimmed
    // Windows-authentication flag "Y" ticks the box and disables user and
    // password, "N" unticks it and enables them; any other flag leaves both.
    void applyProfilesNamed(const QString& name);
    // Enables the user and password boxes (white) or disables them (light grey).
    void setCredentialBoxesEnabled(bool enabled);
    // The host check of Refresh and Connect; false after the message when it is empty.
    bool hostGiven();
    // The model name check of Connect; false after the message when `modelName` is empty.
    bool modelNameGiven(const QString& modelName);

    // The profiles of the last fillProfileList, in file order, fields trimmed.
    QList<ModelProfile> m_profiles;
};

} // namespace bkl
