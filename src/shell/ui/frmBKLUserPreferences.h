#pragma once
#include "shell/ui/UnloadingDialog.h"

class QCheckBox;
class QListWidget;
class QPushButton;

// The modal preferences dialog: grid lines, the kinds selected by default in
// the object-list window, and clearing the application log.
class frmBKLUserPreferences : public bkl::UnloadingDialog {
    Q_OBJECT
public:
    explicit frmBKLUserPreferences(QWidget* parent = nullptr);

    QCheckBox* chkGridLines = nullptr;
    QCheckBox* chkClearLogFiles = nullptr;
    QListWidget* lstObjects = nullptr;
    QPushButton* cmdOk = nullptr;
    QPushButton* cmdCancel = nullptr;

    void FillObjectsList();

public slots:
    void cmdOk_Click();
    void cmdCancel_Click();

protected:
    void Form_Unload() override;

private:
    void Form_Load();
};
