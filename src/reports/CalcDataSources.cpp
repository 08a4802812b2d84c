#include "reports/CalcDataSources.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/AliasRewriting.h"
#include "reports/CalcCells.h"
#include "reports/CalcRules.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"
#include "reports/RestrictionTree.h"


namespace bkl::reports {

namespace {

QString crLf() { return QString::fromLatin1(kCrLf); }

} // namespace

QString CalculationSourceAndJoinAndUnion(const db::Connection& cn, const QString& primarySource, int32_t calcId,
                                         RenderMode mode, const CalcPolicy& policy)
{
    const bool html = mode == RenderMode::Html;
    const SectionFailure failure =
        SectionFailureFor(mode, policy.html.dataSources, "ExportCalculationSourceAndJoinAndUnion");
    return RunGuarded(failure.logName, failure.value, [&] {
        const QString head = html
            ? QLatin1String(kListTableOpen)
                + Row(QStringLiteral("<td colspan=2> ") + ListFontOpen() + QStringLiteral("&nbsp;Primary Source: ")
                      + HtmlText(primarySource) + QStringLiteral("</font></td>"))
            : QStringLiteral("\tPrimary Source: ") + primarySource + crLf();

        db::Recordset lookups(QStringLiteral("SELECT [LOOKUPID] = cl.[LookupID], [LOOKUPNAME] = cl.[Name], "
                                             "[LOOKUPSOURCE] = cl.[Source] FROM [CalculationLookup] cl WHERE "
                                             "cl.[CalculationID] = ")
                                  + QString::number(calcId) + QStringLiteral(" ORDER BY [LookupID]"),
                              cn);
        QString block;
        int lookupCount = 0;
        for (; !lookups.eof(); lookups.moveNext()) {
            CountOne16(lookupCount);
            const int32_t lookupId = CLng(Val(lookups.field(QStringLiteral("LOOKUPID")).toText()));
            const QString source = lookups.field(QStringLiteral("LOOKUPSOURCE")).toText();
            const QString name = lookups.field(QStringLiteral("LOOKUPNAME")).toText();
            const bool showName = Trim(name) != Trim(source);
            if (html) {
                block += QStringLiteral("Add Columns: <u>") + HtmlText(source)
                    + (showName ? QStringLiteral(" [") + HtmlText(name) + QStringLiteral("]</u>") : QStringLiteral("</u>"))
                    + QLatin1String(kBr);
            } else {
                block += QStringLiteral("\tAdd Columns: ") + source
                    + (showName ? QStringLiteral(" [") + name + QLatin1Char(']') : QString()) + crLf();
            }
            block += GetCalcConstraintTree(cn, calcId, lookupId, 0, html ? policy.lookupTreeDepth : int16_t(1),
                                           RenderModeText(mode), policy.constraintTreeName,
                                           DisplayedTreeText(cn, calcId, mode, policy));
        }
        lookups.close();
        block = ReplaceResultAndLookupAndTableAlias(cn, block, calcId, mode, policy.alias);

        QString byColumn;
        if (lookupCount > 0) {
            byColumn = html ? CalcHeadingRow(QStringLiteral("Join Type: By Column")) + CalcSpacerCell() + CalcTextCell(block)
                            : QStringLiteral("\tJoin Type: By Column") + crLf() + block;
        }

        db::Recordset unions(QStringLiteral("SELECT [UNIONTABLE] = [UnionTable] FROM CalculationUnion WHERE "
                                            "CalculationID = ")
                                 + QString::number(calcId) + QStringLiteral(" ORDER BY [UnionID]"),
                             cn);
        QString unionLines;
        int unionCount = 0;
        for (; !unions.eof(); unions.moveNext()) {
            const QString table = ReplaceResultAndLookupAndTableAlias(
                cn, unions.field(QStringLiteral("UNIONTABLE")).toText(), calcId, RenderMode::Text, policy.alias);
            unionLines += html ? Row(CalcSpacerCell() + CalcTextCell(QLatin1String(kNbsp) + HtmlText(table)))
                               : QStringLiteral("\t") + table + crLf();
            CountOne16(unionCount);
        }
        unions.close();

        QString byRow;
        if (unionCount > 0) {
            byRow = (html ? CalcHeadingRow(QStringLiteral("Join Type: By Row"))
                          : QStringLiteral("\tJoin Type: By Row") + crLf())
                + unionLines;
        }
        return head + byColumn + byRow + (html ? QLatin1String(kTableClose) : QLatin1String());
    });
}

QString GetCalculationSourceAndJoinAndUnion(const db::Connection& cn, const QString& primarySource, int32_t calcId)
{
    return CalculationSourceAndJoinAndUnion(cn, primarySource, calcId, RenderMode::Html, DetailPolicy());
}

QString ExportCalculationSourceAndJoinAndUnion(const db::Connection& cn, const QString& primarySource, int32_t calcId)
{
    return CalculationSourceAndJoinAndUnion(cn, primarySource, calcId, RenderMode::Text, DetailPolicy());
}

QString CalculationPartitions(const db::Connection& cn, int32_t calcId, const QString& timeLevel,
                              const QString& resetLevel, const QString& calendar, RenderMode mode,
                              const CalcPolicy& policy)
{
    const bool html = mode == RenderMode::Html;
    const SectionFailure failure = SectionFailureFor(mode, policy.html.partitions, "ExportCalculationPartitions");
    return RunGuarded(failure.logName, failure.value, [&] {
        db::Recordset rs(QStringLiteral("SELECT [PARTITIONORDER] = [Order] + 1, [PARTITIONNAME] = [Name], "
                                        "[PARTITIONSOURCETABLE] = [SourceTable], ")
                             + QStringLiteral("[PARTITIONSOURCECOLUMN] = [SourceColumn], [PARTITIONOUTPUTGROUP] = "
                                              "[OutputGroup], ")
                             + QStringLiteral("[PARTITIONACCUMULATING] = [Accumulating] FROM CalculationPartition "
                                              "WHERE CalculationID = ")
                             + QString::number(calcId) + QStringLiteral(" ORDER BY [PARTITIONORDER]"),
                         cn);
        const bool tagged = !timeLevel.isEmpty() && !resetLevel.isEmpty() && !calendar.isEmpty();
        const QString tag = QLatin1Char('[') + ModelText(calendar, mode) + QLatin1Char('/') + ModelText(timeLevel, mode)
            + QLatin1Char('/') + ModelText(resetLevel, mode) + QLatin1Char(']');
        QString out;
        for (; !rs.eof(); rs.moveNext()) {
            const QString name = rs.field(QStringLiteral("PARTITIONNAME")).toText();
            const QString table = ReplaceResultAndLookupAndTableAlias(
                cn, rs.field(QStringLiteral("PARTITIONSOURCETABLE")).toText(), calcId, RenderMode::Text, policy.alias);
            const QString body = ModelText(rs.field(QStringLiteral("PARTITIONORDER")).toText(), mode) + QStringLiteral(" - ")
                + ModelText(table, mode) + QLatin1Char('.')
                + ModelText(rs.field(QStringLiteral("PARTITIONSOURCECOLUMN")).toText(), mode) + QStringLiteral(" [")
                + ModelText(name, mode) + QStringLiteral("] ") + (tagged && Trim(name) == timeLevel ? tag : QString());
            out += html ? Row(ListCell(body)) : QStringLiteral("\t") + body + crLf();
        }
        return html ? QLatin1String(kListTableOpen) + out + QLatin1String(kTableClose) : out;
    });
}

QString GetCalculationPartitions(const db::Connection& cn, int32_t calcId, const QString& timeLevel,
                                 const QString& resetLevel, const QString& calendar)
{
    return CalculationPartitions(cn, calcId, timeLevel, resetLevel, calendar, RenderMode::Html, DetailPolicy());
}

QString ExportCalculationPartitions(const db::Connection& cn, int32_t calcId, const QString& timeLevel,
                                    const QString& resetLevel, const QString& calendar)
{
    return CalculationPartitions(cn, calcId, timeLevel, resetLevel, calendar, RenderMode::Text, DetailPolicy());
}

} // namespace bkl::reports
