// A growable array of pointers, the storage behind the factory's registries.
#ifndef QUARN_PLATFORM_PTRARRAY_H
#define QUARN_PLATFORM_PTRARRAY_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <stdexcept>

// The elements of a pointer array: the first one inside the array itself (most registries
// of a factory that read one text hold one object, and a host may make a factory per text),
// more on the heap. Growing allocates before it copies, so an allocation that fails leaves
// the elements as they were.
template <class Pointer> class QuarnPointerStore {
public:
    QuarnPointerStore() = default;
    QuarnPointerStore(const QuarnPointerStore&) = delete;
    QuarnPointerStore& operator=(const QuarnPointerStore&) = delete;
    ~QuarnPointerStore() { FreeHeap(); }

    std::size_t size() const { return m_size; }
    std::size_t capacity() const { return m_capacity; }
    Pointer& operator[](std::size_t at) { return m_data[at]; }
    const Pointer& operator[](std::size_t at) const { return m_data[at]; }
    const Pointer* begin() const { return m_data; }
    const Pointer* end() const { return m_data + m_size; }

    void reserve(std::size_t wanted) {
        if (wanted <= m_capacity) return;
        if (wanted > kMost) throw std::bad_alloc();
        Pointer* grown = new Pointer[wanted];
        std::copy(begin(), end(), grown);
        FreeHeap();
        m_data = grown;
        m_capacity = static_cast<std::uint32_t>(wanted);
    }
    // Opens `count` places before `at` (at most the size); returns where they start.
    Pointer* Open(std::size_t at, std::size_t count) {
        if (m_size + count > m_capacity)
            reserve(std::max<std::size_t>(m_size + count, 2 * std::size_t{m_capacity}));
        std::copy_backward(m_data + at, m_data + m_size, m_data + m_size + count);
        m_size += static_cast<std::uint32_t>(count);
        return m_data + at;
    }
    void erase(std::size_t at, std::size_t count) {
        std::copy(m_data + at + count, m_data + m_size, m_data + at);
        m_size -= static_cast<std::uint32_t>(count);
    }
    void resize(std::size_t count) {
        if (count > m_size) std::fill_n(Open(m_size, count - m_size), count - m_size, nullptr);
        m_size = static_cast<std::uint32_t>(count);
    }
    void assign(const Pointer* first, std::size_t count) {
        if (count > m_capacity) reserve(count);
        std::copy(first, first + count, m_data);
        m_size = static_cast<std::uint32_t>(count);
    }
    // Empties the store and gives back its heap storage.
    void release() {
        FreeHeap();
        m_data = m_inline;
        m_capacity = kInline;
        m_size = 0;
    }

private:
    static constexpr std::uint32_t kInline = 1;
    static constexpr std::size_t kMost = 0x7fffffff; // an array's index is an int

    void FreeHeap() {
        if (m_data != m_inline) delete[] m_data;
    }

    Pointer m_inline[kInline] = {};
    Pointer* m_data = m_inline; // m_inline or the heap storage; the store is never moved
    std::uint32_t m_size = 0;
    std::uint32_t m_capacity = kInline;
};

// Holds pointers in insertion order; it never owns what they point to. Indexed access
// outside 0 to GetSize()-1 throws std::out_of_range and leaves the array unchanged; growing
// when memory is exhausted throws std::bad_alloc.
template <class Pointer> class CPtrArrayOf {
public:
    CPtrArrayOf() : m_growBy(0), m_changes(0) {}
    CPtrArrayOf(const CPtrArrayOf&) = delete;
    CPtrArrayOf& operator=(const CPtrArrayOf&) = delete;

    int GetSize() const { return static_cast<int>(m_elements.size()); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_elements.size() == 0; }
    // Places added when the array must grow; 0 lets the array choose (it then doubles).
    void SetGrowBy(int growBy) { m_growBy = growBy < 0 ? 0 : growBy; }
    // Counts every change other than appending (replacing, inserting, removing, handing out
    // a modifiable reference), so that a structure built over the elements can tell whether
    // it may extend itself with the appended elements or must start again.
    unsigned long long GetChangeCount() const { return m_changes; }

    Pointer GetAt(int index) const { return m_elements[Checked(index)]; }
    Pointer& ElementAt(int index) {
        std::size_t at = Checked(index);
        ++m_changes;
        return m_elements[at];
    }
    void SetAt(int index, Pointer element) {
        std::size_t at = Checked(index);
        ++m_changes;
        m_elements[at] = element;
    }
    Pointer operator[](int index) const { return GetAt(index); }
    Pointer& operator[](int index) { return ElementAt(index); }

    // Stores at the index, growing the array with null places when it lies past the end.
    void SetAtGrow(int index, Pointer element) {
        if (index < 0) throw std::out_of_range("CPtrArray: negative index");
        if (index >= GetSize()) Resize(index + 1);
        ++m_changes;
        m_elements[static_cast<std::size_t>(index)] = element;
    }

    // Appends and returns the index the element received.
    int Add(Pointer element) {
        int index = GetSize();
        Grow(1);
        *m_elements.Open(m_elements.size(), 1) = element;
        return index;
    }

    // Appends all elements of another array; returns the index of the first appended one.
    int Append(const CPtrArrayOf& other) {
        int index = GetSize();
        Insert(m_elements.size(), other);
        return index;
    }

    void Copy(const CPtrArrayOf& other) {
        ++m_changes;
        if (&other != this) m_elements.assign(other.m_elements.begin(), other.m_elements.size());
    }

    // Inserts `count` copies of the element before the index, growing the array with null
    // places when the index lies past the end.
    void InsertAt(int index, Pointer element, int count = 1) {
        if (index < 0 || count < 0) throw std::out_of_range("CPtrArray: negative index or count");
        if (index > GetSize()) Resize(index);
        Grow(count);
        ++m_changes;
        std::fill_n(
            m_elements.Open(static_cast<std::size_t>(index), static_cast<std::size_t>(count)),
            count, element);
    }

    // Inserts all elements of another array before the index.
    void InsertAt(int index, const CPtrArrayOf* other) {
        if (other == nullptr) return;
        if (index < 0) throw std::out_of_range("CPtrArray: negative index");
        if (index > GetSize()) Resize(index);
        ++m_changes;
        Insert(static_cast<std::size_t>(index), *other);
    }

    // Removes `count` elements at the index; the rest move down.
    void RemoveAt(int index, int count = 1) {
        if (index < 0 || count < 0 || count > GetSize() - index)
            throw std::out_of_range("CPtrArray: removal outside the array");
        ++m_changes;
        m_elements.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    }

    // Empties the array and releases its storage.
    void RemoveAll() {
        ++m_changes;
        m_elements.release();
    }

private:
    std::size_t Checked(int index) const {
        if (index < 0 || index >= GetSize()) throw std::out_of_range("CPtrArray: index");
        return static_cast<std::size_t>(index);
    }

    void Grow(int extra) {
        std::size_t needed = m_elements.size() + static_cast<std::size_t>(extra);
        if (m_growBy > 0 && needed > m_elements.capacity())
            m_elements.reserve(needed + static_cast<std::size_t>(m_growBy) - 1);
    }

    void Resize(int count) {
        Grow(count - GetSize());
        m_elements.resize(static_cast<std::size_t>(count));
    }

    // Inserts the elements of `other` (which may be this array) before `at`.
    void Insert(std::size_t at, const CPtrArrayOf& other) {
        std::size_t count = other.m_elements.size();
        Grow(static_cast<int>(count));
        if (&other == this) {
            // Opening the gap moves the elements: copy them first.
            std::unique_ptr<Pointer[]> copy(new Pointer[count > 0 ? count : 1]);
            std::copy(m_elements.begin(), m_elements.end(), copy.get());
            std::copy(copy.get(), copy.get() + count, m_elements.Open(at, count));
        } else {
            std::copy(other.m_elements.begin(), other.m_elements.end(), m_elements.Open(at, count));
        }
    }

    QuarnPointerStore<Pointer> m_elements;
    int m_growBy;
    unsigned long long m_changes;
};

// The untyped array.
class CPtrArray : public CPtrArrayOf<void*> {};

// An array of pointers of one type. `Base` names the untyped array it stands for; the
// typed array keeps its own storage of `Pointer` so that no pointer is read through
// another type.
template <class Base, class Pointer> class CTypedPtrArray : public CPtrArrayOf<Pointer> {};

#endif
