#include "shell/ui/frmBKLUserPreferences.h"

#include "platform/core/Seams.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/Preferences.h"
#include "shell/ui/FormControls.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace bkl;

frmBKLUserPreferences::frmBKLUserPreferences(QWidget* parent) : UnloadingDialog(parent)
{
    setObjectName(QStringLiteral("frmBKLUserPreferences"));
    setWindowTitle(QStringLiteral("User Preferences"));
    chkGridLines = new QCheckBox(QStringLiteral("Show Lines on Grids"), this);
    chkClearLogFiles = new QCheckBox(QStringLiteral("Clear Application Log"), this);
    lstObjects = new QListWidget(this);
    cmdOk = NewButton(QStringLiteral("&Ok"), QStringLiteral("Save Changes and Exit"), this);
    cmdCancel = NewButton(QStringLiteral("&Cancel"), QStringLiteral("Cancel Changes and Exit"), this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkGridLines);
    layout->addWidget(chkClearLogFiles);
    layout->addWidget(new QLabel(QStringLiteral("Default Objects Selection:"), this));
    layout->addWidget(lstObjects);
    layout->addLayout(RightAlignedButtons({cmdOk, cmdCancel}));
    NoDefaultButton(this);

    connect(cmdOk, &QPushButton::clicked, this, &frmBKLUserPreferences::cmdOk_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmBKLUserPreferences::cmdCancel_Click);
    Form_Load();
}

void frmBKLUserPreferences::Form_Load()
{
    FillObjectsList();
    WriteLog(QStringLiteral("Launch ") + windowTitle(), LogInfo);
    chkGridLines->setChecked(g_bShowGridLines);
}

void frmBKLUserPreferences::FillObjectsList()
{
    lstObjects->clear();
    const QString selection = ReadDefaultObjectSelection();
    for (const QString& kind : PreferenceKindTexts()) {
        auto* item = new QListWidgetItem(kind, lstObjects);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(KindSelected(selection, kind) ? Qt::Checked : Qt::Unchecked);
    }
    lstObjects->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void frmBKLUserPreferences::cmdOk_Click()
{
    if (chkClearLogFiles->isChecked()) {
        if (MsgBox(QStringLiteral("This action will clear the application log file. Do you want to continue ..?"),
                   mb::YesNo | mb::Question, windowTitle())
            != mb::Yes)
            return;
        if (!ClearLogFile(QStringLiteral("User cleared log file !"))) {
            MsgBox(QStringLiteral("Unable to clear the application log file !") + QLatin1String("\r\n\r\n")
                       + LogFilePath(),
                   mb::OKOnly | mb::Critical, windowTitle());
            return;
        }
    }
    QStringList ticked;
    for (int i = 0; i < lstObjects->count(); ++i)
        if (lstObjects->item(i)->checkState() == Qt::Checked)
            ticked << lstObjects->item(i)->text();
    if (!SaveUserPreferences(chkGridLines->isChecked(), DefaultObjectSelectionText(ticked))) {
        WriteLog(QStringLiteral("Function: frmBKLUserPreferences.cmdOk_Click() --> Unable to save the user "
                                "preferences"),
                 LogError);
        MsgBox(QStringLiteral("Unable to save the user preferences !"), mb::OKOnly | mb::Critical, windowTitle());
        return;
    }
    accept();
}

void frmBKLUserPreferences::cmdCancel_Click() { reject(); }

void frmBKLUserPreferences::Form_Unload() { WriteLog(QStringLiteral("Exiting ") + windowTitle(), LogInfo); }
