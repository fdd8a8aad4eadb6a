#include "GuiTestSupport.h"

#include "analysis/ui/WheelForm.h"
#include "app/ui/Main.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/StringGrid.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>

class TestWheelForm : public WindowTest {
    Q_OBJECT
private slots:
    void init() {
        newProgramFolder();
        m_dir->writeStartingData();
        openWindow();
    }
    void cleanup() {
        setSaveFileNameHook(nullptr);
        TWheelForm::setProgressDelay(500);
        closeWindow();
    }

    void poolToPendingList();
    void refusedPoolBuildsNothing_data();
    void refusedPoolBuildsNothing();
    void closingThePleaseWaitBoxStopsTheRun();

private:
    // Opens the box from the menu, runs `body` on it, then closes it.
    void withForm(ModalAnswerer& answerer, const std::function<void(TWheelForm*)>& body) {
        withMenuForm(answerer, QStringLiteral("menuCommandWheel"), body);
    }
    static void make(TWheelForm* box, const QString& pool) {
        control<QLineEdit>(box, QStringLiteral("editWheelPool"))->setText(pool);
        control<QPushButton>(box, QStringLiteral("btnWheelMake"))->click();
    }
    static StripedGrid* grid(TWheelForm* box, const char* name) {
        return control<StripedGrid>(box, QString::fromLatin1(name));
    }
    static QString text(QWidget* box, const char* name) {
        return control<QLabel>(box, QString::fromLatin1(name))->text();
    }
};

void TestWheelForm::poolToPendingList() {
    // A line already pending stays first.
    for (const int n : {1, 5, 9, 13, 17, 21, 25})
        find<QToolButton>(QStringLiteral("SpeedButton%1").arg(n))->click();
    find<QPushButton>(QStringLiteral("btnSelect"))->click();
    const QStringList first = find<StringGrid>(QStringLiteral("gridSelectItem"))->rowCells(0);
    QTemporaryDir target;
    const QString path = target.filePath(QStringLiteral("wheel.csv"));
    QVector<WheelLine> lines;
    ModalAnswerer answerer;
    withForm(answerer, [&](TWheelForm* box) {
        QCOMPARE(box->windowTitle(), QStringLiteral("ホイール作成"));
        QVERIFY(box->isModal());
        watchModel(grid(box, "gridWheelLines")->model());
        watchModel(grid(box, "gridWheelCover")->model());
        // The "if" count never goes below the match count.
        auto* match = control<QSpinBox>(box, QStringLiteral("editWheelMatch"));
        auto* ifCount = control<QSpinBox>(box, QStringLiteral("editWheelIf"));
        QCOMPARE(std::pair(match->value(), ifCount->value()), std::pair(4, 5));
        match->setValue(6);
        QCOMPARE(std::pair(ifCount->minimum(), ifCount->value()), std::pair(6, 6));
        match->setValue(4);
        ifCount->setValue(5);

        make(box, QStringLiteral("２,4 6、8 10  12 14 16 18 20"));
        QVERIFY(box->wheel().has_value());
        lines = box->wheel()->lines;
        QCOMPARE(text(box, "lblWheelSummary"), wheelSummaryText(*box->wheel()));
        QVERIFY(text(box, "lblWheelSummary").endsWith(QStringLiteral("全252通りで確認済み")));
        QCOMPARE(grid(box, "gridWheelLines")->model()->rowCount(), lines.size());
        QCOMPARE(grid(box, "gridWheelLines")->model()->index(0, 1).data().toString(),
                 QStringLiteral("%1").arg(lines.first().front(), 2, 10, QChar(u'0')));
        QCOMPARE(grid(box, "gridWheelCover")->model()->rowCount(), 8);
        QVERIFY(text(box, "lblWheelVersus").contains(QStringLiteral("期待値を変えません")));
        for (const char* name : {"gridWheelLines", "gridWheelCover"}) {
            const QStringList faults = columnFaults(grid(box, name), true);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u';')));
        }
        VERIFY_LAID_OUT(box);

        setSaveFileNameHook([&](const SaveFileRequest&) { return path; });
        control<QPushButton>(box, QStringLiteral("btnWheelExport"))->click();
        control<QPushButton>(box, QStringLiteral("btnWheelToMain"))->click();
        QCOMPARE(answerer.texts(),
                 (QStringList{QStringLiteral("正常にファイルの保存が完了しました。"),
                              QStringLiteral("%1口を予想メインの申込み数字に追加しました。"
                                             "予想メインの「保存」で保存してください。")
                                  .arg(lines.size())}));
    });
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("\xEF\xBB\xBF"
                                      "02,04,06,08,"));

    auto* pending = find<StringGrid>(QStringLiteral("gridSelectItem"));
    QCOMPARE(pending->dataRowCount(), lines.size() + 1);
    QCOMPARE(pending->rowCells(0), first);
    for (int i = 0; i < lines.size(); ++i)
        for (int p = 0; p < kPositions; ++p)
            QCOMPARE(pending->rowCells(i + 1).at(p + 1).toInt(), lines.at(i).at(p));
    QCOMPARE(find<QLabel>(QStringLiteral("pnlSelectMax"))->text(),
             QStringLiteral("%1口").arg(lines.size() + 1));
    QCOMPARE(find<QAction>(QStringLiteral("menuCommandWheel"))->text(),
             QStringLiteral("ホイール作成(&W)…"));
}

void TestWheelForm::refusedPoolBuildsNothing_data() {
    QTest::addColumn<QString>("pool");
    QTest::addColumn<int>("match");
    QTest::addColumn<QString>("message"); // its start
    QTest::newRow("short") << "1 2 3" << 4
                           << "プールの数字が足りません（3個）。8～20個にしてください。";
    QTest::newRow("repeated") << "1 2 3 4 5 6 7 7" << 4 << "07が重複しています。";
    QTest::newRow("out of range") << "1 2 3 4 5 6 7 38" << 4 << "「38」は1～37の範囲外です。";
    QTest::newRow("over 1,000 lines")
        << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17" << 6 << "1,000口を超えるため作成しません（";
}

void TestWheelForm::refusedPoolBuildsNothing() {
    QFETCH(QString, pool);
    QFETCH(int, match);
    QFETCH(QString, message);
    ModalAnswerer answerer;
    withForm(answerer, [&](TWheelForm* box) {
        make(box, QStringLiteral("1 2 3 4 5 6 7 8"));
        QVERIFY(box->wheel().has_value());
        control<QSpinBox>(box, QStringLiteral("editWheelMatch"))->setValue(match);
        make(box, pool);
        QCOMPARE(answerer.texts().size(), 1);
        QVERIFY2(answerer.texts().front().startsWith(message),
                 qPrintable(answerer.texts().front()));
        QVERIFY(!box->wheel().has_value());
        QCOMPARE(grid(box, "gridWheelLines")->model()->rowCount(), 0);
        QCOMPARE(text(box, "lblWheelSummary"), QString());
    });
}

void TestWheelForm::closingThePleaseWaitBoxStopsTheRun() {
    TWheelForm::setProgressDelay(0);
    ModalAnswerer answerer;
    withForm(answerer, [&](TWheelForm* box) {
        QString shown;
        // Closed at the run's first look at the events.
        closeWaitBoxSoon(box, shown);
        make(box, QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12"));
        QVERIFY2(shown.startsWith(QStringLiteral("ホイールを作成中です… ")), qPrintable(shown));
        QCOMPARE(text(box, "lblWheelSummary"), QStringLiteral("作成を中止しました。"));
        QVERIFY(!box->wheel().has_value());
        QVERIFY(!waitBoxVisible());
    });
}

SEPTARION_TEST_MAIN(TestWheelForm)
#include "test_wheelform.moc"
