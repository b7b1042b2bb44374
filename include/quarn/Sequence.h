// CBASESequence: a fixed-capacity sequence of records held by value.
#ifndef QUARN_MODEL_SEQUENCE_H
#define QUARN_MODEL_SEQUENCE_H

#include <cstdint>

// Holds up to N items of type T inline; items 0 to GetSize()-1 are in use. The sequence never
// allocates: it is the vehicle in which axis lists, parameter lists and point ordinates travel.
template <class T, int N> class CBASESequence {
public:
    CBASESequence() : m_items(), m_count(0) {}
    CBASESequence(const CBASESequence& other) = default;
    CBASESequence& operator=(const CBASESequence& other) = default;
    virtual ~CBASESequence() = default;

    long GetSize() const { return m_count; }

    // No bounds check, like the built-in index: callers stay below the capacity N.
    T& operator[](long index) { return m_items[index]; }
    const T& operator[](long index) const { return m_items[index]; }

    // Sets the number of items in use. A count above the capacity (or below 0) is refused
    // and nothing changes; items are neither cleared nor initialised.
    bool Resize(long count) {
        if (count < 0 || count > N) return false;
        m_count = static_cast<std::int32_t>(count);
        return true;
    }

    static constexpr long Capacity() { return N; }

private:
    T m_items[N];
    std::int32_t m_count;
};

#endif
