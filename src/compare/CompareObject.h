#pragma once
// The compare dispatcher: compares one object of the compare list between the
// source and the target model.
#include "compare/CompareSides.h"
#include "platform/db/Connection.h"

#include <QString>

namespace bkl::compare {

// Returns the compare result string: a status digit — "0" exists in the target
// and some compared section differs, "1" exists and every compared section is
// equal, "2" not in the target, "3" the existence test, a fetch or the
// comparator failed on either side — followed by the object's HTML comparison
// page (for "3" the title rows and the failure's ERROR line). Kinds that are not
// compared (compensation plans, tailored reports) give "".
// `kind` is the list type trimmed and upper-cased ("TABLE", "VIEW", "CALENDAR",
// "CALCULATION", "PRESENTOR REPORT", ...), compared exactly.
// The sections compared are those whose DetailSectionFlags are set.
// The page names the models by ModelCaption of each connection.
QString CompareObject(const db::Connection& source, const db::Connection& target, const QString& name,
                      const QString& kind);

// The same with the two model captions given.
QString CompareObject(const CompareSides& sides, const QString& name, const QString& kind);

} // namespace bkl::compare
