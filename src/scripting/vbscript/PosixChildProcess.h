#pragma once

#include "ChildProcess.h"

#include <functional>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vbs {

// posix_spawn attributes under which a program starts with no signal blocked and SIGPIPE at
// its default, whatever the program starting it has done with them.
class DefaultSignals {
public:
    DefaultSignals();
    ~DefaultSignals();
    DefaultSignals(const DefaultSignals &) = delete;
    DefaultSignals &operator=(const DefaultSignals &) = delete;
    const posix_spawnattr_t *attributes() const { return &m_attributes; }

private:
    posix_spawnattr_t m_attributes;
};

// A program started directly from its words (never through a shell) with its standard
// streams on pipes. Reading one stream drains the other into memory meanwhile, and writing
// the input drains both, so no program stalls on a full pipe while the script waits on it.
// A program still running when the object goes is left running, and reaped when it ends.
class PosixChildProcess : public ChildProcess {
public:
    // Nothing when the program cannot be started (not found, not executable). whileWaiting,
    // when given, is called every few milliseconds while a read or write waits on the
    // program, so that a program with windows can go on handling its events.
    static std::unique_ptr<PosixChildProcess> start(const std::vector<std::string> &words,
                                                    std::function<void()> whileWaiting = {});
    ~PosixChildProcess() override;

    bool read(Stream stream, std::string &bytes) override;
    bool write(const std::string &bytes) override;
    void closeInput() override;
    bool running() override;
    int exitCode() override;
    int processId() const override { return static_cast<int>(m_pid); }
    void terminate() override;

private:
    PosixChildProcess() = default;
    // Waits until one of the open outputs has more or has ended (or, with writing, until the
    // input takes more) and keeps what came; false when nothing is left to wait for.
    bool pump(bool writing);
    void drain(int index);
    // Takes the exit status if the program has ended; never waits.
    void reap();

    pid_t m_pid = -1;
    int m_input = -1;
    int m_outputs[2] = {-1, -1};
    std::string m_kept[2];
    bool m_reaped = false;
    int m_exitCode = 0;
    std::function<void()> m_whileWaiting;
};

} // namespace vbs
