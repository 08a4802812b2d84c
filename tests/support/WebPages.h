#pragma once
// Report pages for the tests that render in the real web engine: written into
// the test's application folder and loaded into a browser.
#include <QByteArray>
#include <QString>

class QWebEngineView;

namespace bkl {
class Browser;
}

namespace bkl::test {

// Writes `bytes` as the file `name` in the test home and returns its path.
QString WritePage(const QString& name, const QByteArray& bytes);

// Navigates and waits for the load to finish; true when it loaded.
bool NavigateAndWait(Browser& browser, QWebEngineView* view, const QString& path);

// The text of the page shown in `view` (empty when the engine gives none in 30 s).
QString BodyText(QWebEngineView* view);

// A table of `rows` numbered rows ("<n></td><td>jsmith</td><td>Calculations"):
// 70 rows fill two portrait A4 pages.
QByteArray NumberedTable(int rows);

} // namespace bkl::test
