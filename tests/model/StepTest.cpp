// Diameter steps and the bore geometry derived from them: drill points, cone
// depths, cylinders and shoulders, threads, O-ring grooves, undercuts, remark
// names and the ports of cartridge cavities; and the step record of a file.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/StepLists.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/FieldTable.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;

namespace {

// Point factors: the depth a drill point gains per unit of radius.
constexpr double k120 = 0.5773502691896257;
constexpr double k118 = 0.6008606190275604;

struct StepShape {
    double D = 0.0;
    double d = 0.0;
    int a = 120;
    double OD = 0.0;
    double L = 0.0;
    bool threaded = false;
    bool spot = false;
};

// Index 0 is the deepest step, as in a hole.
void Fill(TStepList& list, const std::vector<StepShape>& shapes)
{
    list.Clear();
    for (const StepShape& s : shapes) {
        auto& d = list.Add()->FData;
        d.Diameter = s.D;
        d.Depth = s.d;
        d.TopAngle = s.a;
        d.OutsideDiameter = s.OD;
        d.Length = s.L;
        if (s.threaded) d.Attribute.Include(saThreaded);
        if (s.spot) d.Attribute.Include(saSpotfaced);
    }
}

} // namespace

// ------------------------------------------------------------ single step

TEST(Step, DefaultsOfANewStep)
{
    const TStep s;
    EXPECT_EQ(s.FData.TopAngle, 120);
    EXPECT_EQ(s.FData.PortName, "<>");
    EXPECT_TRUE(s.FData.Attribute.Empty());
    EXPECT_EQ(s.FData.Diameter, 0.0);
    EXPECT_FALSE(s.FData.Selected);
}

TEST(Step, TipHeightAndConeDepth)
{
    struct Row { double D, d; int a; double tip, cone; };
    const Row rows[] = {
        {10, 20, 120, 2.886751345948129, 17.11324865405187},
        {10, 20, 180, 0.0, 20.0},                 // flat bottom: the cone depth is the depth
        {10, 20, 90, 5.0, 15.0},
        {10, 1, 120, 2.886751345948129, -1.886751345948129}, // shallower than the point: negative
        {10, 0, 120, 2.886751345948129, 0.0},     // no depth: no cone depth whatever the diameter
        {10, 1e-13, 120, 2.886751345948129, 0.0}, // tolerantly zero
        {10, -4, 120, 2.886751345948129, 0.0},
        {0, 7, 120, 0.0, 7.0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "D " << r.D << " d " << r.d << " a " << r.a);
        TStep s;
        s.FData.Diameter = r.D;
        s.FData.Depth = r.d;
        s.FData.TopAngle = r.a;
        EXPECT_NEAR(s.GetTipHeight(), r.tip, 1e-12);
        EXPECT_NEAR(s.GetConeDepth(), r.cone, 1e-12);
        EXPECT_NEAR(s.GetDepth(false), r.cone, 1e-12);
        EXPECT_EQ(s.GetDepth(true), r.d);
        EXPECT_EQ(s.GetRadius(), 0.5 * r.D);
    }
}

TEST(Step, SetConeDepthKeepsThePointAndIgnoresNegativeValues)
{
    struct Row { double x, depth; };
    const Row rows[] = {
        {-0.5, 20.0},                       // below zero: unchanged
        {10.0, 10.0 + 2.886751345948129},
        {0.0, 2.886751345948129},
        {-1e-13, -1e-13 + 2.886751345948129}, // tolerantly zero is not below zero
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.x);
        TStep s;
        s.FData.Diameter = 10.0;
        s.FData.Depth = 20.0;
        s.SetConeDepth(r.x);
        EXPECT_NEAR(s.FData.Depth, r.depth, 1e-12);
        if (r.x > 0) {
            EXPECT_NEAR(s.GetConeDepth(), r.x, 1e-12);
        }
    }
}

TEST(Step, MaxDiamIsTheThreadOutsideDiameterOnlyWhenThreadedAndWider)
{
    struct Row { bool threaded; double D, OD, expected; };
    const Row rows[] = {{true, 10.2, 12, 12}, {false, 10.2, 12, 10.2}, {true, 12, 10, 12}};
    for (const Row& r : rows) {
        TStep s;
        s.FData.Diameter = r.D;
        s.FData.OutsideDiameter = r.OD;
        if (r.threaded) s.FData.Attribute.Include(saThreaded);
        EXPECT_EQ(s.GetMaxDiam(), r.expected) << r.threaded << " " << r.D << " " << r.OD;
    }
}

TEST(Step, LockedForEditWhenHiddenOrLocked)
{
    TStep s;
    EXPECT_FALSE(s.GetIsLockedForEdit());
    s.FData.Attribute.Include(saHidden);
    EXPECT_TRUE(s.GetIsLockedForEdit());
    s.FData.Attribute = TStepAttributes{saLocked};
    EXPECT_TRUE(s.GetIsLockedForEdit());
}

// ---------------------------------------------------- remark name and text

TEST(StepRemark, NameTextAndPortTextPerRemark)
{
    // idx0: the name (double quotes kept, single quotes dropped), idx1: the
    // text after the name, idx2: the raw double-quoted name, print: the
    // remark with the group placeholder filled in.
    struct Row { std::string remark, group, idx0, idx1, idx2, print; };
    const Row rows[] = {
        {R"("P1" pressure <>)", "A", R"("P1")", "pressure A", R"("P1")", R"("P1" pressure A)"},
        {"'T'", "", "T", "", "", "'T'"},
        {R"("<>x" rest)", "B", R"("Bx")", "rest", R"("<>x")", R"("Bx" rest)"},
        {"'P<>'   text <>", "B", "PB", "text B", "", "'PB'   text B"},
        {"plain <> text", "A", "", "plain A text", "", "plain A text"},
        {"plain <> text", "", "", "plain <> text", "", "plain <> text"},
        {"<><>", "X", "", "XX", "", "XX"},
        {R"("A" 'b' c)", "", R"("A")", "'b' c", R"("A")", R"("A" 'b' c)"}, // double quotes first
        {R"(Tap 1/2" or 3/4" NPT)", "", "", "NPT", "", R"(Tap 1/2" or 3/4" NPT)"},
        // A name whose closing quote is missing runs to the end: no text left.
        {R"("P1 pressure)", "", R"("P1 pressure)", "", R"("P1 pressure)", R"("P1 pressure)"},
        {"'P1 pressure", "", "P1 pressure", "", "", "'P1 pressure"},
        // A lone quote inside the remark is an inch mark, not a name.
        {R"(Tap 1/2" NPT)", "", "", R"(Tap 1/2" NPT)", "", R"(Tap 1/2" NPT)"},
        {R"('A' 1/2" tap)", "", "A", R"(1/2" tap)", "", R"('A' 1/2" tap)"},
        {R"( "P1" x)", "", "", "x", "", R"( "P1" x)"}, // a name must open the remark
        {"", "A", "", "", "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE("remark [" + r.remark + "] group [" + r.group + "]");
        TStep s;
        s.FData.Remark = r.remark;
        s.FData.GroupCode = r.group;
        EXPECT_EQ(s.ExtractRemarkCode(), r.idx0);
        EXPECT_EQ(s.ExtractRemarkText(), r.idx1);
        EXPECT_EQ(s.ExtractRemarkPortText(), r.idx2);
        EXPECT_EQ(s.GetPrintRemark(), r.print);
        EXPECT_EQ(s.GetByIndex(3), "");
        EXPECT_EQ(s.GetByIndex(-1), "");
    }
}

// ------------------------------------------------ cylinders and shoulders

TEST(StepListGeometry, CylindersOfTwoDefaultSteps)
{
    TStepList l;
    Fill(l, {{.D = 6, .d = 40}, {.D = 10, .d = 20}});
    EXPECT_DOUBLE_EQ(l.GetCylinderStartDepth(0), 18.267949192431123);
    EXPECT_DOUBLE_EQ(l.GetCylinderStartDepth(1), 0.0);
    EXPECT_DOUBLE_EQ(l.GetCylinderTipHeight(1), 1.1547005383792515);
    EXPECT_DOUBLE_EQ(l.GetCylinderTipHeight(0), 3 * k120);
    EXPECT_DOUBLE_EQ(l.GetCylinderTipStartDepth(0), 40 - 3 * k120);
    EXPECT_DOUBLE_EQ(l.GetCylinderTipEndDiameter(1), 6.0);
    EXPECT_DOUBLE_EQ(l.GetCylinderTipEndDiameter(0), 0.0);
    EXPECT_DOUBLE_EQ(l.GetCylinderHeight(0), 20.0);
    EXPECT_DOUBLE_EQ(l.GetCylinderHeight(1), 20 - 5 * k120);
}

TEST(StepListGeometry, CylindersUseTheAngleOfTheRightStep)
{
    // Every step has its own point angle, so a formula that takes the angle
    // of the wrong step gives a different number.
    TStepList l;
    Fill(l, {{.D = 6, .d = 40, .a = 118}, {.D = 10, .d = 20, .a = 90}, {.D = 16, .d = 5, .a = 180}});
    struct Row { int i; double start, tipHeight, tipStart, tipEndD, height; };
    const Row rows[] = {
        {0, 20 - 3.0, 3 * k118, 40 - 3 * k118, 0.0, 40 - 3 * k118 - 17},
        {1, 5.0, 5.0 - 3.0, 15.0, 6.0, 10.0},
        {2, 0.0, 0.0, 5.0, 10.0, 5.0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.i);
        EXPECT_NEAR(l.GetCylinderStartDepth(r.i), r.start, 1e-12);
        EXPECT_NEAR(l.GetCylinderTipHeight(r.i), r.tipHeight, 1e-12);
        EXPECT_NEAR(l.GetCylinderTipStartDepth(r.i), r.tipStart, 1e-12);
        EXPECT_EQ(l.GetCylinderTipEndDiameter(r.i), r.tipEndD);
        EXPECT_NEAR(l.GetCylinderHeight(r.i), r.height, 1e-12);
    }
}

TEST(StepListGeometry, TipStartDepthIsNotClippedLikeTheConeDepth)
{
    TStepList l;
    Fill(l, {{.D = 10, .d = 0}});
    EXPECT_EQ(l.First()->GetConeDepth(), 0.0);
    EXPECT_NEAR(l.GetCylinderTipStartDepth(0), -2.886751345948129, 1e-12);
}

TEST(StepListGeometry, MaximaAndIndexQueriesOfAnEmptyList)
{
    TStepList l;
    EXPECT_EQ(l.GetMaxDepth(), 0.0);
    EXPECT_EQ(l.GetMaxDiameter(), 0.0);
    EXPECT_EQ(l.GetMaxDrillDiameter(), 0.0);
    EXPECT_EQ(l.GetHasThread(), -1);
    EXPECT_EQ(l.GetThreadName(), "");
    EXPECT_EQ(l.GetThreadCount(), 0);
    EXPECT_EQ(l.GetLocatingShoulder(), -1);
    EXPECT_EQ(l.LocatingShoulderDepth(), 0.0);
    EXPECT_EQ(l.GetStepIndex(), -1);
    EXPECT_FALSE(l.ORingFound());
    EXPECT_FALSE(l.GetHasUnderCut());
    EXPECT_EQ(l.GetPortCount(), 0);
    EXPECT_EQ(l.First(), nullptr);
}

TEST(StepListGeometry, Maxima)
{
    TStepList l;
    Fill(l, {{.D = 10.2, .d = 30, .OD = 14, .threaded = true}, {.D = 12, .d = 12}, {.D = 8, .d = 45}});
    EXPECT_EQ(l.GetMaxDepth(), 45.0);
    EXPECT_EQ(l.GetMaxDiameter(), 14.0); // the thread's outside diameter
    EXPECT_EQ(l.GetMaxDrillDiameter(), 12.0);

    Fill(l, {{.D = 5, .d = -3}}); // maxima start from 0
    EXPECT_EQ(l.GetMaxDepth(), 0.0);
}

// ------------------------------------------------------------------ threads

TEST(StepListThread, ThreadEndAndRealLength)
{
    // Step 0 is threaded M12 (core 10.2), 15 long, under a wider step 1.
    struct Row {
        const char* what;
        std::vector<StepShape> steps;
        int i;
        bool fromTop;
        double result, reel;
    };
    const StepShape thread{.D = 10.2, .d = 30, .OD = 12, .L = 15, .threaded = true};
    const StepShape flatSpot{.D = 20, .d = 2, .a = 180};
    const StepShape coneAbove{.D = 20, .d = 10};
    const double s = 10 - 6 * k120; // where the cone of step 1 narrows to 12
    const Row rows[] = {
        {"under a flat spot face", {thread, flatSpot}, 0, false, 17, 15},
        {"under a flat spot face", {thread, flatSpot}, 0, true, 15, 13},
        {"under a pointed step", {thread, coneAbove}, 0, false, s + 15, 15},
        {"under a pointed step", {thread, coneAbove}, 0, true, 15, 15 - s},
        {"last step", {thread}, 0, false, 15, 15},
        {"last step", {thread}, 0, true, 15, 15},
        {"last of two", {{.D = 6, .d = 40}, thread}, 1, false, 15, 15},
        {"last of two", {{.D = 6, .d = 40}, thread}, 1, true, 15, 15},
        {"not threaded", {{.D = 6, .d = 40, .OD = 8, .L = 15}, flatSpot}, 0, false, 0, 0},
        {"not threaded", {{.D = 6, .d = 40, .OD = 8, .L = 15}, flatSpot}, 0, true, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.what << " fromTop " << r.fromTop);
        TStepList l;
        Fill(l, r.steps);
        double reel = -99;
        EXPECT_NEAR(l.ThreadFromTop(r.i, r.fromTop, reel), r.result, 1e-12);
        EXPECT_NEAR(reel, r.reel, 1e-12);
    }
}

TEST(StepListThread, LengthFromShoulderSubtractsTheLocatingShoulderDepth)
{
    TStepList l;
    Fill(l, {{.D = 10.2, .d = 30, .OD = 12, .L = 15, .threaded = true}, {.D = 20, .d = 10}, {.D = 30, .d = 1}});
    const double s = 10 - 6 * k120;
    EXPECT_NEAR(l.LengthFromShoulder(0, false), s + 15, 1e-12); // no shoulder: depth 0
    l.SetLocatingShoulder(1);
    const double ls = 10 - 10 * k120; // cone depth of step 1
    EXPECT_NEAR(l.LocatingShoulderDepth(), ls, 1e-12);
    EXPECT_NEAR(l.LengthFromShoulder(0, false), s + 15 - ls, 1e-12);
    EXPECT_NEAR(l.LengthFromShoulder(0, true), 15 - ls, 1e-12);
    EXPECT_EQ(l.LengthFromShoulder(1, false), 0.0); // not threaded
}

TEST(StepListThread, HighestThreadedStepNamesTheThread)
{
    TStepList l;
    Fill(l, {{.threaded = true}, {}, {.threaded = true}, {}});
    l.Items(0)->FData.Thread = "M8";
    l.Items(2)->FData.Thread = "M12";
    EXPECT_EQ(l.GetHasThread(), 2);
    EXPECT_EQ(l.GetThreadName(), "M12");
    EXPECT_EQ(l.GetThreadCount(), 2);
    EXPECT_TRUE(l.GetThreaded(0));
    EXPECT_FALSE(l.GetThreaded(1));
}

// ------------------------------------------- O-ring groove and undercut

TEST(StepListGroove, ORingNeedsTwoSpotFacedStepsAtTheFace)
{
    const StepShape bore{.D = 10, .d = 30};
    const StepShape inner{.D = 20, .d = 0, .spot = true};
    const StepShape outer{.D = 26, .d = 1.5, .spot = true};
    StepShape innerPlain = inner;
    innerPlain.spot = false;
    StepShape outerPlain = outer;
    outerPlain.spot = false;
    StepShape innerDeep = inner;
    innerDeep.d = 0.1;
    StepShape innerAlmostZero = inner;
    innerAlmostZero.d = 1e-13;
    StepShape innerNoDiameter = inner;
    innerNoDiameter.D = 0;
    StepShape outerFlush = outer;
    outerFlush.d = 0;
    struct Row { const char* what; std::vector<StepShape> steps; bool groove; };
    const Row rows[] = {
        {"groove alone", {inner, outer}, true},
        {"groove above a bore", {bore, inner, outer}, true},
        {"inner depth tolerantly zero", {bore, innerAlmostZero, outer}, true},
        {"one spot-faced step", {outer}, false},
        {"inner not spot-faced", {bore, innerPlain, outer}, false},
        {"outer not spot-faced", {bore, inner, outerPlain}, false},
        {"inner has a depth", {bore, innerDeep, outer}, false},
        {"inner has no diameter", {bore, innerNoDiameter, outer}, false},
        {"outer has no depth", {bore, inner, outerFlush}, false},
        {"groove not at the face", {inner, outer, bore}, false},
    };
    for (const Row& r : rows) {
        TStepList l;
        Fill(l, r.steps);
        EXPECT_EQ(l.ORingFound(), r.groove) << r.what;
        EXPECT_EQ(l.GetHasORGroove(), r.groove) << r.what;
    }
}

TEST(StepListGroove, UndercutIsAFlatStepNotWiderThanTheStepBelow)
{
    struct Row { const char* what; std::vector<StepShape> steps; bool undercut; };
    const Row rows[] = {
        {"same diameter, flat", {{.D = 10, .d = 30}, {.D = 10, .d = 5, .a = 180}}, true},
        {"tolerantly same diameter", {{.D = 10, .d = 30}, {.D = 10 + 5e-12, .d = 5, .a = 180}}, true},
        {"narrower, flat", {{.D = 10, .d = 30}, {.D = 8, .d = 5, .a = 180}}, true},
        {"wider, flat", {{.D = 10, .d = 30}, {.D = 12, .d = 5, .a = 180}}, false},
        {"narrower, pointed", {{.D = 10, .d = 30}, {.D = 8, .d = 5, .a = 120}}, false},
        {"only the deeper pair",
         {{.D = 10, .d = 30}, {.D = 8, .d = 20, .a = 180}, {.D = 20, .d = 5, .a = 180}},
         true},
        {"flat step 0 does not count", {{.D = 10, .d = 30, .a = 180}, {.D = 12, .d = 5}}, false},
        {"single step", {{.D = 10, .d = 30, .a = 180}}, false},
    };
    for (const Row& r : rows) {
        TStepList l;
        Fill(l, r.steps);
        EXPECT_EQ(l.GetHasUnderCut(), r.undercut) << r.what;
    }
}

// ------------------------------------------------ marks on the step list

TEST(StepListMarks, LocatingShoulderAndSelectedStepAreUnique)
{
    TStepList l;
    Fill(l, {{.D = 6, .d = 40}, {.D = 10, .d = 20}, {.D = 16, .d = 5}});
    l.Items(0)->FData.Attribute.Include(saLocatingShoulder);
    l.Items(2)->FData.Attribute.Include(saLocatingShoulder);
    EXPECT_EQ(l.GetLocatingShoulder(), 2); // the highest wins
    EXPECT_NEAR(l.LocatingShoulderDepth(), 5 - 8 * k120, 1e-12);

    l.SetLocatingShoulder(1);
    EXPECT_FALSE(l.Items(0)->GetIsLS());
    EXPECT_TRUE(l.Items(1)->GetIsLS());
    EXPECT_FALSE(l.Items(2)->GetIsLS());
    l.SetLocatingShoulder(3); // out of range: only clears
    EXPECT_EQ(l.GetLocatingShoulder(), -1);
    EXPECT_EQ(l.LocatingShoulderDepth(), 0.0);

    l.Items(0)->FData.Selected = true;
    l.Items(1)->FData.Selected = true;
    EXPECT_EQ(l.GetStepIndex(), 1);
    l.SetStepIndex(2);
    EXPECT_FALSE(l.Items(0)->FData.Selected);
    EXPECT_FALSE(l.Items(1)->FData.Selected);
    EXPECT_EQ(l.GetStepIndex(), 2);
    l.SetStepIndex(-1);
    EXPECT_EQ(l.GetStepIndex(), -1);
}

TEST(StepListMarks, GroupsHiddenStepsAndRenumbering)
{
    TStepList l;
    Fill(l, {{}, {}, {}});
    EXPECT_FALSE(l.GroupsUsed());
    EXPECT_FALSE(l.GetHasHiddenDiameters());
    l.Items(1)->FData.GroupCode = "P";
    l.Items(2)->FData.Attribute.Include(saHidden);
    EXPECT_TRUE(l.GetGroupsAreUsed());
    EXPECT_TRUE(l.GetHasHiddenDiameters());
    l.ClearGroups();
    EXPECT_FALSE(l.GroupsUsed());

    l.Items(1)->FData.StepNumber = 7;
    l.Items(2)->FData.StepNumber = 7;
    EXPECT_EQ(l.IndexOf(7), 1); // the first with that number
    EXPECT_EQ(l.IndexOf(l.Items(2)), 2);
    EXPECT_TRUE(l.Renumber());
    for (int i = 0; i < 3; ++i) EXPECT_EQ(l.Items(i)->FData.StepNumber, i + 1);
    EXPECT_FALSE(l.Renumber());
}

TEST(StepList, AssignCopiesDeeply)
{
    TStepList a;
    Fill(a, {{.D = 6, .d = 40}, {.D = 10, .d = 20}});
    a.Items(1)->FData.Remark = "'X'";
    TStepList b;
    Fill(b, {{.D = 99}});
    b.Assign(a);
    ASSERT_EQ(b.Count(), 2);
    EXPECT_NE(b.Items(0), a.Items(0));
    EXPECT_EQ(b.Items(1)->FData.Remark, "'X'");
    a.Items(0)->FData.Diameter = 1.0;
    EXPECT_EQ(b.Items(0)->FData.Diameter, 6.0);
}

// -------------------------------------------------- cartridge cavity ports

TEST(StepListPorts, DerivedAndExplicitPortNames)
{
    TStepList l;
    Fill(l, {{}, {}, {}, {}, {}, {}});
    // Steps 1, 3 and 5 carry port openings, step 2 none, step 4 only a
    // start, which neither names it nor counts for the steps above.
    l.Items(1)->FData.PortMin = 10;
    l.Items(1)->FData.PortMax = 16;
    l.Items(3)->FData.PortMin = 30;
    l.Items(3)->FData.PortMax = 38;
    l.Items(4)->FData.PortMin = 45;
    l.Items(5)->FData.PortMin = 50;
    l.Items(5)->FData.PortMax = 56;
    const std::vector<std::string> derived{"1", "2", "<>", "3", "<>", "4"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(l.GetPortName(i), derived[i]) << i;
    EXPECT_EQ(l.GetPortCount(), 4);

    l.Items(1)->FData.PortName = "P";
    l.Items(0)->FData.PortName = "T";
    const std::vector<std::string> named{"T", "P", "<>", "3", "<>", "4"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(l.GetPortName(i), named[i]) << i;
}

TEST(StepListPorts, PortsDiameterAndCentre)
{
    struct Row { const char* what; int i; double min, max; bool port; double diameter, centre; };
    const Row rows[] = {
        {"nose without values", 0, 0, 0, true, 0, 0},
        {"nose with values", 0, 2, 6, true, 4, 4},
        {"opening", 1, 10, 16, true, 6, 13},
        {"start only", 1, 10, 0, true, -10, 5},
        {"end only", 1, 0, 8, true, 8, 4},
        {"tolerantly zero values", 1, 1e-13, 0, true, 0, 0},
        {"no opening", 1, 0, 0, false, 0, 0},
    };
    for (const Row& r : rows) {
        TStepList l;
        Fill(l, {{}, {}});
        l.Items(r.i)->FData.PortMin = r.min;
        l.Items(r.i)->FData.PortMax = r.max;
        EXPECT_EQ(l.GetIsPort(r.i), r.port) << r.what;
        EXPECT_EQ(l.GetPortDiameter(r.i), r.diameter) << r.what;
        EXPECT_EQ(l.GetPortCenter(r.i), r.centre) << r.what;
    }
}

TEST(StepListPorts, CountExistsAndCompareIgnoreAsciiCase)
{
    TStepList a;
    Fill(a, {{}, {}, {}});
    a.Items(1)->FData.PortName = "a";
    a.Items(2)->FData.PortName = "A"; // the same port twice
    EXPECT_EQ(a.GetPortCount(), 2);    // "1" and "A"
    EXPECT_TRUE(a.PortExists("A"));
    EXPECT_TRUE(a.PortExists("1"));
    EXPECT_FALSE(a.PortExists("2"));

    TStepList b;
    Fill(b, {{}, {}, {}});
    b.Items(1)->FData.PortName = "A";
    b.Items(2)->FData.PortName = "B";
    EXPECT_TRUE(a.ComparePorts(b));
    EXPECT_FALSE(b.ComparePorts(a)); // B is missing in a

    TStepList c; // steps without ports ("<>") are not compared
    Fill(c, {{}, {}});
    EXPECT_TRUE(c.ComparePorts(b));
}

// ------------------------------------------------------ the step record

namespace {

using namespace test::fields;
using test::TBody;
using test::TFlat;

// Loads a design of one hole whose steps are written by `steps`.
std::unique_ptr<TManifold> LoadHoleWithSteps(const std::string& name,
                                             const std::function<void(TQuorvaneFile&)>& steps,
                                             std::vector<std::string>* messages = nullptr, bool viewer = false)
{
    auto r = test::LoadDesign(
        name,
        [&](TQuorvaneFile& f) {
            f.WriteVar(10000);
            f.WriteInteger(10010, 1);
            steps(f);
            f.WriteVar(19999);
        },
        {.Viewer = viewer});
    if (messages) *messages = r.Texts;
    return std::move(r.M);
}

// The attribute flag tags, ten apart, with the query that tells each (none
// for an excluded step).
using TStepQuery = bool (TStep::*)() const;
const struct {
    int Tag;
    TStepAttribute Member;
    TStepQuery Query;
} kAttributes[] = {
    {26000, saSpotfaced, &TStep::GetIsSpotfaced},
    {26010, saThreaded, &TStep::GetIsThreaded},
    {26020, saHidden, &TStep::GetIsHidden},
    {26030, saExcluded, nullptr},
    {26040, saLocatingShoulder, &TStep::GetIsLS},
    {26050, saCounterBore, &TStep::GetIsCounterBore},
    {26060, saExtraDiameter, &TStep::GetIsExtraDiameter},
    {26070, saLocked, &TStep::GetIsLocked},
};

// A file with one hole holding one step record with what body writes.
test::TLoadedDesign LoadStepRecord(const TBody& body, bool viewer)
{
    auto r = test::LoadDesignAtFixedTime(
        [&](TQuorvaneFile& f) {
            f.WriteVar(10000);
            f.WriteVar(20000);
            if (body) body(f);
            f.WriteVar(29999);
            f.WriteVar(19999);
        },
        {.Viewer = viewer});
    EXPECT_TRUE(r.Messages.empty());
    return r;
}

TFlat FlatStepRecord(const TBody& body, bool viewer) { return test::FlatDocument(*LoadStepRecord(body, viewer).M); }

} // namespace

// Each row writes one field (or a few) into an otherwise empty step record:
// the document may differ from that of the empty record in exactly the row's
// fields, in manifold and in viewer files alike.
TEST(StepRecord, EveryTagReachesItsField)
{
    const std::string s = "FHoleList[0].FStepList[0].FData.";
    std::vector<test::TFieldRow> rows = {
        {"20010", Int(20010, 3), {{s + "StepNumber", "3"}}},
        {"20100", Dbl(20100, 12.5), {{s + "Diameter", "12.5"}}},
        {"20100 repeated", Both(Dbl(20100, 1.0), Dbl(20100, 12.5)), {{s + "Diameter", "12.5"}}},
        {"20110", Dbl(20110, 33.25), {{s + "Depth", "33.25"}}},
        {"20200", Text(20200, "M14x1.5"), {{s + "Thread", "M14x1.5"}}},
        {"20210", Dbl(20210, 18.0), {{s + "Length", "18"}}},
        {"20220", Dbl(20220, 14.0), {{s + "OutsideDiameter", "14"}}},
        // Texts are stored in Windows-1252: an O with stroke.
        {"20300", Text(20300, "\"P\xD8\" <>"), {{s + "Remark", "\"P\u00D8\" <>"}}},
        {"20310", Int(20310, 118), {{s + "TopAngle", "118"}}},
        {"20320", Text(20320, "MC7"), {{s + "MachineCode", "MC7"}}},
        {"20330", Text(20330, "G2"), {{s + "GroupCode", "G2"}}},
        {"20340", Dbl(20340, 4.5), {{s + "PortMin", "4.5"}}},
        {"20350", Dbl(20350, 9.5), {{s + "PortMax", "9.5"}}},
        {"20360", Text(20360, "H7"), {{s + "ToleranceDiameter", "H7"}}},
        {"20370", Text(20370, "+0.1"), {{s + "ToleranceDepth", "+0.1"}}},
        {"20380", Bool(20380, true), {{s + "Selected", "true"}}},
        {"20382", Text(20382, "LS"), {{s + "PortName", "LS"}}},
        {"attribute byte 2", Byte(26010, 2), {{s + "Attribute", "saThreaded"}}},
        {"attribute False", Bool(26010, false), {}},
        // Tags of the attribute range that name no stored attribute.
        {"26080 and 26090", Both(Bool(26080, true), Bool(26090, true)), {}},
        {"unknown 20999", Text(20999, "a field of a newer version"), {}},
    };
    for (const auto& a : kAttributes)
        rows.push_back(
            {std::to_string(a.Tag), Bool(uint16_t(a.Tag), true), {{s + "Attribute", test::EnumText(a.Member)}}});
    test::ExpectEachRowSetsItsFields(rows, FlatStepRecord);
    // The remark's name is found in the decoded text.
    const auto r = LoadStepRecord(Text(20300, "\"P\xD8\" <>"), false);
    EXPECT_EQ(r.M->HoleList().First()->FStepList.First()->ExtractRemarkCode(), "\"P\u00D8\"");
}

TEST(StepRecord, AbsentFieldsKeepTheirDefaults)
{
    auto m = LoadHoleWithSteps("step-min.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(20000);
        f.WriteDouble(20100, 10.0);
        f.WriteDouble(20110, 20.0);
        f.WriteVar(29999);
    });
    const TStep& s = *m->HoleList().First()->FStepList.First();
    EXPECT_EQ(s.FData.TopAngle, 120);
    EXPECT_EQ(s.FData.PortName, "<>");
    EXPECT_DOUBLE_EQ(s.GetTipHeight(), 2.886751345948129);
    EXPECT_DOUBLE_EQ(s.GetConeDepth(), 17.11324865405187);
}

TEST(StepRecord, ViewerFileStepKeepsTheDerivedPortName)
{
    auto m = LoadHoleWithSteps(
        "step-viewer.mvf",
        [](TQuorvaneFile& f) {
            f.WriteVar(20000);
            f.WriteDouble(20100, 10.0);
            f.WriteDouble(20340, 4.0);
            f.WriteVar(29999);
        },
        nullptr, true);
    const TStepList& steps = m->HoleList().First()->FStepList;
    ASSERT_EQ(steps.Count(), 1);
    EXPECT_EQ(steps.First()->FData.Diameter, 10.0);
    EXPECT_EQ(steps.First()->FData.PortMin, 4.0);
    EXPECT_EQ(steps.First()->FData.PortName, "<>");
}

TEST(StepRecord, AttributeTagsAndQueries)
{
    const auto& rows = kAttributes;
    // One step per attribute with its tag True, then one with every tag
    // False and the unassigned tags 26080 and 26090 True.
    auto m = LoadHoleWithSteps("step-attributes.mnf", [&](TQuorvaneFile& f) {
        for (const auto& r : rows) {
            f.WriteVar(20000);
            f.WriteBoolean(uint16_t(r.Tag), true);
            f.WriteVar(29999);
        }
        f.WriteVar(20000);
        for (const auto& r : rows) f.WriteBoolean(uint16_t(r.Tag), false);
        f.WriteBoolean(26080, true);
        f.WriteBoolean(26090, true);
        f.WriteVar(29999);
    });
    const TStepList& steps = m->HoleList().First()->FStepList;
    const int n = int(std::size(rows));
    ASSERT_EQ(steps.Count(), n + 1);
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(rows[i].Tag);
        const TStep& s = *steps.Items(i);
        EXPECT_EQ(s.FData.Attribute.Value, 1u << int(rows[i].Member));
        for (int j = 0; j < n; ++j)
            if (rows[j].Query) {
                EXPECT_EQ((s.*rows[j].Query)(), i == j) << "query of tag " << rows[j].Tag;
            }
    }
    EXPECT_TRUE(steps.Items(n)->FData.Attribute.Empty());
}

TEST(StepRecord, StepCutOffByTheEndOfTheFileKeepsWhatWasRead)
{
    const auto r = test::LoadDesign(
        "step-cut.mnf",
        [](TQuorvaneFile& f) {
            f.WriteVar(10000);
            f.WriteInteger(10010, 4);
            f.WriteVar(20000);
            f.WriteDouble(20100, 10.0);
        },
        {.WithEnd = false});
    const TManifold& m = *r.M;
    ASSERT_EQ(m.HoleList().Count(), 1);
    const THole& h = *m.HoleList().First();
    EXPECT_EQ(h.FData.HoleNumber, 4);
    ASSERT_EQ(h.FStepList.Count(), 1);
    EXPECT_EQ(h.FStepList.First()->FData.Diameter, 10.0);
    EXPECT_EQ(r.Texts, std::vector<std::string>{kTruncatedFileWarning});
}
