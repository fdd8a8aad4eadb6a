// A captioned group box: its caption in its colour and bold, the children
// untouched by either, and the box writing in the application's font.
#include "GuiTestSupport.h"

#include "common/ui/UiFonts.h"
#include "common/ui/UiWidgets.h"

#include <QApplication>
#include <QLabel>

namespace {
// How many pixels of exactly this colour lie in the rows [top, bottom).
int pixelsOf(const QImage& image, const QColor& colour, int top, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}
} // namespace

class TestCaptionedGroup : public QObject {
    Q_OBJECT

private slots:
    void captionColourAndChildren() {
        QWidget page;
        page.setFont(gothicFont(13)); // the pages' font
        page.resize(300, 120);
        QGroupBox* group = captionedGroup(&page, QStringLiteral("GroupBox1"),
                                          QStringLiteral("組合せ数字"), QColor(0, 0, 255));
        group->setGeometry(0, 0, 300, 120);
        auto* label = new QLabel(QStringLiteral("連続口数 ■■■"), group);
        label->setGeometry(10, 40, 200, 30);

        QCOMPARE(group->font(), applicationFont());
        QCOMPARE(label->font(), applicationFont());
        QImage image = group->grab().toImage();
        QVERIFY(pixelsOf(image, QColor(0, 0, 255), 0, 20) > 20);
        QCOMPARE(pixelsOf(image, QColor(0, 0, 255), 20, image.height()), 0);
        QVERIFY(pixelsOf(image, QColor(0, 0, 0), 40, 70) > 20); // the label stays black

        static_cast<TCaptionedGroup*>(group)->setCaptionColour(QColor(255, 0, 255));
        image = group->grab().toImage();
        QVERIFY(pixelsOf(image, QColor(255, 0, 255), 0, 20) > 20);
        QCOMPARE(pixelsOf(image, QColor(0, 0, 255), 0, image.height()), 0);
    }
};

SEPTARION_TEST_MAIN(TestCaptionedGroup)
#include "test_captionedgroup.moc"
