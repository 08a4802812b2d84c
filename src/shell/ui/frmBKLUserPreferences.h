#pragma once
#include <QDialog>

// Placeholder until the window lands; shown modal from the frame's menu.
class frmBKLUserPreferences : public QDialog {
    Q_OBJECT
public:
    explicit frmBKLUserPreferences(QWidget* parent = nullptr);
};
