#include "common/ui/BusyScope.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScopeGuard>
#include <QTimer>

namespace {
struct State {
    QList<QPointer<QWidget>> disabled;
    std::function<void(const QString&)> showWait;
    std::function<void()> hideWait;
    int depth = 0; // open scopes: the command's own and the steps it joined
    bool stepHandedOver = false;
    bool cursorSet = false;
    bool locked = false;
    bool waitShown = false;
    QString waitText; // the command's own, shown again after a step's progress
    bool stopRequested = false;
    bool progressShown = false; // a step's progress is in the box
    bool progressStopped = false;
    std::function<void()> afterStop;
};

State& state() {
    static State s;
    return s;
}
} // namespace

void BusyState::attach(const QList<QWidget*>& disabled,
                       std::function<void(const QString&)> showWait,
                       std::function<void()> hideWait) {
    State& s = state();
    s.disabled.clear();
    for (QWidget* widget : disabled)
        s.disabled.append(widget);
    s.showWait = std::move(showWait);
    s.hideWait = std::move(hideWait);
}

void BusyState::detach() {
    State& s = state();
    s.disabled.clear();
    s.showWait = nullptr;
    s.hideWait = nullptr;
}

bool BusyState::isBusy() {
    return state().depth > 0;
}

bool BusyState::stopRequested() {
    return state().stopRequested;
}

void BusyState::requestStop(std::function<void()> afterwards) {
    State& s = state();
    if (s.depth == 0) {
        if (afterwards)
            afterwards();
        return;
    }
    s.stopRequested = true;
    s.afterStop = std::move(afterwards);
}

bool BusyState::enter(const QString& waitText, bool busyCursor, bool lock) {
    State& s = state();
    if (s.depth > 0) {
        // Only a step handed over by the running command joins it; taking
        // the hand-over closes it for whatever the step starts meanwhile.
        if (!std::exchange(s.stepHandedOver, false))
            return false;
        ++s.depth;
        return true;
    }
    s.depth = 1;
    s.stopRequested = false;
    if (lock)
        lockNow();
    if (busyCursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        s.cursorSet = true;
    }
    if (!waitText.isEmpty() && s.showWait) {
        s.showWait(waitText);
        s.waitShown = true;
        s.waitText = waitText;
    }
    return true;
}

void BusyState::lockNow() {
    State& s = state();
    if (s.depth == 0 || std::exchange(s.locked, true))
        return;
    for (const auto& widget : std::as_const(s.disabled))
        if (widget)
            widget->setEnabled(false);
}

void BusyState::showProgress(const QString& text) {
    State& s = state();
    if (s.depth == 0 || !s.showWait)
        return;
    s.progressShown = true;
    s.showWait(text);
}

bool BusyState::progressShown() {
    return state().progressShown;
}

void BusyState::stopProgress() {
    State& s = state();
    s.progressStopped = s.progressShown;
}

bool BusyState::progressStopped() {
    return state().progressStopped;
}

void BusyState::endProgress() {
    State& s = state();
    s.progressStopped = false;
    if (!std::exchange(s.progressShown, false))
        return;
    if (s.waitShown && s.showWait)
        s.showWait(s.waitText);
    else if (s.hideWait)
        s.hideWait();
}

void BusyState::leave() {
    State& s = state();
    if (--s.depth > 0)
        return; // a step: the command goes on
    endProgress();
    if (s.waitShown && s.hideWait)
        s.hideWait();
    s.waitShown = false;
    if (s.cursorSet)
        QApplication::restoreOverrideCursor();
    s.cursorSet = false;
    if (std::exchange(s.locked, false))
        for (const auto& widget : std::as_const(s.disabled))
            if (widget)
                widget->setEnabled(true);
    s.stopRequested = false;
    if (auto afterwards = std::exchange(s.afterStop, nullptr))
        QTimer::singleShot(0, qApp, std::move(afterwards));
}

void BusyState::runStep(bool handOver, const std::function<void()>& step) {
    State& s = state();
    const bool before = std::exchange(s.stepHandedOver, handOver);
    const auto restore = qScopeGuard([&s, before] { s.stepHandedOver = before; });
    step();
}

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}

LongRun::Scope::Scope(LongRun& run) : m_run(run) {
    run.m_running = true;
    run.m_stopAsked = false;
}

LongRun::Scope::~Scope() {
    BusyState::endProgress();
    m_run.m_running = false;
}

bool LongRun::stopInsteadOfClosing() {
    m_stopAsked = m_running;
    return m_running;
}

DelayedProgress::DelayedProgress(const bool& stopAsked, int delay, int interval)
    : m_stopAsked(stopAsked), m_delay(delay), m_interval(interval) {
    m_clock.start();
}

bool DelayedProgress::report(const QString& text) {
    const qint64 now = m_clock.elapsed();
    if (now >= m_delay && (m_shownAt < 0 || now - m_shownAt >= m_interval)) {
        m_shownAt = now;
        BusyState::showProgress(text);
        QCoreApplication::processEvents();
    }
    return !m_stopAsked && !BusyState::progressStopped() && !BusyState::stopRequested();
}
