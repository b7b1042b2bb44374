// Compound and fitted coordinate systems: delegation to head, tail and base, type codes,
// equality, the overflow report, the PARAM_MT texts and nested elements.
#include "support/SystemsWorld.h"

using namespace systems_test;

namespace {

constexpr double kPi = 3.141592653589793;
const std::wstring kTabs = L"\t\t\t\t";

// Collects what the library reports to the user while a MessageCapture lives.
std::wstring g_messages;
void Capture(const wchar_t* text) {
    g_messages += std::wstring(text) + L"\n";
}
struct MessageCapture {
    QuarnMessageHandler previous = (g_messages.clear(), SetQuarnMessageHandler(&Capture));
    ~MessageCapture() { SetQuarnMessageHandler(previous); }
};

CQuarnCompoundCoordinateSystem MakeCompound(const wchar_t* name, const CS_CoordinateSystem* head,
                                            const CS_CoordinateSystem* tail) {
    CQuarnCompoundCoordinateSystem compound;
    compound.SetName(name);
    compound.SetHeadCS(head);
    compound.SetTailCS(tail);
    return compound;
}

CQuarnFittedHorizontalCoordinateSystem
MakeFitted(const wchar_t* name, const CS_CoordinateSystem* base, double e0, double k) {
    CQuarnFittedHorizontalCoordinateSystem fitted;
    fitted.SetName(name);
    fitted.SetBaseCoordinateSystem(base);
    fitted.SetE0(e0);
    fitted.SetK(k);
    return fitted;
}

std::wstring LocalGridWkt(const std::wstring& e0, const std::wstring& n0, const std::wstring& k,
                          const std::wstring& de, const std::wstring& dn,
                          const std::wstring& beta) {
    return L"PARAM_MT[\"Local_Grid\"," + kTabs + L"PARAMETER[\"E0\"," + e0 + L"]," + kTabs +
           L"PARAMETER[\"N0\"," + n0 + L"]," + kTabs + L"PARAMETER[\"K\"," + k + L"]," + kTabs +
           L"PARAMETER[\"DE\"," + de + L"]," + kTabs + L"PARAMETER[\"DN\"," + dn + L"]," + kTabs +
           L"PARAMETER[\"Beta\"," + beta + L"]]";
}

// A local system whose names are made of one letter repeated, written out by template.
struct SizedLocal {
    CQuarnLinearUnit unit;
    CQuarnLocalDatum datum;
    CQuarnLocalCoordinateSystem system;
    std::wstring wkt;

    SizedLocal(std::size_t nameLength, std::size_t childNameLength, std::size_t axisNameLength) {
        const std::wstring name(nameLength, L'n'), child(childNameLength, L'c');
        const std::wstring x(axisNameLength, L'x'), y(axisNameLength, L'y');
        unit.SetName(child.c_str());
        unit.SetMetersPerUnit(1.0);
        datum.SetName(child.c_str());
        system.SetName(name.c_str());
        system.SetLocalDatum(&datum);
        system.SetLinearUnit(&unit);
        SetAxes(system, {{x.c_str(), CS_AO_East}, {y.c_str(), CS_AO_North}});
        wkt = L"LOCAL_CS[\"" + name + L"\",LOCAL_DATUM[\"" + child + L"\",10000],UNIT[\"" + child +
              L"\",1],AXIS[\"" + x + L"\",East],AXIS[\"" + y + L"\",North]]";
    }
};

} // namespace

TEST(CompoundSystem, CodesAndIndicesFollowHeadAndTailWhenThere) {
    World w;
    ExpectCodes(MakeCompound(L"c", &w.geographic, &w.vertical), 0, 3, 3002, 3003, 2);
    w.nap.SetDatumType(2002);
    const CQuarnCompoundCoordinateSystem c = MakeCompound(L"c", &w.projected, &w.vertical);
    ExpectCodes(c, 0, 3, 3002, 3004, 1);

    // Index 2 is the tail's first; every other index goes to the head.
    EXPECT_EQ(c.GetAxis(1), w.projected.GetAxis(1));
    EXPECT_EQ(c.GetAxis(2), w.vertical.GetAxis(0));
    EXPECT_EQ(c.GetAxis(3), nullptr);
    EXPECT_EQ(c.GetUnits(0), &w.metre);
    EXPECT_EQ(c.GetUnits(2), w.vertical.GetUnits(0));
    EXPECT_EQ(c.GetDefaultEnvelope(), w.projected.GetDefaultEnvelope());

    const CQuarnCompoundCoordinateSystem empty;
    ExpectCodes(empty, 0, 3, 3002, 1002, 0);
    EXPECT_TRUE(!empty.GetAxis(2) && !empty.GetUnits(2) && !empty.GetDefaultEnvelope());

    const MessageCapture capture;
    EXPECT_STREQ(empty.GetWKT(nullptr), L"");
    EXPECT_STREQ(MakeCompound(L"c", &w.projected, nullptr).GetWKT(nullptr), L"");
    EXPECT_EQ(g_messages, L""); // a missing part is not an overflow
}

TEST(CompoundSystem, EqualityCopyAndItsElement) {
    World w;
    const CQuarnCompoundCoordinateSystem a = MakeCompound(L"UTM+NAP", &w.projected, &w.vertical);
    EXPECT_TRUE(MakeCompound(L"UTM+NAP~3", &w.projected, &w.vertical) == a);
    EXPECT_FALSE(MakeCompound(L"UTM + NAP", &w.projected, &w.vertical) == a);
    EXPECT_FALSE(MakeCompound(L"UTM+NAP", &w.geographic, &w.vertical) == a);
    const CQuarnVerticalCoordinateSystem twin(w.vertical);
    EXPECT_TRUE(MakeCompound(L"UTM+NAP", &w.projected, &twin) != a);

    CQuarnCompoundCoordinateSystem c(a);
    c.SetAuthorityCode(L"7415");
    EXPECT_EQ(std::wstring(c.GetWKT(nullptr)),
              L"COMPD_CS[\"UTM+NAP\"," + kProjectedWkt + L"," + kVerticalWkt + L"]");
    ExpectCopyAndAssignment(c);
}

TEST(CompoundSystem, OverflowIsReportedWithTheComposedLength) {
    const MessageCapture capture;
    const SizedLocal head(255, 255, 255), tail(254, 127, 1);
    ASSERT_EQ(head.wkt.size() + tail.wkt.size(), 1933u);

    // COMPD_CS["<k>",<head>,<tail>] is 14 + k + 1933 characters.
    CQuarnCompoundCoordinateSystem c =
        MakeCompound(std::wstring(100, L'k').c_str(), &head.system, &tail.system);
    EXPECT_EQ(std::wstring(c.GetWKT(nullptr)), L"COMPD_CS[\"" + std::wstring(100, L'k') + L"\"," +
                                                   head.wkt + L"," + tail.wkt + L"]");
    EXPECT_EQ(g_messages, L"");

    c.SetName(std::wstring(101, L'k').c_str());
    EXPECT_STREQ(c.GetWKT(nullptr), L"");
    EXPECT_EQ(g_messages, L"WKT length: 2048 > 2048\n");
    // Too long for the composing buffer, whatever room the caller gives.
    wchar_t room[4096];
    EXPECT_STREQ(c.FormatWKT(room, 4096), L"");
    EXPECT_EQ(g_messages, L"WKT length: 2048 > 2048\nWKT length: 2048 > 2048\n");

    const SizedLocal big(255, 255, 255);
    g_messages.clear();
    const CQuarnCompoundCoordinateSystem huge = MakeCompound(L"h", &head.system, &big.system);
    EXPECT_STREQ(huge.GetWKT(nullptr), L"");
    const std::size_t length = 14 + 1 + head.wkt.size() + big.wkt.size();
    EXPECT_EQ(g_messages, L"WKT length: " + std::to_wstring(length) + L" > 2048\n");
    EXPECT_EQ(std::wstring(big.system.GetWKT(nullptr)), big.wkt); // the parts still write
}

TEST(FittedHorizontalSystem, DelegationEqualityAndCopy) {
    World w;
    CQuarnFittedHorizontalCoordinateSystem f; // no base yet
    EXPECT_TRUE(!f.GetDimension() && !f.GetAxis(0) && !f.GetUnits(0) && !f.GetDefaultEnvelope());
    EXPECT_STREQ(f.GetWKT(nullptr), L"");

    f.SetBaseCoordinateSystem(&w.projected);
    const CQuarnAxisInfo own(L"own", CS_AO_Down);
    f.SetAxis(0, &own);
    ExpectCodes(f, 1, 2, 2003, 2003, 0);
    EXPECT_EQ(f.GetAxis(0), w.projected.GetAxis(0)); // the base's, not the own record
    EXPECT_EQ(f.GetUnits(1), &w.metre);
    EXPECT_EQ(f.GetDefaultEnvelope(), w.projected.GetDefaultEnvelope());
    f.SetBeta(kPi / 2);
    EXPECT_EQ(f.GetAzimuth(), kPi / 2); // added to the base's own azimuth, 0 here

    // Equality: the base by identity, the parameters within the tolerance, names not at all.
    CQuarnFittedHorizontalCoordinateSystem a = MakeFitted(L"a", &w.projected, 1.0, 0.0);
    a.SetDN(7.5);
    EXPECT_TRUE(EqualAfter(a, [](auto& s) {
        s.SetName(L"b");
        s.SetE0(1.0 + 5e-13);
    }));
    EXPECT_FALSE(EqualAfter(a, [](auto& s) { s.SetE0(1.0 + 2e-12); }));
    EXPECT_FALSE(EqualAfter(a, [](auto& s) { s.SetBeta(1e-11); }));
    EXPECT_FALSE(EqualAfter(a, [&](auto& s) { s.SetBaseCoordinateSystem(&w.geographic); }));
    ExpectCopyAndAssignment(a);
}

// Texts live in class-wide buffers: a parent must take each child's text before it asks
// another object of the same class for its own.
TEST(NestedSystems, CompoundOfProjectedAndFittedOnAnotherProjected) {
    World w;
    CQuarnProjectedCoordinateSystem feet(w.projected);
    feet.SetName(L"UTM 32N feet");
    feet.SetLinearUnit(&w.foot);
    const CQuarnFittedHorizontalCoordinateSystem grid = MakeFitted(L"Site grid", &feet, 0, 1);
    const std::wstring gridWkt =
        L"FITTED_CS[\"Site grid\"," + LocalGridWkt(L"0", L"0", L"1", L"0", L"0", L"0") +
        L",PROJCS[\"UTM 32N feet\"," + kGeographicWkt + L"," + kProjectionWkt + L"," + kFootWkt +
        L",AXIS[\"E\",East],AXIS[\"N\",North]]]";

    const CQuarnCompoundCoordinateSystem c = MakeCompound(L"Both", &w.projected, &grid);
    EXPECT_EQ(std::wstring(c.GetWKT(nullptr)),
              L"COMPD_CS[\"Both\"," + kProjectedWkt + L"," + gridWkt + L"]");
    // The extended type counts the fitted head.
    EXPECT_EQ(MakeCompound(L"Back", &grid, &w.projected).GetSystemTypeEx(), 3005);
}

// PARAM_MT: four TABs before each PARAMETER, angles in degrees.
TEST(NestedSystems, FittedVerticalOnFittedHorizontal) {
    World w;
    CQuarnFittedHorizontalCoordinateSystem inner = MakeFitted(L"inner", &w.projected, 1000, 1);
    inner.SetN0(-250.5);
    inner.SetDE(1e-5);
    inner.SetBeta(kPi / 2);
    inner.SetAuthority(L"EPSG");
    CQuarnFittedVerticalCoordinateSystem outer;
    outer.SetName(L"outer");
    outer.SetBaseCoordinateSystem(&w.vertical);
    ExpectCodes(outer, 2, 1, 1001, 1001, 3);
    outer.SetBaseCoordinateSystem(&inner);
    outer.SetdH(0.25);
    outer.SetGl(1.5);
    outer.SetGg(-2);
    outer.SetL0(kPi);
    outer.SetG0(kPi / 4);
    const std::wstring innerWkt = L"FITTED_CS[\"inner\"," +
                                  LocalGridWkt(L"1000", L"-250.5", L"1", L"1E-05", L"0", L"90") +
                                  L"," + kProjectedWkt + L"]";
    EXPECT_EQ(std::wstring(outer.GetWKT(nullptr)),
              L"FITTED_CS[\"outer\",PARAM_MT[\"Linear_Correction\"," + kTabs +
                  L"PARAMETER[\"dH\",0.25]," + kTabs + L"PARAMETER[\"Gl\",1.5]," + kTabs +
                  L"PARAMETER[\"Gg\",-2]," + kTabs + L"PARAMETER[\"L0\",180]," + kTabs +
                  L"PARAMETER[\"G0\",45]]," + innerWkt + L"]");
}

TEST(NestedSystems, SystemsInsideTheirOwnClassAreWrittenEmpty) {
    World w;
    // A fitted base of the same class cannot be composed inside its parent: it embeds as "".
    const CQuarnFittedHorizontalCoordinateSystem inner = MakeFitted(L"inner", &w.projected, 0, 0);
    const CQuarnFittedHorizontalCoordinateSystem outer = MakeFitted(L"outer", &inner, 0, 0);
    EXPECT_EQ(std::wstring(outer.GetWKT(nullptr)),
              L"FITTED_CS[\"outer\"," + LocalGridWkt(L"0", L"0", L"0", L"0", L"0", L"0") + L",]");

    // A cycle ends the same way instead of recursing without end.
    CQuarnCompoundCoordinateSystem loop = MakeCompound(L"loop", nullptr, &w.vertical);
    loop.SetHeadCS(&loop);
    EXPECT_EQ(std::wstring(loop.GetWKT(nullptr)), L"COMPD_CS[\"loop\",," + kVerticalWkt + L"]");
}
