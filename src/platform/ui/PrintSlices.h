#pragma once
// A report page printed a slice at a time. To print a page whole the web engine
// lays it out whole, and a table of tens of thousands of rows takes it gigabytes
// until the renderer dies. So the page's long tables are cut into slices of a
// few thousand rows, each slice a document of its own: the page with only the
// rows of that slice in its long tables, and a script that hides what the page
// holds before and after the slice. The engine prints one slice at a time, and
// the slices' PDFs joined in order print every row of the page.
#include "platform/ui/LongTables.h"

#include <QByteArray>

namespace bkl {

// The rows of one slice (1,000 unless set): a setting, so that tests print
// slices of a few rows.
qsizetype PrintSliceRows();
void SetPrintSliceRows(qsizetype rows);

// The largest slice document the engine is given to print (the page outside
// its long tables and one slice's rows): 4 MB. A renderer takes about 400 MB to
// print a MB of a report table, so a larger one could take it past its memory.
inline constexpr qsizetype kMostPrintSliceBytes = 4 * 1024 * 1024;

class PrintSlices {
public:
    // The slices of the page `html`, `sliceRows` rows of a long table each (a
    // page without a table longer than that is one slice, the page itself).
    // Throws std::runtime_error saying so when a slice would be larger than
    // `mostBytes`: the page cannot be printed whole.
    PrintSlices(QByteArray html, qsizetype sliceRows, qsizetype mostBytes = kMostPrintSliceBytes);

    qsizetype count() const { return qsizetype(cuts_.size()) + 1; }
    // The document that prints slice `slice` (from 0): UTF-8, with a byte-order mark.
    QByteArray document(qsizetype slice) const;

private:
    qsizetype sliceBytes(qsizetype from, qsizetype to) const;

    QByteArray html_;
    std::vector<LongTable> tables_;
    // Where each slice after the first starts: the start of a row of a long table.
    std::vector<qsizetype> cuts_;
};

} // namespace bkl
