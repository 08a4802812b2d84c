#include "shell/ui/frmKBLAddModifyModelProfiles.h"

#include "platform/core/Seams.h"
#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "shell/Log.h"
#include "shell/ui/ButtonImages.h"
#include "shell/ui/FormControls.h"
#include "shell/ui/ProfileListRows.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace bkl;

namespace {

QString FlagWord(const QComboBox* cbo) { return cbo->currentIndex() == 0 ? QStringLiteral("Yes") : QStringLiteral("No"); }

} // namespace

frmKBLAddModifyModelProfiles::frmKBLAddModifyModelProfiles(QTableWidget* lvProfile, QWidget* parent)
    : UnloadingDialog(parent), m_lvProfile(lvProfile)
{
    setObjectName(QStringLiteral("frmKBLAddModifyModelProfiles"));
    setWindowTitle(QString::fromLatin1(kProductName));
    txtProfile = NewTextBox(this, 100);
    txtServerHost = NewTextBox(this, 100);
    txtUser = NewTextBox(this, 100);
    txtPassword = NewPasswordBox(this, 50);
    txtModel = NewTextBox(this, 100);
    cboWindowsAuth = new QComboBox(this);
    cboDefault = new QComboBox(this);
    cmdOk = NewButton(QStringLiteral("&Ok"), QStringLiteral("Apply Changes and Exit"), this);
    cmdCancel = NewButton(QStringLiteral("&Cancel"), QStringLiteral("Exit Window without change"), this);
    lblAction = new QLabel(this);
    lblAction->hide();
    lblSelectedIndex = new QLabel(this);
    lblSelectedIndex->hide();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Profile Name:"), txtProfile);
    form->addRow(QStringLiteral("Server/Host:"), txtServerHost);
    form->addRow(QStringLiteral("User:"), txtUser);
    form->addRow(QStringLiteral("Password:"), txtPassword);
    form->addRow(QStringLiteral("Model Name:"), txtModel);
    form->addRow(QStringLiteral("Windows Authentication:"), cboWindowsAuth);
    form->addRow(QStringLiteral("Default Profile:"), cboDefault);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(RightAlignedButtons({cmdOk, cmdCancel}));
    setMinimumWidth(380);
    NoDefaultButton(this);

    connect(cmdOk, &QPushButton::clicked, this, &frmKBLAddModifyModelProfiles::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmKBLAddModifyModelProfiles::cmdCancel_Click);
    Form_Load();
}

void frmKBLAddModifyModelProfiles::Form_Load()
{
    WriteLog(QStringLiteral("Launch ") + windowTitle(), LogInfo);
    cmdOk->setIcon(ButtonImage(QStringLiteral("ok")));
    FillYesNoCombos();
}

void frmKBLAddModifyModelProfiles::FillYesNoCombos()
{
    for (QComboBox* cbo : {cboWindowsAuth, cboDefault}) {
        cbo->clear();
        cbo->addItems({QStringLiteral("Yes"), QStringLiteral("No")});
    }
}

void frmKBLAddModifyModelProfiles::cmdOk_Click()
{
    const QString title = QString::fromLatin1(kProductName);
    if (Trim(txtProfile->text()).isEmpty()) {
        MsgBox(QStringLiteral("Profile Name cannot be null!"), mb::OKOnly | mb::Information, title);
        txtProfile->setFocus();
        return;
    }
    const QString name = Trim(txtProfile->text());
    const QString host = Trim(txtServerHost->text());
    const QString user = Trim(txtUser->text());
    const QString password = Trim(txtPassword->text());
    const QString model = Trim(txtModel->text());
    const QStringList fields{name, host, user, password, model};
    // "|" separates the fields of the profile file and a line break ends its
    // line, so neither may stand in a field.
    const bool hasBar = fields.join(QString()).contains(QLatin1Char('|'));
    const bool hasLineBreak = fields.join(QString()).contains(QRegularExpression(QStringLiteral("[\r\n]")));
    if (hasBar || hasLineBreak) {
        const QString shown = hasBar ? QStringLiteral("'|'") : QStringLiteral("'line break'");
        MsgBox(QStringLiteral("Invalid character ") + shown + QStringLiteral(" found!. Please remove and click Ok"),
               mb::OKOnly | mb::Information, title);
        cmdOk->setFocus();
        return;
    }
    const QString mode = UCase(Trim(lblAction->text()));
    // No file line: the manager's Save writes a row added or changed here in the program's format.
    ProfileRow row{QString(), name, host, user, model, FlagWord(cboWindowsAuth), FlagWord(cboDefault), password, {}};
    if (mode == QLatin1String("ADD")) {
        AddProfileRow(m_lvProfile, row);
    } else if (mode == QLatin1String("MODIFY")) {
        const int position = static_cast<int>(Val(lblSelectedIndex->text()));
        if (position > 0 && position <= m_lvProfile->rowCount()) {
            row.key = ProfileRowAt(m_lvProfile, position - 1).key;
            SetProfileRow(m_lvProfile, position - 1, row);
        }
    }
    accept();
}

void frmKBLAddModifyModelProfiles::cmdCancel_Click() { reject(); }

void frmKBLAddModifyModelProfiles::Form_Unload() { WriteLog(QStringLiteral("Exiting ") + windowTitle(), LogInfo); }
