#pragma once
// The desktop implementations of the seams: QMessageBox, QFileDialog,
// QDesktopServices. The program installs them at start-up.
namespace bkl {
void InstallDesktopSeams();
}
