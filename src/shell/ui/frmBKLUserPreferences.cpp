#include "shell/ui/frmBKLUserPreferences.h"

frmBKLUserPreferences::frmBKLUserPreferences(QWidget* parent) : QDialog(parent) {}
