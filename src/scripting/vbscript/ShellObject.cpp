#include "ShellObject.h"

#include "DesktopFolders.h"
#include "EnvironmentObject.h"
#include "Library.h"
#include "MemberArgs.h"
#include "ProcessEnvironment.h"
#include "ScriptExec.h"

#include <filesystem>

namespace vbs {

using namespace args;

namespace {

// Members of the object there that this system has nothing to build on: no registry, no
// shortcut files, no event log.
bool isUnsupported(const std::string &lowerName)
{
    return inList(lowerName, {"regread", "regwrite", "regdelete", "createshortcut", "logevent"});
}

std::string memberSpelling(const std::string &lowerName)
{
    static const char *const names[] = {"RegRead", "RegWrite", "RegDelete", "CreateShortcut",
                                        "LogEvent"};
    for (const char *spelt : names)
        if (lowerAscii(spelt) == lowerName)
            return spelt;
    return lowerName;
}

[[noreturn]] void unsupported(const std::string &lowerName)
{
    throw ScriptError{err::NoSuchMember, errorText(err::NoSuchMember) + ": 'WshShell." +
                                             memberSpelling(lowerName) + "'"};
}

[[noreturn]] void notAvailable(const char *member)
{
    throw ScriptError{err::PermissionDenied, std::string(member) + " is not available here"};
}

// %NAME% is replaced where NAME is set; anything else, a lone % included, stays as written.
std::string expandVariables(const std::string &s)
{
    std::string out;
    size_t i = 0;
    while (i < s.size()) {
        const size_t start = s.find('%', i);
        if (start == std::string::npos)
            break;
        const size_t end = s.find('%', start + 1);
        if (end == std::string::npos)
            break;
        out.append(s, i, start - i);
        if (auto value = ProcessEnvironment::get(s.substr(start + 1, end - start - 1))) {
            out += *value;
            i = end + 1;
        } else {
            // The closing % may open the next name: "%NOPE%HOME%".
            out.append(s, start, end - start);
            i = end;
        }
    }
    out.append(s, i, std::string::npos);
    return out;
}

} // namespace

bool Shell::hasMember(const std::string &name) const
{
    const std::string n = lowerAscii(name);
    return isUnsupported(n) ||
           inList(n, {"run", "exec", "sendkeys", "expandenvironmentstrings", "popup", "appactivate",
                      "currentdirectory", "environment", "specialfolders"});
}

Value Shell::invoke(const std::string &name, std::vector<Value> &args)
{
    const std::string n = lowerAscii(name);
    if (isUnsupported(n))
        unsupported(n);
    if (n == "run") {
        count(args, 1, 3);
        const int style = given(args, 1) ? args[1].toInt32() : 1;
        const bool wait = given(args, 2) && args[2].toBool();
        if (!m_services.run)
            notAvailable("Run");
        return Value(static_cast<int32_t>(m_services.run(args[0].toString(), style, wait)));
    }
    if (n == "exec") {
        count(args, 1, 1);
        if (!m_services.exec)
            notAvailable("Exec");
        return Value(std::shared_ptr<HostObject>(
            std::make_shared<ScriptExec>(m_services.exec(args[0].toString()))));
    }
    if (n == "sendkeys") {
        count(args, 1, 2);
        if (!m_services.sendKeys)
            notAvailable("SendKeys");
        m_services.sendKeys(args[0].toString());
        return Value();
    }
    if (n == "appactivate") {
        count(args, 1, 2);
        if (!m_services.appActivate)
            notAvailable("AppActivate");
        // A number names the process whose window is wanted; text is a title.
        if (args[0].isNumeric())
            return Value(m_services.appActivate(std::string(), args[0].toInt32()));
        return Value(m_services.appActivate(args[0].toString(), 0));
    }
    if (n == "expandenvironmentstrings") {
        count(args, 1, 1);
        return Value(expandVariables(args[0].toString()));
    }
    if (n == "currentdirectory") {
        count(args, 0, 0);
        std::error_code ec;
        return Value(std::filesystem::current_path(ec).string());
    }
    if (n == "environment") {
        count(args, 0, 1);
        if (given(args, 0) && !EnvironmentObject::isKind(args[0].toString()))
            fail(err::InvalidCall);
        return Value(std::shared_ptr<HostObject>(std::make_shared<EnvironmentObject>()));
    }
    if (n == "specialfolders") {
        count(args, 0, 1);
        if (given(args, 0)) {
            DesktopFolders folders;
            return folders.invoke("", args);
        }
        return Value(std::shared_ptr<HostObject>(std::make_shared<DesktopFolders>()));
    }
    if (n == "popup") {
        count(args, 1, 4);
        const std::string title = given(args, 2) ? args[2].toString() : "Windows Script Host";
        const int buttons = given(args, 3) ? args[3].toInt32() : 0;
        if (m_services.msgBox)
            return Value(
                static_cast<int32_t>(m_services.msgBox(args[0].toString(), buttons, title)));
        if (m_services.echo)
            m_services.echo(args[0].toString());
        return Value(static_cast<int32_t>(1));
    }
    fail(err::NoSuchMember);
}

void Shell::setProperty(const std::string &name, std::vector<Value> &args, const Value &value)
{
    const std::string n = lowerAscii(name);
    if (isUnsupported(n))
        unsupported(n);
    if (n != "currentdirectory")
        fail(err::NoSuchMember);
    count(args, 0, 0);
    std::error_code ec;
    std::filesystem::current_path(value.toString(), ec);
    if (ec)
        throw ScriptError{-2147024893, "The system cannot find the path specified."};
}

} // namespace vbs
