#pragma once

#include "data/DrawTable.h"

#include <QByteArray>

// The draws of a draw-result file's bytes (sample or hand-made lines, any
// line ends, blank lines skipped), read by the reference reader.
DrawTable drawTableOf(const QByteArray& drawFile);

// How often each number stands at each position of the table's draws.
PositionCounts positionCountsOf(const DrawTable& table);
