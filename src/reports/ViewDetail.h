#pragma once
#include "platform/db/Connection.h"
#include "reports/ModelRead.h"

#include <QString>

namespace bkl::reports {

// HTML fragment of the preview for one view: its columns and the calculations it
// draws on; read through `cn`.
QString GetViewDetails(const db::Connection& cn, const QString& itemText);
// Text block of the export file for one view; writes the sections whose flag is set.
QString ExportViewDetails(const db::Connection& cn, const QString& itemText);

// List table of the view's columns, each followed by a blank: in catalog order,
// or by name. Throws on a failed read (the callers choose their error value).
QString ViewFieldsTable(const db::Connection& cn, const QString& viewName, RowOrder order = RowOrder::AsRead);
// List table of the calculations the view's columns are taken from, as the
// server returns them or by name; throws on a failed read (e.g. a column name
// without ".").
QString ViewCalculationsTable(const db::Connection& cn, const QString& viewName, RowOrder order = RowOrder::AsRead);

// List table of the view's columns in catalog order (the error spacer on failure).
QString ReturnViewFields(const db::Connection& cn, const QString& viewName);
// Tab-led lines of the view's columns, each ending in a blank ("" on failure).
QString ExportViewFields(const db::Connection& cn, const QString& viewName);

// List table of the calculations the view's columns are taken from (the error
// spacer on failure, e.g. a column name without ".").
QString ReturnAllCalculationsForView(const db::Connection& cn, const QString& viewName);
// Tab-led lines of those calculations ("" on failure).
QString ExportAllCalculationsForView(const db::Connection& cn, const QString& viewName);

} // namespace bkl::reports
