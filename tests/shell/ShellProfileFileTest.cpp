#include "ShellTestSupport.h"

#include "shell/Log.h"
#include "shell/ProfileFile.h"
#include "support/FailingFile.h"

#include <QFile>
#include <QStringEncoder>
#include <functional>

namespace {
class ShellProfileFile : public ShellTest {
protected:
    // Writes the file and reads it for the login: its profiles, then "default <index>".
    static QStringList Login(const QByteArray& bytes)
    {
        WriteFileBytes(ProfileFilePath(), bytes);
        const LoginProfiles read = ReadProfilesForLogin(ProfileFilePath());
        return LoginTexts(read.profiles) << u"default %1"_s.arg(read.defaultIndex);
    }
    static QStringList Manager() { return RowTexts(ReadProfilesForManager(ProfileFilePath()).rows); }
};
} // namespace

TEST_F(ShellProfileFile, ReadersOfLoginAndManager)
{
    // Blank lines skipped, fields trimmed, more fields ignored; "y" counts as default, and the later line wins.
    EXPECT_EQ(Login("  \r\n First | host1 | u1 |  pw with blanks  | Model1 | Y | Y \r\n\r\n"
                    "Second|host2|u2|p2|Model2|y|y|extra field\r\nThird|host3|u3|p3|Model3|N|N"),
              (QStringList{"First|host1|u1|pw with blanks|Model1|Y|Y", "Second|host2|u2|p2|Model2|y|y",
                           "Third|host3|u3|p3|Model3|N|N", "default 1"}));
    // The manager's reader keeps the fields but the password as they stand and shows only "Y"/"y" as Yes, its
    // outer blanks removed as the login removes them.
    WriteFileBytes(ProfileFilePath(), "One | h1 |u1|secret|m1|y|Y\r\nTwo|h2|u2|p2|m2| Y|\r\n");
    EXPECT_EQ(Manager(), (QStringList{"P1,One , h1 ,u1,m1,Yes,Yes,secret", "P2,Two,h2,u2,m2,Yes,No,p2"}));
    // Blank, missing (not an error), LF-only and lone-CR files.
    EXPECT_EQ(Login("\r\n   \r\n\r\n"), QStringList{u"default -1"_s});
    EXPECT_TRUE(Manager().isEmpty());
    QFile::remove(ProfileFilePath());
    EXPECT_TRUE(ReadProfilesForLogin(ProfileFilePath()).profiles.isEmpty());
    EXPECT_TRUE(Manager().isEmpty());
    EXPECT_EQ(Login("A|h|u|p|m|N|N\nB|h|u|p|m|N|Y\rC|h|u|p|m|Y|N\n"),
              (QStringList{"A|h|u|p|m|N|N", "B|h|u|p|m|N|Y", "C|h|u|p|m|Y|N", "default 1"}));
    EXPECT_TRUE(LogLines().isEmpty());

    // A malformed line is skipped with an ERROR line; the others stay.
    EXPECT_EQ(Login("A|h|u|p|m|N|N\r\nbroken|line\r\nC|h|u|p|m|N|Y\r\n"),
              (QStringList{"A|h|u|p|m|N|N", "C|h|u|p|m|N|Y", "default 1"}));
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].endsWith("|ERROR|Function: LoadModelProfiles() --> Code: 9 --> Description: Subscript out of "
                                       "range: profile line 2 of model.profile has fewer than seven fields and is skipped"));
    EXPECT_EQ(Manager(), (QStringList{"P1,A,h,u,m,No,No,p", "P3,C,h,u,m,No,Yes,p"}));
    EXPECT_TRUE(LogLines()[1].contains("Function: FillProfileList() --> Code: 9"));
}

TEST_F(ShellProfileFile, WriterTrimsFieldsMapsFlagsAndEndsEveryLine)
{
    const QList<ProfileRow> rows{
        {u"P1"_s, u" Demo "_s, u" host "_s, u"sa"_s, u"Model_A"_s, u" yes "_s, u"Yes"_s, u"  p;w=d  "_s},
        {QString(), u"Other"_s, QString(), QString(), QString(), u"No"_s, u"maybe"_s, QString()}};
    ErrorInfo error;
    ASSERT_EQ(WriteProfileFile(ProfileFilePath(), rows, {}, ReadProfilesForManager(ProfileFilePath()).read, &error),
              ProfileSave::Saved);
    EXPECT_EQ(FileBytes(ProfileFilePath()), "Demo|host|sa|p;w=d|Model_A|Y|Y\r\nOther|||||N|\r\n");
    // Read back: the empty flag shows "No".
    EXPECT_EQ(Manager().value(1), "P2,Other,,,,No,No,");
}

TEST_F(ShellProfileFile, RefusedFilesGiveNoProfilesAndStayAsTheyAre)
{
    // Far more than a profile file holds, a line too long, or binary content: no profiles, an ERROR line, the
    // file untouched.
    const QByteArray line("A|h|u|p|m|N|Y\r\n");
    for (const QByteArray& bytes : {line.repeated(kMaxProfileFileBytes / line.size() + 1), line + QByteArray(70000, 'x'),
                                    line + "\0\x01"_qba}) {
        ResetLog();
        EXPECT_EQ(Login(bytes), QStringList{u"default -1"_s});
        EXPECT_TRUE(Manager().isEmpty());
        EXPECT_EQ(FileBytes(ProfileFilePath()), bytes);
        ASSERT_EQ(LogLines().size(), 2);
        EXPECT_TRUE(LogLines()[1].contains("|ERROR|Function: FillProfileList() --> Code: 321 --> "));
    }
    EXPECT_TRUE(LogLines()[0].endsWith("|ERROR|Function: LoadModelProfiles() --> Code: 321 --> Description: "
                                       + ProfileFilePath()
                                       + " holds binary content (NUL characters), not text, and is not read; no profiles are read"));
    // The readers say why, for the windows to show.
    const LoginProfiles login = ReadProfilesForLogin(ProfileFilePath());
    EXPECT_EQ(login.refusal.number, 321);
    EXPECT_EQ(login.refusal.description, ProfileFilePath() + " holds binary content (NUL characters), not text, and is not read");
    EXPECT_EQ(ReadProfilesForManager(ProfileFilePath()).refusal.description, login.refusal.description);
    // Saved as UTF-16 with a byte-order mark: read as text.
    QStringEncoder utf16(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom);
    EXPECT_EQ(Login(utf16(u"Zo\u00eb|h|u|p|m|N|Y\r\n"_s)), (QStringList{u"Zo\u00eb|h|u|p|m|N|Y"_s, u"default 0"_s}));
    // Its lines, unchanged, are written back as their text in UTF-8.
    const ManagerProfiles manager = ReadProfilesForManager(ProfileFilePath());
    EXPECT_EQ(manager.refusal.number, 0);
    ErrorInfo error;
    ASSERT_EQ(WriteProfileFile(ProfileFilePath(), manager.rows, manager.keptLines, manager.read, &error),
              ProfileSave::Saved);
    EXPECT_EQ(FileBytes(ProfileFilePath()), "Zo\xC3\xAB|h|u|p|m|N|Y\r\n");
}

TEST_F(ShellProfileFile, FilesNotReadToTheirEndGiveNoProfilesAndTheirReason)
{
    WriteFileBytes(ProfileFilePath(), ManyProfiles());
    for (const UnreadableProfileFile& c : UnreadableProfileFiles()) {
        ResetLog();
        const FailingFile failing(ProfileFilePath(), c.readable);
        const QString why = "Cannot read " + ProfileFilePath() + ": " + c.reason;
        const LoginProfiles login = ReadProfilesForLogin(ProfileFilePath());
        EXPECT_TRUE(login.profiles.isEmpty()) << c.number;
        EXPECT_EQ(login.defaultIndex, -1);
        EXPECT_EQ(login.refusal.number, c.number);
        EXPECT_EQ(login.refusal.description, why);
        const ManagerProfiles manager = ReadProfilesForManager(ProfileFilePath());
        EXPECT_TRUE(manager.rows.isEmpty() && manager.keptLines.isEmpty()) << c.number;
        EXPECT_EQ(manager.refusal.number, c.number);
        EXPECT_EQ(manager.refusal.description, why);
        const QString code = u" --> Code: %1 --> Description: "_s.arg(c.number) + why + "; no profiles are read";
        EXPECT_EQ(LogEntries(), QStringList({"ERROR|Function: LoadModelProfiles()" + code,
                                             "ERROR|Function: FillProfileList()" + code}));
    }
    // Read whole once the failure is gone.
    EXPECT_EQ(ReadProfilesForManager(ProfileFilePath()).rows.size(), 2500);
}

TEST_F(ShellProfileFile, WriterKeepsAFileThatIsNoLongerWhatWasRead)
{
    const QByteArray read = "Alpha|h|u|p|M|N|Y\r\n";
    const QByteArray edited = "Alpha|h|u|p|M|Y|Y\r\n";
    const QString path = ProfileFilePath();
    // Another file with the same bytes put in its place, as a program that saves by renaming does.
    const auto replaced = [&] {
        WriteFileBytes(path + u".other"_s, read);
        QFile::remove(path);
        QFile::rename(path + u".other"_s, path);
    };
    const struct {
        const char* what;
        bool existed;
        std::function<void()> change;
        QByteArray after; // the file as the other program left it
    } cases[] = {
        {"a byte edited in place", true, [&] { WriteFileBytes(path, edited); }, edited},
        {"another file with the same bytes", true, replaced, read},
        {"removed", true, [&] { QFile::remove(path); }, {}},
        {"created where there was none", false, [&] { WriteFileBytes(path, read); }, read},
    };
    const QList<ProfileRow> rows{{{}, u"Mine"_s, {}, {}, {}, u"No"_s, u"Yes"_s, {}}};
    for (const auto& c : cases) {
        QFile::remove(path);
        if (c.existed)
            WriteFileBytes(path, read);
        const FileSnapshot snapshot = ReadProfilesForManager(path).read;
        c.change();
        ErrorInfo error;
        EXPECT_EQ(WriteProfileFile(path, rows, {}, snapshot, &error), ProfileSave::ChangedSinceRead) << c.what;
        EXPECT_EQ(FileBytes(path), c.after) << c.what;
    }
    // A file that can no longer be read is kept, and the failure is its reading's (opened or cut short), with the
    // reader's number and reason; a file refused now (binary) is another file.
    for (const UnreadableProfileFile& c : UnreadableProfileFiles()) {
        const QByteArray many = ManyProfiles();
        WriteFileBytes(path, many);
        const FileSnapshot snapshot = ReadProfilesForManager(path).read;
        const FailingFile unreadable(path, c.readable);
        ErrorInfo error;
        EXPECT_EQ(WriteProfileFile(path, rows, {}, snapshot, &error), ProfileSave::Failed) << c.reason.toStdString();
        EXPECT_EQ(error.number, c.number);
        EXPECT_EQ(error.description, u"Cannot read %1: %2"_s.arg(path, c.reason));
        EXPECT_EQ(FileBytes(path), many);
    }
    {
        WriteFileBytes(path, read);
        const FileSnapshot snapshot = ReadProfilesForManager(path).read;
        WriteFileBytes(path, read + '\0');
        ErrorInfo error;
        EXPECT_EQ(WriteProfileFile(path, rows, {}, snapshot, &error), ProfileSave::ChangedSinceRead);
        EXPECT_EQ(FileBytes(path), read + '\0');
    }
    // Unchanged, or missing both when read and when saved: written.
    for (const bool existed : {true, false}) {
        QFile::remove(path);
        if (existed)
            WriteFileBytes(path, read);
        ErrorInfo error;
        EXPECT_EQ(WriteProfileFile(path, rows, {}, ReadProfilesForManager(path).read, &error), ProfileSave::Saved);
        EXPECT_EQ(FileBytes(path), "Mine|||||N|Y\r\n");
    }
}
