// Start-up and loading of the two data files into the tables and views.
#include "app/ui/Main.h"

#include "analysis/ui/ChartsPage.h"
#include "analysis/ui/MatchingPage.h"
#include "common/DataFolder.h"
#include "common/ProgramFiles.h"
#include "common/Version.h"
#include "common/ui/BusyScope.h"
#include "common/ui/MessageBox.h"
#include "data/DataFilePair.h"
#include "data/DataFileReader.h"
#include "data/ui/HistoryView.h"
#include "data/ui/PrizeView.h"
#include "entries/EntryFile.h"
#include "entries/ui/LookupPage.h"
#include "entries/ui/MainPage.h"
#include "predict/ui/OptionsPage.h"

#include "common/ui/PageControl.h"
#include <QApplication>
#include <QMenuBar>
#include <QSignalBlocker>

#include <utility>

namespace {

void letMessagesThrough() {
    QCoreApplication::processEvents();
}

// Rebuilds a table from the file's lines and shows it. A bad line stops the
// filling, and the rows before it are still shown.
template <typename Table, typename Read, typename Show>
void fillTable(DataFileReader& reader, Table& table, Read read, Show show) {
    table.clear();
    try {
        read(reader, table);
    } catch (...) {
        show(table);
        throw;
    }
    show(table);
}

// A replacement of the data-file pair that a kill interrupted is settled
// before anything reads the files, and the player is told.
void settleDataPair(QWidget* parent) {
    const PairSettled settled = settlePendingPair(dataPath(kDownloadFolder));
    if (settled != PairSettled::Nothing)
        showGuideMessage(parent, pairSettledMessage(settled));
}

} // namespace

void TMainForm::FormShow() {
    runHandler(this, [this] {
        // The window is not on the screen yet: nothing can be clicked.
        const BusyScope busy(QStringLiteral("アプリケーションを起動中です。"),
                             BusyScope::WithCursor, BusyScope::NothingToLock);
        if (!busy.entered())
            return;
        m_version = buildVersion();
        setWindowTitle(QStringLiteral("Septarion  [for Version %1]").arg(m_version.Text));
        InitControls();
        runHandler(this, [this] { settleDataPair(this); });
        // A load error is reported while the start-up still runs, so that
        // the window behind its box is locked as during any load.
        bool loaded = false;
        busy.runStep(
            [this, &loaded] { loaded = runHandler(this, [this] { btnMmsUpdateClick(); }); });
        if (!loaded || m_closePending)
            return;
        applyStoredOptions();
        {
            // Selecting the main tab from here is not a user's tab change.
            const QSignalBlocker blocker(m_tabs);
            m_tabs->setCurrentWidget(m_mainPage);
        }
        const Tab& mainTab = m_tabTable.first();
        m_csvSaveAction->setEnabled(mainTab.offersExport);
        setStatusText(mainTab.guide);
        // Once the start-up has ended and the window is on the screen.
        QMetaObject::invokeMethod(this, &TMainForm::remindUnclaimed, Qt::QueuedConnection);
    });
}

void TMainForm::btnMmsUpdateClick() {
    const BusyScope busy; // the loader is never re-entered
    if (busy.entered())
        reloadTables(busy);
}

void TMainForm::reloadTables(const BusyScope& busy) {
    m_mainPage->clearPending();
    m_loaded.prizesShown = false;
    if (m_prizePage)
        m_prizePage->clear();
    letMessagesThrough();
    if (!loadDrawFile())
        return;
    letMessagesThrough();
    if (!loadPrizeFile())
        return;
    letMessagesThrough();
    m_positionCounts.rebuild(m_drawTable);
    letMessagesThrough();
    setNextDrawNumber();
    m_loaded.chartDrawn = true;
    if (m_chartsPage)
        busy.runStep([this] { m_chartsPage->drawFirstChart(); });
    letMessagesThrough();
}

bool TMainForm::loadDrawFile() {
    DataFileReader reader(drawFilePath());
    if (!readDataFile(reader))
        return false;
    // The list must not show the table while it is rebuilt.
    m_loaded.drawsShown = false;
    if (m_historyPage)
        m_historyPage->clear();
    fillTable(reader, m_drawTable, readDrawLines, [this](const DrawTable& table) {
        m_loaded.drawsShown = true;
        if (m_historyPage)
            m_historyPage->fill(table);
    });
    return true;
}

bool TMainForm::loadPrizeFile() {
    DataFileReader reader(prizeFilePath());
    if (!readDataFile(reader))
        return false;
    fillTable(reader, m_prizeTable, readPrizeLines, [this](const PrizeTable& table) {
        m_loaded.prizesShown = true;
        if (m_prizePage)
            m_prizePage->fill(table);
    });
    return true;
}

bool TMainForm::readDataFile(DataFileReader& reader) {
    if (reader.isEmpty()) {
        reportMissingDataFile();
        return false;
    }
    letMessagesThrough();
    return true;
}

void TMainForm::reportMissingDataFile() {
    showErrorMessage(this, QStringLiteral("必須データファイルが見つかりませんでした。"
                                          "システム管理者に連絡してください！！"));
    // Closing ends the program; queued so that it also works while the
    // window is still being shown.
    m_closePending = true;
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TMainForm::setNextDrawNumber() {
    m_mainPage->setNextDrawNumber(QString::number(m_drawTable.nextDrawNumber()));
    const QString before = std::exchange(m_loaded.nextDrawText, m_mainPage->drawNumberText());
    // A page not built yet reads the draw's entry file all the same, as the
    // page does when handed the number, so that a file that cannot be read
    // is reported now and in the same order: the matching page always reads
    // it, the lookup page when its number changes.
    if (m_matchingPage)
        m_matchingPage->setDrawNumberText(m_loaded.nextDrawText);
    else
        readEntryFile();
    if (m_lookupPage)
        m_lookupPage->setDrawNumberText(m_loaded.nextDrawText);
    else if (m_loaded.nextDrawText != before)
        readEntryFile();
}

void TMainForm::readEntryFile() {
    const QString path = entryFilePath(m_loaded.nextDrawText);
    if (!path.isEmpty())
        runHandler(this, [&path] { ReadLines(path); });
}
