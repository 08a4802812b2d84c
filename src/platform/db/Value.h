#pragma once
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <utility>
#include <variant>

namespace bkl::db {

// One field value as a recordset delivers it. Decimals (and money) are carried as
// their exact decimal text so nothing is lost; they read as numbers on demand.
class Value {
public:
    enum class Type { Null, Integer, Real, Decimal, Text, DateTime };

    Value() = default;
    static Value null() { return Value(); }
    static Value integer(int64_t v);
    static Value real(double v);
    static Value decimal(const QString& exactText);
    static Value text(const QString& v);
    static Value dateTime(const QDateTime& v);

    Type type() const { return type_; }
    bool isNull() const { return type_ == Type::Null; }
    bool isNumeric() const { return type_ == Type::Integer || type_ == Type::Real || type_ == Type::Decimal; }

    // Text form; NULL reads as "". Numbers print without exponent or trailing zeros
    // ("12", "12.5"); date/times as "M/d/yyyy h:mm:ss AP" (the classic default form).
    QString toText() const;
    // Numeric reads. NULL is an error (DbError 94, "Invalid use of Null"); a text
    // that is not a number is an error (13, "Type mismatch").
    double toDouble() const;
    int64_t toInt64() const; // rounds half to even
    // Date/time read; a text in ISO form converts; anything else is a type mismatch.
    QDateTime toDateTime() const;

    bool operator==(const Value& other) const;

private:
    using Stored = std::variant<std::monostate, int64_t, double, QString, QDateTime>;
    Value(Type type, Stored v) : type_(type), v_(std::move(v)) {}

    Type type_ = Type::Null;
    Stored v_;
};

} // namespace bkl::db
