#include "platform/core/UserTextFile.h"

#include "platform/core/TextSemantics.h"

#include <QByteArrayView>
#include <cerrno>
#include <sys/stat.h>
#include <type_traits>

namespace bkl {
namespace {

constexpr qint64 kBlockBytes = 64 * 1024;

UserTextFileAccess& Access()
{
    static UserTextFileAccess access;
    return access;
}

std::unique_ptr<QFile> NewFile(const QString& path)
{
    return Access().newFile ? Access().newFile(path) : std::make_unique<QFile>(path);
}

// stat's error number for the path, 0 when `info` holds what it says.
int StatError(const QString& path, struct stat& info)
{
    if (Access().statError)
        if (const int error = Access().statError(path))
            return error;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? 0 : errno;
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
bool IsCr(char c) { return c == '\r'; }
bool IsCr(QChar c) { return c == u'\r'; }
bool IsLf(char c) { return c == '\n'; }
bool IsLf(QChar c) { return c == u'\n'; }

QString Decode(const QByteArray& bytes, qsizetype from, qsizetype length)
{
    const QByteArrayView line(bytes.constData() + from, length);
    return line.isValidUtf8() ? QString::fromUtf8(line) : QString::fromLatin1(line);
}

QString Decode(const QString& text, qsizetype from, qsizetype length) { return text.mid(from, length); }

} // namespace

void SetUserTextFileAccessForTesting(UserTextFileAccess access) { Access() = std::move(access); }

std::unique_ptr<QFile> OpenedForReading(const QString& path) { return NewFile(path); }

UserTextFile::UserTextFile(const QString& path, qint64 maxBytes, qint64 maxLines)
    : file_(NewFile(path)), maxBytes_(maxBytes), maxLines_(maxLines)
{
    struct stat info {};
    if (const int error = StatError(path, info)) {
        // Only a path that stat finds missing is missing; one it cannot tell
        // about (no search permission on a folder on the way) is not.
        missing_ = error == ENOENT || error == ENOTDIR;
        fail(Status::CannotOpen, qt_error_string(error));
    } else if (!S_ISREG(info.st_mode)) {
        fail(Status::NotRegular,
             S_ISDIR(info.st_mode) ? QStringLiteral("a folder") : QStringLiteral("a device or a pipe"));
    } else if (!file_->open(QIODevice::ReadOnly)) {
        fail(Status::CannotOpen, file_->errorString());
    } else if (maxBytes_ >= 0 && file_->size() > maxBytes_) {
        fail(Status::TooLarge, QString());
    } else {
        struct stat opened {};
        ::fstat(file_->handle(), &opened);
        device_ = opened.st_dev;
        inode_ = opened.st_ino;
    }
}

FileSnapshot UserTextFile::snapshot() const
{
    if (status_ == Status::CannotOpen && missing_)
        return {FileSnapshot::Seen::Missing, 0, 0, {}};
    if (status_ == Status::Ok && atEnd_ && keepBytes_)
        return {FileSnapshot::Seen::Whole, device_, inode_, kept_};
    return {};
}

bool UserTextFile::refused() const
{
    return status_ != Status::Ok && status_ != Status::CannotOpen && status_ != Status::ReadFailed;
}

long UserTextFile::errorNumber() const
{
    switch (status_) {
    case Status::Ok: return 0;
    case Status::CannotOpen: return missing_ ? 53 : 75;
    case Status::NotRegular: return 75;
    case Status::ReadFailed: return 57;
    default: return 321;
    }
}

void UserTextFile::fail(Status status, const QString& reason)
{
    status_ = status;
    const QString name = file_->fileName();
    switch (status) {
    case Status::CannotOpen:
    case Status::ReadFailed:
        error_ = QStringLiteral("Cannot read %1: %2").arg(name, reason);
        break;
    case Status::NotRegular:
        error_ = QStringLiteral("%1 is %2, not a text file, and is not read").arg(name, reason);
        break;
    case Status::TooLarge:
        error_ = QStringLiteral("%1 is larger than %2 bytes and is not read").arg(name, GroupedNumber(maxBytes_));
        break;
    case Status::Binary:
        error_ = QStringLiteral("%1 holds binary content (NUL characters), not text, and is not read").arg(name);
        break;
    case Status::LineTooLong:
        error_ = QStringLiteral("%1: line %2 is longer than %3 bytes; the file is not read further")
                     .arg(name, GroupedNumber(lineNumber_ + 1), GroupedNumber(kMaxUserTextLineBytes));
        break;
    case Status::TooManyLines:
        error_ = QStringLiteral("%1 has more than %2 lines; only the first %2 are read")
                     .arg(name, GroupedNumber(maxLines_));
        break;
    case Status::Ok:
        break;
    }
}

bool UserTextFile::readLine(QString& line)
{
    while (status_ == Status::Ok) {
        if (encoding_ == Encoding::Utf16 ? takeLine(text_, line) : takeLine(bytes_, line)) {
            if (maxLines_ >= 0 && lineNumber_ >= maxLines_) {
                fail(Status::TooManyLines, QString());
                return false;
            }
            ++lineNumber_;
            return true;
        }
        if (status_ != Status::Ok || atEnd_)
            return false;
        readBlock();
    }
    return false;
}

template <class Buffer>
bool UserTextFile::takeLine(const Buffer& buffer, QString& line)
{
    const qsizetype size = buffer.size();
    qsizetype end = pos_;
    while (end < size && !IsLineEnd(buffer.at(end)))
        ++end;
    constexpr qsizetype unitBytes = std::is_same_v<Buffer, QString> ? 2 : 1;
    if ((end - pos_) * unitBytes > kMaxUserTextLineBytes) {
        fail(Status::LineTooLong, QString());
        return false;
    }
    // Without a line end the line may go on in the next block, and a CR ending
    // the block may have its LF there; at the end of the file what is left is
    // the last line, unless nothing is left.
    if (end == size ? !atEnd_ || end == pos_ : !atEnd_ && end + 1 == size && IsCr(buffer.at(end)))
        return false;
    line = Decode(buffer, pos_, end - pos_);
    lineFrom_ = pos_;
    pos_ = end;
    if (end < size)
        pos_ += IsCr(buffer.at(end)) && end + 1 < size && IsLf(buffer.at(end + 1)) ? 2 : 1;
    return true;
}

QByteArray UserTextFile::lineBytes() const
{
    if (encoding_ == Encoding::Utf16)
        return text_.mid(lineFrom_, pos_ - lineFrom_).toUtf8();
    return bytes_.mid(lineFrom_, pos_ - lineFrom_);
}

void UserTextFile::readBlock()
{
    // What has been handed out is dropped, the unfinished line kept.
    if (encoding_ == Encoding::Utf16)
        text_.remove(0, pos_);
    else
        bytes_.remove(0, pos_);
    pos_ = 0;
    lineFrom_ = 0;
    QByteArray block(kBlockBytes, Qt::Uninitialized);
    const qint64 n = file_->read(block.data(), kBlockBytes);
    if (n < 0 || file_->error() != QFileDevice::NoError) {
        fail(Status::ReadFailed, file_->errorString());
        return;
    }
    block.truncate(n);
    if (keepBytes_)
        kept_ += block;
    atEnd_ = block.isEmpty();
    bytesRead_ += block.size();
    if (maxBytes_ >= 0 && bytesRead_ > maxBytes_) {
        fail(Status::TooLarge, QString());
        return;
    }
    if (encoding_ == Encoding::Unknown && !atEnd_)
        takeByteOrderMark(block);
    if (encoding_ == Encoding::Utf16) {
        const QString text = utf16_(block);
        if (text.contains(QChar(0)))
            fail(Status::Binary, QString());
        text_ += text;
    } else {
        if (block.contains('\0'))
            fail(Status::Binary, QString());
        bytes_ += block;
    }
}

void UserTextFile::takeByteOrderMark(QByteArray& block)
{
    encoding_ = Encoding::Utf16;
    if (block.startsWith("\xFF\xFE")) {
        utf16_ = QStringDecoder(QStringDecoder::Utf16LE);
        block.remove(0, 2);
    } else if (block.startsWith("\xFE\xFF")) {
        utf16_ = QStringDecoder(QStringDecoder::Utf16BE);
        block.remove(0, 2);
    } else {
        encoding_ = Encoding::Bytes;
        if (block.startsWith("\xEF\xBB\xBF"))
            block.remove(0, 3);
    }
}

} // namespace bkl
