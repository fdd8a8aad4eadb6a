// Placing the value marks of a chart: marks lift only to clear a neighbour,
// and the one that needs the smaller lift is the one that rises.
#include "TestSupport.h"

#include "analysis/MarkLayout.h"

namespace {
// Marks 20 wide and 10 high, 16 apart (neighbours overlap sideways), resting
// with their bottoms at these heights.
QList<QRectF> resting(const QList<qreal>& bottoms) {
    QList<QRectF> marks;
    for (int i = 0; i < bottoms.size(); ++i)
        marks.append(QRectF(16 * i, bottoms.at(i) - 10, 20, 10));
    return marks;
}

QList<qreal> bottomsOf(const QList<QRectF>& marks) {
    QList<qreal> bottoms;
    for (const QRectF& mark : marks)
        bottoms.append(mark.bottom());
    return bottoms;
}
} // namespace

class TestMarkLayout : public QObject {
    Q_OBJECT
private slots:
    void liftsOnlyWhatMustRiseAndByTheLeast() {
        QVERIFY(liftOverlappingMarks({}, 1).isEmpty());
        // Apart, or side by side at heights that do not meet: nothing moves.
        QCOMPARE(bottomsOf(liftOverlappingMarks(resting({100, 80, 100, 60}), 1)),
                 QList<qreal>({100, 80, 100, 60}));
        // Three alike: the middle one rises just above the others.
        QCOMPARE(bottomsOf(liftOverlappingMarks(resting({100, 100, 100}), 1)),
                 QList<qreal>({100, 89, 100}));
        // A low mark between two higher ones that it touches: the higher ones
        // rise a little rather than the low one a lot.
        QCOMPARE(bottomsOf(liftOverlappingMarks(resting({96, 100, 95}), 1)),
                 QList<qreal>({89, 100, 89}));
        // A long row of alike marks: every second one rises, no more.
        const QList<QRectF> row = liftOverlappingMarks(resting(QList<qreal>(9, 50)), 1);
        for (int i = 0; i < row.size(); ++i)
            QCOMPARE(row.at(i).bottom(), i % 2 == 1 ? 39.0 : 50.0);
    }
};

SEPTARION_CORE_TEST_MAIN(TestMarkLayout)
#include "test_marklayout.moc"
