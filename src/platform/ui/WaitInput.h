#pragma once
// The window side of a wait outside runs (OutsideRunWait.h): the user's clicks and
// keys refused with a beep while it lasts (only the notice's Stop and Quit's
// shortcut answer), and the notice that says what the program waits for.
#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace bkl {

// Installs both for every wait outside runs, and Quit's keys for every window
// (AnswersDuringWaits, ProgramQuit.h); called once at start-up.
void InstallOutsideRunWaitUi();

// "Waiting for <server> (<model>)..." with Stop: shown, not modal, over the other
// windows; its Stop and its close both stop the wait (neither when it cannot be
// stopped).
class WaitNotice : public QWidget {
    Q_OBJECT
public:
    WaitNotice(const QString& text, std::function<void()> stop);

    QLabel* lblWaiting = nullptr;
    QPushButton* cmdStop = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::function<void()> stop_;
};

} // namespace bkl
