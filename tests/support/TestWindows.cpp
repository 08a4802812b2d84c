#include "TestWindows.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace bkl::test {

void CloseAllWindows()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        w->close();
        w->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QList<QWidget*> VisibleWindows(const char* className)
{
    QList<QWidget*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->inherits(className))
            found << w;
    return found;
}

void OnNextModal(std::function<void(QWidget*)> drive)
{
    QTimer::singleShot(0, [drive] { drive(QApplication::activeModalWidget()); });
}

} // namespace bkl::test
