#include "ReportTestSupport.h"

#include "reports/DetailSectionRule.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>

namespace bkl::test {

namespace {
QString logPath() { return TestHome() + QStringLiteral("/logs/BKL.log"); }
} // namespace

void ClearLog()
{
    QDir().mkpath(TestHome() + QStringLiteral("/logs"));
    QFile::remove(logPath());
}

QStringList LogMessages(const QString& levelWord)
{
    QFile f(logPath());
    QStringList messages;
    if (!f.open(QIODevice::ReadOnly))
        return messages;
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        const QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() >= 4 && fields.at(2) == levelWord)
            messages.append(fields.mid(3).join(QLatin1Char('|')));
    }
    return messages;
}

db::Connection OpenDemoModel(const QString& catalog)
{
    db::Connection cn;
    cn.setConnectionString(DemoConnectionString(catalog));
    cn.open();
    return cn;
}

db::Connection* ReportTest::source_ = nullptr;
db::Connection* ReportTest::edge_ = nullptr;

void ReportTest::SetUpTestSuite()
{
    source_ = new db::Connection(OpenDemoModel(QString::fromLatin1(kSourceModel)));
    edge_ = new db::Connection(OpenDemoModel(QString::fromLatin1(kEdgeModel)));
}

void ReportTest::TearDownTestSuite()
{
    delete source_;
    delete edge_;
    source_ = edge_ = nullptr;
}

void ReportTest::SetUp()
{
    ClearLog();
    SetAllSectionFlags(true);
}

void SetAllSectionFlags(bool on)
{
    for (const reports::DetailSection& s : reports::DetailSectionCatalogue())
        *s.flag = on;
}

} // namespace bkl::test
