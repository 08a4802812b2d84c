#include "platform/db/Recordset.h"

#include "platform/db/DbError.h"

namespace bkl::db {

namespace {
// A column position outside the result's columns is "Item cannot be found".
void requireColumn(const ResultSet& result, int index)
{
    if (index < 0 || index >= result.columns.size())
        throw DbError(err::ItemNotFound, kDataLayerSource,
                      QStringLiteral("Item cannot be found in the collection: %1.").arg(index));
}
} // namespace

void Recordset::open(const QString& sql, const Connection& cn)
{
    result_.reset();
    row_ = 0;
    result_ = std::make_shared<const ResultSet>(cn.execute(sql));
}

void Recordset::openForwardOnly(const QString& sql, const Connection& cn) { open(sql, cn); }

void Recordset::close()
{
    result_.reset();
    row_ = 0;
}

void Recordset::requireOpen() const
{
    if (!result_)
        throw DbError(err::ObjectClosed, kDataLayerSource,
                      QStringLiteral("Operation is not allowed when the recordset is closed."));
}

bool Recordset::eof() const
{
    requireOpen();
    return row_ >= result_->rows.size();
}

void Recordset::moveNext()
{
    if (eof())
        throw DbError(err::NoCurrentRecord, kDataLayerSource,
                      QStringLiteral("No current record: the recordset is at its end."));
    ++row_;
}

long long Recordset::recordCount() const
{
    requireOpen();
    return static_cast<long long>(result_->rows.size());
}

int Recordset::fieldCount() const
{
    requireOpen();
    return static_cast<int>(result_->columns.size());
}

QString Recordset::fieldName(int index) const
{
    requireOpen();
    requireColumn(*result_, index);
    return result_->columns.at(index);
}

const Value& Recordset::field(int index) const
{
    requireOpen();
    requireColumn(*result_, index);
    if (row_ >= result_->rows.size())
        throw DbError(err::NoCurrentRecord, kDataLayerSource,
                      QStringLiteral("No current record: the recordset is at its end."));
    return result_->rows[row_][static_cast<size_t>(index)];
}

const Value& Recordset::field(const QString& name) const
{
    requireOpen();
    int index = -1;
    for (int i = 0; i < result_->columns.size(); ++i)
        if (result_->columns.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            index = i;
            break;
        }
    if (index < 0)
        throw DbError(err::ItemNotFound, kDataLayerSource,
                      QStringLiteral("Item cannot be found in the collection: %1.").arg(name));
    return field(index);
}

} // namespace bkl::db
