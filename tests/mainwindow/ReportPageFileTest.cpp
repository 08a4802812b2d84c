// A report page file holds a whole page at every moment: the page before until the
// next one is closed complete, also when the next one is given up part-way.
#include "mainwindow/ReportPageFile.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

using namespace bkl::mainwindow;
using bkl::test::FileBytes;

TEST(ReportPageFile, TheFileHoldsTheWholePageBeforeUntilTheNextIsClosed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("_temp_02.html"));
    WriteReportPage(path, QStringLiteral("<html>old</html>\r\n"));
    EXPECT_EQ(FileBytes(path), "<html>old</html>\r\n");
    {
        ReportPageFile page(path);
        page.writeLine(QStringLiteral("<html><body>"));
        const qint64 table = page.size();
        page.write(QStringLiteral("<table><tr>\u00c4</tr>"));
        EXPECT_EQ(FileBytes(path), "<html>old</html>\r\n");
        page.truncate(table); // a failed table is taken back
        page.writeLine(QStringLiteral("spacer"));
        EXPECT_EQ(page.size(), 22);
        EXPECT_EQ(FileBytes(path), "<html>old</html>\r\n");
        page.close();
    }
    EXPECT_EQ(FileBytes(path), "<html><body>\r\nspacer\r\n");

    // Given up part-way (a write failed, an exception passed): the page before stays, nothing beside it.
    std::optional<ReportPageFile> abandoned(std::in_place, path);
    abandoned->writeLine(QStringLiteral("<html><body>"));
    abandoned.reset();
    EXPECT_EQ(FileBytes(path), "<html><body>\r\nspacer\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"_temp_02.html"});

    // A page that cannot take its file's place (a folder stands there) fails naming the file.
    const QString blocked = dir.filePath(QStringLiteral("_temp_04.html"));
    ASSERT_TRUE(QDir().mkpath(blocked));
    try {
        WriteReportPage(blocked, QStringLiteral("page"));
        ADD_FAILURE() << "no failure";
    } catch (const PageFileError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(QStringLiteral("Cannot write ") + blocked + ": ")) << e.what();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"_temp_02.html"});
}
