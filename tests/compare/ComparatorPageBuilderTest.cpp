// The comparison page builder without a model: the two texts are compared exactly.
#include "compare/ComparisonPage.h"
#include "compare/SectionCells.h"

#include <gtest/gtest.h>

using namespace bkl::compare;

TEST(ComparatorPageBuilder, TextsAreComparedExactly)
{
    const bkl::db::Connection none;
    const CompareSides sides{none, none, QStringLiteral("S@h"), QStringLiteral("T@h")};
    const struct {
        const char* source;
        const char* target;
        const char* status;
    } cases[] = {{"Data", "Data", "1"}, {"Data", "data", "0"}, {"Data", "Data ", "0"}, {"&nbsp;", "&nbsp;", "1"}};
    for (const auto& c : cases) {
        ComparisonPage page(QStringLiteral("Table Name: "), QStringLiteral("X"), sides);
        page.startSections();
        page.addSection(QStringLiteral("Table Type:"), cells::TableType(), QString::fromUtf8(c.source),
                        QString::fromUtf8(c.target));
        EXPECT_EQ(page.finish().left(1), QLatin1String(c.status)) << c.source << " / " << c.target;
    }
    // No section: identical.
    ComparisonPage empty(QStringLiteral("View Name: "), QStringLiteral("V"), sides);
    EXPECT_EQ(empty.finish().left(1), QStringLiteral("1"));
}
