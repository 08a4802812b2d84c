#include "platform/ui/WebBrowser.h"

#include "platform/core/Seams.h"
#include "platform/ui/RunGuard.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <stdexcept>

namespace bkl {

WebBrowser::WebBrowser(QWidget* parent) : Browser(parent), view_(new QWebEngineView(this))
{
    // The report pages are written in UTF-8 without a charset declaration.
    view_->settings()->setDefaultTextEncoding(QStringLiteral("utf-8"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

void WebBrowser::navigate(const QString& htmlFile)
{
    const QUrl url = QUrl::fromLocalFile(QFileInfo(htmlFile).absoluteFilePath());
    file_ = htmlFile;
    // The same file is rewritten by every run: read it again rather than keep the old page.
    if (view_->url() == url)
        view_->page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
    else
        view_->load(url);
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
    QPrintPreviewDialog dialog(&printer, this);
    QString failure;
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* p) {
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
