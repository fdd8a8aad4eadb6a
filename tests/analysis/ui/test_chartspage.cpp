// The trend charts tab: which chart shows when, and the values it shows.
#include "GuiTestSupport.h"

#include "analysis/ui/TrendChartView.h"
#include "app/ui/Main.h"
#include "common/ui/PageControl.h"
#include "data/ui/HistoryView.h"

#include <QComboBox>
#include <QPushButton>

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
} // namespace

class TestChartsPage : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramDir> m_dir;
    std::unique_ptr<TMainForm> m_form;

    QComboBox* kinds() { return control<QComboBox>(m_form.get(), QStringLiteral("cmbChartKind")); }
    TTrendChartView* bars() {
        return control<TTrendChartView>(m_form.get(), QStringLiteral("chartSelect43"));
    }
    TTrendChartView* lines() {
        return control<TTrendChartView>(m_form.get(), QStringLiteral("chartSelect6"));
    }
    void draw(int kind) {
        kinds()->setCurrentIndex(kind);
        QTest::mouseClick(control<QPushButton>(m_form.get(), QStringLiteral("btnChartExec")),
                          Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    QByteArray start(const QByteArray& draws, const QByteArray& prizes) {
        m_dir->writeDataFiles(draws, prizes);
        m_form = std::make_unique<TMainForm>();
        m_form->show();
        control<TPageControl>(m_form.get(), QStringLiteral("pctrlMain"))->setCurrentIndex(3);
        return draws;
    }
    QByteArray startWithSample(int draws) {
        m_dir->writeSampleData(draws);
        return start(m_dir->readFile(QStringLiteral("download/Loto7Number.csv")),
                     m_dir->readFile(QStringLiteral("download/Loto7Data.csv")));
    }

private slots:
    void init() { m_dir = std::make_unique<TempProgramDir>(); }
    void cleanup() {
        m_form.reset();
        m_dir.reset();
    }

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
        QCOMPARE(sum(bars()->values()), 7 * 25);
        m_form->btnMmsUpdateClick(); // a reload draws the first kind again
        QCOMPARE(kinds()->currentIndex(), 0);
        QCOMPARE(sum(bars()->values()), 70);
    }

    void sortingTheHistoryDoesNotChangeTheChart() {
        const QByteArray file = startWithSample(40);
        QCOMPARE(bars()->values(), countsInFile(file, 10));
        auto* history = control<THistoryPage>(m_form.get(), QStringLiteral("TabSheet6"));
        history->viewHistoryColumnClick(3);
        history->viewHistoryColumnClick(0);
        draw(0);
        QCOMPARE(bars()->values(), countsInFile(file, 10));
    }

    void realDrawsAndTheirMarks() {
        const QString dir = sharedDataDir();
        if (dir.isEmpty())
            QSKIP("The real data folder ../shared/data beside the project is absent");
        QFile draws(dir + QStringLiteral("/Loto7Number.csv"));
        QFile prizes(dir + QStringLiteral("/Loto7Data.csv"));
        QVERIFY(draws.open(QIODevice::ReadOnly) && prizes.open(QIODevice::ReadOnly));
        const QByteArray file = start(draws.readAll(), prizes.readAll());
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
};

SEPTARION_TEST_MAIN(TestChartsPage)
#include "test_chartspage.moc"
