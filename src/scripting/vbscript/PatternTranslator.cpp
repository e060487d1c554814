#include "PatternTranslator.h"

#include "Errors.h"
#include "HostObject.h"
#include "Utf16.h"

namespace vbs {

namespace {

[[noreturn]] void fail(int number)
{
    throw ScriptError{number, errorText(number)};
}

bool isDigit(char16_t c)
{
    return c >= '0' && c <= '9';
}

bool isOctalDigit(char16_t c)
{
    return c >= '0' && c <= '7';
}

bool isAsciiLetter(char16_t c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// PCRE2 in UTF mode cannot name half of a surrogate pair, and no valid text holds one alone:
// such a character can never match.
constexpr const char16_t *kNeverMatches = u"(?:(?!))";
constexpr const char16_t *kAnyCharacter = u"[\\s\\S]";

bool isSetLetter(char16_t c)
{
    return c == 'd' || c == 'D' || c == 's' || c == 'S' || c == 'w' || c == 'W';
}

} // namespace

bool PatternTranslator::afterSet(size_t at) const
{
    return at >= 2 && m_in[at - 2] == '\\' && isSetLetter(m_in[at - 1]) &&
           (at < 3 || m_in[at - 3] != '\\');
}

bool PatternTranslator::beforeSet(size_t at) const
{
    return at + 2 < m_in.size() && m_in[at + 1] == '\\' && isSetLetter(m_in[at + 2]);
}

PatternTranslator::PatternTranslator(const std::u16string &pattern, bool multiline)
    : m_in(pattern)
    , m_multiline(multiline)
{
    countGroups();
    m_out.reserve(pattern.size() + 16);
    translate();
}

// A back reference needs the number of groups in the whole pattern: "\2" before the second
// group opens is still a reference, while past the last group it is an octal escape.
void PatternTranslator::countGroups()
{
    bool inClass = false;
    for (size_t i = 0; i < m_in.size(); ++i) {
        char16_t c = m_in[i];
        if (c == '\\')
            ++i;
        else if (inClass)
            inClass = c != ']';
        else if (c == '[')
            inClass = true;
        else if (c == '(' && (i + 1 == m_in.size() || m_in[i + 1] != '?'))
            ++m_groups;
    }
}

void PatternTranslator::translate()
{
    while (m_pos < m_in.size()) {
        char16_t c = m_in[m_pos];
        switch (c) {
        case '\\':
            translateEscape();
            break;
        case '[':
            translateClass();
            m_last = Last::Atom;
            break;
        case '(':
            translateGroupOpening();
            break;
        case ')':
            m_out += c;
            ++m_pos;
            m_last = Last::Atom;
            break;
        case '|':
            m_out += c;
            ++m_pos;
            m_last = Last::Nothing;
            break;
        case '^':
            // Multiline: after any \n or \r, including the \r of a \r\n, as the dialect has it;
            // PCRE2's own line starts know only one kind of line end at a time.
            m_out += m_multiline ? u"(?<![^\\n\\r])" : u"^";
            ++m_pos;
            m_last = Last::Assertion;
            break;
        case '$':
            m_out += m_multiline ? u"(?![^\\n\\r])" : u"$";
            ++m_pos;
            m_last = Last::Assertion;
            break;
        case '*':
        case '+':
        case '?':
            translateQuantifier();
            break;
        case '{':
            if (braceQuantifierLength(m_pos)) {
                translateQuantifier();
            } else {
                appendLiteral(c);
                ++m_pos;
                m_last = Last::Atom;
            }
            break;
        default:
            if (!copySurrogates(kNeverMatches)) {
                m_out += c; // "." and the rest mean the same to PCRE2
                ++m_pos;
            }
            m_last = Last::Atom;
        }
    }
}

void PatternTranslator::translateGroupOpening()
{
    ++m_pos;
    if (m_pos < m_in.size() && m_in[m_pos] == '?') {
        // Only non-capturing groups and lookahead; PCRE2 would also take names, flags,
        // lookbehind, atomic groups and more.
        char16_t kind = m_pos + 1 < m_in.size() ? m_in[m_pos + 1] : 0;
        if (kind != ':' && kind != '=' && kind != '!')
            fail(err::RegExpSyntax);
        m_out += u"(?";
        m_out += kind;
        m_pos += 2;
    } else {
        m_out += '(';
    }
    m_last = Last::Nothing;
}

void PatternTranslator::translateQuantifier()
{
    // "a**", "a*+" (possessive in PCRE2), "^*" and a quantifier with nothing before it.
    if (m_last != Last::Atom)
        fail(err::UnexpectedQuantifier);
    size_t length = m_in[m_pos] == '{' ? braceQuantifierLength(m_pos) : 1;
    m_out.append(m_in, m_pos, length);
    m_pos += length;
    if (m_pos < m_in.size() && m_in[m_pos] == '?') {
        m_out += '?';
        ++m_pos;
    }
    m_last = Last::Quantifier;
}

size_t PatternTranslator::braceQuantifierLength(size_t at) const
{
    size_t i = at + 1;
    size_t digits = i;
    while (i < m_in.size() && isDigit(m_in[i]))
        ++i;
    if (i == digits)
        return 0;
    if (i < m_in.size() && m_in[i] == ',') {
        ++i;
        while (i < m_in.size() && isDigit(m_in[i]))
            ++i;
    }
    if (i < m_in.size() && m_in[i] == '}')
        return i + 1 - at;
    return 0;
}

long PatternTranslator::hexEscape(size_t at, int digits) const
{
    if (at + digits > m_in.size())
        return -1;
    long value = 0;
    for (int k = 0; k < digits; ++k) {
        int d = hexDigit(m_in[at + k]);
        if (d < 0)
            return -1;
        value = value * 16 + d;
    }
    return value;
}

void PatternTranslator::appendCodePoint(char32_t c)
{
    static const char16_t hex[] = u"0123456789ABCDEF";
    std::u16string digits;
    do {
        digits.insert(digits.begin(), hex[c % 16]);
        c /= 16;
    } while (c);
    m_out += u"\\x{";
    m_out += digits;
    m_out += '}';
}

void PatternTranslator::appendOctal()
{
    int maxDigits = m_in[m_pos] <= '3' ? 3 : 2;
    char32_t value = 0;
    for (int k = 0; k < maxDigits && m_pos < m_in.size() && isOctalDigit(m_in[m_pos]); ++k)
        value = value * 8 + (m_in[m_pos++] - '0');
    appendCodePoint(value);
}

void PatternTranslator::appendLiteral(char16_t c)
{
    // PCRE2 takes any escaped ASCII punctuation as itself; letters and digits must stay bare.
    if (c < 128 && !isAsciiLetter(c) && !isDigit(c) && c > ' ')
        m_out += '\\';
    m_out += c;
}

// \x, \u: true when the escape at m_pos (on the letter) was one, with its digits.
bool PatternTranslator::translateCodeEscape(bool inClass)
{
    char16_t letter = m_in[m_pos];
    long value = hexEscape(m_pos + 1, letter == 'x' ? 2 : 4);
    if (value < 0)
        return false;
    m_pos += letter == 'x' ? 3 : 5;
    if (isHighSurrogate(value) && m_pos + 1 < m_in.size() && m_in[m_pos] == '\\' &&
        m_in[m_pos + 1] == 'u') {
        long low = hexEscape(m_pos + 2, 4);
        if (isLowSurrogate(low)) {
            appendCodePoint(0x10000 + ((value - 0xD800) << 10) + (low - 0xDC00));
            m_pos += 6;
            return true;
        }
    }
    if (isHighSurrogate(value) || isLowSurrogate(value)) {
        if (!inClass)
            m_out += kNeverMatches;
        return true;
    }
    appendCodePoint(static_cast<char32_t>(value));
    return true;
}

bool PatternTranslator::translateSharedEscape(bool inClass)
{
    char16_t c = m_in[m_pos];
    switch (c) {
    case 'd':
    case 'D':
    case 's':
    case 'S':
    case 'w':
    case 'W':
    case 'f':
    case 'n':
    case 'r':
    case 't':
        m_out += '\\';
        m_out += c;
        ++m_pos;
        return true;
    case 'v': // PCRE2's \v is any vertical space
        appendCodePoint(0x0B);
        ++m_pos;
        return true;
    case 'c': {
        char16_t next = m_pos + 1 < m_in.size() ? m_in[m_pos + 1] : 0;
        // Inside a class a digit or "_" may follow as well.
        if (isAsciiLetter(next) || (inClass && (isDigit(next) || next == '_'))) {
            appendCodePoint(next % 32);
            m_pos += 2;
        } else {
            appendLiteral('\\'); // "\c" without its letter is the two characters themselves
        }
        return true;
    }
    case 'x':
    case 'u':
        if (!translateCodeEscape(inClass)) {
            m_out += c;
            ++m_pos;
        }
        return true;
    default:
        return false;
    }
}

void PatternTranslator::translateEscape()
{
    ++m_pos;
    if (m_pos >= m_in.size())
        fail(err::RegExpSyntax);
    char16_t c = m_in[m_pos];
    m_last = Last::Atom;
    if (c == 'b' || c == 'B') {
        m_out += '\\';
        m_out += c;
        ++m_pos;
        m_last = Last::Assertion;
        return;
    }
    if (translateSharedEscape(false))
        return;
    if (isDigit(c)) {
        size_t end = m_pos;
        long number = 0;
        while (end < m_in.size() && isDigit(m_in[end])) {
            if (number < 100000)
                number = number * 10 + (m_in[end] - '0');
            ++end;
        }
        if (c != '0' && number <= m_groups) {
            std::string digits = std::to_string(number);
            m_out += u"\\g{";
            m_out.append(digits.begin(), digits.end());
            m_out += '}';
            m_pos = end;
        } else if (isOctalDigit(c)) {
            appendOctal();
        } else {
            m_out += c;
            ++m_pos;
        }
        return;
    }
    // Any other escaped character stands for itself, letters included: "\A" is "A", not
    // PCRE2's start of subject.
    if (copySurrogates(kNeverMatches))
        return;
    appendLiteral(c);
    ++m_pos;
}

void PatternTranslator::translateClass()
{
    ++m_pos;
    bool negated = m_pos < m_in.size() && m_in[m_pos] == '^';
    if (negated)
        ++m_pos;
    // "[]" matches nothing and "[^]" anything; PCRE2 would read the "]" as a member.
    if (m_pos < m_in.size() && m_in[m_pos] == ']') {
        ++m_pos;
        m_out += negated ? kAnyCharacter : kNeverMatches;
        return;
    }
    size_t opening = m_out.size();
    m_out += negated ? u"[^" : u"[";
    size_t members = m_out.size();
    for (;;) {
        if (m_pos >= m_in.size())
            fail(err::ExpectedBracketInRegExp);
        char16_t c = m_in[m_pos];
        if (c == ']') {
            ++m_pos;
            break;
        }
        if (c == '\\') {
            translateClassEscape();
        } else if (c == '-' && (afterSet(m_pos) || beforeSet(m_pos))) {
            m_out += u"\\-"; // "[\d-z]" is a digit, "-" or "z"; PCRE2 would call it a bad range
            ++m_pos;
        } else if (c == '[') {
            m_out += u"\\["; // PCRE2 would start a POSIX class at "[:"
            ++m_pos;
        } else if (!copySurrogates(u"")) {
            m_out += c;
            ++m_pos;
        }
    }
    if (m_out.size() == members) { // held only halves of surrogate pairs
        m_out.resize(opening);
        m_out += negated ? kAnyCharacter : kNeverMatches;
        return;
    }
    m_out += ']';
}

void PatternTranslator::translateClassEscape()
{
    ++m_pos;
    if (m_pos >= m_in.size())
        fail(err::ExpectedBracketInRegExp);
    char16_t c = m_in[m_pos];
    if (c == 'b') { // backspace inside a class
        appendCodePoint(0x08);
        ++m_pos;
        return;
    }
    if (translateSharedEscape(true))
        return;
    if (isOctalDigit(c)) {
        appendOctal();
        return;
    }
    if (copySurrogates(u""))
        return;
    appendLiteral(c);
    ++m_pos;
}

bool PatternTranslator::copySurrogates(const char16_t *lone)
{
    const char16_t c = m_in[m_pos];
    if (!isHighSurrogate(c) && !isLowSurrogate(c))
        return false;
    if (isHighSurrogate(c) && m_pos + 1 < m_in.size() && isLowSurrogate(m_in[m_pos + 1])) {
        m_out.append(m_in, m_pos, 2);
        m_pos += 2;
    } else {
        m_out += lone;
        ++m_pos;
    }
    return true;
}

} // namespace vbs
