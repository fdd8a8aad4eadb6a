// The program's boxes on the smallest screen they are made for: 1024 x 640
// logical pixels (a 1280 x 800 screen at 125 %). Run on an offscreen screen
// of that size (tests/CMakeLists.txt).
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
    }

    void boxesFitTheScreen() {
        QFETCH(QString, command);
        newProgramFolder();
        m_dir->writeStartingData();
        openWindow();
        QCOMPARE(m_form->screen()->size(), QSize(1024, 640));
        QDialog* seen = nullptr;
        QRect frame;
        QRect available;
        QTimer poll;
        connect(&poll, &QTimer::timeout, m_form.get(), [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!box || seen)
                return;
            seen = box;
            frame = box->frameGeometry();
            available = box->screen()->availableGeometry();
            VERIFY_LAID_OUT(box);
            box->reject();
        });
        poll.start(10);
        find<QAction>(command)->trigger();
        QVERIFY(seen);
        QVERIFY2(available.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                           .arg(frame.x())
                                                           .arg(frame.y())
                                                           .arg(frame.width())
                                                           .arg(frame.height())));
    }
};

SEPTARION_TEST_MAIN(TestSmallScreen)
#include "test_smallscreen.moc"
