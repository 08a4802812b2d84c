#include "mainwindow/ui/frmBKLMain.h"
#include "platform/core/FailureBox.h"
#include "mainwindow/ui/Twips.h"

#include "mainwindow/FindStatement.h"
#include "mainwindow/FindTexts.h"
#include "mainwindow/MatchCase.h"
#include "mainwindow/RunFailure.h"
#include "mainwindow/ui/BrowserCommandButtons.h"
#include "mainwindow/ui/FrameIcons.h"
#include "mainwindow/ui/frmMDIBKLMain.h"
#include "platform/core/Seams.h"
#include "platform/core/Settings.h"
#include "platform/core/TextSemantics.h"
#include "platform/core/TimeSlice.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/ui/Browser.h"
#include "platform/ui/GridLineDelegate.h"
#include "platform/ui/ListBatch.h"
#include "platform/ui/RunGuard.h"
#include "platform/ui/SortHold.h"
#include "shell/Globals.h"
#include "shell/Log.h"

#include <QAction>
#include <QChartView>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <memory>
#include <optional>

using bkl::mainwindow::ObjectKind;

using bkl::Place;
using bkl::Px;

namespace {

// Positions of the window's controls in pixels, as laid out for a client area
// of 1276 x 679 (19140 x 10185 twips).
constexpr int kListTop = 227;
constexpr int kListWidth = 415;
constexpr int kBrowserLeft = 423;
constexpr int kBrowserTop = 58;
constexpr int kStatusBarHeight = 25;

// A row of the object list; rows sort by their text without regard to letter case.
class ObjectRow final : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
    }
};


} // namespace

frmBKLMain::frmBKLMain(frmMDIBKLMain* frame) : QWidget(frame), m_frame(frame)
{
    setObjectName(QStringLiteral("frmBKLMain"));
    setMinimumSize(200, 150);
    createPickersAndFindRow();
    createListAndButtons();
    createBrowserArea();
    createStatusBar();

    // Enter anywhere in the window starts a find, as the window's default button.
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), this);
        enter->setContext(Qt::WidgetWithChildrenShortcut);
        connect(enter, &QShortcut::activated, this, &frmBKLMain::cmdFind_Click);
    }
}

frmBKLMain* frmBKLMain::current()
{
    frmMDIBKLMain* frame = frmMDIBKLMain::current();
    return frame ? frame->findChild<frmBKLMain*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void frmBKLMain::createPickersAndFindRow()
{
    auto picker = [this](int x, int width) {
        auto* list = new QListWidget(this);
        list->setGeometry(x, 4, width, 64);
        list->setSelectionMode(QAbstractItemView::NoSelection);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // A click on the text ticks the item as a click on its box does. A click on
        // the box has already been ticked by the list itself when itemClicked comes.
        auto pressedState = std::make_shared<Qt::CheckState>(Qt::Unchecked);
        connect(list, &QListWidget::itemPressed, list,
                [pressedState](QListWidgetItem* item) { *pressedState = item->checkState(); });
        connect(list, &QListWidget::itemClicked, list, [pressedState](QListWidgetItem* item) {
            if (item->checkState() == *pressedState)
                item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
        });
        return list;
    };
    lstObjectsGroup1 = picker(0, 92);
    lstObjectsGroup2 = picker(95, 160);
    lstObjectsGroup3 = picker(258, 157);

    lblFindObjects = new QLabel(QStringLiteral("Find Objects by Name:"), this);
    lblFindObjects->setGeometry(0, 72, 200, 18);
    txtFind = new QLineEdit(this);
    txtFind->setGeometry(0, 92, 236, 26);
    txtFind->setToolTip(QStringLiteral("Type in the keyword to find objects"));
    lblFindObjects->setBuddy(txtFind);

    cmdFind = new QPushButton(this);
    cmdFind->setGeometry(239, 92, 30, 26);
    cmdFind->setIcon(bkl::mainwindow::Icon(bkl::mainwindow::ToolbarIcon::Find));
    cmdFind->setToolTip(QStringLiteral("Find Objects"));
    cmdFind->setAccessibleName(cmdFind->toolTip());
    connect(cmdFind, &QPushButton::clicked, this, &frmBKLMain::cmdFind_Click);
    cmdStop = new QPushButton(this);
    cmdStop->setGeometry(272, 92, 30, 26);
    cmdStop->setIcon(bkl::mainwindow::Icon(bkl::mainwindow::ToolbarIcon::Stop));
    cmdStop->setToolTip(QStringLiteral("Stop Find"));
    cmdStop->setAccessibleName(cmdStop->toolTip());
    connect(cmdStop, &QPushButton::clicked, this, &frmBKLMain::cmdStop_Click);
    cmdAdvancedFind = new QPushButton(QStringLiteral("Advanced Find"), this);
    cmdAdvancedFind->setGeometry(305, 92, 110, 26);
    connect(cmdAdvancedFind, &QPushButton::clicked, this, [this] { cmdAdvancedFind_MouseUp(Qt::LeftButton); });

    chkWholeWord = new QCheckBox(QStringLiteral("Whole Word"), this);
    chkWholeWord->setGeometry(0, 122, 110, 20);
    chkMatchCase = new QCheckBox(QStringLiteral("Match Case"), this);
    chkMatchCase->setGeometry(115, 122, 110, 20);

    // The loading texts of a run and its result count share one place.
    lblLoadStatus = new QLabel(this);
    lblLoadStatus->setGeometry(0, 146, kListWidth, 18);
    lblSearchResults = new QLabel(this);
    lblSearchResults->setGeometry(0, 146, kListWidth, 18);
    lblFilter = new QLabel(this);
    lblFilter->setGeometry(0, 166, kListWidth, 18);
    // The filter caption and the advanced search's criterion line hold typed text:
    // shown as typed, never read as markup.
    for (QLabel* label : {lblLoadStatus, lblSearchResults, lblFilter})
        label->setTextFormat(Qt::PlainText);
}

void frmBKLMain::createListAndButtons()
{
    auto button = [this](const QString& caption, const QString& tip, int x) {
        auto* b = new QPushButton(caption, this);
        b->setGeometry(x, 190, 100, 32);
        b->setToolTip(tip);
        return b;
    };
    cmdGetDetails = button(QStringLiteral("Preview"), QStringLiteral("Preview Selected Objects"), 0);
    cmdExport = button(QStringLiteral("Export"), QStringLiteral("Export Selected Objects"), 104);
    cmdCompare = button(QStringLiteral("Compare"), QStringLiteral("Compare Selected Objects"), 208);
    connect(cmdGetDetails, &QPushButton::clicked, this, &frmBKLMain::cmdGetDetails_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmBKLMain::cmdExport_Click);
    connect(cmdCompare, &QPushButton::clicked, this, &frmBKLMain::cmdCompare_Click);

    lvObjects = new QTreeWidget(this);
    lvObjects->setGeometry(0, kListTop, kListWidth, Px(m_sizes.listHeight));
    lvObjects->setColumnCount(2);
    lvObjects->setHeaderLabels({QStringLiteral("NAME"), QStringLiteral("TYPE")});
    lvObjects->setColumnWidth(0, 284);
    lvObjects->setColumnWidth(1, 107);
    lvObjects->setRootIsDecorated(false);
    lvObjects->setUniformRowHeights(true);
    lvObjects->setAllColumnsShowFocus(true);
    lvObjects->header()->setSectionsClickable(true);
    lvObjects->header()->setSortIndicatorShown(false);
    connect(lvObjects->header(), &QHeaderView::sectionClicked, this, &frmBKLMain::lvObjects_ColumnClick);
    connect(lvObjects, &QTreeWidget::itemDoubleClicked, this, [this] { lvObjects_DblClick(); });
    lvObjects->viewport()->installEventFilter(this);
}

void frmBKLMain::createBrowserArea()
{
    lblBanner = new QLabel(QLatin1String(bkl::kProductName), this);
    lblBanner->setGeometry(kBrowserLeft, 2, 200, 28);
    QFont bannerFont = lblBanner->font();
    bannerFont.setPointSize(16);
    bannerFont.setBold(true);
    lblBanner->setFont(bannerFont);
    lblBanner->setStyleSheet(QStringLiteral("color: #000080;"));
    lblAnnote = new QLabel(this);
    lblAnnote->setGeometry(kBrowserLeft, 34, 200, 18);
    lblVersion = new QLabel(this);
    lblVersion->setGeometry(kBrowserLeft + 140, 10, 70, 18);

    lblPreviewStatus = new QLabel(this);
    lblPreviewStatus->setGeometry(910, 2, 220, 18);
    lblPreviewStatus->hide();
    pbProgress = new QProgressBar(this);
    pbProgress->setGeometry(910, 24, 220, 16);
    pbProgress->setTextVisible(false);
    pbProgress->hide();
    lblPercentage = new QLabel(this);
    lblPercentage->setGeometry(1136, 22, 50, 18);

    wbObjects = bkl::CreateBrowser(this);
    wbObjects->setGeometry(kBrowserLeft, kBrowserTop, Px(m_sizes.browserWidth), Px(m_sizes.browserHeight));

    // The browser's picture buttons, as beside every report browser; they send their commands to wbObjects.
    auto* commands = new bkl::BrowserCommandButtons(wbObjects, Qt::Horizontal, this);
    commands->setGeometry(640, 12, 120, 34);
    cmdIEPreview = commands->cmdIEPreview;
    cmdPreview = commands->cmdPreview;
    cmdPrint = commands->cmdPrint;

    picMain = new QWidget(this);
    picMain->setGeometry(kBrowserLeft, kBrowserTop + 337, Px(m_sizes.browserWidth), 260);
    MSChart1 = new QChartView(picMain);
    auto* chartLayout = new QVBoxLayout(picMain);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(MSChart1);
    picMain->hide();
}

void frmBKLMain::createStatusBar()
{
    sbRelease = new QStatusBar(this);
    const std::array<const char*, 8> texts = {"READY", "", "", "", "CAPS", "NUM", "SCRL", "INS"};
    for (size_t i = 0; i < texts.size(); ++i) {
        auto* panel = new QLabel(QString::fromLatin1(texts[i]));
        panel->setTextFormat(Qt::PlainText); // host, user and model names as they are
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        if (i < 4)
            sbRelease->addWidget(panel, i == 0 ? 1 : 0);
        else
            sbRelease->addPermanentWidget(panel);
        m_panels[i] = panel;
    }
}

void frmBKLMain::SetStatusBarText(const QString& text, short panel)
{
    if (panel >= 1 && panel <= static_cast<short>(m_panels.size()))
        m_panels[panel - 1]->setText(text);
}

QString frmBKLMain::StatusBarText(short panel) const
{
    return panel >= 1 && panel <= static_cast<short>(m_panels.size()) ? m_panels[panel - 1]->text() : QString();
}

QListWidgetItem* frmBKLMain::KindPickerItem(ObjectKind kind) const
{
    const int k = static_cast<int>(kind);
    if (k < 3)
        return lstObjectsGroup1->item(k);
    if (k < 6)
        return lstObjectsGroup2->item(k - 3);
    return lstObjectsGroup3->item(0);
}

void frmBKLMain::LoadObjectTypeLists()
{
    for (QListWidget* list : {lstObjectsGroup1, lstObjectsGroup2, lstObjectsGroup3})
        list->clear();
    for (ObjectKind kind : bkl::mainwindow::kAllKinds) {
        const int k = static_cast<int>(kind);
        QListWidget* list = k < 3 ? lstObjectsGroup1 : k < 6 ? lstObjectsGroup2 : lstObjectsGroup3;
        auto* item = new QListWidgetItem(bkl::mainwindow::PickerText(kind), list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    const QString selection =
        bkl::GetSetting(QStringLiteral("USERPREFERENCES"), QStringLiteral("DefaultObjectSelection"), QString());
    for (ObjectKind kind : bkl::mainwindow::PreselectedKinds(selection))
        KindPickerItem(kind)->setCheckState(Qt::Checked);
    for (QListWidget* list : {lstObjectsGroup1, lstObjectsGroup2, lstObjectsGroup3})
        list->setCurrentRow(-1);
}

std::vector<ObjectKind> frmBKLMain::SelectedKinds() const
{
    std::vector<ObjectKind> kinds;
    for (ObjectKind kind : bkl::mainwindow::kAllKinds)
        if (KindPickerItem(kind)->checkState() == Qt::Checked)
            kinds.push_back(kind);
    return kinds;
}

void frmBKLMain::Form_Load()
{
    setWindowTitle(g_sModelName);
    bkl::WriteLog(QStringLiteral("Launch frmBKLMain - ") + windowTitle(), bkl::LogInfo);
    lblAnnote->setText(QStringLiteral("Quellmar SPM 6.1 and above"));
    lblVersion->setText(QStringLiteral("Build %1.%2").arg(BKL_VERSION_MAJOR).arg(BKL_VERSION_MINOR));
    SetStatusBarText(QStringLiteral("Server/Host: ") + g_sServerHost, 2);
    SetStatusBarText(QStringLiteral("User: ") + g_sUserName, 3);
    SetStatusBarText(QStringLiteral("Model: ") + g_sModelName, 4);
    cmdGetDetails->setIcon(bkl::mainwindow::Icon(bkl::mainwindow::ToolbarIcon::Preview));
    cmdCompare->setIcon(bkl::mainwindow::Icon(bkl::mainwindow::ToolbarIcon::Compare));

    LoadObjectTypeLists();
    LoadModelSummary();

    SetActionGroup(false, true);
    m_bStopFind = false;
    cmdStop->setEnabled(false);

    lblLoadStatus->hide();
    lblSearchResults->hide();
    lblFilter->hide();
    lblPercentage->hide();
    lblPercentage->clear();

    // The user starts by typing a name; the pickers keep no current item.
    txtFind->setFocus();

    bkl::SetGridLines(lvObjects, g_bShowGridLines);
}

void frmBKLMain::Form_Unload() { bkl::WriteLog(QStringLiteral("Exiting ") + windowTitle(), bkl::LogInfo); }

void frmBKLMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmBKLMain::ResizeControls()
{
    const int twips = bkl::mainwindow::kTwipsPerPixel;
    m_sizes = bkl::mainwindow::StretchToClientArea(width() * twips, height() * twips, m_sizes);
    lvObjects->resize(lvObjects->width(), Px(m_sizes.listHeight));
    wbObjects->resize(Px(m_sizes.browserWidth), Px(m_sizes.browserHeight));
    sbRelease->setGeometry(0, height() - kStatusBarHeight, width(), kStatusBarHeight);
}

bool frmBKLMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lvObjects->viewport() && event->type() == QEvent::MouseButtonRelease)
        lvObjects_MouseUp(static_cast<QMouseEvent*>(event)->button());
    return QWidget::eventFilter(watched, event);
}

void frmBKLMain::SetActionGroup(bool previewAndExport, bool compare)
{
    cmdGetDetails->setEnabled(previewAndExport);
    cmdExport->setEnabled(previewAndExport);
    m_frame->mnuShowPreview->setEnabled(previewAndExport);
    m_frame->mnuExportObjects->setEnabled(previewAndExport);
    m_frame->tblMainButton(1)->setEnabled(previewAndExport);
    m_frame->tblMainButton(3)->setEnabled(previewAndExport);
    cmdCompare->setEnabled(compare);
    m_frame->mnuCompareObjects->setEnabled(compare);
    m_frame->tblMainButton(7)->setEnabled(compare);
}

QTreeWidgetItem* frmBKLMain::NewObjectRow(const QString& itemText, const QString& typeText)
{
    auto* row = new ObjectRow(QStringList{itemText, typeText});
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    row->setCheckState(0, Qt::Unchecked);
    return row;
}

QTreeWidgetItem* frmBKLMain::AddObjectRow(const QString& itemText, const QString& typeText)
{
    QTreeWidgetItem* row = NewObjectRow(itemText, typeText);
    lvObjects->addTopLevelItem(row);
    return row;
}

long frmBKLMain::ObjectsCheckedCount(short CheckedYesNo) const
{
    long checked = 0;
    long unchecked = 0;
    for (int i = 0; i < lvObjects->topLevelItemCount(); ++i)
        (lvObjects->topLevelItem(i)->checkState(0) == Qt::Checked ? checked : unchecked)++;
    return CheckedYesNo == 1 ? checked : unchecked;
}

void frmBKLMain::cmdFind_Click()
{
    // Enter reaches here too: no second run while one is going.
    if (m_findRunning || !cmdFind->isEnabled() || bkl::RunGuard::active())
        return;
    const std::vector<ObjectKind> kinds = SelectedKinds();
    const bool wholeWord = chkWholeWord->isChecked();
    const bool matchCase = chkMatchCase->isChecked();
    const QString findText = txtFind->text();
    const QString title = QLatin1String(bkl::mainwindow::kLoadObjectsTitle);
    // The caption names this search, whatever the user types or ticks while it runs.
    const QString caption = bkl::mainwindow::FilterCaption(kinds.size() == bkl::mainwindow::kAllKinds.size(),
                                                           findText, wholeWord);

    if (kinds.empty()) {
        bkl::MsgBox(QLatin1String(bkl::mainwindow::kNoKindSelected), bkl::mb::Exclamation, title);
        lstObjectsGroup1->setFocus();
        return;
    }
    if (bkl::Trim(findText).isEmpty()) {
        const int answer = bkl::MsgBox(bkl::mainwindow::LoadAllQuestion(kinds),
                                       bkl::mb::YesNo | bkl::mb::Question | bkl::mb::DefaultButton2, title);
        if (answer != bkl::mb::Yes) {
            txtFind->setFocus();
            return;
        }
    }

    bkl::WriteLog(QStringLiteral("Find Objects begin..."), bkl::LogInfo);
    std::vector<QString> statements;
    for (ObjectKind kind : kinds)
        statements.push_back(bkl::mainwindow::FindStatement(kind, findText, wholeWord, matchCase));
    // The statements cannot tell letter case apart on a case-insensitive server: each row is checked here.
    const auto stands = [&](ObjectKind kind, const QString& itemText) {
        return bkl::mainwindow::FoundRowMatches(kind, itemText, findText, wholeWord, matchCase);
    };

    lvObjects->clear();
    SetActionGroup(false, false);
    cmdFind->setEnabled(false);
    cmdStop->setEnabled(true);
    lblLoadStatus->show();
    lblSearchResults->hide();
    lblFilter->hide();
    m_bStopFind = false;

    std::optional<bkl::db::DbError> failure;
    {
        bkl::RunGuard guard([this] {
            m_findRunning = false;
            cmdStop->setEnabled(false);
            cmdFind->setEnabled(true);
            lblLoadStatus->hide();
        });
        guard.watchStop(m_bStopFind);
        m_findRunning = true;
        failure = bkl::mainwindow::RunLoggingFailure(QStringLiteral("cmdFind_Click"),
                                                     [&] { ListKinds(kinds, statements, stands); });
        FinishFind(caption);
    }
    // The run has ended in order, keeping its rows; now the user learns why it stopped early.
    if (failure)
        bkl::ShowRunFailure(failure->number(), failure->description(), windowTitle());
}

void frmBKLMain::ListKinds(const std::vector<ObjectKind>& kinds, const std::vector<QString>& statements,
                           const RowFilter& stands)
{
    // A stop request is seen at a turn of the event loop; the rows listed so far stay.
    const auto stopHonoured = [this] {
        if (!m_bStopFind)
            return false;
        m_bStopFind = false;
        cmdFind->setEnabled(true);
        cmdStop->setEnabled(false);
        return true;
    };
    // A list the user has sorted is sorted once at the end, not as each batch goes in.
    bkl::SortHold sorting(lvObjects);
    bkl::ListBatch rows(lvObjects);
    bkl::TimeSlice slice([&rows] { rows.flush(); });
    for (size_t i = 0; i < kinds.size(); ++i) {
        lblLoadStatus->setText(bkl::mainwindow::LoadingStatusText(kinds[i]));
        slice.pumpNow();
        if (stopHonoured())
            return;
        bkl::db::Recordset rs;
        rs.openForwardOnly(statements[i], g_cnModel);
        for (; !rs.eof(); rs.moveNext()) {
            // The turn comes first, so that a row left out below still counts toward the slice.
            if (slice.tick() && stopHonoured())
                return;
            const QString itemText = rs.field(QStringLiteral("ColName")).toText();
            if (stands(kinds[i], itemText))
                rows.add(NewObjectRow(itemText, rs.field(QStringLiteral("ColType")).toText()));
        }
        rs.close();
    }
    slice.pumpNow();
}

void frmBKLMain::FinishFind(const QString& caption)
{
    lblLoadStatus->hide();
    const int rows = lvObjects->topLevelItemCount();
    SetActionGroup(rows > 0, true);
    bkl::WriteLog(QStringLiteral("Find Objects end"), bkl::LogInfo);
    cmdStop->setEnabled(false);
    cmdFind->setEnabled(true);
    lblSearchResults->setText(bkl::mainwindow::FoundCountText(rows));
    lblFilter->setText(caption);
    lblSearchResults->show();
    lblFilter->show();
}

void frmBKLMain::cmdStop_Click()
{
    if (!m_bStopFind)
        m_bStopFind = true;
    cmdStop->setEnabled(false);
    cmdFind->setEnabled(false);
}

void frmBKLMain::lvObjects_ColumnClick(int column)
{
    m_iSortOrder = m_iSortOrder == 0 ? 1 : 0;
    const Qt::SortOrder order = m_iSortOrder == 0 ? Qt::AscendingOrder : Qt::DescendingOrder;
    if (bkl::SortHold* hold = bkl::SortHold::of(lvObjects)) {
        // Rows are going in or being marked: the list takes this sort once they are done.
        hold->sortBy(column, order);
    } else if (!lvObjects->isSortingEnabled()) {
        // From the first click on, the list keeps itself sorted, also for rows added later.
        lvObjects->header()->setSortIndicator(column, order);
        lvObjects->setSortingEnabled(true);
    } else {
        lvObjects->sortByColumn(column, order);
    }
}

void frmBKLMain::lvObjects_MouseUp(Qt::MouseButton button)
{
    if (button != Qt::RightButton || lvObjects->topLevelItemCount() == 0)
        return;
    m_frame->mnuSubBKObjectsMenu->popup(QCursor::pos());
}

void frmBKLMain::cmdAdvancedFind_MouseUp(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    m_frame->mnuBKAdvancedFind->popup(cmdAdvancedFind->mapToGlobal(QPoint(0, cmdAdvancedFind->height())));
}
