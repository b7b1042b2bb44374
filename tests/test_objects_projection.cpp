// Projection: parameter slots and their bounds, lookup by name, the class-name rewrite rules
// under the projection-loading flag, GetType, the one-sided equality, assignment and the
// PROJECTION text with its sibling PARAMETER elements.
#include "model/ModuleSetup.h"
#include "objects/Projection.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <initializer_list>
#include <string>
#include <utility>

namespace {

CS_ProjectionParameter Parameter(const wchar_t* name, double value) {
    CS_ProjectionParameter parameter{};
    std::wcsncpy(parameter.name, name, kQuarnTextLimit);
    parameter.value = value;
    return parameter;
}

// Fills the slots in order and sets the count, as the factory does before the class name.
void SetParameters(CQuarnProjection& projection,
                   std::initializer_list<std::pair<const wchar_t*, double>> list) {
    long index = 0;
    for (const auto& item : list) {
        CS_ProjectionParameter parameter = Parameter(item.first, item.second);
        projection.SetParameter(index++, &parameter);
    }
    projection.SetNumParameters(index);
}

// Sets the projection-loading flag for one test and clears it afterwards.
class PrjLoading {
public:
    explicit PrjLoading(bool on) { SetPrjLoading(on); }
    ~PrjLoading() { SetPrjLoading(false); }
};

} // namespace

TEST(Projection, DefaultsAndSlotBounds) {
    CQuarnProjection p;
    EXPECT_EQ(p.GetObjectType(), 10);
    EXPECT_EQ(p.GetNumParameters(), 0);
    EXPECT_STREQ(p.GetClassName(), L"");
    EXPECT_EQ(p.GetType(), PT_Unknown);
    EXPECT_STREQ(p.GetWKT(nullptr), L"PROJECTION[\"\"]");
    for (long i = 0; i < 11; ++i) {
        ASSERT_NE(p.GetParameter(i), nullptr);
        EXPECT_STREQ(p.GetParameter(i)->name, L"");
        EXPECT_EQ(p.GetParameter(i)->value, 0.0);
    }
    EXPECT_EQ(p.GetParameter(-1L), nullptr);
    EXPECT_EQ(p.GetParameter(11L), nullptr);

    p.SetNumParameters(11);
    EXPECT_EQ(p.GetNumParameters(), 11);
    p.SetNumParameters(12);
    p.SetNumParameters(-1);
    EXPECT_EQ(p.GetNumParameters(), 11);

    CS_ProjectionParameter k = Parameter(L"scale_factor", 0.9996);
    p.SetParameter(11, &k);
    p.SetParameter(-1, &k);
    p.SetParameter(10, &k);
    p.SetParameter(10, nullptr); // ignored
    EXPECT_STREQ(p.GetParameter(10L)->name, L"scale_factor");
    EXPECT_EQ(p.GetParameter(10L)->value, 0.9996);
    EXPECT_EQ(p.GetNumParameters(), 11); // SetParameter leaves the count alone
}

TEST(Projection, LookupByNameStaysWithinTheCount) {
    CQuarnProjection p;
    SetParameters(p, {{L"central_meridian", 9.0}, {L"scale_factor", 0.9996}});
    const CS_ProjectionParameter* found = p.GetParameter(L"SCALE_FACTOR");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, p.GetParameter(1L));
    EXPECT_EQ(p.GetParameter(L"scale"), nullptr);

    CS_ProjectionParameter beyond = Parameter(L"false_easting", 500000.0);
    p.SetParameter(2, &beyond);
    EXPECT_EQ(p.GetParameter(L"false_easting"), nullptr);
    p.SetNumParameters(3);
    EXPECT_NE(p.GetParameter(L"false_easting"), nullptr);
}

TEST(Projection, ClassNameRewritesWhileLoading) {
    PrjLoading loading(true);
    CQuarnProjection two;
    SetParameters(two, {{L"Standard_Parallel_2", 45.0}, {L"scale_factor", 1.0}});
    two.SetClassName(L"lambert_conformal_conic");
    EXPECT_STREQ(two.GetClassName(), L"Lambert_Conformal_Conic_2SP");
    EXPECT_EQ(two.GetType(), PT_LambertConformalConic2SP);

    CQuarnProjection one;
    SetParameters(one, {{L"scale_factor", 1.0}});
    one.SetClassName(L"Lambert_Conformal_Conic");
    EXPECT_STREQ(one.GetClassName(), L"Lambert_Conformal_Conic_1SP");

    // Parameters are looked up at the moment of the call.
    CQuarnProjection early;
    early.SetClassName(L"lambert_conformal_conic");
    SetParameters(early, {{L"standard_parallel_2", 45.0}});
    EXPECT_STREQ(early.GetClassName(), L"lambert_conformal_conic");
    EXPECT_EQ(early.GetType(), PT_Unknown);

    CQuarnProjection gauss;
    gauss.SetClassName(L"GAUSS_KRUGER");
    EXPECT_STREQ(gauss.GetClassName(), L"Transverse_Mercator");
    EXPECT_EQ(gauss.GetType(), PT_TransverseMercator);
}

TEST(Projection, ClassNameStoredAsGivenWhenNotLoading) {
    PrjLoading loading(false);
    CQuarnProjection p;
    SetParameters(p, {{L"standard_parallel_2", 45.0}});
    p.SetClassName(L"Lambert_Conformal_Conic");
    EXPECT_STREQ(p.GetClassName(), L"Lambert_Conformal_Conic");
    p.SetClassName(L"GAUSS_KRUGER");
    EXPECT_STREQ(p.GetClassName(), L"GAUSS_KRUGER");
    EXPECT_EQ(p.GetType(), PT_Unknown);
    p.SetClassName(nullptr);
    EXPECT_STREQ(p.GetClassName(), L"");
    const std::wstring longName(300, L'k');
    p.SetClassName(longName.c_str());
    EXPECT_EQ(std::wstring(p.GetClassName()), longName.substr(0, 255));
}

TEST(Projection, TypeByWholeNameIgnoringCase) {
    CQuarnProjection p;
    const std::pair<const wchar_t*, EProjectionType> cases[] = {
        {L"krovak", PT_Krovak},
        {L"Krovak ", PT_Unknown},
        {L"Lambert_Conformal_Conic_1SP", PT_LambertConformalConic1SP},
        {L"LAMBERT_CONFORMAL_CONIC_2SP_BELGIUM", PT_LambertConformalConic2SPBelgium},
        {L"Oblique_Mercator", PT_ObliqueMercator},
        {L"Oblique_Mercator_83", PT_ObliqueMercator83},
        {L"Ground_System_Azimuth", PT_GroundSystemAzimuth},
        {L"Oblique_Stereographic_SP1970", PT_ObliqueStereographicSP1970},
        {L"Mercator", PT_Unknown},
    };
    for (const auto& c : cases) {
        p.SetClassName(c.first);
        EXPECT_EQ(p.GetType(), c.second) << c.first;
    }
    EXPECT_EQ(PT_Krovak, 24);
    EXPECT_EQ(PT_ObliqueStereographicSP1970, 27);
}

TEST(Projection, EqualityIsOneSidedOverParameters) {
    CQuarnProjection a, b;
    a.SetName(L"UTM 32");
    b.SetName(L"Something else");
    a.SetClassName(L"Transverse_Mercator");
    b.SetClassName(L"TRANSVERSE_MERCATOR");
    SetParameters(a, {{L"central_meridian", 9.0}, {L"scale_factor", 0.9996}});
    SetParameters(b, {{L"Scale_Factor", 0.9996}, {L"central_meridian", 9.0}});
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(b == a);

    // Both parameters of the first are "a"; the second has "a" and "b".
    CQuarnProjection twice, distinct;
    SetParameters(twice, {{L"a", 1.0}, {L"a", 1.0}});
    SetParameters(distinct, {{L"a", 1.0}, {L"b", 2.0}});
    EXPECT_TRUE(twice == distinct);
    EXPECT_FALSE(distinct == twice);
    EXPECT_TRUE(distinct != twice);

    CQuarnProjection near, far;
    SetParameters(near, {{L"A", 1.0000000000005}, {L"b", 2.0}});
    SetParameters(far, {{L"a", 1.0 + 2e-12}, {L"b", 2.0}});
    EXPECT_TRUE(distinct == near);
    EXPECT_FALSE(distinct == far);

    // Counts must match, and so must the class names.
    CQuarnProjection fewer;
    SetParameters(fewer, {{L"a", 1.0}});
    EXPECT_FALSE(fewer == twice);
    CQuarnProjection other = distinct;
    other.SetClassName(L"Krovak");
    EXPECT_FALSE(other == distinct);
}

TEST(Projection, ProjectionAndParameterSiblings) {
    CQuarnProjection p;
    p.SetName(L"UTM zone 32N");
    p.SetClassName(L"Transverse_Mercator");
    SetParameters(p, {{L"central_meridian", 9.0}, {L"scale_factor", 0.9996}});
    CS_ProjectionParameter unused = Parameter(L"false_easting", 500000.0);
    p.SetParameter(2, &unused); // beyond the count: not written
    const std::wstring whole = L"PROJECTION[\"Transverse_Mercator\"],"
                               L"PARAMETER[\"central_meridian\",9],"
                               L"PARAMETER[\"scale_factor\",0.9996]";
    EXPECT_EQ(std::wstring(p.GetWKT(nullptr)), whole);

    std::wstring buffer(whole.size() + 1, L'?');
    EXPECT_STREQ(p.FormatWKT(&buffer[0], static_cast<long>(whole.size())), L"");
    EXPECT_EQ(std::wstring(p.FormatWKT(&buffer[0], static_cast<long>(whole.size()) + 1)), whole);
}

TEST(Projection, OverlongTextIsEmpty) {
    // Eleven parameters with 255-character names make a text far beyond 2047 characters.
    CQuarnProjection p;
    p.SetClassName(L"Krovak");
    const std::wstring longName(255, L'p');
    for (long i = 0; i < 11; ++i) {
        CS_ProjectionParameter parameter = Parameter(longName.c_str(), static_cast<double>(i));
        p.SetParameter(i, &parameter);
    }
    p.SetNumParameters(11);
    EXPECT_STREQ(p.GetWKT(nullptr), L"");
    p.SetNumParameters(1);
    EXPECT_EQ(std::wstring(p.GetWKT(nullptr)),
              L"PROJECTION[\"Krovak\"],PARAMETER[\"" + longName + L"\",0]");
}

TEST(Projection, AssignmentTakesAllSlotsAndKeepsTheRefCount) {
    CQuarnProjection source;
    source.SetName(L"Gauss zone 3");
    source.SetAuthority(L"EPSG");
    source.SetAuthorityCode(L"16263");
    source.SetClassName(L"Gauss_Kruger"); // flag clear: stored as given
    SetParameters(source, {{L"central_meridian", 9.0}});
    CS_ProjectionParameter spare = Parameter(L"spare", 3.0);
    source.SetParameter(10, &spare);
    source.AddRef();

    CQuarnProjection copy(source);
    EXPECT_EQ(copy.GetRefCount(), 1);
    EXPECT_STREQ(copy.GetParameter(10L)->name, L"spare");

    PrjLoading loading(true);
    CQuarnProjection target;
    SetParameters(target, {{L"a", 1.0}, {L"b", 2.0}, {L"c", 3.0}});
    target = source;
    EXPECT_EQ(target.GetRefCount(), 0);
    EXPECT_STREQ(target.GetName(), L"Gauss zone 3");
    EXPECT_STREQ(target.GetClassName(), L"Gauss_Kruger"); // not rewritten
    EXPECT_STREQ(target.GetAuthority(), L"EPSG");
    EXPECT_STREQ(target.GetAuthorityCode(), L"16263");
    EXPECT_EQ(target.GetNumParameters(), 1);
    EXPECT_STREQ(target.GetParameter(1L)->name, L""); // slot 1 of the source, not "b"
    EXPECT_STREQ(target.GetParameter(10L)->name, L"spare");
    EXPECT_EQ(target.GetParameter(10L)->value, 3.0);
    EXPECT_TRUE(target == source);
}
