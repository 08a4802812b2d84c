#include "platform/db/sqlite/StatementShape.h"

#include <algorithm>

namespace bkl::db::sqlite {

namespace {

constexpr QChar kMarker(0x01);
constexpr int kMaxWholeDigits = 18; // always within a 64-bit integer

bool isParameterCandidate(const QString& sql, const TokenSpan& t)
{
    if (t.kind == Token::Kind::String)
        return true;
    if (t.kind != Token::Kind::Number || t.end - t.start > kMaxWholeDigits)
        return false;
    for (int i = t.start; i < t.end; ++i)
        if (!sql.at(i).isDigit() || sql.at(i).unicode() > 0x7f)
            return false;
    return true;
}

QChar kindMark(const TokenSpan& t)
{
    if (t.kind == Token::Kind::Number)
        return QLatin1Char('I');
    return t.national ? QLatin1Char('N') : QLatin1Char('S');
}

} // namespace

bool StatementShape::split(const QString& sql)
{
    sql_ = sql;
    literals_.clear();
    positions_.clear();
    if (sql.contains(kMarker))
        return false;
    LexTsql(sql, tokens_);
    for (const TokenSpan& t : tokens_)
        if (isParameterCandidate(sql, t)) {
            literals_.push_back(t);
            positions_.push_back(t.start);
        }
    // Built in place: looked up far more often than it is kept.
    skeleton_.resize(0);
    build(skeleton_, nullptr);
    return true;
}

QString StatementShape::key(const std::vector<int>& parameters) const
{
    if (parameters.empty())
        return sql_;
    QString out;
    out.reserve(sql_.size());
    build(out, &parameters);
    return out;
}

void StatementShape::build(QString& out, const std::vector<int>* parameters) const
{
    int from = 0;
    const size_t count = parameters ? parameters->size() : literals_.size();
    for (size_t i = 0; i < count; ++i) {
        const TokenSpan& t = literals_[parameters ? static_cast<size_t>((*parameters)[i]) : i];
        out.append(QStringView(sql_).mid(from, t.start - from));
        out.append(kMarker);
        out.append(kindMark(t));
        from = t.end;
    }
    out.append(QStringView(sql_).mid(from));
}

BoundValue StatementShape::value(int ordinal) const
{
    const TokenSpan& t = literals_[static_cast<size_t>(ordinal)];
    if (t.kind == Token::Kind::Number)
        return QStringView(sql_).mid(t.start, t.end - t.start).toLongLong();
    const int open = t.start + (t.national ? 1 : 0);
    QString text = sql_.mid(open + 1, t.end - open - 2);
    if (text.contains(QLatin1Char('\'')))
        text.replace(QLatin1String("''"), QLatin1String("'"));
    return text.toUtf8();
}

} // namespace bkl::db::sqlite
