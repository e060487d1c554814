#include "ScriptClock.h"

#include <algorithm>

namespace vbs {

namespace {
thread_local ScriptClock::Budget *t_budget = nullptr;
}

// The coarse clock must count from the same origin as the one deadlines are set by.
static_assert(std::is_same_v<ScriptClock::Clock, std::chrono::steady_clock>);

thread_local bool ScriptClock::t_longWork = false;

ScriptClock::Running::Running(Budget &budget)
    : m_previous(t_budget)
{
    t_budget = &budget;
}

ScriptClock::Running::~Running()
{
    t_budget = m_previous;
}

ScriptClock::Waiting::Waiting(WaitFor what)
    : m_budget(t_budget)
    , m_what(what)
    , m_start(Clock::now())
{}

ScriptClock::Waiting::~Waiting()
{
    noteLongWork();
    // The budget lives in the interpreter that started the wait; the engine keeps a retired
    // interpreter alive until its outermost call returns.
    if (!m_budget || m_budget->deadline == Clock::time_point::max())
        return;
    const Clock::time_point now = Clock::now();
    Clock::duration waited = now - m_start;
    if (m_what == WaitFor::Program) {
        waited = std::min(waited, m_budget->waitsLeft);
        m_budget->waitsLeft -= waited;
        if (m_budget->waitsLeft <= Clock::duration::zero()) {
            m_budget->deadline = std::min(m_budget->deadline, now);
            return;
        }
    }
    m_budget->deadline += waited;
}

ScriptClock::Clock::time_point ScriptClock::deadline()
{
    return t_budget ? t_budget->deadline : Clock::time_point::max();
}

ScriptClock::Clock::duration ScriptClock::waitsLeft()
{
    return t_budget ? t_budget->waitsLeft : Clock::duration::max();
}

void ScriptClock::stopIfWaitsSpent()
{
    if (waitsLeft() <= Clock::duration::zero())
        throw TimeoutError{0};
}

} // namespace vbs
