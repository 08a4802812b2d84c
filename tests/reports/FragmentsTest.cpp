#include "platform/db/DbError.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"

#include "ReportTestSupport.h"

#include <array>
#include <stdexcept>

TEST(Fragments, ItemTextSplitsIdAndName)
{
    const std::array<const char*, 3> cases[] = {{"(12) North Plan", "12", "North Plan"}, {" (12)North Plan ", "12", "North Plan"},
                                                {"( 12 )  North Plan", "12", "North Plan"}, {"()X", "", "X"},
                                                {"12) X", "12", "X"},                       {"(12)", "12", ""}};
    for (const auto& [text, id, name] : cases) {
        const ItemTextParts p = SplitItemText(QString::fromUtf8(text));
        EXPECT_EQ(p.id, id) << text;
        EXPECT_EQ(p.name, name) << text;
        EXPECT_EQ(p.text, QString::fromUtf8(text).trimmed()) << text;
    }
    // Only blanks are stripped: a tab stays part of the name.
    EXPECT_EQ(SplitItemText(u"(1) A\t"_s).name, "A\t");
    for (const QString bad : {u"(12 X"_s, u")("_s, u"North Plan"_s}) {
        try {
            SplitItemText(bad);
            ADD_FAILURE() << bad.toStdString();
        } catch (const RenderError& e) {
            EXPECT_EQ(e.number(), 5);
            EXPECT_EQ(e.description(), "Invalid procedure call or argument");
        }
    }
}

TEST(Fragments, GuardLogsTheProcedureLineAndReturnsTheNeutralValue)
{
    bkl::test::ClearLog();
    // A capture hears the first failure under it; an inner one only its own.
    FailureCapture outer;
    const QString spacer = QString::fromLatin1(kErrorSpacer);
    EXPECT_EQ(RunGuarded(u"GetTableDetails"_s, spacer,
                         []() -> QString { throw bkl::db::DbError(208, u"src"_s, u"no such table"_s); }),
              spacer);
    EXPECT_EQ(RunGuarded(u"GetTableCountUsingSYSTables"_s, 0LL, []() -> long long { throw std::overflow_error("x"); }), 0LL);
    EXPECT_EQ(RunGuarded(u"ExportCalendarDetails"_s, QString(), []() -> QString { return SplitItemText(u"(1 X"_s).id; }),
              QString());
    EXPECT_EQ(RunGuardedWithArgument(u"ExportCalculationDetails"_s, u"Calc A"_s, QString(),
                                     []() -> QString { throw bkl::db::DbError(3021, u"s"_s, u"EOF"_s); }),
              QString());
    const auto ok = ReadCapturing([] { return RunGuarded(u"X"_s, QString(), [] { return u"ok"_s; }); });
    EXPECT_EQ(ok.value, "ok");
    EXPECT_FALSE(ok.error);
    const auto quiet = ReadCapturing([] {
        try {
            throw std::runtime_error("quiet");
        } catch (...) {
            NoteCurrentError(u"Walk"_s);
        }
        return 0;
    });
    EXPECT_EQ(quiet.error, "Function: Walk() --> Code: 5 --> Description: quiet");
    EXPECT_EQ(outer.firstError(), "Function: GetTableDetails() --> Code: 208 --> Description: no such table");
    EXPECT_EQ(bkl::test::LogMessages(),
              QStringList({u"Function: GetTableDetails() --> Code: 208 --> Description: no such table"_s,
                           u"Function: GetTableCountUsingSYSTables() --> Code: 6 --> Description: Overflow"_s,
                           u"Function: ExportCalendarDetails() --> Code: 5 --> Description: Invalid procedure call or argument"_s,
                           u"Function: ExportCalculationDetails(Calc A) --> Code: 3021 --> Description: EOF"_s}));
}
