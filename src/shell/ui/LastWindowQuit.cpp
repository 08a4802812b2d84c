#include "shell/ui/LastWindowQuit.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace bkl {
namespace {

class LastWindowWatcher final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Close) {
            auto* w = qobject_cast<QWidget*>(watched);
            if (w && w->isWindow())
                QTimer::singleShot(0, this, [] {
                    if (!AnyWindowOpen())
                        QCoreApplication::quit();
                });
        }
        return false;
    }
};

} // namespace

bool AnyWindowOpen()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = w->windowType();
        if (w->isVisible() && type != Qt::ToolTip && type != Qt::Popup)
            return true;
    }
    return false;
}

void QuitWhenLastWindowCloses(QApplication& app)
{
    app.setQuitOnLastWindowClosed(false);
    app.installEventFilter(new LastWindowWatcher(&app));
}

} // namespace bkl
