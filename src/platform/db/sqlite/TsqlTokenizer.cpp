#include "platform/db/sqlite/TsqlTokenizer.h"

#include "platform/core/Escaping.h"
#include "platform/db/sqlite/TsqlErrors.h"

#include <cstring>

namespace bkl::db::sqlite {

QString StatementInMessage(const QString& sql) { return VisibleText(sql).simplified().left(300); }

void ThrowTranslateError(long number, const QString& reason, const QString& sql, int position)
{
    const QString near = VisibleText(sql.mid(qMax(0, position), 40)).simplified();
    QString text = VisibleText(reason);
    if (!near.isEmpty())
        text += QStringLiteral(" (near \"%1\")").arg(near);
    text += QStringLiteral(" in statement: %1").arg(StatementInMessage(sql));
    throw DbError(number, QString::fromLatin1(kEngineSource), text);
}

namespace {

// Statements are nearly all ASCII: those characters are classified without the
// Unicode tables (the same answers).
inline bool isAsciiLetter(char16_t u) { return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z'); }
inline bool isSpace(QChar c)
{
    const char16_t u = c.unicode();
    return u < 128 ? u == ' ' || (u >= '\t' && u <= '\r') : c.isSpace();
}
inline bool isDigit(QChar c)
{
    const char16_t u = c.unicode();
    return u < 128 ? u >= '0' && u <= '9' : c.isDigit();
}
inline bool isWordStart(QChar c)
{
    const char16_t u = c.unicode();
    return u < 128 ? isAsciiLetter(u) || u == '_' || u == '@' || u == '#' : c.isLetter();
}
inline bool isWordChar(QChar c)
{
    const char16_t u = c.unicode();
    return u < 128 ? isAsciiLetter(u) || (u >= '0' && u <= '9') || u == '_' || u == '@' || u == '#' || u == '$'
                   : c.isLetterOrNumber();
}

// Finds the end of a literal or name opened at `i` and closed by `close`, where a
// doubled `close` stands for one; returns the offset just past it.
int skipQuoted(const QString& sql, int i, QChar close, long errNumber, const char* what)
{
    const int start = i;
    ++i;
    while (i < sql.size()) {
        const int at = static_cast<int>(sql.indexOf(close, i));
        if (at < 0)
            break;
        if (at + 1 < sql.size() && sql.at(at + 1) == close) {
            i = at + 2;
            continue;
        }
        return at + 1;
    }
    ThrowTranslateError(errNumber, QString::fromLatin1(what), sql, start);
}

// Finds the end of the block comment opened at `start` and returns the offset just
// past it. Block comments nest as the server reads them: each "/*" inside a comment
// opens a level that needs its own "*/", so text that looks closed can still be inside
// the comment (and the other way round). Quotes and "--" mean nothing inside.
int skipBlockComment(const QString& sql, int start)
{
    const int n = sql.size();
    int depth = 0;
    int i = start;
    while (i + 1 < n) {
        const char16_t a = sql.at(i).unicode();
        const char16_t b = sql.at(i + 1).unicode();
        if (a == '/' && b == '*') {
            ++depth;
            i += 2;
        } else if (a == '*' && b == '/') {
            i += 2;
            if (--depth == 0)
                return i;
        } else {
            ++i;
        }
    }
    ThrowTranslateError(engine_err::Syntax, QStringLiteral("Missing end comment mark '*/'"), sql, start);
}

// The contents between the quotes of a span, a doubled closing character read as one.
QString unquoted(const QString& sql, const TokenSpan& span)
{
    const int open = span.start + (span.national ? 1 : 0);
    const QChar close = sql.at(span.end - 1);
    QString out = sql.mid(open + 1, span.end - open - 2);
    if (out.contains(close))
        out.replace(QString(2, close), QString(close));
    return out;
}

} // namespace

void LexTsql(const QString& sql, std::vector<TokenSpan>& out, int* firstComment)
{
    out.clear();
    int comment = -1;
    int i = 0;
    const int n = sql.size();
    while (i < n) {
        const QChar c = sql.at(i);
        if (isSpace(c)) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            // The comment ends at the line's end: LF, CR or CR LF, as the server reads it.
            if (comment < 0)
                comment = i;
            while (i < n && sql.at(i) != QLatin1Char('\n') && sql.at(i) != QLatin1Char('\r'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            if (comment < 0)
                comment = i;
            i = skipBlockComment(sql, i);
            continue;
        }
        TokenSpan t;
        t.start = i;
        if ((c == QLatin1Char('N') || c == QLatin1Char('n')) && i + 1 < n && sql.at(i + 1) == QLatin1Char('\'')) {
            t.kind = Token::Kind::String;
            t.national = true;
            i = skipQuoted(sql, i + 1, QLatin1Char('\''), engine_err::UnclosedQuote,
                           "Unclosed quotation mark after the character string");
        } else if (c == QLatin1Char('\'')) {
            t.kind = Token::Kind::String;
            i = skipQuoted(sql, i, QLatin1Char('\''), engine_err::UnclosedQuote,
                           "Unclosed quotation mark after the character string");
        } else if (c == QLatin1Char('[')) {
            t.kind = Token::Kind::QuotedName;
            i = skipQuoted(sql, i, QLatin1Char(']'), engine_err::Syntax, "Unclosed bracket in a [name]");
        } else if (c == QLatin1Char('"')) {
            t.kind = Token::Kind::QuotedName;
            i = skipQuoted(sql, i, QLatin1Char('"'), engine_err::Syntax, "Unclosed quoted name");
        } else if (isDigit(c) || (c == QLatin1Char('.') && i + 1 < n && isDigit(sql.at(i + 1)))) {
            t.kind = Token::Kind::Number;
            while (i < n && isDigit(sql.at(i)))
                ++i;
            if (i < n && sql.at(i) == QLatin1Char('.')) {
                ++i;
                while (i < n && isDigit(sql.at(i)))
                    ++i;
            }
            if (i < n && (sql.at(i) == QLatin1Char('e') || sql.at(i) == QLatin1Char('E'))) {
                int j = i + 1;
                if (j < n && (sql.at(j) == QLatin1Char('+') || sql.at(j) == QLatin1Char('-')))
                    ++j;
                if (j < n && isDigit(sql.at(j))) {
                    i = j;
                    while (i < n && isDigit(sql.at(i)))
                        ++i;
                }
            }
            if (i < n && isWordChar(sql.at(i)))
                ThrowTranslateError(engine_err::Syntax, QStringLiteral("Incorrect syntax in a number"), sql, t.start);
        } else if (isWordStart(c)) {
            t.kind = Token::Kind::Word;
            while (i < n && isWordChar(sql.at(i)))
                ++i;
        } else {
            t.kind = Token::Kind::Symbol;
            // Two-character operators: <> != <= >= !< !>
            const char16_t u = c.unicode();
            const char16_t next = i + 1 < n ? sql.at(i + 1).unicode() : 0;
            const bool two = ((u == '<' || u == '!') && (next == '>' || next == '=' || (u == '!' && next == '<')))
                || (u == '>' && next == '=');
            if (!two && !(u < 128 && std::strchr("=<>+-*/%(),.;", u) && u != 0))
                ThrowTranslateError(engine_err::Syntax, QStringLiteral("Incorrect syntax: unexpected character '%1'").arg(c),
                                    sql, i);
            i += two ? 2 : 1;
        }
        t.end = i;
        out.push_back(t);
    }
    if (firstComment)
        *firstComment = comment;
}

std::vector<Token> TokenizeTsql(const QString& sql)
{
    std::vector<TokenSpan> spans;
    LexTsql(sql, spans);
    std::vector<Token> out;
    out.reserve(spans.size() + 1);
    for (const TokenSpan& span : spans) {
        Token t;
        t.kind = span.kind;
        t.national = span.national;
        t.position = span.start;
        t.text = span.kind == Token::Kind::String || span.kind == Token::Kind::QuotedName
            ? unquoted(sql, span)
            : sql.mid(span.start, span.end - span.start);
        out.push_back(std::move(t));
    }
    Token end;
    end.position = sql.size();
    out.push_back(end);
    return out;
}

} // namespace bkl::db::sqlite
