#include "ShellTestSupport.h"

#include "shell/Log.h"
#include "shell/ProfileFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringEncoder>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::shelltest;

namespace {

QString Path()
{
    EnsureFolders();
    return ProfileFilePath();
}

} // namespace

TEST(ShellProfileFile, ReadersOfLoginAndManager)
{
    WriteFileBytes(Path(), "  \r\n"
                      " First | host1 | u1 |  pw with blanks  | Model1 | Y | Y \r\n"
                      "\r\n"
                      "Second|host2|u2|p2|Model2|y|y|extra field\r\n"
                      "Third|host3|u3|p3|Model3|N|N");
    const LoginProfiles read = ReadProfilesForLogin(ProfileFilePath());
    ASSERT_EQ(read.profiles.size(), 3);
    const ModelProfile& first = read.profiles[0];
    EXPECT_EQ(first.profileName, QStringLiteral("First"));
    EXPECT_EQ(first.serverHost, QStringLiteral("host1"));
    EXPECT_EQ(first.password, QStringLiteral("pw with blanks"));
    EXPECT_EQ(first.windowsAuth, QStringLiteral("Y"));
    EXPECT_EQ(read.profiles[1].modelDatabase, QStringLiteral("Model2"));
    EXPECT_EQ(read.profiles[1].windowsAuth, QStringLiteral("y"));
    EXPECT_EQ(read.profiles[2].isDefault, QStringLiteral("N"));
    EXPECT_EQ(read.defaultIndex, 1); // "y" counts as default, and the later line wins

    // The manager's reader keeps the fields but the password as they stand and shows only "Y"/"y" as Yes.
    WriteFileBytes(Path(), "One | h1 |u1|secret|m1|y|Y\r\nTwo|h2|u2|p2|m2| Y|\r\n");
    const QList<ProfileRow> rows = ReadProfilesForManager(ProfileFilePath());
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].profileName, QStringLiteral("One "));
    EXPECT_EQ(rows[0].serverHost, QStringLiteral(" h1 "));
    EXPECT_EQ(rows[0].password, QStringLiteral("secret"));
    EXPECT_EQ(rows[0].modelDatabase, QStringLiteral("m1"));
    EXPECT_EQ(rows[0].windowsAuth, QStringLiteral("Yes"));
    EXPECT_EQ(rows[0].isDefault, QStringLiteral("Yes"));
    EXPECT_EQ(rows[1].windowsAuth, QStringLiteral("No")); // " Y" with a blank shows No
    EXPECT_EQ(rows[1].isDefault, QStringLiteral("No"));
}

TEST(ShellProfileFile, BlankMissingLineFeedOnlyAndMalformedLines)
{
    WriteFileBytes(Path(), "\r\n   \r\n\r\n");
    EXPECT_TRUE(ReadProfilesForLogin(ProfileFilePath()).profiles.isEmpty());
    EXPECT_EQ(ReadProfilesForLogin(ProfileFilePath()).defaultIndex, -1);
    EXPECT_TRUE(ReadProfilesForManager(ProfileFilePath()).isEmpty());

    QFile::remove(ProfileFilePath());
    ResetLog();
    EXPECT_TRUE(ReadProfilesForLogin(ProfileFilePath()).profiles.isEmpty());
    EXPECT_TRUE(ReadProfilesForManager(ProfileFilePath()).isEmpty());
    EXPECT_TRUE(LogLines().isEmpty()); // a missing file is not an error

    // Hand-edited on Linux: LF only, and a lone CR also ends a line.
    WriteFileBytes(Path(), "A|h|u|p|m|N|N\nB|h|u|p|m|N|Y\rC|h|u|p|m|Y|N\n");
    const LoginProfiles read = ReadProfilesForLogin(ProfileFilePath());
    ASSERT_EQ(read.profiles.size(), 3);
    EXPECT_EQ(read.profiles[2].profileName, QStringLiteral("C"));
    EXPECT_EQ(read.profiles[0].isDefault, QStringLiteral("N"));
    EXPECT_EQ(read.defaultIndex, 1);

    // A malformed line is skipped with an ERROR line; the others stay.
    WriteFileBytes(Path(), "A|h|u|p|m|N|N\r\nbroken|line\r\nC|h|u|p|m|N|Y\r\n");
    const LoginProfiles good = ReadProfilesForLogin(ProfileFilePath());
    ASSERT_EQ(good.profiles.size(), 2);
    EXPECT_EQ(good.profiles[1].profileName, QStringLiteral("C"));
    EXPECT_EQ(good.defaultIndex, 1);
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].endsWith(QStringLiteral(
        "|ERROR|Function: LoadModelProfiles() --> Code: 9 --> Description: Subscript out of range: profile line 2 "
        "of model.profile has fewer than seven fields and is skipped")))
        << LogLines()[0].toStdString();

    const QList<ProfileRow> rows = ReadProfilesForManager(ProfileFilePath());
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].key, QStringLiteral("P1"));
    EXPECT_EQ(rows[1].key, QStringLiteral("P3"));
    EXPECT_TRUE(LogLines()[1].contains(QStringLiteral("Function: FillProfileList() --> Code: 9")));
}

TEST(ShellProfileFile, WriterTrimsFieldsMapsFlagsAndEndsEveryLine)
{
    const QList<ProfileRow> rows{
        {QStringLiteral("P1"), QStringLiteral(" Demo "), QStringLiteral(" host "), QStringLiteral("sa"),
         QStringLiteral("Model_A"), QStringLiteral(" yes "), QStringLiteral("Yes"), QStringLiteral("  p;w=d  ")},
        {QString(), QStringLiteral("Other"), QString(), QString(), QString(), QStringLiteral("No"),
         QStringLiteral("maybe"), QString()}};
    ErrorInfo error;
    ASSERT_TRUE(WriteProfileFile(Path(), rows, {}, &error));
    EXPECT_EQ(FileBytes(ProfileFilePath()), QByteArray("Demo|host|sa|p;w=d|Model_A|Y|Y\r\nOther|||||N|\r\n"));
    // Read back: the empty flag shows "No".
    EXPECT_EQ(ReadProfilesForManager(ProfileFilePath())[1].isDefault, QStringLiteral("No"));
}

TEST(ShellProfileFile, RefusedFilesGiveNoProfilesAndStayAsTheyAre)
{
    // Far more than a profile file holds, or binary content: no profiles, an ERROR line, the file untouched.
    const QByteArray line("A|h|u|p|m|N|Y\r\n");
    for (const QByteArray& bytes : {line.repeated(kMaxProfileFileBytes / line.size() + 1), line + "\0\x01"_qba}) {
        WriteFileBytes(Path(), bytes);
        ResetLog();
        EXPECT_TRUE(ReadProfilesForLogin(ProfileFilePath()).profiles.isEmpty());
        EXPECT_TRUE(ReadProfilesForManager(ProfileFilePath()).isEmpty());
        EXPECT_EQ(FileBytes(ProfileFilePath()), bytes);
        ASSERT_EQ(LogLines().size(), 2);
        EXPECT_TRUE(LogLines()[1].contains(QStringLiteral("|ERROR|Function: FillProfileList() --> Code: 321 --> ")));
    }
    EXPECT_TRUE(LogLines()[0].endsWith(QStringLiteral("|ERROR|Function: LoadModelProfiles() --> Code: 321 --> "
                                                      "Description: ")
                                       + ProfileFilePath()
                                       + QStringLiteral(" holds binary content (NUL characters), not text, and is "
                                                        "not read; no profiles are read")));

    // Saved as UTF-16 with a byte-order mark: read as text.
    QStringEncoder utf16(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
    WriteFileBytes(Path(), utf16(QStringLiteral("Zo\u00eb|h|u|p|m|N|Y\r\n")));
    const LoginProfiles read = ReadProfilesForLogin(ProfileFilePath());
    ASSERT_EQ(read.profiles.size(), 1);
    EXPECT_EQ(read.profiles[0].profileName, QStringLiteral("Zo\u00eb"));
    EXPECT_EQ(read.defaultIndex, 0);
}
