#pragma once
#include <QDialog>

// Placeholder until the window lands; shown modal from the frame's menu.
class frmBKLAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmBKLAbout(QWidget* parent = nullptr);
};
