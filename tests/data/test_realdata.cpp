#include "SampleData.h"
#include "TestSupport.h"

#include "common/Formats.h"
#include "common/ProgramFiles.h"
#include "data/DrawTable.h"
#include "data/PrizeTable.h"

#include <algorithm>
#include <cmath>

namespace {

// Fields of every line of a CR LF file, split here without the program's reader.
QList<QStringList> plainFields(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<QStringList> rows;
    for (const QString& line : QString::fromLatin1(file.readAll()).split(u"\r\n"_qs))
        if (!line.isEmpty())
            rows.append(line.split(u','));
    return rows;
}

void loadFolder(const QString& dir, DrawTable& draws, PrizeTable& prizes) {
    appendDrawLines(ReadLines(dir + QStringLiteral("/Loto7Number.csv")), draws);
    appendPrizeLines(ReadLines(dir + QStringLiteral("/Loto7Data.csv")), prizes);
}

// What the sample generator promises about the files it writes.
void checkSampleInvariants(const DrawTable& draws, const PrizeTable& prizes) {
    QCOMPARE(prizes.count(), draws.count());
    QCOMPARE(draws.at(draws.count() - 1).drawDate(), QDate(2013, 4, 5));
    for (int i = 0; i < draws.count(); ++i) {
        const DrawResult& d = draws.at(i);
        const PrizeRecord& p = prizes.at(i);
        QCOMPARE(d.DrawNumber, draws.count() - i);
        QCOMPARE(p.DrawNumber, d.DrawNumber);
        QCOMPARE(d.drawDate().dayOfWeek(), int(Qt::Friday));
        QVERIFY(!(d.drawDate().month() == 12 && d.drawDate().day() == 31));
        QVERIFY(!(d.drawDate().month() == 1 && d.drawDate().day() <= 3));
        if (i > 0) // one week back, two across the year-end break
            QVERIFY(QList<qint64>({7, 14}).contains(draws.at(i - 1).drawDate().toJulianDay() -
                                                    d.drawDate().toJulianDay()));
        QVERIFY(std::is_sorted(d.MainNumbers.begin(), d.MainNumbers.end()));
        QVERIFY(std::adjacent_find(d.MainNumbers.begin(), d.MainNumbers.end()) ==
                d.MainNumbers.end());
        QVERIFY(d.BonusNumbers[0] != d.BonusNumbers[1]);
        for (int b : d.BonusNumbers)
            QVERIFY(std::find(d.MainNumbers.begin(), d.MainNumbers.end(), b) ==
                    d.MainNumbers.end());
        QCOMPARE(p.Amounts[0] == 0, p.Winners[0] == 0);
        QVERIFY(p.Winners[0] <= 3);
        for (long double amount : p.Amounts)
            QCOMPARE(std::fmod(amount, 100.0L), 0.0L);
        if (i + 1 < draws.count() && p.Winners[0] == 0) // no winner: the carry-over grows
            QVERIFY(p.CarryOver > prizes.at(i + 1).CarryOver);
    }
}

} // namespace

class TestRealData : public QObject {
    Q_OBJECT
private slots:
    void realDraws() {
        const QString dir = startingDataDir();
        DrawTable draws;
        PrizeTable prizes;
        loadFolder(dir, draws, prizes);
        QCOMPARE(draws.count(), 689);
        QCOMPARE(draws.newestDrawNumber(), 689);
        QCOMPARE(draws.nextDrawNumber(), 690);
        QCOMPARE(draws.at(0).drawDate(), QDate(2026, 8, 7));
        QCOMPARE(draws.findByNumber(1)->drawDate(), QDate(2013, 4, 5));

        int expected[kPositions][kMaxNumber + 1] = {};
        for (const QStringList& fields : plainFields(dir + QStringLiteral("/Loto7Number.csv")))
            for (int p = 0; p < kPositions; ++p)
                ++expected[p][fields.at(2 + p).toInt()];
        PositionCounts counts;
        counts.rebuild(draws);
        for (int p = 1; p <= kPositions; ++p)
            for (int n = 1; n <= kMaxNumber; ++n)
                QCOMPARE(counts.at(p, n), expected[p - 1][n]);

        QCOMPARE(prizes.count(), 689);
        const QList<QStringList> rows = plainFields(dir + QStringLiteral("/Loto7Data.csv"));
        QCOMPARE(rows.size(), prizes.count());
        for (int i = 0; i < prizes.count(); ++i)
            QCOMPARE(prizes.at(i).CarryOver, rows[i].at(13).toLongLong());
        int draw408 = 0;
        while (draw408 < prizes.count() && prizes.at(draw408).DrawNumber != 408)
            ++draw408;
        QVERIFY(draw408 < prizes.count());
        QCOMPARE(prizes.at(draw408).displayTexts().at(13),
                 kYenSign + QStringLiteral("5,826,847,840"));
    }

    void committedSampleFiles() {
        DrawTable draws;
        PrizeTable prizes;
        loadFolder(QStringLiteral(SEPTARION_SAMPLE_DIR), draws, prizes);
        QCOMPARE(draws.count(), 650);
        checkSampleInvariants(draws, prizes);
        // The files are the generator's output as it stands.
        const SampleFiles files = makeSampleFiles(650);
        QFile number(QStringLiteral(SEPTARION_SAMPLE_DIR "/Loto7Number.csv"));
        QFile data(QStringLiteral(SEPTARION_SAMPLE_DIR "/Loto7Data.csv"));
        QVERIFY(number.open(QIODevice::ReadOnly) && data.open(QIODevice::ReadOnly));
        QVERIFY(number.readAll() == files.drawResults);
        QVERIFY(data.readAll() == files.prizeData);
    }

    void generatedFiles() {
        const SampleFiles files = makeSampleFiles(4000, 99);
        QVERIFY(makeSampleFiles(4000, 99).prizeData == files.prizeData);
        QVERIFY(makeSampleFiles(4000, 98).drawResults != files.drawResults);
        QVERIFY(files.drawResults.endsWith("\r\n") && !files.drawResults.contains("\n\n"));
        TempProgramDir dir;
        dir.writeDataFiles(files.drawResults, files.prizeData);
        DrawTable draws;
        PrizeTable prizes;
        loadFolder(programPath(QStringLiteral("download")), draws, prizes);
        QCOMPARE(draws.count(), 4000);
        checkSampleInvariants(draws, prizes);
        int above32Bits = 0;
        for (int i = 0; i < prizes.count(); ++i)
            above32Bits += prizes.at(i).CarryOver > 4294967295.0L ? 1 : 0;
        QVERIFY(above32Bits > 0);
        QVERIFY(makeSampleFiles(0).drawResults.isEmpty());
    }
};

SEPTARION_CORE_TEST_MAIN(TestRealData)
#include "test_realdata.moc"
