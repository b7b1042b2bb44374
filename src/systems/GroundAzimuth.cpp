// The grid rotation of projected systems on the ground-system projections.
//
// "Ground_System" places a local grid by an origin and a target point and turns it towards
// the target; "Ground_System_Azimuth" gives the rotation directly. The two methods are
// recognised differently on purpose: the first by names in any case, the second only in
// exactly its own spelling.
#include <quarn/model/Constants.h>
#include <quarn/systems/ProjectedCoordinateSystem.h>

#include <quarn/objects/Projection.h>

#include <cmath>
#include <cwchar>

namespace {

constexpr double kRadiansPerDegree = quarn::kPi / 180.0;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kThreeHalfPi = 4.71238898038469;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kMinutesPerDegree = 60.0;
// One minute of arc counts as one nautical mile on the ground.
constexpr double kMetresPerMinute = 1852.0;

// The four points of a "Ground_System" projection, in the order their names are tried.
const wchar_t* const kGroundNames[4] = {L"latitude_of_origin", L"longitude_of_origin",
                                        L"latitude_of_target", L"longitude_of_target"};

// Gathers the origin and target (radians). Succeeds only when each of the four names was
// met and nothing more: a name given twice leaves the points undefined.
bool GroundPoints(const CS_Projection& projection, double (&values)[4]) {
    bool found[4] = {false, false, false, false};
    int matches = 0;
    const long count = projection.GetNumParameters();
    for (long i = 0; i < count; ++i) {
        const wchar_t* name = CQuarnProjection::ParameterName(projection, i);
        if (name == nullptr) continue;
        for (int k = 0; k < 4; ++k) {
            if (QuarnEqualNoCase(name, kGroundNames[k])) {
                values[k] = CQuarnProjection::ParameterValue(projection, i) * kRadiansPerDegree;
                found[k] = true;
                ++matches;
                break;
            }
        }
    }
    return matches == 4 && found[0] && found[1] && found[2] && found[3];
}

// Direction from origin to target, clockwise from north, in [0, 2π). Offsets are measured
// on a sphere of one nautical mile per minute, the east offset shortened by the cosine of
// the origin's latitude.
double GroundAzimuth(double latOrigin, double lonOrigin, double latTarget, double lonTarget) {
    const double c = std::cos(latOrigin);
    const double east =
        (lonTarget - lonOrigin) * 180.0 / quarn::kPi * kMinutesPerDegree * kMetresPerMinute * c;
    const double north =
        (latTarget - latOrigin) * 180.0 / quarn::kPi * kMinutesPerDegree * kMetresPerMinute;
    if (east == 0.0 && north == 0.0) return 0.0;
    if (east == 0.0) return north > 0.0 ? 0.0 : quarn::kPi;
    if (north == 0.0) return east > 0.0 ? kHalfPi : kThreeHalfPi;
    const double a = std::atan(east / north);
    if (north < 0.0) return a + quarn::kPi;
    if (east < 0.0) return a + kTwoPi;
    return a;
}

} // namespace

double CQuarnProjectedCoordinateSystem::GetAzimuth() const {
    const CS_Projection* projection = GetProjection();
    // Without a projection there is no grid to rotate.
    if (projection == nullptr) return 0.0;

    if (QuarnEqualNoCase(projection->GetClassName(), L"Ground_System")) {
        double v[4] = {0.0, 0.0, 0.0, 0.0};
        if (GroundPoints(*projection, v)) return GroundAzimuth(v[0], v[1], v[2], v[3]);
    }

    const wchar_t* className = projection->GetClassName();
    if (className == nullptr || std::wcscmp(className, L"Ground_System_Azimuth") != 0) return 0.0;
    const long count = projection->GetNumParameters();
    for (long i = 0; i < count; ++i) {
        const wchar_t* name = CQuarnProjection::ParameterName(*projection, i);
        if (name != nullptr && std::wcscmp(name, L"azimuth_of_target") == 0)
            return CQuarnProjection::ParameterValue(*projection, i) * kRadiansPerDegree;
    }
    return 0.0;
}
