#pragma once
// Where a calculation is used: the compensation plans and tailored reports whose
// calculation list holds it, the Presentor reports that draw on it and the
// server views with a column named after it; and the dependencies section that
// shows the four lists under their headings.
#include "platform/db/Connection.h"
#include "reports/CalcPolicy.h"

#include <QString>
#include <cstdint>

namespace bkl::reports {

enum class WhereUsedList { Views, CompensationPlans, TailoredReports, PresentorReports };

// One list, sorted by name except the views (as the server returns them, or by
// name with RowOrder::ByText): HTML items each ending in "<br>", text items each
// after CR LF and two TABs, "* None *" when nothing uses the calculation, "" after
// an ERROR line naming `logName`. `key` is the calculation name for the views and
// the calculation id for the others.
QString CalculationWhereUsed(const db::Connection& cn, WhereUsedList list, const QString& key, RenderMode mode,
                             const QString& logName, RowOrder order = RowOrder::AsRead);

QString ReturnAllViewsForCalculation(const db::Connection& cn, const QString& calcName);
QString ReturnAllCompPlanForCalculation(const db::Connection& cn, int32_t calcId);
QString ReturnAllTailoredReportsForCalculation(const db::Connection& cn, int32_t calcId);
QString ReturnAllPresentorReportsForCalculation(const db::Connection& cn, int32_t calcId);
QString ExportAllViewsForCalculation(const db::Connection& cn, const QString& calcName);
QString ExportAllCompPlanForCalculation(const db::Connection& cn, int32_t calcId);
QString ExportAllTailoredReportsForCalculation(const db::Connection& cn, int32_t calcId);
QString ExportAllPresentorReportsForCalculation(const db::Connection& cn, int32_t calcId);

// The dependencies section: the four lists under "View(s):", "Presentor
// Reports(s):", "Tailored Report(s):" and "Compensation Plan(s):".
QString CalculationDependentObjects(const db::Connection& cn, int32_t calcId, const QString& calcName,
                                    RenderMode mode, const CalcPolicy& policy);
QString GetCalculationDependentObjects(const db::Connection& cn, int32_t calcId, const QString& calcName);
QString ExportCalculationDependentObjects(const db::Connection& cn, int32_t calcId, const QString& calcName);

} // namespace bkl::reports
