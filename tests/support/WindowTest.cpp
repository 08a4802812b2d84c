#include "support/WindowTest.h"

#include "compare/TargetLogin.h"
#include "compare/ui/frmBKLCompareObjects.h"
#include "compare/ui/frmBKLTargetModelLogin.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "support/DemoModel.h"
#include "support/LogReader.h"
#include "support/TestEnvironment.h"
#include "support/TestWindows.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

namespace bkl::test {

void WindowTest::SetUp()
{
    seams.install();
    browsers.emplace();
    frmMDIBKLMain::SetProgramEnd([] { ++programEnds; });
    programEnds = 0;
    frmBKLCompareObjects::discardInstance();
    for (const char* folder : {"config", "data", "logs", "temp"}) // the folders start-up makes
        QDir().mkpath(ApplicationFolderPath(QLatin1String(folder)));
    db::SetStatementObserver([this](const QString& sql) { statements << sql; });
    MarkLog();
}

void WindowTest::TearDown()
{
    db::SetStatementObserver(nullptr);
    CloseWindows();
    browsers.reset();
    frmMDIBKLMain::SetProgramEnd(nullptr);
    g_cnModel = db::Connection();
    g_cnTarget = db::Connection();
}

void WindowTest::OpenModel(const QString& model)
{
    g_cnModel = OpenDemoModel(model);
    g_sServerHost = DemoServerFolder();
    g_sUserName = QStringLiteral("demo");
    g_sModelName = model;
    g_sModelKey = g_sServerHost + QLatin1Char('#') + model;
}

void WindowTest::OpenFrame(const QString& model)
{
    OpenModel(model);
    frame = new frmMDIBKLMain;
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    objects = frmBKLMain::current();
    ASSERT_NE(objects, nullptr);
}

void WindowTest::CloseWindows()
{
    frmBKLCompareObjects::discardInstance();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<frmMDIBKLMain*>(w))
            delete w;
}

QStringList WindowTest::Rows(const QTreeWidget* list) const
{
    list = list ? list : objects->lvObjects;
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->topLevelItem(i)->text(c);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList WindowTest::Items(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

void WindowTest::RefreshModelsInNextTargetLogin(const QString& server, QStringList& models)
{
    OnNextModal([server, &models](QWidget* modal) {
        auto* login = qobject_cast<frmBKLTargetModelLogin*>(modal);
        if (!login)
            return ADD_FAILURE() << "no target login";
        login->txtSQLServerHost->setText(server);
        login->txtSQLServerUser->setText(QStringLiteral("demo"));
        login->txtSQLServerPassword->setText(QStringLiteral("demo"));
        login->cmdSelectDatabase_Click();
        models = Items(login->cboSQLServerDB);
        login->close();
    });
}

QStringList WindowTest::BoxTexts() const
{
    QStringList texts;
    for (const ShownBox& box : seams.boxes.shown)
        texts << QStringLiteral("%1|%2|%3").arg(box.prompt).arg(box.style).arg(box.title);
    return texts;
}

QStringList WindowTest::LogLines() const { return test::LogLines(logStart_); }

QStringList WindowTest::LogMessages(const QString& level) const { return test::LogMessages(level, logStart_); }

void WindowTest::MarkLog() { logStart_ = LogMark(); }

} // namespace bkl::test
