#pragma once
// Report pages for the tests that render in the real web engine: written into
// the test's application folder and loaded into a browser.
#include <QByteArray>
#include <QString>
#include <QVariant>

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

// Loads a page file into a bare view of the given width, as it is (no display copy); true when it loaded.
bool LoadAsItIs(QWebEngineView& view, const QString& page, int width);

// The value of `script` run on the page shown in `view` (invalid when the engine gives none in 30 s).
QVariant RunScript(QWebEngineView* view, const QString& script);

// A table of `rows` numbered rows ("<n></td><td>jsmith</td><td>Calculations"):
// 70 rows fill two portrait A4 pages.
QByteArray NumberedTable(int rows);

} // namespace bkl::test
