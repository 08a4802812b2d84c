#include "platform/db/DbError.h"

#include "platform/core/Escaping.h"

namespace bkl::db {

// Descriptions quote statements, names and server messages: a control character in
// them is kept visible, so no box or log line carries one raw.
DbError::DbError(long number, QString source, QString description)
    : std::runtime_error(VisibleText(description).toStdString()), number_(number), source_(VisibleText(source)),
      description_(VisibleText(description))
{
}

} // namespace bkl::db
