#pragma once

#include "HostObject.h"

#include <QString>

#include <functional>
#include <string>
#include <unordered_map>

// A script object made of named members, each a getter (property read or method call) and
// an optional setter. Names are matched without regard to case, as scripts spell them.
class MemberObject : public vbs::HostObject {
public:
    using Args = std::vector<vbs::Value>;
    using Getter = std::function<vbs::Value(Args &args)>;
    using Setter = std::function<void(Args &args, const vbs::Value &value)>;

    explicit MemberObject(std::string typeName);

    void add(const std::string &name, Getter get, Setter set = {});

    bool hasMember(const std::string &name) const override;
    vbs::Value invoke(const std::string &name, Args &args) override;
    void setProperty(const std::string &name, Args &args, const vbs::Value &value) override;
    std::string typeName() const override { return m_typeName; }

    // Conversions of the arguments to the members' declared types.
    static QString text(const vbs::Value &value);
    static QString textArg(const Args &args, size_t index);
    static double numberArg(const Args &args, size_t index);
    static bool boolArg(const Args &args, size_t index);
    static vbs::Value fromText(const QString &text);

private:
    struct Member {
        Getter get;
        Setter set;
    };
    static std::string key(const std::string &name);

    std::string m_typeName;
    std::unordered_map<std::string, Member> m_members;
};
