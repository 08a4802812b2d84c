#pragma once
// The declared types of the model columns a statement's result columns read, so a
// bit or decimal(18,2) column goes out as the server would send it.
#include <QHash>
#include <QString>
#include <vector>

struct sqlite3;

namespace tds {

// The tables of one model file, opened read-only; each table's columns read once.
class ModelSchema {
public:
    explicit ModelSchema(const QString& file); // empty: no file (a system database)
    ~ModelSchema();
    ModelSchema(const ModelSchema&) = delete;
    ModelSchema& operator=(const ModelSchema&) = delete;

    struct Column {
        QString name;
        QString declaredType;
    };
    const std::vector<Column>& columns(const QString& table);

private:
    sqlite3* db_ = nullptr;
    QHash<QString, std::vector<Column>> tables_; // lower-cased table name -> columns
};

// For a single SELECT: per result column, the declared type of the table column it
// names plainly (t.Col, Col, * or t.*), empty for expressions. Empty as a whole when
// the statement does not parse, is a UNION, or its columns cannot be told apart.
std::vector<QString> DeclaredColumnTypes(const QString& sql, int columnCount, ModelSchema& schema);

} // namespace tds
