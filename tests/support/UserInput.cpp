#include "support/UserInput.h"

#include <QKeySequence>
#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace bkl::test {
namespace {

QWindow* WindowOf(QWidget* widget)
{
    QWidget* top = widget->window();
    return top->windowHandle();
}

} // namespace

void QueueClick(QWidget* widget)
{
    QWindow* window = WindowOf(widget);
    const QPointF local = widget->mapTo(widget->window(), widget->rect().center());
    const QPointF global = widget->mapToGlobal(widget->rect().center());
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
}

void QueueKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWindow* window = WindowOf(widget);
    const QString text = modifiers & Qt::ControlModifier ? QString() : QKeySequence(key).toString().toLower();
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(window, QEvent::KeyPress, key,
                                                                                        modifiers, text);
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(window, QEvent::KeyRelease, key,
                                                                                        modifiers, text);
}

void QueueClose(QWidget* window)
{
    QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(WindowOf(window));
}

} // namespace bkl::test
