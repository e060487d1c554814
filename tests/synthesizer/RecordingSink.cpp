#include "RecordingSink.h"

void RecordingSink::begin()
{
    std::lock_guard lock(m_mutex);
    m_calls << QStringLiteral("begin");
    m_stretches.emplace_back();
    m_finished = false;
    m_clock.begin();
}

void RecordingSink::write(const qint16 *samples, qsizetype count)
{
    std::lock_guard lock(m_mutex);
    if (!m_stretches.empty())
        m_stretches.back().insert(m_stretches.back().end(), samples, samples + count);
    m_clock.write(samples, count);
}

void RecordingSink::finish()
{
    std::lock_guard lock(m_mutex);
    m_calls << QStringLiteral("finish");
    m_finished = true;
}

qint64 RecordingSink::played()
{
    std::lock_guard lock(m_mutex);
    if (m_instant)
        return m_finished ? m_clock.written() : 0;
    return m_clock.played();
}

void RecordingSink::end()
{
    std::lock_guard lock(m_mutex);
    m_calls << QStringLiteral("end");
    m_clock.end();
}

void RecordingSink::setPaused(bool paused)
{
    std::lock_guard lock(m_mutex);
    m_calls << (paused ? QStringLiteral("pause") : QStringLiteral("resume"));
    m_clock.setPaused(paused);
}

QStringList RecordingSink::calls() const
{
    std::lock_guard lock(m_mutex);
    return m_calls;
}

std::vector<std::vector<qint16>> RecordingSink::stretches() const
{
    std::lock_guard lock(m_mutex);
    return m_stretches;
}
