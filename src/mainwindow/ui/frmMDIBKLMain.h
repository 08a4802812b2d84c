#pragma once
#include <QMainWindow>

// Placeholder until the frame window lands: the main frame opened by the login.
class frmMDIBKLMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMDIBKLMain(QWidget* parent = nullptr);
};
