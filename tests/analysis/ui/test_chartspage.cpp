// The trend charts tab: which chart shows when, the values it shows, and the
// look that can be checked without looking.
#include "GuiTestSupport.h"

#include "analysis/ChartCounts.h"
#include "analysis/ui/ChartsPage.h"
#include "analysis/ui/TrendChartView.h"
#include "app/ui/Main.h"
#include "common/ui/PageControl.h"
#include "data/ui/HistoryView.h"

#include <QBarCategoryAxis>
#include <QComboBox>
#include <QLegend>
#include <QPushButton>
#include <QValueAxis>

#include <memory>
#include <numeric>

namespace {

int sum(const NumberCounts& counts) {
    return std::accumulate(counts.begin(), counts.end(), 0);
}

// Counts of the main numbers in the first `newest` lines of a draw file,
// split here without the program's reader.
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

} // namespace

class TestChartsPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramDir> m_dir;
    std::unique_ptr<TMainForm> m_form;

    TChartsPage* page() { return control<TChartsPage>(m_form.get(), QStringLiteral("TabSheet3")); }
    QComboBox* kinds() { return control<QComboBox>(m_form.get(), QStringLiteral("cmbChartKind")); }
    TTrendChartView* bars() {
        return control<TTrendChartView>(m_form.get(), QStringLiteral("chartSelect43"));
    }
    TTrendChartView* lines() {
        return control<TTrendChartView>(m_form.get(), QStringLiteral("chartSelect6"));
    }
    // Picks a kind as the user does, then presses the button.
    void draw(int kind) {
        kinds()->setCurrentIndex(kind);
        QTest::mouseClick(control<QPushButton>(m_form.get(), QStringLiteral("btnChartExec")),
                          Qt::LeftButton);
    }
    void start(const QByteArray& draws, const QByteArray& prizes) {
        m_dir->writeDataFiles(draws, prizes);
        m_form = std::make_unique<TMainForm>();
        m_form->show();
        control<TPageControl>(m_form.get(), QStringLiteral("pctrlMain"))->setCurrentIndex(3);
        QCoreApplication::processEvents();
    }

private slots:
    void init() { m_dir = std::make_unique<TempProgramDir>(); }
    void cleanup() {
        m_form.reset();
        m_dir.reset();
    }

    void loadShowsTheNewestTenAndKindsHideTheCharts() {
        m_dir->writeSampleData(25);
        start(m_dir->readFile(QStringLiteral("download/Loto7Number.csv")),
              m_dir->readFile(QStringLiteral("download/Loto7Data.csv")));
        QCOMPARE(kinds()->count(), kChartKindCount);
        QCOMPARE(kinds()->itemText(0), QStringLiteral("抽選数字の傾向グラフ(直近１０回分)"));
        QCOMPARE(kinds()->itemText(12), QStringLiteral("基本数字⑦の個別傾向グラフ(全データ)"));
        QCOMPARE(kinds()->maxVisibleItems(), 15);
        QVERIFY(!kinds()->isEditable());
        QCOMPARE(kinds()->currentIndex(), 0);
        QVERIFY(bars()->isVisible());
        QVERIFY(!lines()->isVisible());
        QCOMPARE(bars()->size(), QSize(622, 418));
        QCOMPARE(lines()->geometry(), bars()->geometry());
        QCOMPARE(sum(bars()->values()), 70);

        // Picking a kind empties the area until the button is pressed.
        kinds()->setCurrentIndex(6);
        QVERIFY(!bars()->isVisible());
        QVERIFY(!lines()->isVisible());
        draw(6);
        QVERIFY(lines()->isVisible());
        QVERIFY(!bars()->isVisible());
        for (int kind = 6; kind < kChartKindCount; ++kind) {
            draw(kind);
            QCOMPARE(sum(lines()->values()), 25);
            QCOMPARE(lines()->values(),
                     chartValues(kind, m_form->drawTable(), m_form->positionCounts()));
        }
        draw(2); // 30 newest of 25 draws: all of them
        QVERIFY(bars()->isVisible());
        QVERIFY(!lines()->isVisible());
        QCOMPARE(sum(bars()->values()), 7 * 25);

        // A reload selects the first kind again and draws it.
        m_form->btnMmsUpdateClick();
        QCOMPARE(kinds()->currentIndex(), 0);
        QVERIFY(bars()->isVisible());
        QCOMPARE(sum(bars()->values()), 70);
    }

    void sortingTheHistoryDoesNotChangeTheChart() {
        m_dir->writeSampleData(40);
        start(m_dir->readFile(QStringLiteral("download/Loto7Number.csv")),
              m_dir->readFile(QStringLiteral("download/Loto7Data.csv")));
        const QByteArray file = m_dir->readFile(QStringLiteral("download/Loto7Number.csv"));
        const NumberCounts before = bars()->values();
        QCOMPARE(before, countsInFile(file, 10));
        auto* history = control<THistoryPage>(m_form.get(), QStringLiteral("TabSheet6"));
        history->viewHistoryColumnClick(3);
        history->viewHistoryColumnClick(0); // draw number, oldest first
        draw(0);
        QCOMPARE(bars()->values(), before);
    }

    void chartLook() {
        // One draw: every number but seven is never drawn and shows 0.
        start(drawLine(1, QStringLiteral("2013/04/05"), {2, 9, 14, 20, 26, 31, 37}, {1, 3}),
              prizeLine(1));
        for (TTrendChartView* chart : {bars(), lines()}) {
            QVERIFY(!chart->chart()->legend()->isVisible());
            QVERIFY(chart->chart()->title().isEmpty());
            QVERIFY(!chart->valueAxis()->isVisible());
            QCOMPARE(chart->numberAxis()->count(), kMaxNumber);
            QCOMPARE(chart->numberAxis()->at(0), QStringLiteral("01"));
            QCOMPARE(chart->numberAxis()->at(36), QStringLiteral("37"));
            QCOMPARE(chart->rubberBand(), QChartView::NoRubberBand);
        }
        QCOMPARE(bars()->series()->objectName(), QStringLiteral("PointSeries1"));
        QCOMPARE(bars()->series()->name(), QStringLiteral("集計グラフ"));
        QCOMPARE(lines()->series()->objectName(), QStringLiteral("BarSeries1"));
        QCOMPARE(lines()->series()->name(), QStringLiteral("統計グラフ"));
        // Bonus numbers 01 and 03 are not counted.
        const QList<TTrendChartView::ValueMark> marks = bars()->valueMarks();
        QCOMPARE(marks.size(), kMaxNumber);
        QCOMPARE(marks.at(0).text, QStringLiteral("0"));
        QCOMPARE(marks.at(1).text, QStringLiteral("1"));
        QCOMPARE(marks.at(2).text, QStringLiteral("0"));
        // Each number has its own colour, neighbours clearly apart.
        for (int n = 1; n < kMaxNumber; ++n)
            QVERIFY(numberColour(n) != numberColour(n + 1));
    }

    void realDrawsAllDataChart() {
        const QString dir = sharedDataDir();
        if (dir.isEmpty())
            QSKIP("The real data folder ../shared/data beside the project is absent");
        QFile draws(dir + QStringLiteral("/Loto7Number.csv"));
        QFile prizes(dir + QStringLiteral("/Loto7Data.csv"));
        QVERIFY(draws.open(QIODevice::ReadOnly) && prizes.open(QIODevice::ReadOnly));
        const QByteArray file = draws.readAll();
        start(file, prizes.readAll());
        QCOMPARE(bars()->values(), countsInFile(file, 10));
        draw(5);
        QCOMPARE(bars()->values(), countsInFile(file, 689));
        QCOMPARE(sum(bars()->values()), 7 * 689);
        // Three-digit marks of neighbours do not run into each other and stay
        // inside the chart.
        for (int kind : {5, 6, 12}) {
            draw(kind);
            QCoreApplication::processEvents();
            TTrendChartView* chart = kind == 5 ? bars() : lines();
            const QList<TTrendChartView::ValueMark> marks = chart->valueMarks();
            for (int i = 0; i < marks.size(); ++i) {
                QVERIFY(chart->rect().contains(marks.at(i).rect.toRect()));
                QCOMPARE(marks.at(i).text, QString::number(chart->values()[i]));
                if (i > 0)
                    QVERIFY2(!marks.at(i).rect.intersects(marks.at(i - 1).rect),
                             qPrintable(QStringLiteral("kind %1, marks %2 and %3")
                                            .arg(kind)
                                            .arg(i)
                                            .arg(i + 1)));
            }
        }
    }
};

SEPTARION_TEST_MAIN(TestChartsPage)
#include "test_chartspage.moc"
