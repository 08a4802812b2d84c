#pragma once
// The prepared statements of one connection, by statement shape: at most a fixed
// number, the least recently used dropped first. A statement that a reader still
// steps stays alive (shared) after it is dropped, and is finalized when the reader
// lets go of it.
#include "platform/db/sqlite/SqliteValue.h"

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <list>
#include <memory>
#include <vector>

struct sqlite3_stmt;

namespace bkl::db::sqlite {

struct PreparedStatement {
    sqlite3_stmt* st = nullptr;
    QByteArray sql;                    // as prepared (UTF-8)
    std::vector<int> parameters;       // ordinals of the statement's literals bound (as ?ordinal+1)
    QStringList columns;
    std::vector<DeclaredType> declared;
    bool inUse = false;                // bound and being stepped
    ~PreparedStatement();
};

class ShapeCache {
public:
    explicit ShapeCache(size_t capacity) : capacity_(capacity) {}

    // The statement kept under `key`, now the most recently used; nullptr when none.
    std::shared_ptr<PreparedStatement> find(const QString& key);
    void insert(const QString& key, std::shared_ptr<PreparedStatement> statement);
    size_t size() const { return order_.size(); }
    void clear();

    // Which literals (ordinals, ascending) of a statement skeleton are parameters.
    const std::vector<int>* parametersOf(const QString& skeleton) const;
    void setParametersOf(const QString& skeleton, std::vector<int> ordinals);

private:
    using Entry = std::pair<QString, std::shared_ptr<PreparedStatement>>;
    size_t capacity_;
    std::list<Entry> order_; // most recently used first
    QHash<QString, std::list<Entry>::iterator> byKey_;
    QHash<QString, std::vector<int>> parametersBySkeleton_;
};

} // namespace bkl::db::sqlite
