#pragma once
// The audit-log trace window: filters on the model's audit table (event
// description, event, module, user), Show Top n or Show All, the time order,
// and the page "_temp_04.html" in its own browser with the three browser
// commands. The frame window shows it modal. Its filter lists read the whole audit
// log, so they are filled once the window is on screen, while it answers the user.
#include <QDialog>
#include <QSet>
#include <optional>

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

    // Closing (Close, Esc, the title bar) is refused while a run is active. While the
    // filter lists are being read it ends their reading and closes the window once the
    // statement running has returned.
    void done(int result) override;

    // True until the filter lists have been read (or failed): the window reads them
    // after it has been painted for the first time.
    bool FilterListsPending() const { return m_listsPending; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createOptions();
    void createFilters();
    void createButtonsAndBrowser();
    void setFiltersEnabled(bool enabled);
    // Filter-mode input checks; false after showing the box and moving the focus.
    bool filtersHaveTexts();
    // Reads the filter lists from the event loop after `delayMs`, once no run is active.
    void queueFill(int delayMs);
    bool m_unloaded = false;
    bool m_listsPending = false;  // the filter lists are still to be read
    bool m_fillQueued = false;    // their reading is queued after the first paint
    bool m_filling = false;       // they are being read
    QSet<QWidget*> m_unfilled;    // lists not read yet: disabled in either mode
    std::optional<int> m_closeResult; // a close asked for while the lists were read
};
