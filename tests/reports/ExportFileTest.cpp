// The export file without the dialog: its dated name, its path, the object
// count the progress is sized from, and the exact bytes the writer puts down.
#include "reports/ExportFile.h"
#include "support/FileBytes.h"

#include "ReportTestSupport.h"

#include <QTemporaryDir>

TEST(ExportFile, DatedNameInsideTheFolderAndTheItemCount)
{
    const QDateTime runTime(QDate(2026, 12, 5), QTime(20, 36, 25));
    EXPECT_EQ(ExportFileName(u"SalesComp"_s, runTime), "BKL_SalesComp_05Dec2026203625.txt");
    EXPECT_EQ(ExportFileName(u"M"_s, QDateTime(QDate(2027, 1, 9), QTime(7, 5, 3))), "BKL_M_09Jan2027070503.txt");
    // Separators in the model name cannot climb out of the folder.
    EXPECT_EQ(ExportFileName(u"../../etc/x\\y"_s, runTime), "BKL_.._.._etc_x_y_05Dec2026203625.txt");
    EXPECT_EQ(ExportFilePath(u"  /srv/exports  "_s, u"f.txt"_s), "/srv/exports/f.txt");
    EXPECT_EQ(ExportFilePath(u"/srv/exports/"_s, u"f.txt"_s), "/srv/exports/f.txt");
    // Blank and empty lists name nothing; "|" alone names nothing; a trailing
    // "|" adds an empty item, as the driver splits it.
    EXPECT_EQ(ExportItemCount({u"|A|B"_s, QString(), u"   "_s, u"|"_s, u" |C| "_s, u"|(12) Fiscal"_s, QString()}), 2 + 2 + 1);
    EXPECT_EQ(ExportItemCount(ExportLists{}), 0);
}

TEST(ExportFile, WritesUtf8SectionsWithThreeLineEndsAndReplacesTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"BKL_M_05Dec2026203625.txt"_s);
    bkl::test::WriteFileBytes(path, QByteArray(500, 'x'));
    ExportFileWriter file(path);
    file.writeSection(u"* TABLES *\r\n\r\nBlock \u00c4\r\n"_s);
    file.writeSection(QString());
    file.close();
    EXPECT_EQ(bkl::test::FileBytes(path), QByteArray("* TABLES *\r\n\r\nBlock \xc3\x84\r\n\r\n\r\n\r\n\r\n\r\n\r\n"));
}
