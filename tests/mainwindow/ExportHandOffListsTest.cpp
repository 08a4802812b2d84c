// The pure hand-off of checked rows: every kind's list, types in any case, and
// the count; the mixed set through the windows is in ExportHandOffTest.
#include "mainwindow/CheckedObjects.h"

#include <gtest/gtest.h>

using namespace bkl::mainwindow;

namespace {
QString Q(const char* s) { return QString::fromUtf8(s); }
} // namespace

TEST(ExportHandOffLists, TrimsNamesMatchesTypesAnyCaseAndCountsUnknownTypes)
{
    const CheckedObjects handOff = CollectCheckedObjects({
        {Q("  T1  "), Q(" Table ")},
        {Q("(12) Fiscal"), Q("Calendar")},
        {Q("Bonus"), Q("  calculation ")},
        {Q("Rate"), Q("CALCULATION")},
        {Q("Mystery"), Q("Widget")},
        {Q("(3) Plan A"), Q("Compensation Plan")},
        {Q("(7) Statement"), Q("Tailored Report")},
        {Q("Dashboard"), Q("Presentor Report")},
    });
    EXPECT_EQ(handOff.lists[0], Q("|T1"));
    EXPECT_EQ(handOff.lists[2], Q("|(12) Fiscal"));
    EXPECT_EQ(handOff.lists[3], Q("|Bonus|Rate"));
    EXPECT_EQ(handOff.lists[4], Q("|(3) Plan A"));
    EXPECT_EQ(handOff.lists[5], Q("|(7) Statement"));
    EXPECT_EQ(handOff.lists[6], Q("|Dashboard"));
    EXPECT_EQ(handOff.lists[1], QString());
    // The unknown row is in no list but is handed over and counted.
    EXPECT_EQ(handOff.count(), 8);
    EXPECT_EQ(handOff.recordCountCaption(), Q("9"));
    EXPECT_EQ(handOff.rows[0].name, Q("T1"));
    EXPECT_EQ(handOff.rows[0].type, Q("Table"));
    EXPECT_EQ(handOff.rows[2].type, Q("calculation")); // trimmed, not upper-cased
    EXPECT_EQ(handOff.rows[4].name, Q("Mystery"));

    const CheckedObjects none = CollectCheckedObjects({});
    EXPECT_EQ(none.count(), 0);
    EXPECT_EQ(none.recordCountCaption(), Q("1"));
}
