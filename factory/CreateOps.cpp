// The create operations of the factory.
#include "Canonical.h"
#include "Factory.h"

#include "../model/ModuleSetup.h"
#include "../objects/Units.h"

#include <cwchar>

const CS_CoordinateSystem* CQuarnCoordinateSystemFactory::CreateFromXML(const wchar_t*) {
    return nullptr;
}

const CS_LinearUnit* CQuarnCoordinateSystemFactory::CreateLinearUnit(const wchar_t* name,
                                                                     double metersPerUnit) {
    std::unique_ptr<CQuarnLinearUnit> unit = QuarnNew<CQuarnLinearUnit>();
    if (!unit) return nullptr;
    unit->SetName(name);
    unit->SetMetersPerUnit(metersPerUnit);
    return QuarnCanonical(*this, std::move(unit));
}

const CS_AngularUnit* CQuarnCoordinateSystemFactory::CreateAngularUnit(const wchar_t* name,
                                                                       double radiansPerUnit) {
    std::unique_ptr<CQuarnAngularUnit> unit = QuarnNew<CQuarnAngularUnit>();
    if (!unit) return nullptr;
    // While projection files are loaded their "Degree" is the library's "Degrees".
    if (IsPrjLoading() && name != nullptr && std::wcscmp(name, L"Degree") == 0) name = L"Degrees";
    unit->SetName(name);
    unit->SetRadiansPerUnit(radiansPerUnit);
    return QuarnCanonical(*this, std::move(unit));
}
