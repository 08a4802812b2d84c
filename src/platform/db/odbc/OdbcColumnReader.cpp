#include "platform/db/odbc/OdbcColumnReader.h"

#include "platform/db/odbc/OdbcDiagnostics.h"

#include <QDateTime>
#include <sqlext.h>
#include <vector>

namespace bkl::db::odbc {

namespace {

// SQL Server's own types as its drivers report them.
constexpr SQLSMALLINT kSqlServerTime2 = -154;
constexpr SQLSMALLINT kSqlServerTimestampOffset = -155;

enum class Kind { Integer, Real, Decimal, DateTime, Time, Text };

Kind KindOf(SQLSMALLINT sqlType)
{
    switch (sqlType) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
        return Kind::Integer;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return Kind::Real;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return Kind::Decimal;
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIMESTAMP:
    case SQL_DATE:
    case SQL_TIMESTAMP:
    case kSqlServerTimestampOffset:
        return Kind::DateTime;
    case SQL_TYPE_TIME:
    case SQL_TIME:
    case kSqlServerTime2:
        return Kind::Time;
    default:
        return Kind::Text;
    }
}

void Check(SQLRETURN rc, SQLHSTMT stmt)
{
    CheckStatement(rc, stmt, QStringLiteral("Reading a column value failed."));
}

// Reads a fixed-size value; false for NULL.
template <typename T>
bool ReadFixed(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT cType, T& out)
{
    SQLLEN indicator = 0;
    Check(SQLGetData(stmt, column, cType, &out, sizeof out, &indicator), stmt);
    return indicator != SQL_NULL_DATA;
}

// Reads character data in pieces of any length; false for NULL.
template <typename Unit>
bool ReadPieces(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT cType, std::vector<Unit>& out)
{
    Unit buffer[2048];
    const size_t capacity = sizeof buffer / sizeof(Unit) - 1; // room for the terminator
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(stmt, column, cType, buffer, sizeof buffer, &indicator);
        if (rc == SQL_NO_DATA)
            return true;
        Check(rc, stmt);
        if (indicator == SQL_NULL_DATA)
            return false;
        const bool partial = indicator == SQL_NO_TOTAL || static_cast<size_t>(indicator) / sizeof(Unit) > capacity;
        const size_t units = partial ? capacity : static_cast<size_t>(indicator) / sizeof(Unit);
        out.insert(out.end(), buffer, buffer + units);
        if (rc == SQL_SUCCESS || !partial)
            return true;
    }
}

QDateTime ToDateTime(const SQL_TIMESTAMP_STRUCT& t)
{
    return QDateTime(QDate(t.year, t.month, t.day),
                     QTime(t.hour, t.minute, t.second, static_cast<int>(t.fraction / 1000000)));
}

} // namespace

Value ReadColumn(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT sqlType)
{
    switch (KindOf(sqlType)) {
    case Kind::Integer: {
        SQLBIGINT v = 0;
        return ReadFixed(stmt, column, SQL_C_SBIGINT, v) ? Value::integer(v) : Value::null();
    }
    case Kind::Real: {
        SQLDOUBLE v = 0;
        return ReadFixed(stmt, column, SQL_C_DOUBLE, v) ? Value::real(v) : Value::null();
    }
    case Kind::DateTime: {
        SQL_TIMESTAMP_STRUCT v{};
        return ReadFixed(stmt, column, SQL_C_TYPE_TIMESTAMP, v) ? Value::dateTime(ToDateTime(v)) : Value::null();
    }
    case Kind::Time: {
        // A time of day alone sits on the classic zero date, 12/30/1899.
        SQL_TIME_STRUCT v{};
        if (!ReadFixed(stmt, column, SQL_C_TYPE_TIME, v))
            return Value::null();
        return Value::dateTime(QDateTime(QDate(1899, 12, 30), QTime(v.hour, v.minute, v.second)));
    }
    case Kind::Decimal: {
        std::vector<SQLCHAR> digits;
        if (!ReadPieces(stmt, column, SQL_C_CHAR, digits))
            return Value::null();
        return Value::decimal(QString::fromLatin1(reinterpret_cast<const char*>(digits.data()),
                                                  static_cast<qsizetype>(digits.size())).trimmed());
    }
    case Kind::Text: {
        std::vector<SQLWCHAR> text;
        if (!ReadPieces(stmt, column, SQL_C_WCHAR, text))
            return Value::null();
        return Value::text(FromWide(text.data(), static_cast<qsizetype>(text.size())));
    }
    }
    return Value::null();
}

} // namespace bkl::db::odbc
