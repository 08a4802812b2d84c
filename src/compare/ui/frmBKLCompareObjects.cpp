#include "compare/ui/frmBKLCompareObjects.h"
#include "platform/ui/ModalWindows.h"

#include "compare/TargetLogin.h"
#include "compare/ui/CompareListRow.h"
#include "mainwindow/ui/FrameIcons.h"
#include "platform/ui/GridLineDelegate.h"
#include "shell/Globals.h"
#include "shell/Log.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace bkl;

namespace {

frmBKLCompareObjects* g_compareWindow = nullptr;

const QString kCaption = QStringLiteral("Compare Objects");

QTreeWidget* NewList(QWidget* parent, const QStringList& headers)
{
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(headers.size());
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setFont(QFont(QStringLiteral("Tahoma"), 8));
    list->header()->setSectionsClickable(true);
    list->header()->setSortIndicatorShown(false);
    return list;
}

QToolButton* NewPictureButton(QWidget* parent, QStyle::StandardPixmap picture, const QString& toolTip)
{
    auto* button = new QToolButton(parent);
    button->setIcon(parent->style()->standardIcon(picture));
    button->setIconSize(QSize(20, 20));
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip);
    return button;
}

QPushButton* NewButton(QWidget* parent, const QString& caption, const QString& toolTip)
{
    auto* button = new QPushButton(caption, parent);
    button->setToolTip(toolTip);
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmBKLCompareObjects& frmBKLCompareObjects::instance()
{
    if (!g_compareWindow)
        g_compareWindow = new frmBKLCompareObjects;
    return *g_compareWindow;
}

frmBKLCompareObjects* frmBKLCompareObjects::existing() { return g_compareWindow; }

void frmBKLCompareObjects::discardInstance()
{
    delete g_compareWindow;
    g_compareWindow = nullptr;
}

frmBKLCompareObjects::frmBKLCompareObjects() : QDialog(nullptr)
{
    setObjectName(QStringLiteral("frmBKLCompareObjects"));
    setWindowTitle(kCaption);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    createSourceControls();
    createCompareControls();
    createTargetAndRunControls();
    createMenus();
    layoutControls();
    resize(1180, 700);
}

void frmBKLCompareObjects::createSourceControls()
{
    cboObjects = new QComboBox(this);
    cmdLoadObjects = NewButton(this, QStringLiteral("&Load"), QStringLiteral("Load source objects for comparison"));
    cmdStop = NewButton(this, QStringLiteral("&Stop"), QStringLiteral("Stop Load Objects"));
    Label1 = new QLabel(QStringLiteral("Type in the keyword to find:"), this);
    txtSearch = new QLineEdit(this);
    txtSearch->setToolTip(QStringLiteral("Enter the keyword (Object Name) to find"));
    Label2 = new QLabel(QStringLiteral("Source Objects List"), this);
    lvObjects = NewList(this, {QStringLiteral("NAME"), QStringLiteral("TYPE")});
    lvObjects->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvObjects->header()->resizeSection(0, 230);
    lblObjectCount = new QLabel(this);

    connect(cmdLoadObjects, &QPushButton::clicked, this, &frmBKLCompareObjects::cmdLoadObjects_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmBKLCompareObjects::cmdStop_Click);
    connect(txtSearch, &QLineEdit::textChanged, this, &frmBKLCompareObjects::txtSearch_Change);
    connect(lvObjects->header(), &QHeaderView::sectionClicked, this, &frmBKLCompareObjects::lvObjects_ColumnClick);
    connect(lvObjects, &QTreeWidget::itemDoubleClicked, this, [this] { lvObjects_DblClick(); });
    lvObjects->viewport()->installEventFilter(this);
}

void frmBKLCompareObjects::createCompareControls()
{
    cmdAdd = NewPictureButton(this, QStyle::SP_ArrowRight, QStringLiteral("Add Object(s) to Compare List"));
    cmdAddAll = NewPictureButton(this, QStyle::SP_MediaSkipForward, QStringLiteral("Add all Objects  to Compare List"));
    cmdRemove = NewPictureButton(this, QStyle::SP_ArrowLeft, QStringLiteral("Remove Object"));
    cmdRemoveAll = NewPictureButton(this, QStyle::SP_MediaSkipBackward, QStringLiteral("Remove All Objects"));
    Label3 = new QLabel(QStringLiteral("Compare Objects List"), this);
    lvCompare = NewList(this, {QStringLiteral("NAME"), QStringLiteral("TYPE"), QStringLiteral("STATUS")});
    lvCompare->setSelectionMode(QAbstractItemView::SingleSelection);
    lvCompare->header()->resizeSection(0, 200);
    lvCompare->header()->resizeSection(1, 110);
    lblCompareCount = new QLabel(this);
    Label4 = new QLabel(QStringLiteral("Select the attributes:"), this);
    tvCompare = new QTreeWidget(this);
    tvCompare->setHeaderHidden(true);
    tvCompare->setRootIsDecorated(true);

    connect(cmdAdd, &QToolButton::clicked, this, &frmBKLCompareObjects::cmdAdd_Click);
    connect(cmdAddAll, &QToolButton::clicked, this, &frmBKLCompareObjects::cmdAddAll_Click);
    connect(cmdRemove, &QToolButton::clicked, this, &frmBKLCompareObjects::cmdRemove_Click);
    connect(cmdRemoveAll, &QToolButton::clicked, this, &frmBKLCompareObjects::cmdRemoveAll_Click);
    connect(lvCompare->header(), &QHeaderView::sectionClicked, this, &frmBKLCompareObjects::lvCompare_ColumnClick);
    connect(lvCompare, &QTreeWidget::itemDoubleClicked, this, [this] { lvCompare_DblClick(); });
    lvCompare->viewport()->installEventFilter(this);
}

void frmBKLCompareObjects::createTargetAndRunControls()
{
    lblSourceModel = new QLabel(this);
    lblTargetModel = new QLabel(this);
    for (QLabel* label : {lblSourceModel, lblTargetModel}) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }

    Frame1 = new QGroupBox(QStringLiteral("Target Model"), this);
    cmdTargetConnect = NewButton(Frame1, QStringLiteral("Connect"), QStringLiteral("Connect to target model"));
    lblConnectionStatus = new QLabel(Frame1);
    lblServerHost = new QLabel(Frame1);
    lblModelName = new QLabel(Frame1);
    auto* target = new QGridLayout(Frame1);
    target->addWidget(lblConnectionStatus, 0, 0);
    target->addWidget(cmdTargetConnect, 0, 1);
    target->addWidget(lblServerHost, 1, 0, 1, 2);
    target->addWidget(lblModelName, 2, 0, 1, 2);
    target->setColumnStretch(0, 1);

    cmdCompare = NewButton(this, QStringLiteral("Compare"), QStringLiteral("Run Compare"));
    cmdCompare->setIcon(mainwindow::Icon(mainwindow::ToolbarIcon::Compare));
    cmdCompare->setMinimumHeight(34);
    pbProgress = new QProgressBar(this);
    pbProgress->setTextVisible(false);
    lblPercentage = new QLabel(this);
    lblPercentage->setAlignment(Qt::AlignCenter);
    lblPercentage->setMinimumWidth(48);
    lblPreviewStatus = new QLabel(this);

    fraReport = new QGroupBox(QStringLiteral("Compare Report"), this);
    optDetailedSummary = new QRadioButton(QStringLiteral("Detailed Summary (Last Run)"), fraReport);
    optStatusSummary = new QRadioButton(QStringLiteral("Status Summary"), fraReport);
    optObjectSummary = new QRadioButton(QStringLiteral("Object Summary (Selected)"), fraReport);
    cmdReport = NewButton(fraReport, QStringLiteral("Report"), QStringLiteral("Run Report"));
    auto* report = new QGridLayout(fraReport);
    report->addWidget(optDetailedSummary, 0, 0);
    report->addWidget(optStatusSummary, 1, 0);
    report->addWidget(optObjectSummary, 2, 0);
    report->addWidget(cmdReport, 0, 1, 3, 1);

    cmdClose = NewButton(this, QStringLiteral("C&lose"), QStringLiteral("Close Window"));

    connect(cmdTargetConnect, &QPushButton::clicked, this, &frmBKLCompareObjects::cmdTargetConnect_Click);
    connect(cmdCompare, &QPushButton::clicked, this, &frmBKLCompareObjects::cmdCompare_Click);
    connect(cmdReport, &QPushButton::clicked, this, &frmBKLCompareObjects::cmdReport_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmBKLCompareObjects::cmdClose_Click);
}

void frmBKLCompareObjects::createMenus()
{
    mnuSubObjects = new QMenu(QStringLiteral("ObjectsSub"), this);
    mnuAddObjects = mnuSubObjects->addAction(QStringLiteral("&Add Object(s) to Compare List"));
    mnuAddAllObjects = mnuSubObjects->addAction(QStringLiteral("Add a&ll Objects  to Compare List"));
    mnuSubObjects->setDefaultAction(mnuAddObjects);
    mnuSubCOmpare = new QMenu(QStringLiteral("CompareSub"), this);
    mnuViewCompareSummary = mnuSubCOmpare->addAction(QStringLiteral("&View Summary"));
    mnuSubSep1 = mnuSubCOmpare->addSeparator();
    mnuRemoveObject = mnuSubCOmpare->addAction(QStringLiteral("&Remove Object"));
    mnuRemoveAllObjects = mnuSubCOmpare->addAction(QStringLiteral("Remove a&ll Objects"));
    mnuSubCOmpare->setDefaultAction(mnuViewCompareSummary);

    connect(mnuAddObjects, &QAction::triggered, this, &frmBKLCompareObjects::mnuAddObjects_Click);
    connect(mnuAddAllObjects, &QAction::triggered, this, &frmBKLCompareObjects::mnuAddAllObjects_Click);
    connect(mnuViewCompareSummary, &QAction::triggered, this, &frmBKLCompareObjects::mnuViewCompareSummary_Click);
    connect(mnuRemoveObject, &QAction::triggered, this, &frmBKLCompareObjects::mnuRemoveObject_Click);
    connect(mnuRemoveAllObjects, &QAction::triggered, this, &frmBKLCompareObjects::mnuRemoveAllObjects_Click);
}

void frmBKLCompareObjects::layoutControls()
{
    auto* models = new QHBoxLayout;
    models->addWidget(new QLabel(QStringLiteral("Source Model:"), this));
    models->addWidget(lblSourceModel, 1);
    models->addWidget(new QLabel(QStringLiteral("Target Model:"), this));
    models->addWidget(lblTargetModel, 1);

    auto* load = new QHBoxLayout;
    load->addWidget(cboObjects, 1);
    load->addWidget(cmdLoadObjects);
    load->addWidget(cmdStop);
    auto* source = new QVBoxLayout;
    source->addLayout(load);
    source->addWidget(Label1);
    source->addWidget(txtSearch);
    source->addWidget(Label2);
    source->addWidget(lvObjects, 1);
    source->addWidget(lblObjectCount);

    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    for (QToolButton* button : {cmdAdd, cmdAddAll, cmdRemove, cmdRemoveAll})
        moves->addWidget(button);
    moves->addStretch(1);

    auto* compare = new QVBoxLayout;
    compare->addWidget(Label3);
    compare->addWidget(lvCompare, 1);
    compare->addWidget(lblCompareCount);

    auto* attributes = new QVBoxLayout;
    attributes->addWidget(Label4);
    attributes->addWidget(tvCompare, 1);

    auto* lists = new QHBoxLayout;
    lists->addLayout(source, 5);
    lists->addLayout(moves);
    lists->addLayout(compare, 6);
    lists->addLayout(attributes, 3);

    auto* progress = new QHBoxLayout;
    progress->addWidget(pbProgress, 1);
    progress->addWidget(lblPercentage);
    auto* run = new QVBoxLayout;
    run->addWidget(cmdCompare);
    run->addWidget(lblPreviewStatus);
    run->addLayout(progress);
    run->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Frame1, 3);
    bottom->addLayout(run, 3);
    bottom->addWidget(fraReport, 3);
    auto* close = new QVBoxLayout;
    close->addStretch(1);
    close->addWidget(cmdClose);
    bottom->addLayout(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(models);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);
}

void frmBKLCompareObjects::Load()
{
    if (m_bLoaded)
        return;
    m_bLoaded = true;
    // What an unloaded window held is gone; the next load starts from blank controls.
    txtSearch->blockSignals(true);
    txtSearch->clear();
    txtSearch->blockSignals(false);
    for (QTreeWidget* list : {lvObjects, lvCompare}) {
        SetListSorting(list, false);
        list->clear();
    }
    SetRunInputsEnabled(true);
    pbProgress->hide();
    lblPercentage->hide();
    lblPercentage->clear();
    lblPreviewStatus->hide();
    lblPreviewStatus->clear();
    Form_Load();
}

void frmBKLCompareObjects::Form_Load()
{
    move(x(), 0);
    WriteLog(QStringLiteral("Launch Screen: ") + windowTitle(), LogInfo);
    lblObjectCount->setText(QStringLiteral("Count: 0"));
    lblCompareCount->setText(QStringLiteral("Count: 0"));
    optObjectSummary->setChecked(true);
    lblSourceModel->setText(g_sModelName + QLatin1Char('@') + g_sServerHost);
    m_bStopLoad = false;
    cmdStop->setEnabled(false);
    FillObjectTypes();
    FillCompareAttributeTree();
    m_cnSource = g_cnModel;
    SetGridLines(lvObjects, g_bShowGridLines);
    SetGridLines(lvCompare, g_bShowGridLines);
    // A target still connected from an earlier opening is the one a run compares against.
    ShowTarget(m_cnTarget.isOpen());
}

void frmBKLCompareObjects::ShowTarget(bool connected)
{
    const QString model = connected ? m_sTargetModelName : QString();
    const QString host = connected ? m_sTargetServerHost : QString();
    lblTargetModel->setText(connected ? model + QLatin1Char('@') + host : QString());
    lblConnectionStatus->setText(connected ? QStringLiteral("Connection Status: Connected")
                                           : QStringLiteral("Connection Status: Not Connected"));
    compare::SetLabelColour(lblConnectionStatus, connected ? 65280 : 255);
    lblServerHost->setText(QStringLiteral("Server/Host: ") + host);
    lblModelName->setText(QStringLiteral("Model Name: ") + model);
}

void frmBKLCompareObjects::SetTarget(const db::Connection& cn, const QString& modelName, const QString& serverHost)
{
    m_cnTarget = cn;
    m_sTargetModelName = modelName;
    m_sTargetServerHost = serverHost;
    ShowTarget(true);
}

void frmBKLCompareObjects::CloseForModelSwitch()
{
    if (m_report)
        m_report->done(QDialog::Rejected);
    if (m_bLoaded || isVisible())
        done(QDialog::Rejected);
    // Both copies of the target connection go; closing it lets the model go at once.
    m_cnTarget.close();
    g_cnTarget.close();
    m_cnTarget = db::Connection();
    g_cnTarget = db::Connection();
    m_cnSource = db::Connection();
}

void frmBKLCompareObjects::ShowModal()
{
    Load();
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    ExecModal(*this);
}

void frmBKLCompareObjects::ShowModeless()
{
    Load();
    show();
    raise();
    activateWindow();
}

void frmBKLCompareObjects::ShowObjectCount()
{
    lblObjectCount->setText(QStringLiteral("Count: ") + QString::number(lvObjects->topLevelItemCount()));
}

void frmBKLCompareObjects::ShowCompareCount()
{
    lblCompareCount->setText(QStringLiteral("Count: ") + QString::number(lvCompare->topLevelItemCount()));
}

void frmBKLCompareObjects::SetListSorting(QTreeWidget* list, bool on)
{
    // A tree view makes its header take clicks only while it sorts; this window
    // sorts on header clicks itself, so its headers take them always.
    list->setSortingEnabled(on);
    list->header()->setSectionsClickable(true);
}

bool frmBKLCompareObjects::refusedWhileBusy() const
{
    if (!m_bRunning && !m_bLoading && !m_bAdding)
        return false;
    QApplication::beep();
    return true;
}

void frmBKLCompareObjects::cmdClose_Click() { done(QDialog::Rejected); }

void frmBKLCompareObjects::Form_KeyPress(int keyAscii)
{
    if (keyAscii == 27)
        done(QDialog::Rejected);
}

void frmBKLCompareObjects::done(int result)
{
    // A run or a load reads the lists and controls until it ends.
    if (refusedWhileBusy())
        return;
    if (m_bLoaded) {
        m_bLoaded = false;
        Form_Unload();
    }
    QDialog::done(result);
}

void frmBKLCompareObjects::Form_Unload() { WriteLog(QStringLiteral("Exiting ") + windowTitle(), LogInfo); }

bool frmBKLCompareObjects::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (watched == lvObjects->viewport())
            lvObjects_MouseUp(button);
        else if (watched == lvCompare->viewport())
            lvCompare_MouseUp(button);
    }
    return QDialog::eventFilter(watched, event);
}
