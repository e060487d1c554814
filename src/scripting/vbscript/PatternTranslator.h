#pragma once

#include <string>

namespace vbs {

// Scripts write their regular expressions in the ECMAScript 3 dialect. PCRE2 reads most of it
// the same way; this rewrites the rest into PCRE2's spelling and refuses, with the script's
// error numbers, what the dialect does not allow but PCRE2 would take (possessive quantifiers,
// named groups, verbs). The result is meant for PCRE2 in UTF-16 mode.
class PatternTranslator {
public:
    // Throws ScriptError 5017 to 5021 for a pattern the dialect rejects.
    PatternTranslator(const std::u16string &pattern, bool multiline);

    const std::u16string &result() const { return m_out; }
    int groupCount() const { return m_groups; }

private:
    void countGroups();
    void translate();
    void translateEscape();
    void translateClass();
    void translateClassEscape();
    bool translateCodeEscape(bool inClass);
    // The escapes that mean the same inside a class and outside; false for the others.
    bool translateSharedEscape(bool inClass);
    void translateGroupOpening();
    void translateQuantifier();
    // Reads "{n}", "{n,}" or "{n,m}" at m_pos; returns its length, 0 when it is plain text.
    size_t braceQuantifierLength(size_t at) const;
    // Whether the "-" at `at` follows or precedes \d, \s, \w or their negations in a class.
    bool afterSet(size_t at) const;
    bool beforeSet(size_t at) const;
    // \xHH and \uHHHH: the code unit, or -1 when the escape is not followed by its digits.
    long hexEscape(size_t at, int digits) const;
    void appendCodePoint(char32_t c);
    // Octal escapes as Annex B reads them: up to three digits, at most \377.
    void appendOctal();
    void appendLiteral(char16_t c);
    // At a surrogate: copies a whole pair, or writes `lone` for a half that can match nothing.
    // False, copying nothing, at any other character.
    bool copySurrogates(const char16_t *lone);

    const std::u16string &m_in;
    bool m_multiline;
    size_t m_pos = 0;
    std::u16string m_out;
    int m_groups = 0;
    // What the last item was, to refuse quantifiers where the dialect allows none.
    enum class Last { Nothing, Atom, Assertion, Quantifier } m_last = Last::Nothing;
};

} // namespace vbs
