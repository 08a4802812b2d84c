#include "ColumnTypes.h"

#include <QRegularExpression>
#include <QSet>

namespace tds {

using bkl::db::Value;

namespace {

constexpr int kMaxPrecision = 38;
constexpr int kMaxNVarChar = 4000;

// A decimal text as its digits (no sign, no point, no leading zeros) and the
// number of them behind the point.
struct DecimalDigits {
    QString digits;
    int scale = 0;
    bool negative = false;
    bool ok = false;
    int integerDigits() const { return qMax(0, int(digits.size()) - scale); }
};

DecimalDigits Digits(const QString& text)
{
    DecimalDigits d;
    QString t = text.trimmed();
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        d.negative = t.startsWith(QLatin1Char('-'));
        t.remove(0, 1);
    }
    int exponent = 0;
    const qsizetype e = t.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive);
    if (e >= 0) {
        bool ok = false;
        exponent = t.mid(e + 1).toInt(&ok);
        if (!ok || qAbs(exponent) > 2 * kMaxPrecision)
            return d;
        t.truncate(e);
    }
    const qsizetype point = t.indexOf(QLatin1Char('.'));
    const QString fraction = point < 0 ? QString() : t.mid(point + 1);
    d.digits = (point < 0 ? t : t.left(point)) + fraction;
    d.scale = int(fraction.size()) - exponent;
    if (d.digits.isEmpty())
        return d;
    for (const QChar c : d.digits)
        if (!c.isDigit())
            return d;
    if (d.scale < 0) {
        d.digits += QString(-d.scale, QLatin1Char('0'));
        d.scale = 0;
    }
    while (d.digits.size() > 1 && d.digits.startsWith(QLatin1Char('0')))
        d.digits.remove(0, 1);
    d.ok = true;
    return d;
}

struct Declared {
    QString name; // "int", "decimal", "nvarchar", ...
    int first = -1;
    int second = -1;
};

Declared ParseDeclared(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(\\w+)\\s*(?:\\(\\s*(\\d+|max)\\s*(?:,\\s*(\\d+)\\s*)?\\))?\\s*$"),
                                       QRegularExpression::CaseInsensitiveOption);
    Declared d;
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return d;
    d.name = m.captured(1).toLower();
    const QString first = m.captured(2).toLower();
    d.first = first == QLatin1String("max") ? kMaxNVarChar + 1 : (first.isEmpty() ? -1 : first.toInt());
    d.second = m.captured(3).isEmpty() ? -1 : m.captured(3).toInt();
    if (d.name == QLatin1String("money")) {
        d = {QStringLiteral("decimal"), 19, 4};
    } else if (d.name == QLatin1String("decimal") || d.name == QLatin1String("numeric")) {
        d.name = QStringLiteral("decimal");
        d.first = d.first < 1 ? 18 : qMin(d.first, kMaxPrecision);
        d.second = qBound(0, d.second, d.first);
    }
    return d;
}

bool IsText(const Declared& d)
{
    return d.name.endsWith(QLatin1String("char")) || d.name == QLatin1String("text") || d.name == QLatin1String("ntext");
}

// nvarchar(max), varchar(max), text and ntext: the long texts, sent in parts and cut at
// the session's TEXTSIZE.
bool IsLongText(const Declared& d)
{
    return d.name == QLatin1String("text") || d.name == QLatin1String("ntext") || (IsText(d) && d.first > kMaxNVarChar);
}

ColumnType TextType(int longest)
{
    ColumnType t;
    t.kind = longest > kMaxNVarChar ? ColumnType::Kind::NVarCharMax : ColumnType::Kind::NVarChar;
    t.length = qMax(1, longest);
    return t;
}

ColumnType DecimalType(int integerDigits, int scale)
{
    ColumnType t;
    t.kind = ColumnType::Kind::Decimal;
    t.scale = qMin(scale, kMaxPrecision);
    t.precision = qBound(1, integerDigits + t.scale, kMaxPrecision);
    t.scale = qMin(t.scale, t.precision - integerDigits > 0 ? t.precision - integerDigits : 0);
    return t;
}

// A column of NULLs only: its declared type, else int.
ColumnType TypeOfDeclared(const Declared& d)
{
    ColumnType t;
    if (d.name == QLatin1String("bit"))
        t.kind = ColumnType::Kind::Bit;
    else if (d.name == QLatin1String("bigint"))
        t.size = 8;
    else if (d.name == QLatin1String("float") || d.name == QLatin1String("real"))
        t.kind = ColumnType::Kind::Float;
    else if (d.name == QLatin1String("decimal"))
        t = DecimalType(d.first - d.second, d.second);
    else if (d.name.contains(QLatin1String("date")))
        t.kind = ColumnType::Kind::DateTime;
    else if (IsText(d))
        t = TextType(IsLongText(d) ? kMaxNVarChar + 1 : qMax(d.first, 1));
    return t;
}

} // namespace

ScaledDecimal ScaleDecimal(const QString& text, int scale)
{
    ScaledDecimal out;
    DecimalDigits d = Digits(text);
    if (!d.ok)
        return out;
    bool roundUp = false;
    if (d.scale < scale) {
        d.digits += QString(scale - d.scale, QLatin1Char('0'));
    } else if (d.scale > scale) {
        const qsizetype keep = d.digits.size() - (d.scale - scale);
        roundUp = keep >= 0 && keep < d.digits.size() && d.digits.at(keep) >= QLatin1Char('5');
        d.digits.truncate(qMax<qsizetype>(0, keep));
    }
    while (d.digits.size() > 1 && d.digits.startsWith(QLatin1Char('0')))
        d.digits.remove(0, 1);
    if (d.digits.size() > kMaxPrecision)
        return out;
    for (const QChar c : d.digits)
        out.magnitude = out.magnitude * 10 + static_cast<unsigned>(c.digitValue());
    if (roundUp)
        ++out.magnitude;
    out.negative = d.negative && out.magnitude != 0;
    out.ok = true;
    return out;
}

std::vector<ColumnType> ChooseColumnTypes(const bkl::db::ResultSet& result, const std::vector<QString>& declared)
{
    std::vector<ColumnType> types;
    for (qsizetype c = 0; c < result.columns.size(); ++c) {
        const Declared d = ParseDeclared(size_t(c) < declared.size() ? declared[size_t(c)] : QString());
        QSet<Value::Type> kinds;
        bool bits = true;
        bool fitsInt = true;
        int integerDigits = 0;
        int scale = 0;
        int longest = 0;
        bool decimalsOk = true;
        for (const auto& row : result.rows) {
            const Value& v = row[size_t(c)];
            if (v.isNull())
                continue;
            kinds.insert(v.type());
            if (v.type() == Value::Type::Integer) {
                const int64_t i = v.toInt64();
                bits = bits && (i == 0 || i == 1);
                fitsInt = fitsInt && i >= INT32_MIN && i <= INT32_MAX;
            } else if (v.type() == Value::Type::Decimal) {
                const DecimalDigits digits = Digits(v.toText());
                decimalsOk = decimalsOk && digits.ok;
                integerDigits = qMax(integerDigits, digits.integerDigits());
                scale = qMax(scale, digits.scale);
            }
            longest = qMax(longest, int(v.toText().size()));
        }
        ColumnType t;
        if (kinds.isEmpty()) {
            t = TypeOfDeclared(d);
        } else if (kinds.size() > 1) {
            const bool numbers = !kinds.contains(Value::Type::Text) && !kinds.contains(Value::Type::DateTime)
                && !kinds.contains(Value::Type::Decimal);
            t = numbers ? ColumnType{ColumnType::Kind::Float} : TextType(longest);
        } else {
            switch (*kinds.begin()) {
            case Value::Type::Integer:
                if (d.name == QLatin1String("bit") && bits)
                    t.kind = ColumnType::Kind::Bit;
                else if (d.name == QLatin1String("bigint") || !fitsInt)
                    t.size = 8;
                break;
            case Value::Type::Real: t.kind = ColumnType::Kind::Float; break;
            case Value::Type::Decimal:
                if (!decimalsOk)
                    t = TextType(longest);
                else if (d.name == QLatin1String("decimal") && scale <= d.second && integerDigits <= d.first - d.second)
                    t = DecimalType(d.first - d.second, d.second);
                else
                    t = DecimalType(integerDigits, scale);
                break;
            case Value::Type::DateTime: t.kind = ColumnType::Kind::DateTime; break;
            default:
                t = TextType(IsLongText(d) ? kMaxNVarChar + 1 : IsText(d) && longest <= d.first ? d.first : longest);
                break;
            }
        }
        types.push_back(t);
    }
    return types;
}

} // namespace tds
