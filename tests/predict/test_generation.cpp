// The random generator, the acceptance rule of each mode, the check for a
// step without candidates, the range marks and the stored exclusion text.
#include "DataLines.h"
#include "SampleData.h"
#include "TestSupport.h"

#include "predict/ExclusionText.h"
#include "predict/GenerationRule.h"

#include <algorithm>

namespace {

PositionCounts sampleCounts() {
    return positionCountsOf(drawTableOf(makeSampleFiles(300).drawResults));
}

// Draws positions 3..7 are always 3..7; position 1 holds 1 or 2 twice each,
// position 2 holds 1 twice, 9 and 10 once. With threshold 2 a line can start
// with 2 (then 1 follows) but not with 1: nothing else reaches 2 at position 2.
PositionCounts trapCounts() {
    QByteArray bytes;
    const QList<QList<int>> mains = {{2, 1, 3, 4, 5, 6, 7},
                                     {2, 1, 3, 4, 5, 6, 7},
                                     {1, 9, 3, 4, 5, 6, 7},
                                     {1, 10, 3, 4, 5, 6, 7}};
    int draw = 4;
    for (const QList<int>& line : mains)
        bytes += drawLine(draw--, QStringLiteral("2013/04/05"), line, {20, 21});
    return positionCountsOf(drawTableOf(bytes));
}

// The numbers of a line in the order they were accepted.
QList<int> acceptanceOrder(LotoRandom& random, const GenerationRule& rule) {
    NumberSet line{};
    QList<int> order;
    for (int k = 0; k < kPositions; ++k) {
        const std::optional<int> n = rule.draw(random, k, line);
        if (!n)
            return {};
        line[*n - 1] = true;
        order.append(*n);
    }
    return order;
}

} // namespace

class TestGeneration : public QObject {
    Q_OBJECT
private slots:
    void generatorSequenceAndSpread() {
        LotoRandom random(0);
        QList<int> first;
        for (int i = 0; i < 8; ++i)
            first.append(random.nextNumber());
        QCOMPARE(first, QList<int>({1, 2, 32, 8, 11, 25, 12, 6}));

        const PositionCounts counts;
        const GenerationRule rule(GenerationMode::Random, 0, counts, NumberSet{});
        LotoRandom fromZero(0);
        const auto line = generateLine(fromZero, rule);
        QVERIFY(line);
        QCOMPARE(QList<int>(line->begin(), line->end()), QList<int>({1, 2, 8, 11, 12, 25, 32}));

        // Every value 1..37 comes up about equally often, from any seed,
        // including the top of the 32-bit range.
        for (quint32 seed : {0U, 4294967295U, 86399999U}) {
            LotoRandom r(seed);
            std::array<int, kMaxNumber + 2> seen{};
            for (int i = 0; i < 37000; ++i) {
                const int n = r.nextNumber();
                QVERIFY2(n >= 1 && n <= kMaxNumber, qPrintable(QString::number(n)));
                ++seen[n];
            }
            for (int n = 1; n <= kMaxNumber; ++n)
                QVERIFY2(seen[n] > 850 && seen[n] < 1150, qPrintable(QString::number(n)));
        }
    }

    void modeRules() {
        const PositionCounts counts = sampleCounts();
        const int threshold = 12;
        const GenerationRule byPosition(GenerationMode::PositionThreshold, threshold, counts,
                                        NumberSet{});
        LotoRandom random(12345);
        for (int i = 0; i < 500; ++i) {
            const QList<int> order = acceptanceOrder(random, byPosition);
            QCOMPARE(order.size(), kPositions);
            for (int j = 1; j <= kPositions; ++j)
                QVERIFY(counts.at(j, order.at(j - 1)) >= threshold);
            QCOMPARE(QSet<int>(order.begin(), order.end()).size(), kPositions);
        }
        // A number never drawn at a position is never accepted there with T = 1.
        const GenerationRule atLeastOnce(GenerationMode::PositionThreshold, 1, counts, NumberSet{});
        QCOMPARE(counts.at(1, 37), 0); // ascending draws: 37 is never the first number
        QVERIFY(!atLeastOnce.accepts(37, 0, NumberSet{}));
        QVERIFY(atLeastOnce.accepts(37, 6, NumberSet{}));

        // Threshold 0 accepts what random mode accepts: the same lines from the same seed.
        const GenerationRule zero(GenerationMode::PositionThreshold, 0, counts, NumberSet{});
        const GenerationRule plain(GenerationMode::Random, 5, counts, NumberSet{});
        LotoRandom a(777);
        LotoRandom b(777);
        for (int i = 0; i < 200; ++i)
            QCOMPARE(generateLine(a, zero), generateLine(b, plain));
        QCOMPARE(a.seed(), b.seed());

        // Exclusion: the applied flags are never in a line, even with the
        // most numbers the editor allows.
        NumberSet excluded{};
        for (int n = 1; n <= 20; ++n)
            excluded[(n * 7) % kMaxNumber] = true;
        const GenerationRule byExclusion(GenerationMode::Exclusion, 0, counts, excluded);
        for (int i = 0; i < 500; ++i) {
            const auto line = generateLine(random, byExclusion);
            QVERIFY(line);
            for (int n : *line)
                QVERIFY(!excluded[n - 1]);
        }
        // The flags count only in the exclusion mode.
        QVERIFY(GenerationRule(GenerationMode::Random, 0, counts, excluded).accepts(8, 0, {}));
        QVERIFY(excluded[7] && !byExclusion.accepts(8, 0, {}));
        for (int other : {4, -1})
            QCOMPARE(modeFromIndex(other), GenerationMode::PositionThreshold);
    }

    void stepWithoutCandidate() {
        const PositionCounts counts = trapCounts();
        const GenerationRule rule(GenerationMode::PositionThreshold, 2, counts, NumberSet{});
        NumberSet afterOne{};
        afterOne[0] = true;
        QVERIFY(rule.hasCandidate(0, NumberSet{}));
        QVERIFY(!rule.hasCandidate(1, afterOne)); // only 1 reaches 2 at position 2, and it is taken
        LotoRandom random(99);
        QCOMPARE(rule.draw(random, 1, afterOne), std::optional<int>());
        QCOMPARE(random.seed(), 99U); // nothing drawn

        // Lines that start with 2 complete, lines that start with 1 do not.
        int complete = 0;
        int stuck = 0;
        for (quint32 seed = 0; seed < 200; ++seed) {
            LotoRandom r(seed);
            const auto line = generateLine(r, rule);
            if (line) {
                QCOMPARE(QList<int>(line->begin(), line->end()), QList<int>({1, 2, 3, 4, 5, 6, 7}));
                ++complete;
            } else {
                ++stuck;
            }
        }
        QVERIFY(complete > 0 && stuck > 0);

        // A threshold above every count stops at the first number.
        const GenerationRule tooHigh(GenerationMode::PositionThreshold, 5, counts, NumberSet{});
        QVERIFY(!tooHigh.hasCandidate(0, NumberSet{}));
        LotoRandom r(1);
        QVERIFY(!generateLine(r, tooHigh));
    }

    void rangeMarksAndThresholdCheck() {
        const PositionCounts counts = trapCounts();
        NumberSet all{};
        all.fill(true);
        for (int j = 1; j <= kPositions; ++j)
            QCOMPARE(numbersAtOrAbove(counts, j, 0), all);
        QCOMPARE(numbersAtOrAbove(counts, 1, 5), NumberSet{});
        NumberSet second{};
        second[0] = true;
        QCOMPARE(numbersAtOrAbove(counts, 2, 2), second);
        second[8] = second[9] = true;
        QCOMPARE(numbersAtOrAbove(counts, 2, 1), second);

        QVERIFY(everyPositionReaches(counts, 0));
        QVERIFY(everyPositionReaches(counts, 2));
        QVERIFY(!everyPositionReaches(counts, 3)); // position 1 has 2 at most
        QVERIFY(!everyPositionReaches(PositionCounts{}, 1));
        QVERIFY(everyPositionReaches(PositionCounts{}, -4));
    }

    void exclusionTextBothWays() {
        NumberSet excluded{};
        excluded[2] = excluded[14] = excluded[21] = true;
        QCOMPARE(exclusionText(excluded), QStringLiteral("03 15 22 "));
        QCOMPARE(exclusionsFromText(QStringLiteral("03 15 22 ")), excluded);
        QCOMPARE(exclusionText(NumberSet{}), QString());
        QCOMPARE(exclusionsFromText(QString()), NumberSet{});

        // A number counts when its three characters occur anywhere.
        QVERIFY(exclusionTextHolds(QStringLiteral("12 03 "), 3));
        QVERIFY(!exclusionTextHolds(QStringLiteral("3 13 "), 3));
        QVERIFY(!exclusionTextHolds(QStringLiteral("03,17,36"), 17));
    }
};

SEPTARION_CORE_TEST_MAIN(TestGeneration)
#include "test_generation.moc"
