#pragma once
// Reading BKL.log in tests: empty it, mark where a test began, and read the
// lines or messages written since.
#include <QString>
#include <QStringList>

namespace bkl::test {

// Empties BKL.log (creating the logs folder) so a test sees only its own lines.
void ClearLog();
// Deletes BKL.log, leaving the logs folder as it is.
void ResetLog();
// The raw text of BKL.log.
QString LogText();
// The log's size now: pass it as `from` to read only what follows.
qint64 LogMark();
// Whole log lines from byte `from` on, without their CR LF.
QStringList LogLines(qint64 from = 0);
// Messages (the fields after date, model key and level) of the lines from byte
// `from` on; only the lines at `level` ("ERROR", "INFO") unless it is empty.
QStringList LogMessages(const QString& level = QStringLiteral("ERROR"), qint64 from = 0);

} // namespace bkl::test
