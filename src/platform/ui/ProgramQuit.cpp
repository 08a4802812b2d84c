#include "platform/ui/ProgramQuit.h"

#include "platform/core/ActiveRun.h"
#include "platform/ui/ModalWindows.h"
#include "platform/ui/RunGuard.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace bkl {
namespace {

constexpr int kStepMs = 5;

QPointer<QTimer> g_driver; // the steps of the Quit under way

std::function<void()>& BoundEnd()
{
    static std::function<void()> hardEnd;
    return hardEnd;
}

// One step of the quit: true once the program has been ended.
bool QuitStep(const std::function<void()>& end)
{
    if (const ModalWindow* top = TopModalWindow()) {
        // A run started from inside the window is still unwinding: the window stays until it has.
        if (RunDepth() <= top->runDepth && top->dialog)
            top->dialog->reject();
        return false;
    }
    if (RunActive())
        return false;
    end();
    return true;
}

} // namespace

void SetQuitBoundEnd(std::function<void()> hardEnd) { BoundEnd() = std::move(hardEnd); }

void QuitProgram(std::function<void()> end)
{
    if (QuitRequested())
        return;
    RequestQuitStop();
    RunGuard::stopAll();
    if (QuitStep(end))
        return;
    auto* driver = new QTimer(QCoreApplication::instance());
    g_driver = driver;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(driver, &QTimer::timeout, driver, [driver, clock, end] {
        if (clock->elapsed() >= kQuitBoundMs) {
            driver->stop();
            driver->deleteLater();
            end();
            if (BoundEnd())
                BoundEnd()();
            else
                std::_Exit(0);
            return;
        }
        if (QuitStep(end)) {
            driver->stop();
            driver->deleteLater();
        }
    });
    driver->start(kStepMs);
}

void ForgetQuitForTesting()
{
    delete g_driver.data();
    ResetQuitForTesting();
}

static std::vector<QPointer<QAction>>& Answering()
{
    static std::vector<QPointer<QAction>> actions;
    return actions;
}

void AnswersDuringWaits(QAction* action)
{
    std::erase_if(Answering(), [](const QPointer<QAction>& a) { return a.isNull(); });
    Answering().emplace_back(action);
}

QAction* ActionAnsweringDuringWaits(const QKeySequence& keys)
{
    for (const QPointer<QAction>& action : Answering())
        if (action && action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == keys)
            return action;
    return nullptr;
}

bool AnswersDuringWaits(const QObject* receiver)
{
    return receiver && std::any_of(Answering().begin(), Answering().end(),
                                   [receiver](const QPointer<QAction>& a) { return a.data() == receiver; });
}

} // namespace bkl
