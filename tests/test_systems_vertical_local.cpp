// Vertical and local coordinate systems: height types, dimensions, equality, copying and
// their VERT_CS / LOCAL_CS elements.
#include "test_systems_world.h"

#include <gtest/gtest.h>

#include <string>

using namespace systems_test;

namespace {

struct LocalWorld {
    CQuarnLinearUnit metre;
    CQuarnLocalDatum yard;
    CQuarnLocalCoordinateSystem local;

    LocalWorld() {
        metre.SetName(L"metre");
        metre.SetMetersPerUnit(1.0);
        yard.SetName(L"Yard");
        local.SetName(L"Site grid");
        local.SetLocalDatum(&yard);
        local.SetLinearUnit(&metre);
        const CQuarnAxisInfo x(L"X", CS_AO_East), y(L"Y", CS_AO_North), z(L"Z", CS_AO_Up);
        local.SetAxis(0, &x);
        local.SetAxis(1, &y);
        local.SetAxis(2, &z);
    }
};

} // namespace

TEST(VerticalSystem, CodesAndHeightType) {
    World w;
    const CQuarnVerticalCoordinateSystem& v = w.vertical;
    EXPECT_EQ(v.GetObjectType(), 6);
    EXPECT_EQ(v.GetDimension(), 1);
    EXPECT_EQ(v.GetSystemType(), 1000);
    EXPECT_EQ(v.GetSystemTypeEx(), 1000);
    EXPECT_EQ(v.GetAzimuth(), 0.0);
    EXPECT_EQ(v.GetHeightType(), 2);
    w.nap.SetDatumType(2002);
    EXPECT_EQ(v.GetHeightType(), 1);
    EXPECT_EQ(CQuarnVerticalCoordinateSystem().GetHeightType(), 2); // no datum
}

TEST(VerticalSystem, GettersSettersAndAxisBounds) {
    World w;
    CQuarnVerticalCoordinateSystem v;
    v.SetUnits(5, &w.foot);
    EXPECT_EQ(v.GetVerticalUnit(), &w.foot);
    EXPECT_EQ(v.GetUnits(3), &w.foot);

    const CQuarnAxisInfo down(L"Depth", CS_AO_Down);
    v.SetAxis(1, &down); // only index 0 exists
    EXPECT_EQ(v.GetAxis(1), nullptr);
    EXPECT_EQ(v.GetAxis(0)->orientation, CS_AO_Other);
    v.SetAxis(0, &down);
    EXPECT_STREQ(v.GetAxis(0)->name, L"Depth");
}

TEST(VerticalSystem, EqualityIgnoresNames) {
    World w;
    CQuarnVerticalCoordinateSystem other(w.vertical);
    other.SetName(L"Normaal Amsterdams Peil");
    EXPECT_TRUE(other == w.vertical);
    const CQuarnAxisInfo down(L"H", CS_AO_Down);
    other.SetAxis(0, &down);
    EXPECT_TRUE(other != w.vertical);

    CQuarnVerticalDatum twin(w.nap);
    CQuarnVerticalCoordinateSystem withTwin(w.vertical);
    withTwin.SetVerticalDatum(&twin);
    EXPECT_FALSE(withTwin == w.vertical);
    CQuarnVerticalCoordinateSystem inFeet(w.vertical);
    inFeet.SetUnits(0, &w.foot);
    EXPECT_FALSE(inFeet == w.vertical);
}

TEST(VerticalSystem, CopyAndAssignment) {
    World w;
    w.vertical.AddRef();
    const CQuarnVerticalCoordinateSystem copy(w.vertical);
    EXPECT_EQ(copy.GetRefCount(), 1);
    CQuarnVerticalCoordinateSystem target;
    target = w.vertical;
    EXPECT_EQ(target.GetRefCount(), 0);
    EXPECT_TRUE(target == w.vertical);
    EXPECT_EQ(std::wstring(target.GetWKT(nullptr)), kVerticalWkt);
}

TEST(VerticalSystem, WritesItsElementOrNothingSilently) {
    World w;
    EXPECT_EQ(std::wstring(w.vertical.GetWKT(nullptr)), kVerticalWkt);

    std::wstring buffer(kVerticalWkt.size() + 1, L'?');
    EXPECT_STREQ(w.vertical.FormatWKT(&buffer[0], static_cast<long>(kVerticalWkt.size())), L"");

    CQuarnVerticalCoordinateSystem noUnit(w.vertical);
    noUnit.SetVerticalUnit(nullptr);
    EXPECT_STREQ(noUnit.GetWKT(nullptr), L"");
}

TEST(LocalSystem, DimensionDrivesTypesAndAxes) {
    LocalWorld l;
    CQuarnLocalCoordinateSystem& local = l.local;
    EXPECT_EQ(local.GetObjectType(), 7);
    EXPECT_EQ(local.GetDimension(), 2); // the default
    EXPECT_EQ(local.GetSystemType(), 2000);
    EXPECT_EQ(local.GetHeightType(), 0);
    EXPECT_EQ(std::wstring(local.GetWKT(nullptr)),
              L"LOCAL_CS[\"Site grid\",LOCAL_DATUM[\"Yard\",10000],UNIT[\"metre\",1],"
              L"AXIS[\"X\",East],AXIS[\"Y\",North]]");

    local.SetDimension(3);
    EXPECT_EQ(local.GetSystemType(), 3000);
    EXPECT_EQ(local.GetSystemTypeEx(), 3000);
    EXPECT_EQ(local.GetHeightType(), 3);
    EXPECT_EQ(std::wstring(local.GetWKT(nullptr)),
              L"LOCAL_CS[\"Site grid\",LOCAL_DATUM[\"Yard\",10000],UNIT[\"metre\",1],"
              L"AXIS[\"X\",East],AXIS[\"Y\",North],AXIS[\"Z\",Up]]");

    local.SetDimension(1);
    EXPECT_EQ(local.GetSystemType(), 1000);
    EXPECT_EQ(local.GetHeightType(), 0);
    EXPECT_EQ(std::wstring(local.GetWKT(nullptr)),
              L"LOCAL_CS[\"Site grid\",LOCAL_DATUM[\"Yard\",10000],UNIT[\"metre\",1],"
              L"AXIS[\"X\",East]]");
}

TEST(LocalSystem, DimensionsOutsideTheRecordsStayInside) {
    LocalWorld l;
    CQuarnLocalCoordinateSystem& local = l.local;
    local.SetDimension(7);
    EXPECT_EQ(local.GetDimension(), 7);
    EXPECT_EQ(local.GetSystemType(), 7000);
    EXPECT_EQ(local.GetHeightType(), 3);
    EXPECT_EQ(std::wstring(local.GetWKT(nullptr)),
              L"LOCAL_CS[\"Site grid\",LOCAL_DATUM[\"Yard\",10000],UNIT[\"metre\",1],"
              L"AXIS[\"X\",East],AXIS[\"Y\",North],AXIS[\"Z\",Up]]");
    CQuarnLocalCoordinateSystem copy;
    copy = local;
    EXPECT_TRUE(copy == local);
    EXPECT_STREQ(copy.GetAxis(2)->name, L"Z");

    local.SetDimension(-4);
    EXPECT_EQ(local.GetHeightType(), 0);
    EXPECT_EQ(std::wstring(local.GetWKT(nullptr)),
              L"LOCAL_CS[\"Site grid\",LOCAL_DATUM[\"Yard\",10000],UNIT[\"metre\",1]]");
    copy = local;
    EXPECT_EQ(copy.GetDimension(), -4);
    EXPECT_TRUE(copy == local);

    local.SetDimension(0x7fffffffL);
    (void)local.GetSystemType(); // defined, whatever it is
    EXPECT_EQ(local.GetAxis(3), nullptr);
    EXPECT_EQ(local.GetAxis(-1), nullptr);
}

TEST(LocalSystem, EqualityComparesTheAxesInUse) {
    LocalWorld l;
    CQuarnLocalCoordinateSystem other(l.local);
    other.SetName(L"other name");
    EXPECT_TRUE(other == l.local);

    // Axis 2 is outside dimension 2 and takes no part.
    const CQuarnAxisInfo down(L"Z", CS_AO_Down);
    other.SetAxis(2, &down);
    EXPECT_TRUE(other == l.local);
    other.SetDimension(3);
    EXPECT_FALSE(other == l.local);
    l.local.SetDimension(3);
    EXPECT_FALSE(other == l.local);
    other.SetAxis(2, l.local.GetAxis(2));
    EXPECT_TRUE(other == l.local);

    CQuarnLinearUnit twin(l.metre);
    other.SetLinearUnit(&twin);
    EXPECT_FALSE(other == l.local);
    other.SetLinearUnit(&l.metre);
    CQuarnLocalDatum otherDatum(l.yard);
    other.SetLocalDatum(&otherDatum);
    EXPECT_FALSE(other == l.local);
    EXPECT_EQ(other.GetLocalDatum(), &otherDatum);
}

TEST(LocalSystem, CopyAssignmentAndEnvelope) {
    LocalWorld l;
    l.local.AddRef();
    PT_Envelope box;
    box.minCP = CTesselCoordinatePoint(0.0, 0.0, 0.0);
    box.maxCP = CTesselCoordinatePoint(10.0, 10.0, 5.0);
    l.local.SetDefaultEnvelope(&box);
    l.local.SetDimension(3);

    const CQuarnLocalCoordinateSystem copy(l.local);
    EXPECT_EQ(copy.GetRefCount(), 1);
    CQuarnLocalCoordinateSystem target;
    target = l.local;
    EXPECT_EQ(target.GetRefCount(), 0);
    EXPECT_EQ(target.GetDimension(), 3);
    EXPECT_EQ(target.GetUnits(9), &l.metre);
    EXPECT_TRUE(EqualEnvelope(target.GetDefaultEnvelope(), &box));
    EXPECT_STREQ(target.GetAxis(2)->name, L"Z");
    EXPECT_TRUE(target == l.local);
}

TEST(LocalSystem, MissingChildrenGiveNoText) {
    LocalWorld l;
    CQuarnLocalCoordinateSystem noDatum(l.local);
    noDatum.SetLocalDatum(nullptr);
    EXPECT_STREQ(noDatum.GetWKT(nullptr), L"");
    CQuarnLocalCoordinateSystem noUnit(l.local);
    noUnit.SetLinearUnit(nullptr);
    EXPECT_STREQ(noUnit.GetWKT(nullptr), L"");
}
