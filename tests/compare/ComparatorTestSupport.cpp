#include "ComparatorTestSupport.h"

#include "reports/DetailSectionRule.h"
#include "shell/Log.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>

namespace bkl::comparetest {

void ClearLog()
{
    QDir().mkpath(ApplicationFolderPath(QStringLiteral("logs")));
    QFile::remove(LogFilePath());
}

QStringList ErrorMessages()
{
    QFile f(LogFilePath());
    QStringList messages;
    if (!f.open(QIODevice::ReadOnly))
        return messages;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() >= 4 && fields.at(2) == QLatin1String("ERROR"))
            messages.append(fields.mid(3).join(QLatin1Char('|')));
    }
    return messages;
}

db::Connection OpenDemoModel(const QString& catalog)
{
    db::Connection cn;
    cn.setConnectionString(test::DemoConnectionString(catalog));
    cn.open();
    return cn;
}

void SetAllSectionFlags(bool on)
{
    for (const reports::DetailSection& s : reports::DetailSectionCatalogue())
        *s.flag = on;
}

db::Connection* ComparatorTest::source_ = nullptr;
db::Connection* ComparatorTest::target_ = nullptr;
db::Connection* ComparatorTest::edge_ = nullptr;

void ComparatorTest::SetUpTestSuite()
{
    source_ = new db::Connection(OpenDemoModel(QLatin1String(kSourceModel)));
    target_ = new db::Connection(OpenDemoModel(QLatin1String(kTargetModel)));
    edge_ = new db::Connection(OpenDemoModel(QLatin1String(kEdgeModel)));
}

void ComparatorTest::TearDownTestSuite()
{
    delete source_;
    delete target_;
    delete edge_;
    source_ = target_ = edge_ = nullptr;
}

void ComparatorTest::SetUp()
{
    ClearLog();
    SetAllSectionFlags(true);
}

compare::CompareSides ComparatorTest::sides()
{
    return {source(), target(), QLatin1String(kSourceCaption), QLatin1String(kTargetCaption)};
}

compare::CompareSides ComparatorTest::edgeSides()
{
    return {edge(), edge(), QStringLiteral("EdgeCaseModel@demo"), QStringLiteral("EdgeCaseModel@demo")};
}

} // namespace bkl::comparetest

namespace bkl::comparetest {

QStringList MarkedSections(const QString& page)
{
    // Each section row starts with its label cell; the target cell of a differing
    // section is the only place of the orange marker before the next label.
    QStringList labels;
    const QString labelOpen = QStringLiteral("<tr><td width='10%' ><b><font  face='Calibri' size='2'>");
    const QStringList rows = page.split(labelOpen);
    for (qsizetype i = 1; i < rows.size(); ++i) {
        if (rows.at(i).contains(QStringLiteral("bgcolor = '#FF8040'><font")))
            labels.append(rows.at(i).left(rows.at(i).indexOf(QStringLiteral("</font></b></td>"))));
    }
    return labels;
}

} // namespace bkl::comparetest
