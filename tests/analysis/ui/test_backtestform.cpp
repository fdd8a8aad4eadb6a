#include "GuiTestSupport.h"

#include "analysis/ui/BacktestForm.h"
#include "app/ui/Main.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/StringGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSet>
#include <QSpinBox>

class TestBacktestForm : public WindowTest {
    Q_OBJECT
private slots:
    void cleanup() {
        setSaveFileNameHook(nullptr);
        TBacktestForm::setProgressDelay(500);
        closeWindow();
    }

    void replayAndFilterOverRealDraws();
    void refusedRuns_data();
    void refusedRuns();
    void closingThePleaseWaitBoxStopsTheRun();

private:
    // Opens the box from the menu over the folder's data, runs `body` on it,
    // then closes it.
    void withForm(ModalAnswerer& answerer, const std::function<void(TBacktestForm*)>& body) {
        openWindow();
        withMenuForm(answerer, QStringLiteral("menuCommandBacktest"), body);
    }
    static QString text(QWidget* box, const char* name) {
        return control<QLabel>(box, QString::fromLatin1(name))->text();
    }
    static void setSpin(QWidget* box, const char* name, int value) {
        control<QSpinBox>(box, QString::fromLatin1(name))->setValue(value);
    }
};

void TestBacktestForm::replayAndFilterOverRealDraws() {
    newProgramFolder();
    m_dir->writeStartingData();
    QTemporaryDir target;
    const QString path = target.filePath(QStringLiteral("backtest.csv"));
    ModalAnswerer answerer;
    withForm(answerer, [&](TBacktestForm* box) {
        QCOMPARE(box->windowTitle(), QStringLiteral("過去検証"));
        QVERIFY(box->isModal());
        QCOMPARE(text(box, "lblBacktestNotice"),
                 QStringLiteral("過去の結果は、次回の当せん確率を変えません。"));
        // 検証 stays put whatever the length of the mode's description.
        auto* rule = control<QComboBox>(box, QStringLiteral("cmbBacktestRule"));
        auto* run = control<QPushButton>(box, QStringLiteral("btnBacktestRun"));
        QSet<int> runTops;
        for (int i = rule->count() - 1; i >= 0; --i) {
            rule->setCurrentIndex(i);
            box->layout()->activate();
            runTops << run->mapTo(box, QPoint()).y();
        }
        QCOMPARE(runTops.size(), 1);
        setSpin(box, "editBacktestLines", 2);
        setSpin(box, "editBacktestDraws", 10);
        control<QPushButton>(box, QStringLiteral("btnBacktestRun"))->click();
        QCOMPARE(box->result().rows.size(), 10);
        QCOMPARE(text(box, "lblBacktestLines"), QStringLiteral("20口"));
        QCOMPARE(text(box, "lblChanceCost"), QStringLiteral("¥6,000"));
        QVERIFY2(
            text(box, "lblBacktestVerdict").startsWith(QStringLiteral("第680回～第689回: 回収率 ")),
            qPrintable(text(box, "lblBacktestVerdict")));
        auto* grid = control<StringGrid>(box, QStringLiteral("gridBacktest"));
        QCOMPARE(grid->dataRowCount(), kPrizeTiers + 1);
        QCOMPARE(grid->cell(6, 0), QStringLiteral("計"));
        VERIFY_LAID_OUT(box);

        // Odd numbers: 3 or 4 of 7 among 19 odd and 18 even numbers.
        control<QCheckBox>(box, QStringLiteral("chkFilterOdd"))->setChecked(true);
        setSpin(box, "editFilterOddMin", 3);
        setSpin(box, "editFilterOddMax", 4);
        control<QPushButton>(box, QStringLiteral("btnFilterCheck"))->click();
        const QString result = text(box, "lblFilterResult");
        QVERIFY2(result.contains(QStringLiteral("6,127,956 / 10,295,472通り")), qPrintable(result));
        QVERIFY(result.contains(QStringLiteral("/ 10回（")));

        setSaveFileNameHook([&](const SaveFileRequest&) { return path; });
        answerer.clear();
        control<QPushButton>(box, QStringLiteral("btnBacktestExport"))->click();
        QCOMPARE(answerer.texts(), QStringList{"正常にファイルの保存が完了しました。"});
        // A changed setting takes away what the old ones produced.
        setSpin(box, "editFilterOddMax", 5);
        QCOMPARE(text(box, "lblFilterResult"), QString());
        setSpin(box, "editBacktestSeed", 2);
        QCOMPARE(text(box, "lblBacktestVerdict"), QString());
        QVERIFY(box->result().rows.isEmpty());
        // Bad input is named, and nothing is judged.
        control<QCheckBox>(box, QStringLiteral("chkFilterForbidden"))->setChecked(true);
        control<QLineEdit>(box, QStringLiteral("editFilterForbidden"))->setText("5 x");
        control<QPushButton>(box, QStringLiteral("btnFilterCheck"))->click();
        QCOMPARE(answerer.texts().last(), QStringLiteral("「x」は1～37の数字ではありません。"));
    });
    QCOMPARE(find<QAction>(QStringLiteral("menuCommandBacktest"))->text(),
             QStringLiteral("過去検証(&B)…"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF予想方法,ランダム\r\n1回の口数,2\r\n検証する回数,10\r\n"
                             "乱数の種,1\r\nフィルター,奇数の個数,3～4\r\n\r\n開催回,"));
    QCOMPARE(bytes.count("\r\n"), 17);
    QVERIFY(bytes.contains("\r\n689,2026/08/07,2,"));
}

void TestBacktestForm::refusedRuns_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("message");
    QTest::newRow("short history") << 30 << 1
                                   << QStringLiteral("検証する回の前に30回分の抽選結果が必要です。"
                                                     "抽選結果は30回分しかありません。");
    QTest::newRow("too many lines") << 2031 << 50
                                    << QStringLiteral("口数×回数は100,000口までです（50口×2,001回"
                                                      "＝100,050口）。口数か検証する回数を"
                                                      "減らしてください。");
}

void TestBacktestForm::refusedRuns() {
    QFETCH(int, draws);
    QFETCH(int, lines);
    QFETCH(QString, message);
    newProgramFolder();
    m_dir->writeSampleData(draws);
    ModalAnswerer answerer;
    withForm(answerer, [&](TBacktestForm* box) {
        setSpin(box, "editBacktestLines", lines);
        setSpin(box, "editBacktestDraws", draws);
        answerer.clear();
        control<QPushButton>(box, QStringLiteral("btnBacktestRun"))->click();
        QCOMPARE(answerer.texts(), QStringList{message});
        QVERIFY(box->result().rows.isEmpty());
    });
}

void TestBacktestForm::closingThePleaseWaitBoxStopsTheRun() {
    newProgramFolder();
    m_dir->writeStartingData();
    TBacktestForm::setProgressDelay(0);
    ModalAnswerer answerer;
    withForm(answerer, [&](TBacktestForm* box) {
        QString shown;
        // Closed at the run's first look at the events, after its first draw.
        closeWaitBoxSoon(box, shown);
        control<QPushButton>(box, QStringLiteral("btnBacktestRun"))->click();
        QCOMPARE(shown, QStringLiteral("過去検証中です… 1 / 100回"));
        QCOMPARE(text(box, "lblBacktestNote"), QStringLiteral("検証を中止しました。"));
        QVERIFY(box->result().rows.isEmpty());
        QVERIFY(!waitBoxVisible());
    });
}

SEPTARION_TEST_MAIN(TestBacktestForm)
#include "test_backtestform.moc"
