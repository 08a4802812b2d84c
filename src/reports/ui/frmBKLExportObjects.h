#pragma once
// The export dialog: the objects to export, the detail-section tree, the
// folder, the file format and the open-file option; Export writes the dated
// export file with a progress bar per kind. The export hand-off fills the
// seven list members, the rows of lvExport and lblRecordCount, then shows it
// modal.
#include "reports/ExportFile.h"

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmBKLExportObjects : public QDialog {
    Q_OBJECT
public:
    explicit frmBKLExportObjects(QWidget* parent = nullptr);

    // The objects to export, one ObjectNameList per kind ("|" before each item text).
    QString m_sTablesExport;
    QString m_sViewsExport;
    QString m_sCalendarsExport;
    QString m_sCalculationsExport;
    QString m_sCompensationPlansExport;
    QString m_sTailoredReportsExport;
    QString m_sPresentorReportsExport;

    // Adds one row (item text, type text) to lvExport.
    void AddExportRow(const QString& name, const QString& type);

    // True from the confirmation of an export to its end.
    bool ExportRunning() const { return m_bRunning; }

    // Caption, log line, tree, file format, open-file box, default location;
    // runs once per showing, when the dialog is shown.
    void Form_Activate();
    // One root per kind with objects, all nodes checked and expanded.
    void FillExportAttributeTree();
    // A check or uncheck the user made: a root passes it on to its leaves.
    void tvExport_NodeCheck(QTreeWidgetItem* node);
    void cmdFolder_Click();
    void cmdExport_Click();
    void cmdClose_Click();
    // Esc (27) closes the dialog; other keys are ignored.
    void Form_KeyPress(int keyAscii);
    void Form_Unload();

    QLabel* Label2 = nullptr;
    QTreeWidget* lvExport = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QTreeWidget* tvExport = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtLocation = nullptr;
    QPushButton* cmdFolder = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* cboFileFormat = nullptr;
    QCheckBox* chkOpenFile = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdClose = nullptr;
    QProgressBar* pbProgress = nullptr;
    QLabel* lblPreviewStatus = nullptr;
    QLabel* lblPercentage = nullptr;
    QLabel* lblRecordCount = nullptr;

public slots:
    // Close, Esc and the close box end here; refused while an export runs.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    bkl::reports::ExportLists ExportListMembers() const;
    // Writes the export file into `location`; false when the run stopped.
    bool WriteExportFile(const QString& location, const bkl::reports::ExportLists& lists, QString& fileName);
    // True (after a beep) while an export runs.
    bool refusedWhileExporting() const;
    void unloadOnce();

    bool m_bActivated = false;
    bool m_bRunning = false;
    bool m_bUnloaded = false;
};
