#pragma once
// The user actions the UI benchmark times, each on the real windows of a frame
// opened on the model, with the message boxes and dialogs answered by the
// scripted seams.
#include "Probe.h"

#include "../BenchApplication.h"

#include <QString>
#include <functional>
#include <vector>

class frmBKLMain;
class frmMDIBKLMain;
namespace bkl {
class SeamGuard;
}

namespace bench {

struct Goal {
    double wallMs = -1; // -1: no goal on that column
    double gapMs = -1;
    double rssMb = -1;
};

struct Context {
    QString server;
    QString database;
    QString target;
    int serverDelayMs = 5; // the "SQL Server at 5 ms" lines' one-way wait of each reply
    frmMDIBKLMain* frame = nullptr;
    frmBKLMain* objects = nullptr;
    bkl::SeamGuard* seams = nullptr;
    Probe* probe = nullptr;
    // Called at every turn of the event loop while the probe runs (e.g. to press Stop).
    std::function<void()> onTurn;
    // What the run has produced so far, shown when the time limit cuts it off.
    std::function<QString()> progress;
};

struct Outcome {
    Measure measure;
    QString note;         // what the run produced, e.g. "55416 rows"
    bool cutOff = false;  // the time limit ended the run
    int replays = -1;     // user input delivered after a wait that should have refused it (-1: not counted)
    double noticeMs = -1; // when the wait's notice came on screen (-1: none)
};

struct Scenario {
    const char* id;
    const char* title;
    Goal goal;
    // Sets up what the user would have before the timed action (not timed), then times it.
    Outcome (*run)(Context& context);
    // Tries of something the user ends (--tries of them): the line shows the median and
    // the worst wall time, from the user's press to the end, and the replays; the
    // goal's wall applies to the worst.
    bool tries = false;
};

const std::vector<Scenario>& Scenarios();

// Prints the result line of one run to the benchmark's parent process (and flushes).
void PrintResult(const Outcome& o);


} // namespace bench
