#include "DemoModel.h"

#include "LogReader.h"
#include "TestEnvironment.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/sqlite/EngineFunctions.h"
#include "reports/DetailSectionRule.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace bkl::test {
namespace {

// An open connection to database `catalog` of the embedded server in `folder`.
db::Connection OpenModelOnServer(const QString& catalog, const QString& folder)
{
    db::Connection cn;
    cn.setConnectionString(QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=demo;password=demo;"
                                          "Initial Catalog=")
                           + catalog + QStringLiteral(";Data Source=") + folder);
    cn.open();
    return cn;
}

} // namespace

db::Connection OpenDemoModel(const QString& catalog)
{
    db::Connection cn;
    cn.setConnectionString(DemoConnectionString(catalog));
    cn.open();
    return cn;
}

db::Connection OpenAlteredDemoModel(const QString& catalog, const QString& sql)
{
    static int copies = 0;
    const QString folder = TestHome() + QStringLiteral("/altered-models/%1").arg(++copies);
    const QString file = folder + QLatin1Char('/') + catalog + QStringLiteral(".sqlite");
    if (!QDir().mkpath(folder) || !QFile::copy(DemoServerFolder() + QLatin1Char('/') + catalog + QStringLiteral(".sqlite"), file))
        throw std::runtime_error("cannot copy the demo model " + catalog.toStdString());
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    db::sqlite::RegisterCaseInsensitiveCollation(db);
    char* message = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    const std::string error = message ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot alter the demo model copy: " + error);
    return OpenModelOnServer(catalog, folder);
}

db::Connection OpenScaledDemoModel(const QString& catalog, int scale)
{
    const QString folder = TestHome() + QStringLiteral("/scaled-server-%1").arg(scale);
    if (!QFile::exists(folder + QLatin1Char('/') + catalog + QStringLiteral(".sqlite"))) {
        QProcess generator;
        generator.start(QStringLiteral(BKL_DEMO_MODEL_EXE),
                        {QStringLiteral("--out"), folder, QStringLiteral("--seed"), QStringLiteral("1"),
                         QStringLiteral("--scale"), QString::number(scale)});
        if (!generator.waitForFinished(120000) || generator.exitStatus() != QProcess::NormalExit
            || generator.exitCode() != 0)
            throw std::runtime_error("cannot generate a demo server at scale " + std::to_string(scale));
    }
    return OpenModelOnServer(catalog, folder);
}

QString ServerWithMoreTables(const QString& catalog, int tables)
{
    QString sql = QStringLiteral("BEGIN;");
    for (int i = 1; i <= tables; ++i)
        sql += QStringLiteral("CREATE TABLE Filler%1 (x);").arg(i);
    const db::Connection cn = OpenAlteredDemoModel(catalog, sql + QStringLiteral("COMMIT;"));
    return db::ParseConnectionString(cn.connectionString()).value(QStringLiteral("DATA SOURCE"));
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
