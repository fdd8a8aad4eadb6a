// The main window as a whole: start-up, caption, tabs and their guidance,
// the clock, the loader's failures and lock-out, and what closing stores.
#include "GuiTestSupport.h"

#include "app/ui/Main.h"
#include "app/ui/Splash.h"
#include "common/BuildInfo.h"
#include "common/ui/PageControl.h"
#include "common/ui/StringGrid.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTableView>
#include <QToolButton>

Q_DECLARE_METATYPE(TSettings)

namespace {

const QString kMainGuide =
    QStringLiteral("１～３７までの数字の中から、異なる７個の数字を選択してください。");
const QString kMissingFile = QStringLiteral(
    "必須データファイルが見つかりませんでした。システム管理者に連絡してください！！");
const QString kErrorCaption = QStringLiteral("エラーメッセージ");

// Draw lines, newest first and a week apart, for the given draw numbers.
QByteArray drawLines(const QList<int>& drawNumbers) {
    QByteArray bytes;
    QDate date(2016, 1, 1);
    for (int n : drawNumbers) {
        const int base = n % 30;
        bytes += drawLine(n, date.toString(QStringLiteral("yyyy/MM/dd")),
                          {base + 1, base + 2, base + 3, base + 4, base + 5, base + 6, base + 7},
                          {(base + 7) % 37 + 1, (base + 8) % 37 + 1});
        date = date.addDays(-7);
    }
    return bytes;
}

QByteArray prizeLines(const QList<int>& drawNumbers) {
    QByteArray bytes;
    for (int n : drawNumbers)
        bytes += prizeLine(n);
    return bytes;
}

TPageControl* tabsOf(TMainForm& form) {
    return control<TPageControl>(&form, QStringLiteral("pctrlMain"));
}

QAction* actionOf(TMainForm& form, const QString& name) {
    return control<QAction>(&form, name);
}

QTableView* historyOf(TMainForm& form) {
    return control<QTableView>(&form, QStringLiteral("viewHistory"));
}

StripedGrid* moneyOf(TMainForm& form) {
    return control<StripedGrid>(&form, QStringLiteral("gridMoney"));
}

// All texts of the prize grid, row by row.
QVector<QStringList> moneyRows(TMainForm& form) {
    QVector<QStringList> rows;
    for (int r = 0; r < moneyOf(form)->dataRowCount(); ++r)
        rows.append(moneyOf(form)->rowCells(r));
    return rows;
}

QString editText(TMainForm& form, const QString& name) {
    while (!form.findChild<QWidget*>(name) && buildNextTabPage(&form)) {
    }
    if (auto* line = form.findChild<QLineEdit*>(name))
        return line->text();
    if (auto* spin = form.findChild<QAbstractSpinBox*>(name))
        return spin->text();
    return QStringLiteral("(no control %1)").arg(name);
}

// All texts of the history list, row by row.
QStringList historyTexts(TMainForm& form) {
    const QAbstractItemModel* model = historyOf(form)->model();
    QStringList rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells.append(model->index(r, c).data().toString());
        rows.append(cells.join(u'|'));
    }
    return rows;
}

// Lets queued work (a pending close, a second box) run.
void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
}

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT

private slots:
    void init();

    void startUpShowsCaptionMainTabAndGuide();
    void nextDrawNumberGoesToAllThreeEdits_data();
    void nextDrawNumberGoesToAllThreeEdits();
    void tabChangeSetsGuideAndExportItem();
    void clockShowsLocalTimeAndTicks();
    void missingOrEmptyDataFileEndsProgram_data();
    void missingOrEmptyDataFileEndsProgram();
    void badDrawLineStopsLoadKeepingEarlierDraws_data();
    void badDrawLineStopsLoadKeepingEarlierDraws();
    void badPrizeFieldStopsLoadKeepingEarlierRows();
    void reloadGivesSameTablesAndEmptiesPendingLines();
    void loaderLocksOutTabsMenuAndItself();
    void closingStoresPositionAndOptions_data();
    void closingStoresPositionAndOptions();
    void creationAppliesStoredPositionAndOptions_data();
    void creationAppliesStoredPositionAndOptions();
    void positionFarOffOpensOnTheScreen();
    void everyObjectNameIsUnique();
};

void TestMainForm::init() {
    clearProgramSettings();
}

void TestMainForm::startUpShowsCaptionMainTabAndGuide() {
    TempProgramDir dir;
    dir.writeSampleData(30);
    ModalAnswerer answerer;
    TMainForm form;
    TPageControl* tabs = tabsOf(form);
    QVERIFY(tabs);
    // Another tab active before the first show: the start-up still ends on the main tab.
    tabs->setCurrentIndex(5);
    QCOMPARE(tabs->currentIndex(), 5);
    form.show();

    // The version is the build's project version, four dotted numbers (1.0.0.1 now).
    const QString version = buildVersionText();
    QCOMPARE(form.windowTitle(), QStringLiteral("Septarion  [for Version %1]").arg(version));
    QCOMPARE(form.version().Text, version);
    const QStringList parts = version.split(u'.');
    QCOMPARE(parts.size(), 4);
    QCOMPARE(QList<int>({form.version().Major, form.version().Minor, form.version().Release,
                         form.version().Build}),
             QList<int>({parts[0].toInt(), parts[1].toInt(), parts[2].toInt(), parts[3].toInt()}));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("TabSheet1"));
    QCOMPARE(statusPanelText(&form), kMainGuide);
    QVERIFY(answerer.boxes().isEmpty());
    QVERIFY(!form.isLoading());
    QVERIFY(tabs->isEnabled());
    QVERIFY(form.menuBar()->isEnabled());
    // The please-wait box was up during the start-up and is gone now.
    QCOMPARE(form.splash()->message(), QStringLiteral("アプリケーションを起動中です。"));
    QVERIFY(!form.splash()->isVisible());
    QVERIFY(form.isVisible());
    QCOMPARE(form.drawTable().count(), 30);
    QCOMPARE(form.prizeTable().count(), 30);
    QCOMPARE(historyOf(form)->model()->rowCount(), 30);
    QCOMPARE(moneyOf(form)->dataRowCount(), 30);
    QVERIFY(actionOf(form, QStringLiteral("menuFileCsvSave"))->isEnabled());

    // A fixed frame: the area below the menu is 657 x 548, no maximise box.
    QCOMPARE(form.centralWidget()->width(), 657);
    QCOMPARE(form.height() - form.menuBar()->height(), 548);
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
}

void TestMainForm::nextDrawNumberGoesToAllThreeEdits_data() {
    QTest::addColumn<QList<int>>("draws");
    QTest::addColumn<QString>("expected");
    QTest::newRow("newest 123") << QList<int>{123, 122, 121} << QStringLiteral("124");
    QTest::newRow("one draw") << QList<int>{7} << QStringLiteral("8");
    // Only the first line counts, whatever follows it.
    QTest::newRow("file order rules") << QList<int>{40, 500, 41} << QStringLiteral("41");
}

void TestMainForm::nextDrawNumberGoesToAllThreeEdits() {
    QFETCH(QList<int>, draws);
    QFETCH(QString, expected);
    TempProgramDir dir;
    dir.writeDataFiles(drawLines(draws), prizeLines(draws));
    ModalAnswerer answerer;
    TMainForm form;
    form.show();
    QVERIFY2(answerer.boxes().isEmpty(), qPrintable(answerer.texts().join(u'\n')));
    QCOMPARE(editText(form, QStringLiteral("editNewNum")), expected);
    QCOMPARE(editText(form, QStringLiteral("editSelectNum")), expected);
    QCOMPARE(editText(form, QStringLiteral("editLoto6Num")), expected);
}

void TestMainForm::tabChangeSetsGuideAndExportItem() {
    TempProgramDir dir;
    dir.writeSampleData(12);
    ModalAnswerer answerer;
    TMainForm form;
    form.show();
    TPageControl* tabs = tabsOf(form);
    QAction* csvSave = actionOf(form, QStringLiteral("menuFileCsvSave"));
    QVERIFY(tabs && csvSave);
    QVERIFY(csvSave->isEnabled()); // enabled from creation

    struct Tab {
        QString page;
        QString caption;
        QString guide;
    };
    const QList<Tab> expected = {
        {"TabSheet1", "ロト７予想メイン", kMainGuide},
        {"TabSheet2", "予想オプション設定",
         "除外数字の設定、抽選数字の範囲指定や、分析方法の変更など、各種オプションが設定できます"
         "。"},
        {"TabSheet5", "オンラインデータ照合",
         "オンラインで申込数字とデータ照合を行い、抽選結果を表示します。"},
        {"TabSheet3", "データの傾向と分析",
         "過去の抽選結果より、データを分析・集計し、グラフに表示します。"},
        {"TabSheet4", "申込数字照会・取消し", "申込数字の一覧照会や取消作業が行えます。"},
        {"TabSheet6", "抽選数字照会", "過去の抽選数字（ボーナス数字を含む）を一覧で表示します。"},
        {"TabSheet7", "当選金額照会",
         "１等～６等の当選金額及び当選口数、キャリーオーバーを一覧で表示します。"},
    };
    QCOMPARE(tabs->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(tabs->tabText(i), expected[i].caption);
        QCOMPARE(tabs->buildPage(i)->objectName(), expected[i].page);
    }

    // The status text at the moment the matching and the lookup grids refresh.
    QMap<QString, QString> guideAtRefresh;
    for (const QString& grid : {QStringLiteral("gridHitSel"), QStringLiteral("gridLoto6")})
        connect(control<StringGrid>(&form, grid)->model(), &QAbstractItemModel::modelReset, &form,
                [&, grid] { guideAtRefresh[grid] = statusPanelText(&form); });

    // Every tab in turn, then back to the main tab, by clicks on the tab strip.
    for (int i : {1, 2, 3, 4, 5, 6, 0, 6, 0}) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
        QCOMPARE(tabs->currentIndex(), i);
        QCOMPARE(statusPanelText(&form), expected[i].guide);
        QCOMPARE(csvSave->isEnabled(), i == 0);
    }
    QVERIFY(answerer.boxes().isEmpty());
    // Matching refreshes before its text is set (the options text still
    // shows), the lookup after its own.
    QCOMPARE(guideAtRefresh.value("gridHitSel"), expected[1].guide);
    QCOMPARE(guideAtRefresh.value("gridLoto6"), expected[4].guide);
}

void TestMainForm::clockShowsLocalTimeAndTicks() {
    TempProgramDir dir;
    dir.writeSampleData(5);
    TMainForm form;
    form.show();

    const qint64 before = QDateTime::currentDateTime().toSecsSinceEpoch();
    form.Timer1Timer();
    const qint64 after = QDateTime::currentDateTime().toSecsSinceEpoch();
    const QString shown = clockPanelText(&form);
    QCOMPARE(form.clockText(), shown);
    static const QRegularExpression format(
        QStringLiteral("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2}$"));
    QVERIFY2(format.match(shown).hasMatch(), qPrintable(shown));
    const QDateTime parsed = QDateTime::fromString(shown, QStringLiteral("yyyy/MM/dd HH:mm:ss"));
    QVERIFY(parsed.isValid());
    QVERIFY2(parsed.toSecsSinceEpoch() >= before && parsed.toSecsSinceEpoch() <= after,
             qPrintable(shown));

    // The timer keeps it going: a new second shows without any call.
    QTRY_VERIFY_WITH_TIMEOUT(clockPanelText(&form) != shown, 3000);
    QVERIFY(format.match(clockPanelText(&form)).hasMatch());
}

void TestMainForm::missingOrEmptyDataFileEndsProgram_data() {
    QTest::addColumn<bool>("writeDraws");
    QTest::addColumn<QByteArray>("draws");
    QTest::addColumn<bool>("writePrizes");
    QTest::addColumn<QByteArray>("prizes");
    QTest::addColumn<int>("historyRows");
    const QByteArray draws = drawLines({12, 11, 10});
    const QByteArray prizes = prizeLines({12, 11, 10});
    QTest::newRow("no draw file") << false << QByteArray() << true << prizes << 0;
    QTest::newRow("empty draw file") << true << QByteArray() << true << prizes << 0;
    QTest::newRow("draw file opens with an empty line")
        << true << QByteArray("\r\n") + draws << true << prizes << 0;
    QTest::newRow("no prize file") << true << draws << false << QByteArray() << 3;
    QTest::newRow("empty prize file") << true << draws << true << QByteArray() << 3;
    QTest::newRow("neither file") << false << QByteArray() << false << QByteArray() << 0;
}

void TestMainForm::missingOrEmptyDataFileEndsProgram() {
    QFETCH(bool, writeDraws);
    QFETCH(QByteArray, draws);
    QFETCH(bool, writePrizes);
    QFETCH(QByteArray, prizes);
    QFETCH(int, historyRows);
    TempProgramDir dir;
    if (writeDraws)
        dir.writeFile(QStringLiteral("download/Loto7Number.csv"), draws);
    if (writePrizes)
        dir.writeFile(QStringLiteral("download/Loto7Data.csv"), prizes);
    ModalAnswerer answerer;
    TMainForm form;
    form.show();

    QTRY_VERIFY(!form.isVisible());
    settle();
    QCOMPARE(answerer.boxes().size(), 1);
    const ModalAnswerer::Box box = answerer.boxes().first();
    QCOMPARE(box.caption, kErrorCaption);
    QCOMPARE(box.text, kMissingFile);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(historyOf(form)->model()->rowCount(), historyRows);
    QVERIFY(!form.isLoading());
    QVERIFY(!form.splash()->isVisible());
}

void TestMainForm::badDrawLineStopsLoadKeepingEarlierDraws_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("draws");

    const QByteArray head = "103,2016/01/01,01,02,03,04,05,06,07,08,09\r\n"
                            "102,2015/12/25,10,11,12,13,14,15,16,17,18\r\n";
    const QByteArray tail = "100,2015/12/11,19,20,21,22,23,24,25,26,27\r\n";
    const auto row = [&](const char* name, const QByteArray& bad, const QString& message) {
        QTest::newRow(name) << head + bad + "\r\n" + tail << message << 2;
    };
    row("draw number 12x", "12x,2015/12/18,01,02,03,04,05,06,07,08,09",
        QStringLiteral("'12x' は整数ではありません"));
    row("twelve fields", "101,2015/12/18,01,02,03,04,05,06,07,08,09,10",
        QStringLiteral("'09,10' は整数ではありません"));
    row("ten fields", "101,2015/12/18,01,02,03,04,05,06,07,08",
        QStringLiteral("'' は整数ではありません"));
    row("no such day", "101,2015/02/30,01,02,03,04,05,06,07,08,09",
        QStringLiteral("'2015/02/30' は日付ではありません"));
    row("date without slashes", "101,20151218,01,02,03,04,05,06,07,08,09",
        QStringLiteral("'20151218' は日付ではありません"));
    row("main number 40", "101,2015/12/18,01,02,40,04,05,06,07,08,09",
        QStringLiteral("'40' は１～３７の数字ではありません"));
    row("bonus number 0", "101,2015/12/18,01,02,03,04,05,06,07,08,00",
        QStringLiteral("'00' は１～３７の数字ではありません"));
    row("draw number 2147483647", "2147483647,2015/12/18,01,02,03,04,05,06,07,08,09",
        QStringLiteral("'2147483647' は１～９９９９９の開催回ではありません"));
    // A huge field is quoted by its start only, so the error box stays quick to lay out.
    row("huge field", QByteArray(300'000, '7'),
        QStringLiteral("'%1…' は整数ではありません").arg(QString(40, u'7')));

    // LF-only line ends make the whole file one line; its eleventh field is
    // all that follows the tenth comma.
    QByteArray lfOnly = head + tail;
    lfOnly.replace("\r\n", "\n");
    const QString eleventh = QString::fromLatin1(lfOnly).section(u',', 10);
    QTest::newRow("LF line ends")
        << lfOnly << QStringLiteral("'%1…' は整数ではありません").arg(eleventh.left(40)) << 0;
}

void TestMainForm::badDrawLineStopsLoadKeepingEarlierDraws() {
    QFETCH(QByteArray, file);
    QFETCH(QString, message);
    QFETCH(int, draws);
    TempProgramDir dir;
    dir.writeDataFiles(file, prizeLines({103, 102, 101, 100}));
    ModalAnswerer answerer;
    TMainForm form;
    // While the box is up the load still runs: tabs, main tab and menu locked.
    bool lockedBehindBox = false;
    answerer.onEachBox([&](QMessageBox*) {
        lockedBehindBox = !tabsOf(form)->isEnabled() && !form.menuBar()->isEnabled() &&
                          !control<QWidget>(&form, QStringLiteral("TabSheet1"))->isEnabled();
    });
    form.show();
    settle();
    QVERIFY(lockedBehindBox);

    QCOMPARE(answerer.boxes().size(), 1);
    const ModalAnswerer::Box box = answerer.boxes().first();
    QCOMPARE(box.caption, kErrorCaption);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.text, message);
    QVERIFY(form.isVisible()); // the program keeps running

    QCOMPARE(form.drawTable().count(), draws);
    const QStringList rows = historyTexts(form);
    QCOMPARE(rows.size(), draws);
    if (draws == 2) {
        QVERIFY(rows[0].startsWith(QStringLiteral("  103|2016/01/01|01|")));
        QVERIFY(rows[1].startsWith(QStringLiteral("  102|2015/12/25|10|")));
    }
    // Nothing after the bad line ran: no prize rows, no next draw number.
    QCOMPARE(form.prizeTable().count(), 0);
    QVERIFY(!moneyOf(form)->hasData());
    QCOMPARE(editText(form, QStringLiteral("editNewNum")), QString());
    QVERIFY(statusPanelText(&form) != kMainGuide);
    // The loader's guard let go of the window.
    QVERIFY(!form.isLoading());
    QVERIFY(tabsOf(form)->isEnabled());
    QVERIFY(form.menuBar()->isEnabled());
    QVERIFY(control<QWidget>(&form, QStringLiteral("TabSheet1"))->isEnabled());
    QVERIFY(!form.splash()->isVisible());
}

void TestMainForm::badPrizeFieldStopsLoadKeepingEarlierRows() {
    TempProgramDir dir;
    QByteArray prizes = prizeLines({103, 102});
    prizes += "101,0,0,5,x,120,600000,4000,8000,80000,1500,150000,1000,800000000\r\n";
    prizes += prizeLine(100);
    dir.writeDataFiles(drawLines({103, 102, 101, 100}), prizes);
    ModalAnswerer answerer;
    TMainForm form;
    form.show();
    settle();

    QCOMPARE(answerer.texts(), QStringList{QStringLiteral("'x' は浮動小数点数ではありません")});
    QCOMPARE(answerer.boxes().first().caption, kErrorCaption);
    QCOMPARE(answerer.boxes().first().icon, QMessageBox::Critical);
    QVERIFY(form.isVisible());
    QCOMPARE(form.drawTable().count(), 4);
    QCOMPARE(historyOf(form)->model()->rowCount(), 4);
    StripedGrid* money = moneyOf(form);
    QCOMPARE(form.prizeTable().count(), 2);
    QCOMPARE(money->dataRowCount(), 2);
    QCOMPARE(money->cell(0, 0), QStringLiteral("103"));
    QCOMPARE(money->cell(1, 0), QStringLiteral("102"));
    QCOMPARE(editText(form, QStringLiteral("editNewNum")), QString());
    QVERIFY(!form.isLoading());
    QVERIFY(tabsOf(form)->isEnabled());
}

void TestMainForm::reloadGivesSameTablesAndEmptiesPendingLines() {
    TempProgramDir dir;
    dir.writeSampleData(40);
    ModalAnswerer answerer;
    TMainForm form;
    form.show();
    watchModel(historyOf(form)->model());
    watchModel(moneyOf(form)->model());
    watchModel(control<StringGrid>(&form, QStringLiteral("gridSelectItem"))->model());

    const QStringList history = historyTexts(form);
    const QVector<QStringList> money = moneyRows(form);
    const QString next = editText(form, QStringLiteral("editNewNum"));
    QList<int> counts;
    for (int p = 1; p <= kPositions; ++p)
        for (int n = 1; n <= kMaxNumber; ++n)
            counts.append(form.positionCounts().at(p, n));
    QCOMPARE(history.size(), 40);
    QCOMPARE(money.size(), 40);

    // One pending line made on the board.
    for (int n : {3, 8, 14, 20, 26, 31, 37})
        QTest::mouseClick(control<QToolButton>(&form, QStringLiteral("SpeedButton%1").arg(n)),
                          Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>(&form, QStringLiteral("btnSelect")), Qt::LeftButton);
    auto* pending = control<StringGrid>(&form, QStringLiteral("gridSelectItem"));
    QVERIFY(pending->hasData());
    QCOMPARE(control<QLabel>(&form, QStringLiteral("pnlSelectMax"))->text(), QStringLiteral("1口"));

    form.btnMmsUpdateClick();

    QVERIFY2(answerer.boxes().isEmpty(), qPrintable(answerer.texts().join(u'\n')));
    QCOMPARE(historyTexts(form), history);
    QCOMPARE(moneyRows(form), money);
    QCOMPARE(editText(form, QStringLiteral("editNewNum")), next);
    QList<int> countsAfter;
    for (int p = 1; p <= kPositions; ++p)
        for (int n = 1; n <= kMaxNumber; ++n)
            countsAfter.append(form.positionCounts().at(p, n));
    QCOMPARE(countsAfter, counts);
    QCOMPARE(form.drawTable().count(), 40);
    QCOMPARE(form.prizeTable().count(), 40);
    QVERIFY(!pending->hasData());
    QCOMPARE(pending->dataRowCount(), 1);
    QCOMPARE(control<QLabel>(&form, QStringLiteral("pnlSelectMax"))->text(), QStringLiteral("0口"));
    QCOMPARE(control<QLabel>(&form, QStringLiteral("pnlSelectMoney"))->text(),
             QStringLiteral("\u00a50"));
}

void TestMainForm::loaderLocksOutTabsMenuAndItself() {
    TempProgramDir dir;
    dir.writeSampleData(25);
    ModalAnswerer answerer;
    TMainForm form;
    form.show();
    TPageControl* tabs = tabsOf(form);
    auto* mainPage = control<QWidget>(&form, QStringLiteral("TabSheet1"));
    StripedGrid* money = moneyOf(form);
    QVERIFY(!form.isLoading());
    QVERIFY(money->hasData());

    struct Seen {
        bool ran = false;
        bool loading = false;
        bool menu = true;
        bool tabs = true;
        bool mainPage = true;
        bool loadingAfterNested = false;
        bool menuAfterNested = true;
        bool prizesAfterNested = true;
    } seen;
    // Runs at the loader's first let-through of pending messages.
    QTimer::singleShot(0, &form, [&] {
        seen.ran = true;
        seen.loading = form.isLoading();
        seen.menu = form.menuBar()->isEnabled();
        seen.tabs = tabs->isEnabled();
        seen.mainPage = mainPage->isEnabled();
        form.btnMmsUpdateClick(); // a second load must not start now
        seen.loadingAfterNested = form.isLoading();
        seen.menuAfterNested = form.menuBar()->isEnabled();
        seen.prizesAfterNested = money->hasData();
    });
    form.btnMmsUpdateClick();

    QVERIFY(seen.ran);
    QVERIFY(seen.loading);
    QVERIFY(!seen.menu);
    QVERIFY(!seen.tabs);
    QVERIFY(!seen.mainPage);
    // A nested load would have filled the prize grid again and let go of the guard.
    QVERIFY(seen.loadingAfterNested);
    QVERIFY(!seen.menuAfterNested);
    QVERIFY(!seen.prizesAfterNested);

    QVERIFY(!form.isLoading());
    QVERIFY(form.menuBar()->isEnabled());
    QVERIFY(tabs->isEnabled());
    QVERIFY(mainPage->isEnabled());
    QCOMPARE(money->dataRowCount(), 25);
    QCOMPARE(form.drawTable().count(), 25);
    QVERIFY(answerer.boxes().isEmpty());
}

void TestMainForm::closingStoresPositionAndOptions_data() {
    QTest::addColumn<bool>("throughMenu");
    QTest::newRow("menu item 終了") << true;
    QTest::newRow("close box") << false;
}

void TestMainForm::closingStoresPositionAndOptions() {
    QFETCH(bool, throughMenu);
    TempProgramDir dir;
    dir.writeSampleData(8);
    const QPoint where(123, 45);
    const TSettings options{25, 4, 1, QStringLiteral("03,17,36")};
    {
        TMainForm form;
        form.show();
        form.move(where);
        QCOMPARE(form.pos(), where);
        MainFormAccess::settings(form) = options;
        if (throughMenu)
            actionOf(form, QStringLiteral("menuFileExit"))->trigger();
        else
            QVERIFY(form.close());
        QVERIFY(!form.isVisible());
    }

    QSettings settings = programSettings();
    const QList<QPair<QString, QString>> expected = {
        {"Windows/Left", "123"},   {"Windows/Top", "45"},        {"Options/AutoNum", "25"},
        {"Options/RangeNum", "4"}, {"Options/OptionIndex", "1"}, {"Options/DeleteNum", "03,17,36"},
    };
    for (const auto& [key, text] : expected) {
        const QVariant value = settings.value(key);
        QCOMPARE(value.typeId(), QMetaType::QString); // stored as text
        QCOMPARE(value.toString(), text);
    }

    // The next start opens where the window was closed, with those options.
    TMainForm again;
    QCOMPARE(again.pos(), where);
    QCOMPARE(again.settings(), options);
}

void TestMainForm::creationAppliesStoredPositionAndOptions_data() {
    QTest::addColumn<QStringList>("stored"); // key=value pairs written beforehand
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<TSettings>("options");
    QTest::newRow("first run") << QStringList() << QPoint(0, 0) << TSettings{10, 1, 3, QString()};
    QTest::newRow("stored") << QStringList{"Windows/Left=300",      "Windows/Top=200",
                                           "Options/AutoNum=25",    "Options/RangeNum=4",
                                           "Options/OptionIndex=1", "Options/DeleteNum=01,05"}
                            << QPoint(300, 200) << TSettings{25, 4, 1, QStringLiteral("01,05")};
    // Sticking out of the screen with the title bar on it: where it was.
    QTest::newRow("partly off the screen") << QStringList{"Windows/Left=700", "Windows/Top=500"}
                                           << QPoint(700, 500) << TSettings{10, 1, 3, QString()};
    QTest::newRow("Left abc") << QStringList{"Windows/Left=abc", "Windows/Top=77"} << QPoint(0, 77)
                              << TSettings{10, 1, 3, QString()};
    QTest::newRow("bad options") << QStringList{"Options/AutoNum=x",
                                                "Options/RangeNum=", "Options/OptionIndex=2.5"}
                                 << QPoint(0, 0) << TSettings{10, 1, 3, QString()};
}

void TestMainForm::creationAppliesStoredPositionAndOptions() {
    QFETCH(QStringList, stored);
    QFETCH(QPoint, position);
    QFETCH(TSettings, options);
    {
        QSettings settings = programSettings();
        for (const QString& pair : stored)
            settings.setValue(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        settings.sync();
    }
    TempProgramDir dir;
    dir.writeSampleData(6);
    TMainForm form;
    QCOMPARE(form.pos(), position);
    QCOMPARE(form.settings(), options);
    QVERIFY(dir.exists(QStringLiteral("client"))); // made on creation
    form.show();
    QCOMPARE(form.pos(), position);
    QCOMPARE(form.settings(), options);
}

void TestMainForm::positionFarOffOpensOnTheScreen() {
    {
        QSettings settings = programSettings();
        settings.setValue(QStringLiteral("Windows/Left"), QStringLiteral("5000"));
        settings.setValue(QStringLiteral("Windows/Top"), QStringLiteral("-3000"));
    }
    TempProgramDir dir;
    dir.writeSampleData(6);
    TMainForm form;
    form.show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(form.frameGeometry()),
             qPrintable(QStringLiteral("%1,%2").arg(form.x()).arg(form.y())));
}

void TestMainForm::everyObjectNameIsUnique() {
    TempProgramDir dir;
    dir.writeSampleData(8);
    TMainForm form;
    form.show();
    // Every tab shown once, in case a page builds its controls late.
    TPageControl* tabs = tabsOf(form);
    for (int i = 0; i < tabs->count(); ++i)
        tabs->setCurrentIndex(i);

    // The whole tree, the version box and the please-wait box included.
    form.aboutForm();
    QVERIFY(form.findChild<QDialog*>(QStringLiteral("AboutForm")));
    QHash<QString, int> seen;
    for (const QObject* object : form.findChildren<QObject*>()) {
        const QString name = object->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            ++seen[name];
    }
    QStringList repeated;
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        if (it.value() > 1)
            repeated.append(QStringLiteral("%1 (%2 times)").arg(it.key()).arg(it.value()));
    QVERIFY2(repeated.isEmpty(), qPrintable(repeated.join(QStringLiteral(", "))));
}

SEPTARION_TEST_MAIN(TestMainForm)
#include "test_mainform.moc"
