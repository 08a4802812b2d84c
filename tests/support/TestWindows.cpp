#include "TestWindows.h"

#include "platform/ui/RunGuard.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
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

void WithModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inside)
{
    bool seen = false;
    // Polls for the first modal window (a run pumps events before it opens one). A
    // window that starts a run of its own as it shows (the audit window reading its
    // lists) turns the loop from inside that run: `inside` waits until the run ends,
    // so that what it waits for is not held up beneath it.
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && !seen && !RunGuard::active()) {
            seen = true;
            reader.stop();
            inside(modal);
        }
    });
    reader.start(5);
    QTimer::singleShot(5000, &reader, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    action();
    reader.stop();
    if (!seen)
        inside(nullptr);
}

void ClickHeader(QTreeWidget* list, int column)
{
    QHeaderView* header = list->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                             header->height() / 2));
}

} // namespace bkl::test
