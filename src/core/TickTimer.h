#pragma once

#include <QObject>
#include <QTimer>

// A timer of the program's windows. The tick tables were drawn for a host whose timers
// ticked at most 64 times a second, so an interval under kFloorMs ticks every kFloorMs:
// blinks and fades keep their pace, and the idle program does not wake a thousand times a
// second. Logic reads interval() (the nominal value) and isEnabled(), which scripts may
// change; tests drive the tick handlers directly.
class TickTimer : public QObject {
    Q_OBJECT
public:
    static constexpr int kFloorMs = 16;

    TickTimer(int intervalMs, bool enabled, QObject *parent = nullptr);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    int interval() const { return m_interval; }
    void setInterval(int intervalMs);

    // The period the timer really runs with.
    int effectiveInterval() const;
    static int effectiveInterval(int intervalMs);

signals:
    void tick();

private:
    void apply();

    QTimer m_timer;
    int m_interval;
    bool m_enabled;
};
