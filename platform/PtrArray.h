// A growable array of pointers, the storage behind the factory's registries.
#ifndef QUARN_PLATFORM_PTRARRAY_H
#define QUARN_PLATFORM_PTRARRAY_H

#include <stdexcept>
#include <vector>

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
    bool IsEmpty() const { return m_elements.empty(); }
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
        m_elements.push_back(element);
        return index;
    }

    // Appends all elements of another array; returns the index of the first appended one.
    int Append(const CPtrArrayOf& other) {
        int index = GetSize();
        if (&other == this) {
            std::vector<Pointer> copy(other.m_elements);
            Grow(static_cast<int>(copy.size()));
            m_elements.insert(m_elements.end(), copy.begin(), copy.end());
        } else {
            Grow(other.GetSize());
            m_elements.insert(m_elements.end(), other.m_elements.begin(), other.m_elements.end());
        }
        return index;
    }

    void Copy(const CPtrArrayOf& other) {
        ++m_changes;
        if (&other != this) m_elements = other.m_elements;
    }

    // Inserts `count` copies of the element before the index, growing the array with null
    // places when the index lies past the end.
    void InsertAt(int index, Pointer element, int count = 1) {
        if (index < 0 || count < 0) throw std::out_of_range("CPtrArray: negative index or count");
        if (index > GetSize()) Resize(index);
        Grow(count);
        ++m_changes;
        m_elements.insert(m_elements.begin() + index, static_cast<std::size_t>(count), element);
    }

    // Inserts all elements of another array before the index.
    void InsertAt(int index, const CPtrArrayOf* other) {
        if (other == nullptr) return;
        if (index < 0) throw std::out_of_range("CPtrArray: negative index");
        if (index > GetSize()) Resize(index);
        std::vector<Pointer> copy(other->m_elements);
        Grow(static_cast<int>(copy.size()));
        ++m_changes;
        m_elements.insert(m_elements.begin() + index, copy.begin(), copy.end());
    }

    // Removes `count` elements at the index; the rest move down.
    void RemoveAt(int index, int count = 1) {
        if (index < 0 || count < 0 || count > GetSize() - index)
            throw std::out_of_range("CPtrArray: removal outside the array");
        ++m_changes;
        m_elements.erase(m_elements.begin() + index, m_elements.begin() + index + count);
    }

    // Empties the array and releases its storage.
    void RemoveAll() {
        ++m_changes;
        std::vector<Pointer>().swap(m_elements);
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
        m_elements.resize(static_cast<std::size_t>(count), nullptr);
    }

    std::vector<Pointer> m_elements;
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
