#include "factory/ByObjectType.h"

using namespace quarn::detail;

void quarn::detail::DestroyInfo(CS_Info* item) {
    if (item == nullptr) return;
    WithClass(item, [](auto* object) { delete object; });
}

void quarn::detail::AssignAuthority(CS_Info* item, const wchar_t* authority, const wchar_t* code) {
    if (item == nullptr) return;
    WithClass(item, [authority, code](auto* object) {
        object->SetAuthority(authority);
        object->SetAuthorityCode(code);
    });
}
