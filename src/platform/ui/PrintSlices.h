#pragma once
// A report page printed a slice at a time. To print a page whole the web engine
// lays it out whole, and a large page takes it gigabytes until the renderer
// dies. So the page is cut between its top-level blocks and between the rows of
// its tables (see PageCuts.h) into slices of a bounded size, each a document of
// its own: the page's head (its styles and scripts), the elements the slice
// starts inside of (a row's table) opened again, and the slice's part of the
// page. The engine prints one slice at a time, and the slices' PDFs joined in
// order print every row of the page.
#include "platform/ui/PageCuts.h"

#include <QByteArray>

namespace bkl {

// The most rows of one slice (1,000 unless set): a setting, so that tests print
// slices of a few rows.
qsizetype PrintSliceRows();
void SetPrintSliceRows(qsizetype rows);

// The size a slice's document is kept within where cuts allow (512 KB unless
// set; the first slice of a larger page a quarter of it): a renderer takes
// about 400 MB to print a MB of a report table, so a slice of this size keeps
// it within about 300 MB.
qsizetype PrintSliceBytes();
void SetPrintSliceBytes(qsizetype bytes);

// The largest slice printed: one block that no cut makes smaller is printed as
// one slice up to this size, in a renderer that takes about all the memory the
// renderers are given (see SlicedPdf.h).
inline constexpr qsizetype kMostPrintSliceBytes = 3 * 1024 * 1024;

class PrintSlices {
public:
    // The slices of the page `html`, each of at most `sliceRows` rows and
    // `sliceBytes` bytes where the cuts allow (a page that small is one slice,
    // the page itself). Throws std::runtime_error saying so when a single block
    // that cannot be cut is larger than `mostBytes`.
    PrintSlices(QByteArray html, qsizetype sliceRows, qsizetype sliceBytes = PrintSliceBytes(),
                qsizetype mostBytes = kMostPrintSliceBytes);

    qsizetype count() const { return qsizetype(starts_.size()); }
    // The document that prints slice `slice` (from 0): UTF-8, with a byte-order mark.
    QByteArray document(qsizetype slice) const;
    // The size of the slice's part of the page, with the head and the elements opened again.
    qsizetype bytes(qsizetype slice) const;

private:
    qsizetype from(qsizetype slice) const;
    qsizetype to(qsizetype slice) const;
    qsizetype openBytes(size_t cut) const;
    // The size of a slice that starts at cut `start` and ends at `end`.
    qsizetype bytesOf(size_t start, qsizetype end) const { return page_.headEnd + openBytes(start) + end - page_.cuts[start].at; }

    QByteArray html_;
    PageCuts page_;
    std::vector<size_t> starts_; // the cut each slice starts at (none for a page without cuts)
};

} // namespace bkl
