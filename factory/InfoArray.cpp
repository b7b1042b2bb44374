#include "Factory.h"

#include "../model/Text.h"

#include <string>

CS_Info* CQuarnInfoArray::Find(const wchar_t* name) const {
    if (name == nullptr || name[0] == L'\0') return nullptr;
    for (int i = 0; i < GetSize(); ++i) {
        CS_Info* item = GetAt(i);
        if (item != nullptr && QuarnEqualNoCase(item->GetName(), name)) return item;
    }
    return nullptr;
}

const wchar_t* CQuarnInfoArray::GetUniqueName(const wchar_t* name) const {
    // One result text for the whole process; it is built on first use and lives until exit.
    static std::wstring result;
    if (name == nullptr) name = L"";
    const wchar_t* tilde = name;
    while (*tilde != L'\0' && *tilde != L'~')
        ++tilde;
    const std::wstring base(name, tilde);

    // A suffix the name already carries stays on the first try.
    std::wstring candidate(name);
    for (unsigned long long counter = 1; Find(candidate.c_str()) != nullptr; ++counter)
        candidate = base + L"~" + std::to_wstring(counter);
    result.swap(candidate);
    return result.c_str();
}
