// The one way the program turns the event loop: a wait is a run while it waits,
// keeps the stop of the run it is part of, and nothing else in the program turns
// the loop.
#include "platform/core/ActiveRun.h"
#include "platform/core/EventLoopTurn.h"
#include "platform/ui/RunGuard.h"
#include "support/SourceScan.h"

#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

TEST(EventLoopTurn, AWaitIsARunThatKeepsTheStopOfTheRunItIsPartOf)
{
    // Outside a run: the wait raises the guard while it turns the loop, and drops it after.
    QList<bool> guarded;
    int turns = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        guarded << bkl::RunGuard::active();
        ++turns;
    });
    tick.start(0);
    bkl::WaitUntil([&] { return turns >= 3; }, false);
    EXPECT_EQ(guarded, QList<bool>({true, true, true}));
    EXPECT_FALSE(bkl::RunGuard::active());

    // Inside a run: the run's code waiting sees the run's Stop; what the turns dispatch does not.
    bkl::RunGuard run({}, false);
    bool stop = true;
    run.watchStop(stop);
    QList<bool> dispatchedSaw;
    QList<bool> waiterSaw;
    turns = 0;
    QObject::disconnect(&tick, nullptr, nullptr, nullptr);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        dispatchedSaw << bkl::RunStopRequested();
        ++turns;
    });
    bkl::WaitUntil([&] {
        waiterSaw << bkl::RunStopRequested();
        return turns >= 2;
    }, false);
    EXPECT_EQ(dispatchedSaw, QList<bool>({false, false}));
    EXPECT_FALSE(waiterSaw.contains(false));
}

TEST(EventLoopTurn, NothingElseInTheProgramTurnsTheLoop)
{
    // A nested loop or a processEvents of its own would dispatch clicks with no run
    // guarding the window the code returns to: every turn goes through EventLoopTurn.
    // (The top-level modal dialogs' exec is the one other loop.)
    const QRegularExpression nestedLoop(QStringLiteral(R"(QEventLoop\s+\w+\s*[;({])"));
    const QRegularExpression anyTurn(nestedLoop.pattern() + QStringLiteral(R"(|processEvents\()"));
    const QStringList found = bkl::test::SourceLinesMatching(anyTurn, {QStringLiteral("/EventLoopTurn.cpp")});
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}
