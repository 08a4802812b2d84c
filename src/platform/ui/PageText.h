#pragma once
// The plain text the web engine puts on the clipboard for Select All and Copy of
// a report page, made from the page's HTML without laying it out: a table's cells
// are joined by tabs and its rows by line ends (LF), blocks (paragraphs, divisions,
// tables) start new lines and a paragraph leaves an empty line after it, runs of
// blanks in the markup are one space and none at the start or end of a line, a
// no-break space is a space, and what is not shown (the head, scripts, styles,
// elements styled display:none) is left out.
#include <QByteArrayView>
#include <QString>

namespace bkl {

// The text of the page `html` (UTF-8).
QString PageText(QByteArrayView html);

} // namespace bkl
