// The drilled solids of a hole: which pieces its steps make, where they lie
// in the block, and how threads count by the check's settings.
#include "check/BoreSolids.h"
#include "check/Distance.h"

#include "document/Manifolds.h"
#include "model/HoleLists.h"
#include "model/StepLists.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

using namespace qv;

namespace {

constexpr double kTan30 = 0.57735026918962576451; // depth per radius of a 120° drill point

struct TStepSpec {
    double D, d;
    int Angle = 120;
    bool Spotfaced = false;
};

class BoreSolids : public ::testing::Test {
protected:
    std::unique_ptr<TManifold> M = std::make_unique<TManifold>();
    TCalculateSettinsNewData Settings;

    void SetUp() override { M->FData.Max = {100, 80, 60}; }

    // A hole on Face at (a, b), its steps listed from the deepest up.
    THole& Hole(int Face, double a, double b, const std::vector<TStepSpec>& steps, double StartDepth = 0)
    {
        THole& h = *M->FHoleList.Add();
        h.FData.FaceNumber = Face;
        h.FData.XXY = a;
        h.FData.YZZ = b;
        h.FData.StartDepth = StartDepth;
        for (const TStepSpec& s : steps) {
            TStep& st = *h.FStepList.Add();
            st.FData.Diameter = s.D;
            st.FData.Depth = s.d;
            st.FData.TopAngle = s.Angle;
            if (s.Spotfaced) st.FData.Attribute.Include(saSpotfaced);
        }
        return h;
    }
    std::vector<TBorePiece> Pieces(const THole& h) const { return BorePiecesOf(*M, h, Settings); }
};

struct TExpected {
    double From, To; // depths below the hole's start along its axis
    double RFrom, RTo;
    int Step;
    double Diameter;
};

// Pieces of a hole drilled straight from face 1 at (a, b), starting at z0.
void ExpectAlongZ(const std::vector<TBorePiece>& got, double a, double b, double z0,
                  const std::vector<TExpected>& want, const std::string& what)
{
    ASSERT_EQ(got.size(), want.size()) << what;
    for (size_t i = 0; i < want.size(); ++i) {
        const std::string w = what + " piece " + std::to_string(i);
        const TBorePiece& p = got[i];
        const TExpected& e = want[i];
        EXPECT_NEAR(p.A.X, a, 1e-12) << w;
        EXPECT_NEAR(p.A.Y, b, 1e-12) << w;
        EXPECT_NEAR(p.B.X, a, 1e-12) << w;
        EXPECT_NEAR(p.B.Y, b, 1e-12) << w;
        EXPECT_NEAR(p.A.Z, z0 + e.From, 1e-12) << w;
        EXPECT_NEAR(p.B.Z, z0 + e.To, 1e-12) << w;
        EXPECT_NEAR(p.RA, e.RFrom, 1e-12) << w;
        EXPECT_NEAR(p.RB, e.RTo, 1e-12) << w;
        EXPECT_EQ(p.Step, e.Step) << w;
        EXPECT_NEAR(p.Diameter, e.Diameter, 1e-12) << w;
    }
}

TEST_F(BoreSolids, StepsMakeBoresDrillPointsAndShoulders)
{
    const double tip5 = 5 * kTan30, tip3 = 3 * kTan30;
    const struct {
        std::string Name;
        std::vector<TStepSpec> Steps;
        std::vector<TExpected> Want;
    } cases[] = {
        {"one step: bore to the cone depth, then the full drill point",
         {{10, 20}},
         {{0, 20 - tip5, 5, 5, 0, 10}, {20 - tip5, 20, 5, 0, 0, 10}}},
        {"two steps: the wider drill's point ends where it meets the narrower bore",
         {{6, 40}, {10, 20}},
         {{0, 20 - tip5, 5, 5, 1, 10},
          {20 - tip5, 20 - tip3, 5, 3, 1, 10},
          {20 - tip3, 40 - tip3, 3, 3, 0, 6},
          {40 - tip3, 40, 3, 0, 0, 6}}},
        {"a spot face ends flat: its shoulder is the end of its bore",
         {{6, 30}, {12, 5, 180, true}},
         {{0, 5, 6, 6, 1, 12}, {5, 30 - tip3, 3, 3, 0, 6}, {30 - tip3, 30, 3, 0, 0, 6}}},
        {"a flat-bottomed deepest step has no point",
         {{8, 25, 180}},
         {{0, 25, 4, 4, 0, 8}}},
        {"an undercut (the deeper step wider) makes no shoulder cone",
         {{12, 40}, {8, 20}},
         {{0, 20 - 4 * kTan30, 4, 4, 1, 8}, {20 - 4 * kTan30, 40 - 6 * kTan30, 6, 6, 0, 12},
          {40 - 6 * kTan30, 40, 6, 0, 0, 12}}},
        {"a deeper step inside the upper one's point adds only its own point",
         {{6, 19}, {10, 20}},
         {{0, 20 - tip5, 5, 5, 1, 10}, {20 - tip5, 20 - tip3, 5, 3, 1, 10}, {20 - tip3, 20, 3, 0, 0, 6}}},
        {"an O-ring groove counts as a full cylinder of its outer diameter, the bore starts at the face",
         {{8, 30}, {20, 0, 120, true}, {26, 2, 120, true}},
         {{0, 2, 13, 13, 2, 26}, {0, 30 - 4 * kTan30, 4, 4, 0, 8}, {30 - 4 * kTan30, 30, 4, 0, 0, 8}}},
    };
    for (const auto& c : cases) {
        const THole& h = Hole(1, 30, 40, c.Steps, 2);
        ExpectAlongZ(Pieces(h), 30, 40, 2, c.Want, c.Name);
    }
}

TEST_F(BoreSolids, CartridgePortZonesAreOneBore)
{
    THole& plain = Hole(1, 30, 40, {{16, 50}, {20, 30}});
    THole& cavity = Hole(1, 30, 40, {{16, 50}, {20, 30}});
    cavity.FData.Attribute.Include(haClosed);
    cavity.FStepList.GetSteps(0)->FData.PortMin = 35;
    cavity.FStepList.GetSteps(0)->FData.PortMax = 42;
    // A port edge inside the drill point between the two diameters.
    cavity.FStepList.GetSteps(1)->FData.PortMax = 29;
    const auto a = Pieces(plain), b = Pieces(cavity);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].A, b[i].A) << i;
        EXPECT_EQ(a[i].B, b[i].B) << i;
        EXPECT_EQ(a[i].RA, b[i].RA) << i;
        EXPECT_EQ(a[i].RB, b[i].RB) << i;
    }
}

TEST_F(BoreSolids, ThreadsCountByTheirNominalSizeOnlyWithTheFlag)
{
    // An M12 thread (core drill 10.2) 15 long in a bore 25 deep, at the face.
    THole& h = Hole(1, 30, 40, {{10.2, 25}});
    TStep& st = *h.FStepList.GetSteps(0);
    st.FData.Attribute.Include(saThreaded);
    st.FData.OutsideDiameter = 12;
    st.FData.Length = 15;
    const double tip = 5.1 * kTan30;

    Settings.Flags.Include(cfnCheckThread);
    Settings.ThreadCorrection = 0.5;
    ExpectAlongZ(Pieces(h), 30, 40, 0,
                 {{0, 25 - tip, 5.1, 5.1, 0, 12.5}, {25 - tip, 25, 5.1, 0, 0, 12.5}, {0, 15, 6.25, 6.25, 0, 12.5}},
                 "with the flag");

    Settings.Flags.Exclude(cfnCheckThread);
    ExpectAlongZ(Pieces(h), 30, 40, 0, {{0, 25 - tip, 5.1, 5.1, 0, 10.2}, {25 - tip, 25, 5.1, 0, 0, 10.2}},
                 "without the flag");

    // A thread without its outer diameter cannot be counted by it.
    Settings.Flags.Include(cfnCheckThread);
    st.FData.OutsideDiameter = 0;
    ExpectAlongZ(Pieces(h), 30, 40, 0, {{0, 25 - tip, 5.1, 5.1, 0, 10.2}, {25 - tip, 25, 5.1, 0, 0, 10.2}},
                 "no outer diameter");
}

TEST_F(BoreSolids, AThreadBelowASpotFaceStartsAtTheShoulder)
{
    // Thread OD 12, L 15 on step 0 under a flat spot face 2 deep: measured
    // from the shoulder it ends at 17; measured from the top at 15.
    THole& h = Hole(1, 30, 40, {{10.2, 30}, {20, 2, 180, true}});
    TStep& st = *h.FStepList.GetSteps(0);
    st.FData.Attribute.Include(saThreaded);
    st.FData.OutsideDiameter = 12;
    st.FData.Length = 15;
    Settings.Flags.Include(cfnCheckThread);
    for (bool fromTop : {false, true}) {
        M->FData.FileFlags.Set(ffThreadFromTop, fromTop);
        const auto pieces = Pieces(h);
        ASSERT_FALSE(pieces.empty());
        const TBorePiece& thread = pieces.back();
        EXPECT_NEAR(thread.A.Z, 2, 1e-12) << fromTop;
        EXPECT_NEAR(thread.B.Z, fromTop ? 15 : 17, 1e-12) << fromTop;
        EXPECT_NEAR(thread.RA, 6, 1e-12) << fromTop;
    }
}

TEST_F(BoreSolids, DummyHolesAndHolesWithoutStepsAreNotDrilled)
{
    THole& dummy = Hole(1, 30, 40, {{10, 20}});
    dummy.FData.Attribute.Include(haDummyHole);
    EXPECT_TRUE(Pieces(dummy).empty());
    EXPECT_TRUE(Pieces(Hole(1, 30, 40, {})).empty());
}

TEST_F(BoreSolids, TheAxisRunsFromTheFaceIntoTheBlock)
{
    // A flat-bottomed bore 10 deep, 2 below the face, on each face: where it
    // starts and ends in block coordinates (Max = 100, 80, 60).
    const struct {
        int Face;
        TXYZPoint A, B;
    } cases[] = {
        {1, {30, 40, 2}, {30, 40, 12}}, {2, {30, 2, 40}, {30, 12, 40}}, {3, {2, 30, 40}, {12, 30, 40}},
        {4, {98, 30, 40}, {88, 30, 40}}, {5, {30, 78, 40}, {30, 68, 40}}, {6, {30, 40, 58}, {30, 40, 48}},
    };
    for (const auto& c : cases) {
        const auto p = Pieces(Hole(c.Face, 30, 40, {{6, 10, 180}}, 2));
        ASSERT_EQ(p.size(), 1u) << c.Face;
        for (auto [got, want] : {std::pair{p[0].A, c.A}, std::pair{p[0].B, c.B}}) {
            EXPECT_NEAR(got.X, want.X, 1e-12) << c.Face;
            EXPECT_NEAR(got.Y, want.Y, 1e-12) << c.Face;
            EXPECT_NEAR(got.Z, want.Z, 1e-12) << c.Face;
        }
    }
}

TEST_F(BoreSolids, AnAngledHoleMeetsTheFacesWhereItsTiltTakesIt)
{
    // From face 1 at (50, 40), tilted 30° towards +X: a flat-bottomed bore of
    // D 10, 40 deep along its axis. Its end disk's centre is at
    // (50 + 40 sin 30°, 40, 40 cos 30°); the disk leans with the axis, so its
    // rim reaches r cos 30° further in X and r sin 30° further in Z.
    THole& h = Hole(1, 50, 40, {{10, 40, 180}});
    h.FData.Attribute.Include(haAngled);
    h.FData.AngleValue = 30;
    h.FData.AngleRotation = 0;
    const auto pieces = Pieces(h);
    ASSERT_EQ(pieces.size(), 1u);
    const double s = 0.5, c = std::sqrt(3.0) / 2;
    EXPECT_NEAR(pieces[0].B.X, 50 + 40 * s, 1e-12);
    EXPECT_NEAR(pieces[0].B.Z, 40 * c, 1e-12);
    const double toFace4 = PieceToPlane(pieces[0], {100, 0, 0}, {1, 0, 0}).Distance;
    EXPECT_LE(toFace4, 100 - (50 + 40 * s + 5 * c));
    EXPECT_GE(toFace4, 100 - (50 + 40 * s + 5 * c) - 1e-9);
    const double toFace6 = PieceToPlane(pieces[0], {0, 0, 60}, {0, 0, 1}).Distance;
    EXPECT_LE(toFace6, 60 - (40 * c + 5 * s));
    EXPECT_GE(toFace6, 60 - (40 * c + 5 * s) - 1e-9);
    // Two such holes side by side, the second 30 further in Y: parallel
    // bores 30 - 10 apart.
    THole& g = Hole(1, 50, 70, {{10, 40, 180}});
    g.FData.Attribute.Include(haAngled);
    g.FData.AngleValue = 30;
    const TSeparation between = PieceDistance(pieces[0], Pieces(g)[0], 1e-6);
    EXPECT_LE(between.Distance, 20.0);
    EXPECT_GE(between.Distance, 20.0 - 1e-6);
}

TEST_F(BoreSolids, DamagedStepValuesGiveNoUnusablePieces)
{
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    THole& h = Hole(1, 30, 40, {{nan, 20}, {10, inf}, {-4, 10}, {8, nan}});
    h.FData.StartDepth = 0;
    for (const TBorePiece& p : Pieces(h)) {
        EXPECT_TRUE(std::isfinite(p.A.X) && std::isfinite(p.A.Y) && std::isfinite(p.A.Z));
        EXPECT_TRUE(std::isfinite(p.B.X) && std::isfinite(p.B.Y) && std::isfinite(p.B.Z));
        EXPECT_TRUE(p.RA >= 0 && std::isfinite(p.RA));
        EXPECT_TRUE(p.RB >= 0 && std::isfinite(p.RB));
    }
}

} // namespace
