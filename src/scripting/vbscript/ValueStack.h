#pragma once

#include "Value.h"

#include <cstddef>

namespace vbs {

// The engine's stack of procedure slots. By-reference arguments point into it, so its slots
// must never move: room for the whole limit is set aside up front, but memory is only taken
// for the depth scripts have reached, which for most of them is a few pages, not megabytes.
class ValueStack {
public:
    explicit ValueStack(size_t limit);
    ~ValueStack();
    ValueStack(const ValueStack &) = delete;
    ValueStack &operator=(const ValueStack &) = delete;

    size_t limit() const { return m_limit; }
    // Makes the slots below depth (at most the limit) usable.
    void reach(size_t depth)
    {
        if (depth > m_made)
            grow(depth);
    }
    // How many slots have been made so far.
    size_t made() const { return m_made; }

    Value &operator[](size_t i) { return m_slots[i]; }
    const Value &operator[](size_t i) const { return m_slots[i]; }

private:
    void grow(size_t depth);

    size_t m_limit;
    size_t m_bytes;
    Value *m_slots;
    size_t m_made = 0;
};

} // namespace vbs
