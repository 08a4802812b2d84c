#pragma once
// The raw floor of a run: the SQLite statements the embedded engine prepared during
// the run, captured with their bound values, replayed straight into SQLite on fresh
// connections with one prepared statement per shape (bind, step, read every column,
// reset). Whatever the program spends beyond this is the engine's and the program's
// own cost; the same statements run through the data layer (as T-SQL, every field
// read) tell the two apart.
#include "BenchClock.h"
#include "platform/db/Connection.h"
#include "platform/db/sqlite/EngineTrace.h"

#include <QHash>
#include <QString>
#include <functional>
#include <vector>

namespace bench {

class RawFloor {
public:
    // Captures what the engine runs until stop() (the data layer's and the engine's
    // observers are set meanwhile; `alsoObserve` gets every statement too).
    void start(std::function<void(const QString&)> alsoObserve = {});
    void stop();

    int statements() const { return static_cast<int>(runs_.size()); }
    int shapes() const { return static_cast<int>(shapes_.size()); }
    int translationCacheHits() const { return hits_; }

    // Replays the captured statements on new read-only connections to the server's
    // files; the time runs from the first statement (the connections, with the engine's
    // functions and catalog, are opened before).
    Timing replay(const QString& serverFolder) const;
    // Runs the captured T-SQL statements through the data layer, on the connections
    // `open` gives for each database (opened before the clock runs).
    Timing replayThroughDataLayer(const std::function<bkl::db::Connection(const QString& database)>& open) const;

private:
    struct Run {
        int shape;
        int database;
        std::vector<bkl::db::sqlite::BoundValue> values;
        QString tsql;
    };
    QString pending_; // the statement the data layer is about to run
    QStringList databases_;
    QHash<QByteArray, int> shapeIndex_;
    std::vector<QByteArray> shapes_;
    std::vector<Run> runs_;
    int hits_ = 0;

    void capture(const bkl::db::sqlite::EngineExecution& e);
};

} // namespace bench
