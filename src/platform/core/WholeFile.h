#pragma once
// Reads a whole file the program made itself (a report page, its display copy)
// and tells whether it was read to its end. A read that fails part way (a
// failing disk or share) or ends before the size the file had when it was
// opened is an error, never a shorter page: printing, copying or showing what
// was read would pass a part of the page off as all of it.
//
// Files are opened through the same access as the readers of user files
// (UserTextFileAccess), so a test can make a read fail part way.
#include <QByteArray>
#include <QString>

namespace bkl {

struct WholeFile {
    QByteArray bytes;
    QString error; // the system's reason; empty when the file was read whole

    bool ok() const { return error.isEmpty(); }
};

WholeFile ReadWholeFile(const QString& path);

} // namespace bkl
