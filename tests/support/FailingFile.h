#pragma once
// Files that fail as on a failing disk or share, for the readers of files users
// hand us: tests run as the superuser, for whom no permission stops a read.
#include <QString>

namespace bkl::test {

// While it lives, the file at `path` is opened by the readers as one that either
// cannot be opened ("Permission denied") or fails with "Input/output error"
// once its first `readableBytes` bytes have been read; or, for
// kFolderCannotBeSearched, as a file in a folder without search permission,
// whose existence cannot be told (stat fails with "Permission denied"). Other
// files read as usual.
class FailingFile {
public:
    static constexpr qint64 kCannotOpen = -1;
    static constexpr qint64 kFolderCannotBeSearched = -2;
    FailingFile(const QString& path, qint64 readableBytes);
    ~FailingFile();
    FailingFile(const FailingFile&) = delete;
    FailingFile& operator=(const FailingFile&) = delete;
};

} // namespace bkl::test
