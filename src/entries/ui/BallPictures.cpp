#include "entries/ui/BallPictures.h"

#include "common/ComType.h"
#include "common/ui/UiFonts.h"

#include <QPainter>
#include <array>

namespace {

struct BallColours {
    QColor disc;
    QColor digits;
};

// Indexed by number modulo 6.
const std::array<BallColours, 6> kCycle = {{
    {QColor(255, 0, 255), Qt::white}, // 0: 6, 12, ... fuchsia
    {QColor(0, 0, 255), Qt::white},   // 1: 1, 7, ...  blue
    {QColor(0, 0, 128), Qt::white},   // 2: 2, 8, ...  navy
    {QColor(255, 255, 0), Qt::black}, // 3: 3, 9, ...  yellow
    {QColor(0, 255, 0), Qt::white},   // 4: 4, 10, ... green
    {QColor(0, 255, 255), Qt::black}, // 5: 5, 11, ... aqua
}};

QPixmap drawBall(int number) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ballDiscColour(number));
    painter.drawEllipse(QRectF(1, 1, 30, 30));
    painter.setPen(ballDigitColour(number));
    QFont font = gothicFont(15, true);
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Noto Sans CJK JP")});
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QString::number(number));
    return pixmap;
}

} // namespace

QColor ballDiscColour(int number) {
    return kCycle[((number % 6) + 6) % 6].disc;
}

QColor ballDigitColour(int number) {
    return kCycle[((number % 6) + 6) % 6].digits;
}

const QPixmap& ballPicture(int number) {
    static const std::array<QPixmap, kMaxNumber> pictures = [] {
        std::array<QPixmap, kMaxNumber> all;
        for (int n = 1; n <= kMaxNumber; ++n)
            all[n - 1] = drawBall(n);
        return all;
    }();
    static const QPixmap none;
    if (number < 1 || number > kMaxNumber)
        return none;
    return pictures[number - 1];
}
