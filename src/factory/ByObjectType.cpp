#include "factory/ByObjectType.h"

void QuarnDestroyInfo(CS_Info* item) {
    if (item == nullptr) return;
    QuarnWithClass(item, [](auto* object) { delete object; });
}

void QuarnSetAuthority(CS_Info* item, const wchar_t* authority, const wchar_t* code) {
    if (item == nullptr) return;
    QuarnWithClass(item, [authority, code](auto* object) {
        object->SetAuthority(authority);
        object->SetAuthorityCode(code);
    });
}
