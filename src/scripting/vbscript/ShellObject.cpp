#include "ShellObject.h"

#include "Errors.h"
#include "Library.h"

#include <cstdlib>

namespace vbs {

namespace {

[[noreturn]] void fail(int number)
{
    throw ScriptError{number, errorText(number)};
}

void argCount(const std::vector<Value> &args, size_t lo, size_t hi)
{
    if (args.size() < lo || args.size() > hi)
        fail(err::WrongArgCount);
}

bool given(const std::vector<Value> &args, size_t i)
{
    return i < args.size() && args[i].type() != Type::Error;
}

bool inList(const std::string &n, std::initializer_list<const char *> names)
{
    for (const char *x : names)
        if (n == x)
            return true;
    return false;
}

} // namespace

bool Shell::hasMember(const std::string &name) const
{
    return inList(lowerAscii(name), {"run", "sendkeys", "expandenvironmentstrings", "popup"});
}

Value Shell::invoke(const std::string &name, std::vector<Value> &args)
{
    std::string n = lowerAscii(name);
    if (n == "run") {
        argCount(args, 1, 3);
        int style = given(args, 1) ? args[1].toInt32() : 1;
        bool wait = given(args, 2) && args[2].toBool();
        if (!m_services.run)
            fail(err::PermissionDenied);
        return Value(static_cast<int32_t>(m_services.run(args[0].toString(), style, wait)));
    }
    if (n == "sendkeys") {
        argCount(args, 1, 2);
        if (!m_services.sendKeys)
            throw ScriptError{err::PermissionDenied, "SendKeys is not available here"};
        m_services.sendKeys(args[0].toString());
        return Value();
    }
    if (n == "expandenvironmentstrings") {
        argCount(args, 1, 1);
        std::string s = args[0].toString(), out;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '%') {
                size_t e = s.find('%', i + 1);
                if (e != std::string::npos) {
                    std::string var = s.substr(i + 1, e - i - 1);
                    const char *v = std::getenv(var.c_str());
                    if (v) {
                        out += v;
                        i = e;
                        continue;
                    }
                }
            }
            out.push_back(s[i]);
        }
        return Value(out);
    }
    if (n == "popup") {
        argCount(args, 1, 4);
        std::string title = given(args, 2) ? args[2].toString() : "Windows Script Host";
        int buttons = given(args, 3) ? args[3].toInt32() : 0;
        if (m_services.msgBox)
            return Value(
                static_cast<int32_t>(m_services.msgBox(args[0].toString(), buttons, title)));
        if (m_services.echo)
            m_services.echo(args[0].toString());
        return Value(static_cast<int32_t>(1));
    }
    fail(err::NoSuchMember);
}

void Shell::setProperty(const std::string &, std::vector<Value> &, const Value &)
{
    fail(err::NoSuchMember);
}

} // namespace vbs
