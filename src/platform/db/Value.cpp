#include "platform/db/Value.h"

#include "platform/core/TextSemantics.h"
#include "platform/db/DbError.h"

#include <QLocale>
#include <cmath>

namespace bkl::db {

Value Value::integer(int64_t v) { return Value(Type::Integer, v); }
Value Value::real(double v) { return Value(Type::Real, v); }
Value Value::decimal(const QString& exactText) { return Value(Type::Decimal, exactText); }
Value Value::text(const QString& v) { return Value(Type::Text, v); }
Value Value::dateTime(const QDateTime& v) { return Value(Type::DateTime, v); }

namespace {
QString numberText(double d)
{
    if (d == std::floor(d) && std::fabs(d) < 1e15)
        return QString::number(static_cast<long long>(d));
    QString s = QString::number(d, 'g', 15);
    return s;
}

QString decimalText(QString s)
{
    // Exact decimal text without trailing fractional zeros ("12.5000" -> "12.5").
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s.startsWith(QLatin1String("-.")))
        s.insert(1, QLatin1Char('0'));
    else if (s.startsWith(QLatin1Char('.')))
        s.prepend(QLatin1Char('0'));
    return s;
}
} // namespace

QString Value::toText() const
{
    switch (type_) {
    case Type::Null: return QString();
    case Type::Integer: return QString::number(std::get<int64_t>(v_));
    case Type::Real: return numberText(std::get<double>(v_));
    case Type::Decimal: return decimalText(std::get<QString>(v_));
    case Type::Text: return std::get<QString>(v_);
    case Type::DateTime:
        return QLocale(QLocale::English, QLocale::UnitedStates)
            .toString(std::get<QDateTime>(v_), QStringLiteral("M/d/yyyy h:mm:ss AP"));
    }
    return QString();
}

double Value::toDouble() const
{
    switch (type_) {
    case Type::Null: throw DbError(err::InvalidUseOfNull, kDataLayerSource, QStringLiteral("Invalid use of Null"));
    case Type::Integer: return static_cast<double>(std::get<int64_t>(v_));
    case Type::Real: return std::get<double>(v_);
    case Type::Decimal: return std::get<QString>(v_).toDouble();
    case Type::Text: {
        bool ok = false;
        const double d = Trim(std::get<QString>(v_)).toDouble(&ok);
        if (!ok)
            throw DbError(err::TypeMismatch, kDataLayerSource, QStringLiteral("Type mismatch"));
        return d;
    }
    case Type::DateTime: break;
    }
    throw DbError(err::TypeMismatch, kDataLayerSource, QStringLiteral("Type mismatch"));
}

int64_t Value::toInt64() const
{
    if (type_ == Type::Integer)
        return std::get<int64_t>(v_);
    const double d = RoundHalfEven(toDouble());
    if (!std::isfinite(d) || std::fabs(d) > 9.2e18)
        throw DbError(err::Overflow, kDataLayerSource, QStringLiteral("Overflow"));
    return static_cast<int64_t>(d);
}

QDateTime Value::toDateTime() const
{
    if (type_ == Type::DateTime)
        return std::get<QDateTime>(v_);
    if (type_ == Type::Null)
        throw DbError(err::InvalidUseOfNull, kDataLayerSource, QStringLiteral("Invalid use of Null"));
    if (type_ == Type::Text) {
        QDateTime dt = QDateTime::fromString(std::get<QString>(v_), Qt::ISODateWithMs);
        if (!dt.isValid())
            dt = QDateTime::fromString(std::get<QString>(v_), Qt::ISODate);
        if (dt.isValid())
            return dt;
    }
    throw DbError(err::TypeMismatch, kDataLayerSource, QStringLiteral("Type mismatch"));
}

bool Value::operator==(const Value& other) const { return type_ == other.type_ && v_ == other.v_; }

} // namespace bkl::db
