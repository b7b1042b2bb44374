// Projection: slot bounds, lookup by name, the class-name rewrite rules under the
// projection-loading flag, GetType, the one-sided equality, assignment and the PROJECTION
// text with its sibling PARAMETER elements.
#include "support/Parameters.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

// One parameter for a slot of its own.
CQuarnProjectionParameter Parameter(const wchar_t* name, double value) {
    return CQuarnProjectionParameter(Parameters({{name, value}})[0]);
}

} // namespace

TEST(Projection, SlotsAndLookupStayInBounds) {
    CQuarnProjection p;
    EXPECT_EQ(p.GetParameter(-1L), nullptr);
    EXPECT_EQ(p.GetParameter(11L), nullptr);
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

// A record handed out shows later changes of its slot and stays where it is; a copy has
// records of its own with the same content.
TEST(Projection, RecordsFollowTheSlotsAndKeepTheirPlace) {
    CQuarnProjection p;
    SetParameters(p, {{L"central_meridian", 9.0}, {L"false_easting", 500000.0}});
    const CS_ProjectionParameter* record = p.GetParameter(1L);
    CS_ProjectionParameter k = Parameter(L"scale_factor", 0.9996);
    p.SetParameter(1, &k);
    p.SetParameterValue(0, 3.0);
    EXPECT_EQ(p.GetParameter(1L), record);
    EXPECT_EQ(std::wstring(record->name) + p.GetParameterName(1), L"scale_factorscale_factor");
    EXPECT_EQ(p.GetParameter(0L)->value + p.GetParameterValue(1), 3.9996);
    CQuarnProjection copy(p);
    EXPECT_NE(copy.GetParameter(1L), record);
    EXPECT_EQ(std::wstring(copy.GetWKT(nullptr)), p.GetWKT(nullptr));
}

TEST(Projection, ClassNameRewritesOnlyWhileLoading) {
    LoadingFlag loading(true);
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
    gauss.SetClassName(L"GAUSS_KRUGER");
    EXPECT_STREQ(gauss.GetClassName(), L"Transverse_Mercator");

    SetPrjLoading(false);
    two.SetClassName(L"Lambert_Conformal_Conic");
    gauss.SetClassName(L"GAUSS_KRUGER");
    EXPECT_EQ(std::wstring(two.GetClassName()) + gauss.GetClassName(),
              L"Lambert_Conformal_ConicGAUSS_KRUGER");
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

    // Each of the left's parameters must be found on the right, not the other way round.
    CQuarnProjection twice, distinct, far, fewer;
    SetParameters(twice, {{L"a", 1.0}, {L"a", 1.0}});
    SetParameters(distinct, {{L"a", 1.0}, {L"b", 2.0}});
    EXPECT_TRUE(twice == distinct);
    EXPECT_TRUE(distinct != twice);
    SetParameters(far, {{L"a", 1.0 + 2e-12}, {L"b", 2.0}});
    EXPECT_FALSE(distinct == far);
    SetParameters(fewer, {{L"a", 1.0}});
    EXPECT_FALSE(fewer == twice);
}

TEST(Projection, ProjectionAndParameterSiblings) {
    CQuarnProjection p;
    EXPECT_STREQ(p.GetWKT(nullptr), L"PROJECTION[\"\"]");

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
    source.SetClassName(L"Gauss_Kruger"); // flag clear: stored as given
    SetParameters(source, {{L"central_meridian", 9.0}});
    CS_ProjectionParameter spare = Parameter(L"spare", 3.0);
    source.SetParameter(10, &spare);
    source.AddRef();

    LoadingFlag loading(true);
    CQuarnProjection target;
    SetParameters(target, {{L"a", 1.0}, {L"b", 2.0}, {L"c", 3.0}});
    target = source;
    EXPECT_EQ(target.GetRefCount(), 0);
    // The class name not rewritten; the source's unused slots, not "b".
    EXPECT_EQ(std::wstring(target.GetWKT(nullptr)) + L"|" + target.GetParameter(1L)->name + L"|" +
                  target.GetParameter(10L)->name,
              L"PROJECTION[\"Gauss_Kruger\"],PARAMETER[\"central_meridian\",9]||spare");
}
