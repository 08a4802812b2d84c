#pragma once
// Reads one filter list of the audit trace (events, modules or users).
#include "platform/db/Connection.h"

#include <QStringList>

namespace bkl::mainwindow {

// The first column of every row of `sql`, in row order; NULL gives "". Throws db::DbError.
QStringList ReadAuditFilterValues(const db::Connection& cn, const QString& sql);

} // namespace bkl::mainwindow
