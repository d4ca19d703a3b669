// The 3D picture built from small designs, checked on the dumped scene
// tree: block, edges and face numbers, bore solids (cylinders, cones,
// shoulders, cartridge port zones, O-ring grooves, threads, port rings),
// hole orientation, labels and item numbers.
#include "Drawing3DSupport.h"

#include "document/Manifolds.h"
#include "testkit/SampleDesigns.h"
#include "view3d/HoleMarks3D.h"
#include "view3d/Manifolds.Drawing3D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace qv;
using namespace qv::test3d;

namespace {

constexpr double kTan30 = 0.57735026918962576;

// Scene point of a model point for a block.
TV Scene(const TXYZPoint& max, double sc, double x, double y, double z)
{
    return {sc * (max.X / 2 - x), sc * (max.Y / 2 - y), sc * (max.Z / 2 - z)};
}

} // namespace

TEST(Drawing3D, BlockEdgesAndFaceNumbersOf100x50x20)
{
    auto doc = NewDesign({100, 50, 20});
    TIsometricDrawingSettings s;
    s.fData.IsoFlags.Include(isoManifold);
    const TDump d = Dump(*doc, s);
    EXPECT_DOUBLE_EQ(d.SC, 0.05);
    EXPECT_NEAR(d.LabelTextHeight, 0.05, 1e-12);

    const auto cubes = d.OfKind("TGLCube");
    ASSERT_EQ(cubes.size(), 1u);
    EXPECT_NEAR(Num(*cubes[0], "CubeWidth"), 5, 1e-6);
    EXPECT_NEAR(Num(*cubes[0], "CubeHeight"), 2.5, 1e-6);
    EXPECT_NEAR(Num(*cubes[0], "CubeDepth"), 1, 1e-6);
    EXPECT_TRUE((*cubes[0])["Visible"].toBool());
    EXPECT_EQ((*cubes[0])["Material"].toObject()["BlendingMode"].toString(), "bmTransparency");
    EXPECT_NEAR((*cubes[0])["Material"].toObject()["FrontDiffuse"].toArray()[3].toDouble(), 0.4, 1e-6);

    // Twelve two-node lines: four along each axis, each ending on corners.
    const auto lines = d.OfKind("TGLLines");
    ASSERT_EQ(lines.size(), 12u);
    int along[3] = {0, 0, 0};
    for (const auto* l : lines) {
        const auto nodes = (*l)["Nodes"].toArray();
        ASSERT_EQ(nodes.size(), 2);
        const TV a = Vec(nodes[0]), b = Vec(nodes[1]);
        for (const TV& p : {a, b}) {
            EXPECT_NEAR(std::fabs(p.X), 2.5, 1e-6);
            EXPECT_NEAR(std::fabs(p.Y), 1.25, 1e-6);
            EXPECT_NEAR(std::fabs(p.Z), 0.5, 1e-6);
        }
        const TV e = {std::fabs(b.X - a.X), std::fabs(b.Y - a.Y), std::fabs(b.Z - a.Z)};
        if (NearVec(e, {5, 0, 0})) ++along[0];
        if (NearVec(e, {0, 2.5, 0})) ++along[1];
        if (NearVec(e, {0, 0, 1})) ++along[2];
        EXPECT_EQ((*l)["Tag"].toInt(), 0);
        EXPECT_EQ((*l)["NodesAspect"].toString(), "lnaInvisible");
        EXPECT_TRUE(NearColor((*l)["LineColor"], 0x00808080, 1));
    }
    EXPECT_EQ(along[0], 4);
    EXPECT_EQ(along[1], 4);
    EXPECT_EQ(along[2], 4);

    // Face numbers: position, height 2 x label height, and frame A (reading
    // and up in model axes; the scene runs opposite to the model).
    struct Row { int face; TV pos; TV reading; TV up; };
    const double X = 2.5, Y = 1.25, Z = 0.5, h = 0.1;
    const Row rows[] = {
        {1, {X, Y, Z}, {1, 0, 0}, {0, 1, 0}},          {2, {X, Y, Z - h}, {1, 0, 0}, {0, 0, -1}},
        {3, {X, Y - 4 * h, Z - h}, {0, -1, 0}, {0, 0, -1}}, {4, {-X, Y, Z - h}, {0, 1, 0}, {0, 0, -1}},
        {5, {X, -Y, Z}, {1, 0, 0}, {0, 0, 1}},         {6, {X, Y - h, -Z}, {1, 0, 0}, {0, -1, 0}},
    };
    const auto texts = d.OfKind("TGLSpaceText");
    ASSERT_EQ(texts.size(), 6u);
    for (const Row& r : rows) {
        const QJsonObject& t = *texts[size_t(r.face - 1)];
        SCOPED_TRACE(r.face);
        EXPECT_EQ(t["Text"].toString().toStdString(), "Face" + std::to_string(r.face));
        EXPECT_EQ(t["Tag"].toInt(), -1);
        EXPECT_NEAR(Num(t, "TextHeight"), h, 1e-6);
        EXPECT_EQ(t["AdjustHorz"].toString(), "haLeft");
        EXPECT_EQ(t["AdjustVert"].toString(), "vaBaseLine");
        EXPECT_TRUE(NearVec(Vec(t["AbsolutePosition"]), r.pos));
        EXPECT_TRUE(NearVec(Vec(t["AbsoluteUp"]), Neg(r.up)));
        EXPECT_TRUE(NearVec(ReadingOf(t), Neg(r.reading)));
        EXPECT_TRUE(NearColor(t["Material"].toObject()["FrontDiffuse"], 0x0000FFFF, -1));
    }
}

TEST(Drawing3D, BlockSwitches)
{
    auto doc = NewDesign({100, 50, 20});
    TIsometricDrawingSettings s;
    s.fData.IsoFlags.Exclude(isoManifold);
    s.fData.IsoFlags.Exclude(isoFaceNumbers);
    const TDump d = Dump(*doc, s);
    ASSERT_EQ(d.OfKind("TGLCube").size(), 1u);
    EXPECT_FALSE((*d.OfKind("TGLCube")[0])["Visible"].toBool());
    EXPECT_TRUE(d.OfKind("TGLSpaceText").empty());
    EXPECT_EQ(d.OfKind("TGLLines").size(), 12u);
}

// The demo block, 160 x 120 x 90, has a chamfer along the Z edge at X = 0,
// Y = 120 and a step at the corner X = 160, Y = 0 of the top face: its
// outline is the cut block's 24 edges instead of the box's 12, and building
// the scene refreshes the cut-outs' face views.
TEST(Drawing3D, BlockWithCutOutsShowsTheirOutline)
{
    const auto demo = samples::DemoDesign();
    ASSERT_EQ(demo->CutOutList().Count(), 2);
    for (int face = 1; face <= 6; ++face) demo->CutOutList().GetFaceLines(face)->clear();
    const TDump d = Dump(*demo, Quiet());
    const TXYZPoint max = demo->Max();

    std::vector<std::pair<TV, TV>> outline;
    for (const auto* l : d.OfKind("TGLLines"))
        if (NearColor((*l)["LineColor"], 0x00808080, 1) && (*l)["Nodes"].toArray().size() == 2)
            outline.push_back({Vec((*l)["Nodes"].toArray()[0]), Vec((*l)["Nodes"].toArray()[1])});
    EXPECT_EQ(outline.size(), 24u);
    auto has = [&](const TXYZPoint& a, const TXYZPoint& b) {
        const TV p = Scene(max, d.SC, a.X, a.Y, a.Z), q = Scene(max, d.SC, b.X, b.Y, b.Z);
        return std::any_of(outline.begin(), outline.end(), [&](const auto& e) {
            return (NearVec(e.first, p) && NearVec(e.second, q)) || (NearVec(e.first, q) && NearVec(e.second, p));
        });
    };
    EXPECT_TRUE(has({0, 108, 90}, {12, 120, 90})) << "the chamfer's slanted edge on the top face";
    EXPECT_TRUE(has({144, 0, 80}, {160, 0, 80})) << "the step's floor";
    EXPECT_FALSE(has({0, 120, 0}, {0, 120, 90})) << "the chamfered corner edge is gone";
    for (int face = 1; face <= 6; ++face) EXPECT_FALSE(demo->CutOutList().GetFaceLines(face)->empty()) << face;
}

TEST(Drawing3D, PlainHoleIsACylinderAndItsDrillPoint)
{
    auto doc = NewDesign({100, 50, 20});
    THole* h = AddHole(*doc, 7, 1, 30, 20);
    AddStep(*h, 10, 20, 120);
    for (bool filled : {false, true}) {
        SCOPED_TRACE(filled);
        TIsometricDrawingSettings s = Quiet();
        s.fData.IsoFlags.Set(isoFilledCylinders, filled);
        const TDump d = Dump(*doc, s);
        const auto solids = d.Solids();
        ASSERT_EQ(solids.size(), 2u);
        const char* kind = filled ? "TGLCylinder" : "TGLAnnulus";
        const double sc = 0.05, C = 20 - 5 * kTan30, T = 5 * kTan30;
        const QJsonObject& bore = *solids[0];
        const QJsonObject& cone = *solids[1];
        EXPECT_EQ(bore["Kind"].toString(), kind);
        EXPECT_EQ(cone["Kind"].toString(), kind);
        EXPECT_EQ(bore["Tag"].toInt(), 70000);
        EXPECT_EQ(cone["Tag"].toInt(), 70000);
        EXPECT_NEAR(Num(bore, "Height"), sc * C, 1e-6);
        EXPECT_NEAR(Num(bore, "TopRadius"), sc * 5, 1e-6);
        EXPECT_NEAR(Num(bore, "BottomRadius"), sc * 5, 1e-6);
        EXPECT_EQ(bore["Slices"].toInt(), 64);
        EXPECT_EQ(bore["Stacks"].toInt(), 1);
        EXPECT_TRUE(NearVec(Vec(bore["AbsolutePosition"]), Scene({100, 50, 20}, sc, 30, 20, C / 2)));
        EXPECT_TRUE(NearVec(Vec(bore["AbsoluteUp"]), {0, 0, 1}));
        EXPECT_NEAR(Num(cone, "Height"), sc * T, 1e-6);
        EXPECT_NEAR(Num(cone, "TopRadius"), sc * 5, 1e-6);
        EXPECT_NEAR(Num(cone, "BottomRadius"), 0, 1e-9);
        EXPECT_TRUE(NearVec(Vec(cone["AbsolutePosition"]), Scene({100, 50, 20}, sc, 30, 20, C + T / 2)));
        if (!filled) {
            EXPECT_NEAR(Num(bore, "TopInnerRadius"), sc * 5, 1e-6);
            EXPECT_NEAR(Num(cone, "BottomInnerRadius"), 0, 1e-9);
        }
        EXPECT_EQ(Num(bore, "TagFloat"), double(0x00C0C0C0));
        EXPECT_EQ(bore["Material"].toObject()["BlendingMode"].toString(), "bmOpaque");
    }
}

TEST(Drawing3D, SpotFaceShoulderIsAFlatRingOnlyForThinWalls)
{
    auto doc = NewDesign({100, 50, 20});
    THole* h = AddHole(*doc, 1, 1, 30, 20);
    AddStep(*h, 6, 15, 180);
    AddStep(*h, 12, 4, 180)->FData.Attribute.Include(saSpotfaced);
    for (bool filled : {false, true}) {
        SCOPED_TRACE(filled);
        TIsometricDrawingSettings s = Quiet();
        s.fData.IsoFlags.Set(isoFilledCylinders, filled);
        const TDump solidsDump = Dump(*doc, s);
        const auto solids = solidsDump.Solids();
        // Counterbore, (ring,) bore; a flat point adds no cone.
        ASSERT_EQ(solids.size(), filled ? 2u : 3u);
        if (!filled) {
            const QJsonObject& ring = *solids[1];
            EXPECT_NEAR(Num(ring, "Height"), 0, 1e-9);
            EXPECT_NEAR(Num(ring, "BottomRadius"), 0.05 * 3, 1e-6);
            EXPECT_NEAR(Num(ring, "TopRadius"), 0.05 * 6, 1e-6);
            EXPECT_EQ(ring["Tag"].toInt(), 10001);
            EXPECT_TRUE(NearVec(Vec(ring["AbsolutePosition"]), Scene({100, 50, 20}, 0.05, 30, 20, 4)));
        }
        const QJsonObject& bore = *solids.back();
        EXPECT_NEAR(Num(bore, "Height"), 0.05 * 11, 1e-6);
        EXPECT_TRUE(NearVec(Vec(bore["AbsolutePosition"]), Scene({100, 50, 20}, 0.05, 30, 20, 4 + 5.5)));
    }
}

TEST(Drawing3D, CartridgePortZones)
{
    // A cavity step with its port between depths 5 and 12 and a cone depth
    // of 20: above the port silver, the port in the group colour, below it
    // silver again unless it is the deepest step.
    const TColor red = 0x000000FF;
    struct Row { bool deepest; TColor below; };
    for (const Row& r : {Row{false, DefaultHoleColour}, Row{true, red}}) {
        SCOPED_TRACE(r.deepest);
        auto doc = NewDesign({100, 50, 40});
        AddGroup(*doc, "P", red);
        THole* h = AddHole(*doc, 3, 1, 50, 25);
        h->FData.Attribute.Include(haClosed);
        if (!r.deepest) AddStep(*h, 8, 30, 180)->FData.GroupCode = "P";
        TStep* cavity = AddStep(*h, 16, 20, 180);
        cavity->FData.GroupCode = "P";
        cavity->FData.PortMin = 5;
        cavity->FData.PortMax = 12;
        TIsometricDrawingSettings s = Quiet();
        s.fData.IsoFlags.Include(isoShowPorts);
        const TDump d = Dump(*doc, s);
        const auto solids = d.Solids();
        struct Zone { double top, bottom; TColor colour; };
        const Zone zones[] = {{0, 5, DefaultHoleColour}, {5, 12, red}, {12, 20, r.below}};
        std::vector<const QJsonObject*> walls;
        for (const auto* n : solids)
            if (Num(*n, "TagFloat") != 0x0000FFFF) walls.push_back(n);
        ASSERT_GE(walls.size(), 3u);
        const int t = r.deepest ? 0 : 1;
        for (int i = 0; i < 3; ++i) {
            const QJsonObject& w = *walls[size_t(i)];
            SCOPED_TRACE(i);
            EXPECT_EQ(w["Tag"].toInt(), 30000 + t);
            EXPECT_NEAR(Num(w, "Height"), 0.05 * (zones[i].bottom - zones[i].top), 1e-6);
            const double mid = (zones[i].top + zones[i].bottom) / 2;
            EXPECT_TRUE(NearVec(Vec(w["AbsolutePosition"]), Scene({100, 50, 40}, 0.05, 50, 25, mid)));
            EXPECT_EQ(Num(w, "TagFloat"), double(zones[i].colour));
        }
        // Port rings at both port depths, 0.1 high in a millimetre design.
        std::vector<const QJsonObject*> rings;
        for (const auto* n : solids)
            if (Num(*n, "TagFloat") == 0x0000FFFF) rings.push_back(n);
        ASSERT_EQ(rings.size(), 2u);
        for (int i = 0; i < 2; ++i) {
            const QJsonObject& ring = *rings[size_t(i)];
            EXPECT_EQ(ring["Kind"].toString(), "TGLAnnulus");
            EXPECT_NEAR(Num(ring, "Height"), 0.05 * 0.1, 1e-7);
            EXPECT_NEAR(Num(ring, "TopRadius"), 1.01 * 0.05 * 8, 1e-6);
            EXPECT_NEAR(Num(ring, "TopInnerRadius"), 0.99 * 0.05 * 8, 1e-6);
            const double depth = i == 0 ? 5 : 12;
            EXPECT_TRUE(NearVec(Vec(ring["AbsolutePosition"]), Scene({100, 50, 40}, 0.05, 50, 25, depth)));
        }
    }
}

TEST(Drawing3D, PortRingsOfAnInchDesignAre0004High)
{
    auto doc = NewDesign({4, 3, 2});
    doc->FData.MeasuringUnits = muIN;
    THole* h = AddHole(*doc, 1, 1, 2, 1.5);
    AddStep(*h, 0.5, 1, 180)->FData.PortMin = 0.25;
    TIsometricDrawingSettings s = Quiet();
    s.fData.IsoFlags.Include(isoShowPorts);
    const TDump solidsDump = Dump(*doc, s);
    const auto solids = solidsDump.Solids();
    ASSERT_EQ(solids.size(), 2u);
    EXPECT_NEAR(Num(*solids[1], "Height"), 1.25 * 0.004, 1e-7);
}

TEST(Drawing3D, ORingGrooveIsAStackOfItsOwn)
{
    auto doc = NewDesign({100, 50, 40});
    THole* h = AddHole(*doc, 2, 1, 50, 25);
    AddStep(*h, 10, 30, 180);
    TStep* inner = AddStep(*h, 20, 0, 180);
    inner->FData.Attribute.Include(saSpotfaced);
    TStep* outer = AddStep(*h, 30, 2, 180);
    outer->FData.Attribute.Include(saSpotfaced);
    ASSERT_TRUE(h->FStepList.ORingFound());
    const TDump d = Dump(*doc, Quiet());
    std::vector<const QJsonObject*> roots;
    for (const auto& n : d.Nodes)
        if (n["Tag"].toInt() > 0 && n["Kind"].toString() == "TGLAnnulus") roots.push_back(&n);
    ASSERT_EQ(roots.size(), 2u);
    const QJsonObject& groove = *roots[0];
    EXPECT_EQ(groove["Tag"].toInt(), 20001);
    EXPECT_NEAR(Num(groove, "TopRadius"), 0.05 * 10, 1e-6);
    EXPECT_NEAR(Num(groove, "Height"), 0.05 * 2, 1e-6);
    const auto kids = groove["Children"].toArray();
    ASSERT_EQ(kids.size(), 2);
    const QJsonObject outerWall = kids[0].toObject(), bottom = kids[1].toObject();
    EXPECT_EQ(outerWall["Tag"].toInt(), 20002);
    EXPECT_NEAR(Num(outerWall, "TopRadius"), 0.05 * 15, 1e-6);
    EXPECT_TRUE(NearVec(Vec(outerWall["AbsolutePosition"]), Scene({100, 50, 40}, 0.05, 50, 25, 1)));
    EXPECT_NEAR(Num(bottom, "Height"), 0, 1e-9);
    EXPECT_NEAR(Num(bottom, "BottomRadius"), 0.05 * 10, 1e-6);
    EXPECT_NEAR(Num(bottom, "TopRadius"), 0.05 * 15, 1e-6);
    EXPECT_TRUE(NearVec(Vec(bottom["AbsolutePosition"]), Scene({100, 50, 40}, 0.05, 50, 25, 2)));
    // The bore starts its own stack at the face.
    const QJsonObject& bore = *roots[1];
    EXPECT_EQ(bore["Tag"].toInt(), 20000);
    EXPECT_NEAR(Num(bore, "Height"), 0.05 * 30, 1e-6);
    EXPECT_TRUE(NearVec(Vec(bore["AbsolutePosition"]), Scene({100, 50, 40}, 0.05, 50, 25, 15)));
}

TEST(Drawing3D, HoleAxisPointsOutOfTheBlock)
{
    struct Row { int face; bool angled; double A, R; TV up; };
    const double s30 = 0.5, c30 = std::sqrt(3.0) / 2;
    const Row rows[] = {
        {1, false, 0, 0, {0, 0, 1}},  {2, false, 0, 0, {0, 1, 0}},  {3, false, 0, 0, {1, 0, 0}},
        {4, false, 0, 0, {-1, 0, 0}}, {5, false, 0, 0, {0, -1, 0}}, {6, false, 0, 0, {0, 0, -1}},
        // model top (-sin 30, 0, -cos 30), the scene runs opposite
        {1, true, 30, 0, {s30, 0, c30}},
        {1, true, 30, 90, {0, s30, c30}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.face << " " << r.A << " " << r.R);
        auto doc = NewDesign({100, 100, 100});
        THole* h = AddHole(*doc, 1, r.face, 50, 50);
        if (r.angled) h->FData.Attribute.Include(haAngled);
        h->FData.AngleValue = r.A;
        h->FData.AngleRotation = r.R;
        AddStep(*h, 10, 20, 120);
        const TDump solidsDump = Dump(*doc, Quiet());
        const auto solids = solidsDump.Solids();
        ASSERT_EQ(solids.size(), 2u);
        EXPECT_TRUE(NearVec(Vec((*solids[0])["AbsoluteUp"]), r.up));
        // The cone's tip lies deeper along the axis than the bore's centre.
        const TV a = Vec((*solids[0])["AbsolutePosition"]), b = Vec((*solids[1])["AbsolutePosition"]);
        const TV ab = {b.X - a.X, b.Y - a.Y, b.Z - a.Z};
        EXPECT_LT(ab.X * r.up.X + ab.Y * r.up.Y + ab.Z * r.up.Z, 0);
    }
}

TEST(Drawing3D, ThreadsTakeTheThreadColourAndAreMarkedNegative)
{
    auto doc = NewDesign({100, 50, 40});
    THole* h = AddHole(*doc, 4, 1, 50, 25);
    TStep* st = AddStep(*h, 10, 20, 120);
    st->FData.Attribute.Include(saThreaded);
    st->FData.OutsideDiameter = 12;
    st->FData.Length = 15;
    TIsometricDrawingSettings s = Quiet();
    s.fData.IsoFlags.Include(isoShowThread);
    const TDump solidsDump = Dump(*doc, s);
    const auto solids = solidsDump.Solids();
    const QJsonObject* thread = nullptr;
    for (const auto* n : solids)
        if (Num(*n, "TagFloat") < 0) thread = n;
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(Num(*thread, "TagFloat"), -double(0x00C0C0C0));
    EXPECT_EQ((*thread)["Tag"].toInt(), 40000);
    EXPECT_NEAR(Num(*thread, "TopRadius"), 0.05 * 6, 1e-6);
    EXPECT_NEAR(Num(*thread, "Height"), 0.05 * 15, 1e-6);
    EXPECT_TRUE(NearVec(Vec((*thread)["AbsolutePosition"]), Scene({100, 50, 40}, 0.05, 50, 25, 7.5)));
    const QJsonObject m = (*thread)["Material"].toObject();
    EXPECT_EQ(m["BlendingMode"].toString(), "bmTransparency");
    EXPECT_TRUE(NearColor(m["FrontDiffuse"], s.fData.ThreadColor, s.fData.TransparencyThread));
}

TEST(Drawing3D, DummyHoleKeepsItsMarksWithoutSolids)
{
    auto doc = NewDesign({100, 50, 40});
    THole* h = AddHole(*doc, 5, 1, 50, 25);
    h->FData.Attribute.Include(haDummyHole);
    h->FData.Attribute.Include(haPlugged);
    AddStep(*h, 10, 20, 120);
    h->fHoleTextList.Add()->fdata.Caption = "T";
    TIsometricDrawingSettings s = Quiet();
    for (auto f : {isoPlugs, isoHoleTexts, isoHoleNumbers}) s.fData.IsoFlags.Include(f);
    const TDump d = Dump(*doc, s);
    EXPECT_TRUE(d.Solids().empty());
    EXPECT_EQ(d.OfKind("TGLLines").size(), 12u + 2u + 1u); // edges, plug cross, text border
    // The hole text stays; the hole number of a hidden dummy hole does not.
    const auto texts = d.OfKind("TGLSpaceText");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ((*texts[0])["Text"].toString(), "T");

    s.fData.IsoFlags.Include(isoDummyHoles);
    const TDump shown = Dump(*doc, s);
    EXPECT_EQ(shown.Solids().size(), 2u);
    EXPECT_EQ(shown.OfKind("TGLSpaceText").size(), 2u);
}

TEST(Drawing3D, MissingHoleNumberBuildsNothing)
{
    auto doc = NewDesign({100, 50, 40});
    AddStep(*AddHole(*doc, 5, 1, 50, 25), 10, 20, 120);
    TIsometricDrawingSettings s;
    scene::TGLDummyCube root;
    DrawHole3D(*doc, 6, 0, s, &root, 0.05, 0.05);
    EXPECT_EQ(root.Count(), 0);
    DrawHole3D(*doc, 5, 0, s, &root, 0.05, 0.05);
    EXPECT_GT(root.Count(), 0);
}

TEST(Drawing3D, ColourModesRecolourButKeepTheOwnColourInTagFloat)
{
    auto doc = NewDesign({100, 50, 40});
    AddGroup(*doc, "A", 0x00112233);
    AddStep(*AddHole(*doc, 5, 1, 50, 25), 10, 20, 120)->FData.GroupCode = "a";
    TIsometricDrawingSettings s = Quiet();
    struct Row { uint8_t mode; TColor drawn; };
    for (const Row& r : {Row{0, 0x00112233}, Row{1, 0x00FF0000}, Row{2, 0x00222222}}) {
        scene::TGLDummyCube root;
        DrawHole3D(*doc, 5, r.mode, s, &root, 0.05, 0.05);
        ASSERT_GT(root.Count(), 0);
        auto* solid = dynamic_cast<scene::TGLCylinderBase*>(root.Children(0));
        ASSERT_NE(solid, nullptr);
        EXPECT_EQ(solid->TagFloat, float(0x00112233));
        EXPECT_EQ(solid->GetMaterial().FrontProperties.Diffuse, scene::ConvertWinColor(r.drawn, 0));
    }
}

// ------------------------------------------------------------------
// Labels

TEST(Drawing3D, RemarkNameAndRaisedHoleNumber)
{
    auto doc = NewDesign({100, 50, 40});
    THole* h = AddHole(*doc, 12, 1, 40, 20);
    AddStep(*h, 10, 20, 120)->FData.Remark = "'P1' pressure";
    struct Row { bool texts; std::vector<std::string> labels; };
    for (const Row& r : {Row{true, {"P1", "12"}}, Row{false, {"12"}}}) {
        TIsometricDrawingSettings s = Quiet();
        s.fData.IsoFlags.Include(isoHoleNumbers);
        s.fData.IsoFlags.Set(isoHoleTexts, r.texts);
        const TDump d = Dump(*doc, s);
        const auto texts = d.OfKind("TGLSpaceText");
        ASSERT_EQ(texts.size(), r.labels.size());
        const double c = 0.353 * 10, sc = 0.05, h0 = d.LabelTextHeight;
        for (size_t i = 0; i < texts.size(); ++i) {
            const QJsonObject& t = *texts[i];
            EXPECT_EQ(t["Text"].toString().toStdString(), r.labels[i]);
            EXPECT_EQ(t["Tag"].toInt(), 120999);
            const bool number = r.labels[i] == "12";
            const double raise = number ? 1.5 * h0 / sc : 0;
            EXPECT_TRUE(NearVec(Vec(t["AbsolutePosition"]), Scene({100, 50, 40}, sc, 40 + c, 20 + c + raise, 0)));
            EXPECT_NEAR(Num(t, "TextHeight"), h0, 1e-7);
            EXPECT_TRUE(NearColor(t["Material"].toObject()["FrontDiffuse"], number ? 0x00FFFF00 : 0x000000FF, -1));
        }
    }
}

TEST(Drawing3D, MultiLineHoleTextIsSpreadAndBoxedOnce)
{
    auto doc = NewDesign({100, 50, 40});
    THole* h = AddHole(*doc, 1, 1, 40, 20);
    AddStep(*h, 10, 20, 120);
    THoleText* t = h->fHoleTextList.Add();
    t->fdata.Caption = "A|BB|C";
    t->fdata.TextHeight = 2;
    t->fdata.OffSet = {10, 5};
    t->fdata.UseBorder = true;
    t->fdata.UseTextFromRemark = false;
    t->fdata.InsertionPoint = 0;
    TIsometricDrawingSettings s = Quiet();
    s.fData.IsoFlags.Include(isoHoleTexts);
    const TDump d = Dump(*doc, s);
    const auto texts = d.OfKind("TGLSpaceText");
    ASSERT_EQ(texts.size(), 3u);
    const double sc = 0.05;
    const double ys[] = {5 + 3, 5, 5 - 3}; // line 0 on top, 1.5 text heights apart
    for (int i = 0; i < 3; ++i) {
        const QJsonObject& n = *texts[size_t(i)];
        EXPECT_EQ(n["AdjustHorz"].toString(), "haCenter");
        EXPECT_EQ(n["AdjustVert"].toString(), "vaCenter");
        EXPECT_NEAR(Num(n, "TextHeight"), sc * 2, 1e-7);
        EXPECT_TRUE(NearVec(Vec(n["AbsolutePosition"]), Scene({100, 50, 40}, sc, 50, 20 + ys[i], 0)));
    }
    const auto lines = d.OfKind("TGLLines");
    ASSERT_EQ(lines.size(), 13u);
    const auto border = (*lines.back())["Nodes"].toArray();
    ASSERT_EQ(border.size(), 5);
    EXPECT_TRUE(NearVec(Vec(border[0]), Vec(border[4])));
    double ymin = 1e9, ymax = -1e9, xmin = 1e9, xmax = -1e9;
    for (const auto& p : border) {
        const TV v = Vec(p);
        ymin = std::min(ymin, v.Y), ymax = std::max(ymax, v.Y);
        xmin = std::min(xmin, v.X), xmax = std::max(xmax, v.X);
    }
    EXPECT_NEAR((ymax - ymin) / sc, 4.5 * 2, 1e-4);
    const double w = MeasureTextWidth("BB", 2);
    EXPECT_GT(w, 0);
    EXPECT_NEAR((xmax - xmin) / sc, w, 1e-4);
    EXPECT_NEAR((xmax + xmin) / 2, Scene({100, 50, 40}, sc, 50, 0, 0).X, 1e-6);
}

TEST(Drawing3D, HoleTextFromAnEmptyRemarkShowsItsCaption)
{
    auto doc = NewDesign({100, 50, 40});
    THole* h = AddHole(*doc, 1, 1, 40, 20);
    AddStep(*h, 10, 20, 120);
    THoleText* t = h->fHoleTextList.Add();
    t->fdata.Caption = "own";
    t->fdata.UseTextFromRemark = true;
    t->fdata.UseBorder = false;
    TIsometricDrawingSettings s = Quiet();
    s.fData.IsoFlags.Include(isoHoleTexts);
    const TDump textsDump = Dump(*doc, s);
    const auto texts = textsDump.OfKind("TGLSpaceText");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ((*texts[0])["Text"].toString(), "own");
}

TEST(Drawing3D, ContoursAndPlugCross)
{
    auto doc = NewDesign({100, 50, 40});
    THole* circled = AddHole(*doc, 1, 1, 40, 20);
    circled->FData.HoleContour = 16;
    THole* pattern = AddHole(*doc, 2, 1, 60, 20);
    pattern->FData.HoleContour = 16;
    pattern->FData.PatternHandle = 3;
    for (auto [x, y] : {std::pair{55.0, 15.0}, {65.0, 15.0}, {65.0, 25.0}}) {
        auto* c = pattern->FContourList.Add();
        c->FData = {x, y};
    }
    THole* plugged = AddHole(*doc, 3, 1, 20, 20);
    plugged->FData.Attribute.Include(haPlugged);
    AddStep(*plugged, 0, 5, 120);
    TIsometricDrawingSettings s = Quiet();
    s.fData.IsoFlags.Include(isoContours);
    s.fData.IsoFlags.Include(isoPlugs);
    const TDump linesDump = Dump(*doc, s);
    const auto lines = linesDump.OfKind("TGLLines");
    ASSERT_EQ(lines.size(), 12u + 2u); // no cross for a plug of diameter 0
    const auto circle = (*lines[12])["Nodes"].toArray();
    ASSERT_EQ(circle.size(), 65);
    EXPECT_TRUE(NearVec(Vec(circle[0]), Scene({100, 50, 40}, 0.05, 48, 20, 0)));
    EXPECT_TRUE(NearVec(Vec(circle[16]), Scene({100, 50, 40}, 0.05, 40, 28, 0)));
    EXPECT_TRUE(NearVec(Vec(circle[64]), Vec(circle[0])));
    EXPECT_EQ((*lines[12])["Tag"].toInt(), 10999);
    EXPECT_TRUE(NearColor((*lines[12])["LineColor"], 0x0000FF00, 1));
    EXPECT_EQ((*lines[13])["Nodes"].toArray().size(), 4); // the pattern's polygon, closed

    plugged->FStepList.GetSteps(0)->FData.Diameter = 8;
    const TDump withCrossDump = Dump(*doc, s);
    const auto withCross = withCrossDump.OfKind("TGLLines");
    ASSERT_EQ(withCross.size(), 16u);
    const double q = 4 / std::sqrt(2.0);
    const auto arm = (*withCross[14])["Nodes"].toArray();
    EXPECT_TRUE(NearVec(Vec(arm[0]), Scene({100, 50, 40}, 0.05, 20 - q, 20 - q, 0)));
    EXPECT_TRUE(NearVec(Vec(arm[1]), Scene({100, 50, 40}, 0.05, 20 + q, 20 + q, 0)));
}

// ------------------------------------------------------------------
// Item numbers

TEST(Drawing3D, BoxedItemNumbersStackByTwoLabelHeights)
{
    for (int rotation : {0, 90}) {
        SCOPED_TRACE(rotation);
        auto doc = NewDesign({100, 50, 40});
        THole* h = AddHole(*doc, 8, 1, 40, 20);
        AddStep(*h, 10, 20, 120);
        for (const char* item : {"12", "", "7"}) {
            TValve* v = h->FValveList.Add();
            v->fData.ItemNumber = item;
        }
        h->FValveList.GetValves(0)->fData.Offset = {5, -5};
        h->FValveList.GetValves(0)->fData.Rotation = uint16_t(rotation);
        TIsometricDrawingSettings s = Quiet();
        s.fData.IsoFlags.Include(isoItemNumbers);
        const TDump d = Dump(*doc, s);
        const auto texts = d.OfKind("TGLSpaceText");
        ASSERT_EQ(texts.size(), 2u);
        const auto boxes = d.OfKind("TGLLines");
        ASSERT_EQ(boxes.size(), 12u + 2u);
        const double sc = 0.05, T = 2 * d.LabelTextHeight / sc;
        const double dx = rotation ? -T : 0, dy = rotation ? 0 : T;
        EXPECT_EQ((*texts[0])["Text"].toString(), "12");
        EXPECT_EQ((*texts[1])["Text"].toString(), "7");
        EXPECT_TRUE(NearVec(Vec((*texts[0])["AbsolutePosition"]), Scene({100, 50, 40}, sc, 45, 15, 0)));
        EXPECT_TRUE(NearVec(Vec((*texts[1])["AbsolutePosition"]), Scene({100, 50, 40}, sc, 45 + dx, 15 + dy, 0)));
        EXPECT_EQ((*texts[0])["Tag"].toInt(), 80999);
        // Both boxes are as wide as the widest "HH" + item number measures.
        const int px = CanvasTextWidth("HH12", int(std::lround(0.5 * T)));
        for (int b = 12; b < 14; ++b) {
            const auto nodes = (*boxes[size_t(b)])["Nodes"].toArray();
            ASSERT_EQ(nodes.size(), 5);
            const TV a = Vec(nodes[0]), c = Vec(nodes[2]);
            const double along = rotation ? std::fabs(c.Y - a.Y) : std::fabs(c.X - a.X);
            const double across = rotation ? std::fabs(c.X - a.X) : std::fabs(c.Y - a.Y);
            EXPECT_NEAR(along / sc, px, 1e-4);
            EXPECT_NEAR(across / sc, 1.5 * T / 2, 1e-4);
        }
    }
}

TEST(Drawing3D, EngravedItemNumbers)
{
    struct Row { bool engraveDoc, engravedValves, border; double fixed; size_t boxes; double width; };
    const Row rows[] = {
        {true, true, true, 12, 1, 12},  // a fixed width draws boxes that wide
        {true, true, false, 12, 0, 0},  // no border, no box
        {true, false, true, 12, 1, -1}, // valves not engraved: boxed style
    };
    for (const Row& r : rows) {
        auto doc = NewDesign({100, 50, 40});
        doc->fEngravedItemNumbersOptions.EngraveItemNumbers = r.engraveDoc;
        doc->fEngravedItemNumbersOptions.TextHeight = 3;
        doc->fEngravedItemNumbersOptions.FixedWidth = r.fixed;
        doc->fEngravedItemNumbersOptions.UseBorder = r.border;
        THole* h = AddHole(*doc, 8, 1, 40, 20);
        h->FData.StartDepth = 2;
        AddStep(*h, 10, 20, 120);
        TValve* v = h->FValveList.Add();
        v->fData.ItemNumber = "5";
        v->fData.Engraved = r.engravedValves;
        TIsometricDrawingSettings s = Quiet();
        s.fData.IsoFlags.Include(isoItemNumbers);
        const TDump d = Dump(*doc, s);
        const auto texts = d.OfKind("TGLSpaceText");
        ASSERT_EQ(texts.size(), 1u);
        const auto lines = d.OfKind("TGLLines");
        ASSERT_EQ(lines.size(), 12u + r.boxes);
        if (r.engraveDoc && r.engravedValves) {
            EXPECT_NEAR(Num(*texts[0], "TextHeight"), 0.05 * 3, 1e-7);
            EXPECT_NEAR(Vec((*texts[0])["AbsolutePosition"]).Z, 0.05 * (20 - 2), 1e-6); // at the start depth
        }
        if (r.boxes && r.width > 0) {
            const auto nodes = (*lines.back())["Nodes"].toArray();
            EXPECT_NEAR(std::fabs(Vec(nodes[2]).X - Vec(nodes[0]).X) / 0.05, r.width, 1e-4);
            EXPECT_NEAR(std::fabs(Vec(nodes[2]).Y - Vec(nodes[0]).Y) / 0.05, 1.5 * 3, 1e-4);
        }
    }
}

TEST(Drawing3D, TextWidthsComeFromTheFontMetrics)
{
    EXPECT_EQ(MeasureTextWidth("", 5), 0);
    const double w1 = MeasureTextWidth("Port", 5), w2 = MeasureTextWidth("Port", 10);
    EXPECT_GT(w1, 5 * 0.5);
    EXPECT_LT(w1, 5 * 4);
    EXPECT_NEAR(w2 / w1, 2, 0.01);
    EXPECT_LT(MeasureTextWidth("iii", 5), MeasureTextWidth("WWW", 5));
    EXPECT_LT(CanvasTextWidth("ii", 20), CanvasTextWidth("WW", 20));
    EXPECT_EQ(CanvasTextWidth("12", 0), 0);
}

TEST(Drawing3D, RebuildDrawsEveryHoleOnceEvenWithASharedNumber)
{
    auto doc = NewDesign({100, 50, 40});
    AddStep(*AddHole(*doc, 9, 1, 20, 25), 10, 20, 180);
    AddStep(*AddHole(*doc, 9, 1, 70, 25), 10, 20, 180);
    const TDump d = Dump(*doc, Quiet());
    const auto solids = d.Solids();
    ASSERT_EQ(solids.size(), 2u);
    EXPECT_TRUE(NearVec(Vec((*solids[0])["AbsolutePosition"]), Scene({100, 50, 40}, 0.05, 20, 25, 10)));
    EXPECT_TRUE(NearVec(Vec((*solids[1])["AbsolutePosition"]), Scene({100, 50, 40}, 0.05, 70, 25, 10)));
}

TEST(Drawing3D, MaterialRule)
{
    TIsometricDrawingSettings s;
    s.fData.TransparencyHoles = 0.6;
    s.fData.TransparencyThread = 0.5;
    s.fData.TransparencyThreadTransparentHoles = 0.7;
    s.fData.ThreadColor = 0x00808080;
    struct Row { bool transparent, thread; double alpha; double wantAlpha; TColor wantColour; };
    const TColor c = 0x00123456;
    const Row rows[] = {
        {false, false, 0, 0, c},             // opaque: opacity 0 means solid
        {false, true, 0, 0.5, 0x00808080},   // threads in the thread colour and opacity
        {true, false, 0, 0.6, c},
        {true, true, 0, 0.7, 0x00808080},
        {false, true, 0.3, 0.3, c},          // a given opacity keeps the colour, also for threads
        {true, false, 0.3, 0.3, c},
    };
    for (const Row& r : rows) {
        s.fData.IsoFlags.Set(isoTransparent, r.transparent);
        scene::TGLMaterial m;
        SetObjectMaterial(s, m, r.thread, r.alpha, c);
        SCOPED_TRACE(testing::Message() << r.transparent << r.thread << r.alpha);
        EXPECT_EQ(m.BlendingMode, r.wantAlpha != 0 ? scene::bmTransparency : scene::bmOpaque);
        EXPECT_EQ(m.FrontProperties.Diffuse, scene::ConvertWinColor(r.wantColour, float(r.wantAlpha)));
        EXPECT_EQ(m.BackProperties.Diffuse, m.FrontProperties.Diffuse);
    }
}

TEST(Drawing3D, HoleTextInsertionPointsAndRotation)
{
    // One line "AB", 2 high, offset (10, 5) from the hole at (40, 20) on
    // face 1 (frame B reading +X, up +Y). Insertion point 0 centres text and
    // border on the offset; 1 and 2 put the offset at the box's left end,
    // 1 one text height lower than the text's middle.
    const double W = MeasureTextWidth("AB", 2), H = 2;
    struct Row { int ip; double rot; TXYPoint centre; };
    const Row rows[] = {
        {0, 0, {10, 5}},
        {1, 0, {10 + W / 2, 5 + H}},
        {2, 0, {10 + W / 2, 5}},
        {0, 90, {10, 5}},
        {1, 90, {10 - H, 5 + W / 2}},
        {2, 90, {10, 5 + W / 2}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.ip << " " << r.rot);
        auto doc = NewDesign({100, 50, 40});
        THole* h = AddHole(*doc, 1, 1, 40, 20);
        AddStep(*h, 10, 20, 120);
        THoleText* t = h->fHoleTextList.Add();
        t->fdata.Caption = "AB";
        t->fdata.TextHeight = H;
        t->fdata.OffSet = {10, 5};
        t->fdata.Rotation = r.rot;
        t->fdata.InsertionPoint = r.ip;
        t->fdata.UseTextFromRemark = false;
        TIsometricDrawingSettings s = Quiet();
        s.fData.IsoFlags.Include(isoHoleTexts);
        const TDump d = Dump(*doc, s);
        const auto texts = d.OfKind("TGLSpaceText");
        ASSERT_EQ(texts.size(), 1u);
        const TV want = Scene({100, 50, 40}, 0.05, 40 + r.centre.X, 20 + r.centre.Y, 0);
        EXPECT_TRUE(NearVec(Vec((*texts[0])["AbsolutePosition"]), want));
        // The text reads along the turned reading direction.
        const double a = r.rot * 0.017453292519943295;
        EXPECT_TRUE(NearVec(ReadingOf(*texts[0]), {-std::cos(a), -std::sin(a), 0}));
        // The border is centred on the text, W by 1.5 H, turned with it.
        const auto lines = d.OfKind("TGLLines");
        ASSERT_EQ(lines.size(), 13u);
        const auto nodes = (*lines.back())["Nodes"].toArray();
        ASSERT_EQ(nodes.size(), 5);
        TV mid{0, 0, 0};
        for (int i = 0; i < 4; ++i) {
            const TV p = Vec(nodes[i]);
            mid = {mid.X + p.X / 4, mid.Y + p.Y / 4, mid.Z + p.Z / 4};
        }
        EXPECT_TRUE(NearVec(mid, want));
        const TV p0 = Vec(nodes[0]), p1 = Vec(nodes[1]), p2 = Vec(nodes[2]);
        const auto len = [](TV a, TV b) { return std::hypot(a.X - b.X, a.Y - b.Y, a.Z - b.Z); };
        EXPECT_NEAR(len(p0, p1) / 0.05, W, 1e-4);
        EXPECT_NEAR(len(p1, p2) / 0.05, 1.5 * H, 1e-4);
    }
}
