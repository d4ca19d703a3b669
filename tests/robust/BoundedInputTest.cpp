// Crafted files must not make a load cost memory, time or messages out of
// proportion to their size: a repeated message is shown a few times and then
// summed up, a load stops at the hole limit, and what a load keeps stays
// within a fixed multiple of the file's size.
#include "core/LargeMemory.h"
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "stream/QuorvaneFiles.h"
#include "testkit/OldBytes400.h"
#include "testkit/OldDesigns.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <string>
#include <vector>

namespace qv {
namespace {

// A current-format file of `holes` empty hole records (start and end tag).
std::string EmptyHoles(int holes)
{
    std::string bytes = test::ReadBytes(test::WriteDesign("empty-holes.mnf", [](TQuorvaneFile&) {}, {.WithEnd = false}));
    const std::string pair = test::Words({10000, 0, 0, 19999, 0, 0});
    bytes.reserve(bytes.size() + pair.size() * size_t(holes) + 6);
    for (int i = 0; i < holes; ++i) bytes += pair;
    return bytes + test::Words({1999, 0, 0});
}

// A 4.20 file of nothing but hole codes with their records.
std::string BareHoleCodes420(int holes)
{
    using namespace samples;
    TByteFile f = Old400File(420, TOld400Header{});
    for (int i = 0; i < holes; ++i) Old400AddTyped(f, 1, Old400HoleRecord({.Number = uint16_t(i + 1)}));
    return f.Bytes();
}

struct TLoad {
    bool Loaded = false;
    int Holes = 0;
    std::vector<std::string> Texts;
};

TLoad LoadBytes(const std::string& bytes, int maxHoles = kMaxHoles)
{
    TManifold m;
    m.MaxHoles = maxHoles;
    TMessageCollector messages;
    TLoad r;
    r.Loaded = m.LoadFromBytes({bytes, "crafted.mnf", 0.0}, false, false);
    r.Holes = m.HoleList().Count();
    r.Texts = messages.Texts();
    return r;
}

TEST(BoundedInput, RepeatedMessageIsSummedUp)
{
    const std::string noDiameters = "No diameters found!";
    const struct { int holes; int shown; const char* summary; } cases[] = {
        {3, 3, nullptr},
        {10, 10, nullptr},
        {11, 10, "\u2026 and 1 more holes without diameters."},
        {250, 10, "\u2026 and 240 more holes without diameters."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.holes) + " holes without steps");
        const TLoad r = LoadBytes(EmptyHoles(c.holes));
        EXPECT_TRUE(r.Loaded);
        EXPECT_EQ(r.Holes, c.holes); // every hole is kept, each with its added step
        int shown = 0;
        for (const std::string& t : r.Texts) shown += t.find(noDiameters) != std::string::npos;
        EXPECT_EQ(shown, c.shown);
        ASSERT_EQ(r.Texts.size(), size_t(c.shown) + (c.summary ? 1 : 0));
        // The first ones are shown as they are, in file order.
        EXPECT_EQ(r.Texts[0].rfind("Error in hole 0: No diameters found!", 0), 0u) << r.Texts[0];
        if (c.summary) {
            EXPECT_EQ(r.Texts.back(), c.summary);
        }
    }
    // Each load counts on its own.
    TManifold m;
    TMessageCollector messages;
    const std::string bytes = EmptyHoles(12);
    m.LoadFromBytes({bytes, "a.mnf", 0.0}, false, false);
    m.LoadFromBytes({bytes, "a.mnf", 0.0}, false, false);
    EXPECT_EQ(messages.Entries().size(), 22u);
}

// The load stops at the hole limit in every generation, keeps the holes read
// and says why the rest is missing.
TEST(BoundedInput, LoadStopsAtTheHoleLimit)
{
    struct TCase { std::string name; std::string bytes; };
    std::vector<TCase> cases = {{"current format", EmptyHoles(40)}, {"4.20 hole codes", BareHoleCodes420(40)}};
    for (const int version : samples::OldVersions())
        cases.push_back({"old sample " + std::to_string(version), samples::OldDesign(version)});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TLoad all = LoadBytes(c.bytes);
        ASSERT_TRUE(all.Loaded);
        ASSERT_GE(all.Holes, 2);
        for (const std::string& t : all.Texts) EXPECT_NE(t, kTooManyHolesWarning);
        const int limit = all.Holes - 1;
        const TLoad cut = LoadBytes(c.bytes, limit);
        EXPECT_TRUE(cut.Loaded);
        EXPECT_EQ(cut.Holes, limit);
        int warnings = 0;
        for (const std::string& t : cut.Texts) {
            warnings += t == kTooManyHolesWarning;
            EXPECT_NE(t, kTruncatedFileWarning); // a limit, not a damaged file
        }
        EXPECT_EQ(warnings, 1);
    }
    // Exactly at the limit nothing is left out.
    const TLoad full = LoadBytes(EmptyHoles(30), 30);
    EXPECT_EQ(full.Holes, 30);
    for (const std::string& t : full.Texts) EXPECT_NE(t, kTooManyHolesWarning);
}

#if defined(__SANITIZE_ADDRESS__)
#define QV_HEAP_COUNTED 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QV_HEAP_COUNTED 0
#endif
#endif
#ifndef QV_HEAP_COUNTED
#define QV_HEAP_COUNTED 1
#endif

// The heap, the allocator's own mappings and the large-page rooms of big
// lists.
size_t HeldMemory()
{
    const auto heap = mallinfo2();
    return heap.uordblks + heap.hblkhd + LargeMemoryInUse();
}

constexpr size_t kLargeBlockSlack = size_t(4) << 20;

// What a loaded document of a crafted file keeps on the heap, as a multiple
// of the file's size. The worst record is the smallest one that makes the
// largest object: an empty hole (12 bytes) gets a hole and a step, about
// 740 bytes together.
TEST(BoundedInput, DocumentStaysWithinItsFileSize)
{
    if (!QV_HEAP_COUNTED) GTEST_SKIP() << "the sanitizer's allocator keeps its own books";
    const struct { const char* name; std::string bytes; double bound; } cases[] = {
        {"empty holes", EmptyHoles(20000), 64.0},
        {"4.20 hole codes", BareHoleCodes420(20000), 64.0},
        {"3.00 zeros", std::string(134 * 5000, '\0'), 64.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TMessageCollector quiet;
        const size_t before = HeldMemory();
        auto m = std::make_unique<TManifold>();
        ASSERT_TRUE(m->LoadFromBytes({c.bytes, "crafted.mnf", 0.0}, false, false));
        const size_t after = HeldMemory();
        // Big lists take whole 2 MiB pages: the last one of each list may be
        // nearly empty, a fixed cost of a few MB whatever the file.
        const double fixed = double(kLargeBlockSlack);
        const double ratio = (double(after - before) - fixed) / double(c.bytes.size());
        RecordProperty(std::string("ratio ") + c.name, std::to_string(ratio));
        EXPECT_LE(ratio, c.bound) << (after - before) << " bytes kept for a file of " << c.bytes.size();
    }
}

} // namespace
} // namespace qv
