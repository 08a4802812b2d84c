#include "mainwindow/ui/frmCalculationsAdvancedFind.h"
#include "platform/core/FailureBox.h"
#include "mainwindow/ui/Twips.h"

#include "mainwindow/AdvancedFindLists.h"
#include "mainwindow/AdvancedFindStatement.h"
#include "mainwindow/ResizeRule.h"
#include "mainwindow/RunFailure.h"
#include "mainwindow/ui/frmBKLMain.h"
#include "platform/core/Seams.h"
#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "platform/core/TimeSlice.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/ui/BusyCursor.h"
#include "platform/ui/GridLineDelegate.h"
#include "platform/ui/ListBatch.h"
#include "platform/ui/RunGuard.h"
#include "platform/ui/SortHold.h"
#include "shell/Globals.h"
#include "shell/Log.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>
#include <exception>

using bkl::mainwindow::AdvancedSearch;
using bkl::mainwindow::NameCriterion;

using bkl::Place;
using bkl::Px;

namespace {

// Title of the input boxes (the caption without its leading blank).
constexpr char kInputTitle[] = "Advanced Find - Calculations";
constexpr char kLoadingText[] = "Loading Calculations...";

// Window size in twips.
constexpr int kWidth = 13800;
constexpr int kHeight = 8370;
// The hit list fills the window below the status lines, with this margin.
constexpr int kListTop = 3840;
constexpr int kMargin = 120;


QLabel* Caption(const QString& text, QWidget* parent, int left, int top, int width)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    Place(label, left, top, width, 285);
    return label;
}

QLineEdit* TextBox(const char* name, QWidget* parent, int left, int top, int width)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    Place(box, left, top, width, 345);
    return box;
}

QCheckBox* CheckBox(const QString& caption, const char* name, QWidget* parent, int left, int top)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    Place(box, left, top, 1500, 285);
    return box;
}

QLabel* StatusLabel(QWidget* parent, int top)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText); // criterion lines hold typed text
    Place(label, 120, top, kWidth - 240, 285);
    return label;
}

// Tells the user why a database step failed, in a critical box titled as the window.
void ShowFailure(const bkl::db::DbError& e, const QWidget* window)
{
    bkl::ShowRunFailure(e.number(), e.description(), window->windowTitle());
}

void InputBox(const char* message, QWidget* focus)
{
    bkl::MsgBox(QLatin1String(message), bkl::mb::Information, QLatin1String(kInputTitle));
    focus->setFocus();
}

} // namespace

frmCalculationsAdvancedFind::frmCalculationsAdvancedFind(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCalculationsAdvancedFind"));
    setWindowTitle(QStringLiteral(" Advanced Find - Calculations"));
    setModal(true);
    resize(Px(kWidth), Px(kHeight));
    createTabs();
    createButtonsAndList();
    Form_Load();
}

void frmCalculationsAdvancedFind::createTabs()
{
    sstCalculations = new QTabWidget(this);
    sstCalculations->setObjectName(QStringLiteral("sstCalculations"));
    Place(sstCalculations, 120, 120, kWidth - 240, 2400);

    auto* restriction = new QWidget;
    Caption(QStringLiteral("Column Name: [Eg: trxTypeCd]"), restriction, 150, 210, 3300);
    txtColumn = TextBox("txtColumn", restriction, 150, 510, 4200);
    chkWholeWordColumn = CheckBox(QStringLiteral("Whole Word"), "chkWholeWordColumn", restriction, 4500, 540);
    chkMatchCaseColumn = CheckBox(QStringLiteral("Match Case"), "chkMatchCaseColumn", restriction, 6150, 540);
    Caption(QStringLiteral("Value Text: [Eg: \"191\"]"), restriction, 150, 1020, 3300);
    txtValue = TextBox("txtValue", restriction, 150, 1320, 4200);
    sstCalculations->addTab(restriction, QStringLiteral("Find Calculations By Restriction/Constraints"));

    auto* dependency = new QWidget;
    Caption(QStringLiteral("Table Name:"), dependency, 150, 210, 3300);
    txtTableName = TextBox("txtTableName", dependency, 150, 510, 4200);
    chkTableWholeWord = CheckBox(QStringLiteral("Whole Word"), "chkTableWholeWord", dependency, 4500, 540);
    chkTableMatchCase = CheckBox(QStringLiteral("Match Case"), "chkTableMatchCase", dependency, 6150, 540);
    Caption(QStringLiteral("Column Name:"), dependency, 150, 1020, 3300);
    txtTableColumnName = TextBox("txtTableColumnName", dependency, 150, 1320, 4200);
    chkColumnWholeWord = CheckBox(QStringLiteral("Whole Word"), "chkColumnWholeWord", dependency, 4500, 1350);
    chkColumnMatchCase = CheckBox(QStringLiteral("Match Case"), "chkColumnMatchCase", dependency, 6150, 1350);
    sstCalculations->addTab(dependency, QStringLiteral("Find Calculations Dependent on Table and/or Column"));

    auto* miscellaneous = new QWidget;
    optCalendarUsed = new QRadioButton(QStringLiteral("Calendar Used - "), miscellaneous);
    Place(optCalendarUsed, 150, 390, 4200, 285);
    cboCalendarUsed = new QComboBox(miscellaneous);
    cboCalendarUsed->setObjectName(QStringLiteral("cboCalendarUsed"));
    Place(cboCalendarUsed, 4500, 345, 4050, 345);
    optTimeReset = new QRadioButton(QStringLiteral("Calculations with Time/Reset Levels - "), miscellaneous);
    Place(optTimeReset, 150, 1020, 4200, 285);
    cboTimeReset = new QComboBox(miscellaneous);
    cboTimeReset->setObjectName(QStringLiteral("cboTimeReset"));
    Place(cboTimeReset, 4500, 975, 4050, 345);
    sstCalculations->addTab(miscellaneous, QStringLiteral("Find Calculations - Miscellaneous"));
}

void frmCalculationsAdvancedFind::createButtonsAndList()
{
    cmdOk = new QPushButton(QStringLiteral("&Find"), this);
    cmdOk->setToolTip(QStringLiteral("Find Calculations"));
    Place(cmdOk, 120, 2640, 1350, 420);
    cmdLoadResults = new QPushButton(QStringLiteral("Load Objects to Main Window"), this);
    Place(cmdLoadResults, 1590, 2640, 3300, 420);
    cmdClose = new QPushButton(QStringLiteral("C&lose"), this);
    cmdClose->setToolTip(QStringLiteral("Close Window"));
    Place(cmdClose, kWidth - 1470, 2640, 1350, 420);
    cmdLoadResults->setAutoDefault(false);
    cmdClose->setAutoDefault(false);
    cmdOk->setDefault(true); // Enter finds
    connect(cmdOk, &QPushButton::clicked, this, &frmCalculationsAdvancedFind::cmdOk_Click);
    connect(cmdLoadResults, &QPushButton::clicked, this, &frmCalculationsAdvancedFind::cmdLoadResults_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmCalculationsAdvancedFind::cmdClose_Click);

    // The running text and the hit count share one place.
    lblLoadStatus = StatusLabel(this, 3180);
    lblSearchResults = StatusLabel(this, 3180);
    lblFilter = StatusLabel(this, 3480);

    lvAdvancedFind = new QTreeWidget(this);
    lvAdvancedFind->setObjectName(QStringLiteral("lvAdvancedFind"));
    Place(lvAdvancedFind, kMargin, kListTop, kWidth - 2 * kMargin, kHeight - kListTop - kMargin);
    lvAdvancedFind->setHeaderLabels({QStringLiteral("NAME"), QStringLiteral("TYPE")});
    lvAdvancedFind->setColumnWidth(0, Px(9000));
    lvAdvancedFind->setRootIsDecorated(false);
    lvAdvancedFind->setUniformRowHeights(true);
    lvAdvancedFind->setAllColumnsShowFocus(true);
}

void frmCalculationsAdvancedFind::Form_Load()
{
    // At the top edge of the screen, centred across it.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2, area.top());
    }
    sstCalculations->setCurrentIndex(0);
    lblLoadStatus->hide();
    lblSearchResults->hide();
    lblFilter->hide();
    cmdLoadResults->setEnabled(false);
    FillCalendarAndTimeResetLists();
    optCalendarUsed->setChecked(true);
    bkl::SetGridLines(lvAdvancedFind, g_bShowGridLines);
}

void frmCalculationsAdvancedFind::FillCalendarAndTimeResetLists()
{
    cboCalendarUsed->clear();
    cboCalendarUsed->addItem(QLatin1String(bkl::mainwindow::kNoCalendarItem));
    cboTimeReset->clear();
    try {
        const bkl::BusyCursor busy; // the calendars and every calculation's levels (gone before a failure box)
        for (const auto& calendar : bkl::mainwindow::ReadCalendarItems(g_cnModel))
            cboCalendarUsed->addItem(calendar.text, calendar.id);
        for (const auto& pair : bkl::mainwindow::ReadTimeResetItems(g_cnModel))
            cboTimeReset->addItem(pair.text, QStringList{pair.timeLevel, pair.resetLevel});
    } catch (const bkl::db::StatementStopped&) {
        // The user stopped the wait for a server that does not answer: the window opens
        // with the lists read so far, as after any Stop (neither logged nor shown).
    } catch (const bkl::db::DbError& e) {
        bkl::LogFunctionError(QStringLiteral("FillCalendarAndTimeResetLists"), e.number(), e.description());
        ShowFailure(e, this);
    }
    cboCalendarUsed->setCurrentIndex(0);
    cboTimeReset->setCurrentIndex(cboTimeReset->count() > 0 ? 0 : -1);
}

std::optional<AdvancedSearch> frmCalculationsAdvancedFind::SelectedSearch()
{
    switch (sstCalculations->currentIndex()) {
    case 0:
        if (bkl::Trim(txtColumn->text()).isEmpty()) {
            InputBox("Restriction/Constraint Column Name cannot be null !", txtColumn);
            return std::nullopt;
        }
        return bkl::mainwindow::RestrictionSearch(
            NameCriterion{txtColumn->text(), chkWholeWordColumn->isChecked(), chkMatchCaseColumn->isChecked()},
            txtValue->text());
    case 1:
        if (bkl::Trim(txtTableName->text()).isEmpty() && bkl::Trim(txtTableColumnName->text()).isEmpty()) {
            InputBox("Both Table Name and Column cannot be null !", txtTableName);
            return std::nullopt;
        }
        return bkl::mainwindow::DependencySearch(
            NameCriterion{txtTableName->text(), chkTableWholeWord->isChecked(), chkTableMatchCase->isChecked()},
            NameCriterion{txtTableColumnName->text(), chkColumnWholeWord->isChecked(), chkColumnMatchCase->isChecked()});
    default:
        break;
    }
    if (optCalendarUsed->isChecked()) {
        const QVariant id = cboCalendarUsed->currentData();
        return bkl::mainwindow::CalendarSearch(id.isValid() ? std::optional<QString>(id.toString()) : std::nullopt,
                                               cboCalendarUsed->currentText());
    }
    // No calculation has both levels: there is no pair to search for.
    if (cboTimeReset->currentIndex() < 0) {
        InputBox("No calculation has Time/Reset Levels !", cboTimeReset);
        return std::nullopt;
    }
    const QStringList levels = cboTimeReset->currentData().toStringList();
    return bkl::mainwindow::TimeResetSearch(levels.value(0), levels.value(1), cboTimeReset->currentText());
}

void frmCalculationsAdvancedFind::cmdOk_Click()
{
    // No search while a find, a trace or another search reads its rows (Enter reaches here too).
    if (bkl::RunGuard::active()) {
        QApplication::beep();
        return;
    }
    bkl::WriteLog(QStringLiteral("Advanced Find - Calculations begin..."), bkl::LogInfo);
    const std::optional<AdvancedSearch> search = SelectedSearch();
    if (!search)
        return;

    lvAdvancedFind->clear();
    lblLoadStatus->show();
    lblSearchResults->hide();
    lblFilter->hide();
    lblLoadStatus->setText(QLatin1String(kLoadingText));

    std::optional<bkl::db::DbError> failure;
    {
        bkl::RunGuard guard([this] {
            lblLoadStatus->hide();
            cmdOk->setEnabled(true);
            cmdClose->setEnabled(true);
            cmdLoadResults->setEnabled(lvAdvancedFind->topLevelItemCount() > 0);
        });
        cmdOk->setEnabled(false);
        cmdClose->setEnabled(false);
        cmdLoadResults->setEnabled(false);
        failure = bkl::mainwindow::RunLoggingFailure(QStringLiteral("cmdOk_Click"), [&] { ListHits(*search); });
        lblSearchResults->setText(QString::number(lvAdvancedFind->topLevelItemCount())
                                  + QStringLiteral(" Objects(s) found"));
        lblFilter->setText(search->criterion);
        lblSearchResults->show();
        lblFilter->show();
    }
    bkl::WriteLog(QStringLiteral("Advanced Find - Calculations end"), bkl::LogInfo);
    // The search has ended in order, keeping its rows; now the user learns why it stopped early.
    if (failure)
        ShowFailure(*failure, this);
}

void frmCalculationsAdvancedFind::ListHits(const AdvancedSearch& search)
{
    bkl::mainwindow::HitFilter hits(search);
    bkl::ListBatch rows(lvAdvancedFind);
    bkl::TimeSlice slice([&rows] { rows.flush(); });
    bkl::db::Recordset rs;
    rs.openForwardOnly(search.sql, g_cnModel);
    for (; !rs.eof(); rs.moveNext()) {
        // The turn comes first, so that a row left out below still counts toward the slice.
        slice.tick();
        const QString name = rs.field(QStringLiteral("ColName")).toText();
        if (hits.stands(name, [&rs](const QString& column) { return rs.field(column).toText(); }))
            rows.add(new QTreeWidgetItem(QStringList{name, rs.field(QStringLiteral("ColType")).toText()}));
    }
    rs.close();
    slice.pumpNow();
}

void frmCalculationsAdvancedFind::cmdLoadResults_Click()
{
    frmBKLMain* main = frmBKLMain::current();
    // Replacing the object list while a find, preview or search uses it is refused.
    if (bkl::RunGuard::active() || !main) {
        QApplication::beep();
        return;
    }
    {
        bkl::RunGuard hourglass;
        main->lvObjects->clear();
        {
            bkl::SortHold sorting(main->lvObjects); // a sorted list is sorted once, at the end
            bkl::ListBatch rows(main->lvObjects);
            bkl::TimeSlice slice([&rows] { rows.flush(); });
            for (int i = 0; i < lvAdvancedFind->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* hit = lvAdvancedFind->topLevelItem(i);
                rows.add(frmBKLMain::NewObjectRow(hit->text(0), hit->text(1)));
                slice.tick();
            }
            slice.pumpNow();
        }
        main->SetActionGroup(true, true);
        main->cmdStop->setEnabled(false);
        main->cmdFind->setEnabled(true);
        main->lblSearchResults->show();
        main->lblFilter->show();
        main->lblLoadStatus->setText(lblLoadStatus->text());
        main->lblSearchResults->setText(lblSearchResults->text());
        main->lblFilter->setText(lblFilter->text());
        bkl::WriteLog(QStringLiteral("Load objects to main window end"), bkl::LogInfo);
    }
    const int answer = bkl::MsgBox(QStringLiteral("Objects loaded in the main window. ") + QLatin1String(bkl::kCrLf)
                                       + QLatin1String(bkl::kCrLf) + QStringLiteral("Close screen?"),
                                   bkl::mb::YesNo | bkl::mb::Question, QLatin1String(bkl::kProductName));
    if (answer == bkl::mb::Yes)
        cmdClose_Click();
}

// Unloads the window (done() refuses while a run is active).
void frmCalculationsAdvancedFind::cmdClose_Click() { reject(); }

void frmCalculationsAdvancedFind::Form_KeyPress(int keyAscii)
{
    if (keyAscii == 27)
        cmdClose_Click();
}

void frmCalculationsAdvancedFind::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        Form_KeyPress(27);
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmCalculationsAdvancedFind::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    lvAdvancedFind->resize(std::max(0, width() - Px(2 * kMargin)), std::max(0, height() - Px(kListTop + kMargin)));
}

void frmCalculationsAdvancedFind::done(int result)
{
    if (bkl::RunGuard::active()) {
        QApplication::beep();
        return;
    }
    QDialog::done(result);
}
