#pragma once
// Two sections of a calculation's detail: its data sources (primary source,
// lookups with their join conditions, tables added by row) and its partitions.
#include "platform/db/Connection.h"
#include "reports/CalcPolicy.h"

#include <QString>
#include <cstdint>

namespace bkl::reports {

// Data sources of calculation `calcId` whose primary source, already rewritten,
// is `primarySource` (raw text; escaped here in HTML mode).
QString CalculationSourceAndJoinAndUnion(const db::Connection& cn, const QString& primarySource, int32_t calcId,
                                         RenderMode mode, const CalcPolicy& policy);
QString GetCalculationSourceAndJoinAndUnion(const db::Connection& cn, const QString& primarySource, int32_t calcId);
QString ExportCalculationSourceAndJoinAndUnion(const db::Connection& cn, const QString& primarySource, int32_t calcId);

// One line per partition; the partition named like the time level carries the
// tag "[calendar/time level/reset level]" when all three are set. The three
// texts come stripped from the calculation row.
QString CalculationPartitions(const db::Connection& cn, int32_t calcId, const QString& timeLevel,
                              const QString& resetLevel, const QString& calendar, RenderMode mode,
                              const CalcPolicy& policy);
QString GetCalculationPartitions(const db::Connection& cn, int32_t calcId, const QString& timeLevel,
                                 const QString& resetLevel, const QString& calendar);
QString ExportCalculationPartitions(const db::Connection& cn, int32_t calcId, const QString& timeLevel,
                                    const QString& resetLevel, const QString& calendar);

} // namespace bkl::reports
