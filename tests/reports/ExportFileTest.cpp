// The export file without the dialog: its dated name, its path, the object
// count the progress is sized from, and the exact bytes the writer puts down,
// also when the sections are streamed into the file as their objects are read.
#include "mainwindow/FindStatement.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/ExportFile.h"
#include "reports/ObjectDrivers.h"
#include "shell/Globals.h"
#include "support/FileBytes.h"

#include "ReportTestSupport.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <stdexcept>

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

namespace {

// The export lists naming every object of every kind of `model`, as the object list's rows give them.
ExportLists EveryObject(const db::Connection& model)
{
    ExportLists lists;
    for (size_t k = 0; k < mainwindow::kAllKinds.size(); ++k)
        for (db::Recordset rs(mainwindow::FindStatement(mainwindow::kAllKinds[k], QString(), false, false), model);
             !rs.eof(); rs.moveNext())
            lists[k] += u'|' + rs.field(0).toText();
    return lists;
}

QByteArray StreamedExport(const QString& path, const ExportLists& lists, ProgressSink& progress)
{
    ExportFileWriter file(path);
    WriteExportSections(file, lists, progress);
    file.close();
    return bkl::test::FileBytes(path);
}

// The file as the run wrote it when it built each kind's whole section before writing it.
QByteArray WholeSectionsExport(const ExportLists& lists, ProgressSink& progress)
{
    QByteArray bytes;
    for (size_t k = 0; k < lists.size(); ++k)
        if (!Trim(lists[k]).isEmpty())
            bytes += (ExportAllObjects(QLatin1String(ExportKinds()[k].driverKey), Trim(lists[k]).mid(1), progress)
                      + u"\r\n\r\n\r\n"_s)
                         .toUtf8();
    return bytes;
}

// A bar that refuses its `failAt`-th value, as a bar control refuses one out of its range.
class BarFailingAt final : public ProgressSink {
public:
    explicit BarFailingAt(int failAt) : failAt_(failAt) {}
    int minimum() const override { return 0; }
    int maximum() const override { return 1000000; }
    int value() const override { return value_; }
    void setValue(int value) override
    {
        if (++writes_ == failAt_)
            throw std::out_of_range("Invalid property value");
        value_ = value;
    }
    void setCaption(const QString&) override {}

private:
    int failAt_;
    int writes_ = 0;
    int value_ = 0;
};

} // namespace

TEST_F(ReportTest, TheStreamedExportOfEveryObjectKeepsTheFileBytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"BKL_M_05Dec2026203625.txt"_s);
    const db::Connection previous = g_cnModel;
    // Every object of every kind of a scale-3 source model (1,193 objects) and of the edge-case model:
    // the bytes the run wrote when it built each section whole (their hashes taken from that run).
    const struct {
        db::Connection model;
        const char* sha256;
    } models[] = {{OpenScaledDemoModel(u"SalesModel2026"_s, 3), "3def439d20192f86861c42b01bae0bb4fe510a3087a709303df3eacf01be65f5"},
                  {edge(), "4f686a42f791c0b22b57bbeed9dce12341e25c4941b329eb93d2aa766fe07b6e"}};
    for (const auto& m : models) {
        g_cnModel = m.model;
        const ExportLists lists = EveryObject(m.model);
        PlainProgressSink progress(0, 1000000, 0);
        const QByteArray streamed = StreamedExport(path, lists, progress);
        EXPECT_EQ(QCryptographicHash::hash(streamed, QCryptographicHash::Sha256).toHex().toStdString(), m.sha256)
            << ExportItemCount(lists) << " objects, " << streamed.size() << " bytes";
        EXPECT_EQ(streamed, WholeSectionsExport(lists, progress));
    }

    // A kind whose driver fails part-way (its third calculation) writes none of its text, as a
    // section built whole wrote none; the kinds before and after it are written.
    ClearLog();
    g_cnModel = source();
    ExportLists lists = EveryObject(source());
    lists = {lists[0], QString(), QString(), lists[3], QString(), QString(), lists[6]};
    const int tables = static_cast<int>(lists[0].count(u'|'));
    BarFailingAt streamBar(tables + 3);
    BarFailingAt wholeBar(tables + 3);
    const QByteArray streamed = StreamedExport(path, lists, streamBar);
    EXPECT_EQ(streamed, WholeSectionsExport(lists, wholeBar));
    EXPECT_TRUE(streamed.contains("\r\n\r\n\r\n\r\n\r\n\r\n* PRESENTOR REPORTS *\r\n\r\n"));
    EXPECT_FALSE(streamed.contains("* CALCULATIONS *"));
    EXPECT_EQ(LogMessages(u"ERROR"_s).size(), 2); // once per run
    g_cnModel = previous;
}
