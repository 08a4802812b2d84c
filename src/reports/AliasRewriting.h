#pragma once
// Formula alias rewriting: a calculation's texts name joins, lookups and other
// calculations by tokens ("_TableAlias0", "_LookupAlias2", "_Result12"); the
// rewriting replaces each token it can resolve by the name the model holds for
// it and leaves everything else as it stands.
#include "platform/db/Connection.h"
#include "reports/CalcPolicy.h"

#include <QString>
#include <cstdint>

namespace bkl::reports {

// Most passes one alias word gets in one call. A pass runs again only while the
// previous one changed the text, so this bound only matters when names put in
// hold tokens again (a calculation whose name is its own "_Result" token).
inline constexpr int kMaxAliasPasses = 16;

// Rewrites `text` for calculation `calcId`: table aliases first, then lookup
// aliases, then results, so a name put in by an earlier pass is rewritten by the
// later ones. A text without any alias word comes back unchanged without a query.
// In HTML mode `text` is HTML and every name put in is HTML-escaped.
// On a failure: ERROR line, `text` unchanged.
QString ReplaceResultAndLookupAndTableAlias(const db::Connection& cn, const QString& text, int32_t calcId,
                                            RenderMode mode = RenderMode::Text,
                                            const AliasRewritePolicy& policy = AliasRewritePolicy());

// "Table1.Column1" of the calculation's join row `index` (0-based, by Position)
// when that row's Table2 and Column2 are not blank; "" otherwise or on a failure.
QString GetCalcNameForTableAlias(const db::Connection& cn, int32_t calcId, int32_t index,
                                 const AliasRewritePolicy& policy = AliasRewritePolicy());
// Source of the calculation's lookup row `index` (0-based, by LookupID), unstripped; "" when there is none.
QString GetCalcNameForLookupAlias(const db::Connection& cn, int32_t calcId, int32_t index,
                                  const AliasRewritePolicy& policy = AliasRewritePolicy());
// Name of calculation `id`; "" when there is none.
QString GetCalcNameForResultAlias(const db::Connection& cn, int32_t id,
                                  const AliasRewritePolicy& policy = AliasRewritePolicy());

} // namespace bkl::reports
