#pragma once
// What a reader saw of a file, for a writer that must not write over a file
// changed since it was read: that nothing was there, or which file it was
// (device and inode: a file renamed into its place is another file) and every
// byte of it.
#include <QByteArray>
#include <QtGlobal>

namespace bkl {

struct FileSnapshot {
    // Unknown: the reader could not tell, or did not read the file to its end.
    enum class Seen { Unknown, Missing, Whole };
    Seen seen = Seen::Unknown;
    quint64 device = 0;
    quint64 inode = 0;
    QByteArray bytes;
};

// True when both saw no file, or both read the same file whole with the same
// bytes. An Unknown snapshot is like no other, not even another Unknown one.
inline bool SameFile(const FileSnapshot& a, const FileSnapshot& b)
{
    if (a.seen != b.seen || a.seen == FileSnapshot::Seen::Unknown)
        return false;
    return a.seen == FileSnapshot::Seen::Missing
           || (a.device == b.device && a.inode == b.inode && a.bytes == b.bytes);
}

} // namespace bkl
