#pragma once
// PDFs joined into one (the slices of a page printed a slice at a time), with a
// choice of their pages.
#include <QPageRanges>
#include <QStringList>

namespace bkl {

// Writes the PDF file `output`: the pages of the PDF files `parts` in order, only
// those in `pages` when given (numbered from 1 across all parts). Any thread.
// Throws std::runtime_error with the reason.
void JoinPdfs(const QStringList& parts, const QString& output, const QPageRanges& pages = {});

} // namespace bkl
