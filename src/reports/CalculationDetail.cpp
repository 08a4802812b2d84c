#include "reports/CalculationDetail.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/AliasRewriting.h"
#include "reports/CalcDataSources.h"
#include "reports/CalcFolder.h"
#include "reports/CalcTypeAndCalendar.h"
#include "reports/CalcWhereUsed.h"
#include "reports/DetailSectionFlags.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"
#include "reports/RestrictionTree.h"

namespace bkl::reports {

namespace {

// The calculation's row, each column with NULL read as "".
struct CalcRow {
    int32_t id = 0;
    QString type, name, comment, primarySource, operation, calendarUsed, timeLevel, resetLevel;
};

// Reads the row of the calculation named `itemText` (stripped); with no such row
// the first field read fails, as the detail's error handler expects.
CalcRow readCalcRow(const db::Connection& cn, const QString& itemText)
{
    const db::Recordset rs(
        QStringLiteral("SELECT [CALCID]=[CalculationID], [CALCTYPE] = [Type], [CALCNAME]=[Name], "
                       "[CALCCOMMENT]=[Comment], [CALCPRIMARYSOURCE] = [Source], ")
            + QStringLiteral("[CALCOPERATION] = [Operation], [CALCCALENDARUSED]= [CalendarUsed], ")
            + QStringLiteral("[CALCTIMELEVEL] = [TimeLevel], [CALCRESETLEVEL] = [ResetLevel] FROM [Calculation] ")
            + QStringLiteral("WHERE [Name] = '") + SqlText(Trim(itemText)) + QStringLiteral("'"),
        cn);
    const auto text = [&](const char* alias) { return rs.field(QLatin1String(alias)).toText(); };
    CalcRow row;
    const QString idText = text("CALCID");
    row.type = text("CALCTYPE");
    row.name = text("CALCNAME");
    row.comment = text("CALCCOMMENT");
    row.primarySource = text("CALCPRIMARYSOURCE");
    row.operation = text("CALCOPERATION");
    row.calendarUsed = text("CALCCALENDARUSED");
    row.timeLevel = text("CALCTIMELEVEL");
    row.resetLevel = text("CALCRESETLEVEL");
    row.id = CLng(Val(idText));
    return row;
}

QString detailRow(const char* label, const QString& value, ValuePadding padding)
{
    return Row(LabelCell(QLatin1String(label)) + ValueCell(value, padding));
}

QString crLf() { return QString::fromLatin1(kCrLf); }

// A section whose value starts on the line after its label.
QString multiLineSection(const char* label, const QString& value)
{
    return QLatin1String(label) + crLf() + value + crLf();
}

} // namespace

QString GetCalculationDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuarded(QStringLiteral("GetCalculationDetails"), QString::fromLatin1(kErrorSpacer), [&] {
        const CalcRow calc = readCalcRow(cn, itemText);
        const int32_t k = calc.id;
        const QString name = Trim(calc.name);
        // All nine values are computed, whatever the name turns out to be.
        const QString primarySource = ReplaceResultAndLookupAndTableAlias(cn, calc.primarySource, k);
        const QString dataSources = GetCalculationSourceAndJoinAndUnion(cn, primarySource, k);
        const QString calendar = GetTimeCalendar(cn, calc.calendarUsed);
        const QString typeName = GetCalculationTypeName(calc.type);
        const QString formula = ReplaceResultAndLookupAndTableAlias(cn, Trim(calc.operation), k);
        const QString partitions =
            GetCalculationPartitions(cn, k, Trim(calc.timeLevel), Trim(calc.resetLevel), Trim(calc.calendarUsed));
        const QString restrictions = GetCalculationRestrictions(cn, k);
        const QString folder = GetCalculationFolder(cn, k, name);
        const QString dependencies = GetCalculationDependentObjects(cn, k, name);
        if (name.isEmpty())
            return QString::fromLatin1(kNoDetails);
        return QLatin1String(kFullWidthDetailTableOpen) + detailRow("Type", typeName, ValuePadding::Both)
            + detailRow("Description", HtmlText(calc.comment), ValuePadding::Both)
            + detailRow("Data Source(s)", dataSources, ValuePadding::None)
            + detailRow("Formula", HtmlText(formula), ValuePadding::Both)
            + detailRow("Partitions", partitions, ValuePadding::None)
            + detailRow("Restrictions", restrictions, ValuePadding::None)
            + detailRow("Calendar", HtmlText(calendar), ValuePadding::Both)
            + detailRow("Dependencies", dependencies, ValuePadding::None)
            + detailRow("Folder", folder, ValuePadding::None) + QLatin1String(kTableClose);
    });
}

QString ExportCalculationDetails(const db::Connection& cn, const QString& itemText)
{
    return RunGuardedWithArgument(QStringLiteral("ExportCalculationDetails"), itemText, QString(), [&] {
        const CalcRow calc = readCalcRow(cn, itemText);
        const int32_t k = calc.id;
        const QString name = Trim(calc.name);
        if (name.isEmpty())
            return QString::fromLatin1(kNoDetails);
        QString block = SectionSeparator() + CaptionLine(QLatin1String(kCalculationCaption), calc.name);
        if (g_bCalcType)
            block += ScalarSection(QStringLiteral("Type: "), GetCalculationTypeName(calc.type));
        if (g_bCalcDescription)
            block += ScalarSection(QStringLiteral("Description: "), calc.comment);
        if (g_bCalcDataSources)
            block += multiLineSection("Data Source(s): ",
                                      ExportCalculationSourceAndJoinAndUnion(
                                          cn, ReplaceResultAndLookupAndTableAlias(cn, calc.primarySource, k), k));
        if (g_bCalcFormula)
            block += ScalarSection(QStringLiteral("Formula: "),
                                   ReplaceResultAndLookupAndTableAlias(cn, Trim(calc.operation), k));
        if (g_bCalcPartitions)
            block += multiLineSection("Partitions: ",
                                      ExportCalculationPartitions(cn, k, Trim(calc.timeLevel), Trim(calc.resetLevel),
                                                                  Trim(calc.calendarUsed)));
        if (g_bCalcRestrictions)
            block += multiLineSection("Restrictions: ", ExportCalculationRestrictions(cn, k));
        if (g_bCalcCalendar)
            block += ScalarSection(QStringLiteral("Calendar: "), GetTimeCalendar(cn, calc.calendarUsed));
        if (g_bCalcDependencies)
            block += multiLineSection("Dependencies: ", ExportCalculationDependentObjects(cn, k, name));
        if (g_bCalcFolder)
            block += multiLineSection("Folder: ", ExportCalculationFolder(cn, k, name));
        return block;
    });
}

} // namespace bkl::reports
