#include "shell/ui/frmBKLModelProfileMain.h"

frmBKLModelProfileMain::frmBKLModelProfileMain(QWidget* parent) : QDialog(parent) {}
