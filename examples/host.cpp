// What a host does with the library: create a factory, read texts, walk the objects a text
// gave, create objects directly, write WKT, read a .prj file with the projection-loading
// flag set, and find out where a text that does not read went wrong.
#include <quarn/quarn.h>

#include <cstdio>
#include <string>

namespace {

const wchar_t kUtm[] =
    L"PROJCS[\"WGS 84 / UTM zone 32N\",GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\","
    L"SPHEROID[\"WGS 84\",6378137,298.257223563]],PRIMEM[\"Greenwich\",0],"
    L"UNIT[\"degree\",0.0174532925199433]],PROJECTION[\"Transverse_Mercator\"],"
    L"PARAMETER[\"central_meridian\",9],PARAMETER[\"scale_factor\",0.9996],"
    L"PARAMETER[\"false_easting\",500000],UNIT[\"metre\",1]]";

// A .prj file as desktop mapping software writes it: false easting in the unit of the
// system (US feet) and a method name the flag normalises.
const wchar_t kEsri[] =
    L"PROJCS[\"Example_Feet\",GEOGCS[\"GCS_North_American_1983\","
    L"DATUM[\"D_North_American_1983\",SPHEROID[\"GRS_1980\",6378137.0,298.257222101]],"
    L"PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],"
    L"PROJECTION[\"Lambert_Conformal_Conic\"],PARAMETER[\"False_Easting\",6561666.666666666],"
    L"PARAMETER[\"False_Northing\",0.0],PARAMETER[\"Central_Meridian\",-120.5],"
    L"PARAMETER[\"Standard_Parallel_1\",44.3333333333],"
    L"PARAMETER[\"Standard_Parallel_2\",46.0],PARAMETER[\"Latitude_Of_Origin\",43.6666666667],"
    L"UNIT[\"Foot_US\",0.3048006096012192]]";

void Walk(const CS_ProjectedCoordinateSystem* projected) {
    const CS_GeographicCoordinateSystem* geographic = projected->GetGeographicCoordinateSystem();
    const CS_HorizontalDatum* datum = geographic->GetHorizontalDatum();
    const CS_Ellipsoid* ellipsoid = datum->GetEllipsoid();
    const CS_Projection* projection = projected->GetProjection();
    std::printf("%ls: %ls on datum %ls, ellipsoid %ls (a = %.3f m, 1/f = %.9f)\n",
                projected->GetName(), projection->GetClassName(), datum->GetName(),
                ellipsoid->GetName(), ellipsoid->GetSemiMajorAxis(),
                ellipsoid->GetInverseFlattening());
    for (long i = 0; i < projection->GetNumParameters(); ++i) {
        const CS_ProjectionParameter* parameter = projection->GetParameter(i);
        std::printf("  %ls = %g\n", parameter->name, parameter->value);
    }
}

} // namespace

int main() {
    // The factory owns every object it hands out, until it is destroyed.
    CQuarnCoordinateSystemFactory factory;

    // Reading a text, then walking the objects it gave.
    const CS_CoordinateSystem* system = factory.CreateFromWKT(kUtm);
    if (system == nullptr || system->GetObjectType() != kQuarnProjectedCS) return 1;
    Walk(static_cast<const CS_ProjectedCoordinateSystem*>(system));

    // Creating objects directly. Equal requests give the registered object: the ellipsoid
    // and datum below are the ones the text above created.
    const CS_LinearUnit* metre = factory.CreateLinearUnit(L"metre", 1.0);
    const CS_AngularUnit* degree = factory.CreateAngularUnit(L"degree", 0.0174532925199433);
    const CS_Ellipsoid* wgs84 =
        factory.CreateFlattenedSphere(L"WGS 84", 6378137.0, 298.257223563, metre);
    CQuarnWGS84ConversionInfo noShift;
    CQuarn3DIMInfo noGrids;
    const CS_HorizontalDatum* datum =
        factory.CreateHorizontalDatum(L"WGS_1984", 1001, wgs84, noShift, noGrids);
    const CS_PrimeMeridian* greenwich = factory.CreatePrimeMeridian(L"Greenwich", degree, 0.0);
    CQuarnAxisInfo north(L"Lat", CS_AO_North);
    CQuarnAxisInfo east(L"Lon", CS_AO_East);
    const CS_GeographicCoordinateSystem* geographic = factory.CreateGeographicCoordinateSystem(
        L"WGS 84 (lat, lon)", degree, datum, greenwich, north, east);
    std::printf("the same datum as the text's: %s\n",
                datum == static_cast<const CS_ProjectedCoordinateSystem*>(system)
                                 ->GetGeographicCoordinateSystem()
                                 ->GetHorizontalDatum()
                    ? "yes"
                    : "no");

    // Writing WKT. The text lives in a buffer of the object's class until the next GetWKT on
    // an object of that class: copy it to keep it.
    std::wstring text = geographic->GetWKT(nullptr);
    std::printf("%ls\n", text.c_str());

    // Texts from .prj files are read with the projection-loading flag set, which normalises
    // their method names and converts false easting and northing to metres. It is one
    // setting for the whole process.
    SetPrjLoading(true);
    const CS_CoordinateSystem* prj = factory.CreateFromWKT(kEsri);
    SetPrjLoading(false);
    if (prj == nullptr || prj->GetObjectType() != kQuarnProjectedCS) return 1;
    Walk(static_cast<const CS_ProjectedCoordinateSystem*>(prj));

    // A text that does not read gives null; the diagnostic says where and why.
    const wchar_t broken[] = L"GEOGCS[\"broken\",DATUM[\"d\",SPHEROID[\"s\",6378137,298]] "
                             L"PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]]";
    if (factory.CreateFromWKT(broken) == nullptr) {
        const QuarnParseDiagnostic& diagnostic = factory.GetLastDiagnostic();
        if (diagnostic.syntaxError)
            std::printf("not read: unexpected '%ls' at character %zu; expected %ls\n",
                        diagnostic.token.c_str(), diagnostic.offset + 1,
                        diagnostic.expected.c_str());
        else
            std::printf("not read\n");
    }
    return 0;
}
