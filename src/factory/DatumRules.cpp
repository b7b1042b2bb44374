#include "factory/DatumRules.h"

#include <cmath>
#include <cstddef>
#include <string>

using namespace quarn::detail;

namespace {

struct DatumRule {
    // Every text must occur in the upper-cased name, anywhere and in any order.
    const wchar_t* texts[3];
    // When set, the first occurrence of this text must end the name.
    const wchar_t* atEnd;
    // How many of the values Dx, Dy, Dz, Ex, Ey, Ez, Ppm the rule sets (3 or 7); the
    // others are left as they were.
    int count;
    double values[7];
};

// Tested in this order; the first rule that holds decides. The order matters: "HARN" wins
// over everything, "AMERSFOORT" with "04" before plain "AMERSFOORT", and so on.
const DatumRule kRules[] = {
    {{L"HARN"}, nullptr, 7, {-0.9991, 1.9048, 0.519, -0.02625, -0.005641, -0.011344, -0.00028}},
    {{L"AUSTRALIAN", L"66"},
     nullptr,
     7,
     {-129.193, -41.212, 130.73, -0.246, -0.374, -0.329, -2.955}},
    {{L"AUSTRALIAN", L"84"},
     nullptr,
     7,
     {-117.763, -51.51, 139.061, -0.292, -0.443, -0.277, -0.191}},
    {{L"MGI"}, nullptr, 7, {586, 89, 468, -5.1, -1.4, -5.4, 1.1}},
    {{L"BELGE", L"72"},
     nullptr,
     7,
     {-99.059, 53.322, -112.486, -0.419, 0.83, -1.885, -1.00000000002876}},
    {{L"HERMANNSKOGEL"},
     nullptr,
     7,
     {472.8677, 187.8769, 544.7084, -5.76198422, -5.3222842, 12.80666941, 1.54517287}},
    {{L"BEIJING", L"54"}, nullptr, 3, {22, -118, -30.5}},
    {{L"ESTONIA", L"92"}, nullptr, 7, {0.055, -0.541, -0.185, -0.0183, 0.0003, 0.007, -0.014}},
    {{L"KKJ"}, nullptr, 7, {-90.7, -106.1, -119.2, -4.09, -0.218, 1.05, 1.37}},
    {{L"NTF"}, nullptr, 3, {-168, -60, 320}},
    {{L"HAUPTDREIECKSNETZ"}, nullptr, 7, {582, 105, 414, -1.04, -0.35, 3.08, 8.3}},
    {{L"GGRS", L"87"}, nullptr, 3, {-199.723, 74.03, 246.018}},
    {{L"HONG", L"KONG", L"80"},
     nullptr,
     7,
     {-162.619, -276.959, -161.764, -0.067753, 2.243649, 1.158827, -1.094246}},
    {{L"HUNGARIAN", L"72"}, nullptr, 7, {56, -75.77, -15.31, 0.37, 0.2, 0.21, 1.01}},
    {{L"ISRAEL"}, nullptr, 3, {-48, 55, 52}},
    {{L"PALESTINE", L"23"}, nullptr, 3, {-230, -71, 273}},
    {{L"MONTE", L"MARIO"}, nullptr, 3, {-225, -65, 9}},
    {{L"TOKYO"}, nullptr, 3, {-148, 507, 685}},
    {{L"KOREAN", L"85"}, nullptr, 7, {125.905, -478.377, -658.757, -2.166, -2.284, 1.866, -1.844}},
    {{L"MERCHICH"}, nullptr, 3, {31, 146, 47}},
    {{L"AMERSFOORT", L"04"},
     nullptr,
     7,
     {565.2334, 50.0127, 465.6571, 0.40685733, -0.350732677, 1.870347384, 4.0812}},
    {{L"AMERSFOORT"},
     nullptr,
     7,
     {565.04, 49.91, 465.84, 0.409394, -0.35971, 1.868491, 4.07720000006329}},
    {{L"NEW", L"ZEALAND", L"49"}, nullptr, 3, {54.4, -20.1, 183.1}},
    {{L"NGO", L"48"}, nullptr, 7, {278.3, 93, 474.5, -7.889, -0.05, 6.61, 6.21}},
    {{L"DATUM", L"73"},
     nullptr,
     7,
     {-239.749, 88.181, 30.488, -0.26, -0.08, -1.21, 2.22999999999196}},
    {{L"LISBOA", L"HAYFORD"},
     nullptr,
     7,
     {-288.885, -91.744, 126.244, 1.69, -0.41, 0.21, -4.60000000002125}},
    {{L"CAPE"}, L"CAPE", 3, {-136, -108, -292}},
    {{L"RT", L"90"},
     nullptr,
     7,
     {419.3836, 99.3335, 591.3451, -0.850389, -1.817277, 7.862238, -0.99496}},
    {{L"CH1903"}, nullptr, 3, {674.374, 15.056, 405.346}},
    {{L"CARTHAGE"}, nullptr, 3, {-266.112, 7.984, 443.699}},
    {{L"NAHRWAN", L"67"}, nullptr, 3, {-247, -148, 369}},
    {{L"EUROPEAN", L"50"}, L"50", 3, {-87, -98, -121}},
    {{L"OSGB", L"36"}, nullptr, 3, {375, -111, 431}},
    {{L"PULKOVO", L"42"}, nullptr, 3, {28, -130, -95}},
};

bool Holds(const DatumRule& rule, const std::wstring& name) {
    for (const wchar_t* text : rule.texts) {
        if (text != nullptr && name.find(text) == std::wstring::npos) return false;
    }
    if (rule.atEnd != nullptr) {
        std::wstring end(rule.atEnd);
        std::size_t first = name.find(end);
        if (first == std::wstring::npos || first + end.size() < name.size()) return false;
    }
    return true;
}

} // namespace

bool quarn::detail::ApplyDatumNameRules(const wchar_t* name, CS_WGS84ConversionInfo& shift) {
    std::wstring upper(name != nullptr ? name : L"");
    if (upper.empty()) return false;
    for (wchar_t& c : upper) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }

    double* values[7] = {&shift.Dx, &shift.Dy, &shift.Dz, &shift.Ex,
                         &shift.Ey, &shift.Ez, &shift.Ppm};
    double sum = 0.0;
    for (double* value : values)
        sum += std::fabs(*value);
    // A given shift is never replaced (a NaN sum counts as given).
    if (!(sum < 0.000001)) return false;

    for (const DatumRule& rule : kRules) {
        if (!Holds(rule, upper)) continue;
        for (int i = 0; i < rule.count; ++i)
            *values[i] = rule.values[i];
        return true;
    }
    return false;
}
