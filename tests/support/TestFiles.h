#pragma once
// The application log and small files, read and written the way tests check them.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace bkl::test {

// Deletes BKL.log.
void ResetLog();
// The raw text of BKL.log.
QString LogText();
// The lines of BKL.log (CR LF split; no trailing empty line).
QStringList LogLines();

// Writes a file, creating or truncating it (bytes exactly as given).
void WriteFile(const QString& path, const QByteArray& bytes);
// The bytes of a file; empty when it cannot be read.
QByteArray ReadFile(const QString& path);

} // namespace bkl::test
