#include <quarn/model/ObjectStore.h>

#include <cstdlib>
#include <functional>

namespace {

// What precedes every object: the store it came from (null for the heap) and the size asked
// for. Sixteen bytes, so that the object after it keeps the heap's alignment.
struct alignas(16) Header {
    QuarnObjectStore* store;
    std::size_t size;
};
static_assert(sizeof(Header) == 16, "the header keeps objects aligned to 16");

// Blocks after the first double up to the largest.
constexpr std::size_t kLargestBlock = std::size_t{1} << 16;

std::size_t Rounded(std::size_t size, std::size_t grain) {
    return (size + grain - 1) / grain * grain;
}

} // namespace

QuarnObjectStore::QuarnObjectStore() noexcept
    : m_block(new (m_first) Block{nullptr, kFirstBlock}), m_used(Rounded(sizeof(Block), kGrain)),
      m_nextSize(2 * kFirstBlock) {}

QuarnObjectStore::~QuarnObjectStore() {
    delete[] m_free;
    while (m_block != reinterpret_cast<Block*>(m_first)) {
        Block* previous = m_block->previous;
        std::free(m_block);
        m_block = previous;
    }
}

bool QuarnObjectStore::Holds(const void* object, int blocks) const noexcept {
    const unsigned char* at = static_cast<const unsigned char*>(object);
    std::less<const unsigned char*> before;
    for (const Block* block = m_block; block != nullptr && blocks > 0;
         block = block->previous, --blocks) {
        const unsigned char* begin = reinterpret_cast<const unsigned char*>(block);
        if (!before(at, begin) && before(at, begin + block->capacity)) return true;
    }
    return false;
}

void* QuarnObjectStore::Allocate(std::size_t size) noexcept {
    size = Rounded(size, kGrain);
    if (size == 0 || size > kLargest) return nullptr;
    if (m_free != nullptr && m_free[size / kGrain - 1] != nullptr) {
        FreeRoom*& reusable = m_free[size / kGrain - 1];
        FreeRoom* room = reusable;
        reusable = room->next;
        return room;
    }
    const std::size_t start = Rounded(sizeof(Block), kGrain);
    if (m_used + size > m_block->capacity) {
        std::size_t capacity = m_nextSize;
        while (capacity < start + size)
            capacity *= 2;
        Block* block = static_cast<Block*>(std::malloc(capacity));
        if (block == nullptr) return nullptr;
        block->previous = m_block;
        block->capacity = capacity;
        m_block = block;
        m_used = start;
        if (m_nextSize < kLargestBlock) m_nextSize *= 2;
    }
    void* room = reinterpret_cast<unsigned char*>(m_block) + m_used;
    m_used += size;
    return room;
}

void QuarnObjectStore::Free(void* room, std::size_t size) noexcept {
    if (m_closing) return;
    if (m_free == nullptr) {
        m_free = new (std::nothrow) FreeRoom* [kClasses] {};
        if (m_free == nullptr) return; // the room stays unused until the store goes
    }
    size = Rounded(size, kGrain);
    FreeRoom* freed = static_cast<FreeRoom*>(room);
    FreeRoom*& list = m_free[size / kGrain - 1];
    freed->next = list;
    list = freed;
}

void* QuarnAllocateObject(std::size_t size, QuarnObjectStore* store) noexcept {
    const std::size_t whole = sizeof(Header) + size;
    void* room = store != nullptr ? store->Allocate(whole) : nullptr;
    if (room == nullptr) {
        // Too large for a store, or its blocks could not grow: the heap serves, and the
        // store learns that one of its objects holds memory elsewhere.
        if (store != nullptr) store->NoteForeign();
        store = nullptr;
        room = std::malloc(whole);
        if (room == nullptr) return nullptr;
    }
    Header* header = static_cast<Header*>(room);
    header->store = store;
    header->size = whole;
    return header + 1;
}

void QuarnFreeObject(void* object) noexcept {
    if (object == nullptr) return;
    Header* header = static_cast<Header*>(object) - 1;
    if (header->store != nullptr)
        header->store->Free(header, header->size);
    else
        std::free(header);
}
