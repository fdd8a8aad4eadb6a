// The trend charts tab: which chart shows when, and the values it shows.
#include "GuiTestSupport.h"

#include "analysis/ui/TrendChartView.h"
#include "app/ui/Main.h"
#include "common/ui/PageControl.h"
#include "common/ui/UiColors.h"
#include "data/ui/HistoryView.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QPushButton>
#include <QtMath>

#include <memory>
#include <numeric>

namespace {
int sum(const NumberCounts& counts) {
    return std::accumulate(counts.begin(), counts.end(), 0);
}

// Counts of the main numbers in the first lines of a draw file, split here
// without the program's reader.
NumberCounts countsInFile(const QByteArray& bytes, int newest) {
    NumberCounts counts{};
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < newest && i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines.at(i).trimmed().split(',');
        for (int f = 2; f < 9 && f < fields.size(); ++f)
            ++counts[fields.at(f).toInt() - 1];
    }
    return counts;
}
using Marks = QList<TTrendChartView::ValueMark>;

// How far a mark is lifted: on its point, its leader is 5 pixels long.
qreal lift(const TTrendChartView::ValueMark& mark) {
    return mark.anchor.y() - 5 - mark.rect.bottom();
}

// Whether the lifted mark i could come down onto its point, each neighbour it
// then touches rising just clear of it, with no two marks touching and
// shorter leaders in total.
bool couldComeDown(const Marks& marks, int i) {
    Marks moved = marks;
    moved[i].rect.moveBottom(marks.at(i).anchor.y() - 5);
    qreal saved = lift(marks.at(i));
    for (int j : {i - 1, i + 1}) {
        if (j < 0 || j >= moved.size() || !moved.at(j).rect.intersects(moved.at(i).rect))
            continue;
        moved[j].rect.moveBottom(std::min(moved.at(j).rect.bottom(), moved.at(i).rect.top() - 1));
        saved -= lift(moved.at(j)) - lift(marks.at(j));
    }
    for (int j = 0; j + 1 < moved.size(); ++j)
        if (moved.at(j).rect.intersects(moved.at(j + 1).rect))
            return false;
    return saved > 0.5;
}
} // namespace

class TestChartsPage : public WindowTest {
    Q_OBJECT

    QComboBox* kinds() { return find<QComboBox>(QStringLiteral("cmbChartKind")); }
    TTrendChartView* bars() { return find<TTrendChartView>(QStringLiteral("chartSelect43")); }
    TTrendChartView* lines() { return find<TTrendChartView>(QStringLiteral("chartSelect6")); }
    void draw(int kind) {
        kinds()->setCurrentIndex(kind);
        QTest::mouseClick(find<QPushButton>(QStringLiteral("btnChartExec")), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    QByteArray start(const QByteArray& draws, const QByteArray& prizes) {
        m_dir->writeDataFiles(draws, prizes);
        openWindow();
        find<TPageControl>(QStringLiteral("pctrlMain"))->setCurrentIndex(3);
        return draws;
    }
    // The starting data: the real results of draws 1 to 689.
    QByteArray startWithRealData() {
        QFile draws(QStringLiteral(SEPTARION_STARTING_DATA_DIR "/Loto7Number.csv"));
        QFile prizes(QStringLiteral(SEPTARION_STARTING_DATA_DIR "/Loto7Data.csv"));
        if (!draws.open(QIODevice::ReadOnly) || !prizes.open(QIODevice::ReadOnly))
            return {};
        return start(draws.readAll(), prizes.readAll());
    }
    QByteArray startWithSample(int draws) {
        m_dir->writeSampleData(draws);
        return start(m_dir->readFile(QStringLiteral("download/Loto7Number.csv")),
                     m_dir->readFile(QStringLiteral("download/Loto7Data.csv")));
    }

private slots:
    void init() { newProgramFolder(); }
    void cleanup() { closeWindow(); }

    void kindsHideAndTheButtonDraws() {
        startWithSample(25);
        QCOMPARE(kinds()->currentIndex(), 0); // the load drew the newest ten
        QVERIFY(bars()->isVisible() && !lines()->isVisible());
        QCOMPARE(sum(bars()->values()), 70);

        kinds()->setCurrentIndex(6); // picking a kind empties the area
        QVERIFY(!bars()->isVisible() && !lines()->isVisible());
        for (int kind = 6; kind <= 12; ++kind) {
            draw(kind);
            QVERIFY(lines()->isVisible() && !bars()->isVisible());
            QCOMPARE(sum(lines()->values()), 25);
        }
        draw(2); // 30 newest of 25 draws: all of them
        QVERIFY(bars()->isVisible() && !lines()->isVisible());
        VERIFY_LAID_OUT(find<QWidget>(QStringLiteral("TabSheet3")));
        QCOMPARE(sum(bars()->values()), 7 * 25);
        m_form->btnMmsUpdateClick(); // a reload draws the first kind again
        QCOMPARE(kinds()->currentIndex(), 0);
        QCOMPARE(sum(bars()->values()), 70);
    }

    void sortingTheHistoryDoesNotChangeTheChart() {
        const QByteArray file = startWithSample(40);
        QCOMPARE(bars()->values(), countsInFile(file, 10));
        auto* history = find<THistoryPage>(QStringLiteral("TabSheet6"));
        history->viewHistoryColumnClick(3);
        history->viewHistoryColumnClick(0);
        draw(0);
        QCOMPARE(bars()->values(), countsInFile(file, 10));
    }

    void realDrawsAndTheirMarks() {
        const QByteArray file = startWithRealData();
        QVERIFY(!file.isEmpty());
        draw(5);
        QCOMPARE(bars()->values(), countsInFile(file, 689));
        // Three-digit marks of neighbours must not run into each other, and
        // every mark shows its value inside the chart.
        for (int kind : {5, 6, 12}) {
            draw(kind);
            TTrendChartView* chart = kind == 5 ? bars() : lines();
            const QList<TTrendChartView::ValueMark> marks = chart->valueMarks();
            for (int i = 0; i < marks.size(); ++i) {
                QCOMPARE(marks.at(i).text, QString::number(chart->values()[i]));
                QVERIFY(chart->rect().contains(marks.at(i).rect.toRect()));
                QVERIFY(i == 0 || !marks.at(i).rect.intersects(marks.at(i - 1).rect));
            }
        }
    }

    // The labels 01 to 37 under the points, measured with the font they are
    // painted in: each whole inside its box and the boxes apart by a gap
    // one can see.
    void numberLabelsAreWholeAndApart() {
        QVERIFY(!startWithRealData().isEmpty());
        for (int kind : {0, 6}) {
            draw(kind);
            TTrendChartView* chart = kind == 0 ? bars() : lines();
            const QFontMetricsF metrics(chart->numberLabelFont());
            const QList<TTrendChartView::NumberLabel> labels = chart->numberLabels();
            QCOMPARE(labels.size(), 37);
            for (int i = 0; i < labels.size(); ++i) {
                const QRectF box = labels.at(i).rect;
                QCOMPARE(labels.at(i).text, QString::number(i + 101).right(2));
                QVERIFY(box.width() >= metrics.horizontalAdvance(labels.at(i).text));
                QVERIFY(box.height() >= metrics.height());
                QVERIFY(QRectF(chart->rect()).contains(box));
                QVERIFY(box.top() > chart->chart()->plotArea().bottom());
                if (i > 0) {
                    const qreal gap = box.left() - labels.at(i - 1).rect.right();
                    QVERIFY2(
                        gap >= 2,
                        qPrintable(
                            QStringLiteral("%1 px before %2").arg(gap).arg(labels.at(i).text)));
                }
            }
        }
    }

    // Under the plot of either chart: a tick at each slot's edge and none in
    // between; each point in the middle of its slot.
    void numberAxisAndPointsInTheirSlots() {
        QVERIFY(!startWithRealData().isEmpty());
        for (int kind : {0, 6}) {
            draw(kind);
            TTrendChartView* chart = kind == 0 ? bars() : lines();
            const QImage image = chart->grab().toImage();
            const QRectF plot = chart->chart()->plotArea();
            const qreal slot = plot.width() / 37;
            const auto marks = chart->valueMarks();
            const auto ticked = [&](qreal x) {
                return image.pixelColor(qFloor(x), qFloor(plot.bottom()) + 4) != kChartBackdrop;
            };
            for (int i = 0; i < 37; ++i) {
                QVERIFY2(ticked(plot.left() + i * slot) && !ticked(plot.left() + (i + 0.5) * slot),
                         qPrintable(QString::number(i)));
                QCOMPARE(qRound(marks.at(i).anchor.x()), qRound(plot.left() + (i + 0.5) * slot));
            }
        }
    }

    // A mark lifted to clear a neighbour sits right on top of a mark, and no
    // lifted mark could come back down onto its point with shorter leaders
    // in total (its neighbours rising just clear of it instead).
    void leaderLinesAreNoLongerThanNeeded() {
        QVERIFY(!startWithRealData().isEmpty());
        for (int kind = 0; kind < 13; ++kind) {
            draw(kind);
            const Marks marks = (kind < 6 ? bars() : lines())->valueMarks();
            for (int i = 0; i < marks.size(); ++i) {
                const qreal up = lift(marks.at(i));
                QVERIFY(up > -0.01);
                if (up < 0.01)
                    continue;
                const QRectF lower = marks.at(i).rect.translated(0, std::min(up, 1.5));
                const QString where = QStringLiteral("kind %1, mark %2").arg(kind).arg(i + 1);
                QVERIFY2(lower.intersects(marks.value(i - 1).rect) ||
                             lower.intersects(marks.value(i + 1).rect),
                         qPrintable(where));
                QVERIFY2(!couldComeDown(marks, i), qPrintable(where));
            }
        }
    }
};

SEPTARION_TEST_MAIN(TestChartsPage)
#include "test_chartspage.moc"
