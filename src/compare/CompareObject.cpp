#include "compare/CompareObject.h"

namespace bkl::compare {

// Placeholder until the comparators land.
QString CompareObject(const db::Connection&, const db::Connection&, const QString&, const QString&) { return QString(); }

} // namespace bkl::compare
