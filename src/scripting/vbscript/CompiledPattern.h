#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct pcre2_real_code_16;
struct pcre2_real_match_data_16;
struct pcre2_real_match_context_16;
struct pcre2_callout_block_16;

namespace vbs {

// A RegExp pattern compiled by PCRE2 (UTF-16, JIT where the machine has it), matched against
// the engine's strings without converting them. A search that runs away raises "Out of stack
// space" instead of hanging the script or overflowing the stack: PCRE2's own limits stop one
// attempt that backtracks without end ("^(a+)+$"), and a time budget stops the searches that
// try every start and each time run to the end of a long text ("(a|b)*c" over a megabyte).
class CompiledPattern {
public:
    // Throws ScriptError 5017 to 5021 for a pattern that does not compile.
    CompiledPattern(const std::u16string &pattern, bool ignoreCase, bool multiline);
    ~CompiledPattern();
    CompiledPattern(const CompiledPattern &) = delete;
    CompiledPattern &operator=(const CompiledPattern &) = delete;

    int groupCount() const { return m_groups; }

    // Starts the time budget shared by the searches of one Test, Execute or Replace. It ends
    // with the script's own time-out when that comes first.
    void beginSearch();

    // Searches `subject` from code unit `start`. On a match, `spans` holds the start and end of
    // the whole match and then of each group; npos for a group that took no part.
    bool find(const std::u16string &subject, size_t start, std::vector<size_t> &spans);

    static constexpr size_t npos = static_cast<size_t>(-1);

private:
    void release();
    static int onAttempt(pcre2_callout_block_16 *, void *self);

    pcre2_real_code_16 *m_code = nullptr;
    pcre2_real_match_data_16 *m_matchData = nullptr;
    pcre2_real_match_context_16 *m_context = nullptr;
    int m_groups = 0;
    // The clock is read once every m_checkEvery attempts, a number that grows while attempts
    // are quick and falls back to 1 when they are slow.
    std::chrono::steady_clock::time_point m_deadline, m_lastCheck;
    uint32_t m_checkEvery = 1;
    uint32_t m_untilCheck = 1;
};

} // namespace vbs
