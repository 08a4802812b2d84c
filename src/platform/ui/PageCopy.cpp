#include "platform/ui/PageCopy.h"

#include "platform/core/PlatformLog.h"
#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"
#include "platform/core/WholeFile.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/DisplayCopy.h"
#include "platform/ui/PagePoint.h"
#include "platform/ui/PageText.h"

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
    for (const QPointer<QThread>& thread : making_)
        if (thread)
            thread->wait();
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
    copyMade([](QByteArrayView page, Made& made) {
        made.text = PageText(page);
        made.html = page.toByteArray();
    });
}

void PageCopy::copyPart(int fromTable, qint64 fromRow, qint64 fromCount, int toTable, qint64 toRow, qint64 toCount)
{
    const PagePoint from{fromTable, fromRow, fromCount};
    const PagePoint to{toTable, toRow, toCount};
    copyMade([from, to](QByteArrayView page, Made& made) {
        // The long tables as the display copy found them.
        const std::vector<LongTable> tables = FindLongTables(page, DisplayCopyLimits().tableRows);
        const qsizetype start = PagePointByte(page, tables, from, false);
        const qsizetype end = PagePointByte(page, tables, to, true);
        if (start < 0 || end < 0) {
            made.error = QStringLiteral("the selection is not in the page file");
            return;
        }
        PageSpan part = PageTextBetween(page, start, end);
        made.text = std::move(part.text);
        made.html = std::move(part.html);
    });
}

void PageCopy::refuseLargeCopy()
{
    refuse(QStringLiteral("The selection is too long to be copied while parts of the page are hidden: show them, or "
                          "select fewer rows."));
}

void PageCopy::refuse(const QString& reason)
{
    // The clipboard keeps what it held: the user is told that nothing was copied.
    PlatformLogLine(reason, LogError);
    MsgBox(QStringLiteral("Unable to perform the command") + QLatin1String(kCrLf) + QLatin1String(kCrLf) + reason,
           mb::Critical, QStringLiteral("Copy Error"));
}

void PageCopy::copyMade(std::function<void(QByteArrayView page, Made& made)> make)
{
    const QString file = pageFile_();
    const quint64 request = ++request_;
    auto made = std::make_shared<Made>();
    if (!busy_)
        busy_ = std::make_unique<BusyCursor>();
    QThread* thread = QThread::create([file, made, make = std::move(make)] {
        // A page file read short would put a part of the page on the clipboard as if it were all.
        const WholeFile page = ReadWholeFile(file);
        if (!page.ok())
            made->error = page.error;
        else
            make(page.bytes, *made);
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(thread, &QThread::finished, this, [this, request, made, file] {
        // Only the latest copy asked for reaches the clipboard.
        if (request != request_)
            return;
        busy_.reset();
        if (!made->error.isEmpty()) {
            refuse(QStringLiteral("The page %1 could not be copied: %2").arg(file, made->error));
            return;
        }
        auto* mime = new QMimeData;
        mime->setText(made->text);
        mime->setData(QStringLiteral("text/html"), made->html);
        QGuiApplication::clipboard()->setMimeData(mime);
        emit copied();
    });
    std::erase_if(making_, [](const QPointer<QThread>& t) { return t.isNull(); });
    making_.push_back(thread);
    thread->start();
}

} // namespace bkl
