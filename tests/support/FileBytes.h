#pragma once
#include <QByteArray>
#include <QString>

namespace bkl::test {

// The bytes of a file; empty when it cannot be read.
QByteArray FileBytes(const QString& path);
// Writes the bytes to a file, replacing it.
void WriteFileBytes(const QString& path, const QByteArray& bytes);

} // namespace bkl::test
