// Creates a factory, registers a few units and prints their WKT. Equal units come back as
// the same object: the second metre below is the first one.
#include "quarn.h"

#include <cstdio>

int main() {
    CQuarnCoordinateSystemFactory factory;
    const CS_LinearUnit* metre = factory.CreateLinearUnit(L"metre", 1.0);
    const CS_LinearUnit* foot = factory.CreateLinearUnit(L"Foot_US", 0.304800609601219);
    const CS_LinearUnit* meter = factory.CreateLinearUnit(L"Meter", 1.0);
    const CS_AngularUnit* degree = factory.CreateAngularUnit(L"degree", 0.0174532925199433);
    const CS_AngularUnit* grad = factory.CreateAngularUnit(L"grad", 0.015707963267948967);

    for (const CS_Info* unit :
         {static_cast<const CS_Info*>(metre), static_cast<const CS_Info*>(foot),
          static_cast<const CS_Info*>(degree), static_cast<const CS_Info*>(grad)})
        std::printf("%ls\n", unit->GetWKT(nullptr));
    std::printf("Meter is %s\n", meter == metre ? "the registered metre" : "a new unit");
    return 0;
}
