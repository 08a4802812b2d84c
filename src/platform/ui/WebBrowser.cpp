#include "platform/ui/WebBrowser.h"
#include "platform/ui/ModalWindows.h"

#include "platform/ui/BusyCursor.h"
#include "platform/ui/DisplayCopy.h"
#include "platform/ui/DocumentName.h"
#include "platform/ui/PageCopy.h"
#include "platform/ui/PageScheme.h"
#include "platform/ui/PrintJob.h"
#include "platform/ui/PrintPreviewDialog.h"
#include "platform/ui/RendererEnded.h"
#include "platform/ui/RunGuard.h"
#include "platform/ui/SlicedPdf.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QThread>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <optional>
#include <stdexcept>

namespace bkl {

WebBrowser::WebBrowser(QWidget* parent)
    : Browser(parent), view_(new QWebEngineView(this)), pageCopy_(new PageCopy([this] { return file_; }, this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    ServePageScheme(view_->page()->profile());
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
    // rewritten file is read anew. A page whose renderer ended is replaced the
    // same way, so the next page shows in a renderer of its own.
    const QPointer<QWebEnginePage> shown = view_->page();
    auto* page = new QWebEnginePage(shown->profile(), view_);
    rendererEnded_ = false;
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int exitCode) {
                rendererEnded(status, exitCode);
            });
    view_->setPage(page);
    delete shown.data();
    pageCopy_->attach(page);
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
        // The report pages are written in UTF-8 without a charset declaration: the
        // page scheme serves them declared as UTF-8.
        page->load(PageUrl(displayCopy_.isEmpty() ? file_ : displayCopy_));
    });
    copying_->start();
}

void WebBrowser::rendererEnded(int status, int exitCode)
{
    // A renderer that ends normally leaves the page as it is: nothing failed.
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    rendererEnded_ = true;
    ReportRendererEnded(static_cast<QWebEnginePage::RenderProcessTerminationStatus>(status), exitCode, file_);
}

void WebBrowser::saveAs() { SavePageFileAs(file_, documentName()); }

void WebBrowser::checkPrintable() const
{
    // A blank page whose renderer is gone is not printed as if it were shown.
    if (rendererEnded_)
        throw std::runtime_error("The page is no longer shown: its renderer ended. Show it again to print it.");
}

QString WebBrowser::documentName() const { return PrintedDocumentName(*this, view_->page()->title(), file_); }

std::unique_ptr<SlicedPdf> WebBrowser::slicesToPrint() const
{
    checkPrintable();
    return std::make_unique<SlicedPdf>(file_, view_->page()->profile());
}

void WebBrowser::nameDocument(QPrinter& printer) const
{
    // The print dialog offers the name without its last suffix as the PDF file's name: ".pdf" is that suffix.
    printer.setDocName(FileSafeName(documentName()) + QStringLiteral(".pdf"));
}

void WebBrowser::deliver(SlicedPdf& pdf, PrintJob job) const
{
    job.title = documentName();
    BusyCursor busy;
    pdf.deliver(job);
}

void WebBrowser::printTo(QPrinter& printer)
{
    if (printing_)
        throw std::runtime_error("The page is being printed already.");
    // Making a long page into a PDF takes a while: the hourglass shows, and the window stays while the engine works.
    RunGuard busy([this] { printing_ = false; });
    printing_ = true;
    const std::unique_ptr<SlicedPdf> pdf = slicesToPrint();
    deliver(*pdf, ReadPrintJob(printer));
}

bool WebBrowser::refusedWhileRunning()
{
    // A run (or another preview or print) uses the window: printing now could
    // close it under the run, as Switch Model would.
    if (!RunGuard::active())
        return false;
    QApplication::beep();
    return true;
}

void WebBrowser::printPreview()
{
    if (refusedWhileRunning())
        return;
    // The preview is a run from the first PDF until the dialog's Print is
    // delivered: the engine works while the dialog is open, and a Switch Model
    // or a Close meanwhile would destroy this browser under it.
    RunGuard previewing({}, false);
    // A page that cannot be printed whole says so before the preview opens.
    const std::unique_ptr<SlicedPdf> pdf = slicesToPrint();
    QPrinter printer(QPrinter::HighResolution);
    nameDocument(printer);
    std::optional<PrintJob> job;
    {
        PrintPreviewDialog dialog(*pdf, printer, documentName(), this);
        ExecModal(dialog);
        if (!dialog.failure().isEmpty())
            throw std::runtime_error(dialog.failure().toStdString());
        job = dialog.job();
    }
    // The dialog's Print: the job is printed once the dialog has closed, with its pages released.
    if (job)
        deliver(*pdf, *job);
}

void WebBrowser::print()
{
    if (refusedWhileRunning())
        return;
    // A run from the dialog to the printed page, as the preview.
    RunGuard printing({}, false);
    const std::unique_ptr<SlicedPdf> pdf = slicesToPrint();
    QPrinter printer(QPrinter::HighResolution);
    nameDocument(printer);
    QPrintDialog dialog(&printer, this);
    if (ExecModal(dialog) != QDialog::Accepted)
        return;
    deliver(*pdf, ReadPrintJob(printer));
}

} // namespace bkl
