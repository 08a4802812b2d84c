// The generator program: determinism, clean re-runs, arguments and scale.
#include "DemoFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bkl::test;

namespace {

const QStringList kDatabases = {QStringLiteral("SalesModel2026"), QStringLiteral("SalesModel2026_Target"),
                                QStringLiteral("EdgeCaseModel"), QStringLiteral("SalesArchive2025")};

QByteArray Digest(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QString In(const QTemporaryDir& dir, const QString& database)
{
    return QDir(dir.path()).filePath(database + QStringLiteral(".sqlite"));
}

} // namespace

TEST(DemoModelGenerator, SameSeedGivesSameBytesAndOtherSeedOtherValues)
{
    QTemporaryDir a, b, c;
    ASSERT_EQ(RunDemoModel({QStringLiteral("--out"), a.path(), QStringLiteral("--seed"), QStringLiteral("7")}), 0);
    ASSERT_EQ(RunDemoModel({QStringLiteral("--out"), b.path(), QStringLiteral("--seed"), QStringLiteral("7")}), 0);
    ASSERT_EQ(RunDemoModel({QStringLiteral("--out"), c.path(), QStringLiteral("--seed"), QStringLiteral("8")}), 0);
    for (const QString& db : kDatabases) {
        const QByteArray digest = Digest(In(a, db));
        ASSERT_FALSE(digest.isEmpty()) << db.toStdString();
        EXPECT_EQ(digest, Digest(In(b, db))) << db.toStdString();
    }
    // Another seed changes generated values but no names.
    EXPECT_NE(Digest(In(a, kDatabases[0])), Digest(In(c, kDatabases[0])));
    const QString names = QStringLiteral("SELECT CalculationID, Name FROM Calculation ORDER BY CalculationID");
    EXPECT_EQ(DemoRows(In(a, kDatabases[0]), names), DemoRows(In(c, kDatabases[0]), names));
}

TEST(DemoModelGenerator, RerunReplacesFilesCleanlyAndKeepsOtherFiles)
{
    QTemporaryDir fresh, reused;
    const QString server = QDir(reused.path()).filePath(QStringLiteral("server"));
    ASSERT_EQ(RunDemoModel({QStringLiteral("--out"), fresh.path()}), 0);
    ASSERT_EQ(RunDemoModel({QStringLiteral("--out"), server, QStringLiteral("--seed"), QStringLiteral("3")}), 0);
    QFile other(QDir(server).filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("keep me");
    other.close();
    ASSERT_EQ(RunDemoModel({QStringLiteral("--out"), server}), 0);

    QStringList files = QDir(server).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(files, QStringList({QStringLiteral("EdgeCaseModel.sqlite"), QStringLiteral("SalesArchive2025.sqlite"),
                                  QStringLiteral("SalesModel2026.sqlite"), QStringLiteral("SalesModel2026_Target.sqlite"),
                                  QStringLiteral("notes.txt")}));
    for (const QString& db : kDatabases)
        EXPECT_EQ(Digest(QDir(server).filePath(db + QStringLiteral(".sqlite"))), Digest(In(fresh, db)))
            << db.toStdString();
}

TEST(DemoModelGenerator, TwoRunsAtOnceIntoOneFolderBothSucceed)
{
    QTemporaryDir fresh, shared;
    ASSERT_EQ(RunDemoModel({QStringLiteral("--out"), fresh.path()}), 0);
    QProcess first, second;
    first.start(QStringLiteral(BKL_DEMO_MODEL_EXE), {QStringLiteral("--out"), shared.path()});
    second.start(QStringLiteral(BKL_DEMO_MODEL_EXE), {QStringLiteral("--out"), shared.path()});
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(QDir(shared.path()).entryList(QDir::Files).size(), 4);
    for (const QString& db : kDatabases)
        EXPECT_EQ(Digest(In(shared, db)), Digest(In(fresh, db))) << db.toStdString();
}

TEST(DemoModelGenerator, RefusesBadArguments)
{
    QTemporaryDir dir;
    EXPECT_EQ(RunDemoModel({}), 2);
    EXPECT_EQ(RunDemoModel({QStringLiteral("--out"), dir.path(), QStringLiteral("--scale"), QStringLiteral("0")}), 2);
    EXPECT_EQ(RunDemoModel({QStringLiteral("--out"), dir.path(), QStringLiteral("--seed"), QStringLiteral("x")}), 2);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(DemoModelGenerator, ScaleAddsBlocksOfGeneratedObjects)
{
    QTemporaryDir dir;
    ASSERT_EQ(RunDemoModel({QStringLiteral("--out"), dir.path(), QStringLiteral("--scale"), QStringLiteral("3")}), 0);
    const QString source = In(dir, kDatabases[0]);
    EXPECT_EQ(DemoValue(source, QStringLiteral("SELECT COUNT(*) FROM Calculation")), QStringLiteral("1041"));
    EXPECT_EQ(DemoValue(source, QStringLiteral("SELECT COUNT(*) FROM CustomTable WHERE TableType <> 'View'")),
              QStringLiteral("65"));
    EXPECT_EQ(DemoValue(source, QStringLiteral("SELECT COUNT(*) FROM CustomTable WHERE TableType = 'View'")),
              QStringLiteral("55"));
    EXPECT_EQ(DemoValue(source, QStringLiteral("SELECT COUNT(*) FROM Audit")), QStringLiteral("20400"));
    EXPECT_EQ(DemoValue(source, QStringLiteral("SELECT COUNT(*) FROM SalesTransactions")), QStringLiteral("3500"));
    // The named objects keep their ids and formulas.
    EXPECT_EQ(DemoValue(source, QStringLiteral("SELECT Operation FROM Calculation WHERE CalculationID = 1005")),
              QStringLiteral("( _TableAlias0 * _LookupAlias0.Rate ) + _Result1006 - _LookupAlias1.Recovery + "
                             "_TableAlias1 * 0"));
}
