#pragma once

#include <QElapsedTimer>
#include <QEventLoop>

#include <functional>

// One long operation that runs on the GUI thread (upgrade, import, price
// update, ...). While at least one is alive the application is "busy": the
// hook the application installs disables its own commands (Nuovo, Apri,
// Esci, closing the main window, the command table), so that nothing can
// start a second operation or close the program under the first one.
//
// The operation calls pump() at each item: pending events are processed at
// most once per interval, so that the windows paint and the "Annulla" button
// works without a loop over many small rows spending its time in the event
// loop. cancel() sets the flag the operation tests.
//
//     LongOperation op;                    // the application turns busy
//     for (...) { op.pump(); if (op.isCancelled()) break; ... }
//                                          // out of scope: idle again
class LongOperation {
public:
    static constexpr int DefaultIntervalMs = 30;

    // Called with true when the first operation starts and with false when
    // the last one ends.
    using BusyHook = std::function<void(bool busy)>;
    static void setBusyHook(BusyHook hook);
    // Whether a long operation is running now.
    static bool isBusy();

    explicit LongOperation(int intervalMs = DefaultIntervalMs,
                           QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents);
    ~LongOperation();
    LongOperation(const LongOperation &) = delete;
    LongOperation &operator=(const LongOperation &) = delete;

    // Processes the pending events when the interval has elapsed since the
    // last time (or always, when force is true).
    void pump(bool force = false);

    void cancel() { m_cancelled = true; }
    bool isCancelled() const { return m_cancelled; }

    // Processes every pending event once, outside any operation.
    static void pumpNow();

private:
    QElapsedTimer m_clock;
    int m_intervalMs;
    QEventLoop::ProcessEventsFlags m_flags;
    bool m_cancelled = false;
};
