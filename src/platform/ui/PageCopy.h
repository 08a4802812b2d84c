#pragma once
// Copy of the whole page shown from its display copy. The display copy lays out
// only the rows near the screen, so the web engine's own Copy of Select All would
// take those rows alone; the display copy's script asks for this copy instead
// (through a web channel every page of the browser gets), and the clipboard gets
// the page file itself: its HTML, and its text as the engine copies the page
// shown without a display copy (PageText). Both are made beside the window, with
// the hourglass shown meanwhile.
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class QThread;
class QWebEnginePage;

namespace bkl {

class BusyCursor;

class PageCopy final : public QObject {
    Q_OBJECT
public:
    // `pageFile` tells the page file shown when a copy is asked for.
    explicit PageCopy(std::function<QString()> pageFile, QObject* parent = nullptr);
    ~PageCopy() override;

    // Lets the scripts of `page` ask for the copy (as the web channel object "bklPageCopy").
    void attach(QWebEnginePage* page);

    // Puts the whole page file on the clipboard, once made; a later call replaces an earlier one.
    Q_INVOKABLE void copyWholePage();

signals:
    // The clipboard holds the whole page.
    void copied();

private:
    struct Made;
    std::function<QString()> pageFile_;
    QPointer<QThread> making_;
    std::unique_ptr<BusyCursor> busy_;
    quint64 request_ = 0;
};

} // namespace bkl
