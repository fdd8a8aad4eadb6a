// The spin edit of draw numbers and counts: the text stays as typed, leaving
// the field only brings a number back within the limits, and every change of
// the text is announced once.
#include "GuiTestSupport.h"

#include "common/ui/SpinEdit.h"

#include <QLineEdit>
#include <QSignalSpy>

class TestSpinEdit : public QObject {
    Q_OBJECT

private slots:
    void textOnLeaving_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("in range") << "123"
                                  << "123";
        QTest::newRow("leading zero") << "0123"
                                      << "0123";
        QTest::newRow("limits") << "1"
                                << "1";
        QTest::newRow("top limit") << "9999"
                                   << "9999";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("not a number") << "12a"
                                      << "12a";
        QTest::newRow("sign") << "-5"
                              << "-5";
        QTest::newRow("below") << "0"
                               << "1";
        QTest::newRow("zeros") << "0000"
                               << "1";
        QTest::newRow("above") << "10000"
                               << "9999";
        QTest::newRow("far above") << "99999999999999999999"
                                   << "9999";
        QTest::newRow("blanks around") << " 0 "
                                       << "1";
    }
    void textOnLeaving() {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        QCOMPARE(spinEditTextOnLeaving(text, 1, 9999), kept);
    }

    void typingSteppingAndLeaving() {
        QWidget window;
        auto* edit = new TSpinEdit(1, 100, 3, &window);
        auto* other = new QLineEdit(&window);
        other->move(0, 40);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy changes(edit, &TSpinEdit::editTextChanged);

        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("0x5-07"));
        QCOMPARE(edit->text(), QStringLiteral("050")); // digits only, three at most
        QCOMPARE(changes.count(), 3);
        other->setFocus(); // leaving: 050 is 50, within the limits
        QCOMPARE(edit->text(), QStringLiteral("050"));
        QCOMPARE(changes.count(), 3);

        edit->setText(QStringLiteral("1000")); // the program is not cut to three
        QCOMPARE(changes.count(), 4);
        QCOMPARE(changes.last().first().toString(), QStringLiteral("1000"));
        edit->setText(QStringLiteral("1000"));
        QCOMPARE(changes.count(), 4); // no change, no announcement
        edit->setFocus();
        other->setFocus();
        QCOMPARE(edit->text(), QStringLiteral("100"));
        QCOMPARE(changes.count(), 5);

        // Steps stay within the limits; from no number they show the lower one.
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(edit->text(), QStringLiteral("100"));
        QTest::keyClick(edit, Qt::Key_PageDown);
        QCOMPARE(edit->text(), QStringLiteral("90"));
        edit->setText(QString());
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(edit->text(), QStringLiteral("1"));
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(edit->text(), QStringLiteral("1"));
        QTest::keyClick(edit, Qt::Key_Up);
        QCOMPARE(edit->text(), QStringLiteral("2"));
        QCOMPARE(changes.count(), 9);
    }
};

SEPTARION_TEST_MAIN(TestSpinEdit)
#include "test_spinedit.moc"
