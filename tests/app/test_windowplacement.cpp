// Where the main window's frame opens from its stored corner: as stored while
// the title bar can be grabbed on some screen, otherwise fully on the nearest.
#include "TestSupport.h"

#include "app/WindowPlacement.h"

#include <climits>

using Screens = QList<QRect>;

class TestWindowPlacement : public QObject {
    Q_OBJECT

private slots:
    void placesFrame_data();
    void placesFrame();
};

void TestWindowPlacement::placesFrame_data() {
    QTest::addColumn<QPoint>("stored");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<Screens>("screens");
    QTest::addColumn<QPoint>("expected");
    const QSize frame(660, 600);
    const Screens one{{0, 0, 1280, 800}};
    const Screens two{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};

    // Title bar within reach: as stored, even when the window sticks out.
    QTest::newRow("top-left corner") << QPoint(0, 0) << frame << one << QPoint(0, 0);
    QTest::newRow("sticking out right and below")
        << QPoint(900, 500) << frame << one << QPoint(900, 500);
    QTest::newRow("title bar a little above the top")
        << QPoint(100, -5) << frame << one << QPoint(100, -5);
    QTest::newRow("80 pixels of title bar left of the screen edge")
        << QPoint(-580, 100) << frame << one << QPoint(-580, 100);
    QTest::newRow("10 pixels of title bar above the bottom edge")
        << QPoint(100, 790) << frame << one << QPoint(100, 790);
    QTest::newRow("on the second screen") << QPoint(2500, 100) << frame << two << QPoint(2500, 100);
    QTest::newRow("across both screens") << QPoint(1700, 50) << frame << two << QPoint(1700, 50);

    // Out of reach: fully onto the nearest screen.
    QTest::newRow("title bar above the screen, as older versions stored it")
        << QPoint(-1, -20) << frame << one << QPoint(0, 0);
    QTest::newRow("climbed further") << QPoint(-1, -60) << frame << one << QPoint(0, 0);
    QTest::newRow("70 pixels of title bar only")
        << QPoint(-590, 100) << frame << one << QPoint(0, 100);
    QTest::newRow("5 pixels of title bar above the bottom edge")
        << QPoint(100, 795) << frame << one << QPoint(100, 200);
    QTest::newRow("far off") << QPoint(5000, -3000) << frame << one << QPoint(620, 0);
    QTest::newRow("second screen unplugged")
        << QPoint(2500, 100) << frame << one << QPoint(620, 100);
    QTest::newRow("nearest is the right-hand screen")
        << QPoint(9000, 100) << frame << two << QPoint(2540, 100);
    QTest::newRow("below the left-hand screen")
        << QPoint(300, 5000) << frame << two << QPoint(300, 480);
    QTest::newRow("title bar under a panel at the top")
        << QPoint(0, 0) << frame << Screens{{0, 30, 1280, 770}} << QPoint(0, 30);
    QTest::newRow("frame larger than the screen")
        << QPoint(5000, 5000) << QSize(1400, 900) << one << QPoint(0, 0);
    QTest::newRow("extreme stored integers")
        << QPoint(INT_MAX, INT_MIN) << frame << one << QPoint(620, 0);

    QTest::newRow("no screen known")
        << QPoint(5000, -3000) << frame << Screens{} << QPoint(5000, -3000);
}

void TestWindowPlacement::placesFrame() {
    QFETCH(QPoint, stored);
    QFETCH(QSize, frame);
    QFETCH(Screens, screens);
    QFETCH(QPoint, expected);
    QCOMPARE(placeWindowFrame(stored, frame, screens), expected);
}

SEPTARION_CORE_TEST_MAIN(TestWindowPlacement)
#include "test_windowplacement.moc"
