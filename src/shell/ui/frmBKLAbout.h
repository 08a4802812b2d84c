#pragma once
#include "shell/ui/UnloadingDialog.h"

#include <QString>

class QAction;
class QLabel;
class QPlainTextEdit;
class QToolBar;
class QWidget;

// The modal About window: product panel (name, build, platform versions, mail
// and web links) and a version-history panel with "whatsnew.txt", switched by
// the toolbar.
class frmBKLAbout : public bkl::UnloadingDialog {
    Q_OBJECT
public:
    explicit frmBKLAbout(QWidget* parent = nullptr);

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblAnnote = nullptr;
    QLabel* lblNotice = nullptr;
    QLabel* lblEMAIL = nullptr;
    QLabel* lblWEB = nullptr;
    QWidget* picBKL = nullptr;
    QWidget* picFile = nullptr;
    QPlainTextEdit* txtReadFromFile = nullptr;
    QToolBar* tbAbout = nullptr;

    // The toolbar button at a 1-based position.
    QAction* tbAboutButton(int position) const;
    // Whether a button shows the mark of the active panel.
    bool tbAboutMarked(int position) const;

    // The whole text of a file, each line followed by CR LF; "" after an ERROR line on any failure.
    static QString ReadTheTextForAbout(const QString& path);

public slots:
    void tbAbout_ButtonClick(int position);
    void lblEMAIL_Click();
    void lblWEB_Click();

protected:
    void Form_Unload() override;

private:
    void Form_Load();
    void buildControls();
    void showProductPanel(bool product);
};
