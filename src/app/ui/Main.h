#pragma once

#include "common/ComType.h"
#include "data/DrawTable.h"
#include "data/PrizeTable.h"
#include "data/ResultsImport.h"

#include <QList>
#include <QMainWindow>
#include <QPoint>

#include <functional>
#include <memory>

class BusyScope;
class QAction;
class QLabel;
class TAboutForm;
class TPageControl;
class QTimer;
class DataFileReader;
class GenerationInputs;
class TAutoGeneration;
class TChartsPage;
class THistoryPage;
class TLookupPage;
class TMainPage;
class TMatchingPage;
class TOptionsPage;
class TPrizePage;
class TSplashForm;

// The main window: seven tab pages, the menu, the status bar with its clock.
// It owns the loaded tables and runs what crosses pages: the start-up, the
// loader, tab changes and the close.
class TMainForm : public QMainWindow {
    Q_OBJECT
    // Tests change the settings record directly; the program only through
    // the options page and the settings store.
    friend struct MainFormAccess;

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    const DrawTable& drawTable() const { return m_drawTable; }
    const PrizeTable& prizeTable() const { return m_prizeTable; }
    const PositionCounts& positionCounts() const { return m_positionCounts; }
    const TSettings& settings() const { return m_settings; }
    const TVersion& version() const { return m_version; }
    TSplashForm* splash() const { return m_splash; }
    // The version box, made when first asked for.
    TAboutForm* aboutForm();
    // True while a long command (load, export, generation, matching,
    // download) runs.
    bool isLoading() const;

    // Panel 0 of the status bar: guidance and progress texts.
    void setStatusText(const QString& text);
    QString statusText() const;
    QString clockText() const;

    // Handlers, by the file that defines them.
    // Main.cpp: the window, its tabs and the close.
    void InitControls();
    void pctrlMainChange(int index);
    void Timer1Timer();
    void FormCloseQuery();
    // MainLoader.cpp: the start-up and the loader.
    void FormShow();
    void btnMmsUpdateClick();
    // MainCommands.cpp: the menu commands.
    void menuFileExitClick();
    void menuFileCsvSaveClick();
    void menuCommandDownloadClick();
    void menuCommandImportClick();
    void menuCommandTicketClick();
    void menuCommandLedgerClick();
    // After the start-up: the box listing the wins not cashed yet whose claim
    // deadline is near, at most once a day; its "集計を開く" opens the ledger.
    void remindUnclaimed();
    void menuCommandBacktestClick();
    void menuCommandStatsClick();
    void menuCommandWheelClick();
    void menuHelpManualClick();
    void menuHelpHomePageClick();
    void menuHelpAboutClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What the loader and the start-up have handed the pages so far. The
    // pages but the main tab are built when their tab is first shown
    // (makePage); a page built later catches up from this record, so that it
    // shows what it would show had it been there from the start.
    struct LoadedSoFar {
        QString nextDrawText;        // empty until the first load sets it
        bool drawsShown = false;     // the history list shows the draw table
        bool prizesShown = false;    // the prize list shows the prize table
        bool chartDrawn = false;     // a load drew the first chart
        bool optionsApplied = false; // the start-up applied the stored options
    };

    // Main.cpp
    void FormCreate();
    // Opens the window with its frame's corner at the stored corner, or
    // fully on a screen when that would leave the title bar out of reach.
    void placeFrameAt(const QPoint& storedCorner);
    // The frame's corner, as Left and Top are stored.
    QPoint framePosition() const;
    void buildMenu();
    void buildStatusBar();
    void buildTabs();
    // Makes a page into its slot, in the state InitControls gives, caught up
    // with m_loaded: the one way a page is built.
    template <typename Page, typename... Args> Page* makePage(Page*& slot, Args&&... args);
    // Each page's catch-up step; the template serves the pages that show the
    // next draw's number (matching, lookup).
    void catchUp(TOptionsPage& page) const;
    void catchUp(TChartsPage& page) const;
    void catchUp(THistoryPage& page) const;
    void catchUp(TPrizePage& page) const;
    template <typename Page> void catchUp(Page& page) const;

    // MainPrediction.cpp
    // What the start-up applies of the stored options: on the options tab
    // when it exists, else straight to the settings record and the main tab.
    void applyStoredOptions();
    // Connects the options tab and the generation to the main tab's board.
    void wirePrediction();
    // Connects a built options tab to the main tab's count and generation button.
    void wireOptionsPage();

    // MainCommands.cpp
    // Opens a form beside the window as one command: the busy scope without
    // the cursor (the form waits for input), the form made from `args` with
    // this window as its parent, placed at the form's preferred size and shown
    // modally; `closed` then reads what it needs from the closed form.
    template <typename Form, typename Closed, typename... Args>
    void openFormThen(Closed closed, Args&&... args);
    template <typename Form, typename... Args> void openForm(Args&&... args) {
        openFormThen<Form>([](const Form&) {}, std::forward<Args>(args)...);
    }
    // The reload a form runs after it wrote the data files, as a part of the
    // command that opened it; false when the window is closing.
    bool reloadForForm();
    const BusyScope* m_formScope = nullptr; // the command of the form on show

    // MainLoader.cpp
    // Empties and refills the tables and views from the two data files, as
    // a part of the caller's long command.
    void reloadTables(const BusyScope& busy);
    void setNextDrawNumber();
    // Reads the next draw's entry file for the matching or lookup page that
    // is not built yet, reporting a file that cannot be read.
    void readEntryFile();
    void reportMissingDataFile();
    bool loadDrawFile();
    bool loadPrizeFile();
    // Whether a data file holds lines; when it is missing or empty, the
    // error box and the close, and false.
    bool readDataFile(DataFileReader& reader);

    ImportRecord m_lastImport; // what the last import wrote, for its undo
    DrawTable m_drawTable;
    PrizeTable m_prizeTable;
    PositionCounts m_positionCounts;
    TSettings m_settings;
    TVersion m_version;
    bool m_shown = false;
    bool m_closePending = false;
    bool m_closeAfterStop = false;
    LoadedSoFar m_loaded;

    // One row per tab, in tab order: its caption, what the status panel says
    // when it shows, whether CSV export is offered, and what the page
    // refreshes before or after that text is set. The callbacks run on a
    // built page (TPageControl::setCurrentIndex builds first).
    struct Tab {
        std::function<QWidget*()> build; // made when first shown; the main tab at once
        QString caption;
        QString guide;
        bool offersExport = false;
        std::function<void()> beforeGuide = {};
        std::function<void()> afterGuide = {};
    };
    QList<Tab> m_tabTable;
    // InitControls of each page built so far but the main tab.
    QList<std::function<void()>> m_builtPageInits;

    TSplashForm* m_splash = nullptr;
    TAboutForm* m_about = nullptr;
    TPageControl* m_tabs = nullptr;
    TMainPage* m_mainPage = nullptr;
    TOptionsPage* m_optionsPage = nullptr;
    TMatchingPage* m_matchingPage = nullptr;
    TChartsPage* m_chartsPage = nullptr;
    TLookupPage* m_lookupPage = nullptr;
    THistoryPage* m_historyPage = nullptr;
    TPrizePage* m_prizePage = nullptr;
    TAutoGeneration* m_autoGeneration = nullptr;
    std::unique_ptr<GenerationInputs> m_generationInputs;
    QAction* m_csvSaveAction = nullptr;
    QLabel* m_statusPanel = nullptr;
    QLabel* m_clockPanel = nullptr;
    QTimer* m_timer = nullptr;
};
