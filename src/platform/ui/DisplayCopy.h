#pragma once
// The display copy of a report page with a very long table. The web engine lays
// out a table of 100,000 rows again and again as it grows, for minutes and
// gigabytes, until the renderer dies. The display copy looks the same but keeps
// the rows of such a table as markup, in blocks of a few hundred rows, each
// block a table of its own with the columns the whole table would have (measured
// on a small sizer table: the first row over the cells that break least): a small
// script lays out only the blocks near the screen and drops those far from it,
// while each block not laid out keeps the height of its rows, so the scroll bar
// spans every row. Printing lays out every block; Copy takes every row selected
// (DisplayCopyCopyScript.h).
// The page file itself is never changed: it is what Save As copies and what
// messages name; the browser loads the display copy in its place.
#include <QByteArray>
#include <QString>

namespace bkl {

struct DisplayCopyLimits {
    // A table with more rows than this is shown from a display copy.
    qsizetype tableRows = 5000;
    // The rows of one block.
    qsizetype blockRows = 500;
};

// The display copy of the page `html`, or an empty array when no table of it has
// more rows than `limits.tableRows` (the page is shown as it is). Only innermost
// tables whose rows are plain markup (no script or comment) are split.
QByteArray DisplayCopy(const QByteArray& html, const DisplayCopyLimits& limits = {});

// Where the display copy of `pageFile` is kept: beside it, named after it.
QString DisplayCopyPath(const QString& pageFile);

// Writes the display copy of `pageFile` to DisplayCopyPath and returns that path,
// or returns an empty string when the page is shown as it is (no table long
// enough, or the copy could not be written; no copy is left behind then).
QString WriteDisplayCopy(const QString& pageFile, const DisplayCopyLimits& limits = {});

} // namespace bkl
