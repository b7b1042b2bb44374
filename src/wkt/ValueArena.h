// Storage for the value objects of one parse: they are placed one after another in blocks,
// and all are given up together when the parse ends. A text makes a few dozen small values
// (an AUTHORITY pair, an axis, a parameter); the block the engine lends for the parse holds
// them all, so a parse makes no allocation of its own for them.
#ifndef QUARN_WKT_VALUEARENA_H
#define QUARN_WKT_VALUEARENA_H

#include <cstddef>
#include <memory>
#include <vector>

namespace quarn::detail {

class ValueArena {
public:
    // What every value needs at most; the blocks are aligned to it.
    static constexpr std::size_t kAlignment = alignof(std::max_align_t);

    ValueArena() = default;
    ValueArena(const ValueArena&) = delete;
    ValueArena& operator=(const ValueArena&) = delete;

    // Room for `size` bytes, aligned to kAlignment.
    void* Allocate(std::size_t size) {
        std::size_t at = (m_used + kAlignment - 1) & ~(kAlignment - 1);
        if (at + size > m_capacity) {
            NewBlock(size);
            at = 0;
        }
        m_last = at;
        m_used = at + size;
        return Newest() + at;
    }

    // Gives back the room of `object` when it is the newest allocation; true when it was.
    bool ReleaseLast(const void* object) {
        if (m_last == kNone || object != Newest() + m_last) return false;
        m_used = m_last;
        m_last = kNone;
        return true;
    }

    // The first block, of kBlock bytes aligned to kAlignment, is lent by the parse engine for
    // one parse (the thread's engine keeps one for all its parses).
    static constexpr std::size_t kBlock = 960;
    void Lend(unsigned char* block) {
        Clear();
        m_first = block;
        m_capacity = block != nullptr ? kBlock : 0;
    }

    // Forgets every allocation, gives the lent block back and frees the others, so one
    // large text does not hold its memory.
    void Clear() {
        m_blocks.clear();
        m_first = nullptr;
        m_capacity = 0;
        m_used = 0;
        m_last = kNone;
    }

private:
    static constexpr std::size_t kNone = ~std::size_t{0};

    unsigned char* Newest() { return m_blocks.empty() ? m_first : m_blocks.back().get(); }

    void NewBlock(std::size_t size) {
        m_capacity = size > kBlock ? size : kBlock;
        m_blocks.emplace_back(new unsigned char[m_capacity]);
    }

    unsigned char* m_first = nullptr;                       // the lent block, while there is one
    std::vector<std::unique_ptr<unsigned char[]>> m_blocks; // beyond the first; the newest in use
    std::size_t m_capacity = 0;                             // of the newest block
    std::size_t m_used = 0;                                 // bytes taken in the newest block
    std::size_t m_last = kNone; // offset of the newest allocation, if it can be given back
};

} // namespace quarn::detail

#endif
