#pragma once
// The restriction tree: a calculation's restrictions, and the join conditions of
// each of its lookups, stored as a tree of AND / ANY groups and leaf conditions,
// rendered as indented lines.
#include "platform/db/Connection.h"
#include "reports/CalcPolicy.h"

#include <QString>
#include <cstdint>
#include <functional>

namespace bkl::reports {

// Deepest nesting a tree walk follows below its starting level; deeper groups
// end their branch like a cycle does.
inline constexpr int kMaxConstraintNesting = 64;

// Symbol of a stored operator word (stripped, upper-cased): " = ", " >= ", " <= ",
// " Is Empty ", " Is Not Empty ", " > ", " < ", " <> ", anything else " UNKNOWN ".
QString GetOperatorSymbol(const QString& operatorWord);

// `count` indent units: "&nbsp;" when `renderMode` upper-cased is "HTML", else a
// TAB each; "" for a count of 0 or less.
QString ReturnIndent(int count, const QString& renderMode);

// What tree lines display as once their alias tokens are rewritten.
using DisplayedText = std::function<QString(const QString& lines)>;

// The lines of the level below `parentId` (0 = top) of the tree of calculation
// `calcId` and lookup `lookupId` (0 = the calculation's own restrictions), and of
// every level below it, each line indented by `depth` units. `renderMode` is
// "HTML" (in any letter case) or anything else for text. A failing level gives ""
// and its caller goes on; a group met twice (a cycle in the stored links) or
// nested deeper than kMaxConstraintNesting fails its level with an ERROR line.
// The nodes under one parent come as the server returns them, or, given
// `displayed`, in order of what they display.
QString GetCalcConstraintTree(const db::Connection& cn, int32_t calcId, int32_t lookupId, int32_t parentId,
                              int16_t depth, const QString& renderMode,
                              const QString& cycleLogName = DetailPolicy().constraintTreeName,
                              const DisplayedText& displayed = {});

// How a policy orders the tree's nodes: none for RowOrder::AsRead, else the
// lines rewritten by the policy's alias rewriting on `cn` for calculation `calcId`.
DisplayedText DisplayedTreeText(const db::Connection& cn, int32_t calcId, RenderMode mode, const CalcPolicy& policy);

// The calculation's restrictions: HTML list table (the tree at depth 2) or text
// (depth 1), after alias rewriting.
QString CalculationRestrictions(const db::Connection& cn, int32_t calcId, RenderMode mode, const CalcPolicy& policy);
QString GetCalculationRestrictions(const db::Connection& cn, int32_t calcId);
QString ExportCalculationRestrictions(const db::Connection& cn, int32_t calcId);

// Mode text the tree takes for a render mode: "HTML" or "TEXT".
QString RenderModeText(RenderMode mode);

} // namespace bkl::reports
