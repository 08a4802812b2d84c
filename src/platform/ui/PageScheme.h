#pragma once
// The URL scheme the browser shows report pages through. A page file is served
// as "text/html; charset=utf-8": the engine reads it as UTF-8 however long it is
// (without a declared charset it guesses the encoding of a long page from its
// bytes), while the file keeps its bytes. Other files (those a page names by a
// relative path) are served with the type their name tells.
#include <QString>
#include <QUrl>

class QWebEngineProfile;

namespace bkl {

// Registers the scheme with the web engine. Call once, before the QApplication
// is made (the engine reads its schemes when it starts).
void RegisterPageScheme();

// Serves the scheme in `profile` (once per profile; later calls do nothing).
void ServePageScheme(QWebEngineProfile* profile);

// The URL that shows the local file `path`.
QUrl PageUrl(const QString& path);

} // namespace bkl
