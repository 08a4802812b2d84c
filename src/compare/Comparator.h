#pragma once
// The steps every comparator takes: the title rows, the existence test on the
// target model, then each detail section fetched once per side and compared.
// The per-kind comparators only say what their kind's pieces are.
#include "compare/CompareSides.h"
#include "compare/ComparisonPage.h"
#include "platform/db/Connection.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace bkl::compare {

// One detail section of a compared kind.
struct CompareSection {
    // Its DetailSectionFlags switch, read when the section's turn comes.
    const bool* flag;
    // The bold label, e.g. "Table Type:".
    QString label;
    CellOpenings openings;
    // The section's text (HTML) as one side's model holds it; on a failed read
    // the fetcher's neutral value, after its ERROR line.
    std::function<QString(const db::Connection&)> fetch;
};

// What a kind brings to the comparison page.
struct ComparedKind {
    // First title row, e.g. "Table Name: "; the object's name follows it.
    QString objectTitle;
    // Kind in the not-exists row, e.g. "Table".
    QString notExistsKind;
    // Let the message pump run once before each section (enabled or not).
    bool pumpBeforeSections;
};

// The compare result of `name`: "2" and the page with the not-exists row when
// `existenceSql` counts nothing on the target connection; otherwise "0" or "1"
// and the page with a row per enabled section. "3" and the page with the ERROR
// line of the first failure when the existence test or a fetch failed on either
// side: a failure's neutral value is never compared as if the model held it.
// Source-side failures of an object the source model lacks (its existence
// statement counts nothing there) are the no-row values of that side and are
// compared as usual. Throws only what building the page throws; each comparator
// wraps it in its own error handler (RunComparator).
QString RunComparison(const CompareSides& sides, const ComparedKind& kind, const QString& name,
                      const QString& existenceSql, const std::vector<CompareSection>& sections);

// Runs a counting statement and returns the first column of the last row read as
// a 32-bit number, 0 when there is no row; 0 after an ERROR line
// "Function: CheckIfObjectExists() -> Code: ..." when it fails.
int32_t CheckIfObjectExists(const QString& sql, const db::Connection& cn);

// A comparator's error handler: runs `body`; on any exception writes the
// comparator's ERROR line and returns "3" and the page of `name` with that line.
QString RunComparator(const QString& logName, const CompareSides& sides, const ComparedKind& kind,
                      const QString& name, const std::function<QString()>& body);

} // namespace bkl::compare
