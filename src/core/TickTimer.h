#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

// A timer of the program's windows. The tick tables were drawn for a host whose timers
// ticked at most 64 times a second, so an interval under kFloorMs ticks every kFloorMs:
// blinks and fades keep their pace, and the idle program does not wake a thousand times a
// second. Logic reads interval() (the nominal value) and isEnabled(), which scripts may
// change; tests drive the tick handlers directly.
//
// An owner that knows what its coming ticks do gives the timer a schedule: how many of the
// next ticks would only advance a count. The timer then sleeps through those and delivers
// them all at once at the moment of the first tick that changes something, so each change
// still happens on the tick it always happened on, and an idle program stays asleep.
class TickTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kFloorMs = 16;
    // A schedule's answer when no tick will change anything until the owner says otherwise
    // through reschedule().
    static constexpr int kNothingPlanned = -1;
    // How many quiet ticks one wake delivers at most; the schedule is asked again after them.
    static constexpr int kMaxQuietTicks = 4096;
    using Schedule = std::function<int()>;

    TickTimer(int intervalMs, bool enabled, QObject *parent = nullptr);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    int interval() const { return m_interval; }
    void setInterval(int intervalMs);

    // The period the timer really runs with.
    int effectiveInterval() const;
    static int effectiveInterval(int intervalMs);

    // The number of coming ticks that change nothing but a count, or kNothingPlanned.
    void setSchedule(Schedule quietTicks);
    // Delivers the quiet ticks whose time has come: for an owner about to change a count
    // behind the timer's back, so that the ticks before the change still fall before it.
    void deliverDue();
    // Delivers what is due and asks the schedule again: for an owner whose counts or plans
    // changed other than by a tick.
    void reschedule();

signals:
    void tick();

private:
    using Clock = std::chrono::steady_clock;

    bool isRunning() const;
    void apply();
    void plan();
    void wake();
    void deliver(int ticks);
    Clock::duration period() const;

    QTimer m_timer;
    int m_interval;
    bool m_enabled;
    Schedule m_schedule;
    // With a schedule: when the last tick, delivered or not, was due, and how many ticks the
    // next wake delivers.
    Clock::time_point m_lastTick;
    int m_planned = 0;
    bool m_delivering = false;
    // A handler changed the timer while its ticks were being delivered.
    bool m_replan = false;
};
