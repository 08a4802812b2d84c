#include "platform/db/DbError.h"

namespace bkl::db {

DbError::DbError(long number, QString source, QString description)
    : std::runtime_error(description.toStdString()), number_(number), source_(std::move(source)),
      description_(std::move(description))
{
}

} // namespace bkl::db
