#pragma once
// Top-level windows and modal dialogs as window tests drive them.
#include <QList>
#include <functional>

class QWidget;

namespace bkl::test {

// Closes and deletes every top-level widget (windows left by a handler).
void CloseAllWindows();

// The visible top-level windows of a class, by its class name.
QList<QWidget*> VisibleWindows(const char* className);

// Runs `drive` on the modal dialog that the next blocking call opens, once its
// event loop runs (for handlers that show a window with exec()).
void OnNextModal(std::function<void(QWidget*)> drive);

} // namespace bkl::test
