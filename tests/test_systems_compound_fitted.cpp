// Compound and fitted coordinate systems: delegation to head, tail and base, type codes,
// equality, the overflow report, the PARAM_MT texts and nested elements.
#include "test_systems_world.h"

#include <gtest/gtest.h>

#include <string>

using namespace systems_test;

namespace {

constexpr double kPi = 3.141592653589793;
const std::wstring kTabs = L"\t\t\t\t";

// Collects what the library reports to the user while it is installed.
class MessageCapture {
public:
    MessageCapture() : m_previous(SetQuarnMessageHandler(&Capture)) { Messages().clear(); }
    ~MessageCapture() { SetQuarnMessageHandler(m_previous); }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    static std::wstring& Messages() {
        static std::wstring messages;
        return messages;
    }

private:
    static void Capture(const wchar_t* text) { Messages() += std::wstring(text) + L"\n"; }
    QuarnMessageHandler m_previous;
};

CQuarnCompoundCoordinateSystem MakeCompound(const wchar_t* name, const CS_CoordinateSystem* head,
                                            const CS_CoordinateSystem* tail) {
    CQuarnCompoundCoordinateSystem compound;
    compound.SetName(name);
    compound.SetHeadCS(head);
    compound.SetTailCS(tail);
    return compound;
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
        const CQuarnAxisInfo east(x.c_str(), CS_AO_East), north(y.c_str(), CS_AO_North);
        system.SetAxis(0, &east);
        system.SetAxis(1, &north);
        wkt = L"LOCAL_CS[\"" + name + L"\",LOCAL_DATUM[\"" + child + L"\",10000],UNIT[\"" + child +
              L"\",1],AXIS[\"" + x + L"\",East],AXIS[\"" + y + L"\",North]]";
    }
};

} // namespace

TEST(CompoundSystem, CodesFollowHeadAndTail) {
    World w;
    const CQuarnCompoundCoordinateSystem onGeographic =
        MakeCompound(L"c", &w.geographic, &w.vertical);
    EXPECT_EQ(onGeographic.GetObjectType(), 0);
    EXPECT_EQ(onGeographic.GetSystemType(), 3002);
    EXPECT_EQ(onGeographic.GetSystemTypeEx(), 3003);

    w.nap.SetDatumType(2002);
    const CQuarnCompoundCoordinateSystem onProjected =
        MakeCompound(L"c", &w.projected, &w.vertical);
    EXPECT_EQ(onProjected.GetSystemType(), 3002);
    EXPECT_EQ(onProjected.GetSystemTypeEx(), 3004);
    EXPECT_EQ(onProjected.GetHeightType(), 1);
    EXPECT_EQ(onProjected.GetDimension(), 3);
}

TEST(CompoundSystem, IndexTwoIsTheTailsOthersTheHeads) {
    World w;
    PT_Envelope box;
    box.minCP = CTesselCoordinatePoint(1.0, 2.0);
    box.maxCP = CTesselCoordinatePoint(3.0, 4.0);
    w.projected.SetDefaultEnvelope(&box);
    const CQuarnCompoundCoordinateSystem c = MakeCompound(L"c", &w.projected, &w.vertical);
    EXPECT_EQ(c.GetAxis(0), w.projected.GetAxis(0));
    EXPECT_EQ(c.GetAxis(1), w.projected.GetAxis(1));
    EXPECT_EQ(c.GetAxis(2), w.vertical.GetAxis(0));
    EXPECT_EQ(c.GetAxis(3), nullptr); // passed to the head, which has no such axis
    EXPECT_EQ(c.GetUnits(0), &w.metre);
    EXPECT_EQ(c.GetUnits(2), w.vertical.GetUnits(0));
    EXPECT_EQ(c.GetDefaultEnvelope(), w.projected.GetDefaultEnvelope());
    EXPECT_EQ(c.GetHeightType(), 2);
}

TEST(CompoundSystem, WithoutHeadOrTail) {
    World w;
    const CQuarnCompoundCoordinateSystem empty;
    EXPECT_EQ(empty.GetDimension(), 3);
    EXPECT_EQ(empty.GetAxis(0), nullptr);
    EXPECT_EQ(empty.GetAxis(2), nullptr);
    EXPECT_EQ(empty.GetUnits(2), nullptr);
    EXPECT_EQ(empty.GetDefaultEnvelope(), nullptr);
    EXPECT_EQ(empty.GetSystemTypeEx(), 1002);
    EXPECT_EQ(empty.GetHeightType(), 0);
    EXPECT_EQ(empty.GetAzimuth(), 0.0);

    const MessageCapture capture;
    EXPECT_STREQ(empty.GetWKT(nullptr), L"");
    EXPECT_STREQ(MakeCompound(L"c", &w.projected, nullptr).GetWKT(nullptr), L"");
    EXPECT_EQ(MessageCapture::Messages(), L""); // a missing part is not an overflow
}

TEST(CompoundSystem, EqualityTakesBaseNamesAndIdentities) {
    World w;
    const CQuarnCompoundCoordinateSystem a = MakeCompound(L"UTM+NAP", &w.projected, &w.vertical);
    EXPECT_TRUE(MakeCompound(L"UTM+NAP~3", &w.projected, &w.vertical) == a);
    EXPECT_FALSE(MakeCompound(L"UTM + NAP", &w.projected, &w.vertical) == a);
    EXPECT_FALSE(MakeCompound(L"UTM+NAP", &w.geographic, &w.vertical) == a);
    const CQuarnVerticalCoordinateSystem twin(w.vertical);
    EXPECT_TRUE(MakeCompound(L"UTM+NAP", &w.projected, &twin) != a);
}

TEST(CompoundSystem, CopyAndAssignment) {
    World w;
    CQuarnCompoundCoordinateSystem a = MakeCompound(L"UTM+NAP", &w.projected, &w.vertical);
    a.SetAuthority(L"EPSG");
    a.SetAuthorityCode(L"7415");
    a.AddRef();
    const CQuarnCompoundCoordinateSystem copy(a);
    EXPECT_EQ(copy.GetRefCount(), 1);
    CQuarnCompoundCoordinateSystem target;
    target = a;
    EXPECT_EQ(target.GetRefCount(), 0);
    EXPECT_STREQ(target.GetAuthorityCode(), L"7415");
    EXPECT_TRUE(target == a);
}

TEST(CompoundSystem, WritesHeadAndTailWhole) {
    World w;
    const CQuarnCompoundCoordinateSystem c = MakeCompound(L"UTM+NAP", &w.projected, &w.vertical);
    EXPECT_EQ(std::wstring(c.GetWKT(nullptr)),
              L"COMPD_CS[\"UTM+NAP\"," + kProjectedWkt + L"," + kVerticalWkt + L"]");
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
    EXPECT_EQ(MessageCapture::Messages(), L"");

    c.SetName(std::wstring(101, L'k').c_str());
    EXPECT_STREQ(c.GetWKT(nullptr), L"");
    EXPECT_EQ(MessageCapture::Messages(), L"WKT length: 2048 > 2048\n");

    const SizedLocal big(255, 255, 255);
    MessageCapture::Messages().clear();
    const CQuarnCompoundCoordinateSystem huge = MakeCompound(L"h", &head.system, &big.system);
    EXPECT_STREQ(huge.GetWKT(nullptr), L"");
    const std::size_t length = 14 + 1 + head.wkt.size() + big.wkt.size();
    EXPECT_EQ(MessageCapture::Messages(), L"WKT length: " + std::to_wstring(length) + L" > 2048\n");

    // The parts are still writable on their own.
    EXPECT_EQ(std::wstring(big.system.GetWKT(nullptr)), big.wkt);
}

TEST(FittedHorizontalSystem, ParametersAndDelegation) {
    World w;
    CQuarnFittedHorizontalCoordinateSystem f;
    EXPECT_EQ(f.GetK(), 0.0);
    EXPECT_EQ(f.GetDimension(), 0); // no base yet
    EXPECT_EQ(f.GetAxis(0), nullptr);
    EXPECT_EQ(f.GetUnits(0), nullptr);
    EXPECT_EQ(f.GetDefaultEnvelope(), nullptr);
    EXPECT_EQ(f.GetAzimuth(), 0.0);
    EXPECT_STREQ(f.GetWKT(nullptr), L"");

    f.SetBaseCoordinateSystem(&w.projected);
    f.SetE0(1000);
    f.SetN0(2000);
    f.SetK(1);
    f.SetDE(3);
    f.SetDN(4);
    f.SetBeta(kPi / 2);
    const CQuarnAxisInfo own(L"own", CS_AO_Down);
    f.SetAxis(0, &own);
    EXPECT_EQ(f.GetObjectType(), 1);
    EXPECT_EQ(f.GetSystemType(), 2003);
    EXPECT_EQ(f.GetSystemTypeEx(), 2003);
    EXPECT_EQ(f.GetHeightType(), 0);
    EXPECT_EQ(f.GetToBase(), nullptr);
    EXPECT_EQ(f.GetDimension(), 2);
    EXPECT_EQ(f.GetAxis(0), w.projected.GetAxis(0)); // the base's, not the own record
    EXPECT_EQ(f.GetUnits(1), &w.metre);
    EXPECT_EQ(f.GetDefaultEnvelope(), w.projected.GetDefaultEnvelope());
    EXPECT_EQ(f.GetAzimuth(), kPi / 2);
}

TEST(FittedHorizontalSystem, AzimuthAddsBetaToTheBases) {
    CQuarnProjection ground;
    ground.SetClassName(L"Ground_System_Azimuth");
    ground.SetNumParameters(1);
    SetParameter(ground, 0, L"azimuth_of_target", 45);
    CQuarnProjectedCoordinateSystem base;
    base.SetProjection(&ground);
    CQuarnFittedHorizontalCoordinateSystem f;
    f.SetBaseCoordinateSystem(&base);
    f.SetBeta(0.25);
    EXPECT_DOUBLE_EQ(f.GetAzimuth(), 0.7853981633974483 + 0.25);
}

TEST(FittedHorizontalSystem, EqualityUsesBaseAndTolerance) {
    World w;
    CQuarnFittedHorizontalCoordinateSystem a, b;
    a.SetBaseCoordinateSystem(&w.projected);
    b.SetBaseCoordinateSystem(&w.projected);
    a.SetName(L"a");
    b.SetName(L"b");
    a.SetE0(1.0);
    b.SetE0(1.0 + 5e-13);
    EXPECT_TRUE(a == b);
    b.SetE0(1.0 + 2e-12);
    EXPECT_TRUE(a != b);
    b.SetE0(1.0);
    b.SetBeta(1e-11);
    EXPECT_FALSE(a == b);
    b.SetBeta(0.0);
    b.SetBaseCoordinateSystem(&w.geographic);
    EXPECT_FALSE(a == b);
}

TEST(FittedHorizontalSystem, CopyAndAssignment) {
    World w;
    CQuarnFittedHorizontalCoordinateSystem a;
    a.SetName(L"Site");
    a.SetBaseCoordinateSystem(&w.projected);
    a.SetDN(7.5);
    a.AddRef();
    const CQuarnFittedHorizontalCoordinateSystem copy(a);
    EXPECT_EQ(copy.GetRefCount(), 1);
    EXPECT_TRUE(copy == a);
    CQuarnFittedHorizontalCoordinateSystem target;
    target = a;
    EXPECT_EQ(target.GetRefCount(), 0);
    EXPECT_STREQ(target.GetName(), L"Site");
    EXPECT_EQ(target.GetDN(), 7.5);
    EXPECT_TRUE(target == a);
}

TEST(FittedHorizontalSystem, WritesParamMtWithTabsAndBetaInDegrees) {
    World w;
    CQuarnFittedHorizontalCoordinateSystem f;
    f.SetName(L"Site grid");
    f.SetBaseCoordinateSystem(&w.projected);
    f.SetE0(1000);
    f.SetN0(-250.5);
    f.SetK(1);
    f.SetDE(1e-5);
    f.SetBeta(kPi / 2);
    f.SetAuthority(L"EPSG");
    EXPECT_EQ(std::wstring(f.GetWKT(nullptr)),
              L"FITTED_CS[\"Site grid\"," +
                  LocalGridWkt(L"1000", L"-250.5", L"1", L"1E-05", L"0", L"90") + L"," +
                  kProjectedWkt + L"]");
}

TEST(FittedVerticalSystem, CodesDelegationAndText) {
    World w;
    CQuarnFittedVerticalCoordinateSystem f;
    EXPECT_EQ(f.GetHeightType(), 3);
    f.SetName(L"Corrected");
    f.SetBaseCoordinateSystem(&w.vertical);
    f.SetdH(0.25);
    f.SetGl(1.5);
    f.SetGg(-2);
    f.SetL0(kPi);
    f.SetG0(kPi / 4);
    EXPECT_EQ(f.GetObjectType(), 2);
    EXPECT_EQ(f.GetSystemType(), 1001);
    EXPECT_EQ(f.GetHeightType(), 3);
    EXPECT_EQ(f.GetAzimuth(), 0.0);
    EXPECT_EQ(f.GetToBase(), nullptr);
    EXPECT_EQ(f.GetDimension(), 1);
    EXPECT_EQ(f.GetAxis(0), w.vertical.GetAxis(0));
    EXPECT_EQ(f.GetUnits(0), &w.metre);
    EXPECT_EQ(std::wstring(f.GetWKT(nullptr)),
              L"FITTED_CS[\"Corrected\",PARAM_MT[\"Linear_Correction\"," + kTabs +
                  L"PARAMETER[\"dH\",0.25]," + kTabs + L"PARAMETER[\"Gl\",1.5]," + kTabs +
                  L"PARAMETER[\"Gg\",-2]," + kTabs + L"PARAMETER[\"L0\",180]," + kTabs +
                  L"PARAMETER[\"G0\",45]]," + kVerticalWkt + L"]");

    CQuarnFittedVerticalCoordinateSystem other(f);
    other.SetName(L"other");
    EXPECT_TRUE(other == f);
    other.SetG0(kPi / 4 + 2e-12);
    EXPECT_FALSE(other == f);
    CQuarnFittedVerticalCoordinateSystem assigned;
    assigned = f;
    EXPECT_TRUE(assigned == f);
    EXPECT_STREQ(assigned.GetName(), L"Corrected");
}

TEST(NestedSystems, CompoundOfProjectedAndFittedOnAnotherProjected) {
    World w;
    // A second projected system in feet on the same geographic system.
    CQuarnProjectedCoordinateSystem feet(w.projected);
    feet.SetName(L"UTM 32N feet");
    feet.SetLinearUnit(&w.foot);
    const std::wstring feetWkt = L"PROJCS[\"UTM 32N feet\"," + kGeographicWkt + L"," +
                                 kProjectionWkt + L"," + kFootWkt +
                                 L",AXIS[\"E\",East],AXIS[\"N\",North]]";

    CQuarnFittedHorizontalCoordinateSystem grid;
    grid.SetName(L"Site grid");
    grid.SetBaseCoordinateSystem(&feet);
    grid.SetK(1);
    const std::wstring gridWkt = L"FITTED_CS[\"Site grid\"," +
                                 LocalGridWkt(L"0", L"0", L"1", L"0", L"0", L"0") + L"," + feetWkt +
                                 L"]";

    const CQuarnCompoundCoordinateSystem c = MakeCompound(L"Both", &w.projected, &grid);
    EXPECT_EQ(std::wstring(c.GetWKT(nullptr)),
              L"COMPD_CS[\"Both\"," + kProjectedWkt + L"," + gridWkt + L"]");

    // The other way round too; and the compound's extended type counts the fitted head.
    const CQuarnCompoundCoordinateSystem d = MakeCompound(L"Back", &grid, &w.projected);
    EXPECT_EQ(std::wstring(d.GetWKT(nullptr)),
              L"COMPD_CS[\"Back\"," + gridWkt + L"," + kProjectedWkt + L"]");
    EXPECT_EQ(d.GetSystemTypeEx(), 3005);
}

TEST(NestedSystems, FittedTextDoesNotDisturbOrGetDisturbed) {
    World w;
    CQuarnFittedHorizontalCoordinateSystem inner;
    inner.SetName(L"inner");
    inner.SetBaseCoordinateSystem(&w.projected);
    inner.SetE0(5);
    CQuarnFittedVerticalCoordinateSystem outer;
    outer.SetName(L"outer");
    outer.SetBaseCoordinateSystem(&inner);
    outer.SetdH(1);
    const std::wstring innerWkt = L"FITTED_CS[\"inner\"," +
                                  LocalGridWkt(L"5", L"0", L"0", L"0", L"0", L"0") + L"," +
                                  kProjectedWkt + L"]";
    EXPECT_EQ(std::wstring(outer.GetWKT(nullptr)),
              L"FITTED_CS[\"outer\",PARAM_MT[\"Linear_Correction\"," + kTabs +
                  L"PARAMETER[\"dH\",1]," + kTabs + L"PARAMETER[\"Gl\",0]," + kTabs +
                  L"PARAMETER[\"Gg\",0]," + kTabs + L"PARAMETER[\"L0\",0]," + kTabs +
                  L"PARAMETER[\"G0\",0]]," + innerWkt + L"]");

    // Formatting into a caller's buffer still uses the class's result buffer on the way.
    const wchar_t* earlier = inner.GetWKT(nullptr);
    wchar_t own[2048];
    EXPECT_EQ(std::wstring(inner.FormatWKT(own, 2048)), innerWkt);
    EXPECT_NE(std::wstring(earlier), innerWkt);
}

TEST(NestedSystems, SystemsInsideTheirOwnClassAreWrittenEmpty) {
    World w;
    // A fitted base of the same class cannot be composed inside its parent: it embeds as "".
    CQuarnFittedHorizontalCoordinateSystem inner, outer;
    inner.SetName(L"inner");
    inner.SetBaseCoordinateSystem(&w.projected);
    outer.SetName(L"outer");
    outer.SetBaseCoordinateSystem(&inner);
    EXPECT_EQ(std::wstring(outer.GetWKT(nullptr)),
              L"FITTED_CS[\"outer\"," + LocalGridWkt(L"0", L"0", L"0", L"0", L"0", L"0") + L",]");

    // A cycle ends the same way instead of recursing without end.
    CQuarnCompoundCoordinateSystem loop = MakeCompound(L"loop", nullptr, &w.vertical);
    loop.SetHeadCS(&loop);
    EXPECT_EQ(std::wstring(loop.GetWKT(nullptr)), L"COMPD_CS[\"loop\",," + kVerticalWkt + L"]");
}
