#include "Destroy.h"

#include "../objects/Units.h"

void QuarnDestroyInfo(CS_Info* item) {
    if (item == nullptr) return;
    switch (item->GetObjectType()) {
    case kQuarnLinearUnit:
        delete static_cast<CQuarnLinearUnit*>(item);
        break;
    case kQuarnAngularUnit:
        delete static_cast<CQuarnAngularUnit*>(item);
        break;
    default:
        break;
    }
}
