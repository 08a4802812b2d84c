#pragma once
// Copy of a page shown from its display copy. The display copy lays out only the
// rows near the screen, so the web engine's own Copy would take those rows alone,
// and laying out every row a selection spans takes gigabytes; the display copy's
// script asks for this copy instead (through a web channel every page of the
// browser gets). For Select All the clipboard gets the page file itself: its HTML,
// and its text as the engine copies the page shown without a display copy
// (PageText); for a selection, the part of the page file between its ends
// (PagePoint.h). Both are made beside the window, with the hourglass shown
// meanwhile. A page file that cannot be read to its end copies nothing: the user
// is told why, and the clipboard keeps what it held.
#include <QByteArrayView>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

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
    // Puts the part of the page file from one point to another on the clipboard, as
    // copyWholePage does: each point is a long table (-1 for none), a row of it and a
    // count of characters (see PagePoint).
    Q_INVOKABLE void copyPart(int fromTable, qint64 fromRow, qint64 fromCount, int toTable, qint64 toRow,
                              qint64 toCount);
    // Tells the user that a selection of a page that hides some of its parts spans
    // more rows than the engine is given to lay out for a copy: nothing is copied.
    Q_INVOKABLE void refuseLargeCopy();

signals:
    // The clipboard holds the whole page.
    void copied();

private:
    struct Made;
    // Reads the page file beside the window and puts what `make` makes of its bytes on the clipboard.
    void copyMade(std::function<void(QByteArrayView page, Made& made)> make);
    void refuse(const QString& reason);

    std::function<QString()> pageFile_;
    std::vector<QPointer<QThread>> making_;
    std::unique_ptr<BusyCursor> busy_;
    quint64 request_ = 0;
};

} // namespace bkl
