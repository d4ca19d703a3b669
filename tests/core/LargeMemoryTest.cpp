// The byte buffer a file is read into: grown piece by piece (a pipe), from
// heap room into large pages, it holds exactly what was appended; moved, it
// leaves an empty buffer behind.
#include "core/LargeMemory.h"

#include <gtest/gtest.h>

#include <string>

namespace qv {
namespace {

TEST(ByteBuffer, AppendAcrossTheLargeRoomKeepsEveryByte)
{
    TByteBuffer b;
    std::string expected;
    // Pieces of odd sizes, so that the room doubles several times and crosses
    // from the heap into large pages.
    for (int i = 0; expected.size() < 3 * kLargeMemoryMinimum; ++i) {
        std::string piece(size_t(1000 + i * 37 % 5000), char('a' + i % 26));
        b.Append(piece.data(), piece.size());
        expected += piece;
    }
    ASSERT_EQ(b.size(), expected.size());
    EXPECT_TRUE(b.View() == expected);

    TByteBuffer moved(std::move(b));
    EXPECT_TRUE(b.empty());
    EXPECT_TRUE(moved.View() == expected);
    moved.Shrink(10);
    EXPECT_EQ(moved.View(), expected.substr(0, 10));
    moved.Shrink(20); // never grows
    EXPECT_EQ(moved.size(), 10u);
}

TEST(ByteBuffer, ResetGivesRoomOfTheAskedSizeSmallOrLarge)
{
    for (const size_t size : {size_t(2), size_t(4096), kLargeMemoryMinimum, 5 * kLargeMemoryMinimum + 3}) {
        TByteBuffer b;
        b.Reset(size);
        ASSERT_EQ(b.size(), size);
        b.data()[0] = 'x';
        b.data()[size - 1] = 'y';
        EXPECT_EQ(b.View().back(), 'y');
        b.Append("z", 1); // grows past its exact room
        EXPECT_EQ(b.size(), size + 1);
        EXPECT_EQ(b.View().front(), 'x');
        EXPECT_EQ(b.View().back(), 'z');
        b.Clear();
        EXPECT_TRUE(b.empty());
    }
}

} // namespace
} // namespace qv
