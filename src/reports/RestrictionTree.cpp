#include "reports/RestrictionTree.h"

#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/AliasRewriting.h"
#include "reports/CalcCells.h"
#include "reports/CalcRules.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

namespace bkl::reports {

namespace {

class TreeCycle : public RenderError {
public:
    using RenderError::RenderError;
};

bool isHtmlMode(const QString& renderMode) { return UCase(renderMode) == QLatin1String("HTML"); }

QString idClause(const char* column, int32_t id)
{
    if (id == 0)
        return QStringLiteral("AND [") + QLatin1String(column) + QStringLiteral("] IS NULL ");
    return QStringLiteral("AND [") + QLatin1String(column) + QStringLiteral("] = ") + QString::number(id)
        + QLatin1Char(' ');
}

// One walk over one tree (one calculation, one lookup or none).
class TreeWalk {
public:
    TreeWalk(const db::Connection& cn, int32_t calcId, int32_t lookupId, int16_t startDepth, const QString& renderMode,
             const QString& cycleLogName, const DisplayedText& displayed)
        : cn_(cn), calcId_(calcId), lookupId_(lookupId), startDepth_(startDepth), mode_(renderMode),
          html_(isHtmlMode(renderMode)), cycleLogName_(cycleLogName), displayed_(displayed)
    {
    }

    // The lines of the level below `parentId`; "" when the level fails.
    QString level(int32_t parentId, int16_t depth)
    {
        try {
            return levelLines(parentId, depth);
        } catch (const TreeCycle&) {
            LogCurrentError(cycleLogName_);
            return QString();
        } catch (...) {
            // The level's lines are lost without a log line; a comparison still learns of it.
            NoteCurrentError(cycleLogName_);
            return QString();
        }
    }

private:
    QString lineEnd() const { return html_ ? QString::fromLatin1(kBr) : QString::fromLatin1(kCrLf); }
    QString model(const QString& text) const { return ModelText(text, html_ ? RenderMode::Html : RenderMode::Text); }

    QString levelLines(int32_t parentId, int16_t depth)
    {
        db::Recordset rs(QStringLiteral("SELECT [CONSTRAINTID] = cct.[ConstraintID], [LOOKUPID] =  cct.[LookupID], ")
                             + QStringLiteral("[LOOKUPPARENT] = [Parent], [CLAUSETYPE] = cct.[ClauseType] ")
                             + QStringLiteral("FROM [CalcConstraintTree] cct WHERE cct.[CalculationID] = ")
                             + QString::number(calcId_) + QLatin1Char(' ') + idClause("LookupID", lookupId_)
                             + idClause("Parent", parentId),
                         cn_);
        // One block of lines per node: a leaf's line, or a group with everything below it.
        QStringList blocks;
        for (; !rs.eof(); rs.moveNext()) {
            const int32_t id = CLng(rs.field(QStringLiteral("CONSTRAINTID")).toDouble());
            const db::Value& clause = rs.field(QStringLiteral("CLAUSETYPE"));
            if (clause.isNull()) {
                blocks << leafLine(id, depth);
                continue;
            }
            const int16_t type = CInt(clause.toDouble());
            if (type != 0 && type != 1)
                continue;
            enterGroup(id, depth);
            const QString indent = ReturnIndent(depth, mode_);
            blocks << indent + (type == 0 ? QStringLiteral("AND (") : QStringLiteral("ANY (")) + lineEnd()
                    + level(id, static_cast<int16_t>(depth + 1)) + indent + QLatin1Char(')') + lineEnd();
        }
        return displayed_ ? inDisplayedOrder(blocks) : blocks.join(QString());
    }

    // The statement leaves the nodes under one parent unordered: they are put in
    // order of what they display, so stored order does not show.
    QString inDisplayedOrder(const QStringList& blocks) const
    {
        std::vector<std::pair<QString, QString>> keyed;
        for (const QString& block : blocks)
            keyed.emplace_back(displayed_(block), block);
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        QString lines;
        for (const auto& [key, block] : keyed)
            lines += block;
        return lines;
    }

    // Refuses a group already walked (the parent links loop) or one nested too deep.
    void enterGroup(int32_t id, int16_t depth)
    {
        if (visited_.contains(id))
            throw TreeCycle(kRunawayRecursionNumber,
                            QStringLiteral("Constraint %1 of calculation %2 is reached twice; the tree's parent "
                                           "links form a cycle")
                                .arg(id)
                                .arg(calcId_));
        if (depth == std::numeric_limits<int16_t>::max())
            throw std::overflow_error("indent depth beyond 16 bits"); // fails the level silently
        if (depth - startDepth_ >= kMaxConstraintNesting)
            throw TreeCycle(kRunawayRecursionNumber,
                            QStringLiteral("Constraint %1 of calculation %2 is nested more than %3 levels deep")
                                .arg(id)
                                .arg(calcId_)
                                .arg(kMaxConstraintNesting));
        visited_.insert(id);
    }

    QString leafLine(int32_t id, int16_t depth)
    {
        db::Recordset rs(QStringLiteral("SELECT [LEFTJOINTABLE] = ccv.[TableName], [LEFTJOINCOLUMN] = ccv.[ColumnName], ")
                             + QStringLiteral("[JOINOPERATOR] = ccv.[Operator], [JOINVALUE] = ccv.[Value], ")
                             + QStringLiteral("[JOINLITERALTYPE] = ccv.[LiteralType] FROM [CalcConstraintValue] ccv ")
                             + QStringLiteral("WHERE ccv.[ConstraintID] = ") + QString::number(id),
                         cn_);
        const QString table = rs.field(QStringLiteral("LEFTJOINTABLE")).toText();
        const QString column = rs.field(QStringLiteral("LEFTJOINCOLUMN")).toText();
        const QString word = rs.field(QStringLiteral("JOINOPERATOR")).toText();
        const QString value = rs.field(QStringLiteral("JOINVALUE")).toText();
        return ReturnIndent(depth, mode_) + model(table) + QLatin1Char('.') + model(column) + QLatin1Char(' ')
            + GetOperatorSymbol(word) + QLatin1Char(' ') + model(value) + lineEnd();
    }

    const db::Connection& cn_;
    const int32_t calcId_;
    const int32_t lookupId_;
    const int16_t startDepth_;
    const QString mode_;
    const bool html_;
    const QString cycleLogName_;
    const DisplayedText displayed_;
    QSet<int32_t> visited_;
};

} // namespace

QString GetOperatorSymbol(const QString& operatorWord)
{
    static const QHash<QString, QString> symbols{
        {QStringLiteral("EQUALS"), QStringLiteral(" = ")},
        {QStringLiteral("GREATERTHANEQUALS"), QStringLiteral(" >= ")},
        {QStringLiteral("LESSTHANEQUALS"), QStringLiteral(" <= ")},
        {QStringLiteral("ISNULL"), QStringLiteral(" Is Empty ")},
        {QStringLiteral("ISNOTNULL"), QStringLiteral(" Is Not Empty ")},
        {QStringLiteral("GREATERTHAN"), QStringLiteral(" > ")},
        {QStringLiteral("LESSTHAN"), QStringLiteral(" < ")},
        {QStringLiteral("NOTEQUALS"), QStringLiteral(" <> ")},
    };
    return symbols.value(UCase(Trim(operatorWord)), QStringLiteral(" UNKNOWN "));
}

QString ReturnIndent(int count, const QString& renderMode)
{
    if (count <= 0)
        return QString();
    return (isHtmlMode(renderMode) ? QString::fromLatin1(kNbsp) : QStringLiteral("\t")).repeated(count);
}

QString RenderModeText(RenderMode mode)
{
    return mode == RenderMode::Html ? QStringLiteral("HTML") : QStringLiteral("TEXT");
}

QString GetCalcConstraintTree(const db::Connection& cn, int32_t calcId, int32_t lookupId, int32_t parentId,
                              int16_t depth, const QString& renderMode, const QString& cycleLogName,
                              const DisplayedText& displayed)
{
    TreeWalk walk(cn, calcId, lookupId, depth, renderMode, cycleLogName, displayed);
    return walk.level(parentId, depth);
}

DisplayedText DisplayedTreeText(const db::Connection& cn, int32_t calcId, RenderMode mode, const CalcPolicy& policy)
{
    if (policy.unorderedRows == RowOrder::AsRead)
        return {};
    return [&cn, calcId, mode, &policy](const QString& lines) {
        return ReplaceResultAndLookupAndTableAlias(cn, lines, calcId, mode, policy.alias);
    };
}

QString CalculationRestrictions(const db::Connection& cn, int32_t calcId, RenderMode mode, const CalcPolicy& policy)
{
    const bool html = mode == RenderMode::Html;
    const SectionFailure failure =
        SectionFailureFor(mode, policy.html.restrictions, "ExportCalculationRestrictions");
    return RunGuarded(failure.logName, failure.value, [&] {
        const QString tree = GetCalcConstraintTree(cn, calcId, 0, 0, html ? 2 : 1, RenderModeText(mode),
                                                   policy.constraintTreeName,
                                                   DisplayedTreeText(cn, calcId, mode, policy));
        const QString rewritten = ReplaceResultAndLookupAndTableAlias(cn, tree, calcId, mode, policy.alias);
        if (!html)
            return rewritten;
        return QLatin1String(kListTableOpen) + CalcSpacerCell() + CalcTextCell(rewritten) + QLatin1String(kTableClose);
    });
}

QString GetCalculationRestrictions(const db::Connection& cn, int32_t calcId)
{
    return CalculationRestrictions(cn, calcId, RenderMode::Html, DetailPolicy());
}

QString ExportCalculationRestrictions(const db::Connection& cn, int32_t calcId)
{
    return CalculationRestrictions(cn, calcId, RenderMode::Text, DetailPolicy());
}

} // namespace bkl::reports
