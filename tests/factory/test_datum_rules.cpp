// The datum-name rules: which shift a datum name without a shift receives.
#include "factory/DatumRules.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

using namespace quarn::detail;

namespace {

using Shift = std::array<double, 7>;

Shift Apply(const wchar_t* name, Shift given = {}) {
    CS_WGS84ConversionInfo info{given[0], given[1], given[2], given[3],
                                given[4], given[5], given[6], {}};
    ApplyDatumNameRules(name, info);
    return {info.Dx, info.Dy, info.Dz, info.Ex, info.Ey, info.Ez, info.Ppm};
}

const Shift kZero = {};
const Shift kHarn = {-0.9991, 1.9048, 0.519, -0.02625, -0.005641, -0.011344, -0.00028};

} // namespace

// Which rule a name meets: earlier rules win, some texts must end the name, only the first
// occurrence of a text counts, letters compare upper-cased, a given shift is never replaced
// (a sum below 1e-6 counts as none) and a shift-only rule keeps rotations and scale.
TEST(DatumRules, NamesMeetTheFirstRuleThatHolds) {
    const Shift cape = {-136, -108, -292, 0, 0, 0, 0};
    const struct {
        const wchar_t* name;
        Shift given, expected;
    } cases[] = {
        {L"D_North_American_1983_HARN", kZero, kHarn},
        {L"harn australian 66 mgi", kZero, kHarn},
        {L"Australian Geodetic Datum 1966",
         kZero,
         {-129.193, -41.212, 130.73, -0.246, -0.374, -0.329, -2.955}},
        {L"Cape", kZero, cape},
        {L"D_Cape", kZero, cape},
        {L"Cape Verde", kZero, kZero},
        {L"European Datum 1950", kZero, {-87, -98, -121, 0, 0, 0, 0}},
        {L"European 1950 (Norway)", kZero, kZero},
        {L"European 1950 50", kZero, kZero},
        {L"", kZero, kZero},
        {nullptr, kZero, kZero},
        {L"WGS 84", kZero, kZero},
        {L"Tokyo", {-146.414, 0, 0, 0, 0, 0, 0}, {-146.414, 0, 0, 0, 0, 0, 0}},
        {L"tokyo", {3e-7, 0, 0, -3e-7, 0, 0, 3e-7}, {-148, 507, 685, -3e-7, 0, 0, 3e-7}},
        {L"Tokyo", {0.000001, 0, 0, 0, 0, 0, 0}, {0.000001, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Apply(c.name, c.given), c.expected) << (c.name ? c.name[0] : L'-');
    // First elements of the rules that a name meets by a later text or a different case.
    EXPECT_EQ(Apply(L"Amersfoort 2004")[0] + Apply(L"D_Amersfoort")[0], 565.2334 + 565.04);
    EXPECT_EQ(Apply(L"Cape Verde RT 90")[0] + Apply(L"ch1903+")[0], 419.3836 + 674.374);
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
