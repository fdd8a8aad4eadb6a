#include "entries/ui/BallPictures.h"

#include "common/ComType.h"
#include "common/ui/UiColors.h"
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
    {kFuchsia, kWhite}, // 0: 6, 12, ...
    {kBlue, kWhite},    // 1: 1, 7, ...
    {kNavy, kWhite},    // 2: 2, 8, ...
    {kYellow, kBlack},  // 3: 3, 9, ...
    {kLime, kWhite},    // 4: 4, 10, ...
    {kAqua, kBlack},    // 5: 5, 11, ...
}};

// The disc of a number's colour, on a transparent square.
QPixmap drawDisc(const QColor& colour) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(1, 1, 30, 30));
    return pixmap;
}

// The number in its colour on a copy of its disc: six colours, six discs.
QPixmap drawBall(int number, const QPixmap& disc) {
    QPixmap pixmap = disc.copy();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(ballDigitColour(number));
    painter.setFont(latinSansFont(15, true));
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
        std::array<QPixmap, kCycle.size()> discs;
        for (std::size_t k = 0; k < kCycle.size(); ++k)
            discs[k] = drawDisc(kCycle[k].disc);
        std::array<QPixmap, kMaxNumber> all;
        for (int n = 1; n <= kMaxNumber; ++n)
            all[n - 1] = drawBall(n, discs[n % kCycle.size()]);
        return all;
    }();
    static const QPixmap none;
    if (number < 1 || number > kMaxNumber)
        return none;
    return pictures[number - 1];
}
