#include "platform/db/sqlite/TsqlTokenizer.h"

#include "platform/db/sqlite/TsqlErrors.h"

namespace bkl::db::sqlite {

void ThrowTranslateError(long number, const QString& reason, const QString& sql, int position)
{
    const QString near = sql.mid(qMax(0, position), 40).simplified();
    QString text = reason;
    if (!near.isEmpty())
        text += QStringLiteral(" (near \"%1\")").arg(near);
    text += QStringLiteral(" in statement: %1").arg(sql.simplified().left(300));
    throw DbError(number, QString::fromLatin1(kEngineSource), text);
}

namespace {

bool isWordStart(QChar c) { return c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#'); }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@') || c == QLatin1Char('#') || c == QLatin1Char('$'); }

// Reads a literal or name closed by `close`, where a doubled `close` stands for one.
QString readQuoted(const QString& sql, int& i, QChar close, long errNumber, const char* what)
{
    const int start = i;
    ++i;
    QString out;
    while (i < sql.size()) {
        const int at = static_cast<int>(sql.indexOf(close, i));
        if (at < 0)
            break;
        out += QStringView(sql).mid(i, at - i);
        if (at + 1 < sql.size() && sql.at(at + 1) == close) {
            out += close;
            i = at + 2;
            continue;
        }
        i = at + 1;
        return out;
    }
    ThrowTranslateError(errNumber, QString::fromLatin1(what), sql, start);
}

} // namespace

std::vector<Token> TokenizeTsql(const QString& sql)
{
    std::vector<Token> out;
    int i = 0;
    const int n = sql.size();
    while (i < n) {
        const QChar c = sql.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            while (i < n && sql.at(i) != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            const int end = sql.indexOf(QLatin1String("*/"), i + 2);
            if (end < 0)
                ThrowTranslateError(engine_err::Syntax, QStringLiteral("Missing end comment mark '*/'"), sql, i);
            i = end + 2;
            continue;
        }
        Token t;
        t.position = i;
        if ((c == QLatin1Char('N') || c == QLatin1Char('n')) && i + 1 < n && sql.at(i + 1) == QLatin1Char('\'')) {
            ++i;
            t.kind = Token::Kind::String;
            t.national = true;
            t.text = readQuoted(sql, i, QLatin1Char('\''), engine_err::UnclosedQuote,
                                "Unclosed quotation mark after the character string");
        } else if (c == QLatin1Char('\'')) {
            t.kind = Token::Kind::String;
            t.text = readQuoted(sql, i, QLatin1Char('\''), engine_err::UnclosedQuote,
                                "Unclosed quotation mark after the character string");
        } else if (c == QLatin1Char('[')) {
            t.kind = Token::Kind::QuotedName;
            t.text = readQuoted(sql, i, QLatin1Char(']'), engine_err::Syntax, "Unclosed bracket in a [name]");
        } else if (c == QLatin1Char('"')) {
            t.kind = Token::Kind::QuotedName;
            t.text = readQuoted(sql, i, QLatin1Char('"'), engine_err::Syntax, "Unclosed quoted name");
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && sql.at(i + 1).isDigit())) {
            t.kind = Token::Kind::Number;
            while (i < n && sql.at(i).isDigit())
                ++i;
            if (i < n && sql.at(i) == QLatin1Char('.')) {
                ++i;
                while (i < n && sql.at(i).isDigit())
                    ++i;
            }
            if (i < n && (sql.at(i) == QLatin1Char('e') || sql.at(i) == QLatin1Char('E'))) {
                int j = i + 1;
                if (j < n && (sql.at(j) == QLatin1Char('+') || sql.at(j) == QLatin1Char('-')))
                    ++j;
                if (j < n && sql.at(j).isDigit()) {
                    i = j;
                    while (i < n && sql.at(i).isDigit())
                        ++i;
                }
            }
            t.text = sql.mid(t.position, i - t.position);
            if (i < n && isWordChar(sql.at(i)))
                ThrowTranslateError(engine_err::Syntax, QStringLiteral("Incorrect syntax in a number"), sql, t.position);
        } else if (isWordStart(c)) {
            t.kind = Token::Kind::Word;
            while (i < n && isWordChar(sql.at(i)))
                ++i;
            t.text = sql.mid(t.position, i - t.position);
        } else {
            t.kind = Token::Kind::Symbol;
            static const char* const twoChar[] = {"<>", "!=", "<=", ">=", "!<", "!>"};
            bool done = false;
            const QStringView pair = QStringView(sql).mid(i, 2);
            for (const char* s : twoChar)
                if (pair == QLatin1String(s)) {
                    t.text = QString::fromLatin1(s);
                    i += 2;
                    done = true;
                    break;
                }
            if (!done) {
                if (!QStringLiteral("=<>+-*/%(),.;").contains(c))
                    ThrowTranslateError(engine_err::Syntax, QStringLiteral("Incorrect syntax: unexpected character '%1'").arg(c),
                                        sql, i);
                t.text = c;
                ++i;
            }
        }
        out.push_back(std::move(t));
    }
    Token end;
    end.position = n;
    out.push_back(end);
    return out;
}

} // namespace bkl::db::sqlite
