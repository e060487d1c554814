#include "MemberObject.h"

#include <algorithm>
#include <cctype>

namespace {
const vbs::ScriptError kNoSuchMember{438, "Object doesn't support this property or method"};
const vbs::ScriptError kBadAssignment{450,
                                      "Wrong number of arguments or invalid property assignment"};
const vbs::ScriptError kMissingArgument{450,
                                        "Wrong number of arguments or invalid property assignment"};

const vbs::Value &argument(const MemberObject::Args &args, size_t index)
{
    if (index >= args.size())
        throw kMissingArgument;
    const vbs::Value &value = args[index];
    return value.type() == vbs::Type::Ref && value.refTarget() ? *value.refTarget() : value;
}
} // namespace

MemberObject::MemberObject(std::string typeName)
    : m_typeName(std::move(typeName))
{}

std::string MemberObject::key(const std::string &name)
{
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return lower;
}

void MemberObject::add(const std::string &name, Getter get, Setter set)
{
    m_members[key(name)] = {std::move(get), std::move(set)};
}

bool MemberObject::hasMember(const std::string &name) const
{
    return m_members.count(key(name)) != 0;
}

vbs::Value MemberObject::invoke(const std::string &name, Args &args)
{
    const auto found = m_members.find(key(name));
    if (found == m_members.end() || !found->second.get)
        throw kNoSuchMember;
    return found->second.get(args);
}

void MemberObject::setProperty(const std::string &name, Args &args, const vbs::Value &value)
{
    const auto found = m_members.find(key(name));
    if (found == m_members.end())
        throw kNoSuchMember;
    if (!found->second.set)
        throw kBadAssignment;
    found->second.set(args, value);
}

QString MemberObject::text(const vbs::Value &value)
{
    return QString::fromStdString(value.toString());
}

QString MemberObject::textArg(const Args &args, size_t index)
{
    return text(argument(args, index));
}

double MemberObject::numberArg(const Args &args, size_t index)
{
    return argument(args, index).toDouble();
}

bool MemberObject::boolArg(const Args &args, size_t index)
{
    return argument(args, index).toBool();
}

vbs::Value MemberObject::fromText(const QString &text)
{
    return vbs::Value(text.toStdString());
}
