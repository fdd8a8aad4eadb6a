#include "TestSupport.h"

#include "common/ProgramFiles.h"
#include "entries/TicketLines.h"

#include <QDir>

class TestTicketLines : public QObject {
    Q_OBJECT
private slots:
    void readsOneLine_data();
    void readsOneLine();
    void readsTextSkippingEmptyLinesUpToTheLimit();
    void drawRunAndPriceTexts();
    void registersEachDrawInTheSavesBytes();
    void failedDrawLeavesEveryFileAsItWas();
};

void TestTicketLines::readsOneLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("saved"); // empty when refused
    QTest::addColumn<QString>("refusal");
    const QString sorted = QStringLiteral("03 10 14 17 18 20 25");
    QTest::newRow("letter, spaces") << "A 03 10 14 17 18 20 25"
                                    << "A" << sorted << "";
    QTest::newRow("full-width, unsorted")
        << QStringLiteral("Ｂ　２５，０３　１０、14 17 18 20") << "B" << sorted << "";
    QTest::newRow("no letter, one digit, tabs, commas") << "  7\t1,2 , 3 4 5 6 "
                                                        << ""
                                                        << "01 02 03 04 05 06 07"
                                                        << "";
    QTest::newRow("small letter against the number") << "e37 1 2 3 4 5 6"
                                                     << "E"
                                                     << "01 02 03 04 05 06 37"
                                                     << "";
    QTest::newRow("too few") << "A 01 02 03 04 05 06"
                             << "A"
                             << "" << QStringLiteral("数字が7個ではありません（6個）");
    QTest::newRow("too many") << "01 02 03 04 05 06 07 08"
                              << ""
                              << "" << QStringLiteral("数字が7個ではありません（8個）");
    QTest::newRow("letter only") << "C"
                                 << "C"
                                 << "" << QStringLiteral("数字が7個ではありません（0個）");
    QTest::newRow("repeat") << "01 02 03 04 05 06 1"
                            << ""
                            << "" << QStringLiteral("01 が重複しています");
    QTest::newRow("above 37") << "01 02 03 04 05 06 38"
                              << ""
                              << "" << QStringLiteral("38 は1～37の範囲外です");
    QTest::newRow("zero, full-width") << QStringLiteral("０ 01 02 03 04 05 06") << ""
                                      << "" << QStringLiteral("0 は1～37の範囲外です");
    QTest::newRow("letter beyond E") << "F 01 02 03 04 05 06 07"
                                     << ""
                                     << "" << QStringLiteral("数字でない「F」があります");
    QTest::newRow("word") << "AB 01 02 03 04 05 06 07"
                          << ""
                          << "" << QStringLiteral("数字でない「AB」があります");
}

void TestTicketLines::readsOneLine() {
    QFETCH(QString, line);
    QFETCH(QString, letter);
    QFETCH(QString, saved);
    QFETCH(QString, refusal);
    const std::optional<TicketLine> read = readTicketLine(line);
    QVERIFY(read);
    QCOMPARE(read->letter, letter);
    QCOMPARE(ticketNumbersText(read->numbers), saved);
    QCOMPARE(read->refusal, refusal);
    QCOMPARE(read->accepted(), refusal.isEmpty());
}

void TestTicketLines::readsTextSkippingEmptyLinesUpToTheLimit() {
    QStringList text{QStringLiteral("A 01 02 03 04 05 06 07"), QString(), QStringLiteral("　 "),
                     QStringLiteral("B 01 02 03")};
    for (int i = 0; i < kTicketLineLimit; ++i)
        text.append(QStringLiteral("08 09 10 11 12 13 14"));
    const QVector<TicketLine> lines = readTicketLines(text.join(QStringLiteral("\r\n")) + u'\r');
    QCOMPARE(lines.size(), kTicketLineLimit + 2);
    QCOMPARE(lines.at(1).lineNumber, 4); // empty and blank lines are counted, not read
    QCOMPARE(lines.at(kTicketLineLimit - 1).refusal, QString());
    QCOMPARE(lines.at(kTicketLineLimit).refusal,
             QStringLiteral("一度に登録できるのは50行までです"));
    QCOMPARE(lines.at(kTicketLineLimit).lineNumber, kTicketLineLimit + 3);
    QCOMPARE(acceptedTicketLines(lines).size(), kTicketLineLimit - 1);
}

void TestTicketLines::drawRunAndPriceTexts() {
    QCOMPARE(drawRunText({690, 5}), QStringLiteral("第690回～第694回の5回"));
    QCOMPARE(drawRunText({690, 1}), QStringLiteral("第690回の1回"));
    QVERIFY(DrawRun({99995, 5}).valid());
    QVERIFY(!DrawRun({99996, 5}).valid());
    QCOMPARE(drawRunText({99996, 5}),
             QStringLiteral("第99996回～第100000回は登録できません（開催回は第99999回まで）"));
    QCOMPARE(ticketPriceText(50, {690, 5}), QStringLiteral("50口 × 5回 × 300円 = ¥75,000"));
}

namespace {

QVector<TicketLine> threeLines() {
    return readTicketLines(QStringLiteral("A 25 20 18 17 14 10 03\nB 01 02 03 04 05 06 06\n"
                                          "C 37 1 2 3 4 5 6\nD 11 12 13 14 15 16 17\n"));
}

} // namespace

void TestTicketLines::registersEachDrawInTheSavesBytes() {
    TempProgramDir dir;
    // An earlier save's line without its line end; neighbouring draws' files.
    dir.writeFile("client/690.csv", "690,01,05,12,18,24,29,33");
    dir.writeFile("client/689.csv", "689,01,02,03,04,05,06,07\r\n");
    dir.writeFile("client/693.csv", "693,01,02,03,04,05,06,07\r\n");
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());

    registerTicketLines(threeLines(), {690, 3});

    const auto lines = [](const QByteArray& n) {
        return n + ",03,10,14,17,18,20,25\r\n" + n + ",01,02,03,04,05,06,37\r\n" + n +
               ",11,12,13,14,15,16,17\r\n";
    };
    QMap<QString, QByteArray> expected = before;
    expected["client/690.csv"] = "690,01,05,12,18,24,29,33\r\n" + lines("690");
    expected["client/691.csv"] = lines("691");
    expected["client/692.csv"] = lines("692");
    QCOMPARE(folderSnapshot(dir.path()), expected);
}

void TestTicketLines::failedDrawLeavesEveryFileAsItWas() {
    TempProgramDir dir;
    dir.writeFile("client/690.csv", "690,01,05,12,18,24,29,33\r\n");
    // A folder where draw 692's file belongs: it cannot be read or replaced.
    QVERIFY(QDir(dir.path()).mkpath("client/692.csv"));
    const QMap<QString, QByteArray> before = folderSnapshot(dir.path());

    const QString error = errorOf([] { registerTicketLines(threeLines(), {690, 3}); });
    QVERIFY2(error.startsWith(QStringLiteral(
                 "第692回の申込み数字を保存できませんでした。どの回にも登録していません。\n")),
             qPrintable(error));
    QCOMPARE(folderSnapshot(dir.path()), before);
    QCOMPARE(errorOf([] {
                 registerTicketLines(threeLines(), {99998, 3});
             }),
             QStringLiteral("第99998回～第100000回は登録できません（開催回は第99999回まで）"));
}

SEPTARION_CORE_TEST_MAIN(TestTicketLines)
#include "test_ticketlines.moc"
