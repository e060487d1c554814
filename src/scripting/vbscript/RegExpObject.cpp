#include "RegExpObject.h"

#include "CompiledPattern.h"
#include "Errors.h"
#include "Library.h"
#include "MatchCollection.h"
#include "Utf16.h"

namespace vbs {

namespace {

[[noreturn]] void fail(int number)
{
    throw ScriptError{number, errorText(number)};
}

void argCount(const std::vector<Value> &args, size_t n)
{
    if (args.size() != n)
        fail(err::WrongArgCount);
}

// Replace's second argument, read once: literal runs and the $ forms between them.
class ReplacementTemplate {
public:
    ReplacementTemplate(const std::u16string &text, int groups)
    {
        size_t literal = 0;
        for (size_t i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != '$')
                continue;
            char16_t c = text[i + 1];
            int kind;
            size_t length = 2;
            if (c == '$')
                kind = Dollar;
            else if (c == '&')
                kind = WholeMatch;
            else if (c == '`')
                kind = Before;
            else if (c == '\'')
                kind = After;
            else if (c >= '0' && c <= '9') {
                // "$nn" when there are that many groups, else "$n"; "$0" and a group that
                // does not exist stay as written.
                int one = c - '0';
                int two = i + 2 < text.size() && text[i + 2] >= '0' && text[i + 2] <= '9'
                              ? one * 10 + (text[i + 2] - '0')
                              : 0;
                if (two >= 1 && two <= groups) {
                    kind = two;
                    length = 3;
                } else if (one >= 1 && one <= groups) {
                    kind = one;
                } else {
                    continue;
                }
            } else {
                continue;
            }
            m_parts.push_back({Literal, literal, i - literal});
            m_parts.push_back({kind, 0, 0});
            i += length - 1;
            literal = i + 1;
        }
        m_parts.push_back({Literal, literal, text.size() - literal});
    }

    void expand(const std::u16string &text, const std::u16string &subject,
                const std::vector<size_t> &spans, std::u16string &out) const
    {
        for (const Part &p : m_parts) {
            switch (p.kind) {
            case Literal:
                out.append(text, p.start, p.length);
                break;
            case Dollar:
                out += u'$';
                break;
            case WholeMatch:
                out.append(subject, spans[0], spans[1] - spans[0]);
                break;
            case Before:
                out.append(subject, 0, spans[0]);
                break;
            case After:
                out.append(subject, spans[1], std::u16string::npos);
                break;
            default: {
                size_t s = spans[2 * p.kind], e = spans[2 * p.kind + 1];
                if (s != CompiledPattern::npos)
                    out.append(subject, s, e - s);
            }
            }
        }
    }

private:
    // Group numbers are kinds of their own, from 1 up.
    enum : int { Literal = 0, Dollar = -1, WholeMatch = -2, Before = -3, After = -4 };
    struct Part {
        int kind;
        size_t start, length;
    };
    std::vector<Part> m_parts;
};

} // namespace

RegExpObject::RegExpObject() = default;
RegExpObject::~RegExpObject() = default;

bool RegExpObject::hasMember(const std::string &name) const
{
    std::string n = lowerAscii(name);
    return n == "pattern" || n == "ignorecase" || n == "global" || n == "multiline" ||
           n == "test" || n == "execute" || n == "replace";
}

Value RegExpObject::invoke(const std::string &name, std::vector<Value> &args)
{
    std::string n = lowerAscii(name);
    if (n == "test") {
        argCount(args, 1);
        return test(args[0].toU16());
    }
    if (n == "execute") {
        argCount(args, 1);
        return execute(args[0].isString() ? args[0] : Value(args[0].toU16()));
    }
    if (n == "replace") {
        argCount(args, 2);
        return replace(args[0].toU16(), args[1].toU16());
    }
    argCount(args, 0);
    if (n == "pattern")
        return Value(m_pattern);
    if (n == "ignorecase")
        return Value(m_ignoreCase);
    if (n == "global")
        return Value(m_global);
    if (n == "multiline")
        return Value(m_multiline);
    fail(err::NoSuchMember);
}

void RegExpObject::setProperty(const std::string &name, std::vector<Value> &args,
                               const Value &value)
{
    std::string n = lowerAscii(name);
    argCount(args, 0);
    if (n == "pattern") {
        std::u16string pattern = value.toU16();
        if (pattern != m_pattern) {
            m_pattern = std::move(pattern);
            m_compiled.reset();
        }
    } else if (n == "ignorecase" || n == "multiline") {
        bool &flag = n == "ignorecase" ? m_ignoreCase : m_multiline;
        bool on = value.toBool();
        if (on != flag) {
            flag = on;
            m_compiled.reset();
        }
    } else if (n == "global") {
        m_global = value.toBool();
    } else {
        fail(err::NoSuchMember);
    }
}

CompiledPattern &RegExpObject::compiled()
{
    if (!m_compiled)
        m_compiled = std::make_unique<CompiledPattern>(m_pattern, m_ignoreCase, m_multiline);
    return *m_compiled;
}

size_t RegExpObject::nextStart(const std::u16string &subject, const std::vector<size_t> &spans)
{
    size_t end = spans[1];
    if (end != spans[0])
        return end;
    // Past a whole surrogate pair: PCRE2 in UTF mode cannot start inside one.
    if (end + 1 < subject.size() && isHighSurrogate(subject[end]) &&
        isLowSurrogate(subject[end + 1]))
        return end + 2;
    return end + 1;
}

Value RegExpObject::test(const std::u16string &subject)
{
    std::vector<size_t> spans;
    CompiledPattern &pattern = compiled();
    pattern.beginSearch();
    return Value(pattern.find(subject, 0, spans));
}

Value RegExpObject::execute(const Value &subject)
{
    CompiledPattern &pattern = compiled();
    pattern.beginSearch();
    const std::u16string &text = subject.str();
    std::vector<size_t> all, spans;
    size_t start = 0;
    while (start <= text.size() && pattern.find(text, start, spans)) {
        all.insert(all.end(), spans.begin(), spans.end());
        if (!m_global)
            break;
        start = nextStart(text, spans);
    }
    return Value(std::shared_ptr<HostObject>(
        std::make_shared<MatchCollection>(subject, pattern.groupCount(), std::move(all))));
}

Value RegExpObject::replace(const std::u16string &subject, const std::u16string &replacement)
{
    CompiledPattern &pattern = compiled();
    pattern.beginSearch();
    ReplacementTemplate tmpl(replacement, pattern.groupCount());
    std::u16string out;
    std::vector<size_t> spans;
    size_t copied = 0, start = 0;
    bool found = false;
    while (start <= subject.size() && pattern.find(subject, start, spans)) {
        if (!found)
            out.reserve(subject.size() + subject.size() / 8);
        found = true;
        out.append(subject, copied, spans[0] - copied);
        tmpl.expand(replacement, subject, spans, out);
        copied = spans[1];
        if (!m_global)
            break;
        start = nextStart(subject, spans);
    }
    if (!found)
        return Value(subject);
    out.append(subject, copied, std::u16string::npos);
    return Value(std::move(out));
}

} // namespace vbs
