#include "CompiledPattern.h"

#include "Errors.h"
#include "HostObject.h"
#include "PatternTranslator.h"
#include "ScriptClock.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <algorithm>

namespace vbs {

namespace {

[[noreturn]] void fail(int number)
{
    throw ScriptError{number, errorText(number)};
}

// Enough for a capturing loop over a million characters ("((a)|b)*" needs about 100 MB there,
// 8 MB over 100,000). The memory is only reserved until a match uses it, and one stack serves
// every pattern of the thread, as matches never run inside one another.
constexpr size_t kJitStackStart = 32 * 1024;
constexpr size_t kJitStackMax = 256 * 1024 * 1024;

pcre2_jit_stack *threadJitStack()
{
    struct Holder {
        pcre2_jit_stack *stack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
        ~Holder() { pcre2_jit_stack_free(stack); }
    };
    thread_local Holder holder;
    return holder.stack;
}
// Steps before one attempt is given up: the simple patterns of real scripts need a few per
// character, a catastrophic one ("^(a+)+$" over 40 characters) billions.
constexpr uint32_t kMatchLimit = 10'000'000;
// A whole Test, Execute or Replace: far more than real work over megabytes of text needs.
constexpr std::chrono::seconds kSearchBudget{5};

int scriptErrorFor(int pcreError)
{
    switch (pcreError) {
    case PCRE2_ERROR_MISSING_SQUARE_BRACKET:
        return err::ExpectedBracketInRegExp;
    case PCRE2_ERROR_MISSING_CLOSING_PARENTHESIS:
        return err::ExpectedParenInRegExp;
    case PCRE2_ERROR_CLASS_RANGE_ORDER:
    case PCRE2_ERROR_CLASS_INVALID_RANGE:
        return err::InvalidRangeInRegExp;
    case PCRE2_ERROR_QUANTIFIER_INVALID:
        return err::UnexpectedQuantifier;
    default:
        return err::RegExpSyntax;
    }
}

} // namespace

CompiledPattern::CompiledPattern(const std::u16string &pattern, bool ignoreCase, bool multiline)
{
    PatternTranslator translated(pattern, multiline);
    m_groups = translated.groupCount();
    // A callout at the front runs at every start the search tries, where the budget is kept.
    std::u16string text = u"(?C)(?:" + translated.result() + u")";

    // UTF mode for Unicode case folding; without PCRE2_UCP \d, \w, \s and \b stay ASCII as
    // the dialect defines them. Invalid UTF is allowed in the subject: strings may hold halves
    // of surrogate pairs, which then match nothing.
    uint32_t options = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF | PCRE2_DOLLAR_ENDONLY |
                       PCRE2_MATCH_UNSET_BACKREF; // a group not yet set matches empty text
    if (ignoreCase)
        options |= PCRE2_CASELESS;
    pcre2_compile_context *compileContext = pcre2_compile_context_create(nullptr);
    if (!compileContext)
        fail(err::OutOfMemory);
    pcre2_set_newline(compileContext, PCRE2_NEWLINE_LF); // "." stops at \n only
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    m_code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), options,
                           &errorCode, &errorOffset, compileContext);
    pcre2_compile_context_free(compileContext);
    if (!m_code)
        fail(scriptErrorFor(errorCode));

    uint32_t captures = 0;
    pcre2_pattern_info(m_code, PCRE2_INFO_CAPTURECOUNT, &captures);
    m_groups = static_cast<int>(captures);
    m_matchData = pcre2_match_data_create_from_pattern(m_code, nullptr);
    m_context = pcre2_match_context_create(nullptr);
    if (!m_matchData || !m_context) {
        release();
        fail(err::OutOfMemory);
    }
    pcre2_set_match_limit(m_context, kMatchLimit);
    pcre2_set_callout(m_context, &CompiledPattern::onAttempt, this);
    // Without JIT (a machine PCRE2 has no compiler for) the interpreter runs on the heap and
    // stops at its default limit.
    if (pcre2_jit_compile(m_code, PCRE2_JIT_COMPLETE) == 0) {
        if (pcre2_jit_stack *stack = threadJitStack())
            pcre2_jit_stack_assign(m_context, nullptr, stack);
    }
}

CompiledPattern::~CompiledPattern()
{
    release();
}

void CompiledPattern::release()
{
    pcre2_match_context_free(m_context);
    pcre2_match_data_free(m_matchData);
    pcre2_code_free(m_code);
    m_context = nullptr;
    m_matchData = nullptr;
    m_code = nullptr;
}

void CompiledPattern::beginSearch()
{
    m_lastCheck = std::chrono::steady_clock::now();
    m_deadline = m_lastCheck + kSearchBudget;
    // The interpreter checks its time-out only between statements: a search that outlives
    // the script's time would otherwise run on for its whole budget.
    m_deadline = std::min(m_deadline, ScriptClock::deadline());
    m_checkEvery = m_untilCheck = 1;
}

int CompiledPattern::onAttempt(pcre2_callout_block *, void *self)
{
    auto *p = static_cast<CompiledPattern *>(self);
    if (--p->m_untilCheck)
        return 0;
    auto now = std::chrono::steady_clock::now();
    if (now > p->m_deadline)
        return PCRE2_ERROR_CALLOUT;
    if (now - p->m_lastCheck < std::chrono::milliseconds(1))
        p->m_checkEvery = std::min<uint32_t>(p->m_checkEvery * 2, 4096);
    else
        p->m_checkEvery = 1;
    p->m_lastCheck = now;
    p->m_untilCheck = p->m_checkEvery;
    return 0;
}

bool CompiledPattern::find(const std::u16string &subject, size_t start, std::vector<size_t> &spans)
{
    int rc = pcre2_match(m_code, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(),
                         start, 0, m_matchData, m_context);
    if (rc == PCRE2_ERROR_NOMATCH)
        return false;
    if (rc < 0) {
        switch (rc) {
        case PCRE2_ERROR_MATCHLIMIT:
        case PCRE2_ERROR_JIT_STACKLIMIT:
        case PCRE2_ERROR_DEPTHLIMIT:
        case PCRE2_ERROR_HEAPLIMIT:
        case PCRE2_ERROR_CALLOUT:
            fail(err::OutOfStack);
        case PCRE2_ERROR_NOMEMORY:
            fail(err::OutOfMemory);
        default:
            fail(err::InvalidCall);
        }
    }
    const PCRE2_SIZE *ovector = pcre2_get_ovector_pointer(m_matchData);
    size_t count = 2 * (static_cast<size_t>(m_groups) + 1);
    spans.resize(count);
    for (size_t i = 0; i < count; ++i)
        spans[i] = ovector[i] == PCRE2_UNSET ? npos : ovector[i];
    return true;
}

} // namespace vbs
