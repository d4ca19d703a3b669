#include "core/RareText.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace qv {
namespace {

std::string TextOf(int i) { return "thread name number " + std::to_string(i); }

// Texts come and go in waves, as designs are loaded and closed: every text
// keeps its own content while boxes are given back and handed out again,
// copies and moves included.
TEST(RareText, KeepsEachTextThroughWavesOfReuse)
{
    for (int wave = 0; wave < 3; ++wave) {
        std::vector<TRareText> texts(20000);
        for (int i = 0; i < int(texts.size()); ++i)
            if (i % 3 != 0) texts[i] = TextOf(i + wave);
        for (int i = 0; i < int(texts.size()); i += 7) texts[i].clear();
        std::vector<TRareText> copies(texts.begin(), texts.end());
        for (int i = 0; i < int(texts.size()); i += 2) texts[i] = "M16x1.5";
        TRareText moved = std::move(copies[1]);
        EXPECT_TRUE(copies[1].empty());
        EXPECT_EQ(moved, TextOf(1 + wave));
        for (int i = 2; i < int(copies.size()); ++i) {
            const bool empty = i % 3 == 0 || i % 7 == 0;
            ASSERT_EQ(copies[i].empty(), empty) << i;
            if (!empty) ASSERT_EQ(copies[i].str(), TextOf(i + wave)) << i;
            ASSERT_EQ(texts[i].str(), i % 2 == 0 ? std::string("M16x1.5") : copies[i].str()) << i;
        }
    }
}

// A text made on one thread may be dropped on another (a design loaded in
// the background and closed by the window).
TEST(RareText, TextsMayDieOnAnotherThread)
{
    std::vector<TRareText> texts;
    std::thread maker([&] {
        for (int i = 0; i < 5000; ++i) texts.emplace_back(TextOf(i));
    });
    maker.join();
    for (int i = 0; i < 5000; ++i) ASSERT_EQ(texts[i].str(), TextOf(i));
    texts.clear();
    std::vector<TRareText> again;
    for (int i = 0; i < 5000; ++i) again.emplace_back(TextOf(-i));
    for (int i = 0; i < 5000; ++i) ASSERT_EQ(again[i].str(), TextOf(-i));
}

} // namespace
} // namespace qv
