#pragma once
// The program's main window: the menu bar, the toolbar tblMain, the two hidden
// pop-up menus the object list opens, and the object-list window frmBKLMain as
// its central widget. The login shows it after a successful connect.
#include <QMainWindow>
#include <QPointer>
#include <array>

class QAction;
class QMenu;
class QToolBar;
class frmBKLMain;

class frmMDIBKLMain : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs its load (caption, toolbar, model summary, object list).
    explicit frmMDIBKLMain(QWidget* parent = nullptr);
    ~frmMDIBKLMain() override;

    // The frame window currently open, or nullptr.
    static frmMDIBKLMain* current();

    // The object-list window; the first use creates it and runs its load.
    frmBKLMain* objectList();

    // True (after a beep) when a long run is active or a window opened modal over
    // the frame is open, so that a command that would start another run or destroy
    // a window in use must not go on.
    bool refusedWhileRunning() const;
    // Switch Model's and the close's: also while the compare window the frame opened
    // modeless is on screen.
    bool refusedWhileWindowsOpen() const;

    // Toolbar button by its 1-based index (1..11; separators included).
    QAction* tblMainButton(int index) const;

    // How Quit ends the program (default: leave the event loop at once). Tests replace it.
    using ProgramEnd = void (*)();
    static void SetProgramEnd(ProgramEnd end);

    // Menu bar.
    QMenu* mnuAnalyze = nullptr;
    QAction* mnuShowPreview = nullptr;
    QAction* mnuSep1 = nullptr;
    QMenu* mnuAdvancedFind = nullptr;
    QAction* mnuAdvancedFindCalculations = nullptr;
    QAction* mnuSep2 = nullptr;
    QAction* mnuExportObjects = nullptr;
    QAction* mnuSep3 = nullptr;
    QAction* mnuReloadModelSummary = nullptr;
    QAction* mnuSep4 = nullptr;
    QAction* mnuSwitchModel = nullptr;
    QAction* mnuSep5 = nullptr;
    QAction* mnuQuit = nullptr;
    QMenu* mnuTools = nullptr;
    QAction* mnuCompareObjects = nullptr;
    QAction* mnuSep6 = nullptr;
    QAction* mnuProcessMonitor = nullptr;
    QAction* mnuSep7 = nullptr;
    QAction* mnuTraceAuditLog = nullptr;
    QAction* mnuSep8 = nullptr;
    QAction* mnuManageModelProfiles = nullptr;
    QAction* mnuSep9 = nullptr;
    QAction* mnuUserPreferences = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuAboutBrisklane = nullptr;

    // Object menu, popped up by a right click on the object list.
    QMenu* mnuSubBKObjectsMenu = nullptr;
    QAction* mnuSubPreviewHighlightedObject = nullptr;
    QAction* mnuSubPreviewAllSelectedObjects = nullptr;
    QAction* mnuSubCopyObjectName = nullptr;
    QAction* mnuSubCopyObjectsClipboard = nullptr;
    QAction* mnuSubSelectAll = nullptr;
    QAction* mnuSubUnSelectAll = nullptr;
    QAction* mnuSubInvertSelection = nullptr;
    QAction* mnuSubExportSelectedObjects = nullptr;
    QAction* mnuSubCompareSelectedObjects = nullptr;

    // Advanced-find menu, popped up by the object-list window's Advanced Find button.
    QMenu* mnuBKAdvancedFind = nullptr;
    QAction* mnuSubAdvancedFindCalculations = nullptr;

    QToolBar* tblMain = nullptr;

    // Load and toolbar.
    void MDIForm_Load();
    void MDIForm_Unload();
    void tblMain_ButtonClick(int index);

    // Commands carried out by the frame itself.
    void mnuSwitchModel_Click();
    void mnuQuit_Click();
    void mnuSubCopyObjectName_Click();
    void mnuSubCopyObjectsClipboard_Click();
    void mnuSubSelectAll_Click();
    void mnuSubUnSelectAll_Click();
    void mnuSubInvertSelection_Click();

    // Commands that open another window or run another handler.
    void mnuAboutBrisklane_Click();
    void mnuManageModelProfiles_Click();
    void mnuUserPreferences_Click();
    void mnuSubAdvancedFindCalculations_Click();
    void mnuSubCompareSelectedObjects_Click();
    void mnuSubExportSelectedObjects_Click();
    void mnuSubPreviewAllSelectedObjects_Click();

    // Preview and model summary (frmMDIBKLMain_Preview.cpp).
    void mnuShowPreview_Click();
    void mnuSubPreviewHighlightedObject_Click();
    void mnuReloadModelSummary_Click();
    // Export hand-off (frmBKLMain_Export.cpp) and compare hand-off (frmBKLMain_Compare.cpp).
    void mnuExportObjects_Click();
    void mnuCompareObjects_Click();
    // Advanced search and audit trace (frmMDIBKLMain_Tools.cpp).
    void mnuAdvancedFindCalculations_Click();
    void mnuTraceAuditLog_Click();

    // The frame offers no pop-up menu of its toolbar and menu bar (none to hide the toolbar with).
    QMenu* createPopupMenu() override { return nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createObjectMenus();
    void createToolbar();
    void unloadWindows();

    QPointer<frmBKLMain> m_objectList;
    std::array<QAction*, 11> m_tbButtons{};
    bool m_unloaded = false;
};
