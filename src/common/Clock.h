#pragma once

#include <QDateTime>

// The program's one view of time: the clock that seeds the generator and the
// pauses between the visible steps of generation and matching. Tests set a
// fixed time and turn the waiting off, so runs are fast and repeatable.
namespace Clock {

// Now, in UTC (the fixed time while one is set).
QDateTime currentUtc();
// Milliseconds since the last midnight, UTC: the generator's seed.
quint32 msecsSinceMidnightUtc();
// Waits the given time while events (painting, input, timers) go on; with
// waiting turned off it only lets the pending events through.
void pause(int milliseconds);

// Test hooks. An invalid time returns to the real clock.
void setFixedTime(const QDateTime& utc);
void setPausesEnabled(bool enabled);

} // namespace Clock
