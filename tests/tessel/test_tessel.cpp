// The fixed-capacity sequence and the point and envelope records.
#include <quarn/tessel/Tessel.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Tessel, SequencesStayInCapacityPointsAndEnvelopesCompareExactly) {
    CTesselCoordinatePoint point(1.0, 2.0);
    EXPECT_FALSE(point.Resize(4));
    EXPECT_FALSE(point.Resize(-1));
    CTesselCoordinatePoint three(1.0, 2.0, 3.0);
    EXPECT_TRUE(point != three); // counts compare too
    EXPECT_TRUE(point.Resize(3));
    point[2] = 3.0;
    EXPECT_TRUE(point == three);
    EXPECT_FALSE(CTesselCoordinatePoint(1.0, 2.0 + 1e-15, 3.0) == three);
    CTesselCoordinatePoint nan(std::nan(""), 2.0, 3.0);
    EXPECT_FALSE(nan == nan);

    CTesselEnvelope envelope;
    PT_Envelope box{};
    CopyCoordinatePoint(&box.minCP, &three);
    EXPECT_FALSE(envelope == box);
    envelope = box;
    EXPECT_TRUE(envelope == box);
    CopyCoordinatePoint(&box.maxCP, &three);
    EXPECT_FALSE(envelope == box); // the corners compare both
    EXPECT_FALSE(EqualEnvelope(nullptr, &box));
    EXPECT_FALSE(CopyEnvelope(nullptr, &box));
}
