#include "support/RecordingBrowser.h"

#include <QFile>
#include <stdexcept>

namespace bkl::test {
namespace {

void FailIfAsked(const QString& failure)
{
    if (!failure.isEmpty())
        throw std::runtime_error(failure.toStdString());
}

Browser* MakeRecordingBrowser(QWidget* parent)
{
    auto* browser = new RecordingBrowser(parent);
    RecordingBrowser::created().push_back(browser);
    return browser;
}

} // namespace

void RecordingBrowser::navigate(const QString& htmlFile)
{
    calls << QStringLiteral("navigate ") + htmlFile;
    file_ = htmlFile;
    QFile f(htmlFile);
    lastPage = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void RecordingBrowser::saveAs()
{
    calls << QStringLiteral("saveAs");
    FailIfAsked(saveAsFailure);
}

void RecordingBrowser::printPreview()
{
    calls << QStringLiteral("printPreview");
    FailIfAsked(printPreviewFailure);
}

void RecordingBrowser::print()
{
    calls << QStringLiteral("print");
    FailIfAsked(printFailure);
}

std::vector<QPointer<RecordingBrowser>>& RecordingBrowser::created()
{
    static std::vector<QPointer<RecordingBrowser>> browsers;
    return browsers;
}

RecordingBrowserFactory::RecordingBrowserFactory()
{
    RecordingBrowser::created().clear();
    SetBrowserFactory(MakeRecordingBrowser);
}

RecordingBrowserFactory::~RecordingBrowserFactory()
{
    SetBrowserFactory(nullptr);
    RecordingBrowser::created().clear();
}

RecordingBrowser* RecordingBrowserFactory::last() const
{
    auto& browsers = RecordingBrowser::created();
    return browsers.empty() ? nullptr : browsers.back().data();
}

} // namespace bkl::test
