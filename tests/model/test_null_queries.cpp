// The null-tolerant type queries answer 0 through a null pointer, in every build, and the
// object's own codes through a real one.
#include <quarn/quarn.h>

#include <gtest/gtest.h>

TEST(NullQueries, AnswerZeroThroughANullPointerAndTheCodesOtherwise) {
    // Read through a volatile so that the compiler cannot see the null at the call.
    const CS_CoordinateSystem* volatile none = nullptr;
    EXPECT_EQ(none->GetSafeHeightType() | none->GetSafeSystemType() | none->GetSafeSystemTypeEx(),
              0);
    CQuarnLocalCoordinateSystem local;
    local.SetDimension(3);
    const CS_CoordinateSystem* volatile some = &local;
    EXPECT_EQ(some->GetSafeHeightType() + some->GetSafeSystemType() + some->GetSafeSystemTypeEx(),
              6003);
}
