#pragma once
// A point of a page shown from its display copy (an end of a selection), as the
// copy's script tells it, and the byte of the page file it stands for. The script
// cannot name bytes: it counts the characters of text before the point that are
// not blanks (space, tab, line ends, form feed), as the document holds them
// (entities read, markup, comments and the text of scripts, styles, titles and
// text areas left out). Inside a long table (see DisplayCopy.h) it counts from the
// start of a row of that table; elsewhere from the start of the page, leaving the
// long tables out, since the copy keeps their rows as markup. Blanks are not
// counted because the parser drops or keeps some of them by rules of its own.
#include "platform/ui/LongTables.h"

#include <QByteArrayView>
#include <vector>

namespace bkl {

struct PagePoint {
    int table = -1; // the long table the point lies in, in the order of the page; -1 outside them
    qint64 row = 0; // the row of that table counted from
    qint64 count = 0; // characters other than blanks from there to the point
};

// The byte of the page `html` (whose long tables are `tables`) that the point
// stands for: for the start of a part, its first character after the point; for
// its end, just after its last character before the point. -1 when the page has
// no such table or row; the end of the page when it has fewer characters.
qsizetype PagePointByte(QByteArrayView html, const std::vector<LongTable>& tables, const PagePoint& point, bool end);

} // namespace bkl
