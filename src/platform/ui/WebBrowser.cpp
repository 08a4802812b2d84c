#include "platform/ui/WebBrowser.h"

#include "platform/core/Seams.h"
#include "platform/ui/DisplayCopy.h"
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
#include <QThread>
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

WebBrowser::~WebBrowser() { dropDisplayCopies(); }

void WebBrowser::dropDisplayCopies()
{
    if (copying_)
        copying_->wait();
    if (written_ && !written_->isEmpty())
        QFile::remove(*written_);
    written_.reset();
    if (!displayCopy_.isEmpty())
        QFile::remove(displayCopy_);
    displayCopy_.clear();
}

void WebBrowser::navigate(const QString& htmlFile)
{
    dropDisplayCopies();
    file_ = htmlFile;
    const quint64 navigation = ++navigation_;
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
    // A page with a very long table is shown from its display copy. Reading and
    // copying tens of megabytes takes a few hundred milliseconds: it is done
    // beside the window, and the page loads once the copy is written.
    auto written = std::make_shared<QString>();
    written_ = written;
    copying_ = QThread::create([htmlFile, written] { *written = WriteDisplayCopy(htmlFile); });
    connect(copying_, &QThread::finished, copying_, &QObject::deleteLater);
    connect(copying_, &QThread::finished, this, [this, navigation, written, page = QPointer(page)] {
        if (navigation != navigation_ || !page)
            return;
        displayCopy_ = *written;
        written_.reset();
        const QString load = displayCopy_.isEmpty() ? file_ : displayCopy_;
        page->load(QUrl::fromLocalFile(QFileInfo(load).absoluteFilePath()));
    });
    copying_->start();
}

void WebBrowser::saveAs()
{
    if (file_.isEmpty())
        throw std::runtime_error("No page is shown.");
    const QString suggested = QDir::homePath() + QLatin1Char('/') + QFileInfo(file_).fileName();
    const QString target
        = FileDialogs().saveFile(QStringLiteral("Save As"), QStringLiteral("HTML Files (*.htm *.html)"), suggested);
    if (target.isEmpty())
        return;
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(file_).absoluteFilePath())
        return;
    if (QFile::exists(target) && !QFile::remove(target))
        throw std::runtime_error(QStringLiteral("Cannot replace %1.").arg(target).toStdString());
    QFile source(file_);
    if (!source.copy(target))
        throw std::runtime_error(source.errorString().toStdString());
}

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
