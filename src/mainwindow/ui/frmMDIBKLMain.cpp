#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/ui/ModalWindows.h"

#include "compare/ui/frmBKLCompareObjects.h"
#include "mainwindow/CheckedObjectsText.h"
#include "mainwindow/ui/CheckedRows.h"
#include "mainwindow/ui/ConnectionNotices.h"
#include "mainwindow/ui/FrameIcons.h"
#include "mainwindow/ui/frmBKLMain.h"
#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "platform/ui/ProgramQuit.h"
#include "platform/ui/RunGuard.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/ui/cTFunctions.h"
#include "shell/ui/frmBKLAbout.h"
#include "shell/ui/frmBKLModelLogin.h"
#include "shell/ui/frmBKLModelProfileMain.h"
#include "shell/ui/frmBKLUserPreferences.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QMenuBar>
#include <QToolBar>
#include <QTreeWidget>

namespace {

QPointer<frmMDIBKLMain> g_currentFrame;

void LeaveEventLoop() { QCoreApplication::exit(0); }
frmMDIBKLMain::ProgramEnd g_programEnd = &LeaveEventLoop;

QString ExitingLine() { return QStringLiteral("Exiting ") + QLatin1String(bkl::kProductName); }

// Each check mark of the list set by `mark` from its current state; refused while an earlier command still marks.
void MarkRows(QTreeWidget* list, const std::function<bool(bool checked)>& mark)
{
    if (!bkl::SetCheckMarks(list, mark))
        QApplication::beep();
}

} // namespace

frmMDIBKLMain::frmMDIBKLMain(QWidget* parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    g_currentFrame = this;
    bkl::mainwindow::ShowConnectionNotices();
    createMenus();
    createObjectMenus();
    createToolbar();
    resize(1290, 800);
    MDIForm_Load();
}

frmMDIBKLMain::~frmMDIBKLMain() = default;

frmMDIBKLMain* frmMDIBKLMain::current() { return g_currentFrame.data(); }

void frmMDIBKLMain::SetProgramEnd(ProgramEnd end) { g_programEnd = end ? end : &LeaveEventLoop; }

frmBKLMain* frmMDIBKLMain::objectList()
{
    if (!m_objectList) {
        m_objectList = new frmBKLMain(this);
        setCentralWidget(m_objectList);
        m_objectList->Form_Load();
    }
    return m_objectList;
}

bool frmMDIBKLMain::refusedWhileRunning() const
{
    // A window opened modal over the frame goes on in the handler that opened it,
    // beneath which the frame must stay.
    if (!bkl::RunGuard::active() && !bkl::ModalWindowOpen())
        return false;
    QApplication::beep();
    return true;
}

bool frmMDIBKLMain::refusedWhileWindowsOpen() const
{
    if (refusedWhileRunning())
        return true;
    // The compare window works on the frame's model: Switch Model would take the model
    // from under it, and the frame's close would leave it on screen on its own. Once it
    // is closed, Switch Model releases its target.
    const frmBKLCompareObjects* compare = frmBKLCompareObjects::existing();
    if (!compare || !compare->isVisible())
        return false;
    QApplication::beep();
    return true;
}

QAction* frmMDIBKLMain::tblMainButton(int index) const
{
    return index >= 1 && index <= static_cast<int>(m_tbButtons.size()) ? m_tbButtons[index - 1] : nullptr;
}

void frmMDIBKLMain::createMenus()
{
    auto item = [this](QMenu* menu, const QString& caption, const QKeySequence& shortcut, void (frmMDIBKLMain::*handler)()) {
        QAction* a = menu->addAction(caption);
        a->setShortcut(shortcut);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };

    mnuAnalyze = menuBar()->addMenu(QStringLiteral("&Analyze"));
    mnuShowPreview = item(mnuAnalyze, QStringLiteral("&Show Preview"), {}, &frmMDIBKLMain::mnuShowPreview_Click);
    mnuSep1 = mnuAnalyze->addSeparator();
    mnuAdvancedFind = mnuAnalyze->addMenu(QStringLiteral("&Advanced Find"));
    mnuAdvancedFindCalculations =
        item(mnuAdvancedFind, QStringLiteral("&Calculations"), {}, &frmMDIBKLMain::mnuAdvancedFindCalculations_Click);
    mnuSep2 = mnuAnalyze->addSeparator();
    mnuExportObjects =
        item(mnuAnalyze, QStringLiteral("&Export Objects"), QKeySequence(Qt::Key_F8), &frmMDIBKLMain::mnuExportObjects_Click);
    mnuSep3 = mnuAnalyze->addSeparator();
    mnuReloadModelSummary =
        item(mnuAnalyze, QStringLiteral("Reload Model Summary"), {}, &frmMDIBKLMain::mnuReloadModelSummary_Click);
    mnuSep4 = mnuAnalyze->addSeparator();
    mnuSwitchModel = item(mnuAnalyze, QStringLiteral("&Switch Model"), QKeySequence(Qt::CTRL | Qt::Key_F2),
                          &frmMDIBKLMain::mnuSwitchModel_Click);
    mnuSep5 = mnuAnalyze->addSeparator();
    mnuQuit = item(mnuAnalyze, QStringLiteral("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), &frmMDIBKLMain::mnuQuit_Click);
    bkl::AnswersDuringWaits(mnuQuit);

    mnuTools = menuBar()->addMenu(QStringLiteral("&Tools"));
    mnuCompareObjects = item(mnuTools, QStringLiteral("Compare &Objects"), QKeySequence(Qt::Key_F5),
                             &frmMDIBKLMain::mnuCompareObjects_Click);
    mnuSep6 = mnuTools->addSeparator();
    // Process Monitor has no action: the item and its separator stay hidden.
    mnuProcessMonitor = mnuTools->addAction(QStringLiteral("Process &Monitor"));
    mnuProcessMonitor->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuProcessMonitor->setVisible(false);
    mnuSep7 = mnuTools->addSeparator();
    mnuSep7->setVisible(false);
    mnuTraceAuditLog = item(mnuTools, QStringLiteral("Trace &Audit Log"), QKeySequence(Qt::CTRL | Qt::Key_T),
                            &frmMDIBKLMain::mnuTraceAuditLog_Click);
    mnuSep8 = mnuTools->addSeparator();
    mnuManageModelProfiles =
        item(mnuTools, QStringLiteral("Manage Model &Profiles"), {}, &frmMDIBKLMain::mnuManageModelProfiles_Click);
    mnuSep9 = mnuTools->addSeparator();
    mnuUserPreferences = item(mnuTools, QStringLiteral("&User Preferences"), {}, &frmMDIBKLMain::mnuUserPreferences_Click);

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuAboutBrisklane = item(mnuHelp, QStringLiteral("&About Brisklane"), QKeySequence(Qt::CTRL | Qt::Key_F1),
                             &frmMDIBKLMain::mnuAboutBrisklane_Click);
}

void frmMDIBKLMain::createObjectMenus()
{
    auto item = [this](QMenu* menu, const QString& caption, void (frmMDIBKLMain::*handler)()) {
        QAction* a = menu->addAction(caption);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };

    mnuSubBKObjectsMenu = new QMenu(QStringLiteral("BKObjectsMenu"), this);
    mnuSubPreviewHighlightedObject = item(mnuSubBKObjectsMenu, QStringLiteral("Preview - &Highlighted Object"),
                                          &frmMDIBKLMain::mnuSubPreviewHighlightedObject_Click);
    mnuSubPreviewAllSelectedObjects = item(mnuSubBKObjectsMenu, QStringLiteral("Preview - &All Selected Objects"),
                                           &frmMDIBKLMain::mnuSubPreviewAllSelectedObjects_Click);
    mnuSubBKObjectsMenu->addSeparator();
    mnuSubCopyObjectName =
        item(mnuSubBKObjectsMenu, QStringLiteral("&Copy Object Name"), &frmMDIBKLMain::mnuSubCopyObjectName_Click);
    mnuSubBKObjectsMenu->addSeparator();
    mnuSubCopyObjectsClipboard = item(mnuSubBKObjectsMenu, QStringLiteral("Copy Checked Objects to Clipboard"),
                                      &frmMDIBKLMain::mnuSubCopyObjectsClipboard_Click);
    mnuSubBKObjectsMenu->addSeparator();
    mnuSubSelectAll = item(mnuSubBKObjectsMenu, QStringLiteral("&Select All"), &frmMDIBKLMain::mnuSubSelectAll_Click);
    mnuSubUnSelectAll = item(mnuSubBKObjectsMenu, QStringLiteral("&Unselect All"), &frmMDIBKLMain::mnuSubUnSelectAll_Click);
    mnuSubInvertSelection =
        item(mnuSubBKObjectsMenu, QStringLiteral("&Invert Selection"), &frmMDIBKLMain::mnuSubInvertSelection_Click);
    mnuSubBKObjectsMenu->addSeparator();
    mnuSubExportSelectedObjects = item(mnuSubBKObjectsMenu, QStringLiteral("&Export Selected Objects"),
                                       &frmMDIBKLMain::mnuSubExportSelectedObjects_Click);
    mnuSubBKObjectsMenu->addSeparator();
    mnuSubCompareSelectedObjects = item(mnuSubBKObjectsMenu, QStringLiteral("C&ompare Selected Objects"),
                                        &frmMDIBKLMain::mnuSubCompareSelectedObjects_Click);
    mnuSubBKObjectsMenu->setDefaultAction(mnuSubPreviewHighlightedObject);

    mnuBKAdvancedFind = new QMenu(QStringLiteral("BKAdvancedFind"), this);
    mnuSubAdvancedFindCalculations =
        item(mnuBKAdvancedFind, QStringLiteral("Calculations"), &frmMDIBKLMain::mnuSubAdvancedFindCalculations_Click);
}

void frmMDIBKLMain::createToolbar()
{
    using bkl::mainwindow::ToolbarIcon;
    tblMain = addToolBar(QStringLiteral("tblMain"));
    tblMain->setObjectName(QStringLiteral("tblMain"));
    tblMain->setMovable(false);
    tblMain->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tblMain->setIconSize(QSize(24, 24));

    struct Button {
        const char* text;
        ToolbarIcon icon;
    };
    // Index 0 of a caption marks a separator.
    const std::array<Button, 11> buttons = {{{"Show Preview", ToolbarIcon::Preview},
                                             {"Advanced Find", ToolbarIcon::AdvancedFind},
                                             {"Export Objects", ToolbarIcon::Export},
                                             {nullptr, ToolbarIcon::Preview},
                                             {"Switch Model", ToolbarIcon::SwitchModel},
                                             {nullptr, ToolbarIcon::Preview},
                                             {"Compare Objects", ToolbarIcon::Compare},
                                             {nullptr, ToolbarIcon::Preview},
                                             {"Process Monitor", ToolbarIcon::ProcessMonitor},
                                             {nullptr, ToolbarIcon::Preview},
                                             {"Trace Audit Log", ToolbarIcon::TraceAuditLog}}};
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (!buttons[i].text) {
            m_tbButtons[i] = tblMain->addSeparator();
            continue;
        }
        const QString text = QString::fromLatin1(buttons[i].text);
        QAction* a = tblMain->addAction(bkl::mainwindow::Icon(buttons[i].icon), text);
        a->setToolTip(text);
        const int index = static_cast<int>(i) + 1;
        connect(a, &QAction::triggered, this, [this, index] { tblMain_ButtonClick(index); });
        m_tbButtons[i] = a;
    }
    // Process Monitor has no action; the button shows that by being disabled.
    m_tbButtons[8]->setEnabled(false);
}

void frmMDIBKLMain::MDIForm_Load()
{
    setWindowTitle(QLatin1String(bkl::kProductName));
    mnuTraceAuditLog->setEnabled(true);
    mnuProcessMonitor->setEnabled(false);
    tblMainButton(2)->setEnabled(true);
    tblMainButton(11)->setEnabled(true);
    mnuReloadModelSummary_Click();
    objectList()->show();
}

void frmMDIBKLMain::MDIForm_Unload() { bkl::WriteLog(ExitingLine(), bkl::LogInfo); }

void frmMDIBKLMain::tblMain_ButtonClick(int index)
{
    switch (index) {
    case 1:
        mnuShowPreview_Click();
        break;
    case 2:
        mnuAdvancedFindCalculations_Click();
        break;
    case 3:
        mnuExportObjects_Click();
        break;
    case 5:
        mnuSwitchModel_Click();
        break;
    case 7:
        mnuCompareObjects_Click();
        break;
    case 11:
        mnuTraceAuditLog_Click();
        break;
    default:
        break; // separators and Process Monitor
    }
}

void frmMDIBKLMain::unloadWindows()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_objectList) {
        m_objectList->Form_Unload();
        delete m_objectList.data();
    }
    MDIForm_Unload();
}

void frmMDIBKLMain::closeEvent(QCloseEvent* event)
{
    // A running find or preview uses the object list: the frame stays until it ends.
    if (!m_unloaded && refusedWhileWindowsOpen()) {
        event->ignore();
        return;
    }
    unloadWindows();
    event->accept();
}

void frmMDIBKLMain::mnuSwitchModel_Click()
{
    if (refusedWhileWindowsOpen())
        return;
    bkl::WriteLog(QStringLiteral("Launch Switch Model"), bkl::LogInfo);
    {
        // Creating the object loads its progress window, which logs "Progress".
        cTFunctions progress;
        progress.showProgress(QStringLiteral("Switching Model. Please wait... "), QStringLiteral("Switch Model"), 100, 1, 1,
                              false);
    }
    // The compare window would go on comparing the old model against its target.
    if (frmBKLCompareObjects* compare = frmBKLCompareObjects::existing())
        compare->CloseForModelSwitch();
    g_cnModel = bkl::db::Connection();

    // The login must not find the program ended when the frame, for a moment
    // the only window, closes before it.
    const bool quitOnLast = QGuiApplication::quitOnLastWindowClosed();
    QGuiApplication::setQuitOnLastWindowClosed(false);
    unloadWindows();
    close();
    auto* login = new frmBKLModelLogin;
    login->setAttribute(Qt::WA_DeleteOnClose);
    login->show();
    QGuiApplication::setQuitOnLastWindowClosed(quitOnLast);
}

void frmMDIBKLMain::mnuQuit_Click()
{
    // Quit is never refused: what runs is stopped and the windows over the frame
    // close first, then the program ends.
    bkl::QuitProgram([] {
        bkl::WriteLog(ExitingLine(), bkl::LogInfo);
        g_programEnd();
    });
}

void frmMDIBKLMain::mnuSubCopyObjectName_Click()
{
    const QTreeWidgetItem* row = objectList()->lvObjects->currentItem();
    if (!row)
        return;
    const QString name = bkl::Trim(row->text(0));
    if (name.isEmpty())
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(name);
}

void frmMDIBKLMain::mnuSubCopyObjectsClipboard_Click()
{
    QTreeWidget* list = objectList()->lvObjects;
    QStringList checked;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        if (list->topLevelItem(i)->checkState(0) == Qt::Checked)
            checked << list->topLevelItem(i)->text(0);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(bkl::mainwindow::CheckedObjectsText(checked));
}

void frmMDIBKLMain::mnuSubSelectAll_Click()
{
    MarkRows(objectList()->lvObjects, [](bool) { return true; });
}

void frmMDIBKLMain::mnuSubUnSelectAll_Click()
{
    MarkRows(objectList()->lvObjects, [](bool) { return false; });
}

void frmMDIBKLMain::mnuSubInvertSelection_Click()
{
    MarkRows(objectList()->lvObjects, [](bool checked) { return !checked; });
}

void frmMDIBKLMain::mnuAboutBrisklane_Click()
{
    frmBKLAbout about(this);
    bkl::ExecModal(about);
}

void frmMDIBKLMain::mnuManageModelProfiles_Click()
{
    frmBKLModelProfileMain profiles(this);
    bkl::ExecModal(profiles);
}

void frmMDIBKLMain::mnuUserPreferences_Click()
{
    frmBKLUserPreferences preferences(this);
    bkl::ExecModal(preferences);
}

void frmMDIBKLMain::mnuSubAdvancedFindCalculations_Click() { mnuAdvancedFindCalculations_Click(); }
void frmMDIBKLMain::mnuSubCompareSelectedObjects_Click() { mnuCompareObjects_Click(); }
void frmMDIBKLMain::mnuSubExportSelectedObjects_Click() { mnuExportObjects_Click(); }
void frmMDIBKLMain::mnuSubPreviewAllSelectedObjects_Click() { mnuShowPreview_Click(); }
