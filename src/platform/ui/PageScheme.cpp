#include "platform/ui/PageScheme.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

namespace bkl {
namespace {

const QByteArray kScheme = QByteArrayLiteral("bkl-page");

// Report pages (.html, .htm) are UTF-8; other files have the type their name tells.
QByteArray ContentType(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return QByteArrayLiteral("text/html; charset=utf-8");
    return QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toUtf8();
}

class PageSchemeHandler final : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override
    {
        const QString path = job->requestUrl().path(QUrl::FullyDecoded);
        // The device goes with the job; the engine reads it as the page loads.
        auto* file = new QFile(path, job);
        if (!QFileInfo(path).isFile() || !file->open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        job->reply(ContentType(path), file);
    }
};

} // namespace

void RegisterPageScheme()
{
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    // Like the file scheme: local, and its pages may load local files.
    scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
}

void ServePageScheme(QWebEngineProfile* profile)
{
    if (!profile->urlSchemeHandler(kScheme))
        profile->installUrlSchemeHandler(kScheme, new PageSchemeHandler(profile));
}

QUrl PageUrl(const QString& path)
{
    QUrl url;
    url.setScheme(QString::fromLatin1(kScheme));
    url.setPath(QFileInfo(path).absoluteFilePath(), QUrl::DecodedMode);
    return url;
}

} // namespace bkl
