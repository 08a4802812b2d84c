#pragma once
#include "platform/core/FileSnapshot.h"
#include "shell/ErrorInfo.h"
#include "shell/ui/UnloadingDialog.h"

#include <QByteArray>
#include <QList>

class QPushButton;
class QTableWidget;

// The modal profile manager: lists the profiles of model.profile, adds,
// changes and removes them in its list, and saves the whole list back.
class frmBKLModelProfileMain : public bkl::UnloadingDialog {
    Q_OBJECT
public:
    explicit frmBKLModelProfileMain(QWidget* parent = nullptr);

    QTableWidget* lvProfile = nullptr;
    QPushButton* cmdAddNew = nullptr;
    QPushButton* cmdModify = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdClose = nullptr;

    void FillProfileList();

public slots:
    void cmdAddNew_Click();
    void cmdModify_Click();
    void cmdDelete_Click();
    void cmdSave_Click();
    void cmdClose_Click();
    void lvProfile_DblClick();

protected:
    void Form_Unload() override;

private:
    void Form_Load();
    void buildControls();

    // Lines of the file too short to be profiles: not listed, but written back
    // after the profiles by Save, so a hand edit is never lost.
    QList<QByteArray> m_keptLines;
    // Why the file was refused or not read to its end at load (number 0 when
    // it was read): Save then keeps the file as it is.
    bkl::ErrorInfo m_refusal;
    // What the load saw of the file: Save writes only over that same file.
    bkl::FileSnapshot m_read;
};
