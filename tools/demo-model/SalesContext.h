#pragma once
// What the parts of the sales demo model share while it is written: the options,
// the object writers and the ids given to the named calculations.
#include "ModelParts.h"
#include "SalesModel.h"

#include <QHash>
#include <QString>

namespace demo {

struct SalesContext {
    SalesModelOptions options;
    ModelParts& parts;
    QHash<QString, int> calcIds; // named calculations (and fillers) by name

    bool target() const { return options.target; }
    // Extra blocks of generated objects beyond the hand-made model (scale 1 has none).
    int extraBlocks() const { return options.scale > 1 ? options.scale - 1 : 0; }
    int id(const QString& calcName) const { return calcIds.value(calcName); }
    // The formula token of a calculation: "_Result" and its id.
    QString result(const QString& calcName) const { return QStringLiteral("_Result%1").arg(id(calcName)); }
};

// Payee ids "P0001".. of the PayeeMaster table.
int PayeeCount();
QString PayeeId(int index);
int FillerTableCount(const SalesContext& ctx);
int FillerViewCount(const SalesContext& ctx);
int FillerCalcCount(const SalesContext& ctx);
QString FillerTableName(int index);
QString FillerViewName(int index);
QString FillerCalcName(int index);

void WriteSalesTables(SalesContext& ctx);
void WriteSalesViews(SalesContext& ctx);
void WriteSalesCalendars(SalesContext& ctx);
void WriteSalesCalculations(SalesContext& ctx);
void WriteSalesReports(SalesContext& ctx);

} // namespace demo
