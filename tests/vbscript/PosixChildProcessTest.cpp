#include "PosixChildProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>

using vbs::ChildProcess;
using vbs::PosixChildProcess;

namespace {

std::string readAll(ChildProcess &process, ChildProcess::Stream stream)
{
    std::string text;
    while (process.read(stream, text)) {
    }
    return text;
}

// The hexadecimal mask on the line of /proc/self/status that starts with the field.
unsigned long long statusMask(const std::string &status, const std::string &field)
{
    std::istringstream lines(status);
    std::string line;
    while (std::getline(lines, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stoull(line.substr(field.size() + 1), nullptr, 16);
    ADD_FAILURE() << "no " << field << " in:\n" << status;
    return ~0ULL;
}

constexpr unsigned long long bit(int signal)
{
    return 1ULL << (signal - 1);
}

} // namespace

// A library of the program may ignore SIGPIPE or a thread may block signals; the programs
// started get neither, or a pipeline in them would never learn that its reader has gone.
TEST(PosixChildProcess, StartedProgramsGetDefaultSignals)
{
    struct sigaction ignore = {}, before = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, &before);
    sigset_t term, oldMask;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &term, &oldMask);

    auto process = PosixChildProcess::start({"cat", "/proc/self/status"});

    pthread_sigmask(SIG_SETMASK, &oldMask, nullptr);
    sigaction(SIGPIPE, &before, nullptr);
    ASSERT_TRUE(process);
    const std::string status = readAll(*process, ChildProcess::Stream::Output);
    EXPECT_EQ(statusMask(status, "SigIgn") & bit(SIGPIPE), 0u);
    EXPECT_EQ(statusMask(status, "SigBlk") & bit(SIGTERM), 0u);
}

TEST(PosixChildProcess, WritingToAProgramThatStoppedReadingFailsWithoutEndingTheCaller)
{
    auto process = PosixChildProcess::start({"true"});
    ASSERT_TRUE(process);
    while (process->running()) {
    }
    EXPECT_FALSE(process->write(std::string(1 << 20, 'x')));
    EXPECT_EQ(process->exitCode(), 0);
}

TEST(PosixChildProcess, WaitingLetsTheCallerGetOnWithItsEvents)
{
    int calls = 0;
    auto process =
        PosixChildProcess::start({"sh", "-c", "sleep 0.3; echo late"}, [&calls] { ++calls; });
    ASSERT_TRUE(process);
    EXPECT_EQ(readAll(*process, ChildProcess::Stream::Output), "late\n");
    EXPECT_GE(calls, 2);
}

TEST(PosixChildProcess, NothingStartsWithoutAProgram)
{
    EXPECT_FALSE(PosixChildProcess::start({}));
    EXPECT_FALSE(PosixChildProcess::start({""}));
    EXPECT_FALSE(PosixChildProcess::start({"/no/such/program", "x"}));
    EXPECT_FALSE(PosixChildProcess::start({"/etc/hostname"}));
}
