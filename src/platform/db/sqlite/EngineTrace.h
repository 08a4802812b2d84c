#pragma once
// Bench seam of the embedded engine: when an observer is set, every statement the
// engine runs is reported as SQLite prepared it, with the values bound to its
// parameters and whether its translation came from the engine's cache. The engine
// benchmark replays these straight into SQLite to measure the engine's floor.
#include <QByteArray>
#include <QString>
#include <functional>
#include <variant>
#include <vector>

namespace bkl::db::sqlite {

using BoundValue = std::variant<qint64, QByteArray>; // an integer, or a UTF-8 text

struct EngineExecution {
    QString database;              // the catalog the connection opened
    QByteArray sql;                // the SQLite statement text (UTF-8)
    std::vector<BoundValue> values; // bound to ?1, ?2, ... in order
    bool translationCached = false;
};

using EngineObserver = std::function<void(const EngineExecution&)>;
void SetEngineObserver(EngineObserver observer); // empty: none
const EngineObserver& CurrentEngineObserver();

} // namespace bkl::db::sqlite
