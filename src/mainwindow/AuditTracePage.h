#pragma once
// The audit trace page "_temp_04.html": the empty "Audit Log" page the window
// opens with, and the trace page holding the audit table as one line, written
// into the page file as the records are read.
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"

#include <QString>
#include <functional>
#include <optional>

class QLocale;

namespace bkl::mainwindow {

class ReportPageFile;

// ApplicationFolderPath("temp") + "_temp_04.html".
QString AuditTracePagePath();

// The three lines of the empty page, each ended by CR LF.
QString AuditEmptyPageText();

// An audit time as the page shows it, in one fixed form whatever the desktop's
// regional settings: "MM/dd/yyyy hh:mm:ss AP" in the en_US locale, e.g.
// "08/31/2026 11:39:54 PM". A value that is no date/time is shown as its text;
// NULL is "". A run passes its one en_US locale.
QString AuditTimeText(const db::Value& time);
QString AuditTimeText(const db::Value& time, const QLocale& enUs);

// Called after each record is written, with the running record count.
using AuditRowCallback = std::function<void(long count)>;

// Runs the trace query on `cn` and writes the audit table to `page` as it reads
// the records: the opening, the header row of six cells, one row per record
// (serial number from 1, user, module, event, time, message; values
// HTML-escaped), "</table>", without line breaks. The statement is walked
// forward only. Throws db::DbError, and PageFileError when the page cannot be
// written.
void WriteAuditTable(ReportPageFile& page, const db::Connection& cn, const QString& sql, const AuditRowCallback& onRow);

// WriteAuditTable, with a failure of the query absorbed: it writes the ERROR
// line "Function: GetAuditLog() --> ...", puts the spacer table in place of the
// audit table (rows already written are dropped) and gives the reason, for the
// caller to show. A page that cannot be written still throws PageFileError.
std::optional<db::DbError> GetAuditLog(ReportPageFile& page, const db::Connection& cn, const QString& sql,
                                       const AuditRowCallback& onRow);

// Writes the whole trace page into `path`: its first two lines, the audit table
// from GetAuditLog as the third, then "</body>" and "</html>", each line ended
// by CR LF. Returns the query's failure; throws PageFileError.
std::optional<db::DbError> WriteAuditTracePage(const QString& path, const db::Connection& cn, const QString& sql,
                                               const AuditRowCallback& onRow);

} // namespace bkl::mainwindow
