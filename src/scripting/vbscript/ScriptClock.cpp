#include "ScriptClock.h"

namespace vbs {

namespace {
thread_local ScriptClock::Clock::time_point *t_deadline = nullptr;
}

ScriptClock::Running::Running(Clock::time_point &deadline)
    : m_previous(t_deadline)
{
    t_deadline = &deadline;
}

ScriptClock::Running::~Running()
{
    t_deadline = m_previous;
}

ScriptClock::Waiting::Waiting()
    : m_deadline(t_deadline)
    , m_start(Clock::now())
{}

ScriptClock::Waiting::~Waiting()
{
    // The deadline lives in the interpreter that started the wait; the engine keeps a
    // retired interpreter alive until its outermost call returns.
    if (m_deadline && *m_deadline != Clock::time_point::max())
        *m_deadline += Clock::now() - m_start;
}

ScriptClock::Clock::time_point ScriptClock::deadline()
{
    return t_deadline ? *t_deadline : Clock::time_point::max();
}

} // namespace vbs
