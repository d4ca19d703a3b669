// Valves, extra diameters and plugs: the two hole records, the item-number
// queries of a valve list, the order of extra diameters and plugs, the text
// form of integer lists, the plug summary of a hole list and the O-ring test
// that looks at a hole's first valve.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/ExtraDiameterLists.h"
#include "model/HoleLists.h"
#include "model/PlugLists.h"
#include "model/ValveLists.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteValves.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;
using test::Flat;

namespace {

using Strings = std::vector<std::string>;

// Loads a design of one hole (one plain step) whose record ends with extra.
std::unique_ptr<TManifold> LoadHole(const std::string& name, const std::function<void(TQuorvaneFile&)>& extra)
{
    auto r = test::LoadDesign(name, [&](TQuorvaneFile& f) { test::WriteSimpleHole(f, 1, extra); });
    EXPECT_EQ(r.M->HoleList().Count(), 1);
    return std::move(r.M);
}

TValve* AddValve(TValveList& list, const std::string& item, bool engraved, bool contour = false)
{
    TValve* v = list.Add();
    v->fData.ItemNumber = item;
    v->fData.Engraved = engraved;
    v->fData.ContourInAssembly = contour;
    return v;
}

TStep* AddStep(THole& h, double D, const std::string& thread = {}, double outside = 0.0)
{
    TStep* s = h.FStepList.Add();
    s->FData.Diameter = D;
    s->FData.Depth = 10.0;
    if (!thread.empty()) {
        s->FData.Attribute.Include(saThreaded);
        s->FData.Thread = thread;
        s->FData.OutsideDiameter = outside;
    }
    return s;
}

} // namespace

// ------------------------------------------------------------- the records

TEST(ValveRecord, EveryFieldSurvivesARoundTrip)
{
    TValve v1, v2;
    samples::FillSampleValve(v1, 1);
    samples::FillSampleValve(v2, 2);
    TExtraDiameter e1, e2;
    samples::FillSampleExtraDiameter(e1, 1);
    samples::FillSampleExtraDiameter(e2, 2);
    const auto m = LoadHole("valve-all.mnf", [&](TQuorvaneFile& f) {
        samples::WriteExtraDiameter(f, e1);
        samples::WriteValve(f, v1);
        samples::WriteExtraDiameter(f, e2);
        samples::WriteValve(f, v2);
    });
    const THole& h = *m->HoleList().First();
    ASSERT_EQ(h.FValveList.Count(), 2);
    EXPECT_EQ(Flat(*h.FValveList.GetValves(0)), Flat(v1));
    EXPECT_EQ(Flat(*h.FValveList.GetValves(1)), Flat(v2));
    ASSERT_EQ(h.fExtraDiameterList.Count(), 2);
    EXPECT_EQ(Flat(*h.fExtraDiameterList.GetExtraDiameters(0)), Flat(e1));
    EXPECT_EQ(Flat(*h.fExtraDiameterList.GetExtraDiameters(1)), Flat(e2));
    // The hole's own fields and its step are not disturbed by the records.
    EXPECT_EQ(h.FData.FaceNumber, 1);
    EXPECT_EQ(h.FStepList.Count(), 1);
}

TEST(ValveRecord, AbsentFieldsKeepTheirDefaults)
{
    const auto m = LoadHole("valve-bare.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(30000);
        f.WriteVar(39999);
        f.WriteVar(28000);
        f.WriteVar(28999);
        f.WriteVar(28000);
        f.WriteDouble(28010, 12.0);
        f.WriteVar(28999);
    });
    const THole& h = *m->HoleList().First();
    ASSERT_EQ(h.FValveList.Count(), 1);
    const TValveData& v = h.FValveList.First()->fData;
    EXPECT_EQ(v.PelomyraHandle, -1);
    EXPECT_FALSE(v.Engraved);
    EXPECT_FALSE(v.ContourInAssembly);
    EXPECT_EQ(v.Rotation, 0);
    EXPECT_EQ(Flat(v), Flat(TValveData{}));

    ASSERT_EQ(h.fExtraDiameterList.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        const TExtraDiameterData& e = h.fExtraDiameterList.GetExtraDiameters(i)->fData;
        EXPECT_EQ(e.Diameter, i == 0 ? 0.0 : 12.0);
        EXPECT_EQ(e.TopAngle, 180);
        EXPECT_EQ(e.LSValue, 0.0);
        EXPECT_EQ(e.Remark, "SPOTFACE");
        EXPECT_FALSE(e.Hidden);
        EXPECT_TRUE(e.Locked);
        EXPECT_TRUE(e.CounterBore);
    }
}

TEST(ValveRecord, ReadingRules)
{
    struct Row {
        int32_t written;
        uint16_t rotation;
    };
    // The label rotation is a word: only the low 16 bits of the integer count.
    const Row rows[] = {{90, 90}, {65600, 64}, {-1, 65535}, {65536, 0}};
    const auto m = LoadHole("valve-rules.mnf", [&](TQuorvaneFile& f) {
        for (const Row& r : rows) {
            f.WriteVar(30000);
            f.WriteInteger(30050, r.written);
            f.WriteString(30020, "first");
            f.WriteString(30020, "second"); // a repeated scalar keeps the last value
            // An unknown tag whose payload looks like the end tag is passed over whole.
            f.WriteAnsiString(30999, test::Words({39999, 0, 0}));
            f.WriteInteger(30010, 3);
            f.WriteVar(39999);
        }
    });
    const TValveList& valves = m->HoleList().First()->FValveList;
    ASSERT_EQ(valves.Count(), int(std::size(rows)));
    for (int i = 0; i < valves.Count(); ++i) {
        SCOPED_TRACE(rows[i].written);
        EXPECT_EQ(valves.GetValves(i)->fData.Rotation, rows[i].rotation);
        EXPECT_EQ(valves.GetValves(i)->fData.ItemNumber, "second");
        EXPECT_EQ(valves.GetValves(i)->fData.ValveNumber, 3);
    }
}

TEST(ValveRecord, ViewerFileCarriesTheItemNumberAndItsPlacement)
{
    const std::string path = test::WriteDesign(
        "valve-viewer.mvf",
        [](TQuorvaneFile& f) {
            test::WriteSimpleHole(f, 7, [](TQuorvaneFile& g) {
                g.WriteVar(30000);
                g.WriteInteger(30010, 1);
                g.WriteString(30020, "12");
                g.WriteDouble(30031, 4.5);
                g.WriteDouble(30032, -3.0);
                g.WriteInteger(30050, 270);
                g.WriteVar(39999);
            });
        },
        {.Viewer = true});
    TManifold m;
    ASSERT_TRUE(m.LoadFromViewerFile(path));
    ASSERT_EQ(m.HoleList().Count(), 1);
    const TValveList& valves = m.HoleList().First()->FValveList;
    ASSERT_EQ(valves.Count(), 1);
    TValveData expected;
    expected.ValveNumber = 1;
    expected.ItemNumber = "12";
    expected.Offset = {4.5, -3.0};
    expected.Rotation = 270;
    EXPECT_EQ(Flat(valves.First()->fData), Flat(expected));
}

TEST(ValveRecord, ValveCutOffByTheEndOfTheFileKeepsWhatWasRead)
{
    // The file ends in the middle of the payload of 30342.
    const auto r = test::LoadDesign(
        "valve-cut.mnf",
        [](TQuorvaneFile& f) {
            f.WriteVar(10000);
            f.WriteInteger(10010, 5);
            f.WriteVar(20000);
            f.WriteDouble(20100, 10.0);
            f.WriteVar(29999);
            f.WriteVar(30000);
            f.WriteInteger(30010, 2);
            f.WriteString(30020, "A7");
            const std::string header = test::Words({30342, 0, 4});
            f.WriteBytes(header.data(), header.size());
            f.WriteBytes("\x05\x00", 2);
        },
        {.WithEnd = false});
    const TManifold& m = *r.M;
    EXPECT_EQ(r.Texts, Strings{kTruncatedFileWarning});
    ASSERT_EQ(m.HoleList().Count(), 1);
    const TValveList& valves = m.HoleList().First()->FValveList;
    ASSERT_EQ(valves.Count(), 1);
    TValveData expected;
    expected.ValveNumber = 2;
    expected.ItemNumber = "A7";
    EXPECT_EQ(Flat(valves.First()->fData), Flat(expected)); // the handle that was cut keeps -1
}

// ---------------------------------------------------- queries of the list

TEST(ValveList, ItemNumberQueries)
{
    struct Row {
        const char* name;
        std::vector<std::pair<std::string, bool>> valves; // item number, engraved
        bool engraved, hasItems;
        Strings engravedNumbers, itemNumbers;
    };
    const Row rows[] = {
        {"empty", {}, false, false, {}, {}},
        {"one engraved of two", {{"A1", true}, {"B2", false}}, true, true, {"A1"}, {"A1", "B2"}},
        {"none engraved", {{"A1", false}, {"B2", false}}, false, true, {}, {"A1", "B2"}},
        // An engraved valve without a number has nothing to engrave.
        {"engraved without number", {{"", true}, {"C3", false}}, true, true, {}, {"C3"}},
        {"no numbers", {{"", false}}, false, false, {}, {}},
        {"list order", {{"Z9", true}, {"", false}, {"A1", true}}, true, true, {"Z9", "A1"}, {"Z9", "A1"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        TValveList list;
        for (const auto& [item, engraved] : r.valves) AddValve(list, item, engraved);
        EXPECT_EQ(list.GetIsEngraved(), r.engraved);
        EXPECT_EQ(list.GetHasItemNumbers(), r.hasItems);
        EXPECT_EQ(list.CreateListEngravedNumbers(), r.engravedNumbers);
        EXPECT_EQ(list.CreateListItemNumbers(), r.itemNumbers);
        // The populate forms fill a given list with the same lines.
        Strings given{"old"};
        list.PopulateListEngravedNumbers(given);
        EXPECT_EQ(given, r.engravedNumbers);
        list.PopulateListItemNumbers(given);
        EXPECT_EQ(given, r.itemNumbers);
    }
}

TEST(ValveList, ContourInAssemblyFollowsTheFirstValve)
{
    TValveList list;
    EXPECT_TRUE(list.GetContourInAssembly());
    AddValve(list, "A", false, false);
    AddValve(list, "B", false, true);
    EXPECT_FALSE(list.GetContourInAssembly());
    list.Exchange(0, 1);
    EXPECT_TRUE(list.GetContourInAssembly());
}

TEST(ValveList, AssignCopiesDeeply)
{
    TValveList source;
    samples::FillSampleValve(*source.Add(), 1);
    samples::FillSampleValve(*source.Add(), 2);
    TValveList copy;
    AddValve(copy, "gone", true);
    copy.Assign(source);
    EXPECT_EQ(Flat(copy), Flat(source));
    source.First()->fData.ItemNumber = "changed";
    EXPECT_EQ(copy.First()->fData.ItemNumber, "V1");
}

// -------------------------------------------------------------- ordering

// Both lists sort with the same exchange scheme: position p is swapped with
// every later q whose value is smaller. It is not stable: of two equal
// values in front of a smaller one, the second ends up first.
TEST(ExtraDiameterList, SortByLSValueWithTheExchangeScheme)
{
    struct Row {
        std::vector<std::pair<double, std::string>> in;
        Strings order;
    };
    const Row rows[] = {
        {{{2.0, "a"}, {2.0, "b"}, {1.0, "c"}}, {"c", "b", "a"}},
        {{{3.0, "a"}, {1.0, "b"}, {2.0, "c"}, {1.0, "d"}}, {"b", "d", "c", "a"}},
        {{{-1.0, "a"}, {0.0, "b"}}, {"a", "b"}},
        {{{5.0, "a"}}, {"a"}},
        {{}, {}},
    };
    for (const Row& r : rows) {
        TExtraDiameterList list;
        for (const auto& [ls, name] : r.in) {
            TExtraDiameter* e = list.Add();
            e->fData.LSValue = ls;
            e->fData.Remark = name;
        }
        list.Sort();
        Strings order;
        for (const auto& e : list) order.push_back(e->fData.Remark);
        EXPECT_EQ(order, r.order);
    }
}

TEST(PlugList, SortByOutsideDiameterWithTheExchangeScheme)
{
    TPlugList list;
    for (auto [d, t] : {std::pair{16.0, "a"}, {16.0, "b"}, {8.0, "c"}, {8.0, "d"}}) {
        TPlug* p = list.Add();
        p->fData.OutsideDiameter = d;
        p->fData.ThreadOfPlug = t;
    }
    list.Sort();
    Strings order;
    for (const auto& p : list) order.push_back(p->fData.ThreadOfPlug);
    EXPECT_EQ(order, (Strings{"c", "d", "a", "b"}));
}

TEST(PlugList, IndexOfIgnoresLetterCaseAndTakesTheLastMatch)
{
    TPlugList list;
    for (const char* t : {"M10x1", "G1/4", "m10X1"}) list.Add()->fData.ThreadOfPlug = t;
    EXPECT_EQ(list.IndexOf("M10X1"), 2);
    EXPECT_EQ(list.IndexOf("g1/4"), 1);
    EXPECT_EQ(list.IndexOf("M10"), -1);
    EXPECT_EQ(list.IndexOf(""), -1);
}

// ------------------------------------------------------------ integer list

TEST(IntegerList, TextForm)
{
    struct Row {
        const char* text;
        std::vector<int32_t> numbers;
        const char* back;
    };
    const Row rows[] = {
        {"", {}, ""},
        {"7", {7}, "7"},
        {"1;x;3", {1, 3}, "1;3"},
        {"-4;+5;0", {-4, 5, 0}, "-4;5;0"},
        {";;2;", {2}, "2"},
        {"2147483647;2147483648;-2147483648", {2147483647, -2147483647 - 1}, "2147483647;-2147483648"},
        {"1.5;2e3;0x10; 4;4 ;+-5", {}, ""},
        {"3;3;1", {3, 3, 1}, "3;3;1"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        TIntegerList list;
        list.Add(99); // setting the text replaces what was there
        list.SetAsString(r.text);
        EXPECT_EQ(list.fItems, r.numbers);
        EXPECT_EQ(list.GetAsString(), r.back);
    }
}

// ------------------------------------------------------------ plug summary

TEST(PlugSummary, GroupsPluggedHolesByThread)
{
    THoleList holes;
    auto hole = [&](int number, bool plugged) {
        THole* h = holes.Add();
        h->FData.HoleNumber = number;
        if (plugged) h->FData.Attribute.Include(haPlugged);
        return h;
    };
    // Two threads: the one nearest the face (the last step) holds the plug.
    THole* h = hole(1, true);
    AddStep(*h, 8.5, "M10x1", 10.0);
    AddStep(*h, 11.445, "G1/4", 13.157);
    AddStep(*h, 20.0); // a plain spot face above the thread
    // The same thread in other letters takes the same plug.
    AddStep(*hole(2, true), 11.445, "g1/4", 13.157);
    // Not plugged: no plug, whatever its thread.
    AddStep(*hole(3, false), 6.8, "M8x1", 8.0);
    // No thread: a pressed-in plug named by the remark of the deepest step,
    // put after every threaded plug.
    h = hole(4, true);
    AddStep(*h, 6.0)->FData.Remark = "'P' BALL 6";
    AddStep(*h, 9.0);
    AddStep(*hole(5, true), 6.8, "M8x1", 8.0);
    hole(6, true); // no steps at all: nothing says what plug it takes
    AddStep(*hole(7, true), 6.8, "M8X1", 8.0);

    const auto plugs = holes.CreatePlugList();
    ASSERT_EQ(plugs->Count(), 3);
    struct Expected {
        const char* thread;
        double diameter;
        const char* holes;
    };
    const Expected expected[] = {{"M8x1", 8.0, "5;7"}, {"G1/4", 13.157, "1;2"}, {"BALL 6", 6000.0, "4"}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const TPlug& p = *plugs->GetPlugs(i);
        EXPECT_EQ(p.fData.ThreadOfPlug, expected[i].thread);
        EXPECT_DOUBLE_EQ(p.fData.OutsideDiameter, expected[i].diameter);
        EXPECT_EQ(p.fHoleNumberList.GetAsString(), expected[i].holes);
    }
    EXPECT_EQ(THoleList().CreatePlugList()->Count(), 0);
}

TEST(PlugSummary, UnthreadedPlugDiameterUsesTheLargestDiameterOfTheDeepestStep)
{
    THoleList holes;
    THole* h = holes.Add();
    h->FData.HoleNumber = 3;
    h->FData.Attribute.Include(haPlugged);
    AddStep(*h, 5.0)->FData.Remark = "\"EXP\" expander 5"; // the name in double quotes is not the text
    const auto plugs = holes.CreatePlugList();
    ASSERT_EQ(plugs->Count(), 1);
    EXPECT_EQ(plugs->First()->fData.ThreadOfPlug, "expander 5");
    EXPECT_DOUBLE_EQ(plugs->First()->fData.OutsideDiameter, 5000.0);
}

// ------------------------------------------------------- O-ring from valve

TEST(SimpleORing, FirstValveDetailDrawing)
{
    struct Row {
        const char* name;
        bool spotfaced;
        std::string description;
        Strings drawings; // detail drawing of each valve
        bool expected;
    };
    const Row rows[] = {
        {"drawing OR", true, "", {"OR-2-015"}, true},
        {"lower case", true, "", {"or 12x2"}, true},
        {"OR inside only", true, "", {"SEAL-OR"}, false},
        {"only the first valve counts", true, "", {"CAV-08", "OR-2-015"}, false},
        {"first of two", true, "", {"OR-2-015", "CAV-08"}, true},
        {"no valve", true, "", {}, false},
        {"last step not spot-faced", false, "", {"OR-2-015"}, false},
        {"description alone", true, "face o-ring groove", {}, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        THole h;
        h.FData.Properties.Description = r.description;
        AddStep(h, 10.0);
        TStep* top = AddStep(h, 20.0);
        if (r.spotfaced) top->FData.Attribute.Include(saSpotfaced);
        for (const auto& d : r.drawings) h.FValveList.Add()->fData.DetailDrawing = d;
        EXPECT_EQ(h.GetIsSimpleORing(), r.expected);
    }
}
