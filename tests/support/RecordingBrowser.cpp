#include "support/RecordingBrowser.h"

#include "support/FileBytes.h"

#include "platform/ui/DocumentName.h"

#include <stdexcept>

namespace bkl::test {
namespace {
QPointer<RecordingBrowser> g_last;
} // namespace

void RecordingBrowser::navigate(const QString& htmlFile)
{
    calls << QStringLiteral("navigate ") + htmlFile;
    file_ = htmlFile;
    lastPage = FileBytes(htmlFile);
}

void RecordingBrowser::saveAs()
{
    record(QStringLiteral("saveAs"), saveAsFailure);
    if (!file_.isEmpty())
        SavePageFileAs(file_, PrintedDocumentName(*this, QString(), file_));
}

void RecordingBrowser::record(const QString& call, const QString& failure)
{
    calls << call;
    if (!failure.isEmpty())
        throw std::runtime_error(failure.toStdString());
}

RecordingBrowserFactory::RecordingBrowserFactory()
{
    g_last = nullptr;
    SetBrowserFactory([](QWidget* parent) -> Browser* { return g_last = new RecordingBrowser(parent); });
}

RecordingBrowserFactory::~RecordingBrowserFactory()
{
    SetBrowserFactory(nullptr);
    g_last = nullptr;
}

RecordingBrowser* RecordingBrowserFactory::last() const { return g_last.data(); }

} // namespace bkl::test
