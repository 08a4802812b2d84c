// The platform layer stands beneath the program: it includes nothing of the shell,
// the windows or the reports (it writes to the log through PlatformLog.h, which the
// shell installs), so that it can be built and tested on its own.
#include "support/SourceScan.h"

#include <gtest/gtest.h>

TEST(PlatformLayer, IncludesNothingOfTheProgramAboveIt)
{
    const QRegularExpression above(QStringLiteral(R"(#include\s+"(shell|mainwindow|compare|reports)/)"));
    const QStringList found = bkl::test::SourceLinesMatching(above, {}).filter(QRegularExpression(QStringLiteral("^src/platform/")));
    EXPECT_TRUE(found.isEmpty()) << found.join(QLatin1Char('\n')).toStdString();
}
