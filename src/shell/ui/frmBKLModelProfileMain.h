#pragma once
#include <QDialog>

// Placeholder until the window lands; shown modal from the frame's menu.
class frmBKLModelProfileMain : public QDialog {
    Q_OBJECT
public:
    explicit frmBKLModelProfileMain(QWidget* parent = nullptr);
};
