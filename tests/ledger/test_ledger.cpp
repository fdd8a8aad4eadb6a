#include "DataLines.h"
#include "TestSupport.h"

#include "common/CommaText.h"
#include "common/Formats.h"
#include "common/ProgramFiles.h"
#include "common/SettingsStore.h"
#include "data/HitRule.h"
#include "entries/EntryFile.h"
#include "ledger/ClaimedFile.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerReminder.h"

#include <QDir>
#include <QRandomGenerator>

namespace {

// Draw 10 on 2024/02/29: 01..07, bonus 08 09. Draw 11 a week later: 11..17,
// bonus 18 19. Prize data only for draw 10, with tier 1 at 0 yen.
void smallTables(DrawTable& draws, PrizeTable& prizes) {
    draws = drawTableOf(drawLine(11, "2024/03/07", {11, 12, 13, 14, 15, 16, 17}, {18, 19}) +
                        drawLine(10, "2024/02/29", {1, 2, 3, 4, 5, 6, 7}, {8, 9}));
    appendPrizeLines({QString::fromLatin1(prizeLine(10).trimmed())}, prizes);
}

// A row of a draw with its result, nothing won.
LedgerRow drawnRow(int drawNumber, QDate drawDate, int lines) {
    LedgerRow row;
    row.drawNumber = drawNumber;
    row.drawn = true;
    row.drawDate = drawDate;
    row.lines = lines;
    return row;
}

QStringList lines(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* t : texts)
        list << QString::fromLatin1(t);
    return list;
}

} // namespace

class TestLedger : public QObject {
    Q_OBJECT
private slots:
    void readsLinesAsTheMatchingTab();
    void tiersAmountsAndUnknowns();
    void skippedAndUndrawnDraws();
    void deadlines();
    void cashedFile();
    void unclaimedAndReminder();
    void reminderShowsOncePerDay_data();
    void reminderShowsOncePerDay();
    void yearsTotalsAndTexts();
    void csvBytes();
    void chartFigures_data();
    void chartFigures();
    void readsOnlyEntryFiles();
    void realData();
};

void TestLedger::readsLinesAsTheMatchingTab() {
    std::array<int, kPositions> n{};
    QVERIFY(readLedgerLine(QStringLiteral("5,01,02,03,04,05,06,37"), n));
    QCOMPARE(n.back(), 37);
    QVERIFY(readLedgerLine(QStringLiteral("5,01,02,03,04,05,06,07,１等が当選しました。"), n));
    QVERIFY(readLedgerLine(QStringLiteral("5,01,01,01,01,01,01,01"), n)); // read; counts once
    QVERIFY(!readLedgerLine(QStringLiteral("5,7,02,03,04,05,06,08"), n)); // "7" is not "07"
    QVERIFY(!readLedgerLine(QStringLiteral("5,01,02,03,04,05,06,38"), n));
    QVERIFY(!readLedgerLine(QStringLiteral("5,01,02,03,04,05,06"), n));
    QVERIFY(!readLedgerLine(QStringLiteral("5,01,02,03,04,05,06,00"), n));

    // Edited lines read exactly as the matching tab's grid cells.
    QRandomGenerator random(13);
    const QString base = QStringLiteral("689,04,18,23,24,32,33,35,x");
    for (int i = 0; i < 5000; ++i) {
        const QString line = mutatedLine(base, QStringLiteral("0123456789, \"\t7"), random);
        const QStringList row = gridRowFromFields(splitCommaText(line), kEntryFields);
        std::array<int, kPositions> cells{};
        bool valid = true;
        for (int k = 0; k < kPositions; ++k) {
            cells.at(k) = numberOfCellText(row.at(k + 1));
            valid = valid && cells.at(k) != 0;
        }
        const bool read = readLedgerLine(line, n);
        QVERIFY2(read == valid, qPrintable(line));
        if (valid)
            QVERIFY2(n == cells, qPrintable(line));
    }
}

void TestLedger::tiersAmountsAndUnknowns() {
    DrawTable draws;
    PrizeTable prizes;
    smallTables(draws, prizes);
    const QVector<LedgerFile> files{
        {10, QStringLiteral("10.csv"),
         lines({"10,01,02,03,04,05,06,07",    // tier 1, 0 yen in the data: unknown
                "10,01,02,03,04,05,06,08",    // tier 2
                "10,01,02,03,04,05,06,20",    // tier 3
                "10,01,02,03,04,05,20,21",    // tier 4
                "10,01,02,03,04,20,21,22",    // tier 5
                "10,01,02,03,08,20,21,22",    // tier 6
                "10,01,02,03,20,21,22,23",    // nothing: three without a bonus number
                "10,01,01,01,01,01,01,08"})}, // one main, one bonus: nothing
        {11, QStringLiteral("11.csv"), lines({"11,11,12,13,14,20,21,22"})}, // tier 5, no prize data
    };
    const Ledger ledger = buildLedger(files, draws, prizes);
    QCOMPARE(ledger.rows.size(), 2);
    const LedgerRow& newest = ledger.rows.at(0);
    QCOMPARE(newest.drawNumber, 11);
    QCOMPARE(newest.tierLines, (std::array<int, 6>{0, 0, 0, 0, 1, 0}));
    QCOMPARE(newest.won, 0);
    QVERIFY(newest.amountUnknown);

    const LedgerRow& row = ledger.rows.at(1);
    QCOMPARE(row.lines, 8);
    QCOMPARE(row.cost(), 2400);
    QCOMPARE(row.tierLines, (std::array<int, 6>{1, 1, 1, 1, 1, 1}));
    QCOMPARE(row.won, 12000000 + 600000 + 8000 + 1500 + 1000);
    QVERIFY(row.amountUnknown);
    const QStringList texts = ledgerRowTexts(row, QDate(2024, 3, 1));
    QCOMPARE(texts.size(), kLedgerColumns);
    QCOMPARE(texts.at(10), QStringLiteral("—"));
    QCOMPARE(texts.at(11), QStringLiteral("—"));
    QVERIFY(ledgerTotals(ledger.rows).amountUnknown);

    // The same draw in two files adds up into one row.
    const Ledger twice = buildLedger({files.at(1), files.at(1)}, draws, prizes);
    QCOMPARE(twice.rows.size(), 1);
    QCOMPARE(twice.rows.at(0).lines, 2);
}

void TestLedger::skippedAndUndrawnDraws() {
    DrawTable draws;
    PrizeTable prizes;
    smallTables(draws, prizes);
    const Ledger ledger = buildLedger(
        {{12, QStringLiteral("12.csv"), lines({"12,01,02,03,04,05,06,07", "12,1,2,3,4,5,6,7"})},
         {10, QStringLiteral("10.csv"), lines({"10,x", "10,01,02,03,04,05,06,38"})}},
        draws, prizes);
    QCOMPARE(ledger.rows.size(), 1); // nothing readable in 10.csv: no row
    const LedgerRow& undrawn = ledger.rows.at(0);
    QVERIFY(!undrawn.drawn);
    QCOMPARE(undrawn.cost(), 300);
    QVERIFY(!undrawn.deadline().isValid());
    const QStringList texts = ledgerRowTexts(undrawn, QDate(2024, 3, 1));
    QCOMPARE(texts.mid(0, 4), (QStringList{"12", "未抽選", "1", "¥300"}));
    QCOMPARE(texts.mid(4), QStringList(kLedgerColumns - 4, QString()));
    QCOMPARE(ledger.skippedLines(), 3);
    QCOMPARE(ledger.skipped.size(), 2);
    QCOMPARE(ledger.skipped.at(0).fileName, QStringLiteral("12.csv"));
    QCOMPARE(ledger.skipped.at(1).lines, 2);
}

void TestLedger::deadlines() {
    LedgerRow row = drawnRow(1, QDate(2024, 2, 29), 1);
    QVERIFY(!row.deadline().isValid()); // nothing won: no deadline
    row.tierLines.at(5) = 1;
    QCOMPARE(row.deadline(), QDate(2025, 2, 28)); // no 29th next year
    QVERIFY(!row.deadlineNear(QDate(2025, 1, 28)));
    QVERIFY(row.deadlineNear(QDate(2025, 1, 29))); // 30 days left
    QVERIFY(row.deadlineNear(QDate(2025, 2, 28))); // the last day
    QVERIFY(!row.expired(QDate(2025, 2, 28)));
    QVERIFY(row.expired(QDate(2025, 3, 1)));
    QVERIFY(!row.deadlineNear(QDate(2025, 3, 1)));
    QCOMPARE(ledgerRowTexts(row, QDate(2025, 3, 1)).at(12), QStringLiteral("2025/02/28 期限切れ"));
    QCOMPARE(ledgerRowTexts(row, QDate(2025, 2, 1)).at(12), QStringLiteral("2025/02/28"));
    // The reminder: from 30 days before the deadline to 6 days after it.
    QVERIFY(!row.remindDue(QDate(2025, 1, 28)));
    QVERIFY(row.remindDue(QDate(2025, 1, 29)));
    QVERIFY(row.remindDue(QDate(2025, 3, 6)));
    QVERIFY(!row.remindDue(QDate(2025, 3, 7)));
    row.claimedOn = QDate(2025, 2, 1); // cashed: neither highlighted nor reminded of
    QVERIFY(!row.deadlineNear(QDate(2025, 2, 1)));
    QVERIFY(!row.remindDue(QDate(2025, 2, 1)));
    QCOMPARE(ledgerRowTexts(row, QDate(2025, 2, 1)).at(13), QStringLiteral("換金済み"));
}

void TestLedger::cashedFile() {
    const TempProgramDir dir;
    const QString name = QStringLiteral("client/claimed.csv");
    // Lines not the program's are kept byte for byte, a Shift_JIS note too, and
    // a year with a sign (QDate's format reading takes one).
    dir.writeFile(name,
                  "\xEF\xBB\xBF"
                  "689,2025/01/02\r\n# \x83\x81\x83\x82\n12,2025/13/01\r\n688,-2026/08/03\r\n");
    ClaimedFile file = ClaimedFile::read();
    QCOMPARE(file.claimed(), (QMap<int, QDate>{{689, QDate(2025, 1, 2)}}));
    file.tick(690, QDate(2025, 2, 3));
    file.tick(690, QDate(2025, 2, 4)); // ticked already
    file.untick(689);
    file.write();
    const QByteArray written = "\xEF\xBB\xBF"
                               "# \x83\x81\x83\x82\r\n12,2025/13/01\r\n688,-2026/08/03\r\n"
                               "690,2025/02/03\r\n";
    QCOMPARE(dir.readFile(name), written);
    QCOMPARE(readLedgerFiles(dir.filePath(QStringLiteral("client"))).size(), 0);
    file.tick(1, QDate(2025, 2, 5));
    {
        const FileSizeLimit fullDisk(written.size());
        QVERIFY(fullDisk.active());
        QVERIFY(
            errorOf([&] { file.write(); }).startsWith(QStringLiteral("ファイルに書き込めません")));
    }
    QCOMPARE(dir.readFile(name), written);
}

void TestLedger::unclaimedAndReminder() {
    DrawTable draws;
    PrizeTable prizes;
    smallTables(draws, prizes); // draws 10 (2024/02/29) and 11 (2024/03/07)
    QCOMPARE(remindDrawNumbers(draws, QDate(2025, 3, 6)), (QVector<int>{11, 10}));
    QCOMPARE(remindDrawNumbers(draws, QDate(2025, 3, 7)), (QVector<int>{11}));
    const Ledger ledger =
        buildLedger({{10, QStringLiteral("10.csv"),
                      lines({"1,01,02,03,04,05,06,08", "2,01,02,03,04,05,20,21"})},
                     {11, QStringLiteral("11.csv"), lines({"1,11,12,13,14,15,16,17"})}},
                    draws, prizes);
    const QVector<LedgerRow> due = ledgerRemindRows(ledger.rows, QDate(2025, 3, 1));
    // The nearest deadline first.
    QCOMPARE(ledgerRemindText(due, QDate(2025, 3, 1), 1),
             QStringLiteral("未換金の当せんがあります。\n\n第10回　2等・4等　¥12,008,000　支払期限 "
                            "2025/02/28 期限切れ\nほか1件"));
    QVERIFY(ledgerRemindText(due, QDate(2025, 3, 1))
                .endsWith(QStringLiteral("\n第11回　1等　金額不明　支払期限 2025/03/07")));
    QCOMPARE(ledgerUnclaimedText(ledgerUnclaimed(ledger.rows, QDate(2025, 2, 28))),
             QStringLiteral("未換金 ¥12,008,000（2件） ほかに金額不明あり（—）"));
    QVector<LedgerRow> rows = ledger.rows;
    markClaimed(rows, {{11, QDate(2025, 2, 1)}});
    QCOMPARE(ledgerUnclaimedText(ledgerUnclaimed(rows, QDate(2025, 2, 28))),
             QStringLiteral("未換金 ¥12,008,000（1件）"));
    QCOMPARE(ledgerUnclaimedText(ledgerUnclaimed(rows, QDate(2025, 3, 1))),
             QStringLiteral("未換金 なし")); // draw 10's expired
}

void TestLedger::reminderShowsOncePerDay_data() {
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QDate>("remindedOn");
    QTest::addColumn<bool>("shows");
    QTest::newRow("never shown") << true << QDate() << true;
    QTest::newRow("shown yesterday") << true << QDate(2025, 2, 28) << true;
    QTest::newRow("shown today") << true << QDate(2025, 3, 1) << false;
    QTest::newRow("shown tomorrow (clock set back)") << true << QDate(2025, 3, 2) << true;
    QTest::newRow("turned off") << false << QDate() << false;
}

void TestLedger::reminderShowsOncePerDay() {
    QFETCH(bool, enabled);
    QFETCH(QDate, remindedOn);
    QFETCH(bool, shows);
    QCOMPARE(LedgerReminder::mayShow(enabled, remindedOn, QDate(2025, 3, 1)), shows);
    // Through the settings store, as the window asks.
    SettingsStore store;
    store.writeRemindEnabled(enabled);
    store.writeRemindedOn(remindedOn);
    QCOMPARE(LedgerReminder::mayShow(QDate(2025, 3, 1)), shows);
}

void TestLedger::yearsTotalsAndTexts() {
    // Years and totals per year are checked through the box (test_ledgerform);
    // here the texts of a row beyond 32 bits and of a loss.
    LedgerRow b = drawnRow(20, QDate(2024, 12, 27), 10);
    b.tierLines.at(0) = 1;
    b.won = 1'234'567'890'123;
    LedgerRow c = b;
    c.tierLines = {};
    c.won = 0;
    const QDate today(2025, 1, 10);
    QCOMPARE(ledgerRowTexts(b, today),
             (QStringList{"20", "2024/12/27", "10", "¥3,000", "1", "0", "0", "0", "0", "0",
                          "¥1,234,567,890,123", "¥1,234,567,887,123", "2025/12/27", "未換金"}));
    QCOMPARE(ledgerRowTexts(c, today).at(11), QStringLiteral("-¥3,000"));
    QCOMPARE(ledgerTotals({b, c}).balance(), 1'234'567'890'123 - 6000);
    QCOMPARE(LedgerTotals().returnRate(), 0.0); // nothing spent: no division by zero
}

void TestLedger::csvBytes() {
    const QByteArray csv = ledgerCsv({drawnRow(7, QDate(2013, 5, 17), 4)}, QDate(2014, 1, 1));
    QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(csv.mid(3));
    QCOMPARE(text,
             QStringLiteral(
                 "開催回,抽選日,口数,購入額,1等,2等,3等,4等,5等,6等,当選金額,収支,支払期限,換金\r\n"
                 "7,2013/05/17,4,1200,0,0,0,0,0,0,0,-1200,,\r\n"));
}

void TestLedger::chartFigures_data() {
    QTest::addColumn<qint64>("top");
    QTest::addColumn<qint64>("step");
    QTest::newRow("one yen") << qint64{1} << qint64{1};
    QTest::newRow("six steps of one are too many") << qint64{6} << qint64{2};
    QTest::newRow("top in the sixth step") << qint64{599} << qint64{100};
    QTest::newRow("seven steps are too many") << qint64{600} << qint64{200};
    QTest::newRow("fives") << qint64{2'100} << qint64{500};
    QTest::newRow("beyond 32 bits") << qint64{9'000'000'000} << qint64{2'000'000'000};
}

void TestLedger::chartFigures() {
    QFETCH(qint64, top);
    QFETCH(qint64, step);
    QCOMPARE(yenAxisStep(top), step);

    // The sums run from the oldest row of the newest-first list.
    LedgerRow newer;
    newer.drawNumber = 9;
    newer.lines = 2;
    newer.won = top;
    LedgerRow older = newer;
    older.drawNumber = 4;
    older.won = 1000;
    const QVector<RunningSum> sums = runningSums(QVector<LedgerRow>{newer, older}, false);
    QCOMPARE(sums.size(), 2);
    QCOMPARE((std::array{sums.at(0).drawNumber, sums.at(1).drawNumber}), (std::array{4, 9}));
    QCOMPARE(sums.at(1).cost, 1200);
    QCOMPARE(sums.at(1).won, 1000 + top);
}

void TestLedger::readsOnlyEntryFiles() {
    QTemporaryDir dir;
    QCOMPARE(readLedgerFiles(dir.filePath(QStringLiteral("client"))).size(), 0); // missing
    for (const char* name : {"689.csv", "0689.csv", "abc.csv", "689.txt", "100000.csv", "5.csv"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1,01,02,03,04,05,06,07\r\n2,01,02,03,04,05,06,07\r\n");
    }
    QDir(dir.path()).mkdir(QStringLiteral("7.csv"));
    const auto before = folderSnapshot(dir.path());
    const QVector<LedgerFile> files = readLedgerFiles(dir.path());
    QCOMPARE(files.size(), 2);
    QCOMPARE(files.at(0).drawNumber + files.at(1).drawNumber, 694);
    QCOMPARE(files.at(0).lines.size(), 2);
    QCOMPARE(folderSnapshot(dir.path()), before);
}

void TestLedger::realData() {
    DrawTable draws;
    PrizeTable prizes;
    const QString dir = startingDataDir();
    appendDrawLines(ReadLines(dir + QStringLiteral("/Loto7Number.csv")), draws);
    appendPrizeLines(ReadLines(dir + QStringLiteral("/Loto7Data.csv")), prizes);
    QCOMPARE(draws.count(), kStartingDraws);

    // The draws' own fields, read here without the program's readers.
    QMap<int, QStringList> drawFields;
    QMap<int, QStringList> prizeFields;
    for (const auto& [name, map] :
         {std::pair{"Loto7Number.csv", &drawFields}, std::pair{"Loto7Data.csv", &prizeFields}}) {
        QFile file(dir + u'/' + QLatin1String(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (const QString& line : QString::fromLatin1(file.readAll()).split(u"\r\n"_qs))
            if (!line.isEmpty())
                map->insert(line.section(u',', 0, 0).toInt(), line.split(u','));
    }
    // For a few draws: one line of all seven main numbers (tier 1), one of six
    // and the first bonus number (tier 2), one of four main numbers and three
    // numbers drawn neither way (tier 5), and one that names no number.
    QVector<LedgerFile> files;
    qint64 expectedWon = 0;
    int unknown = 0;
    for (const int n : {1, 250, 688, 689}) {
        const QStringList d = drawFields.value(n);
        QStringList notDrawn;
        for (int k = 1; k <= 37 && notDrawn.size() < 3; ++k)
            if (!d.mid(2).contains(formatTwoDigits(k)))
                notDrawn << formatTwoDigits(k);
        const QString id = QString::number(n);
        files.append({n,
                      id + QStringLiteral(".csv"),
                      {QStringList{id, d.mid(2, 7).join(u',')}.join(u','),
                       QStringList{id, d.mid(2, 6).join(u','), d.at(9)}.join(u','),
                       QStringList{id, d.mid(2, 4).join(u','), notDrawn.join(u',')}.join(u','),
                       id + QStringLiteral(",,,,,,,")}});
        bool rowUnknown = false;
        for (const int tier : {1, 2, 5}) {
            const qint64 amount = prizeFields.value(n).at(2 * tier).toLongLong();
            expectedWon += amount;
            rowUnknown = rowUnknown || amount == 0;
        }
        unknown += rowUnknown ? 1 : 0;
    }
    const Ledger ledger = buildLedger(files, draws, prizes);
    QCOMPARE(ledger.rows.size(), 4);
    QCOMPARE(ledger.rows.first().drawNumber, 689);
    QCOMPARE(ledger.skippedLines(), 4);
    int rowsUnknown = 0;
    for (const LedgerRow& row : ledger.rows) {
        QCOMPARE(row.tierLines, (std::array<int, 6>{1, 1, 0, 0, 1, 0}));
        QCOMPARE(row.drawDate.toString(u"yyyy/MM/dd"), drawFields.value(row.drawNumber).at(1));
        rowsUnknown += row.amountUnknown ? 1 : 0;
    }
    QVERIFY(unknown > 0); // draw 688 had no first prize: its amount is 0 in the data
    QCOMPARE(rowsUnknown, unknown);
    const LedgerTotals totals = ledgerTotals(ledger.rows);
    QCOMPARE(totals.lines, 12);
    QCOMPARE(totals.cost, 3600);
    QCOMPARE(totals.won, expectedWon);
}

SEPTARION_CORE_TEST_MAIN(TestLedger)
#include "test_ledger.moc"
