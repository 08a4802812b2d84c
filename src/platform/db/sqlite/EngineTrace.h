#pragma once
// Bench and test seams of the embedded engine. When an observer is set, every
// statement the engine runs is reported as SQLite prepared it, with the values bound
// to its parameters and whether its translation came from the engine's cache (the
// engine benchmark replays these straight into SQLite to measure the engine's floor).
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
    std::vector<BoundValue> values; // bound to ?1, ?2, ... in order (numbers the text leaves out get 0)
    bool translationCached = false;
};

using EngineObserver = std::function<void(const EngineExecution&)>;
void SetEngineObserver(EngineObserver observer); // empty: none
const EngineObserver& CurrentEngineObserver();

// Connections opened while this is false translate and prepare every statement anew,
// literals in the text (tests compare that path with the statement shapes).
void SetStatementShapesEnabled(bool enabled); // default true
bool StatementShapesEnabled();

} // namespace bkl::db::sqlite
