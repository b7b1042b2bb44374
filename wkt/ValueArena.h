// Storage for the value objects of one parse: they are placed one after another in blocks,
// and all are given up together when the parse ends. A text makes a few dozen small values
// (an AUTHORITY pair, an axis, a parameter); one block holds them all, and it is kept for
// the parser's next text, so a parse makes no allocation of its own for them.
#ifndef QUARN_WKT_VALUE_ARENA_H
#define QUARN_WKT_VALUE_ARENA_H

#include <cstddef>
#include <memory>
#include <vector>

class QuarnValueArena {
public:
    // What every value needs at most; an allocation from new[] is aligned to it.
    static constexpr std::size_t kAlignment = alignof(std::max_align_t);

    // Room for `size` bytes, aligned to kAlignment.
    void* Allocate(std::size_t size) {
        std::size_t at = (m_used + kAlignment - 1) & ~(kAlignment - 1);
        if (m_blocks.empty() || at + size > m_capacity) {
            NewBlock(size);
            at = 0;
        }
        m_last = at;
        m_used = at + size;
        return m_blocks.back().get() + at;
    }

    // Gives back the room of `object` when it is the newest allocation; true when it was.
    bool ReleaseLast(const void* object) {
        if (m_blocks.empty() || m_last == kNone || object != m_blocks.back().get() + m_last)
            return false;
        m_used = m_last;
        m_last = kNone;
        return true;
    }

    // Forgets every allocation. The first block stays for the next parse; the others (a
    // text with very many values) are freed, so one large text does not hold its memory.
    void Clear() {
        if (!m_blocks.empty() && m_firstCapacity != kBlock) m_blocks.clear();
        if (m_blocks.size() > 1) m_blocks.resize(1);
        m_capacity = m_blocks.empty() ? 0 : kBlock;
        m_used = 0;
        m_last = kNone;
    }

private:
    // Below the size from which the allocator treats a request as large.
    static constexpr std::size_t kBlock = 960;
    static constexpr std::size_t kNone = ~std::size_t{0};

    void NewBlock(std::size_t size) {
        m_capacity = size > kBlock ? size : kBlock;
        if (m_blocks.empty()) m_firstCapacity = m_capacity;
        m_blocks.emplace_back(new unsigned char[m_capacity]);
    }

    std::vector<std::unique_ptr<unsigned char[]>> m_blocks; // the newest is the one in use
    std::size_t m_capacity = 0;                             // of the newest block
    std::size_t m_firstCapacity = 0;
    std::size_t m_used = 0;     // bytes taken in the newest block
    std::size_t m_last = kNone; // offset of the newest allocation, if it can be given back
};

#endif
