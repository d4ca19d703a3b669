// The wall-thickness check on small designs whose walls are known by hand:
// which walls count, which thickness each needs, the group rule, faces and
// cut-outs as the outside, connected bores, the order of the findings, the
// broad phase against the pairwise reference, and the caps of a design made
// to be expensive.
#include "check/WallCheck.h"
#include "document/Manifolds.h"
#include "model/HoleLists.h"
#include "model/StepLists.h"
#include "testkit/SampleDesigns.h"
#include "testkit/WriteHoles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace qv;

namespace {

// A flat-bottomed bore: its solid is one cylinder from the face to Depth.
TStepData Flat(double diameter, double depth, const std::string& group = {})
{
    TStepData s;
    s.Diameter = diameter;
    s.Depth = depth;
    s.TopAngle = 180;
    s.GroupCode = group;
    return s;
}

struct TDesign {
    std::unique_ptr<TManifold> M = std::make_unique<TManifold>();

    explicit TDesign(double side = 100.0, double wall = 8.0)
    {
        M->FData.Max = {side, side, side};
        TCalculateSettinsNewData& s = Settings();
        s.Wallthickness = wall;
        s.WallthicknessMountingHoles = wall;
    }
    TCalculateSettinsNewData& Settings() { return M->fCalculateSettingsNew.fData; }

    THole& Hole(int face, double a, double b, std::vector<TStepData> steps)
    {
        THole& h = *M->FHoleList.Add();
        h.FData.HoleNumber = M->FHoleList.Count();
        h.FData.FaceNumber = face;
        h.FData.XXY = a;
        h.FData.YZZ = b;
        for (size_t i = 0; i < steps.size(); ++i) steps[i].StepNumber = int(i) + 1;
        samples::SetSteps(h, steps);
        return h;
    }
    // A bore straight down from face 1 at (x, y).
    THole& Down(double x, double y, double diameter, double depth, const std::string& group = {})
    {
        return Hole(1, x, y, {Flat(diameter, depth, group)});
    }
    void AddRange(double d1, double d2, double wall)
    {
        M->fCalculateSettingsNew.fWallThicknessRangeList.Add()->fData = {d1, d2, wall};
    }
    TWallCheckResult Check(const TWallCheckOptions& o = {}) const { return CheckWalls(*M, o); }
};

// Pointers into r: r must outlive them.
std::vector<const TWallFinding*> OfKind(const TWallCheckResult&& r, TWallOther kind) = delete;
std::vector<const TWallFinding*> OfKind(const TWallCheckResult& r, TWallOther kind)
{
    std::vector<const TWallFinding*> v;
    for (const auto& f : r.Findings)
        if (f.Kind == kind) v.push_back(&f);
    return v;
}

// The tolerance of the check: a thousandth of the block's largest side.
constexpr double kTol = 0.1;

// A wall is never reported thicker than it is, and at most the tolerance
// thinner.
void ExpectThickness(double reported, double truth)
{
    EXPECT_LE(reported, truth + 1e-9);
    EXPECT_GE(reported, truth - kTol - 1e-9);
}

} // namespace

TEST(WallCheck, GroupRuleDecidesWhichBoresAreCheckedAgainstEachOther)
{
    // Two bores of 10 mm, 16 mm apart: a wall of 6 mm where 8 are needed.
    const struct { const char* a; const char* b; bool checkGroups; bool finding; } cases[] = {
        {"P", "T", true, true},   // two lines: the wall holds pressure
        {"P", "P", true, false},  // one line: may come as close as it likes
        {"p", "P", true, false},  // codes compared without case
        {"P", "P", false, true},  // the rule switched off
        {"", "P", true, true},    // no line: checked against everything
        {"", "", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + "/" + c.b + (c.checkGroups ? " with" : " without") + " the group rule");
        TDesign d;
        if (c.checkGroups) d.Settings().Flags.Include(cfnCheckGroups);
        else d.Settings().Flags.Exclude(cfnCheckGroups);
        d.Down(42, 50, 10, 50, c.a);
        d.Down(58, 50, 10, 50, c.b);
        const TWallCheckResult r = d.Check();
        const auto bores = OfKind(r, TWallOther::Bore);
        ASSERT_EQ(bores.size(), c.finding ? 1u : 0u);
        EXPECT_TRUE(r.Connections.empty());
        EXPECT_TRUE(OfKind(r, TWallOther::Face).empty());
        if (!c.finding) continue;
        const TWallFinding& f = *bores[0];
        EXPECT_EQ(f.A.HoleNumber, 1);
        EXPECT_EQ(f.B.HoleNumber, 2);
        EXPECT_EQ(f.A.Group, c.a);
        EXPECT_EQ(f.B.Group, c.b);
        ExpectThickness(f.Thickness, 6.0);
        EXPECT_EQ(f.Required, 8.0);
        // The closest points lie on the two bore walls, facing each other.
        EXPECT_NEAR(f.PA.X, 47.0, kTol);
        EXPECT_NEAR(f.PB.X, 53.0, kTol);
        EXPECT_NEAR(f.PA.Y, 50.0, kTol);
        EXPECT_NEAR(f.PA.Distance(f.PB), f.Thickness, kTol);
    }
}

TEST(WallCheck, CartridgeZonesCarryTheirOwnLines)
{
    // A cavity whose nose is P and whose upper zone is T, and a T bore beside
    // the upper zone: the T bore is one line with the zone it passes but a
    // different one from the nose below it.
    TDesign d(200.0, 8.0);
    d.Settings().Flags.Include(cfnCheckGroups);
    THole& cavity = d.Hole(6, 100, 100, {Flat(12, 60, "P"), Flat(20, 30, "T")});
    cavity.FData.Attribute.Include(haClosed);
    // Beside the T zone (radius 10) at 14 mm: a wall of 14 - 10 - 2 = 2 to
    // the T zone, which does not count, and of 14 - 6 - 2 = 6 to the P nose.
    d.Hole(6, 114, 100, {Flat(4, 60, "T")});
    const TWallCheckResult r = d.Check();
    const auto bores = OfKind(r, TWallOther::Bore);
    ASSERT_EQ(bores.size(), 1u);
    EXPECT_EQ(bores[0]->A.StepNumber, 1);
    EXPECT_EQ(bores[0]->A.Group, "P");
    EXPECT_EQ(bores[0]->B.Group, "T");
    ExpectThickness(bores[0]->Thickness, 6.0);

    // The same cavity as an ordinary hole is one line, the one of its
    // deepest step, and the T bore is then checked against the whole hole.
    cavity.FData.Attribute.Exclude(haClosed);
    const TWallCheckResult plain = d.Check();
    const auto plainBores = OfKind(plain, TWallOther::Bore);
    ASSERT_EQ(plainBores.size(), 1u);
    EXPECT_EQ(plainBores[0]->A.StepNumber, 2);
    EXPECT_EQ(plainBores[0]->A.Group, "P");
    ExpectThickness(plainBores[0]->Thickness, 2.0);
}

TEST(WallCheck, MountingHolesNeedTheirOwnThickness)
{
    // Walls of 6 mm (bores 16 apart) and of 3 mm (13 apart); 8 needed
    // between pressure bores, 4 next to a mounting hole.
    const struct { double gap; bool mountA, mountB; bool finding; double required; } cases[] = {
        {16, false, false, true, 8.0},
        {16, true, false, false, 0.0},
        {16, false, true, false, 0.0},
        {13, true, false, true, 4.0},
        {13, true, true, true, 4.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.gap << " " << c.mountA << c.mountB);
        TDesign d;
        d.Settings().WallthicknessMountingHoles = 4.0;
        THole& a = d.Down(42, 50, 10, 50, "P");
        THole& b = d.Down(42 + c.gap, 50, 10, 50, "T");
        if (c.mountA) a.FData.Attribute.Include(haMounting);
        if (c.mountB) b.FData.Attribute.Include(haMounting);
        const TWallCheckResult r = d.Check();
        const auto bores = OfKind(r, TWallOther::Bore);
        ASSERT_EQ(bores.size(), c.finding ? 1u : 0u);
        if (c.finding) {
            EXPECT_EQ(bores[0]->Required, c.required);
            ExpectThickness(bores[0]->Thickness, c.gap - 10.0);
            EXPECT_EQ(bores[0]->A.Mounting, c.mountA);
        }
    }
}

TEST(WallCheck, RequiredThicknessFromTheDiameterRanges)
{
    TCalculateSettingsNew s;
    s.fData.Wallthickness = 9.0;
    s.fData.WallthicknessMountingHoles = 2.5;
    s.fWallThicknessRangeList.Add()->fData = {0.0, 12.0, 8.0};
    s.fWallThicknessRangeList.Add()->fData = {16.0, 12.0, 7.0}; // ends in either order
    s.fWallThicknessRangeList.Add()->fData = {16.0, 25.0, 5.0};
    s.fData.Flags.Exclude(cfnUseMultipleWallThicknesses);
    EXPECT_EQ(RequiredThickness(s, 10, false, 20, false), 9.0) << "ranges only with their flag";
    s.fData.Flags.Include(cfnUseMultipleWallThicknesses);
    const struct { TSelectWallDiameter select; double a, b; double required; } cases[] = {
        {swdAverageOfDiameters, 10, 20, 7.0},  // 15
        {swdSmallestDiameter, 10, 20, 8.0},    // 10
        {swdLargestDiameter, 10, 20, 5.0},     // 20
        {swdLargestDiameter, 10, 12, 8.0},     // 12: the first range that holds it
        {swdAverageOfDiameters, 30, 40, 9.0},  // 35: in no range
        {swdSmallestDiameter, 30, 30, 9.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.select) << " " << c.a << " " << c.b);
        s.fData.SelectWallDiameter = c.select;
        EXPECT_EQ(RequiredThickness(s, c.a, false, c.b, false), c.required);
        EXPECT_EQ(RequiredThickness(s, c.b, false, c.a, false), c.required);
        EXPECT_EQ(RequiredThickness(s, c.a, true, c.b, false), 2.5) << "a mounting hole has its own wall";
    }
}

TEST(WallCheck, DiameterRangesInTheCheck)
{
    // Bores of 10 and 20 mm with a 6 mm wall between them (centres 21
    // apart). Only the average (15 -> 7 mm) and the smallest (10 -> 8 mm)
    // ask for more than 6.
    const struct { TSelectWallDiameter select; bool finding; double required; } cases[] = {
        {swdAverageOfDiameters, true, 7.0},
        {swdSmallestDiameter, true, 8.0},
        {swdLargestDiameter, false, 0.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.select));
        TDesign d(100.0, 3.0);
        d.Settings().Flags.Include(cfnUseMultipleWallThicknesses);
        d.Settings().SelectWallDiameter = c.select;
        d.AddRange(0, 12, 8.0);
        d.AddRange(12, 16, 7.0);
        d.AddRange(16, 30, 5.0);
        d.Down(40, 50, 10, 50, "P");
        d.Down(61, 50, 20, 50, "T");
        const TWallCheckResult r = d.Check();
        const auto bores = OfKind(r, TWallOther::Bore);
        ASSERT_EQ(bores.size(), c.finding ? 1u : 0u);
        if (c.finding) {
            EXPECT_EQ(bores[0]->Required, c.required);
            ExpectThickness(bores[0]->Thickness, 6.0);
        }
        EXPECT_TRUE(r.MultipleWallThicknesses);
        EXPECT_EQ(r.Ranges.size(), 3u);
    }
}

TEST(WallCheck, ThreadsCountWithTheirOuterDiameterWhenAsked)
{
    // A thread M12 (core 10) with 0.5 added, 18.5 from a 10 mm bore: with
    // the flag the wall is 18.5 - 6.25 - 5 = 7.25, without it 8.5.
    for (const bool checkThread : {true, false}) {
        SCOPED_TRACE(checkThread);
        TDesign d;
        if (checkThread) d.Settings().Flags.Include(cfnCheckThread);
        else d.Settings().Flags.Exclude(cfnCheckThread);
        d.Settings().ThreadCorrection = 0.5;
        TStepData thread = Flat(10, 30, "P");
        thread.Attribute.Include(saThreaded);
        thread.OutsideDiameter = 12.0;
        thread.Length = 30.0;
        d.Hole(1, 41, 50, {thread});
        d.Down(59.5, 50, 10, 30, "T");
        const TWallCheckResult r = d.Check();
        const auto bores = OfKind(r, TWallOther::Bore);
        ASSERT_EQ(bores.size(), checkThread ? 1u : 0u);
        if (checkThread) {
            ExpectThickness(bores[0]->Thickness, 7.25);
            EXPECT_EQ(bores[0]->A.Diameter, 12.5);
        }
    }
}

TEST(WallCheck, FacesButTheEntryFaceAreOutside)
{
    TDesign d;
    // 1 mm from face 3 (x = 0), entered from face 1: only face 3 is thin.
    d.Down(6, 50, 10, 50);
    // Drilled from face 3 itself, 40 deep, 2 mm below face 6: its own face
    // 3 does not count, face 6 does.
    d.Hole(3, 50, 93, {Flat(10, 40)});
    const TWallCheckResult r = d.Check();
    const auto faces = OfKind(r, TWallOther::Face);
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_EQ(faces[0]->A.HoleNumber, 1);
    EXPECT_EQ(faces[0]->Face, 3);
    ExpectThickness(faces[0]->Thickness, 1.0);
    EXPECT_NEAR(faces[0]->PA.X, 1.0, kTol);
    EXPECT_NEAR(faces[0]->PB.X, 0.0, 1e-9);
    EXPECT_EQ(faces[1]->A.HoleNumber, 2);
    EXPECT_EQ(faces[1]->Face, 6);
    ExpectThickness(faces[1]->Thickness, 2.0);
    EXPECT_NEAR(faces[1]->PB.Z, 100.0, 1e-9);
}

TEST(WallCheck, ThroughHolesLeaveByTheFarFace)
{
    // 100 deep in a 100 block: it reaches face 6. A through hole is meant
    // to; any other hole breaks out, a wall of no thickness.
    for (const bool through : {true, false}) {
        SCOPED_TRACE(through);
        TDesign d;
        THole& h = d.Down(50, 50, 10, 100);
        if (through) h.FData.Attribute.Include(haThrough);
        const TWallCheckResult r = d.Check();
        const auto faces = OfKind(r, TWallOther::Face);
        ASSERT_EQ(faces.size(), through ? 0u : 1u);
        if (!through) {
            EXPECT_EQ(faces[0]->Face, 6);
            EXPECT_LE(faces[0]->Thickness, 0.0);
        }
    }
}

TEST(WallCheck, CutOutsAreOutside)
{
    TDesign d;
    // A pocket 20 x 20, 30 deep in face 6: x and y 40..60, z 70..100.
    TCutOutData& c = d.M->fCutOutList.Add()->fData;
    c.FaceNumber = 6;
    c.Corner = -1;
    c.X = 40;
    c.Y = 40;
    c.Width = 20;
    c.Height = 20;
    c.Through = false;
    c.Depth = 30;
    d.Down(56, 56, 10, 64);             // 1: 6 under the pocket's floor
    d.Hole(6, 70, 50, {Flat(10, 20)});  // 2: 5 beside its wall
    // 3: drilled from the pocket's floor (face 6, 30 deep where it starts):
    // its entry is the pocket, which does not count for it.
    THole& fromFloor = d.Hole(6, 43, 43, {Flat(6, 5)});
    fromFloor.FData.StartDepth = 30;
    const TWallCheckResult r = d.Check();
    const auto cuts = OfKind(r, TWallOther::CutOut);
    ASSERT_EQ(cuts.size(), 2u);
    EXPECT_EQ(cuts[0]->A.HoleNumber, 2);
    ExpectThickness(cuts[0]->Thickness, 5.0);
    EXPECT_NEAR(cuts[0]->PB.X, 60.0, kTol);
    EXPECT_EQ(cuts[1]->A.HoleNumber, 1);
    ExpectThickness(cuts[1]->Thickness, 6.0);
    EXPECT_NEAR(cuts[1]->PB.Z, 70.0, kTol);
    for (const auto* f : cuts) EXPECT_EQ(f->CutOut, 0);
    for (const auto& f : r.Findings) EXPECT_NE(f.A.HoleNumber, 3);
}

TEST(WallCheck, InchDesignsInTheirOwnUnit)
{
    TDesign d(4.0, 0.2);
    d.M->FData.MeasuringUnits = muIN;
    d.Down(1.5, 2.0, 0.5, 2.0, "P");
    d.Down(2.15, 2.0, 0.5, 2.0, "T"); // a wall of 0.15 in
    const TWallCheckResult r = d.Check();
    EXPECT_TRUE(r.Inch);
    EXPECT_DOUBLE_EQ(r.Tolerance, 0.004);
    const auto bores = OfKind(r, TWallOther::Bore);
    ASSERT_EQ(bores.size(), 1u);
    EXPECT_EQ(bores[0]->Required, 0.2);
    EXPECT_LE(bores[0]->Thickness, 0.15 + 1e-12);
    EXPECT_GE(bores[0]->Thickness, 0.15 - 0.004);
}

TEST(WallCheck, ConnectedBoresAreListedApart)
{
    // A bore down from face 1 (radius 5) and a cross bore from face 3
    // (radius 4, its nose 3) through its axis: they meet, deeper than the
    // nothing of a touch and less than the 5 + 4 of a move across both axes.
    for (const bool showConnected : {true, false}) {
        SCOPED_TRACE(showConnected);
        TDesign d;
        if (showConnected) d.Settings().Flags.Include(cfnShowDistancesEvenForConnectedHoles);
        else d.Settings().Flags.Exclude(cfnShowDistancesEvenForConnectedHoles);
        d.Down(50, 50, 10, 60, "P");
        d.Hole(3, 50, 30, {Flat(6, 58, "T"), Flat(8, 50, "T")});
        const TWallCheckResult r = d.Check();
        ASSERT_EQ(r.Connections.size(), 1u);
        EXPECT_EQ(r.ConnectionCount, 1u);
        const TWallConnection& c = r.Connections[0];
        EXPECT_EQ(c.A.HoleNumber, 1);
        EXPECT_EQ(c.B.HoleNumber, 2);
        EXPECT_GT(c.Overlap, 0.0);
        EXPECT_LE(c.Overlap, 9.0 + kTol);
        // A point in both bores.
        EXPECT_NEAR(c.Point.Y, 50.0, 5.0 + kTol);
        EXPECT_NEAR(c.Point.Z, 30.0, 4.0 + kTol);
        // Overlapping is not a thin wall.
        EXPECT_TRUE(OfKind(r, TWallOther::Bore).empty());
    }
}

TEST(WallCheck, BoresOfOneLineMeetWithoutBeingListed)
{
    // A cavity (P nose, T zone) and a T cross bore that meets the T zone and
    // passes 2 mm above the P nose. The meeting is of one line: not listed,
    // but it connects the two holes, so the wall to the nose is shown only
    // with cfnShowDistancesEvenForConnectedHoles. Without the group rule
    // the meeting is listed like any other.
    const struct { bool groups, showConnected; size_t connections, findings; } cases[] = {
        {true, true, 0, 1},
        {true, false, 0, 0},
        {false, false, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.groups << c.showConnected);
        TDesign d;
        if (c.groups) d.Settings().Flags.Include(cfnCheckGroups);
        else d.Settings().Flags.Exclude(cfnCheckGroups);
        if (c.showConnected) d.Settings().Flags.Include(cfnShowDistancesEvenForConnectedHoles);
        else d.Settings().Flags.Exclude(cfnShowDistancesEvenForConnectedHoles);
        // Top face: the nose (radius 6) from z = 40 to 70, the zone
        // (radius 10) from 70 to 100.
        THole& cavity = d.Hole(6, 50, 50, {Flat(12, 60, "P"), Flat(20, 30, "T")});
        cavity.FData.Attribute.Include(haClosed);
        // From face 3 along x at z = 76 (radius 4): 2 above the nose's top.
        d.Hole(3, 50, 76, {Flat(8, 52, "T")});
        const TWallCheckResult r = d.Check();
        EXPECT_EQ(r.Connections.size(), c.connections);
        const auto bores = OfKind(r, TWallOther::Bore);
        ASSERT_EQ(bores.size(), c.findings);
        if (c.findings) {
            EXPECT_EQ(bores[0]->A.Group, "P");
            ExpectThickness(bores[0]->Thickness, 2.0);
        }
    }
}

TEST(WallCheck, ThinWallsOfConnectedHolesWhenAsked)
{
    // Two holes 14 apart meet with their wide steps (radius 8, 10 deep);
    // under each wide step the other hole's narrow step (radius 3) runs
    // 14 - 8 - 3 = 3 from it. With cfnShowDistancesEvenForConnectedHoles
    // that 3 mm wall is listed beside the connection.
    for (const bool showConnected : {true, false}) {
        SCOPED_TRACE(showConnected);
        TDesign d;
        if (showConnected) d.Settings().Flags.Include(cfnShowDistancesEvenForConnectedHoles);
        else d.Settings().Flags.Exclude(cfnShowDistancesEvenForConnectedHoles);
        d.Hole(1, 40, 50, {Flat(6, 60), Flat(16, 10)});
        d.Hole(1, 54, 50, {Flat(6, 60), Flat(16, 10)});
        const TWallCheckResult r = d.Check();
        EXPECT_EQ(r.Connections.size(), 1u);
        const auto bores = OfKind(r, TWallOther::Bore);
        ASSERT_EQ(bores.size(), showConnected ? 1u : 0u);
        if (showConnected) {
            // One wide step against the other hole's narrow one.
            EXPECT_EQ(bores[0]->A.StepNumber + bores[0]->B.StepNumber, 3);
            ExpectThickness(bores[0]->Thickness, 3.0);
        }
    }
}

TEST(WallCheck, ThinnestFirstAndCapped)
{
    TDesign d(200.0, 8.0);
    // Pairs of bores far apart from each other with walls of 5, 1, 3 mm,
    // and a bore 2 mm under face 6.
    for (const auto& [x, wall] : {std::pair{40.0, 5.0}, std::pair{100.0, 1.0}, std::pair{160.0, 3.0}}) {
        d.Down(x, 50, 10, 50, "P");
        d.Down(x + 10 + wall, 50, 10, 50, "T");
    }
    d.Down(100, 150, 10, 198, "A");
    const TWallCheckResult r = d.Check({.PairBudget = 0});
    ASSERT_EQ(r.Findings.size(), 4u);
    EXPECT_EQ(r.FindingCount, 4u);
    const double expected[] = {1.0, 2.0, 3.0, 5.0};
    for (size_t i = 0; i < 4; ++i) ExpectThickness(r.Findings[i].Thickness, expected[i]);
    EXPECT_EQ(r.Findings[1].Kind, TWallOther::Face);
    EXPECT_EQ(r.BorePairFindings, 3u);
    EXPECT_EQ(r.FaceFindings, 1u);

    // Kept: the thinnest; counted: all.
    const TWallCheckResult capped = d.Check({.MaxFindings = 2});
    ASSERT_EQ(capped.Findings.size(), 2u);
    EXPECT_EQ(capped.FindingCount, 4u);
    ExpectThickness(capped.Findings[0].Thickness, 1.0);
    ExpectThickness(capped.Findings[1].Thickness, 2.0);
}

TEST(WallCheck, DummyHolesAreNotDrilled)
{
    TDesign d;
    d.Down(42, 50, 10, 50, "P");
    THole& dummy = d.Down(58, 50, 10, 50, "T");
    dummy.FData.Attribute.Include(haDummyHole);
    const TWallCheckResult r = d.Check();
    EXPECT_TRUE(r.Findings.empty());
    EXPECT_EQ(r.HolesChecked, 1);
}

TEST(WallCheck, DamagedBoresAreLeftOut)
{
    // A bore reaching far beyond the block (a damaged file) and one whose
    // diameter is no number are left out and counted; the rest is checked.
    TDesign d;
    d.Down(42, 50, 10, 50, "P");
    d.Down(58, 50, 10, 50, "T");
    d.Down(50, 20, 8, 1e25, "A");
    d.Hole(1, 50, 80, {Flat(std::nan(""), 30, "B")});
    const TWallCheckResult r = d.Check();
    EXPECT_GE(r.PiecesSkipped, 1u); // the far one; the other may give no piece at all
    EXPECT_EQ(r.HolesChecked, 2);
    ASSERT_EQ(r.Findings.size(), 1u);
    ExpectThickness(r.Findings[0].Thickness, 6.0);
}

TEST(WallCheck, ABlockWithoutSizeIsMeasuredToTheSizeOfItsBores)
{
    // A damaged block of size 0: the bores, 60 deep, are measured to a
    // thousandth of their own extent, not to a thousandth of a unit block,
    // which would make every pair take the distance code's full number of
    // steps. Inside a block of sensible size the block's side decides.
    for (const double side : {0.0, 100.0}) {
        SCOPED_TRACE(side);
        TDesign d(side);
        d.Down(42, 50, 10, 60, "P");
        d.Down(58, 50, 10, 60, "T");
        const TWallCheckResult r = d.Check();
        const double tol = side > 0 ? 0.1 : 0.06;
        EXPECT_DOUBLE_EQ(r.Tolerance, tol);
        const auto bores = OfKind(r, TWallOther::Bore);
        ASSERT_EQ(bores.size(), 1u);
        EXPECT_LE(bores[0]->Thickness, 6.0 + 1e-9);
        EXPECT_GE(bores[0]->Thickness, 6.0 - tol - 1e-9);
    }
}

namespace {

// Holes on every face at random places, random steps and lines, a few
// mounting holes and cut-outs, several thicknesses by diameter.
std::unique_ptr<TManifold> RandomDesign(int holes, uint64_t seed)
{
    uint64_t state = seed;
    auto next = [&] {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    };
    auto uniform = [&](double lo, double hi) { return lo + (hi - lo) * double(next() >> 11) / double(1ull << 53); };
    TDesign d(300.0, 4.0);
    d.M->FData.Max = {300.0, 250.0, 200.0};
    d.Settings().WallthicknessMountingHoles = 3.0;
    d.Settings().Flags.Include(cfnUseMultipleWallThicknesses);
    d.AddRange(0, 8, 3.0);
    d.AddRange(8, 14, 5.0);
    d.AddRange(14, 40, 7.0);
    const char* const groups[] = {"P", "T", "A", "B", ""};
    for (int i = 0; i < holes; ++i) {
        const int face = 1 + int(next() % 6);
        const double ua = face == 3 || face == 4 ? 250.0 : 300.0;
        const double ub = face == 1 || face == 6 ? 250.0 : 200.0;
        const double depthMax = face == 1 || face == 6 ? 200.0 : face == 2 || face == 5 ? 250.0 : 300.0;
        std::vector<TStepData> steps;
        double depth = uniform(20, 0.7 * depthMax);
        double dia = uniform(4, 10);
        const int n = 1 + int(next() % 3);
        for (int k = 0; k < n; ++k) {
            TStepData s = Flat(dia, depth, groups[next() % 5]);
            if (next() % 2) s.TopAngle = 118 + int(next() % 3);
            steps.push_back(s);
            depth *= uniform(0.3, 0.8);
            dia += uniform(1, 6);
        }
        THole& h = d.Hole(face, uniform(10, ua - 10), uniform(10, ub - 10), steps);
        if (next() % 10 == 0) h.FData.Attribute.Include(haMounting);
        if (next() % 7 == 0) h.FData.Attribute.Include(haClosed);
        if (next() % 5 == 0) {
            h.FData.Attribute.Include(haAngled);
            h.FData.AngleValue = uniform(0, 30);
            h.FData.AngleRotation = uniform(0, 360);
        }
    }
    for (int face : {6, 2}) {
        TCutOutData& c = d.M->fCutOutList.Add()->fData;
        c.FaceNumber = face;
        c.Corner = face == 6 ? 2 : -1;
        c.X = 100;
        c.Y = 50;
        c.Width = 60;
        c.Height = 40;
        c.Through = false;
        c.Depth = 25;
    }
    return std::move(d.M);
}

using TFindingKey = std::tuple<int, int, int, int, int, int, int, double, double>;

std::vector<TFindingKey> Keys(const TWallCheckResult& r)
{
    std::vector<TFindingKey> v;
    for (const auto& f : r.Findings)
        v.emplace_back(int(f.Kind), f.A.HoleNumber, f.A.StepIndex, f.B.HoleNumber, f.B.StepIndex, f.Face, f.CutOut,
                       f.Thickness, f.Required);
    for (const auto& c : r.Connections)
        v.emplace_back(9, c.A.HoleNumber, c.A.StepIndex, c.B.HoleNumber, c.B.StepIndex, 0, 0, c.Overlap, 0.0);
    return v;
}

} // namespace

TEST(WallCheck, BroadPhaseFindsWhatEveryPairFinds)
{
    for (const uint64_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        const auto m = RandomDesign(300, seed);
        for (const bool groups : {true, false}) {
            if (groups) m->fCalculateSettingsNew.fData.Flags.Include(cfnCheckGroups);
            else m->fCalculateSettingsNew.fData.Flags.Exclude(cfnCheckGroups);
            const TWallCheckResult grid = CheckWalls(*m);
            const TWallCheckResult all = CheckWallsBruteForce(*m);
            EXPECT_TRUE(grid.Complete);
            // A design that says something: walls of every kind and bores
            // that meet.
            EXPECT_GT(grid.BorePairFindings, 10u);
            EXPECT_GT(grid.FaceFindings, 10u);
            EXPECT_GT(grid.CutOutFindings, 0u);
            EXPECT_GT(grid.ConnectionCount, 5u);
            EXPECT_EQ(Keys(grid), Keys(all));
            // The broad phase hands on a small share of all pairs, and of
            // those it measures each pair that may be too close once: the
            // same pairs the reference measures.
            EXPECT_LT(grid.CandidatePairs * 10, all.CandidatePairs);
            EXPECT_EQ(grid.PairsTested, all.PairsTested);
        }
    }
}

TEST(WallCheck, CrowdedDesignsStopAtTheirBudgets)
{
    // Two thousand holes in one spot (every pair meets), and two hundred
    // thin bores on a 3 mm grid (every bore within reach of dozens of
    // others). Each budget stops the check on its own: it says it is
    // unfinished, counts what it left, and keeps only as many connections
    // as asked.
    TDesign stacked;
    for (int i = 0; i < 2000; ++i) stacked.Down(50, 50, 10, 50, i % 2 ? "P" : "T");
    TDesign grid;
    for (int i = 0; i < 200; ++i) grid.Down(20 + 3 * (i % 20), 20 + 3 * (i / 20), 2, 50, i % 2 ? "P" : "T");
    const struct { const char* name; const TDesign& design; TWallCheckOptions options; } cases[] = {
        {"boxes", stacked, {.MaxConnections = 100, .PairBudget = 5000}},
        {"kept pairs", stacked, {.MaxConnections = 100, .HitBudget = 3000}},
        {"exact distances", grid, {.MaxConnections = 100, .ExactBudget = 500}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TWallCheckResult r = c.design.Check(c.options);
        EXPECT_FALSE(r.Complete);
        EXPECT_GT(r.PairsNotTested, 0u);
        EXPECT_LE(r.Connections.size(), 100u);
        if (c.options.PairBudget) {
            EXPECT_LE(r.BoxTests, 5000u + 2000u); // at most one row of a cell beyond
        }
        if (c.options.HitBudget) {
            EXPECT_EQ(r.Connections.size(), 100u);
            EXPECT_GT(r.ConnectionCount, 100u);
            EXPECT_LE(r.ConnectionCount, 3000u);
        }
        if (c.options.ExactBudget) {
            EXPECT_EQ(r.PairsTested, 500u);
            EXPECT_GT(r.FindingCount, 0u);
        }
    }

    // With room enough the same kinds of design are measured completely:
    // every P hole meets every T hole; every bore has its neighbours.
    TDesign small;
    for (int i = 0; i < 60; ++i) small.Down(50, 50, 10, 50, i % 2 ? "P" : "T");
    const TWallCheckResult full = small.Check({.MaxConnections = 100});
    EXPECT_TRUE(full.Complete);
    EXPECT_EQ(full.PairsNotTested, 0u);
    EXPECT_EQ(full.ConnectionCount, 30u * 30u);
    EXPECT_EQ(full.Connections.size(), 100u);
    // The first in the order of the hole list.
    EXPECT_EQ(full.Connections[0].A.HoleNumber, 1);
    EXPECT_EQ(full.Connections[0].B.HoleNumber, 2);
    EXPECT_TRUE(grid.Check().Complete);
}

TEST(WallCheck, DemoHasItsOneThinWallAndItsOneConnection)
{
    // The demo is built to show the check: the spot faces of the gauge port
    // MP (P) and the port T leave 3.5 mm where 4 are needed, and the
    // face-seal port P1, which has no line yet, meets the P gallery. Every
    // other wall is thick enough and every other meeting is of one line.
    const auto demo = samples::DemoDesign();
    const THoleList& holes = demo->FHoleList;
    const TWallCheckResult r = CheckWalls(*demo);
    EXPECT_TRUE(r.Complete);
    ASSERT_EQ(r.Findings.size(), 1u);
    const TWallFinding& f = r.Findings[0];
    EXPECT_EQ(f.Kind, TWallOther::Bore);
    EXPECT_EQ(holes[f.A.HoleIndex]->FStepList[0]->ExtractRemarkCode(), "\"MP\"");
    EXPECT_EQ(holes[f.B.HoleIndex]->FStepList[0]->ExtractRemarkCode(), "\"T\"");
    EXPECT_EQ(f.A.Group, "P");
    EXPECT_EQ(f.B.Group, "T");
    EXPECT_TRUE(holes[f.A.HoleIndex]->FStepList[f.A.StepIndex]->GetIsSpotfaced());
    EXPECT_TRUE(holes[f.B.HoleIndex]->FStepList[f.B.StepIndex]->GetIsSpotfaced());
    EXPECT_EQ(f.Required, 4.0);
    // Spot faces of 25 and 34 mm, their centres (52, 30) and (57.5, 62.5)
    // on the front face.
    const double truth = std::hypot(57.5 - 52.0, 62.5 - 30.0) - 12.5 - 17.0;
    EXPECT_LE(f.Thickness, truth + 1e-9);
    EXPECT_GE(f.Thickness, truth - r.Tolerance);

    ASSERT_EQ(r.Connections.size(), 1u);
    const TWallConnection& c = r.Connections[0];
    EXPECT_EQ(holes[c.A.HoleIndex]->FStepList[0]->FData.Remark, "P gallery <>");
    EXPECT_EQ(holes[c.B.HoleIndex]->FStepList[0]->ExtractRemarkCode(), "\"P1\"");
    EXPECT_EQ(c.A.Group, "P");
    EXPECT_EQ(c.B.Group, "");
    EXPECT_GT(c.Overlap, 0.0);
}
