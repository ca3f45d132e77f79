#include "LongOperation.h"

#include <QCoreApplication>

namespace {

int g_running = 0;

LongOperation::BusyHook &busyHook()
{
    static LongOperation::BusyHook hook;
    return hook;
}

} // namespace

void LongOperation::setBusyHook(BusyHook hook)
{
    busyHook() = std::move(hook);
}

bool LongOperation::isBusy()
{
    return g_running > 0;
}

LongOperation::LongOperation(int intervalMs, QEventLoop::ProcessEventsFlags flags)
    : m_intervalMs(intervalMs), m_flags(flags)
{
    if (g_running++ == 0 && busyHook())
        busyHook()(true);
}

LongOperation::~LongOperation()
{
    if (--g_running == 0 && busyHook())
        busyHook()(false);
}

void LongOperation::pump(bool force)
{
    if (!m_clock.isValid() || force || m_clock.elapsed() >= m_intervalMs) {
        QCoreApplication::processEvents(m_flags);
        m_clock.start();
    }
}

void LongOperation::pumpNow()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
