#pragma once
// Top-level windows and modal dialogs as window tests drive them.
#include <QList>
#include <functional>

class QTreeWidget;
class QWidget;

namespace bkl::test {

// Closes and deletes every top-level widget (windows left by a handler).
void CloseAllWindows();

// The visible top-level windows of a class, by its class name.
QList<QWidget*> VisibleWindows(const char* className);

// Runs `drive` on the modal dialog that the next blocking call opens, once its
// event loop runs (for handlers that show a window with exec()).
void OnNextModal(std::function<void(QWidget*)> drive);

// Runs `action`; `inside` is called with the first modal window it opens, once
// no run is active (nullptr when none opens), and must close it. A modal window still open after
// five seconds is closed, so a failing test cannot hang the run.
void WithModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inside);

// Clicks the middle of a column header of a list on screen, as the user does.
void ClickHeader(QTreeWidget* list, int column);

} // namespace bkl::test
