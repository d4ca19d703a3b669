#include "StepLists.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(Step, DefaultPointGeometry)
{
    TStep s;
    s.FData.Diameter = 10.0;
    s.FData.Depth = 20.0;
    EXPECT_DOUBLE_EQ(s.GetTipHeight(), 2.886751345948129);
    EXPECT_DOUBLE_EQ(s.GetConeDepth(), 17.11324865405187);
}
