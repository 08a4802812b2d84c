// The preview and export drivers: banner, titles, blocks, element ids, progress
// steps and their own error handling. Fragments come from the renderers, so the
// expectations ask the same renderer for the fragment of the item.
#include "reports/CalendarDetail.h"
#include "reports/ObjectDrivers.h"
#include "reports/TableDetail.h"
#include "shell/Globals.h"

#include "ReportTestSupport.h"

#include <QRegularExpression>
#include <stdexcept>

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
        values.push_back(value_ = v);
    }
    void setCaption(const QString& c) override { captions << c; }
    std::vector<int> values;
    QStringList captions;
    bool failWrites = false;

private:
    int lo_, hi_, value_;
};

class PreviewDrivers : public ::testing::Test {
protected:
    void SetUp() override { test::ClearLog(); }
    // A run of `total` objects on a bar from 1 to `barMax` (the total + 1 unless given).
    RecordingSink& startRun(long total, int barMax = -1)
    {
        g_lPreviewDone = 0;
        g_lPreviewTotal = total;
        sink = std::make_unique<RecordingSink>(1, barMax < 0 ? int(total) + 1 : barMax);
        return *sink;
    }
    // The drivers' own ERROR lines (renderers log their own failures separately).
    static QStringList DriverErrorLines()
    {
        return test::LogLines().filter(QRegularExpression(u"Function: (CreateTheHTMLForAllObjects|ExportAllObjects)\\(\\)"_s));
    }
    std::unique_ptr<RecordingSink> sink;
};

const QString kTablesBanner = u"<table border='0' width='100%' bgcolor='#000080' cellspacing='2' cellpadding='0'><tr>"
                              "<td> <b><font color='#FFFFFF' face='Calibri' size='2'><b>Tables</b></font></b></td></tr></table>"_s;

QString Section(const QString& id, const QString& title, const QString& fragment)
{
    return "<p><b><font face='Calibri' size='2'><span title='Click here to see more information' style='cursor:pointer; "
           "cursor:hand' onclick='toggleDiv(\"" + id + "\")'>" + title + "</span></font></b></p><div id='" + id
        + "'><p><b><font face='Calibri' size='2'>" + fragment + "</font></b></p></div>";
}

} // namespace

TEST_F(PreviewDrivers, KindKeyIsTrimmedAndCaseBlindUnknownKeysGiveNothing)
{
    RecordingSink& sink = startRun(4);
    EXPECT_EQ(CreateTheHTMLForAllObjects(u"Tables"_s, QString(), sink), kTablesBanner);
    EXPECT_EQ(CreateTheHTMLForAllObjects(u"  tAbLeS "_s, QString(), sink), kTablesBanner);
    for (const char* key : {"Table", "", "TABLES!"}) {
        EXPECT_EQ(CreateTheHTMLForAllObjects(QLatin1String(key), u"A|B"_s, sink), QString()) << key;
        EXPECT_EQ(ExportAllObjects(QLatin1String(key), u"A|B"_s, sink), QString()) << key;
    }
    EXPECT_TRUE(sink.values.empty() && sink.captions.empty());
    EXPECT_EQ(g_lPreviewDone, 0);
    EXPECT_EQ(ExportAllObjects(u" calendars"_s, QString(), sink), "* CALENDARS *\r\n\r\n");
    EXPECT_TRUE(DriverErrorLines().isEmpty());
}

TEST_F(PreviewDrivers, IdsRestartPerCallEmptyItemsAreObjectsAndTitlesAreEscaped)
{
    RecordingSink& sink = startRun(5);
    EXPECT_EQ(CreateTheHTMLForAllObjects(u"Tables"_s, u"|A"_s, sink),
              kTablesBanner + Section(u"TAB_1"_s, QString(), GetTableDetails(g_cnModel, QString()))
                  + Section(u"TAB_2"_s, u"A"_s, GetTableDetails(g_cnModel, u"A"_s)));
    const QString views = CreateTheHTMLForAllObjects(u"Views"_s, u"V1|V2|V3"_s, sink);
    ExpectPieces(views, {"toggleDiv(\"VIE_1\")'>V1</span>", "<div id='VIE_3'>"});
    EXPECT_FALSE(views.contains(u"VIE_4"_s));
    EXPECT_EQ(sink.values, (std::vector<int>{2, 3, 4, 5, 6}));
    EXPECT_EQ(sink.captions, (QStringList{"20%", "40%", "60%", "80%", "100%"}));

    const QString item = u"(7) R&D <\"Q'1\">"_s;
    const QString html = CreateTheHTMLForAllObjects(u"Tailored Reports"_s, item, startRun(1));
    ExpectPieces(html, {"toggleDiv(\"TAIL_1\")'>(7) R&amp;D &lt;&quot;Q&#39;1&quot;&gt;</span>"});
    EXPECT_FALSE(html.contains(item));
}

TEST_F(PreviewDrivers, PercentagesRoundHalvesToEven)
{
    RecordingSink& sink = startRun(8);
    CreateTheHTMLForAllObjects(u"Calculations"_s, u"a|b|c|d|e|f|g|h"_s, sink);
    EXPECT_EQ(sink.captions, (QStringList{"12%", "25%", "38%", "50%", "62%", "75%", "88%", "100%"}));
}

TEST_F(PreviewDrivers, ExportBlocksAndProgressThatNeverCostsOutput)
{
    RecordingSink& sink = startRun(4);
    EXPECT_EQ(ExportAllObjects(u"Tables"_s, u"A|B"_s, sink),
              "* TABLES *\r\n\r\n" + ExportTableDetails(g_cnModel, u"A"_s) + ExportTableDetails(g_cnModel, u"B"_s));
    // Calendar blocks take one more line end.
    EXPECT_EQ(ExportAllObjects(u"Calendars"_s, u"(1) M|(2) Q"_s, sink),
              "* CALENDARS *\r\n\r\n" + ExportCalendarDetails(g_cnModel, u"(1) M"_s) + "\r\n"
                  + ExportCalendarDetails(g_cnModel, u"(2) Q"_s) + "\r\n");
    EXPECT_EQ(g_lPreviewDone, 4);

    // A bar whose range is too short stays at its maximum; a zero total shows 0%.
    RecordingSink& shortBar = startRun(0, 2);
    ExpectPieces(CreateTheHTMLForAllObjects(u"Tables"_s, u"A|B|C"_s, shortBar), {"<div id='TAB_3'>"});
    EXPECT_EQ(shortBar.values, (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(shortBar.captions, (QStringList{"0%", "0%", "0%"}));
    EXPECT_EQ(ExportAllObjects(u"Tables"_s, u"A"_s, shortBar), "* TABLES *\r\n\r\n" + ExportTableDetails(g_cnModel, u"A"_s));
    EXPECT_TRUE(DriverErrorLines().isEmpty());
}

TEST_F(PreviewDrivers, OwnFailureLogsAndGivesTheNeutralValue)
{
    RecordingSink& sink = startRun(2);
    sink.failWrites = true;
    EXPECT_EQ(CreateTheHTMLForAllObjects(u"Views"_s, u"A|B"_s, sink),
              "<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>");
    EXPECT_EQ(ExportAllObjects(u"Views"_s, u"A"_s, sink), QString());
    const QStringList lines = DriverErrorLines();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(
        "|ERROR|Function: CreateTheHTMLForAllObjects() --> Code: 380 --> Description: Invalid property value"));
    EXPECT_TRUE(lines[1].endsWith("|ERROR|Function: ExportAllObjects() --> Code: 380 --> Description: Invalid property value"));
}
