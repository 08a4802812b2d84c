#pragma once
// The audit-log trace window: filters on the model's audit table (event
// description, event, module, user), Show Top n or Show All, the time order,
// and the page "_temp_04.html" in its own browser with the three browser
// commands. The frame window shows it modal.
#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
namespace bkl {
class Browser;
class BrowserCommandButtons;
} // namespace bkl

class frmBKLTraceAuditLog : public QDialog {
    Q_OBJECT
public:
    // Builds the window and runs its load (position, log line, defaults, filter lists, empty page).
    explicit frmBKLTraceAuditLog(QWidget* parent = nullptr);

    void Form_Load();
    void SetDefaultTraceOptions();
    void FillAuditFilterLists();
    void optAllTrace_Click();
    void optTraceFilter_Click();
    void cmdTrace_Click();
    void cmdClose_Click();
    void Form_KeyPress(int keyAscii);
    void Form_Unload();
    void cmdIEPreview_Click();
    void cmdPreview_Click();
    void cmdPrint_Click();

    QGroupBox* fraTraceOptions = nullptr;
    QRadioButton* optTraceFilter = nullptr;
    QRadioButton* optAllTrace = nullptr;
    QCheckBox* chkMessage = nullptr;
    QLineEdit* txtEventDesc = nullptr;
    QCheckBox* chkEvent = nullptr;
    QComboBox* cboEvent = nullptr;
    QCheckBox* chkModule = nullptr;
    QComboBox* cboModule = nullptr;
    QCheckBox* chkUserID = nullptr;
    QComboBox* cboUserID = nullptr;
    QGroupBox* fraRecordCount = nullptr;
    QRadioButton* optTOP = nullptr;
    QLineEdit* txtTop = nullptr;
    QRadioButton* optALL = nullptr;
    QGroupBox* fraSort = nullptr;
    QRadioButton* optDateDESC = nullptr;
    QRadioButton* optDateASC = nullptr;
    QLabel* lblProgress = nullptr;
    QPushButton* cmdTrace = nullptr;
    QPushButton* cmdClose = nullptr;
    bkl::Browser* wbAudit = nullptr;
    bkl::BrowserCommandButtons* browserCommands = nullptr;
    QToolButton* cmdIEPreview = nullptr; // Save As
    QToolButton* cmdPreview = nullptr;   // Print Preview
    QToolButton* cmdPrint = nullptr;     // Print

    // Closing (Close, Esc, the title bar) is refused while a run is active.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createOptions();
    void createFilters();
    void createButtonsAndBrowser();
    void setFiltersEnabled(bool enabled);
    // Filter-mode input checks; false after showing the box and moving the focus.
    bool filtersHaveTexts();
    bool m_unloaded = false;
};
