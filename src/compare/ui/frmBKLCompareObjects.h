#pragma once
// The compare window: the source list (loaded by kind, from an object-list
// file or handed over from the object list), the compare list with a status
// per object, the tree of detail sections to compare, the target model, the
// compare run and the compare reports.
//
// There is one window object for the whole program run. Closing it unloads it
// (its lists, tree and labels are reset at the next load) while its members
// m_cnTarget, m_sDetailedSummary and m_iSortOrder keep their values; the target
// labels show m_cnTarget again while it is open. Switch Model closes the window
// and lets go of both models.
#include "platform/db/Connection.h"
#include "shell/ErrorInfo.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <optional>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmBKLCompareObjects : public QDialog {
    Q_OBJECT
public:
    // The program's compare window, created (not loaded) on first use.
    static frmBKLCompareObjects& instance();
    // The window when it has been created, else nullptr.
    static frmBKLCompareObjects* existing();
    // Deletes the window object (the end of a program run; tests).
    static void discardInstance();

    // Loads the window when it is not loaded: resets its controls and runs Form_Load.
    void Load();
    bool IsLoaded() const { return m_bLoaded; }
    // Shows the loaded window modal, returning when it closes, or modeless.
    // A window already on screen is brought to the front instead.
    void ShowModal();
    void ShowModeless();

    // Appends one row (name, type) to the source list.
    void AddSourceRow(const QString& name, const QString& type);
    // Sets lblObjectCount / lblCompareCount to "Count: " and the list's row count.
    void ShowObjectCount();
    void ShowCompareCount();

    // True while a compare run or a Load Objects runs.
    bool CompareRunning() const { return m_bRunning; }
    bool LoadRunning() const { return m_bLoading; }

    // The HTML page shown as the object summary of a compare row (its tag).
    static QString RowTag(const QTreeWidgetItem* row);

    // Takes `cn`, open on model database `modelName` at `serverHost`, as the
    // target and shows it in the target labels; the next loads show it again
    // while it stays open.
    void SetTarget(const bkl::db::Connection& cn, const QString& modelName, const QString& serverHost);

    // Switch Model: closes the report window and this window and lets go of both
    // models; the target connection is closed.
    void CloseForModelSwitch();

    // The target model connection (set by the target login).
    bkl::db::Connection m_cnTarget;
    // The source side of every comparison: g_cnModel as of the last load.
    bkl::db::Connection m_cnSource;
    // The comparison pages of the last confirmed run, each followed by "<br>".
    QString m_sDetailedSummary;
    short m_iSortOrder = 0;
    bool m_bStopLoad = false;

    // Load and closing.
    void Form_Load();
    void FillObjectTypes();
    void cmdClose_Click();
    // Esc (27) unloads the window; other keys do nothing.
    void Form_KeyPress(int keyAscii);
    void Form_Unload();

    // Source list (frmBKLCompareObjects_Lists.cpp).
    void cmdLoadObjects_Click();
    void cmdStop_Click();
    void txtSearch_Change();
    void cmdAdd_Click();
    void lvObjects_DblClick() { cmdAdd_Click(); }
    void mnuAddObjects_Click() { cmdAdd_Click(); }
    void cmdAddAll_Click();
    void mnuAddAllObjects_Click() { cmdAddAll_Click(); }
    void cmdRemove_Click();
    void mnuRemoveObject_Click() { cmdRemove_Click(); }
    void cmdRemoveAll_Click();
    void mnuRemoveAllObjects_Click() { cmdRemoveAll_Click(); }
    // Column: 0 NAME, 1 TYPE, 2 STATUS.
    void lvObjects_ColumnClick(int column);
    void lvCompare_ColumnClick(int column);
    void lvObjects_MouseUp(Qt::MouseButton button);
    void lvCompare_MouseUp(Qt::MouseButton button);
    void cmdTargetConnect_Click();

    // Detail-section tree and compare run (frmBKLCompareObjects_Run.cpp).
    void FillCompareAttributeTree();
    void SetCompareAttributeFlags();
    void cmdCompare_Click();

    // Reports (frmBKLCompareObjects_Reports.cpp).
    // Writes the report page with the fragment and shows it, under `caption`,
    // in a modal report window; returns when that window closes.
    void ShowCompareReport(const QString& caption, const QString& html);
    void cmdReport_Click();
    void lvCompare_DblClick();
    void mnuViewCompareSummary_Click();

    QComboBox* cboObjects = nullptr;
    QPushButton* cmdLoadObjects = nullptr;
    QPushButton* cmdStop = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtSearch = nullptr;
    QLabel* Label2 = nullptr;
    QTreeWidget* lvObjects = nullptr;
    QLabel* lblObjectCount = nullptr;
    QToolButton* cmdAdd = nullptr;
    QToolButton* cmdAddAll = nullptr;
    QToolButton* cmdRemove = nullptr;
    QToolButton* cmdRemoveAll = nullptr;
    QLabel* Label3 = nullptr;
    QTreeWidget* lvCompare = nullptr;
    QLabel* lblCompareCount = nullptr;
    QLabel* Label4 = nullptr;
    QTreeWidget* tvCompare = nullptr;
    QLabel* lblSourceModel = nullptr;
    QLabel* lblTargetModel = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* cmdTargetConnect = nullptr;
    QLabel* lblConnectionStatus = nullptr;
    QLabel* lblServerHost = nullptr;
    QLabel* lblModelName = nullptr;
    QPushButton* cmdCompare = nullptr;
    QProgressBar* pbProgress = nullptr;
    QLabel* lblPercentage = nullptr;
    QLabel* lblPreviewStatus = nullptr;
    QGroupBox* fraReport = nullptr;
    QRadioButton* optDetailedSummary = nullptr;
    QRadioButton* optStatusSummary = nullptr;
    QRadioButton* optObjectSummary = nullptr;
    QPushButton* cmdReport = nullptr;
    QPushButton* cmdClose = nullptr;

    QMenu* mnuSubObjects = nullptr;
    QAction* mnuAddObjects = nullptr;
    QAction* mnuAddAllObjects = nullptr;
    QMenu* mnuSubCOmpare = nullptr;
    QAction* mnuViewCompareSummary = nullptr;
    QAction* mnuSubSep1 = nullptr;
    QAction* mnuRemoveObject = nullptr;
    QAction* mnuRemoveAllObjects = nullptr;

public slots:
    // Close, Esc and the close box end here; refused while a run or load is active.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmBKLCompareObjects();
    void createSourceControls();
    void createCompareControls();
    void createTargetAndRunControls();
    void createMenus();
    void layoutControls();
    // Adds a compare row unless the list holds the same NAME and TYPE already;
    // refused during a compare run, and (with a beep) while an Add still adds.
    void AddCompareRows(bool selectedOnly);
    void SortList(QTreeWidget* list, int column);
    // Switches a list's own sorting on or off; its header keeps taking clicks.
    static void SetListSorting(QTreeWidget* list, bool on);
    // The selected compare row, or nullptr.
    QTreeWidgetItem* SelectedCompareRow() const;
    // The eleven inputs a compare run locks, in their order.
    void SetRunInputsEnabled(bool enabled);
    // Lists the rows that nextRow(QStringList&) hands out until it returns false or Stop is pressed.
    template <class NextRow>
    void LoadSourceRows(NextRow nextRow, bool scrollToNewRows);
    // Lists the rows of a listing statement, or the names of an object-list
    // file the user picks; the file's failure or refusal comes back.
    void LoadObjectsFromModel(const QString& sql);
    std::optional<bkl::ErrorInfo> LoadObjectsFromFile();
    // The object summary of the selected row; `requireName`: nothing for an empty NAME.
    void ShowObjectSummary(bool requireName);
    // True (after a beep) while a compare run, a load, or an Add is active.
    bool refusedWhileBusy() const;

    // Sets the four target labels: the target when `connected`, else "Not Connected".
    void ShowTarget(bool connected);

    bool m_bLoaded = false;
    bool m_bRunning = false;
    bool m_bLoading = false;
    bool m_bAdding = false;
    // Model database and host of m_cnTarget, as the target login named them.
    QString m_sTargetModelName;
    QString m_sTargetServerHost;
    // The report window while ShowCompareReport shows it.
    QPointer<QDialog> m_report;
};
