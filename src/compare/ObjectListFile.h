#pragma once
// The compare object-list file: plain text, one calculation name per line, no
// header. A line ends at CR LF, at CR or at LF alone (hand-edited files on
// Linux end lines with LF).
#include <QString>
#include <QStringList>

namespace bkl::compare {

// The file's lines as read, not trimmed (an empty line gives an empty name; a
// line end after the last line adds no line). Text that is valid UTF-8 is read
// as UTF-8 (a byte-order mark is dropped), anything else as Latin-1, so a file
// saved in a Western ANSI code page still reads. Throws std::runtime_error
// naming the file when it cannot be read.
QStringList ReadObjectListFile(const QString& path);

// The same split of text already read.
QStringList ObjectListLines(const QString& text);

} // namespace bkl::compare
