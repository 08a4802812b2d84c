#include "shell/ui/LastWindowQuit.h"

#include "platform/core/ActiveRun.h"
#include "platform/core/TimeSlice.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace bkl {
namespace {

class LastWindowWatcher final : public QObject {
public:
    LastWindowWatcher(QObject* parent, std::function<void()> onNoWindowLeft)
        : QObject(parent), onNoWindowLeft_(std::move(onNoWindowLeft))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Close) {
            auto* w = qobject_cast<QWidget*>(watched);
            if (w && w->isWindow())
                checkSoon();
        }
        return false;
    }

private:
    // A wait that turns the loop meanwhile (a statement for a window not shown yet,
    // after the login closed) is not the end: the check comes again after it.
    void checkSoon(int delayMs = 0)
    {
        QTimer::singleShot(delayMs, this, [this] {
            if (RunActive())
                return checkSoon(kPumpSliceMs);
            if (!AnyWindowOpen())
                onNoWindowLeft_();
        });
    }

    std::function<void()> onNoWindowLeft_;
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

void DeleteAllWindows()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    const QList<QPointer<QWidget>> guarded(windows.begin(), windows.end());
    for (const QPointer<QWidget>& window : guarded)
        delete window.data(); // a window already deleted with its parent is null here
}

QObject* WatchForLastWindow(QObject* parent, std::function<void()> onNoWindowLeft)
{
    return new LastWindowWatcher(parent, std::move(onNoWindowLeft));
}

void QuitWhenLastWindowCloses(QApplication& app)
{
    app.setQuitOnLastWindowClosed(false);
    WatchForLastWindow(&app, [] { QCoreApplication::quit(); });
}

} // namespace bkl
