#pragma once
// Quit ends the program within kQuitBoundMs whatever is going on: it asks every
// run and wait to stop (their statements end through the bounded Stop), closes
// the modal windows from the top down as soon as no run started inside them is
// left, and then ends the program through `end`. Should anything still hold the
// program when the bound passes, it ends there and then: what was saved is on
// disk already (the log is written line by line, profiles replaced whole).
#include <functional>

class QAction;
class QKeySequence;
class QObject;

namespace bkl {

inline constexpr int kQuitBoundMs = 2000;

// `end` leaves the application's event loop (and writes what the program writes
// last). A second Quit while the first goes on does nothing more.
void QuitProgram(std::function<void()> end);

// What happens when the bound passes (default: the process ends at once). Tests
// record it instead; nullptr restores the default.
void SetQuitBoundEnd(std::function<void()> hardEnd);

// Tests: forgets a Quit (its steps stop, nothing more is ended) before the next case.
void ForgetQuitForTesting();

// Lets `action`'s shortcut through while a wait outside runs refuses the user's
// input (see OutsideRunWait.h): Quit's. Its keys then answer in every window,
// the wait's notice included.
void AnswersDuringWaits(QAction* action);
bool AnswersDuringWaits(const QObject* receiver);
// The action, among those, whose shortcut is `keys`; nullptr when none is.
QAction* ActionAnsweringDuringWaits(const QKeySequence& keys);

} // namespace bkl
