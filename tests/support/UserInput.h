#pragma once
// Input as the window system delivers it: queued for the application's next turn
// of the event loop, to the window on screen, with no handler called directly. A
// turn that leaves user input for later (ExcludeUserInputEvents) leaves these too.
#include <Qt>

class QWidget;

namespace bkl::test {

// A left click in the middle of `widget` (press and release), to its window.
void QueueClick(QWidget* widget);
// A key press and release, with modifiers, to `widget`'s window.
void QueueKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The close request of the window's title bar.
void QueueClose(QWidget* window);

} // namespace bkl::test
