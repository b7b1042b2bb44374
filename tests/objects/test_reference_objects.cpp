// Units, ellipsoid, prime meridian and datums: equality (by the factor alone for units, by base
// name and values for the others; for datums ellipsoid identity, grid files ignored and the
// ellipsoidal vertical datum), assignment that keeps grid files, and the PRIMEM, DATUM,
// VERT_DATUM and LOCAL_DATUM elements.
#include <quarn/objects/Datums.h>
#include <quarn/objects/Ellipsoid.h>
#include <quarn/objects/PrimeMeridian.h>
#include <quarn/objects/Units.h>

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

const double kInf = std::numeric_limits<double>::infinity();

CQuarnEllipsoid Ellipsoid(const wchar_t* name, double a, double inverseFlattening) {
    CQuarnEllipsoid e;
    e.SetName(name);
    e.SetSemiMajorAxis(a);
    e.SetInverseFlattening(inverseFlattening);
    return e;
}

CQuarnPrimeMeridian Meridian(const wchar_t* name, double radians) {
    CQuarnPrimeMeridian pm;
    pm.SetName(name);
    pm.SetLongitude(radians);
    return pm;
}

const CQuarnEllipsoid wgs = Ellipsoid(L"WGS 84", 6378137.0, 298.257223563);
const CQuarnEllipsoid twin = Ellipsoid(L"WGS 84", 6378137.0, 298.257223563); // another object

CQuarnHorizontalDatum Datum(const wchar_t* name, const CS_Ellipsoid* ellipsoid) {
    CQuarnHorizontalDatum datum;
    datum.SetName(name);
    datum.SetEllipsoid(ellipsoid);
    return datum;
}

const std::wstring kSpheroid = L"SPHEROID[\"WGS 84\",6378137,298.257223563]";
const std::wstring kZeroShift = L" ,TOWGS84[0, 0, 0, -0, -0, -0, 0]";

} // namespace

TEST(Ellipsoid, EqualityByBaseNameAndValues) {
    CQuarnEllipsoid hayford = Ellipsoid(L"HAYFORD", 6378388.0, 297.0);
    CQuarnEllipsoid suffixed = Ellipsoid(L"HAYFORD~1", 6378388.0, 297.0 + 1e-13);
    suffixed.SetAuthority(L"EPSG");
    EXPECT_TRUE(hayford == suffixed);
    EXPECT_FALSE(hayford == Ellipsoid(L"hayford", 6378388.0, 297.0));
    EXPECT_TRUE(hayford != Ellipsoid(L"HAYFORD", 6378388.000001, 297.0));
    // The difference of two infinities is not greater than 1e-12.
    EXPECT_TRUE(Ellipsoid(L"Sphere", 6371000.0, kInf) == Ellipsoid(L"Sphere", 6371000.0, kInf));

    CQuarnPrimeMeridian paris = Meridian(L"Paris", 0.04079234433198);
    EXPECT_TRUE(paris == Meridian(L"Paris~2", 0.04079234433198 + 1e-13));
    EXPECT_FALSE(paris == Meridian(L"PARIS", 0.04079234433198));
    EXPECT_TRUE(paris != Meridian(L"Paris", 0.04079234433198 + 2e-12));
}

TEST(PrimeMeridian, PrimemInTheGivenUnitOrDegrees) {
    CQuarnAngularUnit grad;
    grad.SetRadiansPerUnit(0.015707963267948967);
    CQuarnPrimeMeridian paris = Meridian(L"Paris", 2.5969213 * grad.GetRadiansPerUnit());
    EXPECT_STREQ(paris.GetWKT(nullptr), L"PRIMEM[\"Paris\",2.33722917]");
    EXPECT_STREQ(paris.GetWKT(&grad), L"PRIMEM[\"Paris\",2.5969213]");
    wchar_t buffer[64];
    EXPECT_STREQ(paris.FormatWKT(buffer, 25, &grad), L""); // 25 characters
    // A unit of factor 0 divides by zero; the number format writes the infinity.
    CQuarnAngularUnit broken;
    EXPECT_STREQ(paris.GetWKT(&broken), L"PRIMEM[\"Paris\",INF]");
}

TEST(Units, EqualityIsTheFactorAloneWithinTolerance) {
    CQuarnLinearUnit a, b;
    a.SetName(L"metre");
    a.SetMetersPerUnit(1.0);
    b.SetName(L"Meter");
    b.SetMetersPerUnit(1.0 + 1e-13);
    EXPECT_TRUE(a == b);
    CQuarnAngularUnit zero, tiny, small, nan;
    tiny.SetRadiansPerUnit(1e-12);
    small.SetRadiansPerUnit(2e-12);
    nan.SetRadiansPerUnit(std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(zero == tiny);
    EXPECT_TRUE(zero != small);
    EXPECT_TRUE(nan == small); // the difference is not greater than 1e-12
    EXPECT_EQ(a.GetObjectType() * 100 + zero.GetObjectType(), 1415);
}

TEST(HorizontalDatum, DatumElement) {
    CQuarnHorizontalDatum datum = Datum(L"Potsdam", nullptr);
    // Without an ellipsoid the element cannot be formed.
    EXPECT_STREQ(datum.GetWKT(nullptr), L"");
    datum.SetEllipsoid(&wgs);
    // Rotations are written with reversed sign, a zero as -0.
    CQuarnWGS84ConversionInfo shift(598.1, 73.7, 418.2, 0.5, -1.0, 0.0, 6.7);
    datum.SetWGS84Parameters(&shift);
    datum.SetWGS84Parameters(nullptr); // ignored
    EXPECT_EQ(datum.GetWKT(nullptr), L"DATUM[\"Potsdam\"," + kSpheroid +
                                         L" ,TOWGS84[598.1, 73.7, 418.2, -0.5, 1, -0, 6.7]]");
}

TEST(HorizontalDatum, ThreeDimOnlyUnderTheCaseSensitiveName) {
    CQuarnHorizontalDatum datum = Datum(L"RD 3DIM", &wgs);
    CQuarn3DIMInfo files(L"rdtrans.lbf", L"rdtrans.cop");
    datum.Set3DIMParameters(&files);
    EXPECT_EQ(datum.GetWKT(nullptr), L"DATUM[\"RD 3DIM\"," + kSpheroid + kZeroShift +
                                         L",THREEDIM[\"rdtrans.lbf\",\"rdtrans.cop\"]]");
    datum.SetName(L"RD 3dim");
    EXPECT_EQ(datum.GetWKT(nullptr), L"DATUM[\"RD 3dim\"," + kSpheroid + kZeroShift + L"]");
}

TEST(HorizontalDatum, Equality) {
    CQuarnHorizontalDatum a = Datum(L"NAD27", &wgs);
    CQuarnHorizontalDatum b = Datum(L"NAD27~1", &wgs);
    CQuarn3DIMInfo files(L"a.lbf", L"a.cop");
    b.Set3DIMParameters(&files);
    b.SetAuthority(L"EPSG");
    EXPECT_TRUE(a == b); // suffix, grid files and authority take no part
    EXPECT_FALSE(a == Datum(L"nad27", &wgs));
    EXPECT_FALSE(a == Datum(L"NAD27", &twin)); // identity, not values
    b.SetDatumType(1002);
    EXPECT_TRUE(a != b);
    b.SetDatumType(1001);
    CQuarnWGS84ConversionInfo near(0, 0, 0, 0, 0, 1e-12, 0), far(0, 0, 0, 0, 0, 2e-12, 0);
    b.SetWGS84Parameters(&near);
    EXPECT_TRUE(a == b);
    b.SetWGS84Parameters(&far);
    EXPECT_FALSE(a == b);
}

// An assignment takes everything but the grid files and the reference count.
TEST(HorizontalDatum, AssignmentKeepsGridFilesAndCount) {
    CQuarnHorizontalDatum source = Datum(L"Source", &wgs), target = Datum(L"Target", &twin);
    CQuarnWGS84ConversionInfo shift(1, 2, 3, 4, 5, 6, 7);
    source.SetWGS84Parameters(&shift);
    CQuarn3DIMInfo sourceFiles(L"s.lbf", L"s.cop"), targetFiles(L"t.lbf", L"t.cop");
    source.Set3DIMParameters(&sourceFiles);
    source.AddRef();
    EXPECT_STREQ(CQuarnHorizontalDatum(source).Get3DIMParameters()->LBFFileName, L"s.lbf");
    target.Set3DIMParameters(&targetFiles);
    target = source;
    EXPECT_EQ(target.GetRefCount(), 0);
    EXPECT_TRUE(target == source);
    EXPECT_STREQ(target.Get3DIMParameters()->LBFFileName, L"t.lbf");
}

// Names take no part between vertical datums of type 2002 (heights from the ellipsoid); local
// datums of that type compare their names.
TEST(VerticalAndLocalDatum, ElementsAndEquality) {
    CQuarnVerticalDatum a, b;
    EXPECT_STREQ(a.GetWKT(nullptr), L"VERT_DATUM[\"\",1001]");
    a.SetName(L"A");
    b.SetName(L"B");
    a.SetDatumType(2002);
    b.SetDatumType(2002);
    EXPECT_TRUE(a == b);
    a.SetDatumType(2005);
    b.SetDatumType(2005);
    EXPECT_FALSE(b == a);
    b.SetName(L"A~3");
    EXPECT_TRUE(b == a);
    EXPECT_STREQ(b.GetWKT(nullptr), L"VERT_DATUM[\"A~3\",2005]");

    CQuarnLocalDatum c, d;
    c.SetName(L"Site");
    EXPECT_STREQ(c.GetWKT(nullptr), L"LOCAL_DATUM[\"Site\",10000]");
    d.SetName(L"site");
    c.SetDatumType(2002);
    d.SetDatumType(2002);
    EXPECT_FALSE(c == d);
    d.SetName(L"Site~1");
    EXPECT_TRUE(c == d);
}
