#include "Scenarios.h"
#include "SortedListScenarios.h"
#include "UserEndsWaitScenarios.h"
#include "WaitingScenarios.h"

#include "compare/ui/frmBKLCompareObjects.h"
#include "mainwindow/ObjectKinds.h"
#include "mainwindow/ui/BrowserCommandButtons.h"
#include "mainwindow/ui/frmBKLMain.h"
#include "mainwindow/ui/frmBKLTraceAuditLog.h"
#include "mainwindow/ui/frmCalculationsAdvancedFind.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/AppFolder.h"
#include "platform/core/ScriptedSeams.h"
#include "platform/db/Recordset.h"
#include "platform/ui/PrintPreviewDialog.h"
#include "platform/ui/WebBrowser.h"
#include "reports/ui/frmBKLExportObjects.h"
#include "shell/Globals.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QWebEngineView>
#include <cmath>
#include <limits>

using bkl::mainwindow::ObjectKind;

namespace bench {
namespace {

QString Rows(int n) { return QString::number(n) + QStringLiteral(" rows"); }

void SelectKinds(const Context& c, const std::vector<ObjectKind>& kinds)
{
    for (ObjectKind kind : bkl::mainwindow::kAllKinds)
        c.objects->KindPickerItem(kind)->setCheckState(std::find(kinds.begin(), kinds.end(), kind) != kinds.end()
                                                           ? Qt::Checked
                                                           : Qt::Unchecked);
}

const std::vector<ObjectKind> kEveryKind(bkl::mainwindow::kAllKinds.begin(), bkl::mainwindow::kAllKinds.end());

QStringList CalculationNames(int top)
{
    QStringList names;
    bkl::db::Recordset rs(QStringLiteral("SELECT TOP %1 [Name] FROM Calculation ORDER BY [Name]").arg(top), g_cnModel);
    for (; !rs.eof(); rs.moveNext())
        names << rs.field(0).toText();
    return names;
}

// The object list holds `n` calculations, all checked, as after a find and a check of each row.
int CheckCalculations(const Context& c, int n)
{
    c.objects->lvObjects->clear();
    for (const QString& name : CalculationNames(n))
        c.objects->AddObjectRow(name, QStringLiteral("Calculation"))->setCheckState(0, Qt::Checked);
    c.objects->SetActionGroup(true, true);
    return c.objects->lvObjects->topLevelItemCount();
}

Outcome Timed(Context& c, const std::function<QString()>& action)
{
    Outcome out;
    c.probe->start();
    out.note = action();
    out.measure = c.probe->stop();
    return out;
}

Outcome Find(Context& c, const std::vector<ObjectKind>& kinds, const QString& text)
{
    SelectKinds(c, kinds);
    c.objects->txtFind->setText(text);
    c.seams->boxes.answers = {bkl::mb::Yes}; // the load-all question
    c.progress = [&c] { return Rows(c.objects->lvObjects->topLevelItemCount()); };
    return Timed(c, [&] {
        c.objects->cmdFind_Click();
        return Rows(c.objects->lvObjects->topLevelItemCount());
    });
}

Outcome FindAll(Context& c) { return Find(c, kEveryKind, QString()); }

// "Gen Metric 40000" to "Gen Metric 44999" at scale 100.
Outcome FindFiltered(Context& c) { return Find(c, kEveryKind, QStringLiteral("Metric 4[0-4]")); }

Outcome StopFind(Context& c)
{
    SelectKinds(c, kEveryKind);
    c.objects->txtFind->clear();
    c.seams->boxes.answers = {bkl::mb::Yes};
    double pressedAt = NAN;
    c.onTurn = [&] {
        if (std::isnan(pressedAt) && c.probe->elapsedMs() >= 40 && c.objects->FindRunning()) {
            pressedAt = c.probe->elapsedMs();
            c.objects->cmdStop->click();
        }
    };
    Outcome out = Timed(c, [&] {
        c.objects->cmdFind_Click();
        return Rows(c.objects->lvObjects->topLevelItemCount());
    });
    c.onTurn = nullptr;
    // The time that counts is from the press to the end of the run.
    out.measure.wallMs = std::isnan(pressedAt) ? NAN : out.measure.wallMs - pressedAt;
    if (std::isnan(pressedAt))
        out.note += QStringLiteral(", ended before Stop");
    return out;
}

Outcome AdvancedFind(Context& c)
{
    frmCalculationsAdvancedFind w(c.frame);
    w.show();
    w.sstCalculations->setCurrentIndex(2);
    w.optCalendarUsed->setChecked(true);
    w.cboCalendarUsed->setCurrentIndex(std::max(0, w.cboCalendarUsed->findData(QStringLiteral("STD"))));
    c.progress = [&w] { return Rows(w.lvAdvancedFind->topLevelItemCount()); };
    return Timed(c, [&] {
        w.cmdOk_Click();
        return Rows(w.lvAdvancedFind->topLevelItemCount());
    });
}

Outcome Preview(Context& c)
{
    const int n = CheckCalculations(c, 500);
    return Timed(c, [&] {
        c.objects->cmdGetDetails_Click();
        return QString::number(n) + QStringLiteral(" calculations");
    });
}

// Exports the first `top` calculations with every section, from the export dialog the user opens.
Outcome ExportCalculations(Context& c, int top)
{
    const int n = CheckCalculations(c, top);
    c.seams->boxes.answers = {bkl::mb::Yes}; // start the export; the closing box is OK
    Outcome out;
    // The dialog is modal: drive it from inside its own event loop.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmBKLExportObjects*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        out = Timed(c, [&] {
            dialog->cmdExport_Click();
            return QString::number(n) + QStringLiteral(" calculations, every section");
        });
        dialog->close();
    });
    c.objects->cmdExport_Click();
    return out;
}

Outcome Export(Context& c) { return ExportCalculations(c, 500); }

// Every calculation of the model (49,847 at scale 100), every section: the file is written as it is read.
Outcome ExportAll(Context& c) { return ExportCalculations(c, std::numeric_limits<int>::max()); }

Outcome AuditTrace(Context& c)
{
    frmBKLTraceAuditLog w(c.frame);
    w.show();
    w.txtTop->setText(QStringLiteral("100000"));
    return Timed(c, [&] {
        w.cmdTrace_Click();
        return w.lblProgress->text();
    });
}

// From the click on Tools > Trace Audit Log until the window's filter lists are read.
Outcome OpenAuditWindow(Context& c)
{
    double filledAt = NAN;
    QString lists;
    c.onTurn = [&] {
        auto* w = qobject_cast<frmBKLTraceAuditLog*>(QApplication::activeModalWidget());
        if (!w || w->FilterListsPending() || !std::isnan(filledAt))
            return;
        filledAt = c.probe->elapsedMs();
        lists = QStringLiteral("%1 events, %2 modules, %3 users")
                    .arg(w->cboEvent->count())
                    .arg(w->cboModule->count())
                    .arg(w->cboUserID->count());
        w->cmdClose_Click();
    };
    Outcome out = Timed(c, [&] {
        c.frame->mnuTraceAuditLog->trigger();
        return QString();
    });
    c.onTurn = nullptr;
    out.measure.wallMs = filledAt;
    out.note = lists;
    return out;
}

bkl::db::Connection OpenTarget(const Context& c)
{
    bkl::db::Connection cn;
    cn.setConnectionString(ModelConnectionString(c.server, c.target));
    cn.open();
    return cn;
}

// The compare window opened modeless from the frame, with the target connected.
frmBKLCompareObjects& CompareWindow(Context& c)
{
    c.frame->mnuCompareObjects_Click();
    frmBKLCompareObjects& w = frmBKLCompareObjects::instance();
    w.m_cnTarget = OpenTarget(c);
    w.lblTargetModel->setText(c.target + QLatin1Char('@') + c.server);
    // The user's moment between connecting the target and the next click.
    QElapsedTimer moment;
    moment.start();
    while (moment.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return w;
}

Outcome Compare(Context& c)
{
    const int n = CheckCalculations(c, 200);
    frmBKLCompareObjects& w = CompareWindow(c);
    w.cmdAddAll_Click();
    c.seams->boxes.answers = {bkl::mb::Yes, bkl::mb::No}; // run it; no detailed summary after
    return Timed(c, [&] {
        w.cmdCompare_Click();
        return QString::number(n) + QStringLiteral(" calculations");
    });
}

Outcome LoadObjectsFile(Context& c)
{
    const QStringList names = CalculationNames(50000);
    const QString path = bkl::ApplicationFolder() + QStringLiteral("/objects.txt");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        for (int i = 0; i < 50000 && !names.isEmpty(); ++i)
            file.write((names[i % names.size()] + QStringLiteral("\r\n")).toUtf8());
    file.close();
    c.objects->lvObjects->clear();
    frmBKLCompareObjects& w = CompareWindow(c);
    w.cboObjects->setCurrentIndex(w.cboObjects->findText(QStringLiteral("<< Load Objects from file >>")));
    c.seams->dialogs.answers = {path};
    return Timed(c, [&] {
        w.cmdLoadObjects_Click();
        return Rows(w.lvObjects->topLevelItemCount());
    });
}

// Waits for the web-engine browser to finish loading a page after `action`.
void ActAndWaitForPage(bkl::Browser* browser, const std::function<void()>& action)
{
    auto* web = qobject_cast<bkl::WebBrowser*>(browser);
    QEventLoop loop;
    QObject::connect(web->view(), &QWebEngineView::loadFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    action();
    loop.exec();
}

// Clicks Print Preview and times it until the preview dialog has shown its pages.
Outcome TimedPrintPreview(Context& c, const std::function<void()>& click)
{
    Outcome out;
    out.measure.wallMs = NAN; // no preview shown
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<bkl::PrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || dialog->pageCount() == 0)
            return;
        poll.stop();
        dialog->grab(); // the first paint of the pages
        out.measure = c.probe->stop();
        out.note = QString::number(dialog->pageCount()) + QStringLiteral(" pages");
        dialog->reject();
    });
    poll.start(5);
    c.probe->start();
    click();
    return out;
}

// The audit window's default trace (Show Top 200) shown in the real web engine.
Outcome AuditPrintPreview(Context& c)
{
    bkl::SetBrowserFactory(nullptr);
    frmBKLTraceAuditLog w(c.frame);
    ActAndWaitForPage(w.wbAudit, [&] { w.show(); });
    ActAndWaitForPage(w.wbAudit, [&] { w.cmdTrace_Click(); });
    return TimedPrintPreview(c, [&] { w.cmdPreview_Click(); });
}

// Shows the preview page of 50 checked calculations, as the preview run writes it, in the real web engine.
void ShowPreviewPage(Context& c, bkl::WebBrowser& browser)
{
    CheckCalculations(c, 50);
    c.objects->cmdGetDetails_Click();
    browser.resize(c.objects->wbObjects->size());
    browser.show();
    ActAndWaitForPage(&browser, [&] { browser.navigate(c.objects->wbObjects->currentFile()); });
}

Outcome PreviewPrintPreview(Context& c)
{
    bkl::WebBrowser browser;
    ShowPreviewPage(c, browser);
    return TimedPrintPreview(c, [&] { bkl::BrowserPrintPreview(&browser); });
}

// Answers the print dialog as a user printing to a file would: "Print to File (PDF)", the file name, Print.
void PrintToFileWhenAsked(const QString& pdf)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, pdf] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->deleteLater();
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        printers->setCurrentIndex(printers->findText(QStringLiteral("Print to File (PDF)")));
        dialog->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(pdf);
        dialog->accept();
    });
    poll->start(5);
}

// The text pdftotext reads from a PDF file, "" when it reads none.
QString PdfText(const QString& pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    pdftotext.waitForFinished(60000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
}

// Print of the 50-calculation preview page to a PDF file, from the click on Print to the file written.
Outcome PrintPreviewPageToPdf(Context& c)
{
    bkl::WebBrowser browser;
    ShowPreviewPage(c, browser);
    const QString pdf = bkl::ApplicationFolder() + QStringLiteral("/print-bench.pdf");
    PrintToFileWhenAsked(pdf);
    Outcome out = Timed(c, [&] {
        bkl::BrowserPrint(&browser);
        return QString();
    });
    out.note = QStringLiteral("%1 MB PDF, %2 characters of text")
                   .arg(QFileInfo(pdf).size() / 1048576.0, 0, 'f', 1)
                   .arg(PdfText(pdf).size());
    return out;
}

Outcome AuditTraceOnSlowServer(Context& c)
{
    UseSlowServer(c);
    return AuditTrace(c);
}

Outcome AdvancedFindOnSlowServer(Context& c)
{
    UseSlowServer(c);
    return AdvancedFind(c);
}

} // namespace

const std::vector<Scenario>& Scenarios()
{
    static const std::vector<Scenario> scenarios{
        {"find-all", "Find, all seven kinds, no filter", {1000, 100, -1}, FindAll},
        {"find-filter", "Find with a filter (~5,000 rows)", {300, 100, -1}, FindFiltered},
        {"advanced-find", "Advanced Find, calendar used", {1000, 100, -1}, AdvancedFind},
        {"preview", "Preview of 500 checked calculations", {-1, 100, -1}, Preview},
        {"export", "Export of 500 calculations", {-1, 100, -1}, Export},
        {"export-all", "Export of all calculations, every section", {-1, 100, 400}, ExportAll},
        {"audit", "Audit trace, Show Top 100000", {3000, 100, 250}, AuditTrace},
        {"compare", "Compare of 200 calculations", {-1, 100, -1}, Compare},
        {"load-file", "Load Objects, 50,000-line file", {1000, 100, -1}, LoadObjectsFile},
        {"stop", "Stop during the full Find (wall: Stop to end)", {100, -1, -1}, StopFind},
        {"audit-open", "Open the audit trace window", {-1, 100, -1}, OpenAuditWindow},
        {"print-preview", "Print Preview of a 200-row audit page", {3000, -1, -1}, AuditPrintPreview},
        {"print-preview-calcs", "Print Preview of a 50-calculation preview page", {3000, -1, -1}, PreviewPrintPreview},
        {"print-pdf", "Print to a PDF file, 50-calculation page", {5000, -1, 500}, PrintPreviewPageToPdf},
        {"preview-sqlserver", "Preview of 100 calculations, SQL Server at 5 ms", {-1, 100, -1}, PreviewOnSlowServer},
        {"compare-sqlserver", "Compare of 20 calculations, SQL Server at 5 ms", {-1, 100, -1}, CompareOnSlowServer},
        {"stop-statement", "Stop during a slow statement", {200, 100, -1}, StopDuringSlowStatement},
        // The object list sorted by a click on NAME.
        {"select-all-sorted", "Select All on a sorted list of 55,416 rows", {-1, 100, -1}, SelectAllSorted},
        {"invert-sorted", "Invert Selection, sorted list of 55,416 rows", {-1, 100, -1}, InvertSorted},
        {"find-sorted", "Find, all seven kinds, into a sorted list", {1000, 100, -1}, FindIntoSortedList},
        // Over SQL Server: the stand-in's delay (5 ms unless --server-delay says otherwise).
        {"audit-sqlserver", "Audit trace, Show Top 100000, SQL Server at 5 ms", {-1, 100, -1}, AuditTraceOnSlowServer},
        {"advanced-find-sqlserver", "Advanced Find, SQL Server at 5 ms", {-1, 100, -1}, AdvancedFindOnSlowServer},
        {"stop-statement-sqlserver", "Stop during a slow statement, SQL Server", {200, 100, -1}, StopDuringHeldStatement},
        {"open-frame-sqlserver", "Open the frame, SQL Server at 5 ms", {-1, 100, -1}, OpenFrameOnSlowServer},
        {"summary-sqlserver", "Reload Model Summary, SQL Server at 5 ms", {-1, 100, -1}, ReloadSummaryOnSlowServer},
        {"target-refresh-sqlserver", "Target login's Refresh, SQL Server at 5 ms", {-1, 100, -1}, TargetRefreshOnSlowServer},
        {"advanced-find-open-sqlserver", "Open Advanced Find, SQL Server at 5 ms", {-1, 100, -1},
         OpenAdvancedFindOnSlowServer},
    };
    static const std::vector<Scenario> all = [] {
        std::vector<Scenario> v = scenarios;
        for (const Scenario& s : UserEndsWaitScenarios())
            v.push_back(s);
        return v;
    }();
    return all;
}

} // namespace bench
