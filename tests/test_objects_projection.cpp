// Projection: slot bounds, lookup by name, the class-name rewrite rules under the
// projection-loading flag, GetType, the one-sided equality, assignment and the PROJECTION
// text with its sibling PARAMETER elements.
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
struct PrjLoading {
    explicit PrjLoading(bool on) { SetPrjLoading(on); }
    ~PrjLoading() { SetPrjLoading(false); }
};

} // namespace

TEST(Projection, SlotsAndLookupStayInBounds) {
    CQuarnProjection p;
    EXPECT_EQ(p.GetParameter(-1L), nullptr);
    EXPECT_EQ(p.GetParameter(11L), nullptr);
    ASSERT_NE(p.GetParameter(10L), nullptr);
    EXPECT_STREQ(p.GetParameter(10L)->name, L"");
    EXPECT_EQ(p.GetParameter(10L)->value, 0.0);

    p.SetNumParameters(11);
    p.SetNumParameters(12);
    p.SetNumParameters(-1);
    EXPECT_EQ(p.GetNumParameters(), 11);
    CS_ProjectionParameter k = Parameter(L"scale_factor", 0.9996);
    p.SetParameter(11, &k);
    p.SetParameter(-1, &k);
    p.SetParameter(10, &k);
    p.SetParameter(10, nullptr);
    EXPECT_EQ(p.GetParameter(10L)->value, 0.9996);

    SetParameters(p, {{L"central_meridian", 9.0}, {L"scale_factor", 0.9996}});
    EXPECT_EQ(p.GetParameter(L"SCALE_FACTOR"), p.GetParameter(1L));
    EXPECT_EQ(p.GetParameter(L"scale"), nullptr);
    CS_ProjectionParameter beyond = Parameter(L"false_easting", 500000.0);
    p.SetParameter(2, &beyond);
    EXPECT_EQ(p.GetParameter(L"false_easting"), nullptr); // slot 2 is not in use
}

TEST(Projection, ClassNameRewritesWhileLoading) {
    PrjLoading loading(true);
    CQuarnProjection two, one, early, gauss;
    SetParameters(two, {{L"Standard_Parallel_2", 45.0}, {L"scale_factor", 1.0}});
    two.SetClassName(L"lambert_conformal_conic");
    EXPECT_STREQ(two.GetClassName(), L"Lambert_Conformal_Conic_2SP");
    SetParameters(one, {{L"scale_factor", 1.0}});
    one.SetClassName(L"Lambert_Conformal_Conic");
    EXPECT_STREQ(one.GetClassName(), L"Lambert_Conformal_Conic_1SP");
    // Parameters are looked up at the moment of the call.
    early.SetClassName(L"lambert_conformal_conic");
    SetParameters(early, {{L"standard_parallel_2", 45.0}});
    EXPECT_STREQ(early.GetClassName(), L"lambert_conformal_conic");
    EXPECT_EQ(early.GetType(), PT_Unknown);
    gauss.SetClassName(L"GAUSS_KRUGER");
    EXPECT_STREQ(gauss.GetClassName(), L"Transverse_Mercator");
    EXPECT_EQ(gauss.GetType(), PT_TransverseMercator);

    SetPrjLoading(false);
    two.SetClassName(L"Lambert_Conformal_Conic");
    gauss.SetClassName(L"GAUSS_KRUGER");
    EXPECT_STREQ(two.GetClassName(), L"Lambert_Conformal_Conic");
    EXPECT_STREQ(gauss.GetClassName(), L"GAUSS_KRUGER");
    gauss.SetClassName(nullptr);
    EXPECT_STREQ(gauss.GetClassName(), L"");
}

TEST(Projection, TypeByWholeNameIgnoringCase) {
    const std::pair<const wchar_t*, EProjectionType> cases[] = {
        {L"krovak", PT_Krovak},
        {L"Krovak ", PT_Unknown},
        {L"LAMBERT_CONFORMAL_CONIC_2SP_BELGIUM", PT_LambertConformalConic2SPBelgium},
        {L"Oblique_Mercator", PT_ObliqueMercator},
        {L"Oblique_Mercator_83", PT_ObliqueMercator83},
        {L"Oblique_Stereographic_SP1970", PT_ObliqueStereographicSP1970},
        {L"Mercator", PT_Unknown},
    };
    CQuarnProjection p;
    for (const auto& c : cases) {
        p.SetClassName(c.first);
        EXPECT_EQ(p.GetType(), c.second) << c.first;
    }
}

TEST(Projection, EqualityIsOneSidedOverParameters) {
    CQuarnProjection a, b;
    a.SetName(L"UTM 32");
    a.SetClassName(L"Transverse_Mercator");
    b.SetClassName(L"TRANSVERSE_MERCATOR");
    SetParameters(a, {{L"central_meridian", 9.0}, {L"scale_factor", 0.9996}});
    SetParameters(b, {{L"Scale_Factor", 0.9996}, {L"central_meridian", 9.0}});
    EXPECT_TRUE(a == b); // own names take no part; order does not matter
    b.SetClassName(L"Krovak");
    EXPECT_FALSE(a == b);

    CQuarnProjection twice, distinct, near, far, fewer;
    SetParameters(twice, {{L"a", 1.0}, {L"a", 1.0}});
    SetParameters(distinct, {{L"a", 1.0}, {L"b", 2.0}});
    EXPECT_TRUE(twice == distinct);
    EXPECT_FALSE(distinct == twice);
    EXPECT_TRUE(distinct != twice);
    SetParameters(near, {{L"A", 1.0000000000005}, {L"b", 2.0}});
    SetParameters(far, {{L"a", 1.0 + 2e-12}, {L"b", 2.0}});
    EXPECT_TRUE(distinct == near);
    EXPECT_FALSE(distinct == far);
    SetParameters(fewer, {{L"a", 1.0}});
    EXPECT_FALSE(fewer == twice);
}

TEST(Projection, ProjectionAndParameterSiblings) {
    CQuarnProjection p;
    EXPECT_STREQ(p.GetWKT(nullptr), L"PROJECTION[\"\"]");
    p.SetName(L"UTM zone 32N");
    p.SetClassName(L"Transverse_Mercator");
    SetParameters(p, {{L"central_meridian", 9.0}, {L"scale_factor", 0.9996}});
    CS_ProjectionParameter unused = Parameter(L"false_easting", 500000.0);
    p.SetParameter(2, &unused);
    const std::wstring whole = L"PROJECTION[\"Transverse_Mercator\"],"
                               L"PARAMETER[\"central_meridian\",9],"
                               L"PARAMETER[\"scale_factor\",0.9996]";
    EXPECT_EQ(p.GetWKT(nullptr), whole);
    std::wstring buffer(whole.size() + 1, L'?');
    EXPECT_STREQ(p.FormatWKT(&buffer[0], static_cast<long>(whole.size())), L"");
    EXPECT_EQ(p.FormatWKT(&buffer[0], static_cast<long>(whole.size()) + 1), whole);

    // Eleven parameters with 255-character names go far beyond 2047 characters.
    const std::wstring longName(255, L'p');
    CS_ProjectionParameter big = Parameter(longName.c_str(), 0.0);
    for (long i = 0; i < 11; ++i)
        p.SetParameter(i, &big);
    p.SetNumParameters(11);
    EXPECT_STREQ(p.GetWKT(nullptr), L"");
}

TEST(Projection, AssignmentTakesAllSlotsAndKeepsTheRefCount) {
    CQuarnProjection source;
    source.SetName(L"Gauss zone 3");
    source.SetAuthorityCode(L"16263");
    source.SetClassName(L"Gauss_Kruger"); // flag clear: stored as given
    SetParameters(source, {{L"central_meridian", 9.0}});
    CS_ProjectionParameter spare = Parameter(L"spare", 3.0);
    source.SetParameter(10, &spare);
    source.AddRef();
    EXPECT_EQ(CQuarnProjection(source).GetRefCount(), 1);

    PrjLoading loading(true);
    CQuarnProjection target;
    SetParameters(target, {{L"a", 1.0}, {L"b", 2.0}, {L"c", 3.0}});
    target = source;
    EXPECT_EQ(target.GetRefCount(), 0);
    EXPECT_STREQ(target.GetName(), L"Gauss zone 3");
    EXPECT_STREQ(target.GetClassName(), L"Gauss_Kruger"); // not rewritten
    EXPECT_STREQ(target.GetAuthorityCode(), L"16263");
    EXPECT_EQ(target.GetNumParameters(), 1);
    EXPECT_STREQ(target.GetParameter(1L)->name, L""); // the source's unused slot, not "b"
    EXPECT_STREQ(target.GetParameter(10L)->name, L"spare");
    EXPECT_EQ(target.GetParameter(10L)->value, 3.0);
}
