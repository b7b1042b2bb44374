// The datum-name rules: which shift a datum name without a shift receives.
#include "factory/DatumRules.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
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

} // namespace

TEST(DatumRules, EarlierRulesWinOverLaterOnes) {
    EXPECT_EQ(Apply(L"D_North_American_1983_HARN"), kHarn);
    // Also contains AUSTRALIAN and 66, and MGI; HARN is tested first and decides.
    EXPECT_EQ(Apply(L"harn australian 66 mgi"), kHarn);
    // Contains DATUM (the rule "DATUM" and "73" needs 73 too) and AUSTRALIAN 66.
    EXPECT_EQ(Apply(L"Australian Geodetic Datum 1966")[0], -129.193);
    EXPECT_EQ(Apply(L"Amersfoort 2004")[0], 565.2334);
    EXPECT_EQ(Apply(L"D_Amersfoort")[0], 565.04);
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

TEST(DatumRules, EveryRuleIsReachableAndTheTableIsPinned) {
    // One name per rule, in table order. The weighted sum of every value each gives pins the
    // whole table: a changed value, count or order moves it.
    const std::wstring names =
        L"HARN|AUSTRALIAN 66|AUSTRALIAN 84|MGI|BELGE 72|HERMANNSKOGEL|BEIJING 54|ESTONIA 92|KKJ|"
        L"NTF|HAUPTDREIECKSNETZ|GGRS 87|HONG KONG 80|HUNGARIAN 72|ISRAEL|PALESTINE 23|"
        L"MONTE MARIO|TOKYO|KOREAN 85|MERCHICH|AMERSFOORT 04|AMERSFOORT|NEW ZEALAND 49|NGO 48|"
        L"DATUM 73|LISBOA HAYFORD|CAPE|RT 90|CH1903|CARTHAGE|NAHRWAN 67|EUROPEAN 50|OSGB 36|"
        L"PULKOVO 42|";
    double checksum = 0;
    int row = 0;
    for (std::size_t from = 0, to; (to = names.find(L'|', from)) != std::wstring::npos;
         from = to + 1) {
        const Shift shift = Apply(names.substr(from, to - from).c_str());
        EXPECT_NE(shift, kZero) << row;
        ++row;
        for (int i = 0; i < 7; ++i)
            checksum += shift[i] * (i + 1) * row;
    }
    EXPECT_EQ(row, 34);
    EXPECT_NEAR(checksum, 345690.9114470424, 1e-6);
}
