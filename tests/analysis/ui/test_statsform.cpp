#include "GuiTestSupport.h"

#include "analysis/ui/StatsForm.h"
#include "app/ui/Main.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/StripedGrid.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTabWidget>

class TestStatsForm : public WindowTest {
    Q_OBJECT
private slots:
    void cleanup() {
        setSaveFileNameHook(nullptr);
        closeWindow();
    }

    void everyPageOverTheLatestTenDraws();
    void tooFewDrawsOpenNothing();

private:
    static QString text(QWidget* box, const char* name) {
        return control<QLabel>(box, QString::fromLatin1(name))->text();
    }
    static StripedGrid* grid(QWidget* box, const char* name) {
        auto* found = control<StripedGrid>(box, QString::fromLatin1(name));
        watchModel(found->model());
        return found;
    }
    // The sum of a column's numbers over the rows.
    static int columnSum(const StripedGrid* grid, int column, int rows) {
        int sum = 0;
        for (int row = 0; row < rows; ++row)
            sum += grid->cell(row, column).toInt();
        return sum;
    }
    static QByteArray exported(TStatsForm* box, int page, const QString& path) {
        control<QTabWidget>(box, QStringLiteral("tabStatsPages"))->setCurrentIndex(page);
        ModalAnswerer answerer;
        control<QPushButton>(box, QStringLiteral("btnStatsExport"))->click();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// Draws 680 to 689 of the real data, counted by hand: 36 was a main number
// in 687, 684, 683, 682 and 680 and bonus in 689 and 685; 35 a main number in
// 689, 688, 686 and 681; 2 only bonus (686).
void TestStatsForm::everyPageOverTheLatestTenDraws() {
    newProgramFolder();
    m_dir->writeStartingData();
    QTemporaryDir target;
    const QString path = target.filePath(QStringLiteral("stats.csv"));
    setSaveFileNameHook([&](const SaveFileRequest&) { return path; });
    openWindow();
    QCOMPARE(find<QAction>(QStringLiteral("menuCommandStats"))->text(),
             QStringLiteral("統計(&S)…"));
    ModalAnswerer answerer;
    bool seen = false;
    answerer.onDialog<TStatsForm>([&](TStatsForm* box) {
        seen = true;
        const auto close = qScopeGuard([box] { box->reject(); });
        QCOMPARE(box->windowTitle(), QStringLiteral("統計"));
        QVERIFY(box->isModal() && box->minimumSize() != box->maximumSize());
        QCOMPARE(text(box, "lblStatsNotice"),
                 QStringLiteral("過去の結果は、次回の当せん確率を変えません。"));
        QCOMPARE(text(box, "lblStatsRange"), QStringLiteral("第1回～第689回の689回"));
        auto* shapes = grid(box, "gridStatsShape");
        auto* shape = control<QComboBox>(box, QStringLiteral("cmbStatsShape"));
        shape->setCurrentIndex(static_cast<int>(Shape::Shared));
        QCOMPARE(columnSum(shapes, 1, shapes->dataRowCount()), 688); // draw 1 has none before it

        control<QSpinBox>(box, QStringLiteral("editStatsDraws"))->setValue(10);
        QCOMPARE(text(box, "lblStatsRange"), QStringLiteral("第680回～第689回の10回"));
        QCOMPARE(columnSum(shapes, 1, shapes->dataRowCount()), 10);
        QCOMPARE(shapes->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("前回と共通の個数"));
        QVERIFY(!text(box, "lblStatsShape").isEmpty());

        auto* numbers = grid(box, "gridStatsNumbers");
        QCOMPARE(columnSum(numbers, 1, kMaxNumber), 70);
        QCOMPARE(columnSum(numbers, 2, kMaxNumber), 20);
        QCOMPARE(numbers->rowCells(1).mid(0, 4), (QStringList{"2", "0", "1", "1.89"}));
        QCOMPARE(numbers->rowCells(1).mid(6, 2), (QStringList{"10以上", "10以上"}));
        QCOMPARE(numbers->rowCells(34).mid(0, 3) + numbers->rowCells(34).mid(6, 2),
                 (QStringList{"35", "4", "1", "0", "4"}));
        QVERIFY(numbers->horizontalHeader()->sectionsClickable());
        numbers->sortByColumn(static_cast<int>(NumbersColumn::Main), Qt::DescendingOrder);
        QCOMPARE(numbers->rowCells(0).mid(0, 3) + numbers->rowCells(0).mid(6, 2),
                 (QStringList{"36", "5", "2", "2", "2"}));
        QVERIFY(text(box, "lblStatsUniformity").startsWith(QStringLiteral("37個の数字")));

        auto* pairs = grid(box, "gridStatsPairs");
        int pairSum = 0;
        for (int column = 1; column <= kMaxNumber; ++column)
            pairSum += columnSum(pairs, column, kMaxNumber);
        QCOMPARE(pairSum, 10 * 21 * 2); // 21 pairs a draw, each shown both ways round
        QCOMPARE(pairs->cell(21, 36), QStringLiteral("3"));
        QCOMPARE(pairs->cell(34, 36), QStringLiteral("0"));
        QCOMPARE(pairs->cell(35, 36), QString());
        QVERIFY(pairs->model()
                    ->index(21, 36)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .startsWith(QStringLiteral("22・36: 3回")));
        QCOMPARE(grid(box, "gridStatsTopPairs")->dataRowCount(), kTopPairs);
        QVERIFY(text(box, "lblStatsPairs").startsWith(QStringLiteral("666組のうち")));

        auto* gaps = grid(box, "gridStatsGaps");
        QCOMPARE(gaps->dataRowCount(), 11);
        QCOMPARE(gaps->rowCells(0).mid(0, 5), (QStringList{"689", "", "", "", "●"}));
        QCOMPARE(gaps->cell(0, 36), QStringLiteral("○"));
        QCOMPARE(gaps->rowCells(10).mid(35), (QStringList{"0", "2", "1"}));
        QVERIFY(!text(box, "lblStatsGaps").isEmpty());

        auto* tabs = control<QTabWidget>(box, QStringLiteral("tabStatsPages"));
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            VERIFY_LAID_OUT(box);
        }
        QByteArray bytes = exported(box, 0, path);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF数字,本数字,ボーナス,期待値,95 %範囲,"));
        QCOMPARE(bytes.count("\r\n"), kMaxNumber + 1);
        QVERIFY(bytes.contains("\r\n36,5,2,1.89,")); // sorted as shown
        bytes = exported(box, 1, path);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF,1,2,3,"));
        QCOMPARE(bytes.count("\r\n"), kMaxNumber + 1);
        QCOMPARE(exported(box, 3, path).count("\r\n"), 12);
    });
    find<QAction>(QStringLiteral("menuCommandStats"))->trigger();
    QVERIFY(seen);
}

void TestStatsForm::tooFewDrawsOpenNothing() {
    newProgramFolder();
    m_dir->writeSampleData(9);
    openWindow();
    ModalAnswerer answerer;
    bool opened = false;
    answerer.onDialog<TStatsForm>([&](TStatsForm* box) {
        opened = true;
        box->reject();
    });
    find<QAction>(QStringLiteral("menuCommandStats"))->trigger();
    QVERIFY(!opened);
    QCOMPARE(answerer.texts(),
             QStringList{"統計には10回以上の抽選結果が必要です（読み込まれているのは9回）。"});
}

SEPTARION_TEST_MAIN(TestStatsForm)
#include "test_statsform.moc"
