// Taking draws read from text into the data files: the states against the
// held files, the merged bytes, the backup pair and its undo, and a write that
// fails half-way.
#include "TestSupport.h"

#include "common/Formats.h"
#include "data/ImportPreview.h"
#include "data/ResultsImport.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

namespace {

const QString kDraws = QStringLiteral("download/Loto7Number.csv");
const QString kPrizes = QStringLiteral("download/Loto7Data.csv");

QString rowsText(const QVector<ImportRow>& rows) {
    QStringList lines;
    for (const ImportRow& row : rows)
        lines.append(importRowTexts(row).join(u'|'));
    return lines.join(u'\n');
}

// Reads the text against the folder's files and writes what is taken.
ImportRecord importText(const TempProgramDir& dir, const QString& text,
                        const QSet<int>& overwrite = {}) {
    const QString folder = dir.filePath(QStringLiteral("download"));
    const HeldResults held = HeldResults::read(folder);
    QVector<ImportRow> rows = checkImport(readResultsText(text), held);
    for (ImportRow& row : rows)
        row.overwrite = overwrite.contains(static_cast<int>(row.draw.drawNumber));
    return writeImport(folder, held, mergeImport(held, rows));
}

QByteArray startingFile(const QString& name) {
    QFile file(QDir(startingDataDir()).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The starting data as one of the other tools' CSV files: "all" (counts before
// amounts, unpadded, bonus as drawn) or "site" (numbers in one field, 第n回,
// quoted amounts with 円, 該当なし for a tier without winners).
QString otherToolCsv(const QString& layout) {
    const QList<QByteArray> draws = startingFile(QStringLiteral("Loto7Number.csv")).split('\n');
    const QList<QByteArray> prizes = startingFile(QStringLiteral("Loto7Data.csv")).split('\n');
    QStringList out{layout == u"all" ? QStringLiteral("開催回,日付,第1数字,BONUS数字1,…")
                                     : QStringLiteral("抽せん日,本数字,ボーナス数字,回別,…")};
    for (qsizetype i = 0; i < draws.size() && !draws.at(i).trimmed().isEmpty(); ++i) {
        const QStringList d = QString::fromLatin1(draws.at(i).trimmed()).split(u',');
        const QStringList p = QString::fromLatin1(prizes.at(i).trimmed()).split(u',');
        const QDate date = QDate::fromString(d.at(1), QStringLiteral("yyyy/MM/dd"));
        QStringList mains;
        for (int k = 2; k < 9; ++k)
            mains.append(QString::number(d.at(k).toInt()));
        const QString bonus = QStringLiteral("%1 %2").arg(d.at(10).toInt()).arg(d.at(9).toInt());
        QStringList fields;
        if (layout == u"all") {
            fields << d.at(0) << date.toString(QStringLiteral("yyyy/M/d")) << mains
                   << bonus.split(u' ');
            for (int k = 1; k <= 12; ++k) // counts, then amounts
                fields << p.at(k <= 6 ? 2 * k - 1 : 2 * (k - 6));
            fields << p.at(13);
        } else {
            fields << date.toString(Qt::ISODate) << mains.join(u' ') << bonus
                   << QStringLiteral("第%1回").arg(d.at(0));
            for (int tier = 0; tier < 6; ++tier) {
                const qint64 count = p.at(1 + 2 * tier).toLongLong();
                fields << (count == 0 ? QStringLiteral("該当なし")
                                      : QStringLiteral("\"%1口\"").arg(groupDigits(count)));
                fields << (count == 0 ? QStringLiteral("該当なし")
                                      : QStringLiteral("\"%1円\"")
                                            .arg(groupDigits(p.at(2 + 2 * tier).toLongLong())));
            }
            fields << QStringLiteral("\"%1円\"").arg(groupDigits(p.at(13).toLongLong()));
        }
        out.append(fields.join(u','));
    }
    return out.join(u'\n');
}

} // namespace

class TestResultsImport : public QObject {
    Q_OBJECT
private slots:
    void otherToolsFilesGiveTheStartingDataByteForByte_data();
    void otherToolsFilesGiveTheStartingDataByteForByte();
    void statesMergeAndUndo();
    void previewTakesTypedDrawsTicksAndRemovals();
    void heldLinesMatchAsTheLoaderReadsThem_data();
    void heldLinesMatchAsTheLoaderReadsThem();
    void editedLinesAreTakenOnlyAsTheLoaderReadsThemBack_data();
    void editedLinesAreTakenOnlyAsTheLoaderReadsThemBack();
    void failedWriteLeavesEachFileOldOrNew_data();
    void failedWriteLeavesEachFileOldOrNew();
};

void TestResultsImport::otherToolsFilesGiveTheStartingDataByteForByte_data() {
    QTest::addColumn<QString>("layout");
    QTest::newRow("all-draws CSV") << QStringLiteral("all");
    QTest::newRow("results-site CSV") << QStringLiteral("site");
}

void TestResultsImport::otherToolsFilesGiveTheStartingDataByteForByte() {
    QFETCH(QString, layout);
    const TempProgramDir dir;
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("download"))));
    const ImportRecord record = importText(dir, otherToolCsv(layout));
    QVERIFY(!record.valid()); // nothing was there to go back to
    QCOMPARE(dir.readFile(kDraws), startingFile(QStringLiteral("Loto7Number.csv")));
    QCOMPARE(dir.readFile(kPrizes), startingFile(QStringLiteral("Loto7Data.csv")));
    QVERIFY(!dir.exists(kDraws + kBackupSuffix));
}

void TestResultsImport::statesMergeAndUndo() {
    const TempProgramDir dir;
    // Held: draws 1 to 3, prize data of 1 and 2 only.
    const QByteArray draws = drawLine(3, "2013/04/19", {1, 2, 3, 4, 5, 6, 7}, {8, 9}) +
                             drawLine(2, "2013/04/12", {2, 3, 4, 5, 6, 7, 8}, {9, 10}) +
                             drawLine(1, "2013/04/05", {3, 4, 5, 6, 7, 8, 9}, {10, 11});
    const QByteArray prizes = prizeLine(2) + prizeLine(1);
    dir.writeDataFiles(draws, prizes);
    const QString folder = dir.filePath(QStringLiteral("download"));
    const QString prize3 = QString::fromLatin1(prizeLine(3).trimmed());
    const QString text = QStringLiteral("5,2013/05/04,07,06,05,04,03,02,01,09,08\n" // saturday
                                        "2,2013/04/12,02,03,04,05,06,07,08,09,10\n"
                                        "1,2013/04/05,03,04,05,06,07,08,12,10,11\n") +
                         prize3;
    const QVector<ImportRow> rows = checkImport(readResultsText(text), HeldResults::read(folder));
    QCOMPARE(
        rowsText(rows),
        QStringLiteral("新規|5|2013/05/04|01 02 03 04 05 06 07|08 09|無||抽選日が金曜日ではあり"
                       "ません、第4回がありません、賞金データなし、本数字が第3回と同じです\n"
                       "新規|3|2013/04/19|01 02 03 04 05 06 07|08 09|有||賞金データの追加\n"
                       "取込済|2|2013/04/12|02 03 04 05 06 07 08|09 10|無||\n"
                       "競合|1|2013/04/05|03 04 05 06 07 08 12|10 11|無||本数字が登録済みの "
                       "03 04 05 06 07 08 09 と異なります"));
    QCOMPARE(importSummary(rows),
             QStringLiteral("4件読込 ／ 2件新規 ／ 1件取込済 ／ 1件競合 ／ 0件不正"));

    // Without the tick the conflict stays as held; draw 5 goes in on top.
    const ImportRecord first = importText(dir, text);
    QCOMPARE(dir.readFile(kDraws), "5,2013/05/04,01,02,03,04,05,06,07,08,09\r\n" + draws);
    QCOMPARE(dir.readFile(kPrizes), prizeLine(3) + prizes);
    QCOMPARE(dir.readFile(kDraws + kBackupSuffix), draws);
    QVERIFY(canUndoImport(folder, first));

    // Ticked, it replaces the held line; the next undo goes back one import only.
    const ImportRecord second = importText(dir, text, {1});
    QVERIFY(dir.readFile(kDraws).endsWith("1,2013/04/05,03,04,05,06,07,08,12,10,11\r\n"));
    QVERIFY(!canUndoImport(folder, first));
    undoImport(folder);
    QCOMPARE(dir.readFile(kDraws), "5,2013/05/04,01,02,03,04,05,06,07,08,09\r\n" + draws);
    QVERIFY(!canUndoImport(folder, second)); // the files are no longer what it wrote
}

void TestResultsImport::previewTakesTypedDrawsTicksAndRemovals() {
    const TempProgramDir dir;
    dir.writeDataFiles(drawLine(1, "2013/04/05", {3, 4, 5, 6, 7, 8, 9}, {10, 11}), prizeLine(1));
    const HeldResults held = HeldResults::read(dir.filePath(QStringLiteral("download")));
    ImportPreview preview;
    preview.setTextDraws(readResultsText(u"1,2013/04/05,03,04,05,06,07,08,12,10,11\n"
                                         "2,2013/04/12,11,12,13,14,15,16,17,18,19\n"_qs));
    // Typed in place of the pasted draw 2: the numbers of draw 1, full-width amounts.
    const QStringList prize{u"0"_qs,     u"0"_qs,      u"2"_qs,          u"9,000,000"_qs,
                            u"10"_qs,    u"500000"_qs, u"100"_qs,        u"10,000"_qs,
                            u"1,000"_qs, u"1,400"_qs,  u"２，０００"_qs, u"１０００"_qs,
                            u"123"_qs};
    preview.addTypedDraw(
        readTypedDraw(2, QDate(2013, 4, 12), {9, 8, 7, 6, 5, 4, 3, 11, 10}, prize));
    preview.check(held);
    QCOMPARE(rowsText(preview.rows()),
             u"新規|2|2013/04/12|03 04 05 06 07 08 09|10 11|有||本数字が第1回と同じです\n"
             "競合|1|2013/04/05|03 04 05 06 07 08 12|10 11|無||本数字が登録済みの "
             "03 04 05 06 07 08 09 と異なります"_qs);
    QCOMPARE(importRowDetails(preview.rows().at(0)),
             u"第2回 2013/04/12\n1等 該当なし\n2等 2口 9,000,000円\n3等 10口 500,000円\n"
             "4等 100口 10,000円\n5等 1,000口 1,400円\n6等 2,000口 1,000円\n"
             "キャリーオーバー 123円\n本数字が第1回と同じです"_qs);

    // The tick stays with its draw through a new check; the row removed goes
    // with the pasted draw it stood for.
    QVERIFY(!preview.toggleOverwrite(0));
    QVERIFY(preview.toggleOverwrite(1));
    preview.check(held);
    QVERIFY(preview.rows().at(1).overwrite);
    preview.removeRows({0});
    preview.check(held);
    QCOMPARE(preview.rows().size(), 1);
    QVERIFY(preview.rows().at(0).overwrite);
    preview.removeRows({0});
    preview.check(held);
    QVERIFY(preview.rows().isEmpty());
}

void TestResultsImport::heldLinesMatchAsTheLoaderReadsThem_data() {
    QTest::addColumn<QByteArray>("draws");
    QTest::addColumn<QByteArray>("prizes");
    QTest::addColumn<QByteArray>("merged"); // the prize file after the import
    QTest::addColumn<QString>("error");
    const QByteArray draw689 = drawLine(689, "2026/08/07", {4, 18, 23, 24, 32, 33, 35}, {29, 36});
    const QByteArray prizes = prizeLine(690) + prizeLine(689);
    // Prize lines the loader takes although no draw can have their number.
    for (const int number : {2147483647, 100000, -1})
        QTest::addRow("prize line of draw %d", number)
            << draw689 << prizeLine(689) + prizeLine(number)
            << (number > 0 ? prizeLine(number) + prizes : prizes + prizeLine(number)) << QString();
    QTest::newRow("signed draw number")
        << QByteArray("+") + draw689 << prizeLine(689) << prizes << QString();
    QTest::newRow("draw number of eleven digits")
        << QByteArray("99999999999") + draw689.mid(3) << prizeLine(689) << QByteArray()
        << QStringLiteral("'99999999999' は整数ではありません");
}

// Draw 689 ticked to overwrite the held one and draw 690 with prize data.
void TestResultsImport::heldLinesMatchAsTheLoaderReadsThem() {
    QFETCH(QByteArray, draws);
    QFETCH(QByteArray, prizes);
    QFETCH(QByteArray, merged);
    QFETCH(QString, error);
    const TempProgramDir dir;
    dir.writeDataFiles(draws, prizes);
    const QString text = QStringLiteral("689,2026/08/07,01,02,03,04,05,06,07,08,09\n"
                                        "690,2026/08/14,03,10,14,17,18,20,25,19,34\n") +
                         QString::fromLatin1(prizeLine(690));
    const QString failure = errorOf([&] { importText(dir, text, {689}); });
    if (!error.isEmpty())
        QVERIFY2(failure.endsWith(error), qPrintable(failure));
    else
        QCOMPARE(failure, QStringLiteral("(no error)"));
    QCOMPARE(dir.readFile(kDraws), error.isEmpty() ? "690,2026/08/14,03,10,14,17,18,20,25,19,34\r\n"
                                                     "689,2026/08/07,01,02,03,04,05,06,07,08,09\r\n"
                                                   : draws);
    QCOMPARE(dir.readFile(kPrizes), error.isEmpty() ? merged : prizes);
}

void TestResultsImport::editedLinesAreTakenOnlyAsTheLoaderReadsThemBack_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("alphabet");
    QTest::newRow("a line of the draw file")
        << QStringLiteral("690,2026/08/14,03,10,14,17,18,20,25,19,34")
        << QStringLiteral("0123456789,/ +-");
    QTest::newRow("the lottery's own file")
        << QStringLiteral(
               "第690回ロト７,数字選択式全国自治宝くじ,令和8年8月14日\r\n"
               "本数字,03,10,14,17,18,20,25,ボーナス数字,19,34\r\n１等,該当なし,該当なし\r\n"
               "２等,7口,\"9,453,700円\"\r\n３等,133,573100\r\n４等,6,749口,6,800円\r\n"
               "５等,104,182,1,400\r\n６等,164,199口,1,000円\r\n"
               "キャリーオーバー,1,250,502,065円\r\n")
        << QStringLiteral("0123456789,\"\r\n口円等回第令和年月日ロト７ 該");
}

void TestResultsImport::editedLinesAreTakenOnlyAsTheLoaderReadsThemBack() {
    QFETCH(QString, text);
    QFETCH(QString, alphabet);
    const TempProgramDir dir; // nothing held
    const HeldResults held = HeldResults::read(dir.filePath(QStringLiteral("download")));
    QRandomGenerator random(29);
    for (int round = 0; round < 3000; ++round) {
        const QString line = mutatedLine(text, alphabet, random);
        for (const ImportRow& row : checkImport(readResultsText(line), held)) {
            if (!row.taken())
                continue;
            DrawTable back;
            const QString written = QString::fromLatin1(normalDrawLine(row.draw));
            QVERIFY2(errorOf([&] { appendDrawLines({written}, back); }) == u"(no error)"_qs &&
                         back.at(0).DrawNumber == row.draw.drawNumber &&
                         back.at(0).drawDate() == row.draw.date,
                     qPrintable(line + u" -> "_qs + written));
            PrizeTable prizes;
            if (row.draw.prize)
                QCOMPARE(errorOf([&] {
                             appendPrizeLines(
                                 {QString::fromLatin1(normalPrizeLine(*row.draw.prize))}, prizes);
                         }),
                         u"(no error)"_qs);
        }
    }
}

void TestResultsImport::failedWriteLeavesEachFileOldOrNew_data() {
    QTest::addColumn<int>("extraBytes");
    // Room for: neither backup; the draw backup only; both backups and the new
    // draw file, not the grown prize file (the draw file must go back).
    QTest::newRow("first backup") << -40000;
    QTest::newRow("second backup") << -10000;
    QTest::newRow("second file") << 10;
}

void TestResultsImport::failedWriteLeavesEachFileOldOrNew() {
    QFETCH(int, extraBytes);
    const TempProgramDir dir;
    dir.writeStartingData();
    const QByteArray oldDraws = dir.readFile(kDraws);
    const QByteArray oldPrizes = dir.readFile(kPrizes);
    const QString text = QStringLiteral("690,2026/08/14,03,10,14,17,18,20,25,19,34\n"
                                        "690,1,1,2,2,3,3,4,4,5,5,6,6,0");
    QString error;
    {
        const FileSizeLimit limit(oldPrizes.size() + extraBytes);
        QVERIFY(limit.active());
        error = errorOf([&] { importText(dir, text); });
    }
    QVERIFY2(error.startsWith(QStringLiteral("ファイルに書き込めません")), qPrintable(error));
    QCOMPARE(dir.readFile(kDraws), oldDraws);
    QCOMPARE(dir.readFile(kPrizes), oldPrizes);
    const QStringList left = QDir(dir.filePath(QStringLiteral("download")))
                                 .entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& name : left) // no temporary file stays behind
        QVERIFY2(name.endsWith(QStringLiteral(".csv")) || name.endsWith(kBackupSuffix),
                 qPrintable(name));
}

SEPTARION_CORE_TEST_MAIN(TestResultsImport)
#include "test_resultsimport.moc"
