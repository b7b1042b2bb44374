// The null-tolerant type queries answer 0 through a null pointer, in every build.
#include "quarn.h"

#include <gtest/gtest.h>

namespace {

// A minimal system: enough to see that a real object answers with its own codes.
class TestSystem : public CS_CoordinateSystem {
public:
    const wchar_t* GetName() const override { return L""; }
    const wchar_t* GetAuthority() const override { return L""; }
    const wchar_t* GetAuthorityCode() const override { return L""; }
    const wchar_t* GetAlias() const override { return nullptr; }
    const wchar_t* GetAbbreviation() const override { return nullptr; }
    const wchar_t* GetRemarks() const override { return nullptr; }
    const wchar_t* GetWKT(const CS_Unit*) const override { return L""; }
    const wchar_t* GetXML() const override { return nullptr; }
    long GetObjectType() const override { return 7; }
    void SetName(const wchar_t*) override {}
    long GetDimension() const override { return 3; }
    const PT_Envelope* GetDefaultEnvelope() const override { return nullptr; }
    const CS_AxisInfo* GetAxis(long) const override { return nullptr; }
    const CS_Unit* GetUnits(long) const override { return nullptr; }
    long GetSystemType() const override { return 3000; }
    long GetHeightType() const override { return 3; }
};

} // namespace

TEST(NullQueries, AnswerZeroThroughANullPointer) {
    // Read through a volatile so that the compiler cannot see the null at the call.
    const CS_CoordinateSystem* volatile none = nullptr;
    EXPECT_EQ(none->GetSafeHeightType(), 0);
    EXPECT_EQ(none->GetSafeSystemType(), 0);
    EXPECT_EQ(none->GetSafeSystemTypeEx(), 0);
}

TEST(NullQueries, AnswerTheObjectsOwnCodes) {
    TestSystem system;
    const CS_CoordinateSystem* volatile some = &system;
    EXPECT_EQ(some->GetSafeHeightType(), 3);
    EXPECT_EQ(some->GetSafeSystemType(), 3000);
    EXPECT_EQ(some->GetSafeSystemTypeEx(), 3000); // the default extended code
    EXPECT_EQ(some->GetAzimuth(), 0.0);
}
