#include "mainwindow/AuditTraceStatement.h"

#include "AuditTraceFixture.h"

#include <gtest/gtest.h>

using bkl::mainwindow::AuditTopCount;
using bkl::mainwindow::AuditTraceOptions;
using bkl::mainwindow::AuditTraceStatement;

namespace {

const QString kTop200 = QStringLiteral("SELECT TOP 200") + kAuditColumns;
const QString kAll = QStringLiteral("SELECT") + kAuditColumns;

// The options as the window has them after opening: All mode, Event Desc
// checked with no text, Show Top 200, newest first.
AuditTraceOptions Defaults()
{
    AuditTraceOptions o;
    o.message.checked = true;
    o.topCount = 200;
    return o;
}

} // namespace

TEST(AuditTraceStatement, FilterClausesInOrderWithTheLastAndCut)
{
    AuditTraceOptions o = Defaults();
    o.filterMode = true;
    o.message = {true, "quarterly"};
    o.event = {true, "Calculation Created"};
    o.module = {true, "Calculations"};
    o.user = {true, "admin"};
    EXPECT_EQ(AuditTraceStatement(o),
              kTop200 + " WHERE UPPER(Message) LIKE '%QUARTERLY%' AND UPPER(Event) LIKE '%CALCULATION CREATED%' AND "
                        "UPPER(Module) LIKE '%CALCULATIONS%' AND UPPER(UserID) LIKE '%ADMIN%'  ORDER BY Time DESC");

    // Only Event: the clause loses its " AND" and the order follows.
    o = Defaults();
    o.filterMode = true;
    o.message.checked = false;
    o.event = {true, "Login"};
    o.dateAscending = true;
    EXPECT_EQ(AuditTraceStatement(o), kTop200 + " WHERE UPPER(Event) LIKE '%LOGIN%'  ORDER BY Time ASC");

    // No checked filter: the trailing "WHERE " is cut, leaving a blank before " ORDER BY".
    // (The default statement and All mode are pinned by the window tests.)
    o.event.checked = false;
    o.dateAscending = false;
    EXPECT_EQ(AuditTraceStatement(o), kTop200 + "  ORDER BY Time DESC");
}

TEST(AuditTraceStatement, ShowAllDropsTheTopCount)
{
    AuditTraceOptions o = Defaults();
    o.topCount.reset();
    EXPECT_EQ(AuditTraceStatement(o), kAll + "  ORDER BY Time DESC");

    o.filterMode = true;
    o.message = {false, ""};
    o.module = {true, "Import"};
    EXPECT_EQ(AuditTraceStatement(o), kAll + " WHERE UPPER(Module) LIKE '%IMPORT%'  ORDER BY Time DESC");

    o.topCount = 5;
    EXPECT_EQ(AuditTraceStatement(o).left(40), QStringLiteral("SELECT TOP 5 UserID AS AUDITUSERID, Modu"));
}

TEST(AuditTraceStatement, SearchTextAsTypedQuotesDoubledWildcardsKept)
{
    AuditTraceOptions o = Defaults();
    o.filterMode = true;
    o.message = {true, " O'Brien "};
    o.user = {true, "a_b%[c]"};
    EXPECT_EQ(AuditTraceStatement(o),
              kTop200 + " WHERE UPPER(Message) LIKE '% O''BRIEN %' AND UPPER(UserID) LIKE '%A_B%[C]%'  ORDER BY Time DESC");
}

TEST(AuditTraceStatement, TopCountIsAPositiveWholeNumber)
{
    EXPECT_EQ(AuditTopCount("200"), 200);
    EXPECT_EQ(AuditTopCount(" 200 "), 200);
    EXPECT_EQ(AuditTopCount("007"), 7);
    EXPECT_EQ(AuditTopCount("3000000000"), 3000000000LL);
    for (const char* refused : {"abc", "12.5", "-5", "0", "", "   ", "1e3", "12abc", "+5", "99999999999999999999"})
        EXPECT_FALSE(AuditTopCount(QString::fromLatin1(refused)).has_value()) << refused;
}
