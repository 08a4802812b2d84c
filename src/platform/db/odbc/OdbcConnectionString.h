#pragma once
// Translation of the OLE-DB style keys of a SQL Server connection string into an
// ODBC connection string for SQLDriverConnect.
#include <QMap>
#include <QString>

namespace bkl::db::odbc {

// How a driver reads a value written between braces.
enum class BraceRule {
    // The ODBC rule: "{...}" with every "}" inside doubled.
    Doubled,
    // FreeTDS up to 1.3 (Debian 12): the value runs up to the first "};" and a
    // doubled "}" is taken literally, so "}" is written as it is and a value
    // holding "};" cannot be written at all.
    FreeTdsLegacy,
};

// The brace rule of a driver given by name or library path: FreeTDS (any name
// or path containing "tds") reads the legacy way, every other driver the ODBC way.
BraceRule BraceRuleOfDriver(const QString& driver);

// The ODBC connection string for the parsed keys (upper-cased names as
// ParseConnectionString gives them):
//   Driver={<driver>};Server={<host>};Port=<port>;Database={<catalog>};
//   UID={<user>};PWD={<password>};TDS_Version=7.4;ClientCharset=UTF-8;ApplicationIntent=ReadOnly;
//   TextSize=2147483647
// "DATA SOURCE" may be host, host,port, host\instance or host\instance,port
// (FreeTDS takes the instance as Server=host\instance; drivers other than FreeTDS
// get the port as Server={host,port}, their own form). "INTEGRATED SECURITY"
// of SSPI, true or yes asks for a trusted (Kerberos) login: Trusted_Connection=Yes
// and no UID/PWD. Port and Database are left out when not given.
// Every value is written between braces by the driver's brace rule, so ";", "="
// and outer blanks arrive as typed. Throws DbError for a port that is not a
// number and for a value the driver cannot take (FreeTDS: one holding "};").
QString OdbcConnectionString(const QMap<QString, QString>& keys, const QString& driver);

} // namespace bkl::db::odbc
