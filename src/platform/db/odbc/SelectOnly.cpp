#include "platform/db/odbc/SelectOnly.h"

#include "platform/db/DbError.h"
#include "platform/db/sqlite/TsqlParser.h"
#include "platform/db/sqlite/TsqlTokenizer.h"

#include <QSet>
#include <optional>

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

// Why the statement is not one SELECT, or nullopt when it is.
std::optional<DbError> Refusal(const QString& sql)
{
    // The tokenizer reads comments as the server does: "--" ends at CR as well as at LF,
    // and a "/*" inside a block comment needs its own "*/".
    const QString& text = sql;
    try {
        sqlite::ParseTsqlSelect(text);
        for (const sqlite::Token& t : sqlite::TokenizeTsql(text))
            if (t.kind == sqlite::Token::Kind::Word && OtherStatementWords().contains(t.text.toUpper()))
                return DbError(err::ProviderError, kDataLayerSource,
                               QStringLiteral("Only single SELECT statements are sent to the server; \"%1\" would "
                                              "run another statement: %2").arg(t.text, sql.simplified().left(300)));
        return std::nullopt;
    } catch (const DbError& e) {
        // The parser's own reason, as the embedded engine gives it.
        return DbError(e.number(), kDataLayerSource, e.description());
    }
}

} // namespace

bool IsSingleSelect(const QString& sql) { return !Refusal(sql); }

void RequireSingleSelect(const QString& sql)
{
    if (std::optional<DbError> refusal = Refusal(sql))
        throw *refusal;
}

} // namespace bkl::db::odbc
