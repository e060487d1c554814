#include "PosixChildProcess.h"

#include "ScriptClock.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace vbs {

namespace {

void closeFd(int &fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

int indexOf(ChildProcess::Stream stream)
{
    return stream == ChildProcess::Stream::Output ? 0 : 1;
}

// A write to a pipe whose reader has gone raises SIGPIPE, which would end the whole program;
// it is held back for this thread and taken off again, so the write only fails.
ssize_t writeWithoutSigpipe(int fd, const char *data, size_t size)
{
    sigset_t pipeSignal, old;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &old);
    const ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EPIPE) {
        const timespec none{0, 0};
        while (sigtimedwait(&pipeSignal, nullptr, &none) > 0) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    return written;
}

} // namespace

// Ignored signals stay ignored across exec; a sound library in the program ignores SIGPIPE,
// and a program in a pipeline needs it to end when its reader has gone.
DefaultSignals::DefaultSignals()
{
    posix_spawnattr_init(&m_attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&m_attributes, &none);
    posix_spawnattr_setsigdefault(&m_attributes, &defaults);
    posix_spawnattr_setflags(&m_attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
}

DefaultSignals::~DefaultSignals()
{
    posix_spawnattr_destroy(&m_attributes);
}

std::unique_ptr<PosixChildProcess> PosixChildProcess::start(const std::vector<std::string> &words,
                                                            std::function<void()> whileWaiting)
{
    if (words.empty() || words[0].empty())
        return nullptr;
    int in[2], out[2], err[2];
    if (pipe2(in, O_CLOEXEC) != 0)
        return nullptr;
    if (pipe2(out, O_CLOEXEC) != 0) {
        ::close(in[0]);
        ::close(in[1]);
        return nullptr;
    }
    if (pipe2(err, O_CLOEXEC) != 0) {
        for (int fd : {in[0], in[1], out[0], out[1]})
            ::close(fd);
        return nullptr;
    }
    // Larger pipes than the 64 KiB default let a talkative program write on while the
    // script is busy; a system that refuses keeps the default.
    fcntl(out[0], F_SETPIPE_SZ, 1 << 20);
    fcntl(err[0], F_SETPIPE_SZ, 1 << 20);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<char *> argv;
    for (const std::string &w : words)
        argv.push_back(const_cast<char *>(w.c_str()));
    argv.push_back(nullptr);
    const DefaultSignals signals;
    pid_t pid = -1;
    const int failed =
        posix_spawnp(&pid, argv[0], &actions, signals.attributes(), argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    for (int fd : {in[0], out[1], err[1]})
        ::close(fd);
    if (failed != 0) {
        for (int fd : {in[1], out[0], err[0]})
            ::close(fd);
        return nullptr;
    }
    std::unique_ptr<PosixChildProcess> process(new PosixChildProcess);
    process->m_pid = pid;
    process->m_input = in[1];
    process->m_outputs[0] = out[0];
    process->m_outputs[1] = err[0];
    process->m_whileWaiting = std::move(whileWaiting);
    return process;
}

PosixChildProcess::~PosixChildProcess()
{
    closeFd(m_input);
    closeFd(m_outputs[0]);
    closeFd(m_outputs[1]);
    reap();
    if (!m_reaped) {
        const pid_t pid = m_pid;
        std::thread([pid] {
            int status;
            while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }
}

void PosixChildProcess::drain(int index)
{
    char buffer[65536];
    const ssize_t got = ::read(m_outputs[index], buffer, sizeof buffer);
    if (got > 0)
        m_kept[index].append(buffer, static_cast<size_t>(got));
    else if (got == 0 || (errno != EINTR && errno != EAGAIN))
        closeFd(m_outputs[index]);
}

bool PosixChildProcess::pump(bool writing)
{
    // The script waits here on the program, and on the user's events meanwhile, for as long
    // as it may wait at all.
    ScriptClock::stopIfWaitsSpent();
    const ScriptClock::Clock::duration left = ScriptClock::waitsLeft();
    int timeoutMs = m_whileWaiting ? 20 : -1;
    if (left < std::chrono::hours(1)) {
        const auto leftMs = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        if (timeoutMs < 0 || leftMs < timeoutMs)
            timeoutMs = static_cast<int>(leftMs);
    }
    ScriptClock::Waiting waiting;
    pollfd fds[3];
    int count = 0;
    for (int i = 0; i < 2; ++i)
        if (m_outputs[i] >= 0)
            fds[count++] = {m_outputs[i], POLLIN, 0};
    if (writing && m_input >= 0)
        fds[count++] = {m_input, POLLOUT, 0};
    if (count == 0)
        return false;
    const int ready = ::poll(fds, static_cast<nfds_t>(count), timeoutMs);
    if (ready < 0)
        return errno == EINTR;
    if (ready == 0) {
        if (m_whileWaiting)
            m_whileWaiting();
        return true;
    }
    for (int k = 0; k < count; ++k) {
        if (!(fds[k].revents & (POLLIN | POLLHUP | POLLERR)) || fds[k].fd == m_input)
            continue;
        drain(fds[k].fd == m_outputs[0] ? 0 : 1);
    }
    return true;
}

bool PosixChildProcess::read(Stream stream, std::string &bytes)
{
    const int i = indexOf(stream);
    while (m_kept[i].empty() && m_outputs[i] >= 0)
        pump(false);
    if (m_kept[i].empty())
        return false;
    bytes += m_kept[i];
    m_kept[i].clear();
    return true;
}

bool PosixChildProcess::write(const std::string &bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        if (m_input < 0)
            return false;
        pollfd fd{m_input, POLLOUT, 0};
        if (::poll(&fd, 1, 0) > 0 && (fd.revents & POLLOUT)) {
            const ssize_t n =
                writeWithoutSigpipe(m_input, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<size_t>(n);
                continue;
            }
            if (n < 0 && errno != EINTR && errno != EAGAIN)
                return false;
        }
        if (fd.revents & (POLLERR | POLLHUP))
            return false;
        pump(true);
    }
    return true;
}

void PosixChildProcess::closeInput()
{
    closeFd(m_input);
}

void PosixChildProcess::reap()
{
    if (m_reaped || m_pid <= 0)
        return;
    int status = 0;
    pid_t got;
    do {
        got = waitpid(m_pid, &status, WNOHANG);
    } while (got < 0 && errno == EINTR);
    if (got != m_pid)
        return;
    m_reaped = true;
    if (WIFEXITED(status))
        m_exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        m_exitCode = 128 + WTERMSIG(status);
}

bool PosixChildProcess::running()
{
    reap();
    return !m_reaped;
}

int PosixChildProcess::exitCode()
{
    reap();
    return m_exitCode;
}

void PosixChildProcess::terminate()
{
    reap();
    if (!m_reaped)
        ::kill(m_pid, SIGTERM);
}

} // namespace vbs
