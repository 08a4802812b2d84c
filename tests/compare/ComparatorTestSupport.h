#pragma once
// Shared helpers of the comparator tests: the demo source, target and edge-case
// models (opened once per suite), the comparison's two sides with fixed captions,
// the ERROR lines the comparators log, and the marked sections of a page.
#include "compare/CompareSides.h"
#include "support/DemoModel.h"
#include "support/LogReader.h"

#include <QString>
#include <QStringList>

namespace bkl::comparetest {

using test::ClearLog;
using test::SetAllSectionFlags;

// Messages of the ERROR lines written since the last ClearLog.
inline QStringList ErrorMessages() { return test::LogMessages(); }

// Fixture: the three models opened once, an empty log and every section on
// before each test.
class ComparatorTest : public test::DemoModelTest {
protected:
    // Source against target, captioned "SalesModel2026@demo" and "SalesModel2026_Target@demo".
    static compare::CompareSides sides();
    // The edge-case model against itself.
    static compare::CompareSides edgeSides();
};

// The page that follows the status digit of a result, and the digit itself.
inline QString StatusOf(const QString& result) { return result.left(1); }
inline QString PageOf(const QString& result) { return result.mid(1); }

// Labels of the section rows whose target cell is marked as differing, in page
// order (e.g. {"Columns:"}).
QStringList MarkedSections(const QString& page);

} // namespace bkl::comparetest
