// Display modes, darkening, swatches, the rows of the groups panel and the
// group filter, on scenes built from small designs; the view's camera reset
// and view flags.
#include "Drawing3DSupport.h"

#include "view3d/DisplayModes.h"
#include "view3d/ManifoldView.h"
#include "view3d/Manifolds.Drawing3D.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qv;
using namespace qv::test3d;
using namespace qv::scene;

TEST(DisplayModes, Darken)
{
    struct Row { TColor c; double f; TColor want; };
    const Row rows[] = {
        {0x00808080, -0.8, 0x001A1A1A}, // 128 - 102.4 = 25.6 -> 26
        {0x00406080, 0, 0x00406080},
        {0x00406080, -1, 0},
        {0x00406080, 1, 0x0080C0FF}, // 2 x 128 clamps to 255
        {0x000A1400, 0.3, 0x000D1A00},
    };
    for (const Row& r : rows) EXPECT_EQ(Darken(r.c, r.f), r.want) << std::hex << r.c << " " << r.f;
}

TEST(DisplayModes, ColorSwatchIsFilledAndFramed)
{
    const QImage img = CreateColorSwatch(0x000000FF, 16, 12);
    EXPECT_EQ(img.size(), QSize(16, 12));
    for (QPoint p : {QPoint(0, 0), QPoint(15, 11), QPoint(8, 0), QPoint(0, 6)})
        EXPECT_EQ(img.pixel(p) & 0xFFFFFF, 0u) << p.x() << "," << p.y();
    EXPECT_EQ(img.pixel(8, 6) & 0xFFFFFF, 0xFF0000u); // red: $000000FF is red
    EXPECT_EQ(img.pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
}

namespace {

TIsometricDrawingSettings FilterSettings()
{
    TIsometricDrawingSettings s = Quiet();
    s.fData.IsoFlags.Include(isoHoleNumbers);
    s.fData.IsoFlags.Include(isoShowThread);
    return s;
}

// Every hole object (top level and one level down) with its hole number.
std::vector<TGLBaseSceneObject*> HoleObjects(TGLBaseSceneObject* root, int hole)
{
    std::vector<TGLBaseSceneObject*> out;
    for (int i = 0; i < root->Count(); ++i) {
        TGLBaseSceneObject* c = root->Children(i);
        if (c->Tag <= 0 || c->Tag / 10000 != hole) continue;
        out.push_back(c);
        for (int j = 0; j < c->Count(); ++j) out.push_back(c->Children(j));
    }
    return out;
}

TColorVector DrawnColour(TGLBaseSceneObject* n)
{
    if (auto* l = dynamic_cast<TGLLines*>(n)) return l->LineColor;
    return n->Material()->FrontProperties.Diffuse;
}

enum TLook { Normal, Darkened, Hidden, Selected };

// Checks the look of one object against its own colour in TagFloat.
void ExpectLook(TGLBaseSceneObject* n, TLook look, const TIsometricDrawingSettings& s)
{
    SCOPED_TRACE(testing::Message() << "tag " << n->Tag);
    if (look == Hidden) {
        EXPECT_FALSE(n->Visible);
        return;
    }
    EXPECT_TRUE(n->Visible);
    const bool thread = n->TagFloat < 0;
    TColor own = TColor(std::lround(std::fabs(n->TagFloat)));
    TColor want = own;
    if (look == Selected) want = s.fData.SelectColor;
    if (look == Darkened) want = Darken(thread ? s.fData.ThreadColor : own, s.fData.DarkenedObjects.DarkenedFactor);
    if (thread && look != Darkened) want = s.fData.ThreadColor;
    const TColorVector c = DrawnColour(n), w = ConvertWinColor(want);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(c[size_t(i)], w[size_t(i)], 1e-6);
}

} // namespace

TEST(DisplayModes, GroupFilterOfACartridgeShowsTheChosenStepsOnly)
{
    auto doc = FilterDesign();
    TIsometricDrawingSettings s = FilterSettings();
    TManifoldView view(s);
    view.DocumentLoaded(*doc);
    TGLBaseSceneObject* root = view.GLDummyCube1();
    view.fVisibleGroupNames = {"a"}; // codes match whatever their letter case
    for (bool hide : {true, false}) {
        SCOPED_TRACE(hide);
        view.HideNotSelected = hide;
        view.ApplyGroupFilter(true);
        const auto cavity = HoleObjects(root, 1);
        ASSERT_EQ(cavity.size(), 5u); // four walls and the hole number
        bool sawStep3 = false, sawLabel = false, sawOther = false;
        for (auto* n : cavity) {
            const int k = n->Tag % 10000;
            sawStep3 |= k == 3, sawLabel |= k == kWholeHoleTag, sawOther |= k != 3 && k != kWholeHoleTag;
            // Other steps of the cavity are darkened even while the rest is
            // hidden: the cavity stays readable around its chosen port.
            ExpectLook(n, k == 3 || k == kWholeHoleTag ? Normal : Darkened, s);
        }
        EXPECT_TRUE(sawStep3 && sawLabel && sawOther);
        for (auto* n : HoleObjects(root, 2)) ExpectLook(n, hide ? Hidden : Darkened, s);
        for (auto* n : HoleObjects(root, 3)) ExpectLook(n, Normal, s);
        // A bore counts by its deepest step, which here has no group.
        for (auto* n : HoleObjects(root, 4)) ExpectLook(n, hide ? Hidden : Darkened, s);
        // The block and its edges are never touched.
        EXPECT_EQ(root->Children(0), view.ManifoldCube());
        for (int i = 1; i <= 12; ++i) EXPECT_TRUE(root->Children(i)->Visible);
    }

    // Selected holes are highlighted; no filter brings every hole back.
    doc->FHoleList.GetHoles(1)->SetSelected(true);
    view.ApplyGroupFilter(true);
    for (auto* n : HoleObjects(root, 2)) ExpectLook(n, Selected, s);
    view.fVisibleGroupNames.clear();
    view.ApplyGroupFilter(false);
    for (int hole = 1; hole <= 4; ++hole)
        for (auto* n : HoleObjects(root, hole)) ExpectLook(n, Normal, s);
}

TEST(DisplayModes, FadedObjectsKeepTheirColourAtTheFadeOpacity)
{
    auto doc = FilterDesign();
    TIsometricDrawingSettings s = FilterSettings();
    s.fData.DarkenedObjects.Transparent = true;
    TManifoldView view(s);
    view.DocumentLoaded(*doc);
    view.fVisibleGroupNames = {"A"};
    view.HideNotSelected = false;
    view.ApplyGroupFilter(false);
    int threads = 0;
    const auto faded = HoleObjects(view.GLDummyCube1(), 2);
    ASSERT_GE(faded.size(), 3u);
    for (auto* n : faded) {
        ASSERT_NE(n->Material(), nullptr);
        const TGLMaterial& m = *n->Material();
        EXPECT_EQ(m.BlendingMode, bmTransparency);
        EXPECT_NEAR(m.FrontProperties.Diffuse[3], 0.3, 1e-6);
        // A faded thread shows its creation colour.
        const TColorVector own = ConvertWinColor(TColor(std::lround(std::fabs(n->TagFloat))), 0.3f);
        EXPECT_EQ(m.FrontProperties.Diffuse, own);
        threads += n->TagFloat < 0;
    }
    EXPECT_EQ(threads, 1);
}

TEST(DisplayModes, OneStepOfOneHole)
{
    auto doc = FilterDesign();
    TIsometricDrawingSettings s = FilterSettings();
    TManifoldView view(s);
    view.DocumentLoaded(*doc);
    TGLBaseSceneObject* root = view.GLDummyCube1();
    SetHoleDisplayMode(s, root, idmSelected, 1, 2);
    for (auto* n : HoleObjects(root, 1)) {
        const int k = n->Tag % 10000;
        // Visible objects of other steps are left alone.
        ExpectLook(n, k == 2 || k == kWholeHoleTag ? Selected : Normal, s);
    }
    for (auto* n : HoleObjects(root, 3)) ExpectLook(n, Normal, s);
}

TEST(GroupPanel, RowsForUsedGroupsWithCaseFolding)
{
    auto doc = NewDesign({100, 100, 100});
    AddGroup(*doc, "\xC3\x96l", 0x00123456); // "Öl"
    AddGroup(*doc, "X", 0x00000000);
    AddGroup(*doc, "B", 0x00FF0000);
    THole* h = AddHole(*doc, 1, 1, 50, 50);
    AddStep(*h, 10, 20, 120)->FData.GroupCode = "\xC3\xB6l"; // "öl"
    AddStep(*h, 12, 5, 120)->FData.GroupCode = "b";
    const auto rows = FillGroupPanel(*doc, {17, 13});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Tag, 0);
    EXPECT_EQ(rows[0].Code, "\xC3\x96l");
    EXPECT_EQ(rows[0].Color, 0x00123456);
    EXPECT_EQ(rows[1].Tag, 2);
    EXPECT_EQ(rows[1].CheckBoxTop, 17 + 4);
    EXPECT_EQ(rows[1].LabelTop, 13 + 4);
    EXPECT_EQ(rows[1].ImageTop, 17 + 7);
    EXPECT_TRUE(rows[0].Checked && rows[1].Checked);

    auto empty = NewDesign({100, 100, 100});
    AddGroup(*empty, "A", 0);
    EXPECT_TRUE(FillGroupPanel(*empty).empty());
}

TEST(GroupPanel, ClicksOnGroupRows)
{
    auto make = [] {
        std::vector<TGroupRow> rows(3);
        for (int i = 0; i < 3; ++i) rows[size_t(i)].Tag = i, rows[size_t(i)].Code = std::string(1, char('A' + i));
        return rows;
    };
    std::vector<std::string> names;
    bool all = true;

    // Without multi-select a click leaves exactly the clicked group ticked,
    // also when the click unticked it.
    auto rows = make();
    rows[1].Checked = false; // the click toggled it
    GroupCheckBoxClicked(rows, 1, names, false, all);
    EXPECT_EQ(names, std::vector<std::string>{"B"});
    EXPECT_FALSE(all);
    EXPECT_TRUE(rows[1].Checked && !rows[0].Checked && !rows[2].Checked);
    GroupCheckBoxClicked(rows, 1, names, false, all); // clicked again, still ticked
    EXPECT_EQ(names, std::vector<std::string>{"B"});

    // With multi-select the ticks accumulate, in row order.
    rows[2].Checked = true;
    GroupCheckBoxClicked(rows, 2, names, true, all);
    EXPECT_EQ(names, (std::vector<std::string>{"B", "C"}));
    rows[1].Checked = false;
    GroupCheckBoxClicked(rows, 1, names, true, all);
    EXPECT_EQ(names, std::vector<std::string>{"C"});

    SetGroupCheckBoxes(rows, true, 0);
    EXPECT_TRUE(!rows[0].Checked && rows[1].Checked && rows[2].Checked);
}

TEST(ManifoldView, ResetViewAndViewFlags)
{
    auto doc = NewDesign({100, 50, 20});
    TIsometricDrawingSettings s;
    s.fData.IsoFlags.Exclude(isoManifold);
    s.fData.IsoFlags.Include(isoPerspective);
    TManifoldView view(s);
    view.GLDummyCube1()->SetPosition(1, 2, 3);
    view.DocumentLoaded(*doc);
    EXPECT_DOUBLE_EQ(view.SC(), 0.05);
    EXPECT_NEAR(view.LabelTextHeight(), 0.05, 1e-12);
    EXPECT_EQ(view.GLDummyCube1()->Position(), (TVector3{0, 0, 0}));
    EXPECT_EQ(view.GLCamera1()->Position(), (TVector3{10, 0, 0}));
    // The standard view: model Z straight up, X to the lower left and Y to
    // the lower right, all tilted towards the viewer on +X.
    const TMatrix4 m = view.GLDummyRotation()->AbsoluteMatrix();
    const TV axes[3] = {{0.5, -0.70710678, -0.5}, {0.5, 0.70710678, -0.5}, {0.70710678, 0, 0.70710678}};
    for (int i = 0; i < 3; ++i) {
        const TVector3 c = m.Column(i);
        EXPECT_TRUE(NearVec({c.X, c.Y, c.Z}, axes[i], 1e-5)) << i;
    }
    ASSERT_NE(view.ManifoldCube(), nullptr);
    EXPECT_FALSE(view.ManifoldCube()->Visible);
    EXPECT_EQ(view.GLCamera1()->CameraStyle, csPerspective);
    EXPECT_TRUE(view.GLSphere2()->Visible); // the rotation centre is on by default

    // Flags that need no rebuild change the existing nodes only.
    TGLBaseSceneObject* firstEdge = view.GLDummyCube1()->Children(1);
    s.fData.IsoFlags.Include(isoManifold);
    s.fData.IsoFlags.Exclude(isoPerspective);
    s.fData.IsoFlags.Exclude(isoRotationCenter);
    view.ApplyViewFlags();
    EXPECT_TRUE(view.ManifoldCube()->Visible);
    EXPECT_EQ(view.GLCamera1()->CameraStyle, csOrthogonal);
    EXPECT_FALSE(view.GLSphere2()->Visible);
    EXPECT_EQ(view.GLDummyCube1()->Children(1), firstEdge);

    view.DocumentClosed();
    EXPECT_EQ(view.GLDummyCube1()->Count(), 0);
    EXPECT_EQ(view.ManifoldCube(), nullptr);
}
