#include "platform/db/odbc/SelectOnly.h"

#include "platform/core/Escaping.h"
#include "platform/db/DbError.h"
#include "platform/db/odbc/NulLiterals.h"
#include "platform/db/sqlite/TsqlErrors.h"
#include "platform/db/sqlite/TsqlParser.h"
#include "platform/db/sqlite/TsqlTokenizer.h"

#include <QSet>
#include <memory>
#include <vector>

namespace bkl::db::odbc {

namespace {

// The server's reserved words that the accepted SELECT grammar does not use. The
// server never takes one for an alias: unbracketed, each ends the SELECT and starts
// (or belongs to) another statement.
const QSet<QString>& OtherStatementWords()
{
    static const QSet<QString> words = [] {
        QSet<QString> s;
        for (const char* w :
             {"ADD", "ALTER", "ANY", "AUTHORIZATION", "BACKUP", "BEGIN", "BREAK", "BROWSE", "BULK", "CASCADE",
              "CHECK", "CHECKPOINT", "CLOSE", "CLUSTERED", "COLLATE", "COLUMN", "COMMIT", "COMPUTE", "CONSTRAINT",
              "CONTAINS", "CONTAINSTABLE", "CONTINUE", "CREATE", "CURRENT", "CURRENT_DATE", "CURRENT_TIME",
              "CURRENT_TIMESTAMP", "CURRENT_USER", "CURSOR", "DATABASE", "DBCC", "DEALLOCATE", "DECLARE", "DEFAULT",
              "DELETE", "DENY", "DISK", "DISTRIBUTED", "DOUBLE", "DROP", "DUMP", "ELSE", "END", "ERRLVL", "EXCEPT",
              "EXEC", "EXECUTE", "EXIT", "EXTERNAL", "FETCH", "FILE", "FILLFACTOR", "FOR", "FOREIGN", "FREETEXT",
              "FREETEXTTABLE", "FULL", "FUNCTION", "GOTO", "GRANT", "HOLDLOCK", "IDENTITY", "IDENTITY_INSERT",
              "IDENTITYCOL", "IF", "INDEX", "INSERT", "INTERSECT", "INTO", "KEY", "KILL", "LINENO", "LOAD", "MERGE",
              "NATIONAL", "NOCHECK", "NONCLUSTERED", "OF", "OFF", "OFFSETS", "OPEN", "OPENDATASOURCE", "OPENQUERY",
              "OPENROWSET", "OPENXML", "OPTION", "OVER", "PERCENT", "PIVOT", "PLAN", "PRECISION", "PRIMARY", "PRINT",
              "PROC", "PROCEDURE", "PUBLIC", "RAISERROR", "READ", "READTEXT", "RECONFIGURE", "REFERENCES",
              "REPLICATION", "RESTORE", "RESTRICT", "RETURN", "REVERT", "REVOKE", "ROLLBACK", "ROWCOUNT",
              "ROWGUIDCOL", "RULE", "SAVE", "SCHEMA", "SECURITYAUDIT", "SEMANTICKEYPHRASETABLE",
              "SEMANTICSIMILARITYDETAILSTABLE", "SEMANTICSIMILARITYTABLE", "SESSION_USER", "SET", "SETUSER",
              "SHUTDOWN", "SOME", "STATISTICS", "SYSTEM_USER", "TABLE", "TABLESAMPLE", "TEXTSIZE", "THEN", "TO",
              "TRAN", "TRANSACTION", "TRIGGER", "TRUNCATE", "TRY_CONVERT", "TSEQUAL", "UNIQUE", "UNPIVOT", "UPDATE",
              "UPDATETEXT", "USE", "USER", "VALUES", "VARYING", "VIEW", "WAITFOR", "WHEN", "WHILE", "WITHIN",
              "WRITETEXT"})
            s.insert(QString::fromLatin1(w));
        return s;
    }();
    return words;
}

DbError Refusal(const QString& reason, const QString& sql)
{
    return DbError(err::ProviderError, kDataLayerSource,
                   QStringLiteral("Only single SELECT statements are sent to the server; %1: %2")
                       .arg(reason, sqlite::StatementInMessage(sql)));
}

// The statement's tree and tokens, as the server reads it.
struct Reading {
    std::unique_ptr<sqlite::ast::Query> tree;
    std::vector<sqlite::TokenSpan> tokens;
    int firstComment = -1;
};

// Reads a single SELECT; throws DbError (the parser's reason, as the embedded engine
// gives it, or the refusal naming a word that would start another statement).
Reading ReadSingleSelect(const QString& sql)
{
    Reading r;
    try {
        r.tree = sqlite::ParseTsqlSelect(sql);
        sqlite::LexTsql(sql, r.tokens, &r.firstComment);
    } catch (const DbError& e) {
        throw DbError(e.number(), kDataLayerSource, e.description());
    }
    for (const sqlite::TokenSpan& t : r.tokens) {
        if (t.kind != sqlite::Token::Kind::Word)
            continue;
        const QString word = sql.mid(t.start, t.end - t.start);
        if (OtherStatementWords().contains(word.toUpper()))
            throw Refusal(QStringLiteral("\"%1\" would run another statement").arg(word), sql);
    }
    return r;
}

// Offset of the first control character (IsControlCharacter) that stands outside the
// text literals and [bracketed] names, -1 when there is none.
int FirstControlOutsideLiterals(const QString& sql, const std::vector<sqlite::TokenSpan>& tokens)
{
    const auto firstIn = [&sql](int from, int to) {
        for (int i = from; i < to; ++i)
            if (IsControlCharacter(sql.at(i)))
                return i;
        return -1;
    };
    int from = 0;
    for (const sqlite::TokenSpan& t : tokens) {
        if (t.kind != sqlite::Token::Kind::String && sql.at(t.start) != QLatin1Char('['))
            continue;
        if (const int at = firstIn(from, t.start); at >= 0)
            return at;
        from = t.end;
    }
    return firstIn(from, sql.size());
}

// Reads the statement as the gate does; throws its refusal.
Reading Gate(const QString& sql)
{
    Reading r = ReadSingleSelect(sql);
    if (!NulsOnlyInValueLiterals(sql, *r.tree, r.tokens))
        throw Refusal(QStringLiteral("a NUL character outside a text value would cut the statement short"), sql);
    // Servers and drivers need not read comments and control characters alike (a "/*"
    // inside a "--" comment, a line that ends at VT or U+2028): the program's own
    // statements hold none, so no reading of a statement rests on them. The first one
    // names the reason.
    const int control = FirstControlOutsideLiterals(sql, r.tokens);
    if (r.firstComment >= 0 && (control < 0 || r.firstComment < control))
        throw Refusal(QStringLiteral("a comment could hide another statement"), sql);
    if (control >= 0)
        throw Refusal(QStringLiteral("a control character outside a literal could end a statement"), sql);
    return r;
}

} // namespace

bool IsSingleSelect(const QString& sql)
{
    try {
        ReadSingleSelect(sql);
        return true;
    } catch (const DbError&) {
        return false;
    }
}

void RequireSingleSelect(const QString& sql) { Gate(sql); }

QString StatementForServer(const QString& sql)
{
    const Reading r = Gate(sql);
    return sql.contains(QChar(0)) ? JoinNulsInLiterals(sql, r.tokens) : sql;
}

} // namespace bkl::db::odbc
