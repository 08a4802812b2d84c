#include "mainwindow/ui/frmMDIBKLMain.h"

frmMDIBKLMain::frmMDIBKLMain(QWidget* parent) : QMainWindow(parent) { setWindowTitle(QStringLiteral("Brisklane")); }
