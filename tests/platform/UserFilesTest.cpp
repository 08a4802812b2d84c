// The reader of files users hand us (profiles, object lists): encodings, line
// ends across blocks, the lines' bytes, refusals (pipes, devices and folders
// too), and a fuzz run of the profile and object-list
// readers over mutated files.
#include "compare/ObjectListFile.h"
#include "platform/core/TextSemantics.h"
#include "platform/core/UserTextFile.h"
#include "shell/ProfileFile.h"
#include "support/FailingFile.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace bkl;
using Status = UserTextFile::Status;

namespace {

QString FilePath() { return test::TestHome() + QStringLiteral("/user-file.txt"); }

QByteArray Utf16(const QString& text, QStringConverter::Encoding encoding)
{
    QStringEncoder encode(encoding, QStringConverter::Flag::WriteBom);
    return encode(text);
}

struct Read {
    QStringList lines;
    Status status;
};

Read ReadAll(const QByteArray& bytes, qint64 maxBytes = -1, qint64 maxLines = -1)
{
    test::WriteFileBytes(FilePath(), bytes);
    UserTextFile file(FilePath(), maxBytes, maxLines);
    Read read{{}, Status::Ok};
    QString line;
    while (file.readLine(line))
        read.lines << line;
    read.status = file.status();
    return read;
}

} // namespace

TEST(UserTextFile, EncodingsLineEndsAndRefusals)
{
    const QByteArray longLine(65535, 'y');
    const struct {
        QByteArray bytes;
        qint64 maxBytes, maxLines;
        QStringList lines;
        Status status;
    } cases[] = {
        {"a\r\nb\rc\nd", -1, -1, {"a", "b", "c", "d"}, Status::Ok},
        {"a\r\n\r\n", -1, -1, {"a", ""}, Status::Ok},
        {"", -1, -1, {}, Status::Ok},
        {"\xEF\xBB\xBF" "Caf\xC3\xA9\n", -1, -1, {"Caf\u00e9"}, Status::Ok},
        // The mark is dropped also when the first line is not UTF-8: the line reads as Latin-1.
        {"\xEF\xBB\xBF" "Caf\xE9\r\nna\xC3\xAFve", -1, -1, {"Caf\u00e9", "na\u00efve"}, Status::Ok},
        // Latin-1 for a line that is not UTF-8; the next line is UTF-8 again.
        {"Caf\xE9\r\nna\xC3\xAFve\r\n", -1, -1, {"Caf\u00e9", "na\u00efve"}, Status::Ok},
        {Utf16(QStringLiteral("Zo\u00eb\r\n\r\nx"), QStringConverter::Utf16LE), -1, -1, {"Zo\u00eb", "", "x"},
         Status::Ok},
        {Utf16(QStringLiteral("a\rb\n"), QStringConverter::Utf16BE), -1, -1, {"a", "b"}, Status::Ok},
        // A CR ending the first 64 KB block and its LF opening the next are one line end.
        {longLine + "\r\nz", -1, -1, {QString::fromLatin1(longLine), "z"}, Status::Ok},
        {"ab\0cd\r\n"_qba, -1, -1, {}, Status::Binary},
        {"a\0\r\0\n\0"_qba, -1, -1, {}, Status::Binary}, // UTF-16 without a byte-order mark
        {"0123456789", 8, -1, {}, Status::TooLarge},
        {"a\nb\nc\n", -1, 2, {"a", "b"}, Status::TooManyLines},
        {"a\n" + longLine + "yy", -1, -1, {"a"}, Status::LineTooLong},
    };
    for (const auto& c : cases) {
        const Read read = ReadAll(c.bytes, c.maxBytes, c.maxLines);
        EXPECT_EQ(read.lines, c.lines) << c.bytes.left(40).toStdString();
        EXPECT_EQ(read.status, c.status) << c.bytes.left(40).toStdString();
    }

    EXPECT_EQ(UserTextFile(FilePath(), 3).errorString(),
              FilePath() + QStringLiteral(" is larger than 3 bytes and is not read"));
}

TEST(UserTextFile, LineBytesAsTheyStandInTheFile)
{
    const QByteArray longLine(65535, 'y');
    const struct {
        QByteArray bytes;
        QList<QByteArray> lines;
    } cases[] = {
        {"\xEF\xBB\xBF" "a\r\nCaf\xE9\rc\n\r\nd", {"a\r\n", "Caf\xE9\r", "c\n", "\r\n", "d"}},
        {longLine + "\r\nz\r", {longLine + "\r\n", "z\r"}}, // CR LF across two blocks is one line end
        {Utf16(QStringLiteral("Zo\u00eb\r\nx\n"), QStringConverter::Utf16LE), {"Zo\xC3\xAB\r\n", "x\n"}},
    };
    for (const auto& c : cases) {
        test::WriteFileBytes(FilePath(), c.bytes);
        UserTextFile file(FilePath());
        file.keepBytes();
        QList<QByteArray> lines;
        QString line;
        while (file.readLine(line))
            lines << file.lineBytes();
        EXPECT_EQ(lines, c.lines) << c.bytes.left(20).toStdString();
        // Read to its end: the file's bytes as they stand, byte-order mark included.
        EXPECT_EQ(file.snapshot().seen, FileSnapshot::Seen::Whole);
        EXPECT_EQ(file.snapshot().bytes, c.bytes);
    }
}

TEST(UserTextFile, PipesDevicesAndFoldersAreRefusedUnopened)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("model.profile"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Opens the pipe for writing whenever a reader waits on it, so that a reader
    // which opens it anyway gets an empty file instead of waiting for good.
    const std::jthread writer([path = QFile::encodeName(fifo)](std::stop_token stop) {
        for (; !stop.stop_requested(); std::this_thread::sleep_for(std::chrono::milliseconds(10)))
            if (const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK); fd >= 0)
                ::close(fd);
    });
    const QString pipeOrDevice = QStringLiteral(" is a device or a pipe, not a text file, and is not read");
    const struct {
        QString path, message;
    } cases[] = {{fifo, fifo + pipeOrDevice},
                 {QStringLiteral("/dev/zero"), QStringLiteral("/dev/zero") + pipeOrDevice},
                 {dir.path(), dir.path() + QStringLiteral(" is a folder, not a text file, and is not read")}};
    for (const auto& c : cases) {
        UserTextFile file(c.path);
        QString line;
        EXPECT_FALSE(file.readLine(line));
        EXPECT_EQ(file.status(), Status::NotRegular) << c.path.toStdString();
        EXPECT_TRUE(file.refused());
        EXPECT_EQ(file.errorNumber(), 75);
        EXPECT_EQ(file.errorString(), c.message);
    }
    // The object list of the compare window and the profile file read the same way.
    EXPECT_EQ(compare::ObjectListFile(fifo).status(), Status::NotRegular);
    const LoginProfiles login = ReadProfilesForLogin(fifo);
    EXPECT_EQ(login.refusal.number, 75);
    EXPECT_EQ(login.refusal.description, fifo + pipeOrDevice);
    EXPECT_EQ(ReadProfilesForManager(fifo).refusal.description, fifo + pipeOrDevice);
}

// A file that cannot be opened, or whose reading fails part way (a failing disk
// or share): the lines before the failure, then the system's reason. The object
// list and the profile file read through the same reader.
TEST(UserTextFile, FilesThatCannotBeOpenedOrFailPartWay)
{
    QByteArray bytes;
    for (int i = 1; i <= 5000; ++i)
        bytes += "Calc " + QByteArray::number(i) + "|h|u|p|m|N|N\r\n";
    test::WriteFileBytes(FilePath(), bytes);
    {
        const test::FailingFile failing(FilePath(), test::FailingFile::kCannotOpen);
        compare::ObjectListFile file(FilePath());
        QString line;
        EXPECT_FALSE(file.readLine(line));
        EXPECT_EQ(file.status(), Status::CannotOpen);
        EXPECT_FALSE(file.refused());
        EXPECT_EQ(file.errorNumber(), 75);
        EXPECT_EQ(file.errorString(), "Cannot read " + FilePath() + ": Permission denied");
    }
    // A folder without search permission: whether the file is there cannot be told, which is no missing file.
    {
        const test::FailingFile failing(FilePath(), test::FailingFile::kFolderCannotBeSearched);
        UserTextFile file(FilePath());
        EXPECT_EQ(file.status(), Status::CannotOpen);
        EXPECT_EQ(file.errorNumber(), 75);
        EXPECT_EQ(file.errorString(), "Cannot read " + FilePath() + ": Permission denied");
        EXPECT_EQ(file.snapshot().seen, FileSnapshot::Seen::Unknown);
    }
    // Missing: nothing there, or a file where a folder should be.
    for (const QString& missing : {FilePath() + ".gone", FilePath() + "/model.profile"}) {
        UserTextFile file(missing);
        EXPECT_EQ(file.errorNumber(), 53) << missing.toStdString();
        EXPECT_EQ(file.snapshot().seen, FileSnapshot::Seen::Missing);
    }
    const test::FailingFile failing(FilePath(), 64 * 1024);
    compare::ObjectListFile file(FilePath());
    QStringList lines;
    QString line;
    while (file.readLine(line))
        lines << line;
    const qsizetype whole = bytes.left(64 * 1024).count("\r\n");
    ASSERT_EQ(lines.size(), whole);
    EXPECT_EQ(lines.last(), QStringLiteral("Calc %1|h|u|p|m|N|N").arg(whole));
    EXPECT_EQ(file.status(), Status::ReadFailed);
    EXPECT_FALSE(file.refused());
    EXPECT_EQ(file.errorNumber(), 57);
    EXPECT_EQ(file.errorString(), "Cannot read " + FilePath() + ": Input/output error");
}

// Mutated profile and object-list files: each reads or is refused, and what is
// read is what a plain split of the text gives.
TEST(UserTextFile, FuzzedProfileAndObjectListFiles)
{
    const QString profile =
        QStringLiteral("A|h|u|p|m|N|Y\r\n  B | h2|u2|p;2|m2|y|N\nshort|line\rZo\u00eb|h|u|p|m|N|N\r\n");
    const QString objects = QStringLiteral("Total Sales\r\n\r\n  Caf\u00e9 Bonus  \nQuarterly\r");
    const QList<QByteArray> seeds{profile.toUtf8(), objects.toLatin1(), Utf16(profile, QStringConverter::Utf16LE),
                                  Utf16(objects, QStringConverter::Utf16BE)};
    const QList<QByteArray> tokens{"\r", "\n", "\r\n", "|", "\0"_qba, "\xFF\xFE", "\xEF\xBB\xBF", "\xC3", "\xE9"};
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    std::mt19937 random(16);
    const auto below = [&random](qsizetype n) { return n > 0 ? qsizetype(random() % n) : 0; };
    for (int i = 0; i < 3000; ++i) {
        QByteArray bytes = seeds[i % seeds.size()];
        for (int k = 1 + below(6); k > 0; --k) {
            const qsizetype at = below(bytes.size() + 1);
            switch (below(4)) {
            case 0: bytes.insert(at, tokens[below(tokens.size())]); break;
            case 1: bytes.remove(at, 1 + below(4)); break;
            case 2: bytes.insert(at, char(random())); break;
            default: bytes.insert(at, bytes.mid(below(bytes.size()), 1 + below(20))); break;
            }
        }
        const Read read = ReadAll(bytes, kMaxProfileFileBytes, compare::kMaxObjectListLines);
        ASSERT_TRUE(read.status == Status::Ok || read.status == Status::Binary) << i;
        if (read.status == Status::Ok && !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF")) {
            // A text without a UTF-16 mark: the lines of a whole-text split, each decoded on its own.
            QStringList expected = QString::fromLatin1(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes)
                                       .split(lineEnd);
            if (expected.last().isEmpty())
                expected.removeLast();
            for (QString& line : expected) {
                const QByteArray raw = line.toLatin1();
                line = raw.isValidUtf8() ? QString::fromUtf8(raw) : line;
            }
            ASSERT_EQ(read.lines, expected) << i;
        }
        // Every non-blank line is a profile or a line kept for the next save.
        const ManagerProfiles manager = ReadProfilesForManager(FilePath());
        const auto nonBlank = [](const QString& l) { return !Trim(l).isEmpty(); };
        if (read.status == Status::Ok)
            EXPECT_EQ(manager.rows.size() + manager.keptLines.size(),
                      std::count_if(read.lines.cbegin(), read.lines.cend(), nonBlank))
                << i;
        ReadProfilesForLogin(FilePath());
    }
}
