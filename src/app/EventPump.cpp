#include "EventPump.h"

#include <QCoreApplication>

EventPump::EventPump(int intervalMs)
    : m_intervalMs(intervalMs)
{
}

void EventPump::pump(bool force)
{
    if (!m_started || force || m_clock.elapsed() >= m_intervalMs) {
        pumpNow();
        m_clock.start();
        m_started = true;
    }
}

void EventPump::pumpNow()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
