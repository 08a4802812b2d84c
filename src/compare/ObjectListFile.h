#pragma once
// The compare object-list file: plain text, one calculation name per line, no
// header. Each line as read (not trimmed) is one name; an empty line gives an
// empty name. It is read as every file users hand us (UserTextFile): line ends
// CR LF, CR or LF, a byte-order mark honoured, Latin-1 for lines that are not
// UTF-8, binary content refused.
#include "platform/core/UserTextFile.h"

namespace bkl::compare {

// More names than any model holds calculations; the list of the compare window
// keeps the first ones and the reader says that the rest was left.
inline constexpr qint64 kMaxObjectListLines = 500'000;

class ObjectListFile final : public UserTextFile {
public:
    explicit ObjectListFile(const QString& path) : UserTextFile(path, -1, kMaxObjectListLines) {}
};

} // namespace bkl::compare
