// run.sh on a machine without a display: what it advises must work there, also
// on a fresh machine, so the system packages are installed before the advice.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Writes an executable script that appends its name to the file "ran".
void WriteRecordingScript(const QString& path, const QByteArray& name)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/usr/bin/env bash\necho " + name + " >> \"$(dirname \"$0\")/../ran\"\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

} // namespace

TEST(RunScript, WithoutADisplayInstallsThePackagesBeforeAdvisingTheVirtualDisplay)
{
    // A copy of run.sh whose bootstrap and build only say that they ran.
    QTemporaryDir dir;
    const QDir root(dir.path());
    ASSERT_TRUE(QFile::copy(QStringLiteral(BKL_SOURCE_DIR "/run.sh"), root.filePath(QStringLiteral("run.sh"))));
    ASSERT_TRUE(root.mkdir(QStringLiteral("scripts")));
    WriteRecordingScript(root.filePath(QStringLiteral("scripts/bootstrap")), "bootstrap");
    WriteRecordingScript(root.filePath(QStringLiteral("scripts/build")), "build");

    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    run.setProcessEnvironment(env);
    run.start(QStringLiteral("bash"), {root.filePath(QStringLiteral("run.sh"))});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 1);
    EXPECT_EQ(run.readAllStandardOutput(),
              "run.sh: no display found (DISPLAY and WAYLAND_DISPLAY are empty).\n"
              "Brisklane is a desktop program. To run it under a virtual display:\n"
              "    xvfb-run -a ./run.sh\n");
    QFile ran(root.filePath(QStringLiteral("ran")));
    ASSERT_TRUE(ran.open(QIODevice::ReadOnly));
    EXPECT_EQ(ran.readAll(), "bootstrap\n"); // installed, not built

    // The packages bootstrap installs hold xvfb-run (Debian's xvfb) and xauth, which it needs.
    QFile bootstrap(QStringLiteral(BKL_SOURCE_DIR "/scripts/bootstrap"));
    ASSERT_TRUE(bootstrap.open(QIODevice::ReadOnly));
    const QString packages = QString::fromUtf8(bootstrap.readAll());
    for (const char* package : {"xvfb", "xauth"}) {
        const QRegularExpression listed(QStringLiteral("\\n  [^\\n]*\\b%1\\b").arg(QLatin1String(package)));
        EXPECT_TRUE(packages.contains(listed)) << package;
    }
}
