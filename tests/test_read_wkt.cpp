// Reading WKT through CreateFromWKT: what each element becomes, the defaults that stand in
// for omitted clauses, authority pairs, fitted and compound systems, and what the reader
// makes of texts that do not form a coordinate system.
#include "quarn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr double kPi = 3.141592653589793;

// Written forms of the pieces the texts below share.
const std::wstring kWgs84Spheroid = L"SPHEROID[\"WGS 84\",6378137,298.257223563]";
const std::wstring kGreenwich = L"PRIMEM[\"Greenwich\",0]";
const std::wstring kDegree = L"UNIT[\"degree\",0.0174532925199433]";
const std::wstring kMetre = L"UNIT[\"metre\",1]";

// A geographic system with every optional clause left out.
const std::wstring kBareGeographic = L"GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\"," + kWgs84Spheroid +
                                     L"]," + kGreenwich + L"," + kDegree + L"]";
// What it writes: the default zero shift (rotations negated, so -0) and the default axes.
const std::wstring kBareGeographicWritten =
    L"GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\"," + kWgs84Spheroid +
    L" ,TOWGS84[0, 0, 0, -0, -0, -0, 0]]," + kGreenwich + L"," + kDegree +
    L",AXIS[\"X\",East],AXIS[\"Y\",North]]";

const std::wstring kVertical =
    L"VERT_CS[\"Height\",VERT_DATUM[\"Mean Sea Level\",2005]," + kMetre + L"]";

template <class T> const T* As(const CS_Info* object) {
    return dynamic_cast<const T*>(object);
}

std::wstring Written(const CS_Info* object) {
    return object != nullptr ? object->GetWKT(nullptr) : L"(no object)";
}

const CS_HorizontalDatum* DatumOf(const CS_CoordinateSystem* system) {
    const auto* geographic = As<CS_GeographicCoordinateSystem>(system);
    return geographic != nullptr ? geographic->GetHorizontalDatum() : nullptr;
}

void ExpectAxis(const CS_CoordinateSystem* system, long index, const wchar_t* name,
                int orientation) {
    const CS_AxisInfo* axis = system->GetAxis(index);
    ASSERT_NE(axis, nullptr) << "axis " << index;
    EXPECT_STREQ(axis->name, name) << "axis " << index;
    EXPECT_EQ(axis->orientation, orientation) << "axis " << index;
}

void ExpectAuthority(const CS_Info* object, const wchar_t* authority, const wchar_t* code) {
    ASSERT_NE(object, nullptr);
    EXPECT_STREQ(object->GetAuthority(), authority) << object->GetName();
    EXPECT_STREQ(object->GetAuthorityCode(), code) << object->GetName();
}

long Registered(const CQuarnCoordinateSystemFactory& factory, long type) {
    return factory.GetProductLine(type).GetSize();
}

} // namespace

TEST(ReadWkt, EmptyOrBlankTextFormsNoSystem) {
    CQuarnCoordinateSystemFactory factory;
    EXPECT_EQ(factory.CreateFromWKT(L""), nullptr);
    EXPECT_EQ(factory.CreateFromWKT(L" \t\r\n  "), nullptr);
    // A null text reads as an empty one.
    EXPECT_EQ(factory.CreateFromWKT(nullptr), nullptr);
    // A word that is no keyword, and parentheses instead of brackets.
    EXPECT_EQ(factory.CreateFromWKT(L"GEOGRAPHIC[\"x\"]"), nullptr);
    EXPECT_EQ(factory.CreateFromWKT(L"UNIT(\"metre\",1)"), nullptr);
    // An element that is no coordinate system.
    EXPECT_EQ(factory.CreateFromWKT(kMetre.c_str()), nullptr);
    for (long type = 0; type < kQuarnObjectTypeCount; ++type)
        EXPECT_EQ(Registered(factory, type), 0) << "registry " << type;

    // A failed parse does not keep the last result.
    ASSERT_NE(factory.CreateFromWKT(kBareGeographic.c_str()), nullptr);
    EXPECT_EQ(factory.CreateFromWKT(L" "), nullptr);
}

TEST(ReadWkt, OmittedClausesTakeTheDefaults) {
    CQuarnCoordinateSystemFactory factory;
    const CS_CoordinateSystem* geographic = factory.CreateFromWKT(kBareGeographic.c_str());
    ASSERT_NE(geographic, nullptr);
    EXPECT_EQ(geographic->GetObjectType(), kQuarnGeographicCS);
    ExpectAxis(geographic, 0, L"X", CS_AO_East);
    ExpectAxis(geographic, 1, L"Y", CS_AO_North);

    // A datum without TOWGS84: seven zeros, no grid files, the classic datum type.
    const CS_HorizontalDatum* datum = DatumOf(geographic);
    ASSERT_NE(datum, nullptr);
    EXPECT_EQ(datum->GetDatumType(), 1001);
    const CS_WGS84ConversionInfo* shift = datum->GetWGS84Parameters();
    for (double value :
         {shift->Dx, shift->Dy, shift->Dz, shift->Ex, shift->Ey, shift->Ez, shift->Ppm})
        EXPECT_EQ(value, 0.0);
    EXPECT_STREQ(datum->Get3DIMParameters()->LBFFileName, L"");
    EXPECT_STREQ(datum->Get3DIMParameters()->COPFileName, L"");
    EXPECT_EQ(Written(geographic), kBareGeographicWritten);

    // The same text again is the same object.
    EXPECT_EQ(factory.CreateFromWKT(kBareGeographic.c_str()), geographic);
    EXPECT_EQ(Registered(factory, kQuarnGeographicCS), 1);

    const std::wstring geocentric = L"GEOCCS[\"Earth-centred\",DATUM[\"WGS_1984\"," +
                                    kWgs84Spheroid + L"]," + kGreenwich + L"," + kMetre + L"]";
    const CS_CoordinateSystem* centred = factory.CreateFromWKT(geocentric.c_str());
    ASSERT_NE(centred, nullptr);
    ExpectAxis(centred, 0, L"X", CS_AO_East);
    ExpectAxis(centred, 1, L"Y", CS_AO_North);
    ExpectAxis(centred, 2, L"Z", CS_AO_Up);
    // Its datum is the one the geographic system uses: same name, ellipsoid and shift.
    EXPECT_EQ(As<CS_GeocentricCoordinateSystem>(centred)->GetHorizontalDatum(), datum);

    const CS_CoordinateSystem* vertical = factory.CreateFromWKT(kVertical.c_str());
    ASSERT_NE(vertical, nullptr);
    ExpectAxis(vertical, 0, L"Z", CS_AO_Up);
    EXPECT_EQ(Written(vertical),
              L"VERT_CS[\"Height\",VERT_DATUM[\"Mean Sea Level\",2005],UNIT[\"metre\",1],"
              L"AXIS[\"Z\",Up]]");

    const std::wstring projected = L"PROJCS[\"Mercator\"," + kBareGeographic +
                                   L",PROJECTION[\"Mercator_1SP\"]," + kMetre + L"]";
    const CS_CoordinateSystem* map = factory.CreateFromWKT(projected.c_str());
    ASSERT_NE(map, nullptr);
    ExpectAxis(map, 0, L"X", CS_AO_East);
    ExpectAxis(map, 1, L"Y", CS_AO_North);
    const CS_Projection* projection = As<CS_ProjectedCoordinateSystem>(map)->GetProjection();
    EXPECT_EQ(projection->GetNumParameters(), 0);
    // The projection is created without a name.
    EXPECT_STREQ(projection->GetName(), L"");
    EXPECT_EQ(As<CS_ProjectedCoordinateSystem>(map)->GetGeographicCoordinateSystem(), geographic);
}

TEST(ReadWkt, SpheroidThirdNumberAbove500IsTheSemiMinorAxis) {
    CQuarnCoordinateSystemFactory factory;
    auto ellipsoidOf = [&factory](const wchar_t* name, const wchar_t* third) {
        std::wstring text = std::wstring(L"GEOGCS[\"G\",DATUM[\"D\",SPHEROID[\"") + name +
                            L"\",6378137," + third + L"]]," + kGreenwich + L"," + kDegree + L"]";
        const CS_HorizontalDatum* datum = DatumOf(factory.CreateFromWKT(text.c_str()));
        return datum != nullptr ? datum->GetEllipsoid() : nullptr;
    };

    const CS_Ellipsoid* flattened = ellipsoidOf(L"flattening", L"298.257223563");
    ASSERT_NE(flattened, nullptr);
    EXPECT_EQ(flattened->GetSemiMajorAxis(), 6378137.0);
    EXPECT_EQ(flattened->GetInverseFlattening(), 298.257223563);

    const CS_Ellipsoid* twoAxes = ellipsoidOf(L"two axes", L"6356752.314245");
    ASSERT_NE(twoAxes, nullptr);
    EXPECT_EQ(twoAxes->GetSemiMajorAxis(), 6378137.0);
    EXPECT_NEAR(twoAxes->GetInverseFlattening(), 298.257223563, 1e-6);

    // 500 itself is still an inverse flattening; just above it is an axis.
    const CS_Ellipsoid* at500 = ellipsoidOf(L"at 500", L"500");
    ASSERT_NE(at500, nullptr);
    EXPECT_EQ(at500->GetInverseFlattening(), 500.0);
    const CS_Ellipsoid* above500 = ellipsoidOf(L"above 500", L"500.5");
    ASSERT_NE(above500, nullptr);
    EXPECT_EQ(above500->GetInverseFlattening(), 6378137.0 / (6378137.0 - 500.5));
}

TEST(ReadWkt, PrimeMeridianIsReadInDegreesWhateverTheUnit) {
    CQuarnCoordinateSystemFactory factory;
    auto meridianOf = [&factory](const std::wstring& unit) {
        std::wstring text = L"GEOGCS[\"NTF (Paris)\",DATUM[\"NTF\",SPHEROID[\"Clarke 1880 (IGN)\","
                            L"6378249.2,293.466021293627]],PRIMEM[\"Paris\",2.33722917]," +
                            unit + L"]";
        const auto* geographic =
            As<CS_GeographicCoordinateSystem>(factory.CreateFromWKT(text.c_str()));
        return geographic != nullptr ? geographic->GetPrimeMeridian() : nullptr;
    };
    const CS_PrimeMeridian* inGrad = meridianOf(L"UNIT[\"grad\",0.0157079632679489]");
    ASSERT_NE(inGrad, nullptr);
    EXPECT_DOUBLE_EQ(inGrad->GetLongitude(), 2.33722917 * kPi / 180.0);
    // The same number under a degree unit is the same meridian.
    EXPECT_EQ(meridianOf(kDegree), inGrad);
    // Outside a geographic system the meridian writes itself in degrees.
    EXPECT_EQ(Written(inGrad), L"PRIMEM[\"Paris\",2.33722917]");
}

TEST(ReadWkt, ShiftRotationsAreStoredNegated) {
    CQuarnCoordinateSystemFactory factory;
    const std::wstring text = L"GEOGCS[\"G\",DATUM[\"D\"," + kWgs84Spheroid +
                              L",TOWGS84[10,-20,30.5,1,2,-3,4.5]]," + kGreenwich + L"," + kDegree +
                              L"]";
    const CS_HorizontalDatum* datum = DatumOf(factory.CreateFromWKT(text.c_str()));
    ASSERT_NE(datum, nullptr);
    const CS_WGS84ConversionInfo* shift = datum->GetWGS84Parameters();
    EXPECT_EQ(shift->Dx, 10.0);
    EXPECT_EQ(shift->Dy, -20.0);
    EXPECT_EQ(shift->Dz, 30.5);
    EXPECT_EQ(shift->Ex, -1.0);
    EXPECT_EQ(shift->Ey, -2.0);
    EXPECT_EQ(shift->Ez, 3.0);
    EXPECT_EQ(shift->Ppm, 4.5);
    EXPECT_STREQ(shift->areaOfUse, L"");
    // Written back with the signs read.
    EXPECT_EQ(Written(datum),
              L"DATUM[\"D\"," + kWgs84Spheroid + L" ,TOWGS84[10, -20, 30.5, 1, 2, -3, 4.5]]");
}

TEST(ReadWkt, GridFileNamesAreCutAt254Characters) {
    auto datumWithFiles = [](CQuarnCoordinateSystemFactory& factory, const wchar_t* name,
                             const std::wstring& lbf, const std::wstring& cop) {
        std::wstring text = std::wstring(L"GEOGCS[\"G\",DATUM[\"") + name + L"\"," +
                            kWgs84Spheroid + L",TOWGS84[1,2,3,0,0,0,0],THREEDIM[\"" + lbf +
                            L"\",\"" + cop + L"\"]]," + kGreenwich + L"," + kDegree + L"]";
        return DatumOf(factory.CreateFromWKT(text.c_str()));
    };

    CQuarnCoordinateSystemFactory factory;
    const CS_HorizontalDatum* datum =
        datumWithFiles(factory, L"NAD83 3DIM", L"grid.lbf", L"grid.cop");
    ASSERT_NE(datum, nullptr);
    EXPECT_STREQ(datum->Get3DIMParameters()->LBFFileName, L"grid.lbf");
    EXPECT_STREQ(datum->Get3DIMParameters()->COPFileName, L"grid.cop");
    EXPECT_EQ(Written(datum), L"DATUM[\"NAD83 3DIM\"," + kWgs84Spheroid +
                                  L" ,TOWGS84[1, 2, 3, 0, 0, 0, 0],THREEDIM[\"grid.lbf\","
                                  L"\"grid.cop\"]]");

    // Each case in a factory of its own: datums that differ only in their grid files are
    // one datum.
    const std::wstring name254(254, L'b'), name255(255, L'c'), name300(300, L'd');
    CQuarnCoordinateSystemFactory exact;
    datum = datumWithFiles(exact, L"3DIM", name254, name255);
    ASSERT_NE(datum, nullptr);
    EXPECT_EQ(std::wstring(datum->Get3DIMParameters()->LBFFileName), name254);
    EXPECT_EQ(std::wstring(datum->Get3DIMParameters()->COPFileName), name255.substr(0, 254));
    CQuarnCoordinateSystemFactory longer;
    datum = datumWithFiles(longer, L"3DIM", name300, L"");
    ASSERT_NE(datum, nullptr);
    EXPECT_EQ(std::wstring(datum->Get3DIMParameters()->LBFFileName), name300.substr(0, 254));
    EXPECT_STREQ(datum->Get3DIMParameters()->COPFileName, L"");
}

TEST(ReadWkt, AuthorityClausesOnEveryElementKind) {
    CQuarnCoordinateSystemFactory factory;
    // Axes and a parameter list present: the long forms of PROJCS, PROJECTION, GEOGCS and
    // DATUM; authorities on the spheroid, meridian and units too.
    const std::wstring full =
        L"PROJCS[\"UTM 32N\",GEOGCS[\"ETRS89\",DATUM[\"ETRS_1989\",SPHEROID[\"GRS 1980\","
        L"6378137,298.257222101,AUTHORITY[\"A\",\"7019\"]],TOWGS84[0,0,0,0,0,0,0],"
        L"AUTHORITY[\"A\",\"6258\"]],PRIMEM[\"Greenwich\",0,AUTHORITY[\"A\",\"8901\"]],"
        L"UNIT[\"degree\",0.0174532925199433,AUTHORITY[\"A\",\"9122\"]],AXIS[\"Lat\",North],"
        L"AXIS[\"Lon\",East],AUTHORITY[\"A\",\"4258\"]],PROJECTION[\"Transverse_Mercator\","
        L"AUTHORITY[\"A\",\"9807\"]],PARAMETER[\"central_meridian\",9],UNIT[\"metre\",1,"
        L"AUTHORITY[\"A\",\"9001\"]],AXIS[\"E\",East],AXIS[\"N\",North],"
        L"AUTHORITY[\"A\",\"25832\"]]";
    const auto* projected = As<CS_ProjectedCoordinateSystem>(factory.CreateFromWKT(full.c_str()));
    ASSERT_NE(projected, nullptr);
    ExpectAuthority(projected, L"A", L"25832");
    ExpectAuthority(projected->GetProjection(), L"A", L"9807");
    ExpectAuthority(projected->GetLinearUnit(), L"A", L"9001");
    const CS_GeographicCoordinateSystem* geographic = projected->GetGeographicCoordinateSystem();
    ExpectAuthority(geographic, L"A", L"4258");
    ExpectAuthority(geographic->GetHorizontalDatum(), L"A", L"6258");
    ExpectAuthority(geographic->GetHorizontalDatum()->GetEllipsoid(), L"A", L"7019");
    ExpectAuthority(geographic->GetPrimeMeridian(), L"A", L"8901");
    ExpectAuthority(geographic->GetAngularUnit(), L"A", L"9122");
    // Authorities are read, never written.
    EXPECT_EQ(std::wstring(Written(projected)).find(L"AUTHORITY"), std::wstring::npos);

    // The short forms: no axes, no parameters, no shift.
    const std::wstring bare =
        L"PROJCS[\"Bare\",GEOGCS[\"Bare G\",DATUM[\"Bare D\"," + kWgs84Spheroid +
        L",AUTHORITY[\"B\",\"1\"]]," + kGreenwich + L"," + kDegree +
        L",AUTHORITY[\"B\",\"2\"]],PROJECTION[\"Mercator_1SP\",AUTHORITY[\"B\",\"3\"]]," + kMetre +
        L",AUTHORITY[\"B\",\"4\"]]";
    projected = As<CS_ProjectedCoordinateSystem>(factory.CreateFromWKT(bare.c_str()));
    ASSERT_NE(projected, nullptr);
    ExpectAuthority(projected, L"B", L"4");
    ExpectAuthority(projected->GetProjection(), L"B", L"3");
    ExpectAuthority(projected->GetGeographicCoordinateSystem(), L"B", L"2");
    ExpectAuthority(projected->GetHorizontalDatum(), L"B", L"1");

    const std::wstring datum = L"DATUM[\"WGS_1984\"," + kWgs84Spheroid + L"]";
    const CS_Info* geocentric = factory.CreateFromWKT(
        (L"GEOCCS[\"C1\"," + datum + L"," + kGreenwich + L"," + kMetre +
         L",AXIS[\"X\",Other],AXIS[\"Y\",East],AXIS[\"Z\",North],AUTHORITY[\"C\",\"1\"]]")
            .c_str());
    ExpectAuthority(geocentric, L"C", L"1");
    geocentric = factory.CreateFromWKT((L"GEOCCS[\"C2\"," + datum + L"," + kGreenwich + L"," +
                                        kMetre + L",AUTHORITY[\"C\",\"2\"]]")
                                           .c_str());
    ExpectAuthority(geocentric, L"C", L"2");

    const auto* vertical = As<CS_VerticalCoordinateSystem>(
        factory.CreateFromWKT(L"VERT_CS[\"V1\",VERT_DATUM[\"VD\",2005,AUTHORITY[\"V\",\"0\"]],"
                              L"UNIT[\"metre\",1],AXIS[\"H\",Up],AUTHORITY[\"V\",\"1\"]]"));
    ExpectAuthority(vertical, L"V", L"1");
    ExpectAuthority(vertical->GetVerticalDatum(), L"V", L"0");
    vertical = As<CS_VerticalCoordinateSystem>(factory.CreateFromWKT(
        L"VERT_CS[\"V2\",VERT_DATUM[\"VD\",2005],UNIT[\"metre\",1],AUTHORITY[\"V\",\"2\"]]"));
    ExpectAuthority(vertical, L"V", L"2");

    const std::wstring local =
        L"LOCAL_CS[\"L\",LOCAL_DATUM[\"LD\",10000,AUTHORITY[\"L\",\"0\"]],UNIT[\"metre\",1],"
        L"AXIS[\"x\",East],AUTHORITY[\"L\",\"1\"]]";
    const auto* site = As<CS_LocalCoordinateSystem>(factory.CreateFromWKT(local.c_str()));
    ExpectAuthority(site, L"L", L"1");
    ExpectAuthority(site->GetLocalDatum(), L"L", L"0");

    const std::wstring compound =
        L"COMPD_CS[\"K\"," + local + L"," + kVertical + L",AUTHORITY[\"K\",\"1\"]]";
    ExpectAuthority(factory.CreateFromWKT(compound.c_str()), L"K", L"1");
}

TEST(ReadWkt, AuthorityIsWrittenIntoAnExistingEqualObject) {
    CQuarnCoordinateSystemFactory factory;
    const auto* geographic =
        As<CS_GeographicCoordinateSystem>(factory.CreateFromWKT(kBareGeographic.c_str()));
    ASSERT_NE(geographic, nullptr);
    ExpectAuthority(geographic, L"", L"");

    // Units compare by factor only: a unit of another name is the registered one, which
    // keeps its name and takes the new authority.
    const std::wstring withAuthority = L"GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\"," + kWgs84Spheroid +
                                       L"]," + kGreenwich +
                                       L",UNIT[\"Degree\",0.0174532925199433,AUTHORITY[\"EPSG\","
                                       L"\"9122\"]],AUTHORITY[\"EPSG\",\"4326\"]]";
    EXPECT_EQ(factory.CreateFromWKT(withAuthority.c_str()), geographic);
    ExpectAuthority(geographic, L"EPSG", L"4326");
    ExpectAuthority(geographic->GetAngularUnit(), L"EPSG", L"9122");
    EXPECT_STREQ(geographic->GetAngularUnit()->GetName(), L"degree");

    // A later pair replaces the earlier one; reading without a pair leaves it alone.
    const std::wstring other =
        kBareGeographic.substr(0, kBareGeographic.size() - 1) + L",AUTHORITY[\"Other\",\"7\"]]";
    EXPECT_EQ(factory.CreateFromWKT(other.c_str()), geographic);
    ExpectAuthority(geographic, L"Other", L"7");
    EXPECT_EQ(factory.CreateFromWKT(kBareGeographic.c_str()), geographic);
    ExpectAuthority(geographic, L"Other", L"7");
}

TEST(ReadWkt, LocalGridFit) {
    CQuarnCoordinateSystemFactory factory;
    // The classification name in any case; no parameters: every default.
    const std::wstring plain =
        L"FITTED_CS[\"Grid\",PARAM_MT[\"local_grid\"]," + kBareGeographic + L"]";
    const auto* fit =
        As<CQuarnFittedHorizontalCoordinateSystem>(factory.CreateFromWKT(plain.c_str()));
    ASSERT_NE(fit, nullptr);
    EXPECT_EQ(fit->GetE0(), 0.0);
    EXPECT_EQ(fit->GetN0(), 0.0);
    EXPECT_EQ(fit->GetK(), 1.0);
    EXPECT_EQ(fit->GetDE(), 0.0);
    EXPECT_EQ(fit->GetDN(), 0.0);
    EXPECT_EQ(fit->GetBeta(), 0.0);
    EXPECT_EQ(fit->GetBaseCoordinateSystem(), factory.CreateFromWKT(kBareGeographic.c_str()));

    // Parameter names match exactly: "k" is not K; the first of two E0 counts; unknown
    // names are ignored; Beta is read in degrees.
    const std::wstring given =
        L"FITTED_CS[\"Grid 2\",PARAM_MT[\"LOCAL_GRID\",PARAMETER[\"E0\",100],"
        L"PARAMETER[\"N0\",200],PARAMETER[\"k\",5],PARAMETER[\"DE\",3],PARAMETER[\"DN\",4],"
        L"PARAMETER[\"Beta\",90],PARAMETER[\"E0\",999],PARAMETER[\"Scale\",2]]," +
        kBareGeographic + L"]";
    fit = As<CQuarnFittedHorizontalCoordinateSystem>(factory.CreateFromWKT(given.c_str()));
    ASSERT_NE(fit, nullptr);
    EXPECT_EQ(fit->GetE0(), 100.0);
    EXPECT_EQ(fit->GetN0(), 200.0);
    EXPECT_EQ(fit->GetK(), 1.0);
    EXPECT_EQ(fit->GetDE(), 3.0);
    EXPECT_EQ(fit->GetDN(), 4.0);
    EXPECT_DOUBLE_EQ(fit->GetBeta(), kPi / 2);
    EXPECT_EQ(Written(fit),
              L"FITTED_CS[\"Grid 2\",PARAM_MT[\"Local_Grid\",\t\t\t\tPARAMETER[\"E0\",100],"
              L"\t\t\t\tPARAMETER[\"N0\",200],\t\t\t\tPARAMETER[\"K\",1],\t\t\t\t"
              L"PARAMETER[\"DE\",3],\t\t\t\tPARAMETER[\"DN\",4],\t\t\t\tPARAMETER[\"Beta\",90]]," +
                  kBareGeographicWritten + L"]");
}

TEST(ReadWkt, LinearCorrectionFit) {
    CQuarnCoordinateSystemFactory factory;
    const std::wstring plain =
        L"FITTED_CS[\"Heights\",PARAM_MT[\"LINEAR_CORRECTION\"]," + kVertical + L"]";
    const auto* fit =
        As<CQuarnFittedVerticalCoordinateSystem>(factory.CreateFromWKT(plain.c_str()));
    ASSERT_NE(fit, nullptr);
    for (double value : {fit->GetdH(), fit->GetGl(), fit->GetGg(), fit->GetL0(), fit->GetG0()})
        EXPECT_EQ(value, 0.0);

    const std::wstring given =
        L"FITTED_CS[\"Heights 2\",PARAM_MT[\"Linear_correction\",PARAMETER[\"dH\",1.5],"
        L"PARAMETER[\"Gl\",2],PARAMETER[\"Gg\",3],PARAMETER[\"L0\",45],PARAMETER[\"G0\",-30],"
        L"PARAMETER[\"gl\",9],PARAMETER[\"DH\",9]]," +
        kVertical + L"]";
    fit = As<CQuarnFittedVerticalCoordinateSystem>(factory.CreateFromWKT(given.c_str()));
    ASSERT_NE(fit, nullptr);
    EXPECT_EQ(fit->GetdH(), 1.5);
    EXPECT_EQ(fit->GetGl(), 2.0);
    EXPECT_EQ(fit->GetGg(), 3.0);
    EXPECT_DOUBLE_EQ(fit->GetL0(), kPi / 4);
    EXPECT_DOUBLE_EQ(fit->GetG0(), -kPi / 6);
    EXPECT_EQ(Written(fit),
              L"FITTED_CS[\"Heights 2\",PARAM_MT[\"Linear_Correction\",\t\t\t\t"
              L"PARAMETER[\"dH\",1.5],\t\t\t\tPARAMETER[\"Gl\",2],\t\t\t\tPARAMETER[\"Gg\",3],"
              L"\t\t\t\tPARAMETER[\"L0\",45],\t\t\t\tPARAMETER[\"G0\",-30]],VERT_CS[\"Height\","
              L"VERT_DATUM[\"Mean Sea Level\",2005],UNIT[\"metre\",1],AXIS[\"Z\",Up]]]");
}

TEST(ReadWkt, FitsAndCompoundsOfTheWrongKindFormNoSystem) {
    CQuarnCoordinateSystemFactory factory;
    const std::wstring horizontalFit =
        L"FITTED_CS[\"H fit\",PARAM_MT[\"Local_Grid\"]," + kBareGeographic + L"]";
    const std::wstring verticalFit =
        L"FITTED_CS[\"V fit\",PARAM_MT[\"Linear_Correction\"]," + kVertical + L"]";

    // An unknown classification: no fit; its base stays registered.
    const std::wstring affine = L"FITTED_CS[\"A\",PARAM_MT[\"Affine\"]," + kBareGeographic + L"]";
    EXPECT_EQ(factory.CreateFromWKT(affine.c_str()), nullptr);
    EXPECT_EQ(Registered(factory, kQuarnGeographicCS), 1);
    EXPECT_EQ(Registered(factory, kQuarnFittedHorizontalCS), 0);
    EXPECT_EQ(Registered(factory, kQuarnFittedVerticalCS), 0);

    // A vertical fit as head, a horizontal fit as tail, an unknown fit as head.
    const std::wstring verticalHead = L"COMPD_CS[\"C\"," + verticalFit + L"," + kVertical + L"]";
    EXPECT_EQ(factory.CreateFromWKT(verticalHead.c_str()), nullptr);
    const std::wstring horizontalTail =
        L"COMPD_CS[\"C\"," + kBareGeographic + L"," + horizontalFit + L"]";
    EXPECT_EQ(factory.CreateFromWKT(horizontalTail.c_str()), nullptr);
    const std::wstring unknownHead = L"COMPD_CS[\"C\"," + affine + L"," + kVertical + L"]";
    EXPECT_EQ(factory.CreateFromWKT(unknownHead.c_str()), nullptr);
    // The fits themselves were created before the compound failed.
    EXPECT_EQ(Registered(factory, kQuarnFittedHorizontalCS), 1);
    EXPECT_EQ(Registered(factory, kQuarnFittedVerticalCS), 1);
    EXPECT_EQ(Registered(factory, kQuarnCompoundCS), 0);

    // The right kinds in the right places.
    const std::wstring fits = L"COMPD_CS[\"C\"," + horizontalFit + L"," + verticalFit + L"]";
    const auto* compound = As<CS_CompoundCoordinateSystem>(factory.CreateFromWKT(fits.c_str()));
    ASSERT_NE(compound, nullptr);
    EXPECT_EQ(compound->GetHeadCS(), factory.CreateFromWKT(horizontalFit.c_str()));
    EXPECT_EQ(compound->GetTailCS(), factory.CreateFromWKT(verticalFit.c_str()));
    const std::wstring localHead =
        L"COMPD_CS[\"C2\",LOCAL_CS[\"L\",LOCAL_DATUM[\"LD\",10000],UNIT[\"metre\",1],"
        L"AXIS[\"x\",East]]," +
        kVertical + L"]";
    EXPECT_NE(factory.CreateFromWKT(localHead.c_str()), nullptr);
}

TEST(ReadWkt, TokensAfterACompleteSystem) {
    CQuarnCoordinateSystemFactory factory;
    // Without a PROJCS the system stands, whatever follows it.
    const CS_CoordinateSystem* geographic =
        factory.CreateFromWKT((kBareGeographic + L" ]").c_str());
    ASSERT_NE(geographic, nullptr);
    EXPECT_EQ(Written(geographic), kBareGeographicWritten);
    EXPECT_EQ(factory.CreateFromWKT((kBareGeographic + L"," + kVertical).c_str()), geographic);
    EXPECT_EQ(factory.CreateFromWKT((kBareGeographic + L" junk").c_str()), geographic);

    // With a PROJCS, what follows its PROJECTION is read on trial and fails: no system,
    // no projection, no linear unit; the geographic system made before stays registered.
    CQuarnCoordinateSystemFactory other;
    const std::wstring projected = L"PROJCS[\"P\"," + kBareGeographic +
                                   L",PROJECTION[\"Transverse_Mercator\"],"
                                   L"PARAMETER[\"scale_factor\",0.9996],UNIT[\"foot\",0.3048]]";
    EXPECT_EQ(other.CreateFromWKT((projected + L"," + kVertical).c_str()), nullptr);
    EXPECT_EQ(Registered(other, kQuarnGeographicCS), 1);
    EXPECT_EQ(Registered(other, kQuarnHorizontalDatum), 1);
    EXPECT_EQ(Registered(other, kQuarnAngularUnit), 1);
    EXPECT_EQ(Registered(other, kQuarnProjection), 0);
    EXPECT_EQ(Registered(other, kQuarnLinearUnit), 0);
    EXPECT_EQ(Registered(other, kQuarnProjectedCS), 0);
    EXPECT_EQ(Registered(other, kQuarnVerticalCS), 0);

    // The same PROJCS alone reads, on the geographic system already there.
    const auto* map = As<CS_ProjectedCoordinateSystem>(other.CreateFromWKT(projected.c_str()));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->GetGeographicCoordinateSystem(),
              other.GetProductLine(kQuarnGeographicCS).GetAt(0));
}

TEST(ReadWkt, ListsBeyondTheirCapacityKeepTheirFirstEntries) {
    CQuarnCoordinateSystemFactory factory;
    // A fourth axis has no place: the system has the first three.
    const CS_CoordinateSystem* local = factory.CreateFromWKT(
        L"LOCAL_CS[\"L\",LOCAL_DATUM[\"LD\",10000],UNIT[\"metre\",1],AXIS[\"a\",North],"
        L"AXIS[\"b\",East],AXIS[\"c\",Up],AXIS[\"d\",Down]]");
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(local->GetDimension(), 3);
    EXPECT_EQ(Written(local), L"LOCAL_CS[\"L\",LOCAL_DATUM[\"LD\",10000],UNIT[\"metre\",1],"
                              L"AXIS[\"a\",North],AXIS[\"b\",East],AXIS[\"c\",Up]]");
    // One axis gives a one-dimensional system.
    local = factory.CreateFromWKT(
        L"LOCAL_CS[\"L1\",LOCAL_DATUM[\"LD\",10000],UNIT[\"metre\",1],AXIS[\"a\",West]]");
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(local->GetDimension(), 1);
    ExpectAxis(local, 0, L"a", CS_AO_West);

    // A twelfth parameter is dropped.
    std::wstring parameters;
    for (int i = 1; i <= 12; ++i)
        parameters += L",PARAMETER[\"p" + std::to_wstring(i) + L"\"," + std::to_wstring(i) + L"]";
    const std::wstring projected = L"PROJCS[\"P\"," + kBareGeographic + L",PROJECTION[\"Method\"]" +
                                   parameters + L"," + kMetre + L"]";
    const auto* map = As<CS_ProjectedCoordinateSystem>(factory.CreateFromWKT(projected.c_str()));
    ASSERT_NE(map, nullptr);
    const CS_Projection* projection = map->GetProjection();
    ASSERT_EQ(projection->GetNumParameters(), 11);
    EXPECT_STREQ(projection->GetParameter(10L)->name, L"p11");
    EXPECT_EQ(projection->GetParameter(10L)->value, 11.0);
    EXPECT_EQ(projection->GetParameter(L"p12"), nullptr);

    // In a PARAM_MT the dropped twelfth parameter cannot set K.
    std::wstring fillers;
    for (int i = 1; i <= 11; ++i)
        fillers += L"PARAMETER[\"x" + std::to_wstring(i) + L"\",0],";
    const std::wstring late = L"FITTED_CS[\"F\",PARAM_MT[\"Local_Grid\"," + fillers +
                              L"PARAMETER[\"K\",2]]," + kBareGeographic + L"]";
    const auto* fit =
        As<CQuarnFittedHorizontalCoordinateSystem>(factory.CreateFromWKT(late.c_str()));
    ASSERT_NE(fit, nullptr);
    EXPECT_EQ(fit->GetK(), 1.0);
    const std::wstring early = L"FITTED_CS[\"F\",PARAM_MT[\"Local_Grid\",PARAMETER[\"K\",2]," +
                               fillers.substr(0, fillers.size() - 1) + L"]," + kBareGeographic +
                               L"]";
    fit = As<CQuarnFittedHorizontalCoordinateSystem>(factory.CreateFromWKT(early.c_str()));
    ASSERT_NE(fit, nullptr);
    EXPECT_EQ(fit->GetK(), 2.0);

    // A list of PARAM_MT elements exists only inside CONCAT_MT, which no system accepts;
    // nor are the other transform kinds accepted.
    for (const wchar_t* transform :
         {L"CONCAT_MT[PARAM_MT[\"Local_Grid\"],PARAM_MT[\"Local_Grid\"],PARAM_MT[\"Local_Grid\"],"
          L"PARAM_MT[\"Local_Grid\"],PARAM_MT[\"Local_Grid\"]]",
          L"CONCAT_MT[PARAM_MT[\"Local_Grid\"]]", L"INVERSE_MT[PARAM_MT[\"Local_Grid\"]]",
          L"PASSTHROUGH_MT[PARAM_MT[\"Local_Grid\"]]"}) {
        const std::wstring text =
            std::wstring(L"FITTED_CS[\"F\",") + transform + L"," + kBareGeographic + L"]";
        EXPECT_EQ(factory.CreateFromWKT(text.c_str()), nullptr) << transform;
    }
}
