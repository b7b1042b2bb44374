// CQuarnInfo: the identification every implementation class carries (name, authority,
// authority code), written once for all of them.
#ifndef QUARN_MODEL_INFOBASE_H
#define QUARN_MODEL_INFOBASE_H

#include <quarn/model/Constants.h>
#include <quarn/model/Model.h>
#include <quarn/model/ObjectStore.h>
#include <quarn/model/Text.h>

#include <cstddef>
#include <new>

// Implements the identification operations of CS_Info on top of an interface. Each text
// keeps at most 255 characters in a block of its own length. Alias, abbreviation, remarks
// and XML are not kept: their getters answer null.
template <class Interface> class CQuarnInfo : public Interface {
public:
    const wchar_t* GetName() const override { return m_name.Get(); }
    const wchar_t* GetAuthority() const override { return m_authority.Get(); }
    const wchar_t* GetAuthorityCode() const override { return m_authorityCode.Get(); }
    const wchar_t* GetAlias() const override { return nullptr; }
    const wchar_t* GetAbbreviation() const override { return nullptr; }
    const wchar_t* GetRemarks() const override { return nullptr; }
    const wchar_t* GetXML() const override { return nullptr; }

    // The memory of an object: a factory places the objects it makes in its store
    // (QuarnNew), an object a host makes with new takes a heap block. Deleting an object
    // gives its memory back to where it came from.
    static void* operator new(std::size_t size) {
        void* object = QuarnAllocateObject(size, nullptr);
        if (object == nullptr) throw std::bad_alloc();
        return object;
    }
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
        return QuarnAllocateObject(size, nullptr);
    }
    static void* operator new(std::size_t size, QuarnObjectStore& store,
                              const std::nothrow_t&) noexcept {
        return QuarnAllocateObject(size, &store);
    }
    static void* operator new(std::size_t, void* place) noexcept { return place; }
    static void operator delete(void* object) noexcept { QuarnFreeObject(object); }
    static void operator delete(void* object, const std::nothrow_t&) noexcept {
        QuarnFreeObject(object);
    }
    static void operator delete(void* object, QuarnObjectStore&, const std::nothrow_t&) noexcept {
        QuarnFreeObject(object);
    }
    static void operator delete(void*, void*) noexcept {}

    // A null text stores an empty one.
    void SetName(const wchar_t* name) override { m_name.Set(name, m_store); }
    void SetAuthority(const wchar_t* authority) { m_authority.Set(authority, m_store); }
    void SetAuthorityCode(const wchar_t* code) { m_authorityCode.Set(code, m_store); }

    // Tells an object just placed in `store` (operator new above) that it lives there, so
    // that its texts take their room there too, side by side with it. Only for an object
    // placed in that store: its texts must not outlive it.
    void PlacedIn(QuarnObjectStore& store) { m_store = &store; }

protected:
    CQuarnInfo() = default;
    // Copying takes every field, the reference count included; the copy's texts take heap
    // room, as the copy lives wherever its maker put it.
    CQuarnInfo(const CQuarnInfo& other)
        : Interface(other), m_name(other.m_name), m_authority(other.m_authority),
          m_authorityCode(other.m_authorityCode) {}
    // Assignment takes the three texts through the source's getters and leaves the
    // target's reference count as it was. What a class assigns beside them (axes,
    // parameters) may take heap room: an object in a store tells the store so.
    CQuarnInfo& operator=(const CQuarnInfo& other) {
        if (m_store != nullptr) m_store->NoteForeign();
        m_name.Set(other.GetName(), m_store);
        m_authority.Set(other.GetAuthority(), m_store);
        m_authorityCode.Set(other.GetAuthorityCode(), m_store);
        return *this;
    }
    ~CQuarnInfo() = default;

    // Where the object's other texts take their room (see PlacedIn); null for the heap.
    QuarnObjectStore* Store() const { return m_store; }

private:
    QuarnText m_name;
    QuarnText m_authority;
    QuarnText m_authorityCode;
    QuarnObjectStore* m_store = nullptr; // the store the object lives in, if any
};

#endif
