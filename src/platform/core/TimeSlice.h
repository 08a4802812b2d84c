#pragma once
// Long runs on the one UI thread keep their window alive by letting the event
// loop turn now and then. Turning it after every row costs a relayout and a
// repaint of a whole list per row (a 50,000-row find would take minutes), so a
// run asks its slice instead: once about 20 ms have passed since the last turn,
// the slice puts what the run gathered on screen (rows into a list, progress
// texts) through the run's flush, turns the event loop once, and the run polls
// its stop flag right after.
//
//   TimeSlice slice([&] { list->addTopLevelItems(batch); batch.clear(); });
//   for (...) { batch << row; if (slice.tick() && stopRequested) break; }
//   slice.pumpNow(); // the last batch, always
//
// The loop turns only inside a run (see EventLoopTurn.h); outside one the slice
// only flushes. What a turn dispatches (a click in another window) runs outside the run's stop
// scope: the run's Stop does not end the statements it issues (see ActiveRun.h).
// The flush is the run's own code and stays inside.
#include <QElapsedTimer>
#include <functional>

namespace bkl {

inline constexpr int kPumpSliceMs = 20;

class TimeSlice {
public:
    // A slice of `sliceMs`, or of the process's slice (kPumpSliceMs) when negative.
    explicit TimeSlice(std::function<void()> flush = {}, int sliceMs = -1);

    // Called once per row or object. When the slice has passed: flushes, pumps
    // events, starts a new slice and returns true; otherwise returns false at once.
    bool tick();
    // Flushes and pumps now, whatever the time: at the end of a run, or when the
    // run's own progress text has changed and should be seen.
    void pumpNow();

    // Seams for tests: the clock in milliseconds and the event pump.
    void setClock(std::function<qint64()> nowMs);
    void setPump(std::function<void()> pump);

private:
    std::function<void()> flush_;
    std::function<void()> pump_;
    std::function<qint64()> now_;
    QElapsedTimer timer_;
    qint64 sliceMs_;
    qint64 lastPump_ = 0;

    qint64 now() const;
};

// The process's slice: tests set 0 (a turn after every row, as one row per
// batch) or a very long one (one batch for the whole run); a negative value
// restores kPumpSliceMs.
void SetPumpSliceMsForTesting(int sliceMs);
// The process's slice as it is now.
int PumpSliceMs();

// For a step deep inside a run that has no slice at hand (a comparator between
// two sections, a report builder between two rows): turns the event loop once
// when a slice has passed since this function last turned it, inside a run only.
void PumpWhenDue();

} // namespace bkl
