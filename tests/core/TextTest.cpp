// The text helpers: trimming, ASCII case, and number texts as settings files
// and dimension labels hold them.
#include "core/Text.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(IniNumbers, TextToNumberTable)
{
    struct IntCase { const char* text; bool ok; int32_t value; };
    const IntCase ints[] = {
        {"42", true, 42},       {"  -7 ", true, -7},       {"+5", true, 5},
        {"$FF", true, 255},     {"0x10", true, 16},        {"$FFFFFFFF", true, -1},
        {"2147483648", false, 0}, {"$123456789", false, 0}, {"1.5", false, 0},
        {"", false, 0},         {"--1", false, 0},         {"12abc", false, 0},
    };
    for (const auto& c : ints) {
        int32_t v = 0;
        EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    struct FloatCase { const char* text; bool ok; double value; };
    const FloatCase floats[] = {
        {"0.6", true, 0.6}, {" -0.8 ", true, -0.8}, {"1E20", true, 1e20}, {"+2", true, 2},
        {"0,6", false, 0},  {"nan", false, 0},      {"inf", false, 0},    {"", false, 0}, {"1.2.3", false, 0},
    };
    for (const auto& c : floats) {
        double v = 0;
        EXPECT_EQ(TryStrToFloat(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
    EXPECT_EQ(FloatToStr(0.6), "0.6");
    EXPECT_EQ(FloatToStr(-0.8), "-0.8");
    EXPECT_EQ(FloatToStr(10), "10");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3"); // 15 digits hide the binary rest
}

TEST(TextHelpers, TrimCaseAndFixedDecimals)
{
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(TrimRightBlanks("  PLUG   "), "  PLUG");
    EXPECT_EQ(AsciiUpper("plug-ö"), "PLUG-ö"); // only ASCII letters change
    EXPECT_TRUE(AsciiSameText("Vlak", "VLAK"));
    EXPECT_FALSE(AsciiSameText("Vlak", "VLAK "));

    struct Row { double value; int decimals; const char* text; };
    const Row rows[] = {
        {300.0, 2, "300.00"}, {0.125, 2, "0.12"}, {-1.5, 0, "-2"}, {12.7, 1, "12.7"},
        {1.0, -3, "1"},       // negative decimals count as none
        {1.0, 40, "1.000000000000000000"}, // at most 18
    };
    for (const Row& r : rows) EXPECT_EQ(FixedText(r.value, r.decimals), r.text) << r.value << " " << r.decimals;
    // The widest double still fits: the sign, 309 digits, the point and two decimals.
    const std::string huge = FixedText(-1.7976931348623157e308, 2);
    EXPECT_EQ(huge.size(), 1u + 309u + 3u);
    EXPECT_EQ(huge.substr(0, 6), "-17976");
    EXPECT_EQ(huge.substr(huge.size() - 3), ".00");
}
