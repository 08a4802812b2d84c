#include "DemoModel.h"

#include "LogReader.h"
#include "TestEnvironment.h"
#include "reports/DetailSectionRule.h"

namespace bkl::test {

db::Connection OpenDemoModel(const QString& catalog)
{
    db::Connection cn;
    cn.setConnectionString(DemoConnectionString(catalog));
    cn.open();
    return cn;
}

void SetAllSectionFlags(bool on)
{
    for (const reports::DetailSection& s : reports::DetailSectionCatalogue())
        *s.flag = on;
}

db::Connection* DemoModelTest::source_ = nullptr;
db::Connection* DemoModelTest::target_ = nullptr;
db::Connection* DemoModelTest::edge_ = nullptr;

void DemoModelTest::SetUpTestSuite()
{
    source_ = new db::Connection(OpenDemoModel(QLatin1String(kSourceModel)));
    target_ = new db::Connection(OpenDemoModel(QLatin1String(kTargetModel)));
    edge_ = new db::Connection(OpenDemoModel(QLatin1String(kEdgeModel)));
}

void DemoModelTest::TearDownTestSuite()
{
    delete source_;
    delete target_;
    delete edge_;
    source_ = target_ = edge_ = nullptr;
}

void DemoModelTest::SetUp()
{
    ClearLog();
    SetAllSectionFlags(true);
}

} // namespace bkl::test
