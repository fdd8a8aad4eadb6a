// The main window: its tabs, menu, status bar, placement and close.
#include "app/ui/Main.h"

#include "analysis/ui/ChartsPage.h"
#include "analysis/ui/MatchingPage.h"
#include "app/WindowPlacement.h"
#include "app/ui/About.h"
#include "app/ui/ProgramIcon.h"
#include "app/ui/Splash.h"
#include "common/DataFolder.h"
#include "common/Formats.h"
#include "common/SettingsStore.h"
#include "common/ui/BusyScope.h"
#include "common/ui/StringGrid.h"
#include "common/ui/UiFonts.h"
#include "data/ui/HistoryView.h"
#include "data/ui/PrizeView.h"
#include "entries/ui/CsvExport.h"
#include "entries/ui/LookupPage.h"
#include "entries/ui/MainPage.h"
#include "predict/ExclusionText.h"
#include "predict/ui/OptionsPage.h"

#include "common/ui/PageControl.h"
#include <QCloseEvent>
#include <QDateTime>
#include <QGuiApplication>
#include <QLabel>
#include <QMargins>
#include <QMenuBar>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {
// Where each control sits, in pixels of its parent.
namespace geometry {
constexpr QSize kClient{657, 548 - 22}; // the window below the menu bar, less the status bar
constexpr QRect kTabs{8, 5, 640, 514};
} // namespace geometry

// Room for the window manager's frame around the window, counted before the
// frame exists: on the generous side, so that a window moved onto a screen
// fits there with any usual frame.
const QMargins kFrameAllowance(8, 40, 8, 8);

// A status-bar panel of fixed width showing one line: the guide, which
// changes with each tab, or the clock, which changes every second. The size
// it asks for is its width and one line's height, so that the bar's layout
// does not measure the text again at each change.
class StatusPanel : public QLabel {
public:
    StatusPanel(int width, QWidget* parent) : QLabel(parent) { setFixedWidth(width); }

    QSize sizeHint() const override {
        const QMargins margins = contentsMargins();
        return {minimumWidth(), fontMetrics().height() + margins.top() + margins.bottom() +
                                    2 * (margin() + frameWidth())};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};
} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("MainForm"));
    setFont(gothicFont(12));
    setWindowIcon(programIcon());
    m_splash = new TSplashForm(this);
    buildTabs();
    wirePrediction();
    buildMenu();
    buildStatusBar();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    BusyState::attach(
        {m_tabs, menuBar()}, [this](const QString& text) { m_splash->showMessage(text); },
        [this] { m_splash->hide(); });
    FormCreate();
}

TMainForm::~TMainForm() {
    BusyState::detach();
}

void TMainForm::buildTabs() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainClient"));
    central->setFixedSize(geometry::kClient);
    setCentralWidget(central);

    m_tabs = new TPageControl(central);
    m_tabs->setObjectName(QStringLiteral("pctrlMain"));
    m_tabs->setGeometry(geometry::kTabs);
    m_tabs->setFont(gothicFont(13));

    m_mainPage = new TMainPage();
    m_tabTable = {
        {.build = [this] { return m_mainPage; },
         .caption = QStringLiteral("ロト７予想メイン"),
         .guide =
             QStringLiteral("１～３７までの数字の中から、異なる７個の数字を選択してください。"),
         .offersExport = true},
        {.build =
             [this] {
                 makePage(m_optionsPage, m_settings, m_positionCounts);
                 wireOptionsPage();
                 return m_optionsPage;
             },
         .caption = QStringLiteral("予想オプション設定"),
         .guide = QStringLiteral("除外数字の設定、抽選数字の範囲指定や、分析方法の変更など、"
                                 "各種オプションが設定できます。")},
        {.build = [this] { return makePage(m_matchingPage, m_drawTable); },
         .caption = QStringLiteral("オンラインデータ照合"),
         .guide = QStringLiteral("オンラインで申込数字とデータ照合を行い、抽選結果を表示します。"),
         .beforeGuide = [this] { m_matchingPage->refresh(); }},
        {.build = [this] { return makePage(m_chartsPage, m_drawTable, m_positionCounts); },
         .caption = QStringLiteral("データの傾向と分析"),
         .guide = QStringLiteral("過去の抽選結果より、データを分析・集計し、グラフに表示します。")},
        {.build = [this] { return makePage(m_lookupPage); },
         .caption = QStringLiteral("申込数字照会・取消し"),
         .guide = QStringLiteral("申込数字の一覧照会や取消作業が行えます。"),
         .afterGuide = [this] { m_lookupPage->editLoto6NumChange(); }},
        {.build = [this] { return makePage(m_historyPage); },
         .caption = QStringLiteral("抽選数字照会"),
         .guide = QStringLiteral("過去の抽選数字（ボーナス数字を含む）を一覧で表示します。")},
        {.build = [this] { return makePage(m_prizePage); },
         .caption = QStringLiteral("当選金額照会"),
         .guide = QStringLiteral(
             "１等～６等の当選金額及び当選口数、キャリーオーバーを一覧で表示します。")},
    };
    // The main tab shows at once; the others are built when first shown.
    m_tabs->addTab(m_tabTable.first().build(), m_tabTable.first().caption);
    for (qsizetype i = 1; i < m_tabTable.size(); ++i)
        m_tabs->addTab(m_tabTable.at(i).caption, m_tabTable.at(i).build);
    connect(m_tabs, &TPageControl::currentChanged, this, &TMainForm::pctrlMainChange);
}

void TMainForm::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("Loto6Menu"));
    const auto addItem = [this](QMenu* menu, const QString& name, const QString& caption,
                                void (TMainForm::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("menuFile"));
    m_csvSaveAction = addItem(file, QStringLiteral("menuFileCsvSave"),
                              QStringLiteral("CSV形式で名前を付けて保存（ファイル持ち出し）(&A)"),
                              &TMainForm::menuFileCsvSaveClick);
    file->addSeparator();
    addItem(file, QStringLiteral("menuFileExit"), QStringLiteral("終了(&X)"),
            &TMainForm::menuFileExitClick);

    QMenu* command = bar->addMenu(QStringLiteral("コマンド(&C)"));
    command->setObjectName(QStringLiteral("menuCommand"));
    addItem(command, QStringLiteral("menuCommandDownload"),
            QStringLiteral("最新の抽選結果をダウンロード(&D)"),
            &TMainForm::menuCommandDownloadClick);
    addItem(command, QStringLiteral("menuCommandImport"),
            QStringLiteral("当せん結果の取り込み(&I)…"), &TMainForm::menuCommandImportClick);
    addItem(command, QStringLiteral("menuCommandTicket"), QStringLiteral("購入チケットの登録(&T)…"),
            &TMainForm::menuCommandTicketClick);
    addItem(command, QStringLiteral("menuCommandBacktest"), QStringLiteral("過去検証(&B)…"),
            &TMainForm::menuCommandBacktestClick);
    addItem(command, QStringLiteral("menuCommandStats"), QStringLiteral("統計(&S)…"),
            &TMainForm::menuCommandStatsClick);
    addItem(command, QStringLiteral("menuCommandWheel"), QStringLiteral("ホイール作成(&W)…"),
            &TMainForm::menuCommandWheelClick);
    addItem(command, QStringLiteral("menuCommandLedger"), QStringLiteral("当選・収支の集計(&L)"),
            &TMainForm::menuCommandLedgerClick);

    QMenu* help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->setObjectName(QStringLiteral("menuHelp"));
    addItem(help, QStringLiteral("menuHelpManual"), QStringLiteral("操作手順書(&M)"),
            &TMainForm::menuHelpManualClick);
    addItem(help, QStringLiteral("menuHelpHomePage"), QStringLiteral("著作権者ホームページ(&H)"),
            &TMainForm::menuHelpHomePageClick);
    help->addSeparator();
    addItem(help, QStringLiteral("menuHelpAbout"), QStringLiteral("バージョン情報(&A)"),
            &TMainForm::menuHelpAboutClick);
}

void TMainForm::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("pnlMessage"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(22);
    m_statusPanel = new StatusPanel(525, bar);
    m_statusPanel->setObjectName(QStringLiteral("pnlMessagePanel0"));
    bar->setFont(gothicFont(12));
    m_statusPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_clockPanel = new StatusPanel(124, bar); // wide enough for the seconds in the fonts here
    m_clockPanel->setObjectName(QStringLiteral("pnlMessagePanel1"));
    m_clockPanel->setAlignment(Qt::AlignCenter);
    m_clockPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(m_statusPanel);
    bar->addWidget(m_clockPanel);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    m_timer->start();
    Timer1Timer(); // the clock shows from the first paint, not a second later
}

void TMainForm::FormCreate() {
    QPoint position;
    SettingsStore().read(position, m_settings);
    // More excluded numbers than may be chosen (a hand-edited store): the
    // first ones are kept, and written back so at the next close.
    m_settings.DeleteNum = limitedExclusionText(m_settings.DeleteNum);
    placeFrameAt(position);
    // client/ beside the program, or the per-user folder seeded with the
    // starting data; a failure shows later, when files are read or saved.
    prepareDataDir();
}

void TMainForm::placeFrameAt(const QPoint& storedCorner) {
    layout()->activate(); // the final size, before the native window exists
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    const QPoint corner = placeWindowFrame(storedCorner, size().grownBy(kFrameAllowance), screens);
    // A window moved before it exists is placed by its client area on X11,
    // its title bar then above the stored corner. So the native window is
    // made now and told that the position includes the frame; its size must
    // not change from here on, or Qt goes back to placing the client area.
    move(corner);
    create();
    windowHandle()->setFramePosition(corner);
}

QPoint TMainForm::framePosition() const {
    const QWindow* window = windowHandle();
    return window ? window->framePosition() : pos();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TMainForm::InitControls() {
    m_mainPage->initControls();
    for (const std::function<void()>& init : m_builtPageInits)
        init();
}

template <typename Page, typename... Args> Page* TMainForm::makePage(Page*& slot, Args&&... args) {
    slot = new Page(std::forward<Args>(args)...);
    slot->initControls();
    m_builtPageInits.append([page = slot] { page->initControls(); });
    catchUp(*slot);
    return slot;
}

void TMainForm::catchUp(TOptionsPage& page) const {
    if (m_loaded.optionsApplied) {
        // The main tab already shows the stored line count and whether
        // generation is on; a count the user has typed there since stays.
        const QSignalBlocker quiet(&page);
        page.applyStoredOptions();
    }
}

void TMainForm::catchUp(TChartsPage& page) const {
    if (m_loaded.chartDrawn)
        page.showFirstChart();
}

template <typename Page> void TMainForm::catchUp(Page& page) const {
    if (!m_loaded.nextDrawText.isEmpty())
        page.presetDrawNumberText(m_loaded.nextDrawText);
}

void TMainForm::catchUp(THistoryPage& page) const {
    if (m_loaded.drawsShown)
        page.fill(m_drawTable);
}

void TMainForm::catchUp(TPrizePage& page) const {
    if (m_loaded.prizesShown)
        page.fill(m_prizeTable);
}

void TMainForm::setStatusText(const QString& text) {
    m_statusPanel->setText(text);
}

QString TMainForm::statusText() const {
    return m_statusPanel->text();
}

QString TMainForm::clockText() const {
    return m_clockPanel->text();
}

void TMainForm::Timer1Timer() {
    m_clockPanel->setText(formatClock(QDateTime::currentDateTime()));
}

void TMainForm::pctrlMainChange(int index) {
    if (index < 0 || index >= m_tabTable.size())
        return;
    const Tab& tab = m_tabTable.at(index);
    m_csvSaveAction->setEnabled(tab.offersExport);
    if (tab.beforeGuide)
        tab.beforeGuide();
    setStatusText(tab.guide);
    if (tab.afterGuide)
        tab.afterGuide();
}

bool TMainForm::isLoading() const {
    return BusyState::isBusy();
}

void TMainForm::FormCloseQuery() {
    SettingsStore().write(framePosition(), m_settings);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (BusyState::isBusy() && !m_closePending) {
        // A long command is running: it ends at its next step, then the
        // window closes as on any close.
        event->ignore();
        if (!m_closeAfterStop) {
            m_closeAfterStop = true;
            BusyState::requestStop([this] { close(); });
        }
        return;
    }
    FormCloseQuery();
    event->accept();
}
