#pragma once
// Text files that users hand us (connection profiles, compare object lists),
// read line by line in blocks, so a large file costs one block of memory plus
// the lines the caller keeps.
//
// The text is UTF-8. A byte-order mark for UTF-8, UTF-16 LE or UTF-16 BE is
// honoured (and dropped); a line that is not valid UTF-8 is read as Latin-1, so
// a file saved in a Western ANSI code page still reads. A line ends at CR LF,
// at CR or at LF alone; a line end after the last line starts no further line.
//
// Whether the file is there is told by stat before it is opened: a path stat
// cannot tell about (a folder on the way that cannot be searched) is a file that
// cannot be opened, with the system's reason, never a missing one.
//
// Refused: a path that is not a regular file (a folder, a device, a pipe),
// before it is opened, since opening a pipe waits for a writer; content holding
// a NUL character (binary, or UTF-16 without a mark), a file larger than the
// caller's limit of bytes, a line longer than kMaxUserTextLineBytes, and the
// lines beyond the caller's limit of lines. Reading stops at the refusal;
// status() says why.
#include "platform/core/FileSnapshot.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>
#include <functional>
#include <memory>

namespace bkl {

inline constexpr qsizetype kMaxUserTextLineBytes = 65536;

class UserTextFile {
public:
    enum class Status { Ok, CannotOpen, ReadFailed, NotRegular, TooLarge, Binary, LineTooLong, TooManyLines };

    // Opens the file. A limit below 0 is no limit. A file larger than
    // `maxBytes` is refused before anything is read.
    explicit UserTextFile(const QString& path, qint64 maxBytes = -1, qint64 maxLines = -1);

    // The next line; false at the end of the file or once reading has stopped
    // on a failure or refusal.
    bool readLine(QString& line);
    // The line readLine gave last as it stands in the file, its line end
    // included (none after a last line without one): its bytes in a UTF-8 or
    // Latin-1 file, its text as UTF-8 in a UTF-16 file; never a byte-order mark.
    QByteArray lineBytes() const;
    // Keeps every byte read from here on, for snapshot(); call it before the
    // first readLine.
    void keepBytes() { keepBytes_ = true; }
    // What the reader saw: no file (stat said so), or the file read to its end
    // with keepBytes (which file, and its bytes as they stand, byte-order mark
    // included); Unknown otherwise.
    FileSnapshot snapshot() const;

    Status status() const { return status_; }
    // True when the file was refused (not a regular file, a limit, binary
    // content), as opposed to a file that cannot be read.
    bool refused() const;
    // The reason in words, naming the file; empty while the status is Ok.
    QString errorString() const { return error_; }
    // The run-time error number of the failure: 53 file not found (stat said
    // nothing is there), 75 path or file access error (also for a folder,
    // device or pipe, and a path whose folder cannot be searched), 57 device I/O
    // error, 321 invalid file format.
    long errorNumber() const;
    // Lines handed out so far.
    qint64 lineNumber() const { return lineNumber_; }

private:
    enum class Encoding { Unknown, Bytes, Utf16 };

    std::unique_ptr<QFile> file_;
    qint64 maxBytes_;
    qint64 maxLines_;
    Status status_ = Status::Ok;
    QString error_;
    Encoding encoding_ = Encoding::Unknown;
    QStringDecoder utf16_;
    QByteArray bytes_; // unread text of a UTF-8 / Latin-1 file
    QString text_;     // unread text of a UTF-16 file, decoded
    qsizetype pos_ = 0;
    qsizetype lineFrom_ = 0; // where the last line handed out starts in the buffer
    bool atEnd_ = false;
    bool missing_ = false;
    bool keepBytes_ = false;
    QByteArray kept_;
    quint64 device_ = 0;
    quint64 inode_ = 0;
    qint64 bytesRead_ = 0;
    qint64 lineNumber_ = 0;

    void fail(Status status, const QString& reason);
    void readBlock();
    // Chooses the encoding from the first block, dropping its byte-order mark.
    void takeByteOrderMark(QByteArray& block);
    template <class Buffer>
    bool takeLine(const Buffer& buffer, QString& line);
};

// How the readers reach a file. `statError`, when set, is asked before stat:
// an error number other than 0 stands for stat failing so (0 leaves it to
// stat). `newFile`, when set, makes the QFile they open; else a plain QFile.
// Tests install their own to stand for a folder that cannot be searched, a
// file that cannot be opened or whose reading fails part way (a failing disk
// or share), which a test running as the superuser cannot otherwise make.
struct UserTextFileAccess {
    std::function<int(const QString& path)> statError;
    std::function<std::unique_ptr<QFile>(const QString& path)> newFile;
};
void SetUserTextFileAccessForTesting(UserTextFileAccess access);
// A QFile for `path` made through that access (not opened yet): the readers of
// the program's own files use it too, so a test can fail their reads.
std::unique_ptr<QFile> OpenedForReading(const QString& path);

} // namespace bkl
