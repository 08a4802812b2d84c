#pragma once
// The compare report window: a modal window with a browser showing the report
// page "_temp_03.html" and the Save As, Print Preview and Print buttons. The
// compare window creates one per report and sets its caption before showing it.
#include "shell/ui/UnloadingDialog.h"

class QKeyEvent;
class QToolButton;
namespace bkl {
class Browser;
}

class frmBKLCompareReport : public bkl::UnloadingDialog {
    Q_OBJECT
public:
    explicit frmBKLCompareReport(QWidget* parent = nullptr);

    bkl::Browser* wbResult = nullptr;
    QToolButton* cmdIEPreview = nullptr;
    QToolButton* cmdPreview = nullptr;
    QToolButton* cmdPrint = nullptr;
    QToolButton* cmdClose = nullptr;

    void Form_Load();
    void cmdClose_Click();
    void cmdIEPreview_Click();
    void cmdPreview_Click();
    void cmdPrint_Click();

protected:
    void Form_Unload() override;
    // Esc does not close the report; Close and the close box do.
    void keyPressEvent(QKeyEvent* event) override;
};
