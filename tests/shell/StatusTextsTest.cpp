// The status bar's texts, the weight of a block with bores and cut-outs, the
// shortened path, and which settings changes rebuild the scene.
#include "document/Manifolds.h"
#include "shell/StatusTexts.h"
#include "shell/ViewOptions.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace qv;

TEST(StatusTexts, FormatTrimmedAndOneDecimal)
{
    struct Row { double v; int decimals; const char* want; };
    const Row rows[] = {
        {120.5, 2, "120.5"}, {120, 2, "120"},     {120, 0, "120"},      {100.26, 1, "100.3"},
        {0.1, 3, "0.1"},     {1234.5678, 4, "1234.568"}, // 7 significant digits
        {-2.50, 2, "-2.5"},  {0, 2, "0"},
    };
    for (const Row& r : rows) EXPECT_EQ(FormatTrimmed(r.v, r.decimals), r.want) << r.v << " " << r.decimals;
    EXPECT_EQ(FormatOneDecimal(1.6), "1.6");
    EXPECT_EQ(FormatOneDecimal(2), "2.0"); // nothing removed
    EXPECT_EQ(FormatOneDecimal(1.56), "1.6");
}

namespace {

std::unique_ptr<TManifold> Block(double x, double y, double z)
{
    auto m = std::make_unique<TManifold>();
    m->FData.Max = {x, y, z};
    m->FData.MassDensity = 7850;
    return m;
}

void AddBore(TManifold& m, std::initializer_list<std::pair<double, double>> stepsDeepestFirst, bool dummy = false)
{
    THole* h = m.FHoleList.Add();
    h->FData.HoleNumber = m.FHoleList.Count();
    if (dummy) h->FData.Attribute.Include(haDummyHole);
    for (auto [diameter, depth] : stepsDeepestFirst) {
        TStep* s = h->FStepList.Add();
        s->FData.Diameter = diameter;
        s->FData.Depth = depth;
    }
}

} // namespace

TEST(StatusTexts, WeightOfPlainBlockAndPanels)
{
    auto m = Block(100, 50, 40);
    EXPECT_EQ(WeightText(*m), "1.6 kg (Net: 1.6)");
    const auto t = StatusPanelTexts(*m);
    EXPECT_EQ(t[1], "Xmax=100");
    EXPECT_EQ(t[4], "Metric");
    EXPECT_EQ(t[6], "0 hole(s)");
    m->FData.MeasuringUnits = muIN;
    m->FData.Max = {4, 2, 1.5};
    EXPECT_EQ(StatusPanelTexts(*m)[4], "Inch");
    // 12 cubic inches of steel: 12 x 16387 mm³ x 7850 kg/m³ = 1.54 kg
    EXPECT_NEAR(GrossWeight(*m), 12 * 25.4 * 25.4 * 25.4 * 1e-9 * 7850, 1e-12);
}

TEST(StatusTexts, BoresReduceTheNetWeightDummiesDoNot)
{
    auto m = Block(100, 100, 100);
    m->FData.HoleFactor = 0.9;
    // A stepped bore: 20 mm wide for the first 10 mm, 10 mm wide down to 30.
    AddBore(*m, {{10, 30}, {20, 10}});
    AddBore(*m, {{50, 100}}, /*dummy*/ true);
    const double pi = 3.14159265358979323846;
    const double bore = pi / 4 * (20 * 20 * 10 + 10 * 10 * 20);
    EXPECT_NEAR(NetWeight(*m), GrossWeight(*m) - bore * 0.9 * 7850 * 1e-9, 1e-12);
    EXPECT_EQ(StatusPanelTexts(*m)[6], "2 hole(s)"); // the dummy hole counts here
}

TEST(StatusTexts, ShortenPathDropsLeadingFoldersThenTheRoot)
{
    const auto chars = [](const std::string& s) { return int(s.size()); };
    const std::string p = "/home/user/designs/pumps/block.mnf";
    EXPECT_EQ(ShortenPath(p, 100, chars), p);
    EXPECT_EQ(ShortenPath(p, int(p.size()) - 1, chars), "/.../user/designs/pumps/block.mnf");
    EXPECT_EQ(ShortenPath(p, 20, chars), "/.../pumps/block.mnf");
    EXPECT_EQ(ShortenPath(p, 15, chars), "/.../block.mnf");
    EXPECT_EQ(ShortenPath(p, 13, chars), ".../block.mnf");
    EXPECT_EQ(ShortenPath(p, 2, chars), ".../block.mnf"); // the name is never cut
    EXPECT_EQ(ShortenPath("C:\\Data\\Blocks\\a.mnf", 14, chars), "C:\\...\\a.mnf");
    EXPECT_EQ(ShortenPath("block.mnf", 3, chars), "block.mnf");
}

TEST(ViewOptions, WhichChangesRebuild)
{
    using D = TIsometricDrawingSettingsData;
    struct Row { const char* what; void (*change)(D&); bool rebuild; };
    const Row rows[] = {
        {"nothing", [](D&) {}, false},
        {"plugs", [](D& d) { d.IsoFlags.Exclude(isoPlugs); }, true},
        {"use colours", [](D& d) { d.IsoFlags.Exclude(isoUseColors); }, true},
        {"show manifold", [](D& d) { d.IsoFlags.Exclude(isoManifold); }, false},
        {"perspective", [](D& d) { d.IsoFlags.Exclude(isoPerspective); }, false},
        {"axis, orbit, centre", [](D& d) { d.IsoFlags.Include(isoAxis); d.IsoFlags.Include(isoContinuousOrbit); d.IsoFlags.Exclude(isoRotationCenter); }, false},
        {"text height", [](D& d) { d.TextHeightFactor = 12; }, true},
        {"hole opacity", [](D& d) { d.TransparencyHoles = 0.5; }, true},
        {"thread opacity", [](D& d) { d.TransparencyThread = 0.4; }, true},
        {"thread colour", [](D& d) { d.ThreadColor = 0x00FF0000; }, true},
        {"thread in transparent holes", [](D& d) { d.TransparencyThreadTransparentHoles = 0.1; }, false},
        {"selection colour", [](D& d) { d.SelectColor = 0x000000FF; }, false},
        {"error indicator", [](D& d) { d.ErrorIndicatorFactor = 30; }, false},
        {"darkened", [](D& d) { d.DarkenedObjects.Alpha = 0.9; }, false},
        {"background", [](D& d) { d.BackgroundColor = 0x00FFFFFF; }, false},
    };
    for (const Row& r : rows) {
        D after;
        r.change(after);
        EXPECT_EQ(NeedsRebuild(D(), after), r.rebuild) << r.what;
    }
}
