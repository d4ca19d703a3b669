#include "QuorvaneFiles.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(QuorvaneFile, ViewerHeaderIsFortyBytes)
{
    const std::string path = test::TempPath("header.mvf");
    {
        TQuorvaneFile f(path, TQuorvaneFile::ModeWrite, true);
        ASSERT_TRUE(f.WriteFileVersion());
    }
    const std::string expected = std::string("Quorvane7.00\r\nQuorvane View         \r\n") + '\0' + '\x1a';
    ASSERT_EQ(expected.size(), 40u);
    EXPECT_EQ(test::ReadBytes(path), expected);
}
