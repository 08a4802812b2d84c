#pragma once
#include "platform/db/Connection.h"
#include "reports/ModelRead.h"

#include <QString>

namespace bkl::reports {

// HTML fragment of the preview for one Presentor report: its source dependencies
// and linked reports; read through `cn`.
QString GetPresentorReportDetails(const db::Connection& cn, const QString& itemText);
// Text block of the export file for one Presentor report; writes the sections whose flag is set.
QString ExportPresentorReportDetails(const db::Connection& cn, const QString& itemText);

// Source/Type table of the tables and calculations the report reads, with the
// two column widths given, as the server returns them or by source and type;
// "* No Details Available *" for a blank name. Throws on a failed read (the
// callers choose their error value).
QString PresentorReportSourceTable(const db::Connection& cn, const QString& reportName, const QString& sourceWidth,
                                   const QString& typeWidth, RowOrder order = RowOrder::AsRead);

// Source/Type table of the tables and calculations the report reads (the error
// spacer on failure).
QString ReturnPresentorReportSourceDependency(const db::Connection& cn, const QString& reportName);
// The same as tab-led 50-character columns ("" on failure).
QString ExportPresentorReportSourceDependency(const db::Connection& cn, const QString& reportName);

// Linked report names each followed by "<br>", "* None *" without any ("" after
// an ERROR line naming `logName`).
QString ReturnPresentorReportLinkedReports(
    const db::Connection& cn, const QString& reportName,
    const QString& logName = QStringLiteral("ReturnPresentorReportLinkedReports"));
// Linked report names each led by CR LF and a tab, "* None *" without any ("" on failure).
QString ExportPresentorReportLinkedReports(const db::Connection& cn, const QString& reportName);

} // namespace bkl::reports
