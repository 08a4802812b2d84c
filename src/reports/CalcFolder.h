#pragma once
// Where a calculation sits in the model's calculation folder tree, from
// "Calculations (Root)" down to the calculation's own node, one level per line.
#include "platform/db/Connection.h"
#include "reports/CalcPolicy.h"

#include <QString>
#include <cstdint>

namespace bkl::reports {

// Most nodes a folder walk follows upward before it ends the path like a cycle.
inline constexpr int kMaxFolderDepth = 64;

// The names from node `nodeId` (0: the calculation's own node, -1: none) up to the
// top, each followed by " --> ". A node that cannot be read ends the path there
// without a log line; a node met twice (the parent links loop) or a path longer
// than kMaxFolderDepth ends it with an ERROR line naming `cycleLogName`.
QString GetCalculationFolderPath(const db::Connection& cn, int32_t calcId, int32_t nodeId,
                                 const QString& cycleLogName = DetailPolicy().folderPathName);

// The folder levels: HTML list table, or text lines closed by an empty line.
// A calculation whose name starts with "_WR" has no folder: the error spacer in
// HTML, "" in text, and no query.
QString CalculationFolder(const db::Connection& cn, int32_t calcId, const QString& calcName, RenderMode mode,
                          const CalcPolicy& policy);
QString GetCalculationFolder(const db::Connection& cn, int32_t calcId, const QString& calcName);
QString ExportCalculationFolder(const db::Connection& cn, int32_t calcId, const QString& calcName);

} // namespace bkl::reports
