#include "shell/ui/frmBKLModelLogin.h"

frmBKLModelLogin::frmBKLModelLogin(QWidget* parent) : QDialog(parent) {}
