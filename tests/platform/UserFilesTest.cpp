// The reader of files users hand us (profiles, object lists): encodings, line
// ends across blocks, refusals.
#include "platform/core/UserTextFile.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

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

    test::WriteFileBytes(FilePath(), "0123456789");
    UserTextFile tooLarge(FilePath(), 8);
    EXPECT_TRUE(tooLarge.refused());
    EXPECT_EQ(tooLarge.errorNumber(), 321);
    EXPECT_EQ(tooLarge.errorString(), FilePath() + QStringLiteral(" is larger than 8 bytes and is not read"));
    UserTextFile missing(test::TestHome() + QStringLiteral("/missing.txt"));
    EXPECT_EQ(missing.status(), Status::CannotOpen);
    EXPECT_FALSE(missing.refused());
    EXPECT_EQ(missing.errorNumber(), 53);
}
