#include "app/WindowPlacement.h"

#include <algorithm>

namespace {

// The strip along the top of the frame counted as its title bar, and how much
// of it must lie on one screen for the user to grab it with the mouse.
constexpr qint64 kTitleBarHeight = 20;
constexpr qint64 kGrabWidth = 80;
constexpr qint64 kGrabHeight = 10;

// Edges in 64 bits, right and bottom exclusive: stored corners may be any int.
struct Box {
    qint64 left;
    qint64 top;
    qint64 right;
    qint64 bottom;
};

Box boxOf(const QRect& rect) {
    return {rect.x(), rect.y(), qint64(rect.x()) + rect.width(), qint64(rect.y()) + rect.height()};
}

qint64 overlap(qint64 from1, qint64 to1, qint64 from2, qint64 to2) {
    return std::max<qint64>(0, std::min(to1, to2) - std::max(from1, from2));
}

qint64 gap(qint64 from1, qint64 to1, qint64 from2, qint64 to2) {
    return std::max<qint64>({0, from2 - to1, from1 - to2});
}

bool titleBarReachable(const Box& frame, const Box& screen) {
    const qint64 width = frame.right - frame.left;
    const qint64 titleBottom = frame.top + std::min(kTitleBarHeight, frame.bottom - frame.top);
    return overlap(frame.left, frame.right, screen.left, screen.right) >=
               std::min(kGrabWidth, width) &&
           overlap(frame.top, titleBottom, screen.top, screen.bottom) >=
               std::min(kGrabHeight, titleBottom - frame.top);
}

// The screen sharing the most area with the frame, or when none does, the
// one closest to it.
Box nearestScreen(const Box& frame, const QList<Box>& screens) {
    const auto closeness = [&frame](const Box& screen) {
        const qint64 shared = overlap(frame.left, frame.right, screen.left, screen.right) *
                              overlap(frame.top, frame.bottom, screen.top, screen.bottom);
        const qint64 dx = gap(frame.left, frame.right, screen.left, screen.right);
        const qint64 dy = gap(frame.top, frame.bottom, screen.top, screen.bottom);
        return std::pair(-shared, dx + dy);
    };
    return *std::min_element(
        screens.cbegin(), screens.cend(),
        [&closeness](const Box& a, const Box& b) { return closeness(a) < closeness(b); });
}

} // namespace

QPoint placeWindowFrame(QPoint storedCorner, QSize frameSize,
                        const QList<QRect>& availableScreens) {
    const qint64 width = std::max(1, frameSize.width());
    const qint64 height = std::max(1, frameSize.height());
    const Box frame{storedCorner.x(), storedCorner.y(), storedCorner.x() + width,
                    storedCorner.y() + height};
    QList<Box> screens;
    for (const QRect& rect : availableScreens) {
        if (!rect.isEmpty())
            screens.append(boxOf(rect));
    }
    if (screens.isEmpty())
        return storedCorner;
    for (const Box& screen : screens) {
        if (titleBarReachable(frame, screen))
            return storedCorner;
    }
    const Box screen = nearestScreen(frame, screens);
    const qint64 left = std::max(screen.left, std::min(frame.left, screen.right - width));
    const qint64 top = std::max(screen.top, std::min(frame.top, screen.bottom - height));
    return {int(left), int(top)};
}
