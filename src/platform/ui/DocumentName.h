#pragma once
// The name a printed page goes by: the preview's title, the print job's name and
// the PDF file the print dialog offers are named after what is printed, never
// after the temporary file the page is kept in.
#include <QString>

class QWidget;

namespace bkl {

// The caption of the window `browser` stands in; else the page's own title
// (`pageTitle`, unless the engine made it of the page's address); else the page
// file's name without its folder and suffix.
QString PrintedDocumentName(const QWidget& browser, const QString& pageTitle, const QString& pageFile);

// `name` as a file name: each character a file system refuses or treats apart
// (/ \ : * ? " < > | and control characters) becomes "_", blanks and dots at
// either end are dropped, and the name is cut to 200 characters; "print" when
// nothing is left.
QString FileSafeName(const QString& name);

} // namespace bkl
