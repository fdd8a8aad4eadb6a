#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

// The window's state while a long command runs (load, export, generation,
// matching, download): the tabs and the menu disabled, the busy cursor, an
// optional please-wait text. Only one long command runs at a time; a command
// may run parts that are long commands of their own as its steps (see
// BusyScope::runStep).
class BusyState {
public:
    // What a long command disables, and how the please-wait box is shown and
    // hidden. Set once by the main window.
    static void attach(const QList<QWidget*>& disabled,
                       std::function<void(const QString&)> showWait,
                       std::function<void()> hideWait);
    static void detach();

    // True while a long command runs.
    static bool isBusy();

    // Asks the running command to end at its next step (the window closes);
    // `afterwards` runs once the command has ended, from the event loop.
    // Without a running command it runs at once.
    static void requestStop(std::function<void()> afterwards);
    // True once a stop has been asked for; long loops check it after each step.
    static bool stopRequested();

    // Disables what a running command that locked nothing (NothingToLock)
    // would have disabled, until it ends: a box it shows puts the window in
    // front of the user. Nothing happens when no command runs or it locked.
    static void lockNow();

    // A step of the running command that shows how far it is: the text goes
    // into the please-wait box (shown now if it was not), which then offers
    // to be closed; closing it asks the step to stop (progressStopped()).
    // endProgress() takes the box away again unless the command showed its own
    // text, and forgets the stop. Nothing is shown when no command runs.
    static void showProgress(const QString& text);
    static bool progressShown();
    // The box was closed by the user while it showed a step's progress.
    static void stopProgress();
    static bool progressStopped();
    static void endProgress();

private:
    friend class BusyScope;
    static bool enter(const QString& waitText, bool busyCursor, bool lock);
    static void leave();
    static void runStep(bool handOver, const std::function<void()>& step);
};

// A long command for the life of a scope: on entry it disables the tabs and
// the menu, sets the busy cursor and shows the please-wait text (when given);
// everything is restored however the scope is left.
//
// When another long command already runs, nothing is done and entered() is
// false: the caller returns. That refusal is what keeps a second command out,
// e.g. one started from the event loop while the running one lets messages
// through. A command that calls another on purpose hands it over explicitly
// with runStep(): the first scope opened in the step joins the running command
// (entered() is true; its own wait text and cursor are not applied, the
// command's stay) and the outermost scope restores everything when it ends.
// Scopes opened later, also from the event loop while the step runs, are
// refused as before.
//
// A command that runs before the window can take any input (the first load,
// while the window is being shown) need not disable anything: NothingToLock.
class BusyScope {
public:
    enum Cursor { WithCursor, WithoutCursor };
    enum Lock { LockTabsAndMenu, NothingToLock };
    explicit BusyScope(const QString& waitText = {}, Cursor cursor = WithCursor,
                       Lock lock = LockTabsAndMenu)
        : m_entered(BusyState::enter(waitText, cursor == WithCursor, lock == LockTabsAndMenu)) {}
    ~BusyScope() {
        if (m_entered)
            BusyState::leave();
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    bool entered() const { return m_entered; }

    // Runs `step` as a part of this command: the first scope opened while it
    // runs joins this one instead of being refused. On a scope that was not
    // entered the step runs without that hand-over.
    void runStep(const std::function<void()>& step) const { BusyState::runStep(m_entered, step); }

private:
    bool m_entered;
};

// The progress of a long run started from a form that waits for input
// between its runs: shown in the please-wait box once the run has lasted
// `delay` milliseconds, then at most every `interval` milliseconds. report()
// says whether to go on: not once that box was closed, the window is closing
// or `stopAsked` was set (the form was closed during the run).
class DelayedProgress {
public:
    DelayedProgress(const bool& stopAsked, int delay, int interval = 0);
    bool report(const QString& text);

private:
    const bool& m_stopAsked;
    int m_delay;
    int m_interval;
    QElapsedTimer m_clock;
    qint64 m_shownAt = -1;
};

// The busy cursor for one long step of a command whose scope went without it
// (a box that waits for input between its steps), restored however the step
// ends.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// A form's long run, which closing the form stops: while it runs, the form's
// reject() only asks it to stop (stopInsteadOfClosing) and the form closes
// when the run has ended; the form's other commands wait for it.
class LongRun {
public:
    // One run, under the busy cursor; on leaving, the progress box is gone
    // and the run is over, however it ended.
    class Scope {
    public:
        explicit Scope(LongRun& run);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        LongRun& m_run;
        BusyCursor m_cursor;
    };

    bool running() const { return m_running; }
    // Set when the form was closed during the run; DelayedProgress reads it.
    const bool& stopAsked() const { return m_stopAsked; }
    // For the form's reject(): during a run, asks it to stop and returns true.
    bool stopInsteadOfClosing();

private:
    bool m_running = false;
    bool m_stopAsked = false;
};
