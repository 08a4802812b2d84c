#include "CompareWindowFixture.h"

#include "platform/db/Connection.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

void CompareWindowFixture::SetUp()
{
    seams.install();
    browsers = std::make_unique<bkl::test::RecordingBrowserFactory>();
    for (const char* folder : {"config", "data", "logs", "temp"})
        QDir().mkpath(bkl::ApplicationFolderPath(QLatin1String(folder)));
    logStart_ = QFile(bkl::LogFilePath()).size();
    frmBKLCompareObjects::discardInstance();
    OpenSourceModel();
}

void CompareWindowFixture::TearDown()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isWindow() && w->isVisible())
            w->close();
    frmBKLCompareObjects::discardInstance();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    browsers.reset();
    g_cnModel = bkl::db::Connection();
}

void CompareWindowFixture::OpenSourceModel()
{
    g_cnModel = bkl::db::Connection();
    g_cnModel.setConnectionString(bkl::test::DemoConnectionString(QStringLiteral("SalesModel2026")));
    g_cnModel.setCommandTimeout(600);
    g_cnModel.open();
    g_sServerHost = bkl::test::DemoServerFolder();
    g_sUserName = QStringLiteral("demo");
    g_sModelName = QStringLiteral("SalesModel2026");
    g_sModelKey = g_sServerHost + QLatin1Char('#') + g_sModelName;
}

frmBKLCompareObjects& CompareWindowFixture::Window()
{
    frmBKLCompareObjects& w = frmBKLCompareObjects::instance();
    w.Load();
    return w;
}

void CompareWindowFixture::ConnectTarget(const QString& model)
{
    bkl::db::Connection target;
    target.setConnectionString(bkl::test::DemoConnectionString(model));
    target.setCommandTimeout(600);
    target.open();
    Window().m_cnTarget = target;
    Window().lblTargetModel->setText(model + QLatin1Char('@') + bkl::test::DemoServerFolder());
}

void CompareWindowFixture::LoadKind(const QString& pickerItem)
{
    frmBKLCompareObjects& w = Window();
    w.cboObjects->setCurrentIndex(w.cboObjects->findText(pickerItem));
    w.cmdLoadObjects_Click();
}

void CompareWindowFixture::AddCompareRow(const QString& name, const QString& type)
{
    frmBKLCompareObjects& w = Window();
    w.lvObjects->clearSelection();
    for (int i = 0; i < w.lvObjects->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = w.lvObjects->topLevelItem(i);
        if (row->text(0) == name && row->text(1) == type) {
            row->setSelected(true);
            break;
        }
    }
    w.cmdAdd_Click();
}

void CompareWindowFixture::WithModal(const std::function<void()>& action, const std::function<void(QWidget*)>& inside)
{
    bool seen = false;
    // Waits for the first modal window (a run pumps events before it opens one).
    QTimer reader;
    QObject::connect(&reader, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (seen || !modal)
            return;
        seen = true;
        reader.stop();
        inside(modal);
    });
    reader.start(5);
    // Closes a modal window the reader left open, so a failure cannot hang the run.
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    fallback.start(5000);
    action();
    reader.stop();
    if (!seen)
        inside(nullptr);
}

QStringList CompareWindowFixture::Rows(const QTreeWidget* list)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list->topLevelItem(i);
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << row->text(c);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList CompareWindowFixture::LogMessages() const
{
    QFile f(bkl::LogFilePath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    f.seek(logStart_);
    QStringList messages;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        messages << line.section(QLatin1Char('|'), 3);
    return messages;
}

QByteArray CompareWindowFixture::FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void CompareWindowFixture::WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
