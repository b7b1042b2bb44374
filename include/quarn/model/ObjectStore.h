// Where the objects of the model live. A factory keeps the objects it makes in a store of its
// own: they are placed side by side in a few blocks instead of one heap block each, and the
// blocks go when the factory does. The first block is part of the store itself, so that a
// factory that reads one text makes no request to the heap for its objects. Objects made elsewhere
// (by a host, with new) come from the heap. Every object's memory begins with a header that says
// which, so that deleting an object puts its memory back where it came from.
#ifndef QUARN_MODEL_OBJECTSTORE_H
#define QUARN_MODEL_OBJECTSTORE_H

#include <quarn/model/Export.h>

#include <atomic>
#include <cstddef>
#include <new>

class QUARN_API QuarnObjectStore {
public:
    QuarnObjectStore() noexcept;
    QuarnObjectStore(const QuarnObjectStore&) = delete;
    QuarnObjectStore& operator=(const QuarnObjectStore&) = delete;
    // Frees the blocks. Every object placed in them must have been destroyed before.
    ~QuarnObjectStore();

    // Room for `size` bytes aligned to 16, or null when memory is exhausted. The room of
    // an object destroyed earlier is used again for one of the same size, so a factory that
    // makes and destroys objects over and over does not grow.
    void* Allocate(std::size_t size) noexcept;
    void Free(void* room, std::size_t size) noexcept;
    // From here on freed room is not kept for reuse: the store is about to go (its owner is
    // destroying every object).
    void Close() noexcept { m_closing = true; }

    // Records that an object placed here holds memory outside the store (a text too long
    // for it, records built on request, an assignment from another object). Until then the
    // objects hold nothing but room of the store, and destroying them frees nothing the
    // store's blocks do not: the owner may let them go with the blocks. Safe from readers
    // of a finished factory on several threads.
    void NoteForeign() noexcept { m_foreign.store(true, std::memory_order_relaxed); }
    bool HasForeign() const noexcept { return m_foreign.load(std::memory_order_relaxed); }
    // Whether `object` lies in one of the store's newest `blocks` blocks. An object in an
    // older block gives false: the search stays short.
    bool Holds(const void* object, int blocks) const noexcept;

private:
    static constexpr std::size_t kGrain = 16;
    static constexpr std::size_t kLargest = 1024; // larger objects take a heap block each
    static constexpr std::size_t kClasses = kLargest / kGrain;
    // Enough for what reading one projected system makes, headers and names included.
    static constexpr std::size_t kFirstBlock = 3200;

    struct FreeRoom {
        FreeRoom* next;
    };
    struct Block {
        Block* previous;
        std::size_t capacity;
    };

    Block* m_block;         // the newest block; its room after m_used is unused
    std::size_t m_used;     // bytes taken in the newest block
    std::size_t m_nextSize; // capacity of the next block
    // Freed room by size, made on the first room freed: a factory that only adds objects
    // needs none.
    FreeRoom** m_free = nullptr;
    bool m_closing = false;
    std::atomic<bool> m_foreign{false};
    alignas(16) unsigned char m_first[kFirstBlock]; // the first block
};

// The memory of one object: from `store` when it is not null, else from the heap. Null when
// memory is exhausted.
QUARN_API void* QuarnAllocateObject(std::size_t size, QuarnObjectStore* store) noexcept;
// Gives back memory that QuarnAllocateObject handed out.
QUARN_API void QuarnFreeObject(void* object) noexcept;

#endif
