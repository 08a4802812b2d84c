#pragma once
// Windows opened modal with an event loop of their own (exec): every dialog, box
// and file chooser the program opens. The handler that opened one goes on once it
// closes, so the windows beneath it must stay until then: while one is open the
// frame refuses Switch Model and its close (as during a run), and Quit closes
// them from the top down before the program ends (ProgramQuit.h).
//
// Nothing in the program calls exec() on a window but ExecModal (a test checks
// the sources).
#include <QPointer>

class QDialog;

namespace bkl {

// Runs `dialog` modal and returns its result. While the program quits it opens
// nothing and returns QDialog::Rejected.
int ExecModal(QDialog& dialog);

// True while a window opened with ExecModal is open.
bool ModalWindowOpen();

// The window opened last and still open, with the number of runs that were active
// when it opened (a run started from inside it counts above that); nullptr when none.
struct ModalWindow {
    QPointer<QDialog> dialog;
    int runDepth = 0;
};
const ModalWindow* TopModalWindow();

} // namespace bkl
