// The generator program: determinism, clean and concurrent re-runs, arguments and scale.
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

    // Re-running into a used folder replaces the models cleanly and keeps other files;
    // two runs into one new folder at once both succeed.
    QFile other(QDir(c.path()).filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    ASSERT_EQ(RunDemoModel({QStringLiteral("--out"), c.path(), QStringLiteral("--seed"), QStringLiteral("7")}), 0);
    EXPECT_EQ(QDir(c.path()).entryList(QDir::Files).size(), 5);
    QTemporaryDir shared;
    QProcess first, second;
    for (QProcess* run : {&first, &second})
        run->start(QStringLiteral(BKL_DEMO_MODEL_EXE),
                   {QStringLiteral("--out"), shared.path(), QStringLiteral("--seed"), QStringLiteral("7")});
    for (QProcess* run : {&first, &second}) {
        ASSERT_TRUE(run->waitForFinished(120000));
        EXPECT_EQ(run->exitCode(), 0);
    }
    EXPECT_EQ(QDir(shared.path()).entryList(QDir::Files).size(), 4);
    for (const QString& db : kDatabases) {
        EXPECT_EQ(Digest(In(c, db)), Digest(In(a, db))) << db.toStdString();
        EXPECT_EQ(Digest(In(shared, db)), Digest(In(a, db))) << db.toStdString();
    }
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
