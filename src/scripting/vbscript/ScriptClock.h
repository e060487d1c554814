#pragma once

#include <chrono>

namespace vbs {

// The time-out of the script running on this thread. It counts the script's own work: time
// spent waiting for the user (MsgBox, InputBox) or for another program (Run, Exec, Sleep) is
// given back, so a script is not stopped for an answer that took long to come.
class ScriptClock {
public:
    using Clock = std::chrono::steady_clock;

    // While alive, `deadline` is the running script's. A script started from a host call runs
    // on the same thread, so these nest.
    class Running {
    public:
        explicit Running(Clock::time_point &deadline);
        ~Running();
        Running(const Running &) = delete;
        Running &operator=(const Running &) = delete;

    private:
        Clock::time_point *m_previous;
    };

    // The time from construction to destruction is not counted against the running script.
    class Waiting {
    public:
        Waiting();
        ~Waiting();
        Waiting(const Waiting &) = delete;
        Waiting &operator=(const Waiting &) = delete;

    private:
        Clock::time_point *m_deadline;
        Clock::time_point m_start;
    };

    // The running script's deadline; time_point::max() when no script runs.
    static Clock::time_point deadline();
};

} // namespace vbs
