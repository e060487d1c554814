#include "EnvironmentObject.h"

#include "Library.h"
#include "MemberArgs.h"
#include "ProcessEnvironment.h"

namespace vbs {

using namespace args;

bool EnvironmentObject::isKind(const std::string &kind)
{
    return inList(lowerAscii(kind), {"process", "user", "system", "volatile"});
}

bool EnvironmentObject::hasMember(const std::string &name) const
{
    return inList(lowerAscii(name), {"", "item", "count", "length", "remove"});
}

Value EnvironmentObject::invoke(const std::string &name, std::vector<Value> &args)
{
    const std::string n = lowerAscii(name);
    if (n.empty() || n == "item") {
        count(args, 1, 1);
        return Value(ProcessEnvironment::get(args[0].toString()).value_or(std::string()));
    }
    if (n == "count" || n == "length") {
        count(args, 0, 0);
        return Value(static_cast<int32_t>(ProcessEnvironment::all().size()));
    }
    if (n == "remove") {
        count(args, 1, 1);
        // Removing what is not there leaves the environment as asked; nothing to report.
        ProcessEnvironment::remove(args[0].toString());
        return Value();
    }
    fail(err::NoSuchMember);
}

void EnvironmentObject::setProperty(const std::string &name, std::vector<Value> &args,
                                    const Value &value)
{
    const std::string n = lowerAscii(name);
    if (!n.empty() && n != "item")
        fail(err::NoSuchMember);
    count(args, 1, 1);
    const std::string variable = args[0].toString();
    if (variable.empty() || variable.find('=') != std::string::npos)
        fail(err::InvalidCall);
    ProcessEnvironment::set(variable, value.toString());
}

bool EnvironmentObject::enumerate(std::vector<Value> &out)
{
    out.clear();
    for (const std::string &entry : ProcessEnvironment::all())
        out.emplace_back(entry);
    return true;
}

} // namespace vbs
