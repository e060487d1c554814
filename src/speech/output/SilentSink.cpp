#include "SilentSink.h"

#include <algorithm>

bool SilentSink::open(int sampleRate)
{
    std::lock_guard lock(m_mutex);
    if (sampleRate <= 0)
        return false;
    m_sampleRate = sampleRate;
    return true;
}

void SilentSink::advance()
{
    const Clock::time_point now = Clock::now();
    if (!m_paused) {
        const double elapsed = std::chrono::duration<double>(now - m_last).count();
        m_played = std::min(double(m_written), m_played + elapsed * m_sampleRate);
    }
    m_last = now;
}

void SilentSink::begin()
{
    std::lock_guard lock(m_mutex);
    m_written = 0;
    m_played = 0;
    m_last = Clock::now();
}

void SilentSink::write(const qint16 *, qsizetype count)
{
    std::lock_guard lock(m_mutex);
    advance();
    m_written += std::max<qsizetype>(count, 0);
}

qint64 SilentSink::played()
{
    std::lock_guard lock(m_mutex);
    advance();
    return qint64(m_played);
}

void SilentSink::end()
{
    std::lock_guard lock(m_mutex);
    m_written = 0;
    m_played = 0;
}

void SilentSink::setPaused(bool paused)
{
    std::lock_guard lock(m_mutex);
    advance();
    m_paused = paused;
}

qint64 SilentSink::written() const
{
    std::lock_guard lock(m_mutex);
    return m_written;
}
