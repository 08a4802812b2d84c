#pragma once
// The audit trace page "_temp_04.html": the empty "Audit Log" page the window
// opens with, and the trace page holding the audit table as one line.
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"

#include <QString>
#include <functional>
#include <optional>

namespace bkl::mainwindow {

// ApplicationFolderPath("temp") + "_temp_04.html".
QString AuditTracePagePath();

// The three lines of the empty page, each ended by CR LF.
QString AuditEmptyPageText();

// The five lines of the trace page around the audit table, each ended by CR LF.
QString AuditTracePageText(const QString& auditTable);

// An audit time as the page shows it, in one fixed form whatever the desktop's
// regional settings: "MM/dd/yyyy hh:mm:ss AP" in the en_US locale, e.g.
// "08/31/2026 11:39:54 PM". A value that is no date/time is shown as its text;
// NULL is "".
QString AuditTimeText(const db::Value& time);

// Called after each record is added, with the running record count.
using AuditRowCallback = std::function<void(long count)>;

// Runs the trace query on `cn` and returns the audit table: the opening, the
// header row of six cells, one row per record (serial number from 1, user,
// module, event, time, message; values HTML-escaped), "</table>", as one text
// without line breaks. Throws db::DbError.
QString AuditTableHtml(const db::Connection& cn, const QString& sql, const AuditRowCallback& onRow);

struct AuditLogResult {
    QString html;                          // the audit table, or the spacer table on a failure
    std::optional<db::DbError> failure;    // why the query failed
};

// AuditTableHtml, with the failure absorbed: it writes the ERROR line
// "Function: GetAuditLog() --> ..." and gives the spacer table (rows already
// built are dropped) together with the reason, for the caller to show.
AuditLogResult GetAuditLog(const db::Connection& cn, const QString& sql, const AuditRowCallback& onRow);

} // namespace bkl::mainwindow
