#pragma once
#include <QDialog>

// Placeholder until the login lands. Shown modeless at start-up and by Switch
// Model; a successful connect opens the frame window frmMDIBKLMain.
class frmBKLModelLogin : public QDialog {
    Q_OBJECT
public:
    explicit frmBKLModelLogin(QWidget* parent = nullptr);
};
