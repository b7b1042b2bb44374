// An outside program built against the installed library.
#include <quarn/quarn.h>

#include <cstdio>

int main() {
    CQuarnCoordinateSystemFactory factory;
    const CS_LinearUnit* metre = factory.CreateLinearUnit(L"metre", 1.0);
    PT_Envelope envelope{};
    CTesselEnvelope copy(envelope);
    std::printf("%ls %d\n", metre->GetWKT(nullptr), copy == envelope ? 1 : 0);
    return 0;
}
