#pragma once

#include "HostObject.h"

#include <memory>
#include <string>
#include <vector>

namespace vbs {

// What RegExp.Execute hands back. The matches are kept as spans into the searched text and
// become Match objects when the script first reaches them, so that a search with thousands of
// matches costs little more than the search itself. The same index gives the same object.
class MatchCollection : public HostObject {
public:
    // `spans` holds, match after match, the start and end of the match and of each of its
    // `groups` groups (CompiledPattern::npos for a group that took no part).
    MatchCollection(Value subject, int groups, std::vector<size_t> spans);

    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    bool enumerate(std::vector<Value> &out) override;
    std::string typeName() const override { return "IMatchCollection2"; }

private:
    size_t count() const { return m_spans.size() / m_stride; }
    const Value &match(size_t index);

    Value m_subject;
    size_t m_stride;
    std::vector<size_t> m_spans;
    std::vector<Value> m_made;
};

// One match: Value (the default member), FirstIndex and Length in UTF-16 code units as
// VBScript counts characters, and SubMatches.
class MatchObject : public HostObject {
public:
    MatchObject(std::u16string value, int32_t firstIndex, std::vector<Value> groups)
        : m_value(std::move(value))
        , m_firstIndex(firstIndex)
        , m_groups(std::move(groups))
    {}

    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    std::string typeName() const override { return "IMatch2"; }

private:
    Value m_value;
    int32_t m_firstIndex;
    std::vector<Value> m_groups;
    Value m_subMatches;
};

// A match's groups in order: the text each took, Empty for one that took no part.
class SubMatchCollection : public HostObject {
public:
    explicit SubMatchCollection(std::vector<Value> groups)
        : m_groups(std::move(groups))
    {}

    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    bool enumerate(std::vector<Value> &out) override;
    std::string typeName() const override { return "ISubMatches"; }

private:
    std::vector<Value> m_groups;
};

} // namespace vbs
