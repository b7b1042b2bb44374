#include <quarn/model/Model.h>

long CS_Info::AddRef() const {
    // The count is the object's bookkeeping for clients, not part of its value, so the
    // constant form changes the same count through the table of virtual operations.
    return const_cast<CS_Info*>(this)->AddRef();
}

long CS_Info::AddRef() {
    return m_refCount.fetch_add(1, std::memory_order_relaxed);
}

long CS_Info::Release() const {
    return const_cast<CS_Info*>(this)->Release();
}

long CS_Info::Release() {
    return m_refCount.fetch_sub(1, std::memory_order_relaxed);
}

long CS_Info::GetRefCount() const {
    return m_refCount.load(std::memory_order_relaxed);
}

double CS_CoordinateSystem::GetAzimuth() const {
    return 0.0;
}

long CS_CoordinateSystem::GetSystemTypeEx() const {
    return GetSystemType();
}
