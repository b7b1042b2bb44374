// Ellipsoid and prime meridian: equality by base name and values, copying, and the SPHEROID
// and PRIMEM elements (the prime meridian's longitude in a given unit or in degrees).
#include "objects/Ellipsoid.h"
#include "objects/PrimeMeridian.h"
#include "objects/Units.h"

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

// Getters that answer differently from the fields: assignment must read through them.
class ScaledEllipsoid : public CQuarnEllipsoid {
public:
    const wchar_t* GetName() const override { return L"through getter"; }
    double GetSemiMajorAxis() const override { return 2.0 * CQuarnEllipsoid::GetSemiMajorAxis(); }
};

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

TEST(Ellipsoid, SpheroidElement) {
    EXPECT_STREQ(CQuarnEllipsoid().GetWKT(nullptr), L"SPHEROID[\"\",0,0]");
    CQuarnEllipsoid wgs = Ellipsoid(L"WGS 84", 6378137.0, 298.257223563);
    CQuarnLinearUnit foot;
    foot.SetMetersPerUnit(0.3048);
    const wchar_t* text = wgs.GetWKT(&foot); // the unit is ignored: metres as stored
    EXPECT_STREQ(text, L"SPHEROID[\"WGS 84\",6378137,298.257223563]");
    EXPECT_EQ(Ellipsoid(L"S", 1.0, kInf).GetWKT(nullptr), text); // one class-wide buffer
    EXPECT_STREQ(text, L"SPHEROID[\"S\",1,INF]");
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

// A copy takes the fields themselves; an assignment reads through the getters.
TEST(Ellipsoid, CopyTakesFieldsAssignmentReadsGetters) {
    ScaledEllipsoid source;
    source.SetSemiMajorAxis(10.0);
    CQuarnEllipsoid copy(source), target;
    target = source;
    EXPECT_EQ(copy.GetSemiMajorAxis() * 100 + target.GetSemiMajorAxis(), 1020.0);
    EXPECT_STREQ(target.GetName(), L"through getter");
}
