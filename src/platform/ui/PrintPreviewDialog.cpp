#include "platform/ui/PrintPreviewDialog.h"
#include "platform/ui/ModalWindows.h"

#include "platform/ui/PdfJoin.h"
#include "platform/ui/PrintThread.h"
#include "platform/ui/SlicedPdf.h"

#include <QActionGroup>
#include <QGuiApplication>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolBar>
#include <QVBoxLayout>

namespace bkl {
namespace {

// The print support's own toolbar pictures, where the theme has none.
QIcon PreviewIcon(const char* theme, const char* name)
{
    return QIcon::fromTheme(QLatin1String(theme),
                            QIcon(QStringLiteral(":/qt-project.org/dialogs/qprintpreviewdialog/images/%1-24.png")
                                      .arg(QLatin1String(name))));
}

constexpr qreal kZoomStep = 1.25;

} // namespace

PrintPreviewDialog::PrintPreviewDialog(SlicedPdf& pdf, QPrinter& printer, const QString& title, QWidget* parent)
    : QDialog(parent),
      pdf_(pdf),
      printer_(printer),
      document_(new QPdfDocument(this)),
      view_(new QPdfView(this)),
      pageNumber_(new QSpinBox(this)),
      pageTotal_(new QLabel(this)),
      folder_(std::make_shared<QTemporaryDir>())
{
    setWindowTitle(QStringLiteral("Print Preview: %1").arg(title));
    view_->setDocument(document_);
    view_->setPageMode(QPdfView::PageMode::MultiPage);
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    pageNumber_->setRange(0, 0);
    pageNumber_->setKeyboardTracking(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    addActions();
    layout->addWidget(view_);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(std::min(900, screen.width()), std::min(1000, screen.height()));

    connect(pageNumber_, &QSpinBox::valueChanged, this, [this](int page) { showPage(page - 1); });
    connect(view_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this, &PrintPreviewDialog::updatePageNumber);
    connect(&pdf_, &SlicedPdf::sliceMade, this, &PrintPreviewDialog::sliceMade);
    connect(&pdf_, &SlicedPdf::failed, this, [this](const QString& reason) {
        failure_ = reason;
        // Also when the engine fails before the dialog runs: the dialog closes once it has opened.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    });
    connect(&joining_, &QFutureWatcher<QString>::finished, this, &PrintPreviewDialog::joined);
    layoutChanged();
}

// A join under way ends on the printing thread; its file goes with the folder.
PrintPreviewDialog::~PrintPreviewDialog() = default;

void PrintPreviewDialog::addActions()
{
    auto* bar = new QToolBar(this);
    layout()->addWidget(bar);
    const auto add = [this, bar](const char* text, const char* theme, const char* icon, auto slot) {
        QAction* action = bar->addAction(PreviewIcon(theme, icon), QString::fromLatin1(text));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add("Fit width", "zoom-fit-width", "zoom-fit-width", [this] { view_->setZoomMode(QPdfView::ZoomMode::FitToWidth); });
    add("Fit page", "zoom-fit-best", "zoom-fit-page", [this] { view_->setZoomMode(QPdfView::ZoomMode::FitInView); });
    const auto zoom = [this](qreal factor) {
        const qreal now = view_->zoomFactor();
        view_->setZoomMode(QPdfView::ZoomMode::Custom);
        view_->setZoomFactor(now * factor);
    };
    add("Zoom in", "zoom-in", "zoom-in", [zoom] { zoom(kZoomStep); });
    add("Zoom out", "zoom-out", "zoom-out", [zoom] { zoom(1 / kZoomStep); });
    bar->addSeparator();
    auto* orientation = new QActionGroup(this);
    portrait_ = add("Portrait", "layout-portrait", "layout-portrait", [this] { setOrientation(QPageLayout::Portrait); });
    landscape_ = add("Landscape", "layout-landscape", "layout-landscape",
                     [this] { setOrientation(QPageLayout::Landscape); });
    for (QAction* action : {portrait_, landscape_}) {
        action->setCheckable(true);
        orientation->addAction(action);
    }
    bar->addSeparator();
    add("First page", "go-first", "go-first", [this] { showPage(0); });
    add("Previous page", "go-previous", "go-previous",
        [this] { showPage(view_->pageNavigator()->currentPage() - 1); });
    bar->addWidget(pageNumber_);
    bar->addWidget(pageTotal_);
    add("Next page", "go-next", "go-next", [this] { showPage(view_->pageNavigator()->currentPage() + 1); });
    add("Last page", "go-last", "go-last", [this] { showPage(document_->pageCount() - 1); });
    bar->addSeparator();
    add("Page setup", "document-page-setup", "page-setup", &PrintPreviewDialog::pageSetup);
    add("Print", "document-print", "printer", &PrintPreviewDialog::printFromPreview);
}

int PrintPreviewDialog::pageCount() const { return document_->pageCount(); }

void PrintPreviewDialog::setOrientation(QPageLayout::Orientation orientation)
{
    printer_.setPageOrientation(orientation);
    layoutChanged();
}

void PrintPreviewDialog::pageSetup()
{
    QPageSetupDialog setup(&printer_, this);
    if (ExecModal(setup) == QDialog::Accepted)
        layoutChanged();
}

void PrintPreviewDialog::printFromPreview()
{
    QPrintDialog dialog(&printer_, this);
    if (ExecModal(dialog) != QDialog::Accepted)
        return;
    job_ = ReadPrintJob(printer_);
    accept();
}

void PrintPreviewDialog::layoutChanged()
{
    // The toolbar shows the orientation the page setup chose, too.
    (printer_.pageLayout().orientation() == QPageLayout::Portrait ? portrait_ : landscape_)->setChecked(true);
    pdf_.request(printer_.pageLayout());
    // The pages of another layout are not shown while those of this one are made.
    if (document_->pageCount() > 0 && shownOf_ != pdf_.layout()) {
        document_->close();
        pageNumber_->setRange(0, 0);
        updatePageNumber();
    }
    sliceMade();
}

void PrintPreviewDialog::sliceMade()
{
    if (joining_.isRunning())
        return; // joined() looks again
    const QStringList made = pdf_.made();
    const bool sameLayout = shownOf_ == pdf_.layout() && document_->pageCount() > 0;
    // The first slice shows at once; later ones each time the slices made have doubled, and at the end.
    if (made.isEmpty() || (sameLayout && (made.size() <= shownSlices_ || (made.size() < 2 * shownSlices_ && !pdf_.complete()))))
        return;
    joiningOf_ = pdf_.layout();
    joiningSlices_ = made.size();
    // Two files in turn: the document keeps the one it shows open.
    joiningFile_ = folder_->filePath(QStringLiteral("pages-%1.pdf").arg(++joins_ % 2));
    // A join that fails (the slices were dropped for another layout meanwhile, or the folder is full) shows nothing.
    joining_.setFuture(RunOnPrintThread([made, file = joiningFile_, folder = folder_] { JoinPdfs(made, file); }));
}

void PrintPreviewDialog::joined()
{
    const QString& file = joiningFile_;
    if (joining_.result().isEmpty() && joiningOf_ == pdf_.layout()) {
        const bool more = shownOf_ == joiningOf_ && document_->pageCount() > 0;
        const int scrolled = view_->verticalScrollBar()->value();
        const int page = view_->pageNavigator()->currentPage();
        document_->load(file);
        shownOf_ = joiningOf_;
        shownSlices_ = joiningSlices_;
        // More pages of the same layout: the view stays where the user is.
        if (more) {
            view_->verticalScrollBar()->setValue(scrolled);
            showPage(page);
        }
        pageNumber_->setRange(1, std::max(1, document_->pageCount()));
        updatePageNumber();
        emit pagesShown();
    }
    sliceMade();
}

void PrintPreviewDialog::showPage(int page)
{
    if (page < 0 || page >= document_->pageCount() || page == view_->pageNavigator()->currentPage())
        return;
    view_->pageNavigator()->jump(page, {}, view_->pageNavigator()->currentZoom());
}

void PrintPreviewDialog::updatePageNumber()
{
    const QSignalBlocker blocked(pageNumber_);
    pageNumber_->setValue(view_->pageNavigator()->currentPage() + 1);
    // While pages are still being made the count says so.
    pageTotal_->setText(pdf_.complete() ? QStringLiteral(" / %1 ").arg(document_->pageCount())
                        : document_->pageCount() == 0 ? QStringLiteral(" / making the pages... ")
                                                      : QStringLiteral(" / %1 making more... ").arg(document_->pageCount()));
}

} // namespace bkl
