#pragma once
// Paints the pages of a PDF on a printer or a print preview, one printer page per
// PDF page, for the places that need the pages as pictures.
#include <QByteArray>

class QPrinter;

namespace bkl {

// Each PDF page is drawn over the whole sheet of the printer's page (a PDF made
// for that layout carries the margins itself), fitted and centred when its size
// differs, as an image at the printer's resolution, at most 300 dpi. Returns
// false when the PDF cannot be read or the painter cannot start.
bool PaintPdfPages(const QByteArray& pdf, QPrinter& printer);

} // namespace bkl
