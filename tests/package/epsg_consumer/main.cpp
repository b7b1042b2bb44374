// An outside program built against the installed EPSG component.
#include <quarn/epsg.h>

#include <cstdio>

int main() {
    CQuarnCoordinateSystemFactory factory;
    CQuarnEpsgAuthorityFactory epsg(factory);
    const CS_LinearUnit* metre = epsg.CreateLinearUnit(L"EPSG:9001");
    std::printf("%ls\n", metre != nullptr ? metre->GetWKT(nullptr) : epsg.GetLastFailure());
    return metre != nullptr ? 0 : 1;
}
