#include "TestSupport.h"

#include "common/ProgramFiles.h"
#include "entries/TicketLines.h"

#include <QDir>

static QVector<TicketLine> threeLines() {
    return readTicketLines(QStringLiteral("A 25 20 18 17 14 10 03\nB 01 02 03 04 05 06 06\n"
                                          "C 37 1 2 3 4 5 6\nD 11 12 13 14 15 16 17\n"));
}

class TestTicketLines : public QObject {
    Q_OBJECT
private slots:
    void readsOneLine_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("saved"); // when refused, what followed the letter
        QTest::addColumn<QString>("refusal");
        const auto row = [](const char* name, const QString& line, const QString& letter,
                            const QString& saved, const QString& refusal = {}) {
            QTest::newRow(name) << line << letter << saved << refusal;
        };
        const QString sorted = QStringLiteral("03 10 14 17 18 20 25");
        row("letter, spaces", "A 03 10 14 17 18 20 25", "A", sorted);
        row("full-width, unsorted", QStringLiteral("Ｂ　２５，０３　１０、14 17 18 20"), "B",
            sorted);
        row("no letter, tabs, commas", "  7\t1,2 , 3 4 5 6 ", "", "01 02 03 04 05 06 07");
        row("small letter on the number", "e37 1 2 3 4 5 6", "E", "01 02 03 04 05 06 37");
        row("too few", "A 01 02 03 04 05 06", "A", "01 02 03 04 05 06",
            QStringLiteral("数字が7個ではありません（6個）"));
        row("too many", "01 02 03 04 05 06 07 08", "", "01 02 03 04 05 06 07 08",
            QStringLiteral("数字が7個ではありません（8個）"));
        row("letter only", "C", "C", "", QStringLiteral("数字が7個ではありません（0個）"));
        row("repeat", "A01 02 03 04 05 06 1", "A", "01 02 03 04 05 06 1",
            QStringLiteral("01 が重複しています"));
        row("above 37", "01 02 03 04 05 06 38", "", "01 02 03 04 05 06 38",
            QStringLiteral("38 は1～37の範囲外です"));
        row("zero, full-width", QStringLiteral("０ 01 02 03 04 05 06"), "", "0 01 02 03 04 05 06",
            QStringLiteral("0 は1～37の範囲外です"));
        row("letter beyond E", "F 01 02 03 04 05 06 07", "", "F 01 02 03 04 05 06 07",
            QStringLiteral("数字でない「F」があります"));
        const QString long9 = "01 02 03 04 05 06 " + QString(300, u'9');
        row("300 digits, quoted short", long9, "", long9,
            QString(40, u'9') + QStringLiteral("… は1～37の範囲外です"));
    }

    void readsOneLine() {
        QFETCH(QString, line);
        QFETCH(QString, letter);
        QFETCH(QString, saved);
        QFETCH(QString, refusal);
        const std::optional<TicketLine> read = readTicketLine(line);
        QVERIFY(read);
        QCOMPARE(read->letter, letter);
        QCOMPARE(ticketLineNumbersText(*read), saved);
        QCOMPARE(read->refusal, refusal);
    }

    void readsTextSkippingEmptyLinesUpToTheLimit() {
        QStringList text{QStringLiteral("A 01 02 03 04 05 06 07"), QString(), QStringLiteral("　 "),
                         QStringLiteral("B 01 02 03")};
        for (int i = 0; i < kTicketLineLimit; ++i)
            text.append(QStringLiteral("08 09 10 11 12 13 14"));
        const QVector<TicketLine> lines =
            readTicketLines(text.join(QStringLiteral("\r\n")) + u'\r');
        QCOMPARE(lines.size(), kTicketLineLimit + 2);
        QCOMPARE(lines.at(1).lineNumber, 4); // empty and blank lines are counted, not read
        QCOMPARE(lines.at(kTicketLineLimit).refusal,
                 QStringLiteral("一度に登録できるのは50行までです"));
        QCOMPARE(lines.at(kTicketLineLimit).lineNumber, kTicketLineLimit + 3);
        QCOMPARE(acceptedTicketLines(lines).size(), kTicketLineLimit - 1);
    }

    void registersEachDrawInTheSavesBytes() {
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

    void failedDrawLeavesEveryFileAsItWas() {
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
        QVERIFY(DrawRun({99995, 5}).valid());
        QCOMPARE(errorOf([] {
                     registerTicketLines(threeLines(), {99996, 5});
                 }),
                 QStringLiteral("第99996回～第100000回は登録できません（開催回は第99999回まで）"));
    }
};

SEPTARION_CORE_TEST_MAIN(TestTicketLines)
#include "test_ticketlines.moc"
