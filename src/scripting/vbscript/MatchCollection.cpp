#include "MatchCollection.h"

#include "CompiledPattern.h"
#include "Errors.h"
#include "Library.h"

namespace vbs {

namespace {

[[noreturn]] void fail(int number)
{
    throw ScriptError{number, errorText(number)};
}

// Item(i) of a collection of `size` elements, and the default member that stands for it.
size_t itemIndex(const std::vector<Value> &args, size_t size)
{
    if (args.size() != 1)
        fail(err::WrongArgCount);
    int32_t i = args[0].toInt32();
    if (i < 0 || static_cast<size_t>(i) >= size)
        fail(err::InvalidCall);
    return static_cast<size_t>(i);
}

void noArguments(const std::vector<Value> &args)
{
    if (!args.empty())
        fail(err::WrongArgCount);
}

// A property read with arguments indexes what it hands back, as in `m.SubMatches(0)`.
Value indexed(const Value &result, std::vector<Value> &args)
{
    if (args.empty())
        return result;
    HostObject *o = result.objectPtr();
    if (!result.isObject() || !o || !o->hasMember(""))
        fail(err::WrongArgCount);
    return o->invoke("", args);
}

} // namespace

// --- Matches

MatchCollection::MatchCollection(Value subject, int groups, std::vector<size_t> spans)
    : m_subject(std::move(subject))
    , m_stride(2 * (static_cast<size_t>(groups) + 1))
    , m_spans(std::move(spans))
{
    m_made.resize(count());
}

bool MatchCollection::hasMember(const std::string &name) const
{
    std::string n = lowerAscii(name);
    return n.empty() || n == "item" || n == "count";
}

Value MatchCollection::invoke(const std::string &name, std::vector<Value> &args)
{
    std::string n = lowerAscii(name);
    if (n == "count") {
        noArguments(args);
        return Value(static_cast<int32_t>(count()));
    }
    if (n.empty() || n == "item")
        return match(itemIndex(args, count()));
    fail(err::NoSuchMember);
}

void MatchCollection::setProperty(const std::string &, std::vector<Value> &, const Value &)
{
    fail(err::NoSuchMember);
}

bool MatchCollection::enumerate(std::vector<Value> &out)
{
    out.clear();
    out.reserve(count());
    for (size_t i = 0; i < count(); ++i)
        out.push_back(match(i));
    return true;
}

const Value &MatchCollection::match(size_t index)
{
    Value &made = m_made[index];
    if (made.isEmpty()) {
        const std::u16string &text = m_subject.str();
        const size_t *span = &m_spans[index * m_stride];
        std::vector<Value> groups;
        groups.reserve(m_stride / 2 - 1);
        for (size_t g = 2; g < m_stride; g += 2) {
            if (span[g] == CompiledPattern::npos)
                groups.emplace_back();
            else
                groups.emplace_back(text.substr(span[g], span[g + 1] - span[g]));
        }
        made = Value(std::shared_ptr<HostObject>(
            std::make_shared<MatchObject>(text.substr(span[0], span[1] - span[0]),
                                          static_cast<int32_t>(span[0]), std::move(groups))));
    }
    return made;
}

// --- Match

bool MatchObject::hasMember(const std::string &name) const
{
    std::string n = lowerAscii(name);
    return n.empty() || n == "value" || n == "firstindex" || n == "length" || n == "submatches";
}

Value MatchObject::invoke(const std::string &name, std::vector<Value> &args)
{
    std::string n = lowerAscii(name);
    if (n == "submatches") {
        if (m_subMatches.isEmpty())
            m_subMatches = Value(std::shared_ptr<HostObject>(
                std::make_shared<SubMatchCollection>(std::move(m_groups))));
        return indexed(m_subMatches, args);
    }
    noArguments(args);
    if (n.empty() || n == "value")
        return m_value;
    if (n == "firstindex")
        return Value(m_firstIndex);
    if (n == "length")
        return Value(static_cast<int32_t>(m_value.str().size()));
    fail(err::NoSuchMember);
}

void MatchObject::setProperty(const std::string &, std::vector<Value> &, const Value &)
{
    fail(err::NoSuchMember);
}

// --- SubMatches

bool SubMatchCollection::hasMember(const std::string &name) const
{
    std::string n = lowerAscii(name);
    return n.empty() || n == "item" || n == "count";
}

Value SubMatchCollection::invoke(const std::string &name, std::vector<Value> &args)
{
    std::string n = lowerAscii(name);
    if (n == "count") {
        noArguments(args);
        return Value(static_cast<int32_t>(m_groups.size()));
    }
    if (n.empty() || n == "item")
        return m_groups[itemIndex(args, m_groups.size())];
    fail(err::NoSuchMember);
}

void SubMatchCollection::setProperty(const std::string &, std::vector<Value> &, const Value &)
{
    fail(err::NoSuchMember);
}

bool SubMatchCollection::enumerate(std::vector<Value> &out)
{
    out = m_groups;
    return true;
}

} // namespace vbs
