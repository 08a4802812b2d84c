#include "shell/ui/LoginForm.h"

#include "platform/core/Seams.h"
#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "shell/ui/FormControls.h"
#include "shell/ui/ProfileFileBoxes.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace bkl {

void LoginForm::buildLoginForm(QWidget* dialog, QWidget* banner)
{
    dialog->setWindowTitle(QString::fromLatin1(kProductName));
    Frame1 = new QGroupBox(QStringLiteral("Connect To Model"), dialog);
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

    cmdConnect = NewButton(QStringLiteral("&Connect"), QStringLiteral("Connect to Model"), dialog);
    cmdClose = NewButton(QStringLiteral("C&lose"), QStringLiteral("Close Window"), dialog);

    auto* layout = new QVBoxLayout(dialog);
    if (banner)
        layout->addWidget(banner);
    layout->addWidget(Frame1);
    layout->addLayout(RightAlignedButtons({cmdConnect, cmdClose}));
    dialog->setMinimumWidth(460);
    NoDefaultButton(dialog);
    setCredentialBoxesEnabled(true);
}

int LoginForm::fillProfileList()
{
    const LoginProfiles read = ReadProfilesForLogin(ProfileFilePath());
    m_profiles = read.profiles;
    QStringList names;
    for (const ModelProfile& p : m_profiles)
        names << p.profileName;
    cboModelProfiles->clear();
    cboModelProfiles->addItems(names);
    // Filling the list chooses no profile; only a default profile is preset.
    cboModelProfiles->setCurrentIndex(-1);
    if (read.refusal.number != 0)
        ShowProfileFileRefused(read.refusal);
    return read.defaultIndex;
}

void LoginForm::presetProfileFields(const ModelProfile& profile)
{
    if (!profile.serverHost.isEmpty())
        txtSQLServerHost->setText(profile.serverHost);
    if (!profile.user.isEmpty())
        txtSQLServerUser->setText(profile.user);
    if (!profile.password.isEmpty())
        txtSQLServerPassword->setText(profile.password);
    if (!profile.modelDatabase.isEmpty())
        cboSQLServerDB->setEditText(profile.modelDatabase);
}

void LoginForm::applyProfilesNamed(const QString& name)
{
    const QString wanted = UCase(name);
    for (const ModelProfile& p : m_profiles) {
        if (UCase(p.profileName) != wanted)
            continue;
        txtSQLServerHost->setText(p.serverHost);
        txtSQLServerUser->setText(p.user);
        txtSQLServerPassword->setText(p.password);
        cboSQLServerDB->setEditText(p.modelDatabase);
        const QString flag = Trim(p.windowsAuth);
        if (flag == QLatin1String("Y") || flag == QLatin1String("N")) {
            chkWindowsAuth->setChecked(flag == QLatin1String("Y"));
            setCredentialBoxesEnabled(flag == QLatin1String("N"));
        }
    }
}

void LoginForm::setCredentialBoxesEnabled(bool enabled)
{
    const QString colour = enabled ? QStringLiteral("#FFFFFF") : QStringLiteral("#E0E0E0");
    txtSQLServerUser->setEnabled(enabled);
    txtSQLServerUser->setStyleSheet(QStringLiteral("QLineEdit { background-color: %1; }").arg(colour));
    txtSQLServerPassword->setEnabled(enabled);
    txtSQLServerPassword->setStyleSheet(PasswordBoxStyle(colour));
}

bool LoginForm::hostGiven()
{
    if (!Trim(txtSQLServerHost->text()).isEmpty())
        return true;
    MsgBox(QStringLiteral("Server/Host Name expected ! "), mb::OKOnly | mb::Information,
           QStringLiteral("Select Server/Host"));
    txtSQLServerHost->setFocus();
    return false;
}

bool LoginForm::modelNameGiven(const QString& modelName)
{
    if (!modelName.isEmpty())
        return true;
    MsgBox(QStringLiteral("Quellmar Model Name expected ! "), mb::OKOnly | mb::Information,
           QStringLiteral("Select Model"));
    cboSQLServerDB->setFocus();
    return false;
}

} // namespace bkl
