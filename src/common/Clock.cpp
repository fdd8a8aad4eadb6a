#include "common/Clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {
QDateTime g_fixedTime;
bool g_pausesEnabled = true;
} // namespace

namespace Clock {

QDateTime currentUtc() {
    return g_fixedTime.isValid() ? g_fixedTime : QDateTime::currentDateTimeUtc();
}

quint32 msecsSinceMidnightUtc() {
    return static_cast<quint32>(currentUtc().time().msecsSinceStartOfDay());
}

void pause(int milliseconds) {
    QCoreApplication::processEvents();
    if (!g_pausesEnabled || milliseconds <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void setFixedTime(const QDateTime& utc) {
    g_fixedTime = utc;
}

void setPausesEnabled(bool enabled) {
    g_pausesEnabled = enabled;
}

} // namespace Clock
