// Groups: the group record of a file, looking groups up by code without
// regard to letter case in any script, colours, merging and sorting.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/GroupLists.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteGroups.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;

namespace {

TGroup MakeGroup(const std::string& code, TColor color)
{
    TGroup g;
    g.FData.Code = code;
    g.FData.Color = color;
    return g;
}

void AddGroups(TGroupList& l, const std::vector<std::string>& codes)
{
    TColor c = 1;
    for (const auto& code : codes) l.Add()->Assign(MakeGroup(code, c++));
}

std::vector<std::string> Codes(const TGroupList& l)
{
    std::vector<std::string> out;
    for (const auto& g : l) out.push_back(g->FData.Code);
    return out;
}

} // namespace

// ---------------------------------------------------------- group record

TEST(GroupRecord, EveryFieldRoundTripsInFileOrder)
{
    TGroup first;
    samples::FillSampleGroup(first);
    TGroup second = MakeGroup("Tank", 0x00FF0000);
    second.FData.Fill = 200;
    second.FData.Flow = 12.5;
    second.FData.MaxSpeed = 2.0;

    const auto r = test::LoadDesign("groups-all.mnf", [&](TQuorvaneFile& f) {
        samples::WriteGroup(f, first);
        samples::WriteGroup(f, second);
    });
    EXPECT_TRUE(r.Texts.empty());
    ASSERT_EQ(r.M->GroupList().Count(), 2);
    EXPECT_EQ(test::Flat(*r.M->GroupList().First()), test::Flat(first));
    EXPECT_EQ(test::Flat(*r.M->GroupList().Last()), test::Flat(second));
}

TEST(GroupRecord, AbsentFieldsKeepTheirDefaults)
{
    const auto r = test::LoadDesign("groups-min.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(5000);
        f.WriteVar(5999);
        f.WriteVar(5000); // code and colour only
        f.WriteString(5100, "P");
        f.WriteInteger(5200, 255);
        f.WriteVar(5999);
    });
    ASSERT_EQ(r.M->GroupList().Count(), 2);
    EXPECT_EQ(test::Flat(*r.M->GroupList().First()), test::Flat(TGroup{}));
    EXPECT_EQ(test::Flat(*r.M->GroupList().Last()), test::Flat(MakeGroup("P", 255)));
}

TEST(GroupRecord, FillKeepsTheLowByteRepeatsKeepTheLastValueUnknownTagsSkipped)
{
    const auto r = test::LoadDesign("groups-odd.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(5000);
        f.WriteString(5100, "A");
        f.WriteString(5100, "B");
        f.WriteInteger(5300, 0x1234);
        f.WriteDouble(5150, 99.0);      // unknown to this reader
        f.WriteInteger(5200, -16777216); // stored as read
        f.WriteVar(5999);
        f.WriteVar(5000);
        f.WriteInteger(5300, -1);
        f.WriteVar(5999);
    });
    ASSERT_EQ(r.M->GroupList().Count(), 2);
    const TGroupData& d = r.M->GroupList().First()->FData;
    EXPECT_EQ(d.Code, "B");
    EXPECT_EQ(d.Fill, 0x34);
    EXPECT_EQ(d.Color, -16777216);
    EXPECT_EQ(d.Flow, 0.0);
    EXPECT_EQ(r.M->GroupList().Last()->FData.Fill, 0xFF);
}

TEST(GroupRecord, GroupCutOffByTheEndOfTheFileKeepsWhatWasRead)
{
    const auto r = test::LoadDesign(
        "groups-cut.mnf",
        [](TQuorvaneFile& f) {
            f.WriteVar(5000);
            f.WriteString(5100, "P");
            f.WriteInteger(5200, 42);
        },
        {.WithEnd = false});
    ASSERT_EQ(r.M->GroupList().Count(), 1);
    EXPECT_EQ(test::Flat(*r.M->GroupList().First()), test::Flat(MakeGroup("P", 42)));
    EXPECT_EQ(r.Texts, std::vector<std::string>{kTruncatedFileWarning});
}

// ------------------------------------------------------------ group list

TEST(GroupList, IndexOfAndColorOfIgnoreLetterCase)
{
    TGroupList l;
    l.Add()->Assign(MakeGroup("P", 10));
    l.Add()->Assign(MakeGroup("Ölpumpe", 20));
    l.Add()->Assign(MakeGroup("p", 30)); // a second spelling: the first one wins
    l.Add()->Assign(MakeGroup("", 40));

    struct Row {
        const char* code;
        int index;
        TColor color;
    };
    const Row rows[] = {
        {"P", 0, 10}, {"p", 0, 10}, {"ÖLPUMPE", 1, 20}, {"ölpumpe", 1, 20},
        {"", 3, 40},  {"T", -1, -5}, {"Ölpump", -1, -5}, {"Ölpumpe ", -1, -5},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.code);
        EXPECT_EQ(l.IndexOf(r.code), r.index);
        EXPECT_EQ(l.ColorOf(r.code, -5), r.color);
    }
    // Without a group of empty code, the empty code finds nothing.
    l.Delete(3);
    EXPECT_EQ(l.IndexOf(""), -1);
    EXPECT_EQ(l.IndexOf(l.GetGroups(1)), 1); // by identity still works
}

TEST(GroupList, AppendAddsCopiesOfNewCodesOnly)
{
    TGroupList a;
    AddGroups(a, {"P", "T"});
    TGroupList b;
    b.Add()->Assign(MakeGroup("t", 77));   // already in a, other case
    b.Add()->Assign(MakeGroup("LS", 88));
    b.Add()->Assign(MakeGroup("Öl", 99));
    b.Add()->Assign(MakeGroup("ls", 66));  // twice in b: added once

    a.Append(b);
    EXPECT_EQ(Codes(a), (std::vector<std::string>{"P", "T", "LS", "Öl"}));
    EXPECT_EQ(a.GetGroups(1)->FData.Color, 2); // the existing T is untouched
    EXPECT_EQ(a.GetGroups(2)->FData.Color, 88);
    EXPECT_NE(a.GetGroups(2), b.GetGroups(1));
    b.GetGroups(1)->FData.Color = 0;
    EXPECT_EQ(a.GetGroups(2)->FData.Color, 88);

    a.Append(a);
    EXPECT_EQ(a.Count(), 4);
}

TEST(GroupList, SortByCodeIgnoringCase)
{
    struct Row {
        std::vector<std::string> in, out;
    };
    const Row rows[] = {
        {{}, {}},
        {{"T"}, {"T"}},
        {{"t", "P", "a", "Ölpumpe", "B"}, {"a", "B", "P", "t", "Ölpumpe"}},
        {{"P3", "p1", "P2", "", "p10"}, {"", "p1", "p10", "P2", "P3"}},
        {{"Z", "Y", "X", "W"}, {"W", "X", "Y", "Z"}},
    };
    for (const Row& r : rows) {
        TGroupList l;
        AddGroups(l, r.in);
        l.Sort();
        EXPECT_EQ(Codes(l), r.out);
    }
    // The groups move whole, colour with code.
    TGroupList l;
    AddGroups(l, {"T", "P"});
    l.Sort();
    EXPECT_EQ(l.ColorOf("T", 0), 1);
    EXPECT_EQ(l.GetGroups(0)->FData.Color, 2);
}
