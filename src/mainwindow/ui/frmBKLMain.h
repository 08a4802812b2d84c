#pragma once
// The object-list window: the kind pickers, the name filter with Find and
// Stop, the object list lvObjects, the preview progress, the browser wbObjects
// and the status bar. It is the frame window's central widget.
#include "mainwindow/ObjectKinds.h"
#include "mainwindow/ResizeRule.h"

#include <QWidget>
#include <array>
#include <functional>

class QChartView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class frmMDIBKLMain;
namespace bkl {
class Browser;
}

class frmBKLMain : public QWidget {
    Q_OBJECT
public:
    explicit frmBKLMain(frmMDIBKLMain* frame);

    // The object-list window of the open frame, or nullptr when none is loaded.
    static frmBKLMain* current();

    // Number of checked rows of lvObjects when CheckedYesNo is 1, else of unchecked rows.
    long ObjectsCheckedCount(short CheckedYesNo) const;

    // The action group: enables or disables its preview and export members
    // (cmdGetDetails, cmdExport, the frame's mnuShowPreview, mnuExportObjects,
    // toolbar buttons 1 and 3) and its compare members (cmdCompare, the
    // frame's mnuCompareObjects, toolbar button 7).
    void SetActionGroup(bool previewAndExport, bool compare);

    // Adds one row (item text, type text) to lvObjects, with its check box.
    QTreeWidgetItem* AddObjectRow(const QString& itemText, const QString& typeText);
    // A row of lvObjects not yet in the list, for runs that add their rows in batches.
    static QTreeWidgetItem* NewObjectRow(const QString& itemText, const QString& typeText);

    // Sets the text of panel 1..8 of sbRelease.
    void SetStatusBarText(const QString& text, short panel);
    QString StatusBarText(short panel) const;

    // The picker item of a kind.
    QListWidgetItem* KindPickerItem(bkl::mainwindow::ObjectKind kind) const;

    // True while a find run lists rows.
    bool FindRunning() const { return m_findRunning; }

    void LoadObjectTypeLists();
    void ResizeControls();

    void Form_Load();
    void Form_Resize() { ResizeControls(); }
    void Form_Unload();

    void cmdFind_Click();
    void cmdStop_Click();
    // Column: 0 NAME, 1 TYPE.
    void lvObjects_ColumnClick(int column);
    void lvObjects_MouseUp(Qt::MouseButton button);
    void cmdAdvancedFind_MouseUp(Qt::MouseButton button);

    // Preview, model summary and browser commands (frmBKLMain_Preview.cpp).
    void cmdGetDetails_Click();
    void lvObjects_DblClick();
    void LoadModelSummary();
    void cmdIEPreview_Click();
    void cmdPreview_Click();
    void cmdPrint_Click();
    // Export hand-off (frmBKLMain_Export.cpp) and compare hand-off (frmBKLMain_Compare.cpp).
    void cmdExport_Click();
    void cmdCompare_Click();

    // Kind pickers and find row.
    QListWidget* lstObjectsGroup1 = nullptr;
    QListWidget* lstObjectsGroup2 = nullptr;
    QListWidget* lstObjectsGroup3 = nullptr;
    QLabel* lblFindObjects = nullptr;
    QLineEdit* txtFind = nullptr;
    QCheckBox* chkWholeWord = nullptr;
    QCheckBox* chkMatchCase = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdAdvancedFind = nullptr;
    QLabel* lblLoadStatus = nullptr;
    QLabel* lblSearchResults = nullptr;
    QLabel* lblFilter = nullptr;

    // The list and the action buttons.
    QTreeWidget* lvObjects = nullptr;
    QPushButton* cmdGetDetails = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdCompare = nullptr;

    // Banner, preview progress and the browser with its command buttons.
    QLabel* lblBanner = nullptr;
    QLabel* lblAnnote = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblPreviewStatus = nullptr;
    QProgressBar* pbProgress = nullptr;
    QLabel* lblPercentage = nullptr;
    QToolButton* cmdIEPreview = nullptr; // Save As
    QToolButton* cmdPreview = nullptr;   // Print Preview
    QToolButton* cmdPrint = nullptr;     // Print
    bkl::Browser* wbObjects = nullptr;
    // The summary chart's panel, over the lower part of the browser; hidden until a summary fills it.
    QWidget* picMain = nullptr;
    QChartView* MSChart1 = nullptr;

    QStatusBar* sbRelease = nullptr;

    bool m_bStopFind = false;
    int m_iSortOrder = 0;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createPickersAndFindRow();
    void createListAndButtons();
    void createBrowserArea();
    void createStatusBar();
    std::vector<bkl::mainwindow::ObjectKind> SelectedKinds() const;
    // Lists the rows of each kind's statement that `stands` keeps, until the end or a Stop; the
    // rows go in at each turn of the event loop, about every 20 ms.
    using RowFilter = std::function<bool(bkl::mainwindow::ObjectKind, const QString& itemText)>;
    void ListKinds(const std::vector<bkl::mainwindow::ObjectKind>& kinds, const std::vector<QString>& statements,
                   const RowFilter& stands);
    // Ends a find: the result count, and `caption`, the filter the find ran with.
    void FinishFind(const QString& caption);

    frmMDIBKLMain* m_frame;
    std::array<QLabel*, 8> m_panels{};
    bkl::mainwindow::StretchedSizes m_sizes;
    bool m_findRunning = false;
};
