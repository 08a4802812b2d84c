#include "compare/ui/frmBKLCompareReport.h"

#include "mainwindow/ui/BrowserCommandButtons.h"
#include "platform/ui/Browser.h"
#include "shell/Log.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace bkl;

frmBKLCompareReport::frmBKLCompareReport(QWidget* parent) : UnloadingDialog(parent)
{
    setObjectName(QStringLiteral("frmBKLCompareReport"));
    setWindowTitle(QStringLiteral("Compare Objects"));
    setModal(true);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);

    wbResult = CreateBrowser(this);
    // The three command buttons call this window's handlers, so only their pictures are borrowed.
    auto* commands = new BrowserCommandButtons(wbResult, Qt::Vertical, this);
    cmdIEPreview = commands->cmdIEPreview;
    cmdPreview = commands->cmdPreview;
    cmdPrint = commands->cmdPrint;
    for (QToolButton* button : {cmdIEPreview, cmdPreview, cmdPrint})
        button->disconnect(commands);
    connect(cmdIEPreview, &QToolButton::clicked, this, &frmBKLCompareReport::cmdIEPreview_Click);
    connect(cmdPreview, &QToolButton::clicked, this, &frmBKLCompareReport::cmdPreview_Click);
    connect(cmdPrint, &QToolButton::clicked, this, &frmBKLCompareReport::cmdPrint_Click);
    cmdClose = new QToolButton(this);
    cmdClose->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    cmdClose->setIconSize(QSize(24, 24));
    cmdClose->setAutoRaise(true);
    cmdClose->setToolTip(QStringLiteral("Close Window"));
    cmdClose->setAccessibleName(cmdClose->toolTip());
    connect(cmdClose, &QToolButton::clicked, this, &frmBKLCompareReport::cmdClose_Click);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(commands);
    buttons->addWidget(cmdClose);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(wbResult, 1);
    layout->addLayout(buttons);
    resize(980, 680);
    Form_Load();
}

void frmBKLCompareReport::Form_Load() { WriteLog(QStringLiteral("Launch ") + windowTitle(), LogInfo); }

void frmBKLCompareReport::Form_Unload() { WriteLog(QStringLiteral("Exiting ") + windowTitle(), LogInfo); }

void frmBKLCompareReport::cmdClose_Click() { done(QDialog::Rejected); }

void frmBKLCompareReport::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    UnloadingDialog::keyPressEvent(event);
}

void frmBKLCompareReport::cmdIEPreview_Click() { BrowserSaveAs(wbResult); }
void frmBKLCompareReport::cmdPreview_Click() { BrowserPrintPreview(wbResult); }
void frmBKLCompareReport::cmdPrint_Click() { BrowserPrint(wbResult); }
