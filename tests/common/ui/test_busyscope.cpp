// The busy state of long commands: a second command is refused, a step handed
// over by the running command joins it, and the outermost scope restores the
// window however it ends.
#include "GuiTestSupport.h"

#include "common/ui/BusyScope.h"

#include <QWidget>
#include <stdexcept>

class TestBusyScope : public QObject {
    Q_OBJECT

    QWidget m_tabs;
    int m_waitHidden = 0;

    bool restored() const {
        return !BusyState::isBusy() && m_tabs.isEnabled() && !QApplication::overrideCursor();
    }

private slots:
    void init() {
        m_waitHidden = 0;
        BusyState::attach(
            {&m_tabs}, [](const QString&) {}, [this] { ++m_waitHidden; });
    }
    void cleanup() { BusyState::detach(); }

    void stepJoinsAndTheOutermostRestores() {
        {
            const BusyScope command(QStringLiteral("wait"));
            bool stepEntered = false;
            command.runStep([&] {
                const BusyScope step;
                stepEntered = step.entered();
            });
            QVERIFY(stepEntered);
            QVERIFY(!m_tabs.isEnabled()); // the step's end restored nothing
            QCOMPARE(m_waitHidden, 0);
            QVERIFY(QApplication::overrideCursor());
        }
        QCOMPARE(m_waitHidden, 1);
        QVERIFY(restored()); // the cursor was set once, so it is gone now
    }

    void secondCommandIsRefused() {
        const BusyScope command;
        const BusyScope direct;
        QVERIFY(!direct.entered());
        // A command started from the event loop while a step lets messages through.
        bool fromLoopEntered = true;
        command.runStep([&] {
            const BusyScope step;
            QTimer::singleShot(0, [&] { fromLoopEntered = BusyScope().entered(); });
            QCoreApplication::processEvents();
        });
        QVERIFY(!fromLoopEntered);
        command.runStep([] {}); // a step that opens no scope leaves no hand-over behind
        QVERIFY(!BusyScope().entered());
    }

    void failureInAStepRestores() {
        try {
            const BusyScope command;
            command.runStep([] {
                const BusyScope step;
                throw std::runtime_error("bad line");
            });
        } catch (const std::runtime_error&) {
        }
        QVERIFY(restored());
    }
};

SEPTARION_TEST_MAIN(TestBusyScope)
#include "test_busyscope.moc"
