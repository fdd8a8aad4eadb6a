#include "analysis/ui/YenAxis.h"

#include "analysis/Ledger.h"
#include "common/Formats.h"

#include <QCategoryAxis>

#include <algorithm>

void setYenAxisRange(QCategoryAxis* axis, qint64 top) {
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    top = std::max<qint64>(top, 1);
    const qint64 step = yenAxisStep(top);
    const qint64 end = (top + step - 1) / step * step;
    for (qint64 value = 0; value <= end; value += step)
        axis->append(formatYen(static_cast<long double>(value)), static_cast<qreal>(value));
    axis->setRange(0, static_cast<qreal>(end));
}
