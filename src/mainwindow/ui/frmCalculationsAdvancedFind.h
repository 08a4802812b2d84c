#pragma once
// The advanced search of calculations: by restriction column and value, by
// table and/or column dependency, by calendar used or time/reset levels. Its
// hits can replace the object list of the object-list window. The frame
// window shows it modal.
#include <QDialog>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;
namespace bkl::mainwindow {
struct AdvancedSearch;
}

class frmCalculationsAdvancedFind : public QDialog {
    Q_OBJECT
public:
    // Builds the window and runs its load (first tab, lists filled, no hits).
    explicit frmCalculationsAdvancedFind(QWidget* parent = nullptr);

    void Form_Load();
    void FillCalendarAndTimeResetLists();
    void cmdOk_Click();
    void cmdLoadResults_Click();
    void cmdClose_Click();
    void Form_KeyPress(int keyAscii);

    QTabWidget* sstCalculations = nullptr;
    // Tab 0: restriction column and value.
    QLineEdit* txtColumn = nullptr;
    QLineEdit* txtValue = nullptr;
    QCheckBox* chkWholeWordColumn = nullptr;
    QCheckBox* chkMatchCaseColumn = nullptr;
    // Tab 1: table and column dependency.
    QLineEdit* txtTableName = nullptr;
    QCheckBox* chkTableWholeWord = nullptr;
    QCheckBox* chkTableMatchCase = nullptr;
    QLineEdit* txtTableColumnName = nullptr;
    QCheckBox* chkColumnWholeWord = nullptr;
    QCheckBox* chkColumnMatchCase = nullptr;
    // Tab 2: calendar used, or time and reset levels. Each item carries its
    // stored values as item data: the calendar id (none for "<<None>>"), or the
    // time and reset levels as a two-item string list.
    QRadioButton* optCalendarUsed = nullptr;
    QComboBox* cboCalendarUsed = nullptr;
    QRadioButton* optTimeReset = nullptr;
    QComboBox* cboTimeReset = nullptr;

    QPushButton* cmdOk = nullptr;
    QPushButton* cmdLoadResults = nullptr;
    QPushButton* cmdClose = nullptr;
    QTreeWidget* lvAdvancedFind = nullptr;
    QLabel* lblLoadStatus = nullptr;
    QLabel* lblSearchResults = nullptr;
    QLabel* lblFilter = nullptr;

    // Closing (Close, Esc, the title bar) is refused while a run is active.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createTabs();
    void createButtonsAndList();
    // The selected tab's search, or none after its input check showed a box.
    std::optional<bkl::mainwindow::AdvancedSearch> SelectedSearch();
    // Lists the rows of `sql` until the end; throws on a database error.
    void ListHits(const bkl::mainwindow::AdvancedSearch& search);
};
