// The manifold record: every tag lands in its own field and nowhere else,
// flag tags build the three sets from empty, inch documents get the inch
// check settings.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "stream/QuorvaneFiles.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/FieldTable.h"
#include "testkit/TestFiles.h"
#include "testkit/WriteManifoldRecord.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

using namespace test::fields;
using test::Differences;
using test::FlatDocument;
using test::TBody;
using test::TFlat;

// Loads a file whose manifold record holds what body writes. Every fixture
// gets the same file time, so documents differ only by their content.
std::unique_ptr<TManifold> LoadRecord(const TBody& body, bool viewer = false,
                                      std::vector<std::string>* messages = nullptr)
{
    auto r = test::LoadDesignAtFixedTime(
        [&](TQuorvaneFile& f) {
            f.WriteVar(2000);
            if (body) body(f);
            f.WriteVar(2999);
        },
        {.Viewer = viewer});
    if (messages) *messages = r.Texts;
    else EXPECT_TRUE(r.Messages.empty());
    return std::move(r.M);
}

const TFlat& EmptyRecord()
{
    static const TFlat flat = FlatDocument(*LoadRecord({}));
    return flat;
}

} // namespace

TEST(ManifoldRecord, EachTagSetsItsOwnField)
{
    const std::vector<test::TFieldRow> cases = {
        {"2001", Text(2001, "VELK Q2022"), {{"fVELKStamp", "VELK Q2022"}}},
        {"2002 0", Int(2002, 0), {{"FData.FileType", "ftNone"}}},
        {"2002 1", Int(2002, 1), {}},
        {"2002 -1", Int(2002, -1), {{"FData.FileType", "ftPattern"}}},
        {"2002 2", Int(2002, 2), {{"FData.FileType", "ftPattern"}}},
        {"2003 0", Int(2003, 0), {}},
        {"2004", Int(2004, 3), {{"FData.Decimals", "3"}}},
        {"2005", Int(2005, 12), {{"FData.CurrentDrawing", "12"}}},
        {"2006 0", Int(2006, 0), {{"FData.DrawProjectionMethode", "pmEuropean"}}},
        {"2006 5", Int(2006, 5), {}},
        {"2007", Dbl(2007, 0.75), {{"FData.CrossSectionMove", "0.75"}}},
        {"2010", Dbl(2010, 120.5), {{"FData.Max.X", "120.5"}}},
        {"2020", Dbl(2020, 80.25), {{"FData.Max.Y", "80.25"}}},
        {"2030", Dbl(2030, 60.125), {{"FData.Max.Z", "60.125"}}},
        {"2032", Int(2032, 3), {{"FData.AngleDecimals", "3"}}},
        {"2040", Text(2040, "St 52"), {{"FData.Material", "St 52"}}},
        {"2041", Dbl(2041, 0.85), {{"FData.HoleFactor", "0.85"}}},
        {"2042", Dbl(2042, 2700.0), {{"FData.MassDensity", "2700"}}},
        {"2050", Text(2050, "A3.lay"), {{"FData.LayoutFile", "A3.lay"}}},
        {"2051", Text(2051, "Plotter"), {{"FData.PrinterName", "Plotter"}}},
        {"2052", Int(2052, 9), {{"FData.PaperSize", "9"}}},
        {"2060", Bool(2060, true), {{"FData.DepthFromCutOut", "true"}}},
        {"2060 byte 2", Byte(2060, 2), {{"FData.DepthFromCutOut", "true"}}},
        {"2100 0", Int(2100, 0), {{"FData.DrawDashHoles", "dashNone"}}},
        {"2100 1", Int(2100, 1), {}},
        {"2100 9", Int(2100, 9), {{"FData.DrawDashHoles", "dashAll"}}},
        {"2110", Int(2110, 4), {{"FData.CrossSectionInfo.X.HoleNumber", "4"}}},
        {"2111", Dbl(2111, 1.5), {{"FData.CrossSectionInfo.X.Coordinate", "1.5"}}},
        {"2120", Int(2120, 5), {{"FData.CrossSectionInfo.Y.HoleNumber", "5"}}},
        {"2121", Dbl(2121, 2.5), {{"FData.CrossSectionInfo.Y.Coordinate", "2.5"}}},
        {"2130", Int(2130, 6), {{"FData.CrossSectionInfo.Z.HoleNumber", "6"}}},
        {"2131", Dbl(2131, 3.5), {{"FData.CrossSectionInfo.Z.Coordinate", "3.5"}}},
        {"2200", Dbl(2200, 3.5), {{"fCalculateSettingsNew.fData.Wallthickness", "3.5"}}},
        {"2201", Int(2201, 11), {{"FData.CalcHole[0]", "11"}}},
        {"2202", Int(2202, 12), {{"FData.CalcHole[1]", "12"}}},
        {"2500", Int(2500, 0), {{"FData.SortSettings.SortMethode", "smRenumber"}}},
        {"2500 outside", Int(2500, 7), {{"FData.SortSettings.SortMethode", "7"}}},
        {"2501", Int(2501, 1), {{"FData.SortSettings.SortType", "stLastDiameter"}}},
        {"2546", Int(2546, 40), {{"FData.SortSettings.SortLastHoleNumber", "40"}}},
        {"2608", Int(2608, 2), {{"FData.FinishFaceStyle", "2"}}},
        {"2610", Int(2610, 4), {{"FData.RotateFace", "4"}}},
        {"2620", Text(2620, "c.mnf"), {{"FData.ConstructionHoleFile", "c.mnf"}}},
        {"2621", Bool(2621, false), {{"FData.ConnectAutomatically", "false"}}},
        {"2630", Text(2630, "P"), {{"FData.CurrentGroupCode", "P"}}},
        {"2640", Int(2640, 2), {{"FData.ModifyDimensionsSettings.Direction", "2"}}},
        {"2641", Dbl(2641, 1.25), {{"FData.ModifyDimensionsSettings.Value", "1.25"}}},
        {"2642", Dbl(2642, 8.5), {{"FData.ModifyDimensionsSettings.Coordinate", "8.5"}}},
        {"2643", Bool(2643, false), {{"FData.ModifyDimensionsSettings.ModifyDepth", "false"}}},
        {"2700", Bool(2700, false), {{"FData.TrimOptimizeDepth", "false"}}},
        {"2710", Dbl(2710, 1.5), {{"FData.TrimOptimizeDiameterFactor", "1.5"}}},
        {"2720", Bool(2720, true), {{"FData.TrimOptimizeHolesDepthToCenterLine", "true"}}},
        {"2730", Dbl(2730, 3.0), {{"FData.TrimOptimizeHolesOffset", "3"}}},
        {"2740", Bool(2740, false), {{"FData.TrimOptimizeCartridgesDepthToCenterLine", "false"}}},
        {"2750", Dbl(2750, 1.75), {{"FData.TrimOptimizeCartridgesOffset", "1.75"}}},
        {"2760", Dbl(2760, 44000.5), {{"FData.HoleListChangedDateTime", "44000.5"}}},
        {"2770 1", Byte(2770, 1), {{"FData.IncludeHoleTextMode", "ihtmAll"}}},
        {"2770 2", Byte(2770, 2), {}},
        {"2770 then 2774", Both(Byte(2770, 1), Int(2774, 1)), {{"FData.IncludeHoleTextMode", "ihtmBorder"}}},
        {"2772", Bool(2772, true), {{"FData.IncludeHoleComments", "true"}}},
        {"2774", Int(2774, 2), {{"FData.IncludeHoleTextMode", "ihtmWithoutBorder"}}},
        {"2774 outside", Int(2774, 9), {{"FData.IncludeHoleTextMode", "9"}}},
        {"2776", Bool(2776, true), {{"FData.IncludeManufacturingNotes", "true"}}},
        {"2777", Bool(2777, true), {{"FData.IncludeToleranceDiameter", "true"}}},
        {"2778", Bool(2778, true), {{"FData.IncludeToleranceDepth", "true"}}},
        {"2780", Bool(2780, true), {{"fHoleNumberOptions.MoveHoleNumbers", "true"}}},
        {"2790", Dbl(2790, 4.0), {{"fHoleNumberOptions.HoleNumberTextHeight", "4"}}},
        {"2792", Bool(2792, true), {{"FData.Face6Alternate", "true"}}},
        {"2795", Dbl(2795, 1.1), {{"FData.HeightIsoHoleNumber", "1.1"}}},
        {"2796", Dbl(2796, 1.2), {{"FData.HeightIsoFaceNumber", "1.2"}}},
        {"2797", Dbl(2797, 1.3), {{"FData.HeightIsoItemNumber", "1.3"}}},
        {"2798", Dbl(2798, 1.4), {{"FData.HeightIsoError", "1.4"}}},
        {"2800", Dbl(2800, 2.5), {{"fEngravedItemNumbersOptions.TextHeight", "2.5"}}},
        {"2804", Dbl(2804, 6.5), {{"fEngravedItemNumbersOptions.FixedWidth", "6.5"}}},
        {"2806", Bool(2806, false), {{"fEngravedItemNumbersOptions.UseBorder", "false"}}},
        {"2808", Int(2808, 2), {{"fEngravedItemNumbersOptions.InsertionPoint", "2"}}},
        {"2810", Bool(2810, true), {{"fEngravedItemNumbersOptions.EngraveItemNumbers", "true"}}},
        {"2812", Bool(2812, true), {{"fEngravedItemNumbersOptions.UseHoleTextSettings", "true"}}},
        {"7010", Text(7010, "Valve block"), {{"FData.Properties.Title", "Valve block"}}},
        {"7020", Text(7020, "vb.bmp"), {{"FData.Properties.Bitmap", "vb.bmp"}}},
        {"7030", Text(7030, "Main\r\nblock"), {{"FData.Properties.Description", "Main\r\nblock"}}},
        {"7040", Text(7040, "Blocks"), {{"FData.Properties.Group", "Blocks"}}},
        {"7050", Bool(7050, false), {{"FData.Properties.Use", "false"}}},
        // The library file and the script text height have no tag here.
        {"7060", Text(7060, "lib.mnf"), {}},
        {"unknown 2900", Both([](TQuorvaneFile& f) { f.WriteAnsiString(2900, std::string(12, '\xff')); },
                              Dbl(2010, 9.0)),
         {{"FData.Max.X", "9"}}},
        {"repeated", Both(Dbl(2010, 1.0), Dbl(2010, 2.0)), {{"FData.Max.X", "2"}}},
        {"text decoded", Text(2040, "Gu\xdf" "eisen \x80"), {{"FData.Material", "Gußeisen €"}}},
    };
    test::ExpectEachRowSetsItsFields(cases, [](const TBody& body, bool viewer) {
        return FlatDocument(*LoadRecord(body, viewer));
    });
}

TEST(ManifoldRecord, FinishFaceTagsSetOneElementEach)
{
    for (int i = 0; i <= 6; ++i) {
        const TFlat expected{{"FData.FinishFace[" + std::to_string(i) + "]", "6.3"}};
        EXPECT_EQ(Differences(EmptyRecord(), FlatDocument(*LoadRecord(Dbl(uint16_t(2600 + i), 6.3)))), expected)
            << 2600 + i;
    }
}

TEST(ManifoldRecord, FlagTags)
{
    const struct { uint16_t tag; const char* set; const char* member; } flags[] = {
        {2210, "FData.CalculateFlags", "cfGroups"},   {2220, "FData.CalculateFlags", "cfThread"},
        {2230, "FData.CalculateFlags", "cfWarnings"},
        {2310, "FData.FileFlags", "ffAutoExport"},    {2320, "FData.FileFlags", "ffAutoRedraw"},
        {2330, "FData.FileFlags", "ffAutoRenumber"},  {2340, "FData.FileFlags", "ffDepthToTip"},
        {2350, "FData.FileFlags", "ffThreadFromTop"}, {2360, "FData.FileFlags", "ffHiddenStepsss"},
        {2410, "FData.DrawFlags", "dfAngleValue"},    {2420, "FData.DrawFlags", "dfContourHole"},
        {2430, "FData.DrawFlags", "dfContourPattern"}, {2440, "FData.DrawFlags", "dfItemNumber"},
        {2450, "FData.DrawFlags", "dfColorFill"},     {2460, "FData.DrawFlags", "dfColorDash"},
        {2470, "FData.DrawFlags", "dfOringArea"},     {2472, "FData.DrawFlags", "dfHideHoleNumber"},
        {2474, "FData.DrawFlags", "dfHideRemark"},    {2476, "FData.DrawFlags", "dfHideHoleText"},
        {2478, "FData.DrawFlags", "dfHidePlug"},      {2480, "FData.DrawFlags", "dfHideDummyHole"},
        {2482, "FData.DrawFlags", "dfHideThread"},
        // Sort options keep their defaults (soRearrangePatterns, soMultiSort) and only gain members.
        {2510, "FData.SortSettings.SortOptions", "soPatternHoles,soRearrangePatterns,soMultiSort"},
        {2520, "FData.SortSettings.SortOptions", "soSkipHoles,soRearrangePatterns,soMultiSort"},
        {2530, "FData.SortSettings.SortOptions", nullptr},
        {2540, "FData.SortSettings.SortOptions", nullptr},
        {2542, "FData.SortSettings.SortOptions", "soRearrangePatterns,soMultiSort,soAutoSkip"},
        {2544, "FData.SortSettings.SortOptions", "soRearrangePatterns,soMultiSort,soOnlyFromLastHole"},
    };
    for (const auto& c : flags) {
        const TFlat set = c.member ? TFlat{{c.set, c.member}} : TFlat{};
        EXPECT_EQ(Differences(EmptyRecord(), FlatDocument(*LoadRecord(Byte(c.tag, 1)))), set) << c.tag;
        EXPECT_EQ(Differences(EmptyRecord(), FlatDocument(*LoadRecord(Byte(c.tag, 7)))), set) << c.tag << " byte 7";
        // A flag tag with the byte 0 changes nothing.
        EXPECT_EQ(Differences(EmptyRecord(), FlatDocument(*LoadRecord(Byte(c.tag, 0)))), TFlat{}) << c.tag;
    }
    // Several flags of one set come out in ordinal order.
    const auto m = LoadRecord(Both(Both(Bool(2482, true), Bool(2410, true)), Bool(2470, true)));
    EXPECT_EQ(FlatDocument(*m).at("FData.DrawFlags"), "dfAngleValue,dfOringArea,dfHideThread");
}

TEST(ManifoldRecord, MinimalRecordEmptiesTheFlagSets)
{
    const auto m = LoadRecord([](TQuorvaneFile& f) {
        f.WriteDouble(2010, 120.0);
        f.WriteDouble(2020, 80.0);
        f.WriteDouble(2030, 60.0);
    });
    EXPECT_EQ(m->Max(), (TXYZPoint{120.0, 80.0, 60.0}));
    EXPECT_EQ(m->Units(), muMM);
    EXPECT_TRUE(m->Data().DrawFlags.Empty());
    EXPECT_TRUE(m->Data().FileFlags.Empty());
    EXPECT_TRUE(m->Data().CalculateFlags.Empty());
    EXPECT_EQ(m->Data().SortSettings.SortOptions, (TSortOptions{soRearrangePatterns, soMultiSort}));
    EXPECT_FALSE(m->IsDepthToTip());
    // Everything else keeps its default.
    TManifold fresh;
    EXPECT_EQ(m->Data().Decimals, fresh.Data().Decimals);
    EXPECT_EQ(m->Data().FinishFace, fresh.Data().FinishFace);
    EXPECT_EQ(m->Data().ScriptTextHeight, 5.0);
}

TEST(ManifoldRecord, InchDocumentGetsInchCheckSettings)
{
    for (const bool wallFirst : {true, false}) {
        const TBody wall = Dbl(2200, 3.5), unit = Int(2003, 5);
        const auto m = LoadRecord(wallFirst ? Both(wall, unit) : Both(unit, wall));
        EXPECT_EQ(m->Units(), muIN);
        EXPECT_TRUE(m->IsInch());
        const auto& c = m->CalculateSettingsNew().fData;
        // The wall thickness of tag 2200 is replaced too, whatever the order.
        EXPECT_EQ(c.Wallthickness, 0.2);
        EXPECT_EQ(c.WallthicknessMountingHoles, 0.2);
        EXPECT_EQ(c.ErrorIndicatorSize, 0.75);
        EXPECT_EQ(c.ErrorTextSize, 0.1);
        EXPECT_EQ(c.Flags, (TCalculateFlagsNew{cfnCheckGroups, cfnCheckPorts, cfnCheckThread,
                                               cfnShowPortsWithoutConnection, cfnShowAllToSmallWallThicknesses,
                                               cfnShowDistancesEvenForConnectedHoles}));
        EXPECT_EQ(c.SelectWallDiameter, swdAverageOfDiameters);
        EXPECT_EQ(c.ThreadCorrection, 0.0);
        // Only the units and the check settings differ from an empty record.
        for (const auto& [path, value] : Differences(EmptyRecord(), FlatDocument(*m)))
            EXPECT_TRUE(path == "FData.MeasuringUnits" || path.rfind("fCalculateSettingsNew.fData.", 0) == 0) << path;
        EXPECT_EQ(m->IsoHeightError(), 0.75);
    }
}

TEST(ManifoldRecord, ViewerFileRecord)
{
    const auto m = LoadRecord([](TQuorvaneFile& f) {
        f.WriteString(2001, "Stamp");
        f.WriteInteger(2002, 1);
        f.WriteInteger(2003, 0);
        f.WriteInteger(2004, 3);
        f.WriteInteger(2032, 2);
        f.WriteDouble(2010, 150.0);
        f.WriteDouble(2020, 90.0);
        f.WriteDouble(2030, 45.0);
        f.WriteBoolean(2350, true);
    }, /*viewer=*/true);
    EXPECT_EQ(m->VELKStamp(), "Stamp");
    EXPECT_EQ(m->Decimals(), 3);
    EXPECT_EQ(m->AngleDecimals(), 2);
    EXPECT_EQ(m->Max(), (TXYZPoint{150.0, 90.0, 45.0}));
    EXPECT_TRUE(m->IsThreadFromTop());
    EXPECT_FALSE(m->IsDepthToTip());
    EXPECT_TRUE(m->DrawFlags().Empty());
}

// The record writer with every tag, read back: each field of a filled-in
// record comes back, in millimetres and in inches (where the wall thickness
// gives way to the inch check settings, as a load of an inch document does).
TEST(ManifoldRecord, EveryTagWriterLoadsBack)
{
    for (const TUnit units : {muMM, muIN}) {
        SCOPED_TRACE(EnumNames(units).Name(units));
        TManifold source;
        samples::FillSampleManifoldRecord(source);
        source.FData.MeasuringUnits = units;
        const auto r = test::LoadDesignAtFixedTime([&](TQuorvaneFile& f) { samples::WriteManifoldRecord(f, source); });
        EXPECT_TRUE(r.Messages.empty());
        const TManifold& m = *r.M;
        EXPECT_EQ(test::Flat(m.FData), test::Flat(source.FData));
        EXPECT_EQ(m.VELKStamp(), source.VELKStamp());
        EXPECT_EQ(test::Flat(m.HoleNumberOptions()), test::Flat(source.HoleNumberOptions()));
        EXPECT_EQ(test::Flat(m.EngravedItemNumbersOptions()), test::Flat(source.EngravedItemNumbersOptions()));
        const double inch = TCalculateSettinsNewData::InchDefaults().Wallthickness;
        EXPECT_EQ(m.GetCalcWallthickness(), units == muMM ? source.GetCalcWallthickness() : inch);
    }
    // The filled-in record differs from a fresh one wherever a file can say so.
    TManifold fresh, filled;
    samples::FillSampleManifoldRecord(filled);
    const TFlat changed = Differences(test::Flat(fresh.FData), test::Flat(filled.FData));
    for (const auto& [path, value] : test::Flat(fresh.FData))
        if (path != ".ScriptTextHeight" && path != ".Properties.LibraryFile") {
            EXPECT_TRUE(changed.count(path)) << path << " keeps its default in the sample";
        }
}

// In a viewer file the writer keeps only what the viewer reads of the record.
TEST(ManifoldRecord, ViewerFileWriterKeepsTheViewerFields)
{
    TManifold source;
    samples::FillSampleManifoldRecord(source);
    const auto r = test::LoadDesignAtFixedTime(
        [&](TQuorvaneFile& f) { samples::WriteManifoldRecord(f, source, {samples::TWriteOptions::EveryTag, true}); },
        {.Viewer = true});
    EXPECT_TRUE(r.Messages.empty());
    const TFlat expected = {
        {"fVELKStamp", "VELK sample 7"},
        {"FData.FileType", "ftPattern"},
        {"FData.MeasuringUnits", "muIN"},
        {"FData.Decimals", "3"},
        {"FData.AngleDecimals", "2"},
        {"FData.Max.X", "120.5"},
        {"FData.Max.Y", "80.25"},
        {"FData.Max.Z", "60.125"},
        // Of the file flags a viewer file stores the two that say how depths
        // and thread lengths are measured.
        {"FData.FileFlags", "ffThreadFromTop"},
    };
    TFlat got = Differences(EmptyRecord(), FlatDocument(*r.M));
    // An inch document starts from the inch check settings.
    for (auto it = got.begin(); it != got.end();)
        it = it->first.rfind("fCalculateSettingsNew.fData.", 0) == 0 ? got.erase(it) : std::next(it);
    EXPECT_EQ(got, expected);
}
