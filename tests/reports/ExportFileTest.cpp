// The export file without the dialog: its dated name, its path, the object
// count the progress is sized from, and the exact bytes the writer puts down.
#include "reports/ExportFile.h"
#include "reports/ObjectDrivers.h"
#include "shell/Globals.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bkl::reports;

namespace {

const QDateTime kRunTime(QDate(2026, 12, 5), QTime(20, 36, 25));

} // namespace

TEST(ExportFileName, DatedNameStaysInsideTheChosenFolder)
{
    EXPECT_EQ(ExportFileName(QStringLiteral("SalesComp"), kRunTime), QStringLiteral("BKL_SalesComp_05Dec2026203625.txt"));
    EXPECT_EQ(ExportFileName(QStringLiteral("M"), QDateTime(QDate(2027, 1, 9), QTime(7, 5, 3))),
              QStringLiteral("BKL_M_09Jan2027070503.txt"));
    // Separators in the model name cannot climb out of the folder.
    EXPECT_EQ(ExportFileName(QStringLiteral("../../etc/x\\y"), kRunTime),
              QStringLiteral("BKL_.._.._etc_x_y_05Dec2026203625.txt"));

    EXPECT_EQ(ExportFilePath(QStringLiteral("  /srv/exports  "), QStringLiteral("f.txt")), QStringLiteral("/srv/exports/f.txt"));
    EXPECT_EQ(ExportFilePath(QStringLiteral("/srv/exports/"), QStringLiteral("f.txt")), QStringLiteral("/srv/exports/f.txt"));
}

TEST(ExportFileCount, CountsTheItemsTheDriverWillSplit)
{
    // Blank and empty lists name nothing; "|" alone names nothing; a trailing
    // "|" adds an empty item, as the driver splits it.
    const ExportLists lists{QStringLiteral("|A|B"), QString(), QStringLiteral("   "), QStringLiteral("|"),
                            QStringLiteral(" |C| "), QStringLiteral("|(12) Fiscal"), QString()};
    EXPECT_EQ(ExportItemCount(lists), 2 + 2 + 1);
    EXPECT_EQ(ExportItemCount(ExportLists{}), 0);
}

TEST(ExportFileWriter, WritesUtf8SectionsWithThreeLineEndsAndReplacesTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BKL_M_05Dec2026203625.txt"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(500, 'x'));
    }
    ExportFileWriter file(path);
    file.writeSection(QStringLiteral("* TABLES *\r\n\r\nBlock \u00c4\r\n"));
    file.writeSection(QString());
    file.close();
    EXPECT_EQ(bkl::test::FileBytes(path), QByteArray("* TABLES *\r\n\r\nBlock \xc3\x84\r\n\r\n\r\n\r\n\r\n\r\n\r\n"));
}
