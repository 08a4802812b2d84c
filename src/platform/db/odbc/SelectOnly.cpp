#include "platform/db/odbc/SelectOnly.h"

#include "platform/db/DbError.h"

#include <QSet>

namespace bkl::db::odbc {

namespace {

// Keywords that write, define or run other code; none belongs in a read.
const QSet<QString>& ForbiddenWords()
{
    static const QSet<QString> words{
        QStringLiteral("INSERT"),     QStringLiteral("UPDATE"),      QStringLiteral("DELETE"),
        QStringLiteral("MERGE"),      QStringLiteral("INTO"),        QStringLiteral("DROP"),
        QStringLiteral("ALTER"),      QStringLiteral("CREATE"),      QStringLiteral("TRUNCATE"),
        QStringLiteral("EXEC"),       QStringLiteral("EXECUTE"),     QStringLiteral("GRANT"),
        QStringLiteral("REVOKE"),     QStringLiteral("DENY"),        QStringLiteral("BACKUP"),
        QStringLiteral("RESTORE"),    QStringLiteral("DBCC"),        QStringLiteral("SHUTDOWN"),
        QStringLiteral("KILL"),       QStringLiteral("BULK"),        QStringLiteral("OPENROWSET"),
        QStringLiteral("OPENQUERY"),  QStringLiteral("OPENDATASOURCE"), QStringLiteral("WRITETEXT"),
        QStringLiteral("UPDATETEXT"), QStringLiteral("RECONFIGURE"),
    };
    return words;
}

bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#')
        || c == QLatin1Char('$');
}

// Skips a quoted run that starts at i (the opening character) and ends with
// `close`, a doubled `close` standing for one. Returns false when it is not closed.
bool SkipQuoted(const QString& s, qsizetype& i, QChar close)
{
    for (++i; i < s.size(); ++i) {
        if (s.at(i) != close)
            continue;
        if (i + 1 < s.size() && s.at(i + 1) == close) {
            ++i;
            continue;
        }
        ++i;
        return true;
    }
    return false;
}

// Skips a block comment starting at i ("/*"); block comments nest. False when not closed.
bool SkipBlockComment(const QString& s, qsizetype& i)
{
    int depth = 0;
    while (i < s.size()) {
        if (s.mid(i, 2) == QLatin1String("/*")) {
            ++depth;
            i += 2;
        } else if (s.mid(i, 2) == QLatin1String("*/")) {
            i += 2;
            if (--depth == 0)
                return true;
        } else {
            ++i;
        }
    }
    return false;
}

} // namespace

bool IsSingleSelect(const QString& sql)
{
    bool sawSelect = false;
    bool ended = false; // a ";" closed the statement: only blanks and comments may follow
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (sql.mid(i, 2) == QLatin1String("--")) {
            while (i < sql.size() && sql.at(i) != QLatin1Char('\n'))
                ++i;
        } else if (sql.mid(i, 2) == QLatin1String("/*")) {
            if (!SkipBlockComment(sql, i))
                return false;
        } else if (ended) {
            if (c != QLatin1Char(';'))
                return false;
            ++i;
        } else if (c == QLatin1Char(';')) {
            ended = true;
            ++i;
        } else if (!sawSelect && c == QLatin1Char('(')) {
            ++i;
        } else if (IsWordChar(c)) {
            const qsizetype start = i;
            while (i < sql.size() && IsWordChar(sql.at(i)))
                ++i;
            const QString word = sql.mid(start, i - start).toUpper();
            if (!sawSelect) {
                if (word != QLatin1String("SELECT"))
                    return false;
                sawSelect = true;
            } else if (ForbiddenWords().contains(word)) {
                return false;
            }
        } else if (!sawSelect) {
            return false;
        } else if (c == QLatin1Char('\'')) {
            if (!SkipQuoted(sql, i, QLatin1Char('\'')))
                return false;
        } else if (c == QLatin1Char('"')) {
            if (!SkipQuoted(sql, i, QLatin1Char('"')))
                return false;
        } else if (c == QLatin1Char('[')) {
            if (!SkipQuoted(sql, i, QLatin1Char(']')))
                return false;
        } else {
            ++i;
        }
    }
    return sawSelect;
}

void RequireSingleSelect(const QString& sql)
{
    if (!IsSingleSelect(sql))
        throw DbError(err::ProviderError, kDataLayerSource,
                      QStringLiteral("Only single SELECT statements are sent to the server; this statement "
                                     "was refused: %1").arg(sql.left(200)));
}

} // namespace bkl::db::odbc
