#pragma once
// Writing a whole file with the system's reason when it fails. A write that
// stops part way (a full disk takes what fits, then refuses the rest) is written
// on until the system says why, so the reason is "No space left on device"
// rather than no reason at all.
#include <QByteArrayView>
#include <QFileDevice>
#include <QString>

namespace bkl {

// Writes all of `bytes` to the open `file`; false with file.errorString() set when it cannot.
bool WriteAll(QFileDevice& file, QByteArrayView bytes);

// Replaces the file `path` with `bytes` whole, or leaves it as it was: the
// system's reason when it cannot, empty when it was written.
QString SaveWholeFile(const QString& path, QByteArrayView bytes);

} // namespace bkl
