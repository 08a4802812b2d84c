#include "platform/ui/WebBrowser.h"

#include "platform/core/Seams.h"
#include "platform/ui/RunGuard.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPaintEngine>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <stdexcept>

namespace bkl {
namespace {

// The engine prints a page as an image of it at the printer's resolution: at
// 1200 dpi that is half a gigabyte and more than a second per page. The preview
// only shows the pages on the screen: at twice the screen's 96 dpi they stay
// sharp when zoomed to 200% and on high-density screens, at a few MB each.
constexpr int kPreviewDpi = 192;

} // namespace

WebBrowser::WebBrowser(QWidget* parent) : Browser(parent), view_(new QWebEngineView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

void WebBrowser::navigate(const QString& htmlFile)
{
    file_ = htmlFile;
    // A report page can take gigabytes in the renderer. Each page gets a page
    // object of its own and the one shown before is deleted first, with its
    // document and history: two report pages are never alive together, and a
    // rewritten file is read anew.
    const QPointer<QWebEnginePage> shown = view_->page();
    auto* page = new QWebEnginePage(shown->profile(), view_);
    // The report pages are written in UTF-8 without a charset declaration.
    page->settings()->setDefaultTextEncoding(QStringLiteral("utf-8"));
    view_->setPage(page);
    delete shown.data();
    page->load(QUrl::fromLocalFile(QFileInfo(htmlFile).absoluteFilePath()));
}

void WebBrowser::saveAs() { SavePageFileAs(file_); }

void WebBrowser::printTo(QPrinter& printer)
{
    if (printing_)
        throw std::runtime_error("The page is being printed already.");
    bool ok = false;
    {
        // Laying out a long page takes seconds: the hourglass shows, and the window stays while the engine prints.
        RunGuard busy([this] { printing_ = false; });
        printing_ = true;
        QEventLoop loop;
        const auto done = connect(view_, &QWebEngineView::printFinished, &loop, [&](bool success) {
            ok = success;
            loop.quit();
        });
        view_->print(&printer);
        loop.exec();
        disconnect(done);
    }
    if (!ok)
        throw std::runtime_error("The page could not be printed.");
}

void WebBrowser::printPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    const int printDpi = printer.resolution();
    printer.setResolution(kPreviewDpi);
    QPrintPreviewDialog dialog(&printer, this);
    QString failure;
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* p) {
        // The preview records the pages through a picture engine; the dialog's
        // Print paints on the printer itself, at the resolution printing uses
        // (unless the print dialog chose another printer with its own).
        if (p->paintEngine()->type() != QPaintEngine::Picture && p->resolution() == kPreviewDpi)
            p->setResolution(printDpi);
        try {
            printTo(*p);
        } catch (const std::exception& e) {
            failure = QString::fromUtf8(e.what());
        }
    });
    dialog.exec();
    if (!failure.isEmpty())
        throw std::runtime_error(failure.toStdString());
}

void WebBrowser::print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printTo(printer);
}

} // namespace bkl
