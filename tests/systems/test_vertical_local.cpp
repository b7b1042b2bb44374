// Vertical and local coordinate systems: height types, dimensions, equality, copying and
// their VERT_CS / LOCAL_CS elements.
#include "support/SystemsWorld.h"

using namespace systems_test;

TEST(VerticalSystem, CodesHeightTypeEqualityCopyAndItsElement) {
    World w;
    ExpectCodes(w.vertical, 6, 1, 1000, 1000, 2);
    w.nap.SetDatumType(2002);
    EXPECT_EQ(w.vertical.GetHeightType(), 1);
    EXPECT_EQ(CQuarnVerticalCoordinateSystem().GetHeightType(), 2); // no datum

    CQuarnVerticalCoordinateSystem v;
    v.SetUnits(5, &w.foot); // one unit whatever the index
    EXPECT_EQ(v.GetUnits(3), &w.foot);
    const CQuarnAxisInfo down(L"Depth", CS_AO_Down);
    v.SetAxis(1, &down); // only index 0 exists
    EXPECT_TRUE(v.GetAxis(1) == nullptr && v.GetAxis(0)->orientation == CS_AO_Other);

    w.nap.SetDatumType(2005);
    const CQuarnAxisInfo h(L"H", CS_AO_Down);
    const CQuarnVerticalDatum twin(w.nap);
    EXPECT_TRUE(EqualAfter(w.vertical, [](auto& s) { s.SetName(L"Normaal Amsterdams Peil"); }));
    EXPECT_FALSE(EqualAfter(w.vertical, [&](auto& s) { s.SetAxis(0, &h); }));
    EXPECT_FALSE(EqualAfter(w.vertical, [&](auto& s) { s.SetVerticalDatum(&twin); }));
    EXPECT_FALSE(EqualAfter(w.vertical, [&](auto& s) { s.SetUnits(0, &w.foot); }));

    EXPECT_EQ(std::wstring(w.vertical.GetWKT(nullptr)), kVerticalWkt);
    ExpectCopyAndAssignment(w.vertical);

    w.vertical.SetVerticalUnit(nullptr);
    EXPECT_STREQ(w.vertical.GetWKT(nullptr), L"");
}

// The dimension decides the types and how many of the three axis records are written and
// copied; a dimension outside 1 to 3 uses the records it can and never reads past them.
TEST(LocalSystem, DimensionDrivesTypesAxesAndCopies) {
    const struct {
        long dimension, systemType, heightType;
        const wchar_t* axes;
    } cases[] = {
        {2, 2000, 0, L",AXIS[\"X\",East],AXIS[\"Y\",North]"},
        {3, 3000, 3, L",AXIS[\"X\",East],AXIS[\"Y\",North],AXIS[\"Z\",Up]"},
        {1, 1000, 0, L",AXIS[\"X\",East]"},
        {7, 7000, 3, L",AXIS[\"X\",East],AXIS[\"Y\",North],AXIS[\"Z\",Up]"},
        {-4, -4000, 0, L""},
    };
    for (const auto& c : cases) {
        World l;
        l.local.SetDimension(c.dimension);
        ExpectCodes(l.local, 7, c.dimension, c.systemType, c.systemType, c.heightType);
        EXPECT_EQ(std::wstring(l.local.GetWKT(nullptr)),
                  L"LOCAL_CS[\"Site grid\",LOCAL_DATUM[\"Yard\",10000],UNIT[\"metre\",1]" +
                      std::wstring(c.axes) + L"]");
        ExpectCopyAndAssignment(l.local);
    }
    World l;
    EXPECT_EQ(l.local.GetUnits(9), &l.metre);
    l.local.SetDimension(0x7fffffffL);
    (void)l.local.GetSystemType(); // defined, whatever it is
    EXPECT_EQ(l.local.GetAxis(3), nullptr);
    EXPECT_EQ(l.local.GetAxis(-1), nullptr);
}

TEST(LocalSystem, EqualityComparesTheAxesInUseAndMissingChildren) {
    World l;
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

    const CQuarnLocalDatum otherDatum(l.yard);
    EXPECT_FALSE(EqualAfter(l.local, [&](auto& s) { s.SetLocalDatum(&otherDatum); }));

    // A missing child gives no text.
    l.local.SetLocalDatum(nullptr);
    EXPECT_STREQ(l.local.GetWKT(nullptr), L"");
}
