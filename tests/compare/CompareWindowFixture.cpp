#include "CompareWindowFixture.h"

#include "platform/db/Connection.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "support/DemoModel.h"
#include "support/LogReader.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

void CompareWindowFixture::SetUp()
{
    seams.install();
    browsers = std::make_unique<bkl::test::RecordingBrowserFactory>();
    for (const char* folder : {"config", "data", "logs", "temp"})
        QDir().mkpath(bkl::ApplicationFolderPath(QLatin1String(folder)));
    logStart_ = bkl::test::LogMark();
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
    g_cnModel = bkl::test::OpenDemoModel(QStringLiteral("SalesModel2026"));
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
    Window().SetTarget(bkl::test::OpenDemoModel(model), model, bkl::test::DemoServerFolder());
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
    return bkl::test::LogMessages(QString(), logStart_);
}
