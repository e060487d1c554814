#pragma once

#include "HostObject.h"

#include <memory>
#include <string>
#include <vector>

namespace vbs {

class CompiledPattern;

// The RegExp object of `New RegExp` and CreateObject("VBScript.RegExp"): Pattern,
// IgnoreCase, Global and Multiline, and Test, Execute and Replace. The pattern is compiled on
// first use after a change, so a bad one is reported by the method that uses it, as VBScript
// does, and not when it is assigned.
class RegExpObject : public HostObject {
public:
    RegExpObject();
    ~RegExpObject() override;

    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    std::string typeName() const override { return "IRegExp2"; }

private:
    CompiledPattern &compiled();
    // The code unit to search from after the match in `spans`: its end, or one further for an
    // empty match, so that a global search moves on.
    static size_t nextStart(const std::u16string &subject, const std::vector<size_t> &spans);
    Value test(const std::u16string &subject);
    Value execute(const Value &subject);
    Value replace(const std::u16string &subject, const std::u16string &replacement);

    std::u16string m_pattern;
    bool m_ignoreCase = false;
    bool m_global = false;
    bool m_multiline = false;
    std::unique_ptr<CompiledPattern> m_compiled; // dropped when the pattern or a flag changes
};

} // namespace vbs
