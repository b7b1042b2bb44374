// The datum-name rules: which shift a datum name without a shift receives.
#include "factory/DatumRules.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Shift = std::array<double, 7>;

Shift Apply(const wchar_t* name, Shift given = {}) {
    CS_WGS84ConversionInfo info{};
    info.Dx = given[0];
    info.Dy = given[1];
    info.Dz = given[2];
    info.Ex = given[3];
    info.Ey = given[4];
    info.Ez = given[5];
    info.Ppm = given[6];
    QuarnApplyDatumNameRules(name, info);
    return {info.Dx, info.Dy, info.Dz, info.Ex, info.Ey, info.Ez, info.Ppm};
}

const Shift kZero = {};
const Shift kHarn = {-0.9991, 1.9048, 0.519, -0.02625, -0.005641, -0.011344, -0.00028};
const Shift kAustralian66 = {-129.193, -41.212, 130.73, -0.246, -0.374, -0.329, -2.955};
const Shift kAmersfoort04 = {565.2334,     50.0127,     465.6571, 0.40685733,
                             -0.350732677, 1.870347384, 4.0812};
const Shift kAmersfoort = {565.04, 49.91, 465.84, 0.409394, -0.35971, 1.868491, 4.07720000006329};

} // namespace

TEST(DatumRules, EarlierRulesWinOverLaterOnes) {
    EXPECT_EQ(Apply(L"D_North_American_1983_HARN"), kHarn);
    // Also contains AUSTRALIAN and 66, and MGI; HARN is tested first and decides.
    EXPECT_EQ(Apply(L"harn australian 66 mgi"), kHarn);
    // Contains DATUM (the rule "DATUM" and "73" needs 73 too) and AUSTRALIAN 66.
    EXPECT_EQ(Apply(L"Australian Geodetic Datum 1966"), kAustralian66);
    EXPECT_EQ(Apply(L"Amersfoort 2004"), kAmersfoort04);
    EXPECT_EQ(Apply(L"D_Amersfoort"), kAmersfoort);
    EXPECT_EQ(Apply(L"Belge 1972")[6], -1.00000000002876);
    EXPECT_EQ(Apply(L"Datum 73")[6], 2.22999999999196);
    EXPECT_EQ(Apply(L"Lisboa Hayford")[6], -4.60000000002125);
}

TEST(DatumRules, TextsThatMustEndTheName) {
    const Shift cape = {-136, -108, -292, 0, 0, 0, 0};
    EXPECT_EQ(Apply(L"Cape"), cape);
    EXPECT_EQ(Apply(L"D_Cape"), cape);
    // "Cape Verde": CAPE does not end the name, and no later rule holds.
    EXPECT_EQ(Apply(L"Cape Verde"), kZero);
    EXPECT_EQ(Apply(L"European Datum 1950"), (Shift{-87, -98, -121, 0, 0, 0, 0}));
    EXPECT_EQ(Apply(L"European 1950 (Norway)"), kZero);
    // Only the first occurrence counts: "50" first stands inside "1950 ... 50".
    EXPECT_EQ(Apply(L"European 1950 50"), kZero);
    // "Cape Verde" goes on to later rules: with RT and 90 in it, rule RT 90 holds.
    EXPECT_EQ(Apply(L"Cape Verde RT 90")[0], 419.3836);
}

TEST(DatumRules, AGivenShiftIsNeverReplaced) {
    Shift given = {-146.414, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Apply(L"Tokyo", given), given);
    // A sum below 1e-6 counts as no shift; a shift-only rule keeps rotations and scale.
    EXPECT_EQ(Apply(L"Tokyo", {3e-7, 0, 0, -3e-7, 0, 0, 3e-7}),
              (Shift{-148, 507, 685, -3e-7, 0, 0, 3e-7}));
    EXPECT_EQ(Apply(L"Tokyo", {0.000001, 0, 0, 0, 0, 0, 0})[0], 0.000001);
}

TEST(DatumRules, NamesWithoutARuleAndCaseOfLetters) {
    EXPECT_EQ(Apply(L""), kZero);
    EXPECT_EQ(Apply(nullptr), kZero);
    EXPECT_EQ(Apply(L"WGS 84"), kZero);
    // Letters are compared upper-cased; other characters as they are.
    EXPECT_EQ(Apply(L"tokyo")[0], -148);
    EXPECT_EQ(Apply(L"ch1903+")[0], 674.374);
}

TEST(DatumRules, EveryRuleIsReachable) {
    std::vector<const wchar_t*> names = {L"HARN",       L"AUSTRALIAN 66", L"AUSTRALIAN 84",
                                         L"MGI",        L"BELGE 72",      L"HERMANNSKOGEL",
                                         L"BEIJING 54", L"ESTONIA 92",    L"KKJ"};
    names.insert(names.end(), {L"NTF", L"HAUPTDREIECKSNETZ", L"GGRS 87", L"HONG KONG 80",
                               L"HUNGARIAN 72", L"ISRAEL", L"PALESTINE 23", L"MONTE MARIO"});
    names.insert(names.end(), {L"TOKYO", L"KOREAN 85", L"MERCHICH", L"AMERSFOORT 04", L"AMERSFOORT",
                               L"NEW ZEALAND 49", L"NGO 48", L"DATUM 73", L"LISBOA HAYFORD"});
    names.insert(names.end(), {L"CAPE", L"RT 90", L"CH1903", L"CARTHAGE", L"NAHRWAN 67",
                               L"EUROPEAN 50", L"OSGB 36", L"PULKOVO 42"});
    ASSERT_EQ(names.size(), 34u);
    for (const wchar_t* name : names)
        EXPECT_NE(Apply(name), kZero) << name[0];
    EXPECT_EQ(Apply(L"OSGB 1936"), (Shift{375, -111, 431, 0, 0, 0, 0}));
    EXPECT_EQ(Apply(L"HERMANNSKOGEL"), (Shift{472.8677, 187.8769, 544.7084, -5.76198422, -5.3222842,
                                              12.80666941, 1.54517287}));
}
