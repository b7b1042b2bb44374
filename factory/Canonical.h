// The common pattern of every create operation (internal): compare a newly built object
// with the registered objects of its type and hand out the first equal one, or register it.
#ifndef QUARN_FACTORY_CANONICAL_H
#define QUARN_FACTORY_CANONICAL_H

#include "Factory.h"

#include <memory>
#include <new>

// The first registered object equal to `candidate` by its class's operator==, the new
// object on the left. Objects of another class in the registry (a host may register
// anything) are passed over.
template <class T> T* QuarnFindEqual(const CQuarnInfoArray& line, const T& candidate) {
    for (int i = 0; i < line.GetSize(); ++i) {
        CS_Info* item = line.GetAt(i);
        if (item != nullptr && item->GetObjectType() == candidate.GetObjectType() &&
            candidate == *static_cast<T*>(item))
            return static_cast<T*>(item);
    }
    return nullptr;
}

// Returns the registered object equal to `candidate` (which is then destroyed), or
// registers `candidate` through the factory's AddItem and returns it. Null when there is
// no candidate (allocation failed) or AddItem refused it.
template <class T>
const T* QuarnCanonical(CQuarnCoordinateSystemFactory& factory, std::unique_ptr<T> candidate) {
    if (!candidate) return nullptr;
    long type = candidate->GetObjectType();
    if (T* equal = QuarnFindEqual(factory.GetProductLine(type), *candidate)) return equal;
    if (factory.AddItem(type, candidate.get()) < 0) return nullptr;
    return candidate.release();
}

// Builds a new object with its default constructor; null when memory is exhausted.
template <class T> std::unique_ptr<T> QuarnNew() { return std::unique_ptr<T>(new (std::nothrow) T()); }

#endif
