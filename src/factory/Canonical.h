// The common pattern of every create operation (internal): compare a newly built object
// with the registered objects of its type and hand out the first equal one, or register it.
#ifndef QUARN_FACTORY_CANONICAL_H
#define QUARN_FACTORY_CANONICAL_H

#include "factory/RegistryIndex.h"
#include <quarn/factory/Factory.h>

#include <memory>
#include <new>
#include <utility>

namespace quarn::detail {

// The position of the first registered object equal to `candidate` by its class's
// operator==, the new object on the left (on the right with `registeredOnLeft`), other
// than `skip`; -1 when there is none. Objects
// of another class in the registry (a host may register anything) are passed over. The
// registry's index finds the few objects that can be equal (a short registry is walked);
// the answer is that of a walk from index 0.
template <class T>
int FindEqualAt(const CQuarnInfoArray& line, const T& candidate, const CS_Info* skip = nullptr,
                bool registeredOnLeft = false) {
    struct Request {
        const T* candidate;
        const CS_Info* skip;
        bool registeredOnLeft;
    } request{&candidate, skip, registeredOnLeft};
    auto equal = [](const void* context, const CS_Info* item) -> bool {
        const Request* r = static_cast<const Request*>(context);
        const T& registered = *static_cast<const T*>(item);
        if (item == r->skip) return false;
        if (r->registeredOnLeft) return registered == *r->candidate;
        return *r->candidate == registered;
    };
    if (line.GetSize() < QuarnRegistryIndex::kShortRegistry)
        return QuarnRegistryIndex::WalkEqual(line, candidate.GetObjectType(), &request, equal);
    return line.Index().FindEqual(line, candidate, &request, equal);
}

// The first registered object equal to `candidate` (see FindEqualAt), or null.
template <class T> T* FindEqual(const CQuarnInfoArray& line, const T& candidate) {
    int position = FindEqualAt(line, candidate);
    return position < 0 ? nullptr : static_cast<T*>(line.GetAt(position));
}

// Registers `candidate` as the factory's AddItem does (a derived factory's own AddItem is
// called) and returns it; null when AddItem refused it.
template <class T>
const T* RegisterCandidate(CQuarnCoordinateSystemFactory& factory, std::unique_ptr<T> candidate) {
    if (factory.RegisterNew(candidate->GetObjectType(), candidate.get()) < 0) return nullptr;
    return candidate.release();
}

// Returns the registered object equal to `candidate` (which is then destroyed), or
// registers `candidate` and returns it. Null when there is no candidate (allocation failed)
// or AddItem refused it.
template <class T>
const T* Canonical(CQuarnCoordinateSystemFactory& factory, std::unique_ptr<T> candidate) {
    if (!candidate) return nullptr;
    if (T* equal = FindEqual(factory.GetProductLine(candidate->GetObjectType()), *candidate))
        return equal;
    return RegisterCandidate(factory, std::move(candidate));
}

// Builds a new object with its default constructor in the factory's object store; null when
// memory is exhausted.
template <class T> std::unique_ptr<T> NewInStore(QuarnObjectStore& store) {
    std::unique_ptr<T> object(new (store, std::nothrow) T());
    if (object) object->PlacedIn(store);
    return object;
}

} // namespace quarn::detail

#endif
