#include "platform/db/sqlite/SqliteValue.h"

#include <sqlite3.h>

namespace bkl::db::sqlite {

namespace {

bool isDateType(const QString& declared)
{
    return declared.contains(QLatin1String("date")) || declared == QLatin1String("time")
        || declared.startsWith(QLatin1String("time("));
}

bool isDecimalType(const QString& declared)
{
    return declared.startsWith(QLatin1String("decimal")) || declared.startsWith(QLatin1String("numeric"))
        || declared.contains(QLatin1String("money"));
}

QDateTime isoDateTime(QString text)
{
    if (text.size() > 10 && text.at(10) == QLatin1Char(' '))
        text[10] = QLatin1Char('T');
    QDateTime dt = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!dt.isValid() && text.size() == 10) {
        const QDate d = QDate::fromString(text, Qt::ISODate);
        if (d.isValid())
            dt = d.startOfDay();
    }
    return dt;
}

} // namespace

DeclaredType ColumnDeclaredType(sqlite3_stmt* st, int i)
{
    const char* decl = sqlite3_column_decltype(st, i);
    const QString declared = decl ? QString::fromUtf8(decl).trimmed().toLower() : QString();
    if (declared.isEmpty())
        return {};
    return {isDateType(declared), isDecimalType(declared)};
}

Value ColumnValue(sqlite3_stmt* st, int i, DeclaredType declared)
{
    const int storage = sqlite3_column_type(st, i);
    if (storage == SQLITE_NULL)
        return Value::null();
    const auto text = [&] {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
    };
    if (declared.dateTime && storage == SQLITE_TEXT) {
        const QDateTime dt = isoDateTime(text());
        if (dt.isValid())
            return Value::dateTime(dt);
    } else if (declared.decimal) {
        const QString t = text();
        bool ok = false;
        t.toDouble(&ok);
        if (ok)
            return Value::decimal(t);
    }
    switch (storage) {
    case SQLITE_INTEGER: return Value::integer(sqlite3_column_int64(st, i));
    case SQLITE_FLOAT: return Value::real(sqlite3_column_double(st, i));
    default: return Value::text(text()); // TEXT, and BLOB read as text
    }
}

} // namespace bkl::db::sqlite
