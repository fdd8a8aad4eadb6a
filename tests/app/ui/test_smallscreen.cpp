// The boxes on the smallest screen they are made for, 1024 x 640 logical
// pixels (1280 x 800 at 125 %): an offscreen screen of that size
// (tests/CMakeLists.txt).
#include "GuiTestSupport.h"
#include "LayoutCheck.h"

#include "app/ui/Main.h"

#include <QAction>
#include <QDialog>
#include <QScreen>

class TestSmallScreen : public WindowTest {
    Q_OBJECT
private slots:
    void cleanup() { closeWindow(); }

    void boxesFitTheScreen_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("import") << QStringLiteral("menuCommandImport");
        QTest::newRow("ledger") << QStringLiteral("menuCommandLedger");
        QTest::newRow("ticket") << QStringLiteral("menuCommandTicket");
        QTest::newRow("backtest") << QStringLiteral("menuCommandBacktest");
        QTest::newRow("stats") << QStringLiteral("menuCommandStats");
        QTest::newRow("wheel") << QStringLiteral("menuCommandWheel");
    }
    void boxesFitTheScreen() {
        QFETCH(QString, command);
        newProgramFolder();
        m_dir->writeStartingData();
        openWindow();
        QCOMPARE(m_form->screen()->availableGeometry(), QRect(0, 0, 1024, 640));
        bool seen = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, m_form.get(), [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!box || std::exchange(seen, true))
                return;
            const bool fits = box->screen()->availableGeometry().contains(box->frameGeometry());
            const QStringList faults = layoutFaults(box);
            box->reject(); // first, so that a failure cannot leave it open
            QVERIFY(fits);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u';')));
        });
        poll.start(10);
        find<QAction>(command)->trigger();
        QVERIFY(seen);
    }
};

SEPTARION_TEST_MAIN(TestSmallScreen)
#include "test_smallscreen.moc"
