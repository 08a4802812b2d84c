#include "FrameFixture.h"

#include "platform/ui/Browser.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "support/DemoModel.h"
#include "support/LogReader.h"
#include "support/RecordingBrowser.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QListWidgetItem>
#include <QTest>
#include <QTreeWidget>

int MainWindowFrame::programEnds = 0;

void MainWindowFrame::SetUp()
{
    seams.install();
    bkl::SetBrowserFactory([](QWidget* parent) -> bkl::Browser* { return new bkl::test::RecordingBrowser(parent); });
    frmMDIBKLMain::SetProgramEnd([] { ++MainWindowFrame::programEnds; });
    programEnds = 0;
    // The folders start-up makes.
    for (const char* folder : {"config", "data", "logs", "temp"})
        QDir().mkpath(bkl::ApplicationFolderPath(QLatin1String(folder)));
    logStart_ = bkl::test::LogMark();
}

void MainWindowFrame::TearDown()
{
    CloseAllWindows();
    bkl::SetBrowserFactory(nullptr);
    frmMDIBKLMain::SetProgramEnd(nullptr);
    g_cnModel = bkl::db::Connection();
}

void MainWindowFrame::CloseAllWindows()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isWindow() && w->isVisible())
            w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmMDIBKLMain*>(w))
            delete w;
}

void MainWindowFrame::OpenFrame(const QString& model)
{
    g_cnModel = bkl::test::OpenDemoModel(model);
    g_sServerHost = bkl::test::DemoServerFolder();
    g_sUserName = QStringLiteral("demo");
    g_sModelName = model;
    g_sModelKey = g_sServerHost + QLatin1Char('#') + model;
    frame = new frmMDIBKLMain;
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    objects = frmBKLMain::current();
    ASSERT_NE(objects, nullptr);
}

void MainWindowFrame::SelectKinds(std::initializer_list<bkl::mainwindow::ObjectKind> kinds)
{
    for (bkl::mainwindow::ObjectKind kind : bkl::mainwindow::kAllKinds)
        objects->KindPickerItem(kind)->setCheckState(std::find(kinds.begin(), kinds.end(), kind) != kinds.end()
                                                         ? Qt::Checked
                                                         : Qt::Unchecked);
}

QStringList MainWindowFrame::LogLines() const
{
    return bkl::test::LogLines(logStart_);
}

QStringList MainWindowFrame::LogMessages() const
{
    return bkl::test::LogMessages(QString(), logStart_);
}

QStringList MainWindowFrame::Rows() const
{
    QStringList rows;
    for (int i = 0; i < objects->lvObjects->topLevelItemCount(); ++i)
        rows << objects->lvObjects->topLevelItem(i)->text(0) + QLatin1Char('|') + objects->lvObjects->topLevelItem(i)->text(1);
    return rows;
}
