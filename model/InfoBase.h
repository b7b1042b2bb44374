// CQuarnInfo: the identification every implementation class carries (name, authority,
// authority code), written once for all of them.
#ifndef QUARN_MODEL_INFOBASE_H
#define QUARN_MODEL_INFOBASE_H

#include "Model.h"
#include "Text.h"

// Implements the identification operations of CS_Info on top of an interface. Each text is
// kept in a fixed field: at most 255 characters, always terminated. Alias, abbreviation,
// remarks and XML are not kept: their getters answer null.
template <class Interface> class CQuarnInfo : public Interface {
public:
    const wchar_t* GetName() const override { return m_name; }
    const wchar_t* GetAuthority() const override { return m_authority; }
    const wchar_t* GetAuthorityCode() const override { return m_authorityCode; }
    const wchar_t* GetAlias() const override { return nullptr; }
    const wchar_t* GetAbbreviation() const override { return nullptr; }
    const wchar_t* GetRemarks() const override { return nullptr; }
    const wchar_t* GetXML() const override { return nullptr; }

    // A null text stores an empty one.
    void SetName(const wchar_t* name) override { QuarnCopyText(m_name, name); }
    void SetAuthority(const wchar_t* authority) { QuarnCopyText(m_authority, authority); }
    void SetAuthorityCode(const wchar_t* code) { QuarnCopyText(m_authorityCode, code); }

protected:
    CQuarnInfo() : m_name(), m_authority(), m_authorityCode() {}
    // Copying takes every field, the reference count included.
    CQuarnInfo(const CQuarnInfo& other) = default;
    // Assignment takes the three texts through the source's getters and leaves the
    // target's reference count as it was.
    CQuarnInfo& operator=(const CQuarnInfo& other) {
        QuarnCopyText(m_name, other.GetName());
        QuarnCopyText(m_authority, other.GetAuthority());
        QuarnCopyText(m_authorityCode, other.GetAuthorityCode());
        return *this;
    }
    ~CQuarnInfo() = default;

private:
    wchar_t m_name[kQuarnTextField];
    wchar_t m_authority[kQuarnTextField];
    wchar_t m_authorityCode[kQuarnTextField];
};

#endif
