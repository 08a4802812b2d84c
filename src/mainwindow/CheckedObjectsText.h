#pragma once
// The clipboard text of the object list's "Copy Checked Objects to Clipboard".
#include <QString>
#include <QStringList>

namespace bkl::mainwindow {

// Each checked row's item text trimmed and followed by CR LF, in list order;
// the whole trimmed of blanks at both ends (so it still ends with CR LF).
// No checked row gives the empty text.
QString CheckedObjectsText(const QStringList& checkedItemTexts);

} // namespace bkl::mainwindow
