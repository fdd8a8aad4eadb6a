#include "app/ui/ProgramIcon.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap programIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/icons/septarion.svg"));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return pixmap;
}

QIcon programIcon() {
    // Rendered once: every window asks for it, and drawing the seven sizes
    // from the vector picture costs more than building a page. Kept for the
    // life of the process (never destroyed after the application object).
    static const QIcon* const icon = [] {
        auto* built = new QIcon;
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            built->addPixmap(programIconPixmap(size));
        return built;
    }();
    return *icon;
}
