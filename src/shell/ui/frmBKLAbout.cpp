#include "shell/ui/frmBKLAbout.h"

frmBKLAbout::frmBKLAbout(QWidget* parent) : QDialog(parent) {}
