#include "ReportTestSupport.h"

#include "platform/db/DbError.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace bkl::reports;

TEST(FragmentsItemText, SplitsIdAndName)
{
    auto expectSplit = [](const QString& text, const QString& id, const QString& name) {
        const ItemTextParts p = SplitItemText(text);
        EXPECT_EQ(p.id, id) << text.toStdString();
        EXPECT_EQ(p.name, name) << text.toStdString();
        EXPECT_EQ(p.text, text.trimmed()) << text.toStdString();
    };
    expectSplit(QStringLiteral("(12) North Plan"), QStringLiteral("12"), QStringLiteral("North Plan"));
    expectSplit(QStringLiteral(" (12)North Plan "), QStringLiteral("12"), QStringLiteral("North Plan"));
    expectSplit(QStringLiteral("( 12 )  North Plan"), QStringLiteral("12"), QStringLiteral("North Plan"));
    expectSplit(QStringLiteral("()X"), QString(), QStringLiteral("X"));
    expectSplit(QStringLiteral("12) X"), QStringLiteral("12"), QStringLiteral("X"));
    expectSplit(QStringLiteral("(12)"), QStringLiteral("12"), QString());
    // Only blanks are stripped: a tab stays part of the name.
    EXPECT_EQ(SplitItemText(QStringLiteral("(1) A\t")).name, QStringLiteral("A\t"));

    for (const QString bad : {QStringLiteral("(12 X"), QStringLiteral(")("), QStringLiteral("North Plan")}) {
        try {
            SplitItemText(bad);
            ADD_FAILURE() << bad.toStdString();
        } catch (const RenderError& e) {
            EXPECT_EQ(e.number(), 5);
            EXPECT_EQ(e.description(), QStringLiteral("Invalid procedure call or argument"));
        }
    }
}

TEST(FragmentsGuard, LogsTheProcedureLineAndReturnsTheNeutralValue)
{
    bkl::test::ClearLog();
    // A capture hears the first failure under it; an inner one only its own.
    FailureCapture outer;
    EXPECT_EQ(RunGuarded(QStringLiteral("GetTableDetails"), QString::fromLatin1(kErrorSpacer),
                         []() -> QString { throw bkl::db::DbError(208, QStringLiteral("src"), QStringLiteral("no such table")); }),
              QString::fromLatin1(kErrorSpacer));
    EXPECT_EQ(RunGuarded(QStringLiteral("GetTableCountUsingSYSTables"), 0LL,
                         []() -> long long { throw std::overflow_error("x"); }),
              0LL);
    EXPECT_EQ(RunGuarded(QStringLiteral("ExportCalendarDetails"), QString(),
                         []() -> QString { return SplitItemText(QStringLiteral("(1 X")).id; }),
              QString());
    EXPECT_EQ(RunGuardedWithArgument(QStringLiteral("ExportCalculationDetails"), QStringLiteral("Calc A"), QString(),
                                     []() -> QString { throw bkl::db::DbError(3021, QStringLiteral("s"), QStringLiteral("EOF")); }),
              QString());
    const auto ok = ReadCapturing([] { return RunGuarded(QStringLiteral("X"), QString(), [] { return QStringLiteral("ok"); }); });
    EXPECT_EQ(ok.value, QStringLiteral("ok"));
    EXPECT_FALSE(ok.error);
    const auto quiet = ReadCapturing([] {
        try {
            throw std::runtime_error("quiet");
        } catch (...) {
            NoteCurrentError(QStringLiteral("Walk"));
        }
        return 0;
    });
    EXPECT_EQ(quiet.error, QStringLiteral("Function: Walk() --> Code: 5 --> Description: quiet"));
    EXPECT_EQ(outer.firstError(), QStringLiteral("Function: GetTableDetails() --> Code: 208 --> Description: no such table"));
    EXPECT_EQ(bkl::test::LogMessages(),
              QStringList({QStringLiteral("Function: GetTableDetails() --> Code: 208 --> Description: no such table"),
                           QStringLiteral("Function: GetTableCountUsingSYSTables() --> Code: 6 --> Description: Overflow"),
                           QStringLiteral("Function: ExportCalendarDetails() --> Code: 5 --> Description: Invalid procedure call or argument"),
                           QStringLiteral("Function: ExportCalculationDetails(Calc A) --> Code: 3021 --> Description: EOF")}));
}
