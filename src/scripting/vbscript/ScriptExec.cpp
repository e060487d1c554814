#include "ScriptExec.h"

#include "ExecStreams.h"
#include "Library.h"
#include "MemberArgs.h"

namespace vbs {

using namespace args;

ScriptExec::ScriptExec(std::unique_ptr<ChildProcess> process)
    : m_process(std::move(process))
    , m_stdOut(std::shared_ptr<HostObject>(
          std::make_shared<ExecReader>(m_process, ChildProcess::Stream::Output)))
    , m_stdErr(std::shared_ptr<HostObject>(
          std::make_shared<ExecReader>(m_process, ChildProcess::Stream::Error)))
    , m_stdIn(std::shared_ptr<HostObject>(std::make_shared<ExecWriter>(m_process)))
{}

bool ScriptExec::hasMember(const std::string &name) const
{
    return inList(lowerAscii(name),
                  {"stdout", "stderr", "stdin", "status", "exitcode", "processid", "terminate"});
}

Value ScriptExec::invoke(const std::string &name, std::vector<Value> &args)
{
    const std::string n = lowerAscii(name);
    count(args, 0, 0);
    if (n == "stdout")
        return m_stdOut;
    if (n == "stderr")
        return m_stdErr;
    if (n == "stdin")
        return m_stdIn;
    if (n == "status")
        return Value(static_cast<int32_t>(m_process->running() ? 0 : 1));
    if (n == "exitcode")
        return Value(static_cast<int32_t>(m_process->exitCode()));
    if (n == "processid")
        return Value(static_cast<int32_t>(m_process->processId()));
    if (n == "terminate") {
        m_process->terminate();
        return Value();
    }
    fail(err::NoSuchMember);
}

void ScriptExec::setProperty(const std::string &, std::vector<Value> &, const Value &)
{
    fail(err::NoSuchMember);
}

} // namespace vbs
