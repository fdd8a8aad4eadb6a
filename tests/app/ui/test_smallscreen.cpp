// The boxes on the smallest screen they are made for, 1024 x 640 logical
// pixels (1280 x 800 at 125 %): an offscreen screen of that size
// (tests/CMakeLists.txt).
#include "GuiTestSupport.h"
#include "LayoutCheck.h"

#include "app/ui/Main.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QScreen>

class TestSmallScreen : public WindowTest {
    Q_OBJECT
private slots:
    void cleanup() { closeWindow(); }

    void boxesFitTheScreen_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("press"); // a button pressed first, when named
        QTest::newRow("import") << QStringLiteral("menuCommandImport") << QString();
        QTest::newRow("ledger") << QStringLiteral("menuCommandLedger") << QString();
        QTest::newRow("ticket") << QStringLiteral("menuCommandTicket") << QString();
        QTest::newRow("backtest") << QStringLiteral("menuCommandBacktest") << QString();
        // Its result text and the run's verdict make the box taller.
        QTest::newRow("backtest, filter checked and run")
            << QStringLiteral("menuCommandBacktest") << QStringLiteral("btnFilterCheck");
        QTest::newRow("stats") << QStringLiteral("menuCommandStats") << QString();
        QTest::newRow("wheel") << QStringLiteral("menuCommandWheel") << QString();
    }
    void boxesFitTheScreen() {
        QFETCH(QString, command);
        QFETCH(QString, press);
        newProgramFolder();
        m_dir->writeStartingData();
        openWindow();
        QCOMPARE(m_form->screen()->availableGeometry(), QRect(0, 0, 1024, 640));
        ModalAnswerer answerer;
        answerer.onDialog<QDialog>([&](QDialog* box) {
            if (!press.isEmpty()) {
                control<QCheckBox>(box, QStringLiteral("chkFilterOdd"))->setChecked(true);
                control<QPushButton>(box, press)->click();
                control<QPushButton>(box, QStringLiteral("btnBacktestRun"))->click();
                QApplication::processEvents();
            }
            const bool fits = box->screen()->availableGeometry().contains(box->frameGeometry());
            const QStringList faults = layoutFaults(box);
            box->reject(); // first, so that a failure cannot leave it open
            QVERIFY(fits);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u';')));
        });
        find<QAction>(command)->trigger();
        QVERIFY(answerer.dialogsDone());
    }
};

SEPTARION_TEST_MAIN(TestSmallScreen)
#include "test_smallscreen.moc"
