#pragma once
#include <functional>

class QApplication;
class QObject;

namespace bkl {

// Ends the program when no window is left open. The check runs after the
// event that closed a window has been handled, so a hand-off that closes one
// window and shows the next (splash to login, login to frame, frame to login)
// does not end it.
void QuitWhenLastWindowCloses(QApplication& app);

// The watcher behind it: calls `onNoWindowLeft` whenever a window has closed
// or hidden and, once that event has been handled, no window is open. Owned by
// `parent`.
QObject* WatchForLastWindow(QObject* parent, std::function<void()> onNoWindowLeft);

// True when a top-level window other than a tooltip or pop-up is visible.
bool AnyWindowOpen();

// Deletes every top-level window, without their unload handling. The program
// calls it after its event loop: the report browsers' pages must go before the
// web engine's profile, which ends with the application.
void DeleteAllWindows();

} // namespace bkl
