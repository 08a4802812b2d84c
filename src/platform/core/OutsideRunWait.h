#pragma once
// A wait that is not part of a run (a statement for a window being built, the
// model summary read again, a list of models read for a login) becomes a run
// while it lasts, with the run guard up, so nothing can close or replace what it
// returns to. Unlike a run's own turns it dispatches no user input to the
// windows: a click or key meanwhile is refused with a beep, never queued to be
// replayed once the wait is over, since the code waiting was not written to be
// entered again. Quit's shortcut still answers (see AnswersDuringWaits), and once
// the wait has lasted kWaitNoticeMs a small window says what it waits for and
// offers Stop, which sets the wait's stop flag: the statement then ends through
// the same bounded path as a run's Stop.
//
// A Stop there holds for the rest of what the code outside runs is doing (the
// other counts of a model summary, the other lists of a window being built): its
// statements end at once, unsent, until the application's loop is reached again
// with no run active. So one Stop ends the whole wait the user sees, not one
// statement of it.
//
// The window layer installs how input is refused and how the notice looks
// (SetOutsideRunWaitUi); without it (the engine alone, in a tool) the wait only
// turns the loop.
#include <QObject>
#include <QTimer>
#include <QString>
#include <functional>
#include <memory>

namespace bkl {

inline constexpr int kWaitNoticeMs = 1000;

struct OutsideRunWaitUi {
    // Called when the first outside-run wait starts and when the last one ends.
    std::function<void()> refuseInput;
    std::function<void()> restoreInput;
    // A window showing `text`; its Stop (or its close) calls `stop`, when given.
    std::function<std::unique_ptr<QObject>(const QString& text, std::function<void()> stop)> notice;
};
void SetOutsideRunWaitUi(OutsideRunWaitUi ui);

// True from a Stop of a wait outside runs until the code that waited has returned
// to the application's loop.
bool OutsideRunStopPending();
// Tests start each case with no such Stop pending.
void ForgetOutsideRunStopForTesting();

class OutsideRunWait {
public:
    // `what` names what is waited for ("<server> (<model>)"); `stoppable` offers Stop.
    OutsideRunWait(QString what, bool stoppable);
    ~OutsideRunWait();
    OutsideRunWait(const OutsideRunWait&) = delete;
    OutsideRunWait& operator=(const OutsideRunWait&) = delete;

    // Turns the event loop once. (The notice comes from a timer, so it also shows
    // while a statement of the wait turns the loop on a run's slice.)
    void turn();

    // The notice's text: "Waiting for <what>...".
    static QString noticeText(const QString& what);

private:
    QString what_;
    bool stoppable_;
    const bool* outerStopFlag_ = nullptr;
    QTimer noticeDue_;
    std::unique_ptr<QObject> notice_;
};

} // namespace bkl
