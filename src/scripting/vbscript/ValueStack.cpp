#include "ValueStack.h"

#include <algorithm>
#include <new>

#include <sys/mman.h>

namespace vbs {

namespace {
// Slots are made a page's worth at a time.
constexpr size_t kStep = 4096 / sizeof(Value);
} // namespace

ValueStack::ValueStack(size_t limit)
    : m_limit(limit)
    , m_bytes(limit * sizeof(Value))
{
    // An anonymous mapping takes no memory until a page is written, whatever the allocator's
    // thresholds are.
    void *room = mmap(nullptr, m_bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (room == MAP_FAILED)
        throw std::bad_alloc();
    m_slots = static_cast<Value *>(room);
}

ValueStack::~ValueStack()
{
    for (size_t i = 0; i < m_made; ++i)
        m_slots[i].~Value();
    munmap(m_slots, m_bytes);
}

void ValueStack::grow(size_t depth)
{
    const size_t target = std::min(m_limit, (depth + kStep - 1) / kStep * kStep);
    for (; m_made < target; ++m_made)
        new (&m_slots[m_made]) Value();
}

} // namespace vbs
