// The common pattern of every create operation (internal): compare a newly built object
// with the registered objects of its type and hand out the first equal one, or register it.
#ifndef QUARN_FACTORY_CANONICAL_H
#define QUARN_FACTORY_CANONICAL_H

#include "Factory.h"

#include <memory>
#include <new>
#include <utility>

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

// Registers `candidate` through the factory's AddItem (reached through the table of virtual
// operations, so a derived factory decides) and returns it; null when AddItem refused it.
template <class T>
const T* QuarnRegister(CQuarnCoordinateSystemFactory& factory, std::unique_ptr<T> candidate) {
    if (factory.AddItem(candidate->GetObjectType(), candidate.get()) < 0) return nullptr;
    return candidate.release();
}

// Returns the registered object equal to `candidate` (which is then destroyed), or
// registers `candidate` and returns it. Null when there is no candidate (allocation failed)
// or AddItem refused it.
template <class T>
const T* QuarnCanonical(CQuarnCoordinateSystemFactory& factory, std::unique_ptr<T> candidate) {
    if (!candidate) return nullptr;
    if (T* equal = QuarnFindEqual(factory.GetProductLine(candidate->GetObjectType()), *candidate))
        return equal;
    return QuarnRegister(factory, std::move(candidate));
}

// Builds a new object with its default constructor; null when memory is exhausted.
template <class T> std::unique_ptr<T> QuarnNew() {
    return std::unique_ptr<T>(new (std::nothrow) T());
}

#endif
