#include "factory/RegistryIndex.h"
#include <quarn/factory/Factory.h>

#include <string>

using namespace quarn::detail;

CQuarnInfoArray::CQuarnInfoArray() = default;

CQuarnInfoArray::~CQuarnInfoArray() = default;

QuarnRegistryIndex& CQuarnInfoArray::Index() const {
    if (!m_index) m_index.reset(new QuarnRegistryIndex());
    return *m_index;
}

CS_Info* CQuarnInfoArray::Find(const wchar_t* name) const {
    int position = GetSize() < QuarnRegistryIndex::kShortRegistry
                       ? QuarnRegistryIndex::WalkName(*this, name)
                       : Index().FindName(*this, name);
    return position < 0 ? nullptr : GetAt(position);
}

const wchar_t* CQuarnInfoArray::GetUniqueName(const wchar_t* name) const {
    // One result text per thread; it is built on first use and lives until the thread ends.
    static thread_local std::wstring result;
    if (GetSize() < QuarnRegistryIndex::kShortRegistry)
        QuarnRegistryIndex::WalkUniqueName(*this, name, result);
    else
        result = Index().UniqueName(*this, name);
    return result.c_str();
}
