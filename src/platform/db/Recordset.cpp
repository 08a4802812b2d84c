#include "platform/db/Recordset.h"

#include "platform/db/DbError.h"

namespace bkl::db {

namespace {
// A column position outside the result's columns is "Item cannot be found".
void requireColumn(const QStringList& columns, int index)
{
    if (index < 0 || index >= columns.size())
        throw DbError(err::ItemNotFound, kDataLayerSource,
                      QStringLiteral("Item cannot be found in the collection: %1.").arg(index));
}

[[noreturn]] void throwAtEnd()
{
    throw DbError(err::NoCurrentRecord, kDataLayerSource, QStringLiteral("No current record: the recordset is at its end."));
}
} // namespace

void Recordset::open(const QString& sql, const Connection& cn)
{
    close();
    result_ = std::make_shared<const ResultSet>(cn.execute(sql));
}

void Recordset::openForwardOnly(const QString& sql, const Connection& cn)
{
    close();
    auto cursor = std::make_shared<Cursor>();
    cursor->reader = cn.executeForwardOnly(sql);
    cursor->atEnd = !cursor->reader->next(cursor->row);
    cursor_ = std::move(cursor);
}

void Recordset::close()
{
    result_.reset();
    cursor_.reset();
    row_ = 0;
}

void Recordset::requireOpen() const
{
    if (!isOpen())
        throw DbError(err::ObjectClosed, kDataLayerSource,
                      QStringLiteral("Operation is not allowed when the recordset is closed."));
}

const QStringList& Recordset::columns() const
{
    requireOpen();
    return cursor_ ? cursor_->reader->columns() : result_->columns;
}

bool Recordset::eof() const
{
    requireOpen();
    return cursor_ ? cursor_->atEnd : row_ >= result_->rows.size();
}

void Recordset::moveNext()
{
    if (eof())
        throwAtEnd();
    if (!cursor_) {
        ++row_;
        return;
    }
    try {
        cursor_->atEnd = !cursor_->reader->next(cursor_->row);
    } catch (...) {
        cursor_->atEnd = true;
        throw;
    }
}

long long Recordset::recordCount() const
{
    requireOpen();
    return cursor_ ? -1 : static_cast<long long>(result_->rows.size());
}

int Recordset::fieldCount() const { return static_cast<int>(columns().size()); }

QString Recordset::fieldName(int index) const
{
    requireColumn(columns(), index);
    return columns().at(index);
}

const Value& Recordset::field(int index) const
{
    requireColumn(columns(), index);
    if (eof())
        throwAtEnd();
    return cursor_ ? cursor_->row[static_cast<size_t>(index)] : result_->rows[row_][static_cast<size_t>(index)];
}

const Value& Recordset::field(const QString& name) const
{
    const QStringList& names = columns();
    int index = -1;
    for (int i = 0; i < names.size(); ++i)
        if (names.at(i).size() == name.size() && names.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            index = i;
            break;
        }
    if (index < 0)
        throw DbError(err::ItemNotFound, kDataLayerSource,
                      QStringLiteral("Item cannot be found in the collection: %1.").arg(name));
    return field(index);
}

} // namespace bkl::db
