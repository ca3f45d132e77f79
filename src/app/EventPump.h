#pragma once

#include <QElapsedTimer>

// Keeps the windows painting and the "Annulla" buttons working while a long
// operation runs on the GUI thread. Every loop of such an operation calls
// pump() at each item; the pending events are processed at most once every
// interval, so that a loop over many small rows does not spend its time in
// the event loop.
class EventPump {
public:
    explicit EventPump(int intervalMs = 30);

    // Processes the pending events when the interval has elapsed since the
    // last time (or always, when force is true).
    void pump(bool force = false);

    // Processes every pending event now (one-off use).
    static void pumpNow();

private:
    QElapsedTimer m_clock;
    int m_intervalMs;
    bool m_started = false;
};
