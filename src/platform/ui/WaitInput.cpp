#include "platform/ui/WaitInput.h"

#include "platform/core/OutsideRunWait.h"
#include "platform/ui/ProgramQuit.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

namespace bkl {
namespace {

// The notice on screen, if any: the one window that takes input during the wait.
// Held as a widget: its window's close, sent from QWidget's destructor, passes the
// filter below when it is no longer a WaitNotice.
QPointer<QWidget> g_notice;

bool InNotice(QObject* target)
{
    if (!g_notice)
        return false;
    if (auto* widget = qobject_cast<QWidget*>(target))
        return widget->window() == g_notice;
    if (auto* window = qobject_cast<QWindow*>(target))
        return window == g_notice->windowHandle();
    return false;
}

// Refuses the user's input to every window but the notice. A press (of a button or
// a key) beeps once; what belongs to it (the release, a repeat) goes silently. A
// close from the window system leaves the window open. Nothing is kept to be
// delivered later.
class InputRefusal final : public QObject {
protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            // Quit's keys go on to AnsweringKeys, which answers them in any window.
            if (ActionAnsweringDuringWaits(QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination())))
                return false;
            [[fallthrough]];
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (InNotice(target))
                return false;
            beepOnce(event);
            return true;
        case QEvent::MouseButtonRelease:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            return !InNotice(target);
        case QEvent::Shortcut:
            // Quit's, and the notice's own (its Stop's Alt+S).
            if (AnswersDuringWaits(target) || InNotice(target))
                return false;
            beepOnce(event);
            return true;
        case QEvent::Close:
            if (!event->spontaneous() || InNotice(target))
                return false;
            event->ignore();
            beepOnce(event);
            return true;
        default:
            return false;
        }
    }

private:
    void beepOnce(QEvent* event)
    {
        // A press reaches the window and then its widget, as two events of one time: one beep.
        if (event->isInputEvent()) {
            const quint64 time = static_cast<QInputEvent*>(event)->timestamp();
            if (time != 0 && time == lastPress_)
                return;
            lastPress_ = time;
        }
        QApplication::beep();
    }
    quint64 lastPress_ = 0;
};

QPointer<InputRefusal> g_refusal;

// Quit's keys answer in every window of the program, not only in the frame whose
// menu holds Quit: over a window opened modal, in a box, in the wait's notice.
// (In the frame its own shortcut takes the keys before any window sees them.)
class AnsweringKeys final : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        QAction* action = ActionAnsweringDuringWaits(QKeySequence(key->keyCombination()));
        if (!action)
            return false;
        if (!key->isAutoRepeat())
            action->trigger();
        return true;
    }
};

// Owns the notice for its wait; a notice that went with the window it belongs to is
// not deleted twice.
class NoticeOwner final : public QObject {
public:
    explicit NoticeOwner(WaitNotice* notice) : notice_(notice) {}
    ~NoticeOwner() override { delete notice_.data(); }

private:
    QPointer<WaitNotice> notice_;
};

} // namespace

// Over a window opened modal (a login listing its models) the notice is that
// window's: a window of its own would be blocked by it, its Stop out of reach.
WaitNotice::WaitNotice(const QString& text, std::function<void()> stop)
    : QWidget(QApplication::activeModalWidget(),
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      stop_(std::move(stop))
{
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QCoreApplication::applicationName());
    lblWaiting = new QLabel(text, this);
    lblWaiting->setTextFormat(Qt::PlainText);
    cmdStop = new QPushButton(QStringLiteral("&Stop"), this);
    cmdStop->setEnabled(static_cast<bool>(stop_));
    connect(cmdStop, &QPushButton::clicked, this, [this] {
        cmdStop->setEnabled(false);
        if (stop_)
            stop_();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdStop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWaiting);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

void WaitNotice::closeEvent(QCloseEvent* event)
{
    // The notice goes when its wait ends; closing it asks for that, as Stop does.
    event->ignore();
    if (cmdStop->isEnabled())
        cmdStop->click();
}

void InstallOutsideRunWaitUi()
{
    static QPointer<AnsweringKeys> keys;
    if (!keys) {
        keys = new AnsweringKeys;
        keys->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(keys);
    }
    OutsideRunWaitUi ui;
    ui.refuseInput = [] {
        if (!g_refusal) {
            g_refusal = new InputRefusal;
            g_refusal->setParent(QCoreApplication::instance());
        }
        QCoreApplication::instance()->installEventFilter(g_refusal);
    };
    ui.restoreInput = [] {
        if (g_refusal)
            QCoreApplication::instance()->removeEventFilter(g_refusal);
    };
    ui.notice = [](const QString& text, std::function<void()> stop) -> std::unique_ptr<QObject> {
        auto* notice = new WaitNotice(text, std::move(stop));
        g_notice = notice;
        notice->show();
        notice->raise();
        notice->activateWindow();
        return std::make_unique<NoticeOwner>(notice);
    };
    SetOutsideRunWaitUi(std::move(ui));
}

} // namespace bkl
