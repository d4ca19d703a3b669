// The owned list keeps its own array of item pointers; every reordering
// operation is checked against the same operations on a plain vector. The
// steps of a hole list share the list's pool: holes replaced, deleted and
// copied keep their own steps.
#include "model/HoleLists.h"
#include "testkit/Flatten.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

std::vector<int> Numbers(const TStepList& l)
{
    std::vector<int> out;
    for (const TStep* s : l) out.push_back(s->FData.StepNumber);
    return out;
}

TEST(OwnedList, ReorderingMatchesAVector)
{
    TStepList l;
    std::vector<int> expected;
    auto insert = [&](int at, int number) {
        l.Insert(at)->FData.StepNumber = number;
        expected.insert(expected.begin() + std::clamp(at, 0, int(expected.size())), number);
    };
    for (int i = 0; i < 9; ++i) insert(i % 2 ? 0 : 99, i); // at the front, at the end (clamped)
    insert(4, 100);
    EXPECT_EQ(Numbers(l), expected);

    const struct { int from, to; } moves[] = {{0, 9}, {9, 0}, {3, 5}, {5, 3}, {4, 4}};
    for (const auto& m : moves) {
        l.Move(m.from, m.to);
        const int v = expected[size_t(m.from)];
        expected.erase(expected.begin() + m.from);
        expected.insert(expected.begin() + m.to, v);
        EXPECT_EQ(Numbers(l), expected) << "move " << m.from << " to " << m.to;
    }
    l.Exchange(1, 8);
    std::swap(expected[1], expected[8]);
    l.Delete(0);
    l.Delete(l.Count() - 1);
    l.Delete(42); // out of range: nothing happens
    expected.erase(expected.begin());
    expected.pop_back();
    EXPECT_EQ(Numbers(l), expected);
    EXPECT_EQ(l.First()->FData.StepNumber, expected.front());
    EXPECT_EQ(l.Last()->FData.StepNumber, expected.back());
    EXPECT_THROW(l.Items(l.Count()), std::out_of_range);
    EXPECT_THROW(l.Items(-1), std::out_of_range);
    EXPECT_THROW(l.Move(0, l.Count()), std::out_of_range);
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(l.First(), nullptr);
    l.Add()->FData.StepNumber = 7; // usable again after Clear
    EXPECT_EQ(Numbers(l), std::vector<int>{7});
}

TEST(OwnedList, StepsOfAHoleListShareItsPool)
{
    auto fill = [](THole& h, int first, int n) {
        for (int i = 0; i < n; ++i) {
            TStep& s = *h.FStepList.Add();
            s.FData.StepNumber = first + i;
            s.FData.Remark = "a remark long enough to live on the heap " + std::to_string(first + i);
            s.FData.Thread = "M" + std::to_string(first + i);
        }
    };
    THoleList holes;
    for (int h = 0; h < 300; ++h) fill(*holes.Add(), h * 10, h % 7);
    fill(*holes.Insert(0), 5000, 3);
    holes.Delete(10);
    holes[5]->Clear();
    fill(*holes[5], 6000, 2);
    holes[6]->Assign(*holes[0]);

    THoleList copy;
    copy.Assign(holes);
    holes.Clear();
    fill(*holes.Add(), 7000, 1); // the cleared list takes new steps again

    ASSERT_EQ(copy.Count(), 300);
    EXPECT_EQ(Numbers(copy[0]->FStepList), (std::vector<int>{5000, 5001, 5002}));
    EXPECT_EQ(Numbers(copy[5]->FStepList), (std::vector<int>{6000, 6001}));
    EXPECT_EQ(Numbers(copy[6]->FStepList), (std::vector<int>{5000, 5001, 5002}));
    EXPECT_EQ(Numbers(copy[10]->FStepList), (std::vector<int>{100, 101, 102})); // hole 9 was deleted
    EXPECT_EQ(Numbers(copy[11]->FStepList), (std::vector<int>{110, 111, 112, 113}));
    EXPECT_EQ(copy[11]->FStepList[3]->FData.Thread, "M113");
    EXPECT_EQ(copy[11]->FStepList[3]->FData.Remark, "a remark long enough to live on the heap 113");
    EXPECT_EQ(Numbers(holes[0]->FStepList), std::vector<int>{7000});

    // A hole copied out of the list owns its steps.
    std::unique_ptr<THole> alone = copy[0]->Clone();
    copy.Clear();
    EXPECT_EQ(Numbers(alone->FStepList), (std::vector<int>{5000, 5001, 5002}));
}

// A list of thousands of holes and their steps grows into blocks of large
// pages; cleared and filled again it reuses that room, and every new item
// starts with its defaults, whatever the room held before.
TEST(OwnedList, LargeListsKeepEveryItemAndStartNewOnesCleared)
{
    THoleList holes;
    auto fill = [&](int n) {
        for (int h = 0; h < n; ++h) {
            THole& hole = *holes.Add();
            hole.FData.HoleNumber = h + 1;
            for (int i = 0; i < 3; ++i) {
                TStep& s = *hole.FStepList.Add();
                s.FData.StepNumber = h * 3 + i;
                s.FData.Diameter = 1.5 * i;
            }
        }
    };
    const int n = 8000; // beyond a megabyte of holes and of steps
    fill(n);
    for (int h = 0; h < n; h += 997) {
        ASSERT_EQ(holes[h]->FData.HoleNumber, h + 1);
        EXPECT_EQ(Numbers(holes[h]->FStepList), (std::vector<int>{h * 3, h * 3 + 1, h * 3 + 2}));
    }
    holes.Clear();

    // The room now holds what the holes and steps above left there.
    for (int h = 0; h < n; ++h) {
        THole& hole = *holes.Add();
        const TStep& fresh = *hole.FStepList.Add();
        if (h % 1999 != 0) continue;
        EXPECT_EQ(test::Flat(fresh), test::Flat(TStep())) << "step of hole " << h;
        THole expected;
        expected.FStepList.Add();
        EXPECT_EQ(test::Flat(hole), test::Flat(expected)) << "hole " << h;
    }
}

TEST(RareText, EmptyTextHoldsNothing)
{
    static_assert(sizeof(TRareText) == sizeof(void*));
    TRareText t;
    EXPECT_TRUE(t.empty());
    EXPECT_EQ(t.str(), "");
    t = "G1/4";
    TRareText copy = t;
    t = std::string();
    EXPECT_TRUE(t.empty());
    EXPECT_EQ(t, "");
    EXPECT_EQ(copy, "G1/4");
    EXPECT_EQ(copy.size(), 4u);
    const std::string& asString = copy;
    EXPECT_EQ(asString, "G1/4");
    EXPECT_EQ(copy + "x", "G1/4x");
    EXPECT_EQ(copy, std::string("G1/4"));
    TRareText moved = std::move(copy);
    EXPECT_EQ(moved, "G1/4");
}

} // namespace
} // namespace qv
