#pragma once
// A statement's shape: its text with the literals that may become parameters (texts
// and whole numbers) replaced by a marker of their kind, and those literals' values.
// Statements of one shape differ only in such literals; the engine translates and
// prepares a shape once and binds the values of each statement to it.
#include "platform/db/sqlite/EngineTrace.h"
#include "platform/db/sqlite/TsqlTokenizer.h"

#include <QString>
#include <vector>

namespace bkl::db::sqlite {

class StatementShape {
public:
    // Splits `sql`; false when the statement cannot be shaped (it carries the marker
    // character itself). Throws DbError where the tokenizer does (an unclosed quote).
    bool split(const QString& sql);

    const QString& sql() const { return sql_; }
    // The text with every literal replaced by its marker.
    const QString& skeleton() const { return skeleton_; }
    // Offsets of the literals in the statement, ascending (what the translator takes).
    const std::vector<int>& positions() const { return positions_; }
    // The text with only the literals `parameters` (ordinals) replaced: the key of a
    // translation, as the other literals are part of it.
    QString key(const std::vector<int>& parameters) const;
    // The value of literal `ordinal`, as SQLite would read it from the text.
    BoundValue value(int ordinal) const;

private:
    QString sql_;
    QString skeleton_;
    std::vector<TokenSpan> tokens_;
    std::vector<TokenSpan> literals_;
    std::vector<int> positions_;
    // Appends the text with the literals `parameters` (every literal when nullptr) replaced.
    void build(QString& out, const std::vector<int>* parameters) const;
};

} // namespace bkl::db::sqlite
