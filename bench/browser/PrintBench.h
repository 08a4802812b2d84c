#pragma once
// Printing large report pages in the program's real browser: Print to a PDF
// file, Print Preview then its Print, and Print Preview alone; each checked for
// every row of the page in the PDF, in order (pdftotext), and measured for time
// and the peaks of the program and of the renderer processes.
#include <QString>

namespace bkl {
class WebBrowser;
}

namespace bench {

// Prints `page` to a PDF file `times` times in one browser, then Print Preview and its Print; a line each and a goal line.
void MeasurePrint(const QString& title, const QString& page, int times);

// Opens Print Preview of `page` and closes it: the time to its first page, the
// program's peak, and the program's size before and after. The preview stays open
// until no page has come for 5 s, and the sizes are read after pauses of a few
// seconds; `quick` closes it at its first page with no pauses (the suite's smoke
// run, whose figures mean nothing).
void MeasurePreview(const QString& title, const QString& page, bool quick = false);

} // namespace bench
