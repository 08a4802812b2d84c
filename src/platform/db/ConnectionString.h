#pragma once
// OLE-DB style connection strings ("Provider=SQLOLEDB.1;...;Initial Catalog=X;Data Source=Y").
// Values that hold ; = quotes or outer blanks are written quoted ("..." with " doubled,
// or '...'), and the parser honours that quoting, so a password with ; connects as typed.
#include <QMap>
#include <QString>

namespace bkl::db {

// A value as it goes after "Key=": unchanged when it is plain, quoted otherwise.
QString ConnectionStringValue(const QString& value);

// Keys upper-cased and trimmed; values unquoted. Throws DbError on an unterminated quote.
QMap<QString, QString> ParseConnectionString(const QString& connectionString);

} // namespace bkl::db
