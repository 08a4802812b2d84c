#pragma once
// A statement run inside a run whose Stop the user presses a given time after the
// statement starts (seen at the first turn of the event loop after that time).
#include "platform/db/Connection.h"

#include <QString>

namespace bkl::test {

struct StopOutcome {
    bool stopped = false;     // it ended as StatementStopped
    qint64 pressToEndMs = -1; // from the press to its end; -1 when it ended before the press
    QString error;            // the description of a DbError it ended with
    size_t rows = 0;          // the rows it returned when it ran to its end
};

StopOutcome StopAfter(const db::Connection& cn, const QString& statement, int pressAtMs);

} // namespace bkl::test
