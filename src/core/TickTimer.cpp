#include "TickTimer.h"

#include <algorithm>
#include <utility>

TickTimer::TickTimer(int intervalMs, bool enabled, QObject *parent)
    : QObject(parent)
    , m_interval(intervalMs)
    , m_enabled(enabled)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TickTimer::wake);
    apply();
}

void TickTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    // Ticks that were due before the stop still count.
    if (!enabled)
        deliverDue();
    m_enabled = enabled;
    apply();
}

void TickTimer::setInterval(int intervalMs)
{
    deliverDue();
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

void TickTimer::setSchedule(Schedule quietTicks)
{
    deliverDue();
    m_schedule = std::move(quietTicks);
    apply();
}

TickTimer::Clock::duration TickTimer::period() const
{
    return std::chrono::milliseconds(effectiveInterval());
}

bool TickTimer::isRunning() const
{
    return m_enabled && m_interval > 0;
}

void TickTimer::apply()
{
    // A zero interval never ticks, as on the host the tables were written for.
    if (!isRunning()) {
        m_timer.stop();
        m_planned = 0;
        return;
    }
    if (!m_schedule) {
        m_timer.setSingleShot(false);
        m_timer.start(effectiveInterval());
        return;
    }
    // Like a timer started afresh, the first tick comes one period from now.
    m_lastTick = Clock::now();
    plan();
}

void TickTimer::plan()
{
    m_timer.stop();
    m_planned = 0;
    if (m_delivering) {
        m_replan = true;
        return;
    }
    if (!isRunning() || !m_schedule)
        return;
    const int quiet = m_schedule();
    if (quiet < 0)
        return;
    m_planned = std::min(quiet, kMaxQuietTicks) + 1;
    const auto due = m_lastTick + m_planned * period();
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now());
    m_timer.setSingleShot(true);
    m_timer.start(std::max<qint64>(0, wait.count()));
}

void TickTimer::deliverDue()
{
    if (!m_schedule || m_planned == 0 || m_delivering)
        return;
    const auto elapsed = Clock::now() - m_lastTick;
    deliver(int(std::min<qint64>(elapsed / period(), m_planned)));
}

void TickTimer::reschedule()
{
    deliverDue();
    plan();
}

void TickTimer::wake()
{
    if (!m_schedule) {
        emit tick();
        return;
    }
    deliver(m_planned);
    // A wake that came more than a period late starts the count of periods again, as a
    // repeating timer drops the ticks it missed.
    if (Clock::now() - m_lastTick > period())
        m_lastTick = Clock::now();
    plan();
}

void TickTimer::deliver(int ticks)
{
    if (ticks <= 0)
        return;
    m_planned -= ticks;
    m_lastTick += ticks * period();
    m_delivering = true;
    // A handler may stop the timer; the ticks after that never happened.
    for (int i = 0; i < ticks && isRunning(); ++i)
        emit tick();
    m_delivering = false;
    if (std::exchange(m_replan, false))
        plan();
}
