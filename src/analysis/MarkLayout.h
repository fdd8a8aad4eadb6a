#pragma once

#include <QList>
#include <QRectF>

// Where the value marks of a chart go. Each mark first rests on its point;
// where two neighbouring marks would overlap, marks are lifted so that one
// sits right above the other, `gap` apart. Of the layouts in which a lifted
// mark rests above the unlifted mark of a neighbour (so marks form at most
// two rows), this picks the one whose leaders (point to mark) are shortest in
// total, then lowers every lifted mark as far as its neighbours allow.
// Marks two apart must not overlap sideways.
// `resting`: each mark's rectangle on its point, in point order.
QList<QRectF> liftOverlappingMarks(const QList<QRectF>& resting, qreal gap);
