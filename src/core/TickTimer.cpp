#include "TickTimer.h"

#include <algorithm>

TickTimer::TickTimer(int intervalMs, bool enabled, QObject *parent)
    : QObject(parent)
    , m_interval(intervalMs)
    , m_enabled(enabled)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickTimer::tick);
    apply();
}

void TickTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    apply();
}

void TickTimer::setInterval(int intervalMs)
{
    m_interval = intervalMs;
    apply();
}

int TickTimer::effectiveInterval() const
{
    return effectiveInterval(m_interval);
}

int TickTimer::effectiveInterval(int intervalMs)
{
    return std::max(intervalMs, kFloorMs);
}

void TickTimer::apply()
{
    // A zero interval never ticks, as on the host the tables were written for.
    if (m_enabled && m_interval > 0)
        m_timer.start(effectiveInterval());
    else
        m_timer.stop();
}
