#include "platform/ui/PageCopy.h"

#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/PageText.h"
#include "platform/core/PlatformLog.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QThread>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace bkl {

// What the worker made of the page file.
struct PageCopy::Made {
    QString text;
    QByteArray html; // UTF-8, as the page file holds it
    QString error; // the file could not be read
};

namespace {

// The web channel's own script, which the display copy's script talks through.
QString WebChannelScript()
{
    static const QString source = [] {
        QFile file(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return source;
}

} // namespace

PageCopy::PageCopy(std::function<QString()> pageFile, QObject* parent) : QObject(parent), pageFile_(std::move(pageFile))
{
}

PageCopy::~PageCopy()
{
    if (making_)
        making_->wait();
}

void PageCopy::attach(QWebEnginePage* page)
{
    auto* channel = new QWebChannel(page);
    channel->registerObject(QStringLiteral("bklPageCopy"), this);
    page->setWebChannel(channel);
    QWebEngineScript script;
    script.setName(QStringLiteral("qwebchannel"));
    script.setSourceCode(WebChannelScript());
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    page->scripts().insert(script);
}

void PageCopy::copyWholePage()
{
    const QString file = pageFile_();
    const quint64 request = ++request_;
    auto made = std::make_shared<Made>();
    if (!busy_)
        busy_ = std::make_unique<BusyCursor>();
    QThread* thread = QThread::create([file, made] {
        QFile page(file);
        if (!page.open(QIODevice::ReadOnly)) {
            made->error = page.errorString();
            return;
        }
        const QByteArray bytes = page.readAll();
        made->text = PageText(bytes);
        made->html = bytes;
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(thread, &QThread::finished, this, [this, request, made, file] {
        if (request != request_)
            return;
        busy_.reset();
        if (!made->error.isEmpty()) {
            // The clipboard keeps what it held: the user is told that nothing was copied.
            const QString reason = QStringLiteral("The page %1 could not be copied: %2").arg(file, made->error);
            PlatformLogLine(reason, LogError);
            MsgBox(QStringLiteral("Unable to perform the command") + QLatin1String(kCrLf) + QLatin1String(kCrLf) + reason,
                   mb::Critical, QStringLiteral("Copy Error"));
            return;
        }
        auto* mime = new QMimeData;
        mime->setText(made->text);
        mime->setData(QStringLiteral("text/html"), made->html);
        QGuiApplication::clipboard()->setMimeData(mime);
        emit copied();
    });
    making_ = thread;
    thread->start();
}

} // namespace bkl
