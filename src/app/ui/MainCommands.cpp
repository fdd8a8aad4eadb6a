// The menu commands: the CSV export, exit, download, import, ledger and help.
#include "app/ui/Main.h"

#include "analysis/ui/BacktestForm.h"
#include "analysis/ui/StatsForm.h"
#include "analysis/ui/WheelForm.h"
#include "app/ui/About.h"
#include "common/Clock.h"
#include "common/ProgramFiles.h"
#include "common/ui/BusyScope.h"
#include "common/ui/DesktopOpen.h"
#include "common/ui/MessageBox.h"
#include "common/ui/PageControl.h"
#include "common/ui/StringGrid.h"
#include "common/ui/UiWidgets.h"
#include "data/Download.h"
#include "data/ui/ImportForm.h"
#include "entries/ui/CsvExport.h"
#include "entries/ui/MainPage.h"
#include "entries/ui/TicketForm.h"
#include "ledger/LedgerReminder.h"
#include "ledger/ui/LedgerForm.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QUrl>

#include <utility>

namespace {

// The root of the maker's web site.
const QString kMakerHomePage = QStringLiteral("https://www.ozumel.example/");
const QString kManualFile = QStringLiteral("操作手順書.pdf");

// "第690回～第693回", runs of consecutive draws joined by "、".
QString drawRunsText(const QVector<int>& numbers) {
    QStringList runs;
    for (qsizetype i = 0; i < numbers.size();) {
        qsizetype j = i;
        while (j + 1 < numbers.size() && numbers.at(j + 1) == numbers.at(j) + 1)
            ++j;
        runs.append(j == i
                        ? QStringLiteral("第%1回").arg(numbers.at(i))
                        : QStringLiteral("第%1回～第%2回").arg(numbers.at(i)).arg(numbers.at(j)));
        i = j + 1;
    }
    return runs.join(QStringLiteral("、"));
}

QString droppedDrawsQuestion(const DroppedDraws& dropped) {
    QStringList parts;
    if (!dropped.drawResults.isEmpty())
        parts.append(drawRunsText(dropped.drawResults));
    if (!dropped.prizeData.isEmpty())
        parts.append(drawRunsText(dropped.prizeData) + QStringLiteral("の賞金データ"));
    return QStringLiteral(
               "取り込み済みの%1が、ダウンロードしたデータにありません。置き換えますか？")
        .arg(parts.join(u'と'));
}

} // namespace

void TMainForm::menuFileExitClick() {
    close();
}

void TMainForm::menuFileCsvSaveClick() {
    const StringGrid* pending = m_mainPage->grid();
    exportPendingLines(this, m_mainPage->drawNumberText(),
                       pending->hasData() ? pending->dataRows() : QVector<QStringList>{});
}

void TMainForm::menuCommandDownloadClick() {
    runHandler(this, [this] {
        // Said at once: no please-wait text for a download that cannot start.
        if (!dataServerConfigured()) {
            if (!BusyState::isBusy())
                showGuideMessage(this, QStringLiteral("データの取得先が設定されていません。"
                                                      "「当せん結果の取り込み」から最新の結果を"
                                                      "取り込めます。"));
            return;
        }
        // Tabs and menu stay disabled until the reload is done; a second
        // download cannot start meanwhile.
        const BusyScope busy(QStringLiteral("最新データのダウンロード中です。"));
        if (!busy.entered())
            return;
        const DownloadResult result =
            DownloadDataFiles([] { return BusyState::stopRequested(); },
                              [this](const DroppedDraws& dropped) {
                                  return askConfirmation(this, droppedDrawsQuestion(dropped));
                              });
        if (BusyState::stopRequested())
            return; // the window is closing: no boxes, no reload
        if (result.drawResults == FetchStatus::Declined)
            return; // the held files stay, as the player chose
        if (!result.succeeded()) {
            showErrorMessage(this, QStringLiteral("ダウンロードに失敗しました。"
                                                  "ネットワークの接続状態を確認してください！！"));
            return;
        }
        reloadTables(busy);
        if (m_closePending || BusyState::stopRequested())
            return; // the window closes (the reload may have reported a missing file)
        showGuideMessage(this, QStringLiteral("正常にダウンロードが完了しました。"));
    });
}

template <typename Form, typename Closed, typename... Args>
void TMainForm::openFormThen(Closed closed, Args&&... args) {
    runHandler(this, [&] {
        // The form is modal and reads the tables: no other command meanwhile.
        const BusyScope busy(QString(), BusyScope::WithoutCursor);
        if (!busy.entered())
            return;
        m_formScope = &busy;
        const auto forget = qScopeGuard([this] { m_formScope = nullptr; });
        Form form(std::forward<Args>(args)..., this);
        // A form that reads files before it can show anything (the ledger
        // reads every saved line) does it in reload(), under the busy cursor.
        if constexpr (requires { form.reload(); }) {
            const BusyCursor cursor;
            form.reload();
        }
        placeFormOver(&form, this, Form::kPreferredSize);
        form.exec();
        closed(std::as_const(form));
    });
}

bool TMainForm::reloadForForm() {
    if (m_formScope)
        reloadTables(*m_formScope);
    return !m_closePending && !BusyState::stopRequested();
}

void TMainForm::menuCommandImportClick() {
    openForm<TImportForm>(m_drawTable, m_lastImport, [this] { return reloadForForm(); });
}

void TMainForm::menuCommandTicketClick() {
    bool registered = false;
    openFormThen<TTicketForm>([&](const TTicketForm& form) { registered = form.registered(); },
                              m_drawTable.nextDrawNumber());
    // The tab on show reads the entry files again, as when it is shown.
    if (registered && !m_closePending && !BusyState::stopRequested())
        pctrlMainChange(m_tabs->currentIndex());
}

void TMainForm::menuCommandLedgerClick() {
    openForm<TLedgerForm>(m_drawTable, m_prizeTable);
}

void TMainForm::remindUnclaimed() {
    // Not over a long command or a box the user has opened meanwhile.
    if (m_closePending || BusyState::isBusy() || QApplication::activeModalWidget())
        return;
    const QDate today = Clock::currentUtc().toLocalTime().date();
    if (!LedgerReminder::mayShow(today))
        return;
    QVector<LedgerRow> due;
    // A file that cannot be read is reported when the ledger is opened.
    try {
        due = LedgerReminder::dueRows(m_drawTable, m_prizeTable, today);
    } catch (const TAppError&) {
        return;
    }
    if (due.isEmpty())
        return;
    LedgerReminder::markShown(today);
    QMessageBox box(QMessageBox::Information, QStringLiteral("お知らせ"),
                    ledgerRemindText(due, today), QMessageBox::Open | QMessageBox::Close, this);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Open)->setText(QStringLiteral("集計を開く"));
    box.button(QMessageBox::Close)->setText(QStringLiteral("閉じる"));
    box.setDefaultButton(QMessageBox::Open);
    if (box.exec() == QMessageBox::Open && !m_closePending)
        menuCommandLedgerClick();
}

void TMainForm::menuCommandBacktestClick() {
    openForm<TBacktestForm>(m_drawTable, m_prizeTable, m_settings);
}

void TMainForm::menuCommandStatsClick() {
    // Too few draws say nothing: the reason instead of an empty box.
    if (const QString refusal = statsUnavailableText(m_drawTable); !refusal.isEmpty())
        showGuideMessage(this, refusal);
    else
        openForm<TStatsForm>(m_drawTable);
}

void TMainForm::menuCommandWheelClick() {
    openForm<TWheelForm>(
        [this](const QVector<WheelLine>& lines) { m_mainPage->appendPendingLines(lines); });
}

void TMainForm::menuHelpManualClick() {
    // The program's folder, not the working folder it was started from.
    const QString path = programPath(kManualFile);
    // A failure says where the manual is, so that it can be opened another way.
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path))
        showErrorMessage(this, QStringLiteral("操作手順書が見つかりません。\n%1").arg(shown));
    else if (!openWithDesktop(QUrl::fromLocalFile(path)))
        showErrorMessage(this, QStringLiteral("操作手順書を開けませんでした。PDFを表示できる"
                                              "ソフトで次のファイルを開いてください。\n%1")
                                   .arg(shown));
}

void TMainForm::menuHelpHomePageClick() {
    if (!openWithDesktop(QUrl(kMakerHomePage)))
        showErrorMessage(this, QStringLiteral("ホームページを開けませんでした。ブラウザで次の"
                                              "アドレスを開いてください。\n%1")
                                   .arg(kMakerHomePage));
}

TAboutForm* TMainForm::aboutForm() {
    if (!m_about)
        m_about = new TAboutForm(m_version, this);
    return m_about;
}

void TMainForm::menuHelpAboutClick() {
    aboutForm()->exec();
}
