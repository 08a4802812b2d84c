// The export file without the dialog: its dated name, its path, the object
// count the progress is sized from, and the exact bytes the writer puts down.
#include "reports/ExportFile.h"
#include "reports/ObjectDrivers.h"
#include "shell/Globals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bkl::reports;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

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

    ASSERT_EQ(ExportKinds().size(), 7u);
    EXPECT_STREQ(ExportKinds()[2].driverKey, "Calendars");
    EXPECT_STREQ(ExportKinds()[3].statusText, "Export Calculation(s)...");
    EXPECT_STREQ(ExportKinds()[6].statusText, "Export Presentor Report(s)...");
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
    EXPECT_EQ(ReadAll(path), QByteArray("* TABLES *\r\n\r\nBlock \xc3\x84\r\n\r\n\r\n\r\n\r\n\r\n\r\n"));
}

TEST(ExportFileWriter, FailuresThrowWithTheirNumbers)
{
    QTemporaryDir dir;
    QFile regular(dir.filePath(QStringLiteral("plain.txt")));
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();
    // A folder below a regular file cannot exist, whoever runs the test.
    try {
        ExportFileWriter file(dir.filePath(QStringLiteral("plain.txt/sub/out.txt")));
        FAIL() << "created a file below a regular file";
    } catch (const ExportFileError& e) {
        EXPECT_EQ(e.number(), kExportFileAccessError);
        EXPECT_TRUE(e.description().contains(QStringLiteral("plain.txt/sub/out.txt")));
    }

    // A full device fails the write of the first section.
    ExportFileWriter full(QStringLiteral("/dev/full"));
    try {
        full.writeSection(QStringLiteral("* TABLES *"));
        FAIL() << "a write to a full device succeeded";
    } catch (const ExportFileError& e) {
        EXPECT_EQ(e.number(), kExportFileWriteError);
    }
}

TEST(ExportFileSections, KindsInFixedOrderWithStatusTexts)
{
    // Unknown objects of the demo model give renderers' neutral values; the
    // layout around them is what is pinned here.
    g_cnModel = bkl::db::Connection();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    ExportLists lists;
    lists[3] = QStringLiteral("|C1");
    lists[0] = QStringLiteral("  |T1|T2  ");
    lists[1] = QStringLiteral("   ");
    g_lPreviewDone = 0;
    g_lPreviewTotal = 3;
    PlainProgressSink progress(1, 4, 1);
    QStringList events;
    ExportKindHooks hooks;
    hooks.started = [&](const QString& status) { events << status; };
    hooks.finished = [&] { events << QStringLiteral("done"); };
    ExportFileWriter file(path);
    WriteExportSections(file, lists, progress, hooks);
    file.close();

    EXPECT_EQ(events, (QStringList{QStringLiteral("Export Table(s)..."), QStringLiteral("done"),
                                   QStringLiteral("Export Calculation(s)..."), QStringLiteral("done")}));
    EXPECT_EQ(progress.value(), 4);
    EXPECT_EQ(progress.caption(), QStringLiteral("100%"));
    const QByteArray bytes = ReadAll(path);
    EXPECT_TRUE(bytes.startsWith("* TABLES *\r\n\r\n")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("\r\n\r\n\r\n* CALCULATIONS *\r\n\r\n")) << bytes.constData();
    EXPECT_TRUE(bytes.endsWith("\r\n\r\n\r\n"));
    EXPECT_FALSE(bytes.contains("VIEWS"));
}
