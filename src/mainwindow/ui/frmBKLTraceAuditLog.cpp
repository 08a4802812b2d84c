#include "mainwindow/ui/frmBKLTraceAuditLog.h"
#include "platform/core/FailureBox.h"
#include "mainwindow/ui/Twips.h"

#include "mainwindow/AuditTraceLists.h"
#include "mainwindow/AuditTracePage.h"
#include "mainwindow/AuditTraceStatement.h"
#include "mainwindow/ReportPageFile.h"
#include "mainwindow/ResizeRule.h"
#include "mainwindow/ui/BrowserCommandButtons.h"
#include "platform/core/Seams.h"
#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "platform/core/TimeSlice.h"
#include "platform/db/DbError.h"
#include "platform/ui/Browser.h"
#include "platform/ui/RunGuard.h"
#include "shell/Globals.h"
#include "shell/Log.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

using bkl::Place;
using bkl::Px;

namespace {

using bkl::mainwindow::kTwipsPerPixel;

constexpr char kCaption[] = "Trace Audit Log";

// Window sizes in twips: the options alone, and with the page after a trace.
constexpr int kWidth = 12000;
constexpr int kHeightBeforeTrace = 3160;
constexpr int kHeightAfterTrace = 9630;
// The browser fills the window below the options, with this margin.
constexpr int kBrowserTop = 3210;
constexpr int kMargin = 120;

// Error number of a page file that cannot be written ("Path/File access error").
constexpr long kFileAccessError = 75;


// Tells the user why a step of this window failed, in a critical box.
void ShowFailure(long number, const QString& description)
{
    bkl::ShowRunFailure(number, description, QLatin1String(kCaption));
}

// Logs a failure of this window as its ERROR line and shows it.
void ReportFailure(const QString& procedure, long number, const QString& description)
{
    bkl::LogFunctionError(procedure, number, description);
    ShowFailure(number, description);
}

QComboBox* FilterCombo(QWidget* parent, const char* name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(true); // a value of the list, or any text to search for
    combo->setInsertPolicy(QComboBox::NoInsert);
    return combo;
}

} // namespace

frmBKLTraceAuditLog::frmBKLTraceAuditLog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmBKLTraceAuditLog"));
    setWindowTitle(QLatin1String(kCaption));
    setModal(true);
    createOptions();
    createFilters();
    createButtonsAndBrowser();
    Form_Load();
}

void frmBKLTraceAuditLog::createOptions()
{
    fraTraceOptions = new QGroupBox(QStringLiteral("Trace Options"), this);
    Place(fraTraceOptions, 120, 90, 2250, 1000);
    optTraceFilter = new QRadioButton(QStringLiteral("Filter"), fraTraceOptions);
    Place(optTraceFilter, 180, 330, 1900, 270);
    optAllTrace = new QRadioButton(QStringLiteral("All"), fraTraceOptions);
    Place(optAllTrace, 180, 630, 1900, 270);
    connect(optTraceFilter, &QRadioButton::toggled, this, &frmBKLTraceAuditLog::optTraceFilter_Click);
    connect(optAllTrace, &QRadioButton::toggled, this, &frmBKLTraceAuditLog::optAllTrace_Click);

    fraRecordCount = new QGroupBox(QStringLiteral("Records Filter"), this);
    Place(fraRecordCount, 2550, 2010, 3300, 990);
    optTOP = new QRadioButton(QStringLiteral("Show Top"), fraRecordCount);
    Place(optTOP, 180, 330, 1350, 270);
    txtTop = new QLineEdit(fraRecordCount);
    txtTop->setObjectName(QStringLiteral("txtTop"));
    Place(txtTop, 1560, 300, 900, 330);
    optALL = new QRadioButton(QStringLiteral("Show All"), fraRecordCount);
    Place(optALL, 180, 630, 1350, 270);

    fraSort = new QGroupBox(QStringLiteral("Sort"), this);
    Place(fraSort, 6000, 2010, 3300, 990);
    optDateDESC = new QRadioButton(QStringLiteral("Date/Time DESC"), fraSort);
    Place(optDateDESC, 180, 330, 2900, 270);
    optDateASC = new QRadioButton(QStringLiteral("Date/Time ASC"), fraSort);
    Place(optDateASC, 180, 630, 2900, 270);
}

void frmBKLTraceAuditLog::createFilters()
{
    chkMessage = new QCheckBox(QStringLiteral("Event Desc"), this);
    txtEventDesc = new QLineEdit(this);
    txtEventDesc->setObjectName(QStringLiteral("txtEventDesc"));
    chkEvent = new QCheckBox(QStringLiteral("Event"), this);
    cboEvent = FilterCombo(this, "cboEvent");
    chkModule = new QCheckBox(QStringLiteral("Module"), this);
    cboModule = FilterCombo(this, "cboModule");
    chkUserID = new QCheckBox(QStringLiteral("User ID"), this);
    cboUserID = FilterCombo(this, "cboUserID");

    const std::pair<QCheckBox*, QWidget*> rows[] = {
        {chkMessage, txtEventDesc}, {chkEvent, cboEvent}, {chkModule, cboModule}, {chkUserID, cboUserID}};
    int top = 150;
    for (const auto& [check, field] : rows) {
        Place(check, 2550, top + 30, 1400, 270);
        Place(field, 3990, top, 5310, 345);
        top += 450;
    }
}

void frmBKLTraceAuditLog::createButtonsAndBrowser()
{
    cmdTrace = new QPushButton(QStringLiteral("&Trace"), this);
    Place(cmdTrace, 9600, 150, 1650, 450);
    cmdClose = new QPushButton(QStringLiteral("C&lose"), this);
    cmdClose->setToolTip(QStringLiteral("Close Window"));
    Place(cmdClose, 9600, 690, 1650, 450);
    for (QPushButton* button : {cmdTrace, cmdClose})
        button->setAutoDefault(false); // Enter starts nothing here
    connect(cmdTrace, &QPushButton::clicked, this, &frmBKLTraceAuditLog::cmdTrace_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmBKLTraceAuditLog::cmdClose_Click);

    lblProgress = new QLabel(this);
    lblProgress->setObjectName(QStringLiteral("lblProgress"));
    Place(lblProgress, 9600, 1290, 2250, 300);
    lblProgress->hide();

    wbAudit = bkl::CreateBrowser(this);
    wbAudit->setObjectName(QStringLiteral("wbAudit"));
    Place(wbAudit, kMargin, kBrowserTop, kWidth - 2 * kMargin, kHeightAfterTrace - kBrowserTop - kMargin);

    browserCommands = new bkl::BrowserCommandButtons(wbAudit, Qt::Horizontal, this);
    Place(browserCommands, 9600, 2490, 2250, 540);
    cmdIEPreview = browserCommands->cmdIEPreview;
    cmdPreview = browserCommands->cmdPreview;
    cmdPrint = browserCommands->cmdPrint;
}

void frmBKLTraceAuditLog::Form_Load()
{
    resize(Px(kWidth), Px(kHeightBeforeTrace));
    // At the top edge of the screen, centred across it.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, area.top());
    }
    bkl::WriteLog(QStringLiteral("Launch ") + windowTitle(), bkl::LogInfo);
    SetDefaultTraceOptions();
}

void frmBKLTraceAuditLog::SetDefaultTraceOptions()
{
    optDateDESC->setChecked(true);
    chkMessage->setChecked(true);
    optTOP->setChecked(true);
    txtTop->setText(QStringLiteral("200"));
    optAllTrace->setChecked(true);
    optTraceFilter->setChecked(false);
    setFiltersEnabled(false);

    // The lists are read once the window is on screen (see paintEvent).
    m_listsPending = true;
    try {
        bkl::mainwindow::WriteReportPage(bkl::mainwindow::AuditTracePagePath(), bkl::mainwindow::AuditEmptyPageText());
    } catch (const std::exception& e) {
        ReportFailure(QStringLiteral("SetDefaultTraceOptions"), kFileAccessError, QString::fromLocal8Bit(e.what()));
    }
    wbAudit->navigate(bkl::mainwindow::AuditTracePagePath());
}

void frmBKLTraceAuditLog::FillAuditFilterLists()
{
    if (m_filling)
        return;
    const std::pair<QComboBox*, const char*> lists[] = {{cboEvent, bkl::mainwindow::kAuditEventListSql},
                                                         {cboModule, bkl::mainwindow::kAuditModuleListSql},
                                                         {cboUserID, bkl::mainwindow::kAuditUserListSql}};
    std::optional<bkl::db::DbError> failure;
    {
        // Each list is a DISTINCT over the whole audit log. The window answers meanwhile
        // (between the statements, and inside one when the engine turns the loop): a
        // trace waits until the lists are read, as does the choice in a list not read
        // yet; Close ends the reading. All of it is put back on every exit path.
        bkl::RunGuard guard(
            [this] {
                m_filling = false;
                m_listsPending = false;
                m_unfilled.clear();
                setFiltersEnabled(optTraceFilter->isChecked());
                cmdTrace->setEnabled(true);
                unsetCursor();
            },
            false);
        m_filling = true;
        setCursor(Qt::BusyCursor);
        cmdTrace->setEnabled(false);
        for (const auto& list : lists)
            m_unfilled.insert(list.first);
        setFiltersEnabled(optTraceFilter->isChecked());
        bkl::TimeSlice slice;
        try {
            for (const auto& [combo, sql] : lists) {
                if (m_closeResult)
                    break;
                const QStringList values = bkl::mainwindow::ReadAuditFilterValues(g_cnModel, QLatin1String(sql));
                combo->clear();
                combo->addItems(values);
                combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
                m_unfilled.remove(combo);
                setFiltersEnabled(optTraceFilter->isChecked());
                slice.tick();
            }
        } catch (const bkl::db::DbError& e) {
            failure = e;
        }
    }
    if (failure)
        ReportFailure(QStringLiteral("FillAuditFilterLists"), failure->number(), failure->description());
    if (const std::optional<int> close = std::exchange(m_closeResult, std::nullopt))
        done(*close);
}

void frmBKLTraceAuditLog::setFiltersEnabled(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{chkMessage, txtEventDesc, chkEvent, cboEvent, chkModule,
                                                      cboModule, chkUserID, cboUserID})
        w->setEnabled(enabled && !m_unfilled.contains(w));
}

void frmBKLTraceAuditLog::optAllTrace_Click()
{
    if (!optAllTrace->isChecked())
        return;
    optTraceFilter->setChecked(false);
    setFiltersEnabled(false);
}

void frmBKLTraceAuditLog::optTraceFilter_Click()
{
    if (!optTraceFilter->isChecked())
        return;
    optAllTrace->setChecked(false);
    setFiltersEnabled(true);
}

bool frmBKLTraceAuditLog::filtersHaveTexts()
{
    const std::pair<QCheckBox*, QWidget*> filters[] = {
        {chkMessage, txtEventDesc}, {chkEvent, cboEvent}, {chkModule, cboModule}, {chkUserID, cboUserID}};
    for (const auto& [check, field] : filters) {
        const QString text = field == txtEventDesc ? txtEventDesc->text() : static_cast<QComboBox*>(field)->currentText();
        if (check->isChecked() && bkl::Trim(text).isEmpty()) {
            bkl::MsgBox(QStringLiteral("A search text is expected !"), bkl::mb::Information, QLatin1String(bkl::kProductName));
            field->setFocus();
            return false;
        }
    }
    return true;
}

void frmBKLTraceAuditLog::cmdTrace_Click()
{
    if (bkl::RunGuard::active()) {
        QApplication::beep();
        return;
    }
    bkl::WriteLog(QStringLiteral("Trace Audit Log begin..."), bkl::LogInfo);

    const bool filterMode = !optAllTrace->isChecked();
    if (filterMode && !filtersHaveTexts())
        return;
    // The count must be a positive whole number whenever Show Top is on, in either mode.
    const std::optional<long long> top = bkl::mainwindow::AuditTopCount(txtTop->text());
    if (optTOP->isChecked() && !top) {
        bkl::MsgBox(QStringLiteral("Invalid entry found !"), bkl::mb::Information, QLatin1String(bkl::kProductName));
        txtTop->setFocus();
        txtTop->selectAll();
        return;
    }
    if (filterMode && optALL->isChecked()) {
        const int answer = bkl::MsgBox(
            QStringLiteral("Are you sure want to display all matching records?") + QLatin1String(bkl::kCrLf)
                + QLatin1String(bkl::kCrLf)
                + QStringLiteral("Note: This may take several minutes depends on the model log size"),
            bkl::mb::YesNo | bkl::mb::Exclamation | bkl::mb::DefaultButton2, QLatin1String(bkl::kProductName));
        if (answer != bkl::mb::Yes) {
            optTOP->setFocus();
            return;
        }
    }

    bkl::mainwindow::AuditTraceOptions options;
    options.filterMode = filterMode;
    options.message = {chkMessage->isChecked(), txtEventDesc->text()};
    options.event = {chkEvent->isChecked(), cboEvent->currentText()};
    options.module = {chkModule->isChecked(), cboModule->currentText()};
    options.user = {chkUserID->isChecked(), cboUserID->currentText()};
    if (optTOP->isChecked())
        options.topCount = top;
    options.dateAscending = optDateASC->isChecked();
    const QString sql = bkl::mainwindow::AuditTraceStatement(options);

    std::optional<bkl::db::DbError> failure;
    {
        bkl::RunGuard guard([this] {
            lblProgress->hide();
            cmdTrace->setEnabled(true);
            cmdClose->setEnabled(true);
        });
        cmdTrace->setEnabled(false);
        cmdClose->setEnabled(false);
        lblProgress->setText(QString());
        lblProgress->show();
        // The count shown advances at each turn of the event loop, not with every record.
        long records = 0;
        bkl::TimeSlice slice([this, &records] {
            if (records > 0)
                lblProgress->setText(QStringLiteral("Records : ") + QString::number(records));
        });
        try {
            failure = bkl::mainwindow::WriteAuditTracePage(bkl::mainwindow::AuditTracePagePath(), g_cnModel, sql,
                                                           [&](long count) {
                                                               records = count;
                                                               slice.tick();
                                                           });
            slice.pumpNow();
        } catch (const std::exception& e) {
            failure = bkl::db::DbError(kFileAccessError, QString(), QString::fromLocal8Bit(e.what()));
            bkl::LogFunctionError(QStringLiteral("cmdTrace_Click"), failure->number(), failure->description());
        }
        lblProgress->hide();
    }
    bkl::WriteLog(QStringLiteral("Trace Audit Log end"), bkl::LogInfo);
    wbAudit->navigate(bkl::mainwindow::AuditTracePagePath());
    resize(width(), Px(kHeightAfterTrace));
    // The page shows the spacer in place of the table; the user learns why.
    if (failure)
        ShowFailure(failure->number(), failure->description());
}

// Unloads the window (done() refuses while a run is active).
void frmBKLTraceAuditLog::cmdClose_Click() { reject(); }

void frmBKLTraceAuditLog::Form_KeyPress(int keyAscii)
{
    if (keyAscii == 27)
        cmdClose_Click();
}

void frmBKLTraceAuditLog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        Form_KeyPress(27);
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmBKLTraceAuditLog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // Before the first trace the window is too low to show any of the page.
    wbAudit->resize(std::max(0, width() - Px(2 * kMargin)), std::max(0, height() - Px(kBrowserTop + kMargin)));
}

void frmBKLTraceAuditLog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // The window is on screen: its filter lists are read next, from the event loop.
    if (m_listsPending && !m_fillQueued && !m_filling)
        queueFill(0);
}

void frmBKLTraceAuditLog::queueFill(int delayMs)
{
    m_fillQueued = true;
    QTimer::singleShot(delayMs, this, [this] {
        m_fillQueued = false;
        if (!m_listsPending || !isVisible())
            return;
        // A trace started before the first paint has the connection: the lists follow it.
        if (bkl::RunGuard::active())
            return queueFill(bkl::kPumpSliceMs);
        FillAuditFilterLists();
    });
}

void frmBKLTraceAuditLog::done(int result)
{
    if (m_filling) {
        m_closeResult = result;
        return;
    }
    if (bkl::RunGuard::active()) {
        QApplication::beep();
        return;
    }
    Form_Unload();
    QDialog::done(result);
}

void frmBKLTraceAuditLog::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    bkl::WriteLog(QStringLiteral("Exiting ") + windowTitle(), bkl::LogInfo);
}

void frmBKLTraceAuditLog::cmdIEPreview_Click() { bkl::BrowserSaveAs(wbAudit); }
void frmBKLTraceAuditLog::cmdPreview_Click() { bkl::BrowserPrintPreview(wbAudit); }
void frmBKLTraceAuditLog::cmdPrint_Click() { bkl::BrowserPrint(wbAudit); }
