// The preview and export drivers: banner, titles, blocks, element ids, progress
// steps and their own error handling. Fragments come from the renderers, so the
// expectations ask the same renderer for the fragment of the item.
#include "reports/CalendarDetail.h"
#include "reports/ObjectDrivers.h"
#include "reports/TableDetail.h"
#include "reports/ViewDetail.h"
#include "shell/Globals.h"
#include "support/LogReader.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace bkl;
using namespace bkl::reports;

namespace {

// Keeps every value and caption the driver writes.
class RecordingSink final : public ProgressSink {
public:
    RecordingSink(int lo, int hi) : lo_(lo), hi_(hi), value_(lo) {}
    int minimum() const override { return lo_; }
    int maximum() const override { return hi_; }
    int value() const override { return value_; }
    void setValue(int v) override
    {
        if (failWrites)
            throw std::out_of_range("Invalid property value");
        CheckProgressValue(v, lo_, hi_);
        value_ = v;
        values.push_back(v);
    }
    void setCaption(const QString& c) override { captions << c; }
    std::vector<int> values;
    QStringList captions;
    bool failWrites = false;

private:
    int lo_, hi_, value_;
};

// The drivers' own ERROR lines (renderers log their own failures separately).
QStringList DriverErrorLines()
{
    QStringList lines;
    for (const QString& line : test::LogLines()) {
        if (line.contains(QStringLiteral("Function: CreateTheHTMLForAllObjects()"))
            || line.contains(QStringLiteral("Function: ExportAllObjects()")))
            lines << line;
    }
    return lines;
}

class PreviewDrivers : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::ClearLog();
        g_lPreviewDone = 0;
        g_lPreviewTotal = 0;
    }
    void startRun(long total)
    {
        g_lPreviewDone = 0;
        g_lPreviewTotal = total;
    }
};

const QString kTablesBanner = QStringLiteral(
    "<table border='0' width='100%' bgcolor='#000080' cellspacing='2' cellpadding='0'><tr>"
    "<td> <b><font color='#FFFFFF' face='Calibri' size='2'><b>Tables</b></font></b></td></tr></table>");

QString Section(const QString& id, const QString& title, const QString& fragment)
{
    return QStringLiteral("<p><b><font face='Calibri' size='2'><span title='Click here to see more information' "
                          "style='cursor:pointer; cursor:hand' onclick='toggleDiv(\"")
        + id + QStringLiteral("\")'>") + title + QStringLiteral("</span></font></b></p><div id='") + id
        + QStringLiteral("'><p><b><font face='Calibri' size='2'>") + fragment
        + QStringLiteral("</font></b></p></div>");
}

} // namespace

TEST_F(PreviewDrivers, KindKeyIsTrimmedAndCaseBlindUnknownKeysGiveNothing)
{
    startRun(4);
    RecordingSink sink(1, 5);
    const QString expected = CreateTheHTMLForAllObjects(QStringLiteral("Tables"), QString(), sink);
    EXPECT_EQ(expected, kTablesBanner);
    EXPECT_EQ(CreateTheHTMLForAllObjects(QStringLiteral("  tAbLeS "), QString(), sink), kTablesBanner);
    for (const char* key : {"Table", "", "TABLES!"}) {
        EXPECT_EQ(CreateTheHTMLForAllObjects(QLatin1String(key), QStringLiteral("A|B"), sink), QString()) << key;
        EXPECT_EQ(ExportAllObjects(QLatin1String(key), QStringLiteral("A|B"), sink), QString()) << key;
    }
    EXPECT_TRUE(sink.values.empty());
    EXPECT_TRUE(sink.captions.empty());
    EXPECT_EQ(g_lPreviewDone, 0);
    EXPECT_EQ(ExportAllObjects(QStringLiteral(" calendars"), QString(), sink), QStringLiteral("* CALENDARS *\r\n\r\n"));
    EXPECT_TRUE(DriverErrorLines().isEmpty());
}

TEST_F(PreviewDrivers, IdsRestartPerCallAndEmptyItemsAreObjects)
{
    startRun(5);
    RecordingSink sink(1, 6);
    const QString tables = CreateTheHTMLForAllObjects(QStringLiteral("Tables"), QStringLiteral("|A"), sink);
    EXPECT_EQ(tables, kTablesBanner + Section("TAB_1", "", GetTableDetails(g_cnModel, QString()))
                          + Section("TAB_2", "A", GetTableDetails(g_cnModel, QStringLiteral("A"))));
    const QString views = CreateTheHTMLForAllObjects(QStringLiteral("Views"), QStringLiteral("V1|V2|V3"), sink);
    EXPECT_TRUE(views.contains(QStringLiteral("toggleDiv(\"VIE_1\")'>V1</span>")));
    EXPECT_TRUE(views.contains(QStringLiteral("<div id='VIE_3'>")));
    EXPECT_FALSE(views.contains(QStringLiteral("VIE_4")));
    EXPECT_EQ(sink.values, (std::vector<int>{2, 3, 4, 5, 6}));
    EXPECT_EQ(sink.captions, (QStringList{"20%", "40%", "60%", "80%", "100%"}));
}

TEST_F(PreviewDrivers, PercentagesRoundHalvesToEven)
{
    startRun(8);
    RecordingSink sink(1, 9);
    CreateTheHTMLForAllObjects(QStringLiteral("Calculations"), QStringLiteral("a|b|c|d|e|f|g|h"), sink);
    EXPECT_EQ(sink.captions, (QStringList{"12%", "25%", "38%", "50%", "62%", "75%", "88%", "100%"}));
}

TEST_F(PreviewDrivers, ProgressNeverCostsOutput)
{
    // A bar whose range is too short stays at its maximum; a zero total shows 0%.
    startRun(0);
    RecordingSink sink(1, 2);
    const QString html = CreateTheHTMLForAllObjects(QStringLiteral("Tables"), QStringLiteral("A|B|C"), sink);
    EXPECT_TRUE(html.contains(QStringLiteral("<div id='TAB_3'>")));
    EXPECT_EQ(sink.values, (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(sink.captions, (QStringList{"0%", "0%", "0%"}));
    EXPECT_EQ(ExportAllObjects(QStringLiteral("Tables"), QStringLiteral("A"), sink),
              QStringLiteral("* TABLES *\r\n\r\n") + ExportTableDetails(g_cnModel, QStringLiteral("A")));
    EXPECT_TRUE(DriverErrorLines().isEmpty());
}

TEST_F(PreviewDrivers, ItemTextsAreEscapedInTitlesOnly)
{
    startRun(1);
    RecordingSink sink(1, 2);
    const QString item = QStringLiteral("(7) R&D <\"Q'1\">");
    const QString html = CreateTheHTMLForAllObjects(QStringLiteral("Tailored Reports"), item, sink);
    EXPECT_TRUE(html.contains(QStringLiteral("toggleDiv(\"TAIL_1\")'>(7) R&amp;D &lt;&quot;Q&#39;1&quot;&gt;</span>")));
    EXPECT_FALSE(html.contains(item));
}

TEST_F(PreviewDrivers, ExportBlocksFollowTheHeaderCalendarsWithOneMoreLineEnd)
{
    startRun(4);
    RecordingSink sink(1, 5);
    EXPECT_EQ(ExportAllObjects(QStringLiteral("Tables"), QStringLiteral("A|B"), sink),
              QStringLiteral("* TABLES *\r\n\r\n") + ExportTableDetails(g_cnModel, QStringLiteral("A"))
                  + ExportTableDetails(g_cnModel, QStringLiteral("B")));
    EXPECT_EQ(ExportAllObjects(QStringLiteral("Calendars"), QStringLiteral("(1) M|(2) Q"), sink),
              QStringLiteral("* CALENDARS *\r\n\r\n") + ExportCalendarDetails(g_cnModel, QStringLiteral("(1) M"))
                  + QStringLiteral("\r\n") + ExportCalendarDetails(g_cnModel, QStringLiteral("(2) Q"))
                  + QStringLiteral("\r\n"));
    EXPECT_EQ(g_lPreviewDone, 4);
}

TEST_F(PreviewDrivers, OwnFailureLogsAndGivesTheNeutralValue)
{
    startRun(2);
    RecordingSink sink(1, 3);
    sink.failWrites = true;
    EXPECT_EQ(CreateTheHTMLForAllObjects(QStringLiteral("Views"), QStringLiteral("A|B"), sink),
              QStringLiteral("<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>"));
    EXPECT_EQ(ExportAllObjects(QStringLiteral("Views"), QStringLiteral("A"), sink), QString());
    const QStringList lines = DriverErrorLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(
        QStringLiteral("|ERROR|Function: CreateTheHTMLForAllObjects() --> Code: 380 --> Description: Invalid property value")));
    EXPECT_TRUE(lines[1].endsWith(
        QStringLiteral("|ERROR|Function: ExportAllObjects() --> Code: 380 --> Description: Invalid property value")));
}
