// The manifold document: the defaults of a new or cleared document and the
// queries on its header data.
#include "document/Manifolds.h"
#include "inspect/ManifoldJson.h"
#include "stream/QuorvaneFiles.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(Manifold, NewDocumentHasTheDocumentedDefaults)
{
    TManifold m;
    const TManifoldData& d = m.Data();
    EXPECT_EQ(m.FileName(), "");
    EXPECT_EQ(m.VELKStamp(), "");
    EXPECT_EQ(d.FileType, ftManifold);
    EXPECT_EQ(d.MeasuringUnits, muMM);
    EXPECT_EQ(d.Decimals, 2);
    EXPECT_EQ(d.AngleDecimals, 1);
    EXPECT_EQ(d.Max, (TXYZPoint{300.0, 200.0, 100.0}));
    EXPECT_EQ(d.DrawDashHoles, dashSelected);
    for (TCrossSection c : {X, Y, Z}) {
        EXPECT_EQ(d.CrossSectionInfo[c].HoleNumber, 0);
        EXPECT_EQ(d.CrossSectionInfo[c].Coordinate, 0.0);
    }
    EXPECT_EQ(d.CalculateFlags, (TCalculateFlags{cfGroups, cfThread, cfWarnings}));
    EXPECT_EQ(d.FileFlags, (TFileFlags{ffAutoRedraw, ffDepthToTip, ffHiddenStepsss}));
    EXPECT_EQ(d.DrawFlags.Value, 0x7Fu); // the first seven members
    EXPECT_EQ(m.LastCalcHole1(), 0);
    EXPECT_EQ(m.LastCalcHole2(), 0);
    EXPECT_EQ(d.SortSettings.SortMethode, smCoordinates);
    EXPECT_EQ(d.SortSettings.SortOptions, (TSortOptions{soRearrangePatterns, soMultiSort}));
    EXPECT_EQ(d.SortSettings.SortType, stThread);
    EXPECT_EQ(d.SortSettings.SortLastHoleNumber, 0);
    EXPECT_EQ(d.RotateFace, 0);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(m.GetFinishFace(i), 3.2);
    EXPECT_EQ(d.FinishFaceStyle, 0);
    EXPECT_EQ(d.ModifyDimensionsSettings.Direction, 0);
    EXPECT_EQ(d.ModifyDimensionsSettings.Value, 0.0);
    EXPECT_EQ(d.ModifyDimensionsSettings.Coordinate, 0.0);
    EXPECT_TRUE(d.ModifyDimensionsSettings.ModifyDepth);
    EXPECT_EQ(d.Material, "");
    EXPECT_EQ(d.HoleFactor, 0.9);
    EXPECT_EQ(d.MassDensity, 7800.0);
    EXPECT_EQ(d.LayoutFile, "");
    EXPECT_EQ(d.PrinterName, "");
    EXPECT_EQ(d.PaperSize, -1);
    EXPECT_EQ(d.CurrentDrawing, 10);
    EXPECT_EQ(d.DrawProjectionMethode, pmAmerican);
    EXPECT_EQ(d.Properties, (TProperties{"", "", "", "", true, ""}));
    EXPECT_EQ(d.CrossSectionMove, 0.5);
    EXPECT_FALSE(d.DepthFromCutOut);
    EXPECT_EQ(d.CurrentGroupCode, "");
    EXPECT_EQ(d.ConstructionHoleFile, "");
    EXPECT_TRUE(d.ConnectAutomatically);
    EXPECT_EQ(d.ScriptTextHeight, 5.0);
    EXPECT_TRUE(d.TrimOptimizeDepth);
    EXPECT_EQ(d.TrimOptimizeDiameterFactor, 1.25);
    EXPECT_FALSE(d.TrimOptimizeHolesDepthToCenterLine);
    EXPECT_EQ(d.TrimOptimizeHolesOffset, 2.0);
    EXPECT_TRUE(d.TrimOptimizeCartridgesDepthToCenterLine);
    EXPECT_EQ(d.TrimOptimizeCartridgesOffset, 1.0);
    EXPECT_EQ(d.IncludeHoleTextMode, ihtmNone);
    EXPECT_FALSE(d.IncludeHoleComments || d.IncludeManufacturingNotes || d.IncludeToleranceDiameter ||
                 d.IncludeToleranceDepth || d.Face6Alternate);
    EXPECT_EQ(d.HeightIsoHoleNumber, 0.0);
    EXPECT_EQ(d.HeightIsoFaceNumber, 0.0);
    EXPECT_EQ(d.HeightIsoItemNumber, 0.0);
    EXPECT_EQ(d.HeightIsoError, 0.0);
    // Both time stamps are "now".
    const TDateTime now = NowLocal();
    EXPECT_NEAR(d.HoleListChangedDateTime, now, 1.0 / 24);
    EXPECT_NEAR(m.fStartSession, now, 1.0 / 24);

    EXPECT_FALSE(m.HoleNumberOptions().MoveHoleNumbers);
    EXPECT_EQ(m.HoleNumberOptions().HoleNumberTextHeight, 0.0);
    const auto& e = m.EngravedItemNumbersOptions();
    EXPECT_FALSE(e.EngraveItemNumbers);
    EXPECT_EQ(e.TextHeight, 0.0);
    EXPECT_EQ(e.FixedWidth, 0.0);
    EXPECT_TRUE(e.UseBorder);
    EXPECT_EQ(e.InsertionPoint, 0);
    EXPECT_FALSE(e.UseHoleTextSettings);

    EXPECT_EQ(m.HoleList().Count(), 0);
    EXPECT_EQ(m.PlotSettings().Count(), 0);
    EXPECT_EQ(m.CalculateSettingsNew().fData.Wallthickness, TCalculateSettinsNewData{}.Wallthickness);

    EXPECT_TRUE(m.IsMM());
    EXPECT_FALSE(m.IsInch());
    EXPECT_TRUE(m.IsDepthToTip());
    EXPECT_FALSE(m.IsThreadFromTop());
    EXPECT_FALSE(m.IsEuropean());
    EXPECT_EQ(m.IsoHeightHoleNumber(), 2.5);
    EXPECT_EQ(m.DimensionsToStr(), "300.00x200.00x100.00");
}

TEST(Manifold, ClearAfterLoadGivesANewDocument)
{
    const std::string path = test::WriteDesign("full.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(2000);
        f.WriteString(2001, "Stamp");
        f.WriteInteger(2003, 1);
        f.WriteDouble(2010, 12.0);
        f.WriteDouble(2131, 4.0);
        f.WriteDouble(2200, 7.0);
        f.WriteBoolean(2350, true);
        f.WriteBoolean(2482, true);
        f.WriteBoolean(2510, true);
        f.WriteDouble(2603, 1.6);
        f.WriteString(2040, "Alu");
        f.WriteDouble(2798, 7.0);
        f.WriteBoolean(2780, true);
        f.WriteDouble(2800, 3.0);
        f.WriteString(7010, "Title");
        f.WriteVar(2999);
        test::WriteSimpleHole(f, 1);
        test::WriteSimpleHole(f, 2);
    });
    TManifold loaded;
    ASSERT_TRUE(loaded.LoadFromFile(path));
    ASSERT_TRUE(loaded.IsInch());
    ASSERT_EQ(loaded.IsoHeightError(), 7.0);
    // An old-format load leaves plot settings behind; a clear removes them too.
    loaded.fPlotSettings.Add();
    loaded.Clear();

    TManifold fresh;
    // The time stamps are "now" in both; make them comparable.
    loaded.fStartSession = fresh.fStartSession = 0.0;
    loaded.FData.HoleListChangedDateTime = fresh.FData.HoleListChangedDateTime = 0.0;
    loaded.FProject.FData = fresh.FProject.FData;
    EXPECT_EQ(ManifoldToJson(loaded), ManifoldToJson(fresh));
    EXPECT_EQ(loaded.IsoHeightError(), 20.0);
}

TEST(Manifold, IsoTextHeightsFallBackToTheUnitDefault)
{
    using Getter = double (TManifold::*)() const;
    const struct { const char* name; double TManifoldData::*field; Getter get; double mm, inch; } heights[] = {
        {"HoleNumber", &TManifoldData::HeightIsoHoleNumber, &TManifold::IsoHeightHoleNumber, 2.5, 0.1},
        {"FaceNumber", &TManifoldData::HeightIsoFaceNumber, &TManifold::IsoHeightFaceNumber, 5.0, 0.2},
        {"ItemNumber", &TManifoldData::HeightIsoItemNumber, &TManifold::IsoHeightItemNumber, 3.5, 0.14},
        {"Error", &TManifoldData::HeightIsoError, &TManifold::IsoHeightError, 20.0, 0.75},
    };
    for (const auto& h : heights) {
        for (const TUnit unit : {muMM, muIN}) {
            const double unitDefault = unit == muMM ? h.mm : h.inch;
            const struct { double stored, expected; } cases[] = {
                {0.0, unitDefault}, {1e-13, unitDefault}, {-1e-12, unitDefault}, {2e-12, 2e-12}, {7.0, 7.0},
            };
            for (const auto& c : cases) {
                TManifold m;
                m.Data().MeasuringUnits = unit;
                m.Data().*h.field = c.stored;
                EXPECT_EQ((m.*h.get)(), c.expected) << h.name << " unit " << unit << " stored " << c.stored;
            }
        }
    }
}

TEST(Manifold, DimensionsToStr)
{
    const struct { TXYZPoint max; int decimals; const char* expected; } cases[] = {
        {{300, 200, 100}, 2, "300.00x200.00x100.00"},
        {{300, 200, 100}, 0, "300x200x100"},
        {{12.3456, 0.5, 1}, 3, "12.346x0.500x1.000"},
        {{-2.26, 80, 60.04}, 1, "-2.3x80.0x60.0"},
    };
    for (const auto& c : cases) {
        TManifold m;
        m.Data().Max = c.max;
        m.Data().Decimals = c.decimals;
        EXPECT_EQ(m.DimensionsToStr(), c.expected);
    }
}

TEST(Manifold, Accessors)
{
    TManifold m;
    m.SetFinishFace(5, 6.3);
    EXPECT_EQ(m.GetFinishFace(5), 6.3);
    EXPECT_EQ(m.GetFinishFace(4), 3.2);
    const TCalculateSettinsNewData before = m.CalculateSettingsNew().fData;
    m.SetCalcWallthickness(4.5);
    EXPECT_EQ(m.GetCalcWallthickness(), 4.5);
    EXPECT_EQ(m.CalculateSettingsNew().fData.WallthicknessMountingHoles, before.WallthicknessMountingHoles);
    EXPECT_EQ(m.CalculateSettingsNew().fData.Flags, before.Flags);
    m.Data().DrawProjectionMethode = pmEuropean;
    m.Data().FileFlags = TFileFlags{ffThreadFromTop};
    EXPECT_TRUE(m.IsEuropean());
    EXPECT_TRUE(m.IsThreadFromTop());
    EXPECT_FALSE(m.IsDepthToTip());
}
