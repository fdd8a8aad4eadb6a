#include "analysis/ui/YenAxis.h"

#include "common/Formats.h"

#include <QCategoryAxis>

#include <algorithm>

namespace {

qint64 yenStep(qint64 top) {
    qint64 step = 1;
    while (true) {
        for (const qint64 factor : {1, 2, 5})
            if (top / (step * factor) <= 5)
                return step * factor;
        step *= 10;
    }
}

} // namespace

void setYenAxisRange(QCategoryAxis* axis, qint64 top) {
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    top = std::max<qint64>(top, 1);
    const qint64 step = yenStep(top);
    const qint64 end = (top + step - 1) / step * step;
    for (qint64 value = 0; value <= end; value += step)
        axis->append(formatYen(static_cast<long double>(value)), static_cast<qreal>(value));
    axis->setRange(0, static_cast<qreal>(end));
}
