#pragma once

#include <QtGlobal>

class QCategoryAxis;

// A chart's yen axis from 0 to `top` or a little above, labelled in the
// program's "¥1,234" form at round steps (1, 2 or 5 times a power of ten, at
// most six of them). The axis stays on its chart and only takes the new range:
// an axis removed while a box is closed leaves its labels on the chart until
// the command that removed it returns to the event loop, which the box's own
// loop delays.
void setYenAxisRange(QCategoryAxis* axis, qint64 top);
