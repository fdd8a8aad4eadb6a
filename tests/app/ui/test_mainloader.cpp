// The loader of the main window: the next draw number, its failures on
// missing or bad data files, reloading, and its lock-out of the window.
#include "GuiTestSupport.h"
#include "MainFormTests.h"

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

class TestMainLoader : public QObject {
    Q_OBJECT

private slots:
    void init() { clearProgramSettings(); }

    void nextDrawNumberGoesToAllThreeEdits_data();
    void nextDrawNumberGoesToAllThreeEdits();
    void missingOrEmptyDataFileEndsProgram_data();
    void missingOrEmptyDataFileEndsProgram();
    void badDrawLineStopsLoadKeepingEarlierDraws_data();
    void badDrawLineStopsLoadKeepingEarlierDraws();
    void badPrizeFieldStopsLoadKeepingEarlierRows();
    void reloadGivesSameTablesAndEmptiesPendingLines();
    void loaderLocksOutTabsMenuAndItself();
};

void TestMainLoader::nextDrawNumberGoesToAllThreeEdits_data() {
    QTest::addColumn<QList<int>>("draws");
    QTest::addColumn<QString>("expected");
    QTest::newRow("newest 123") << QList<int>{123, 122, 121} << QStringLiteral("124");
    QTest::newRow("one draw") << QList<int>{7} << QStringLiteral("8");
    // Only the first line counts, whatever follows it.
    QTest::newRow("file order rules") << QList<int>{40, 500, 41} << QStringLiteral("41");
}

void TestMainLoader::nextDrawNumberGoesToAllThreeEdits() {
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

void TestMainLoader::missingOrEmptyDataFileEndsProgram_data() {
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

void TestMainLoader::missingOrEmptyDataFileEndsProgram() {
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

void TestMainLoader::badDrawLineStopsLoadKeepingEarlierDraws_data() {
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

void TestMainLoader::badDrawLineStopsLoadKeepingEarlierDraws() {
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

void TestMainLoader::badPrizeFieldStopsLoadKeepingEarlierRows() {
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

void TestMainLoader::reloadGivesSameTablesAndEmptiesPendingLines() {
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

void TestMainLoader::loaderLocksOutTabsMenuAndItself() {
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

SEPTARION_TEST_MAIN(TestMainLoader)
#include "test_mainloader.moc"
