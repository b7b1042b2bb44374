// The null-tolerant queries of CS_CoordinateSystem. This file is compiled with
// -fno-delete-null-pointer-checks: an optimiser may otherwise assume that `this` is never
// null and delete the very test these operations exist for.
#include <quarn/model/Model.h>

namespace {

// Reading `this` through a volatile keeps the test even where the flag is not honoured.
bool IsNull(const CS_CoordinateSystem* self) {
    const CS_CoordinateSystem* volatile pointer = self;
    return pointer == nullptr;
}

} // namespace

long CS_CoordinateSystem::GetSafeHeightType() const {
    return IsNull(this) ? 0 : GetHeightType();
}

long CS_CoordinateSystem::GetSafeSystemType() const {
    return IsNull(this) ? 0 : GetSystemType();
}

long CS_CoordinateSystem::GetSafeSystemTypeEx() const {
    return IsNull(this) ? 0 : GetSystemTypeEx();
}
