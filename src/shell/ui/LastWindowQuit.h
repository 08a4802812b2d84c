#pragma once
class QApplication;

namespace bkl {

// Ends the program when no window is left open. The check runs after the
// event that closed a window has been handled, so a hand-off that closes one
// window and shows the next (splash to login, login to frame, frame to login)
// does not end it.
void QuitWhenLastWindowCloses(QApplication& app);

// True when a top-level window other than a tooltip or pop-up is visible.
bool AnyWindowOpen();

} // namespace bkl
