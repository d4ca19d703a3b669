// Plot settings: the record with its flags, text heights, dimension
// settings, face positions and nested comment files, drilling-list settings
// and information table; defaults, copies and damaged files; the column
// record the drilling list and information table share with the revision
// table.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/DrillingListSettings.h"
#include "model/InfoTables.h"
#include "model/PlotSettings.h"
#include "model/RevisionLists.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/TestFiles.h"
#include "testkit/WritePlotSettings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using namespace qv;
using qv::test::Flat;
using qv::test::TFlat;

namespace {

std::unique_ptr<TManifold> LoadDesign(const std::string& name, const std::function<void(TQuorvaneFile&)>& body,
                                      bool withEnd = true)
{
    // A cut-off file is reported; these tests look at the records.
    return test::LoadDesign(name, body, {.WithEnd = withEnd}).M;
}

// One plot settings record holding whatever fields writes.
const TPlotSettings& LoadRecord(std::unique_ptr<TManifold>& keep, const std::string& name,
                                const std::function<void(TQuorvaneFile&)>& fields)
{
    keep = LoadDesign(name, [&](TQuorvaneFile& f) {
        f.WriteVar(50000);
        if (fields) fields(f);
        f.WriteVar(59999);
    });
    EXPECT_EQ(keep->PlotSettings().Count(), 1);
    return *keep->PlotSettings().First();
}

// "key=value" lines into a flat map; values run to the end of the line, so
// texts with leading blanks stay as they are.
TFlat Parse(const std::string& text)
{
    TFlat out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (line.empty() || eq == std::string::npos) continue;
        out[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return out;
}

// The documented defaults of a plot settings record, written out by hand.
// PlotFlags is left out: a new record and a record read from a file differ.
const char* const kDefaults = R"(.FData.PlotMode=psmProduction
.FData.FaceDistance.X=40
.FData.FaceDistance.Y=40
.FData.Scale=2
.FData.PlotTextHeight.thDefault=2.5
.FData.PlotTextHeight.thItem=3.5
.FData.PlotTextHeight.thExtra=2.5
.FData.PlotTextHeight.thDrillingList=2.5
.FData.PlotTextHeight.thInfo=3.5
.FData.PlotTextHeight.thMaterial=3.5
.FData.PlotTextHeight.thSurfaceFinish=3.5
.FData.PlotTextHeight.thFaceNumber=3.5
.FData.PlotTextHeight.thMeasureManifold=2.5
.FData.PlotTextHeight.thMeasureHoles=1.8
.FData.PlotTextHeight.thDimensionHoles=1.8
.FData.PlotTextHeight.thRemark=2.5
.FData.ProjectionMethode=pmAmerican
.FData.Orientation=poLandscape
.FData.Origin=0
.FData.PrinterName=
.FData.PaperSize=
.FData.DXFFile=false
.FData.DWGHeaderFile=
.FData.InsertionPointComments.X=0
.FData.InsertionPointComments.Y=0
.FData.ShowDimensionsSettings.TruncateTrailingZeros=true
.FData.ShowDimensionsSettings.TruncateTrailingZerosCoordinates=false
.FData.ShowDimensionsSettings.IndicatorAngle=Angle=
.FData.ShowDimensionsSettings.IndicatorAngleValue=°
.FData.ShowDimensionsSettings.IndicatorHole=Hole
.FData.ShowDimensionsSettings.IndicatorTypicalHoles=Typical Holes
.FData.ShowDimensionsSettings.IndicatorCartridge=Cavity
.FData.ShowDimensionsSettings.IndicatorLocationShoulder=LS
.FData.ShowDimensionsSettings.IndicatorSpotfaced= Spotface
.FData.ShowDimensionsSettings.IndicatorSpotfacedStart=
.FData.ShowDimensionsSettings.IndicatorDiameter=ø
.FData.ShowDimensionsSettings.IndicatorDiameterEnd=
.FData.ShowDimensionsSettings.IndicatorDepth=Dp
.FData.ShowDimensionsSettings.IndicatorDepthEnd=
.FData.ShowDimensionsSettings.IndicatorThrough= Thru
.FData.ShowDimensionsSettings.IndicatorCounterBore= Counterbore
.FData.ShowDimensionsSettings.ShowThreadOfStandardHoles=false
.FData.ShowDimensionsSettings.ShowThreadOfCartridges=false
.FData.ShowDimensionsSettings.ShowDiametersAfterThreadOfStandardHoles=false
.FData.ShowDimensionsSettings.ShowDiametersAfterThreadOfCartridges=false
.FData.ShowDimensionsSettings.ShowAngleRotationAlways=true
.FData.ShowDimensionsSettings.ShowThreadDrillDiameter=false
.FData.ShowDimensionsSettings.TurnOffThreadDrillDiameterCartridges=true
.FData.ShowDimensionsSettings.ShowOnlyQuotedTextCartridges=true
.FData.ShowDimensionsSettings.ShowOnlyQuotedTextStandardHoles=true
.FData.ShowDimensionsSettings.SkipLineAfterTypicalHoles=true
.FData.ShowDimensionsSettings.DistanceHorizontal=3.5
.FData.ShowDimensionsSettings.DistanceVertical=3.5
.FData.ShowDimensionsSettings.OffsetFromFace=20
.FData.ShowDimensionsSettings.OffsetFaceIndicator=0
.FData.ShowDimensionsSettings.OffsetDimension=0
.FData.ShowDimensionsSettings.WrapIfLongerThanCharacters=0
.FData.ShowDimensionsSettings.WrapSmart=true
.FData.ShowDimensionsSettings.NumberOfSectors[0]=0
.FData.ShowDimensionsSettings.NumberOfSectors[1]=0
.FData.ShowDimensionsSettings.NumberOfSectors[2]=0
.FData.ShowDimensionsSettings.NumberOfSectors[3]=0
.FData.ShowDimensionsSettings.NumberOfSectors[4]=0
.FData.ShowDimensionsSettings.NumberOfSectors[5]=0
.FData.ShowDimensionsSettings.DivideMountingHolesPatterns=false
.FData.ShowDimensionsSettings.DivideMountingHoles=false
.FData.ShowDimensionsSettings.TextOffset=0
.FData.ShowDimensionsSettings.BorderType=0
.FData.ShowDimensionsSettings.ShowInsertionPointHoleText=false
.FData.ShowDimensionsSettings.UseLevelsWithCoords=false
.FData.ShowDimensionsSettings.MoveDimensionsToFaceOrigin=true
.FData.ShowDimensionsSettings.ShowQuotedTextOtherHoles=false
.FData.ShowDimensionsSettings.ShowDepthOfThroughHoles=false
.FData.ShowDimensionsSettings.HideHoleNumberSingleHole=false
.FData.ShowDimensionsSettings.SpecialNoteFirst=false
.FData.ShowDimensionsSettings.HideQuotesCartridge=false
.FData.ShowDimensionsSettings.HideAllHoleNumbers=false
.FData.ShowDimensionsSettings.AddTolerancesDiameter=false
.FData.ShowDimensionsSettings.AddTolerancesDepth=false
.FData.ShowDimensionsSettings.CartridgeMustHasHiddenDiameters=false
.FData.FacePositions.UseDefaultFacePositions=true
.FData.FacePositions.FacePos[0].X=0
.FData.FacePositions.FacePos[0].Y=0
.FData.FacePositions.FacePos[1].X=0
.FData.FacePositions.FacePos[1].Y=0
.FData.FacePositions.FacePos[2].X=0
.FData.FacePositions.FacePos[2].Y=0
.FData.FacePositions.FacePos[3].X=0
.FData.FacePositions.FacePos[3].Y=0
.FData.FacePositions.FacePos[4].X=0
.FData.FacePositions.FacePos[4].Y=0
.FData.FacePositions.FacePos[5].X=0
.FData.FacePositions.FacePos[5].Y=0
.FData.FacePositions.FaceOn[0]=true
.FData.FacePositions.FaceOn[1]=true
.FData.FacePositions.FaceOn[2]=true
.FData.FacePositions.FaceOn[3]=true
.FData.FacePositions.FaceOn[4]=true
.FData.FacePositions.FaceOn[5]=true
.FData.FacePositions.AskToAlign=true
.FData.FacePositions.SnapForPlacing=5
.fCommentFileList.Count=0
.fDrillingListDrawingSettings.fData.TextHeight=3.5
.fDrillingListDrawingSettings.fData.RowHeight=5
.fDrillingListDrawingSettings.fData.InsertionPoint.X=0
.fDrillingListDrawingSettings.fData.InsertionPoint.Y=0
.fDrillingListDrawingSettings.fData.HoleNumberSeperator=..
.fDrillingListDrawingSettings.fData.TextSeperator=; 
.fDrillingListDrawingSettings.fData.ShowTitles=true
.fDrillingListDrawingSettings.fData.SplitFaces=false
.fDrillingListDrawingSettings.fData.UseManufacuringNotes=true
.fDrillingListDrawingSettings.fData.EmptyLineBetweenFaces=false
.fDrillingListDrawingSettings.fData.EmptyLineBetweenHoles=false
.fDrillingListDrawingSettings.fData.EmptyLineBetweenSteps=false
.fDrillingListDrawingSettings.fData.StartOfPatternOnNewLine=false
.fDrillingListDrawingSettings.fData.HideCoordinatesOfPatternHoles=false
.fDrillingListDrawingSettings.fData.IncludeHoleComments=false
.fDrillingListDrawingSettings.fData.IncludeSpecialMenufacturingNotes=false
.fDrillingListDrawingSettings.fColumnList.Count=0
.fInfoTable.fData.RowHeight=5
.fInfoTable.fData.TextHeight=2.5
.fInfoTable.fData.ShowLines=true
.fInfoTable.fData.ThruLabel=Diam <> Thru
.fInfoTable.fData.ShowThreadOfCartridges=true
.fInfoTable.fSectionList.Count=0
.fInfoTable.fColumnList.Count=0
)";

constexpr const char* kNewRecordFlags =
    "pfAlternate,pfBorder,pfCenterDrawing,pfContours,pfFileInformation,pfItemNumbers,pfNumbersMoved,"
    "pfORingArea,pfORingPatternsOnly,pfProgramInformation,pfProjectionMethod,pfRevisionHistory,"
    "pfEngraveItemNumbers";

TFlat DefaultsWithFlags(const std::string& flags)
{
    TFlat expected = Parse(kDefaults);
    expected[".FData.PlotFlags"] = flags;
    return expected;
}

// Every flag item tag with its member, in declared order.
const std::vector<std::pair<int, std::string>> kFlagTags = {
    {56000, "pfAlternate"}, {56010, "pfBorder"}, {56020, "pfCenterDrawing"}, {56030, "pfComments"},
    {56040, "pfContours"}, {56050, "pfDashHoles"}, {56051, "pfHideDashFace1"}, {56052, "pfHideDashFace2"},
    {56053, "pfHideDashFace3"}, {56054, "pfHideDashFace4"}, {56055, "pfHideDashFace5"},
    {56056, "pfHideDashFace6"}, {56060, "pfDrawingHead"}, {56070, "pfDrillingList"}, {56080, "pfExtraText"},
    {56090, "pfFileInformation"}, {56100, "pfFitDrawing"}, {56110, "pfItemNumbers"}, {56120, "pfNumbersMoved"},
    {56130, "pfORingArea"}, {56140, "pfORingPatternsOnly"}, {56150, "pfProgramInformation"},
    {56160, "pfSurfaceFinish"}, {56170, "pfTime"}, {56180, "pfValveInformation"}, {56190, "pfXYCoordinates"},
    {56200, "pfGroupCodes"}, {56210, "pfProjectionMethod"}, {56220, "pfRevisionHistory"},
    {56230, "pfMeasureInProduction"}, {56240, "pfMeasureAllPatternHoles"}, {56250, "pfPlugs"},
    {56260, "pfVisiblePlugsOnly"}, {56270, "pfMaterial"}, {56280, "pfDisableDepthIndication"},
    {56290, "pfShowAllDimensions"}, {56300, "pfDimensionsHorizontal"}, {56310, "pfMoveDimensions"},
    {56320, "pfNotGroupHoles"}, {56330, "pfDisableCoordsOrigin"}, {56340, "pfShowDotInOrigin"},
    {56342, "pfDisableSpecialNotes"}, {56344, "pfOverruleDefaultHeader"}, {56346, "pfShowSpecialNotes"},
    {56348, "pfDisableFaceNumbers"}, {56350, "pfDisableAxisIndicators"}, {56352, "pfShowBillOfMaterials"},
    {56354, "pfDisableNameAndSize"}, {56356, "pfDisableHoleText"}, {56358, "pfDimensionHoleText"},
    {56360, "pfUseBaseLineDimensionsInAssembly"}, {56362, "pfShowContourAlways"},
    {56364, "pfShowMountingHolesCompleteInAssembly"}, {56390, "pfShowAllHolesInAssembly"},
    {56366, "pfShowNettMaterial"}, {56368, "pfShowXMaxYMaxZMaxAlways"}, {56372, "pfDisableSurfaceFinishInfo"},
    {56374, "pfDetails"}, {56376, "pfUsedPlugs"}, {56378, "pfShowConnections"}, {56380, "pfShowCrossSections"},
    {56382, "pfMeasureCutOuts"}, {56384, "pfDisableHoleRemark"}, {56386, "pfDisableHoleRemarkCartridges"},
    {56388, "pfShowAlternativeNotes"}, {56392, "pfRevisionList"}, {56394, "pfInformationTable"},
    {56396, "pfEngraveItemNumbers"}, {56398, "pfDisableHoleNumbers"}};

} // namespace

// ------------------------------------------------------------ whole records

TEST(PlotSettingsRecord, RoundTripOfEveryField)
{
    TPlotSettings sample;
    FillSamplePlotSettings(sample);
    TPlotSettings plain;
    plain.FData.PlotMode = psmPattern;

    // The sample differs from a new record in every field, so a field read
    // from the wrong tag shows.
    const TFlat sampleFlat = Flat(sample);
    for (const auto& [key, value] : Flat(plain))
        EXPECT_NE(sampleFlat.at(key), value) << key;

    auto m = LoadDesign("plot-roundtrip.mnf", [&](TQuorvaneFile& f) {
        WritePlotSettings(f, sample);
        WritePlotSettings(f, plain);
    });
    ASSERT_EQ(m->PlotSettings().Count(), 2);
    EXPECT_EQ(Flat(*m->PlotSettings()[0]), sampleFlat);
    // The defaults survive too, with the degree sign and the o with stroke
    // going through the file's code page.
    EXPECT_EQ(Flat(*m->PlotSettings()[1]), Flat(plain));
}

TEST(PlotSettingsRecord, NewRecordHasTheDocumentedDefaults)
{
    const TPlotSettings fresh;
    EXPECT_EQ(Flat(fresh), DefaultsWithFlags(kNewRecordFlags));

    TPlotSettings changed;
    FillSamplePlotSettings(changed);
    changed.Clear();
    EXPECT_EQ(Flat(changed), DefaultsWithFlags(kNewRecordFlags));
}

TEST(PlotSettingsRecord, EmptyRecordLoadsDefaultsWithoutFlags)
{
    // A record without flag items has no flags at all, not the set of a
    // new record.
    std::unique_ptr<TManifold> m;
    const TPlotSettings& ps = LoadRecord(m, "plot-empty.mnf", nullptr);
    EXPECT_EQ(Flat(ps), DefaultsWithFlags(""));
}

TEST(PlotSettingsRecord, EmptyNestedRecordsLoadTheirDefaults)
{
    std::unique_ptr<TManifold> m;
    const TPlotSettings& ps = LoadRecord(m, "plot-empty-nested.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(60100);
        f.WriteVar(60199);
        f.WriteVar(61100);
        f.WriteVar(61300);
        f.WriteVar(61399);
        f.WriteVar(61299);
        f.WriteVar(61400);
        f.WriteVar(61500);
        f.WriteVar(61599);
        f.WriteVar(61600);
        f.WriteVar(61699);
        f.WriteVar(61499);
    });
    TFlat expected = DefaultsWithFlags("");
    for (const auto& [k, v] : Parse(R"(.fCommentFileList.Count=1
.fCommentFileList[0].fData.FileName=
.fCommentFileList[0].fData.InsertionPoint.X=0
.fCommentFileList[0].fData.InsertionPoint.Y=0
.fCommentFileList[0].fData.UseTextFile=true
.fCommentFileList[0].fCommentLines.Count=0
.fDrillingListDrawingSettings.fColumnList.Count=1
.fDrillingListDrawingSettings.fColumnList[0].fData.ColumnType=dldcolHoleNumber
.fDrillingListDrawingSettings.fColumnList[0].fData.ColumnTitle=
.fDrillingListDrawingSettings.fColumnList[0].fData.ColumnWidth=15
.fInfoTable.fColumnList.Count=1
.fInfoTable.fColumnList[0].fData.ColumnType=infotablecolInfo
.fInfoTable.fColumnList[0].fData.ColumnTitle=
.fInfoTable.fColumnList[0].fData.ColumnWidth=20
.fInfoTable.fSectionList.Count=1
.fInfoTable.fSectionList[0].fData.SectionType=infotablesectionPorts
.fInfoTable.fSectionList[0].fData.SectionTitle=
)"))
        expected[k] = v;
    EXPECT_EQ(Flat(ps), expected);
}

// ------------------------------------------------------------------ fields

TEST(PlotSettingsFields, EachFlagTagSetsItsOwnMember)
{
    ASSERT_EQ(int(kFlagTags.size()), EnumCount<TPlotFlag>());
    for (const auto& [tag, name] : kFlagTags) {
        std::unique_ptr<TManifold> m;
        const TPlotSettings& ps = LoadRecord(m, "plot-flag.mnf", [tag = tag](TQuorvaneFile& f) {
            f.WriteBoolean(uint16_t(tag), true);
            f.WriteDouble(50300, 1.5); // the field after the flag is still read
        });
        EXPECT_EQ(Flat(ps).at(".FData.PlotFlags"), name) << tag;
        EXPECT_EQ(ps.FData.Scale, 1.5) << tag;
    }
}

TEST(PlotSettingsFields, FlagItems)
{
    struct Case {
        const char* name;
        std::function<void(TQuorvaneFile&)> fields;
        const char* flags;
    };
    const Case cases[] = {
        // 56370 belongs to no flag; the item is passed over by its length.
        {"56370 is no flag", [](TQuorvaneFile& f) { f.WriteBoolean(56370, true); }, ""},
        {"False adds nothing", [](TQuorvaneFile& f) { f.WriteBoolean(56010, false); }, ""},
        {"a later False does not remove",
         [](TQuorvaneFile& f) {
             f.WriteBoolean(56010, true);
             f.WriteBoolean(56010, false);
         },
         "pfBorder"},
        {"several, listed in declared order",
         [](TQuorvaneFile& f) {
             f.WriteBoolean(56398, true);
             f.WriteBoolean(56390, true);
             f.WriteBoolean(56000, true);
         },
         "pfAlternate,pfShowAllHolesInAssembly,pfDisableHoleNumbers"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TManifold> m;
        const TPlotSettings& ps = LoadRecord(m, "plot-flags.mnf", [&](TQuorvaneFile& f) {
            c.fields(f);
            f.WriteDouble(50300, 1.5);
        });
        EXPECT_EQ(Flat(ps).at(".FData.PlotFlags"), c.flags) << c.name;
        EXPECT_EQ(ps.FData.Scale, 1.5) << c.name;
    }
}

TEST(PlotSettingsFields, SingleItemsReachTheirFields)
{
    struct Case {
        const char* name;
        std::function<void(TQuorvaneFile&)> fields;
        TFlat changed; // fields that differ from the defaults afterwards
    };
    using F = TQuorvaneFile;
    const Case cases[] = {
        {"projection 0", [](F& f) { f.WriteInteger(50060, 0); }, {{".FData.ProjectionMethode", "pmEuropean"}}},
        {"projection 1", [](F& f) { f.WriteInteger(50060, 1); }, {}},
        {"projection 2", [](F& f) { f.WriteInteger(50060, 2); }, {}},
        {"projection -1", [](F& f) { f.WriteInteger(50060, -1); }, {}},
        {"projection 0 then 2",
         [](F& f) {
             f.WriteInteger(50060, 0);
             f.WriteInteger(50060, 2);
         },
         {}},
        {"thDefault", [](F& f) { f.WriteDouble(50400, 9.5); }, {{".FData.PlotTextHeight.thDefault", "9.5"}}},
        {"thItem", [](F& f) { f.WriteDouble(50042, 9.5); }, {{".FData.PlotTextHeight.thItem", "9.5"}}},
        {"thExtra", [](F& f) { f.WriteDouble(50044, 9.5); }, {{".FData.PlotTextHeight.thExtra", "9.5"}}},
        {"thDrillingList", [](F& f) { f.WriteDouble(50046, 9.5); },
         {{".FData.PlotTextHeight.thDrillingList", "9.5"}}},
        {"thInfo", [](F& f) { f.WriteDouble(50048, 9.5); }, {{".FData.PlotTextHeight.thInfo", "9.5"}}},
        {"thMaterial", [](F& f) { f.WriteDouble(50050, 9.5); }, {{".FData.PlotTextHeight.thMaterial", "9.5"}}},
        {"thSurfaceFinish", [](F& f) { f.WriteDouble(50051, 9.5); },
         {{".FData.PlotTextHeight.thSurfaceFinish", "9.5"}}},
        {"thFaceNumber", [](F& f) { f.WriteDouble(50052, 9.5); },
         {{".FData.PlotTextHeight.thFaceNumber", "9.5"}}},
        {"thMeasureManifold", [](F& f) { f.WriteDouble(50053, 9.5); },
         {{".FData.PlotTextHeight.thMeasureManifold", "9.5"}}},
        {"thMeasureHoles", [](F& f) { f.WriteDouble(50054, 9.5); },
         {{".FData.PlotTextHeight.thMeasureHoles", "9.5"}}},
        {"thDimensionHoles", [](F& f) { f.WriteDouble(50055, 9.5); },
         {{".FData.PlotTextHeight.thDimensionHoles", "9.5"}}},
        {"thRemark", [](F& f) { f.WriteDouble(50056, 9.5); }, {{".FData.PlotTextHeight.thRemark", "9.5"}}},
        {"face 3",
         [](F& f) {
             f.WriteBoolean(51030, false);
             f.WriteDouble(51031, 70.5);
             f.WriteDouble(51032, 80.5);
         },
         {{".FData.FacePositions.FaceOn[2]", "false"},
          {".FData.FacePositions.FacePos[2].X", "70.5"},
          {".FData.FacePositions.FacePos[2].Y", "80.5"}}},
        {"face 6", [](F& f) { f.WriteDouble(51062, -4.5); }, {{".FData.FacePositions.FacePos[5].Y", "-4.5"}}},
        // Tags inside the face block that name no face field.
        {"tag 51013 is no field", [](F& f) { f.WriteDouble(51013, 1.0); }, {}},
        {"tag 51070 is no field", [](F& f) { f.WriteBoolean(51070, false); }, {}},
        {"sectors 1 and 6",
         [](F& f) {
             f.WriteInteger(50591, 4);
             f.WriteInteger(50596, 9);
         },
         {{".FData.ShowDimensionsSettings.NumberOfSectors[0]", "4"},
          {".FData.ShowDimensionsSettings.NumberOfSectors[5]", "9"}}},
        {"repeated scalar keeps the last",
         [](F& f) {
             f.WriteDouble(50300, 1.0);
             f.WriteDouble(50300, 4.0);
         },
         {{".FData.Scale", "4"}}},
        {"Windows-1252 text", [](F& f) { f.WriteAnsiString(50325, "\xB0" "C"); },
         {{".FData.ShowDimensionsSettings.IndicatorAngleValue", "\u00B0C"}}},
        // Enumeration values outside the enumeration are kept as read.
        {"out-of-range enumerations",
         [](F& f) {
             f.WriteInteger(50010, 7);
             f.WriteInteger(50070, -2);
         },
         {{".FData.PlotMode", "7"}, {".FData.Orientation", "-2"}}},
        {"unknown tags are skipped by length",
         [](F& f) {
             f.WriteDouble(50001, 1.0);
             f.WriteString(50002, "not a field");
             f.WriteInteger(50080, 5);
         },
         {{".FData.Origin", "5"}}},
        {"unknown nested record is skipped field by field",
         [](F& f) {
             f.WriteVar(62000);
             f.WriteDouble(62010, 1.0);
             f.WriteVar(62099);
             f.WriteString(50090, "Plotter");
         },
         {{".FData.PrinterName", "Plotter"}}},
        // Fields of nested records outside their record are unknown tags.
        {"column fields outside a column",
         [](F& f) {
             f.WriteInteger(61310, 4);
             f.WriteDouble(61410, 8.0);
             f.WriteString(60150, "stray line");
         },
         {}},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TManifold> m;
        const TPlotSettings& ps = LoadRecord(m, "plot-field.mnf", c.fields);
        TFlat expected = DefaultsWithFlags("");
        for (const auto& [k, v] : c.changed) expected[k] = v;
        EXPECT_EQ(Flat(ps), expected) << c.name;
    }
}

// --------------------------------------------------------- nested records

TEST(PlotSettingsNested, SecondDrillingListAndInfoTableReadIntoTheSameObjects)
{
    std::unique_ptr<TManifold> m;
    const TPlotSettings& ps = LoadRecord(m, "plot-nested-twice.mnf", [](TQuorvaneFile& f) {
        for (int pass = 1; pass <= 2; ++pass) {
            f.WriteVar(61100);
            if (pass == 1) f.WriteBoolean(61190, true);
            f.WriteDouble(61130, pass);
            f.WriteVar(61300);
            f.WriteInteger(61310, pass == 1 ? dldcolX : dldcolY);
            f.WriteVar(61399);
            f.WriteVar(61299);

            f.WriteVar(61400);
            f.WriteString(61440, pass == 1 ? "first" : "second");
            f.WriteVar(61600);
            f.WriteInteger(61610, pass == 1 ? infotablesectionValves : infotablesectionPlugs);
            f.WriteVar(61699);
            f.WriteVar(61500);
            f.WriteString(61530, pass == 1 ? "A" : "B");
            f.WriteVar(61599);
            f.WriteVar(61499);
        }
    });
    const auto& dl = ps.fDrillingListDrawingSettings;
    EXPECT_TRUE(dl.fData.SplitFaces); // only in the first record, not reset by the second
    EXPECT_EQ(dl.fData.TextHeight, 2.0);
    ASSERT_EQ(dl.fColumnList.Count(), 2);
    EXPECT_EQ(dl.fColumnList[0]->fData.ColumnType, dldcolX);
    EXPECT_EQ(dl.fColumnList[1]->fData.ColumnType, dldcolY);

    const auto& it = ps.fInfoTable;
    EXPECT_EQ(it.fData.ThruLabel, "second");
    ASSERT_EQ(it.fSectionList.Count(), 2);
    EXPECT_EQ(it.fSectionList[0]->fData.SectionType, infotablesectionValves);
    EXPECT_EQ(it.fSectionList[1]->fData.SectionType, infotablesectionPlugs);
    ASSERT_EQ(it.fColumnList.Count(), 2);
    EXPECT_EQ(it.fColumnList[0]->fData.ColumnTitle, "A");
    EXPECT_EQ(it.fColumnList[1]->fData.ColumnTitle, "B");
}

TEST(PlotSettingsNested, CommentLinesAndOutOfRangeTypes)
{
    std::unique_ptr<TManifold> m;
    const TPlotSettings& ps = LoadRecord(m, "plot-nested-misc.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(60100);
        f.WriteString(60150, "first");
        f.WriteString(60150, "", true); // an empty line is a line
        f.WriteDouble(60198, 1.0);   // unknown tag inside the record
        f.WriteString(60150, "third");
        f.WriteVar(60199);
        f.WriteVar(61100);
        f.WriteVar(61300);
        f.WriteInteger(61310, 23);
        f.WriteVar(61399);
        f.WriteVar(61299);
        f.WriteVar(61400);
        f.WriteVar(61500);
        f.WriteInteger(61510, 4);
        f.WriteVar(61599);
        f.WriteVar(61600);
        f.WriteInteger(61610, -1);
        f.WriteVar(61699);
        f.WriteVar(61499);
    });
    ASSERT_EQ(ps.fCommentFileList.Count(), 1);
    EXPECT_EQ(ps.fCommentFileList[0]->fCommentLines, (std::vector<std::string>{"first", "", "third"}));
    const TFlat flat = Flat(ps);
    EXPECT_EQ(flat.at(".fDrillingListDrawingSettings.fColumnList[0].fData.ColumnType"), "23");
    EXPECT_EQ(flat.at(".fInfoTable.fColumnList[0].fData.ColumnType"), "4");
    EXPECT_EQ(flat.at(".fInfoTable.fSectionList[0].fData.SectionType"), "-1");
}

// ----------------------------------------------------------------- copies

TEST(PlotSettingsCopy, AssignCopiesDeeplyAndReplacesLists)
{
    TPlotSettings source;
    FillSamplePlotSettings(source);
    TPlotSettings target;
    target.fCommentFileList.Add()->fData.FileName = "old.txt";
    target.fInfoTable.fColumnList.Add();
    target.Assign(source);
    EXPECT_EQ(Flat(target), Flat(source));

    // The copy owns its own items.
    source.fCommentFileList[0]->fCommentLines.push_back("added later");
    source.fDrillingListDrawingSettings.fColumnList[0]->fData.ColumnWidth = 99.0;
    EXPECT_EQ(target.fCommentFileList[0]->fCommentLines.size(), 2u);
    EXPECT_EQ(target.fDrillingListDrawingSettings.fColumnList[0]->fData.ColumnWidth, 18.5);

    TPlotSettingsList a, b;
    FillSamplePlotSettings(*a.Add());
    a.Add();
    b.Add();
    b.Assign(a);
    ASSERT_EQ(b.Count(), 2);
    EXPECT_EQ(Flat(*b[0]), Flat(*a[0]));
    EXPECT_EQ(Flat(*b[1]), Flat(*a[1]));
}

// ------------------------------------------------------------ damaged files

TEST(PlotSettingsDamaged, RecordCutOffAnywhereKeepsWhatWasRead)
{
    TPlotSettings sample;
    FillSamplePlotSettings(sample);
    const std::string path = test::WriteDesign("plot-cut.mnf", [&](TQuorvaneFile& f) { WritePlotSettings(f, sample); });
    const std::string bytes = test::ReadBytes(path);
    const size_t bodyStart = TQuorvaneFile::HeaderSize + 6 + 6; // header, tag 1000, start tag 50000
    const size_t recordEnd = bytes.size() - 6;                    // before the end tag 1999

    // What a field may hold after a cut: the sample's value once its item was
    // read whole, else the value of a record read from nothing.
    TPlotSettings empty;
    empty.FData.PlotFlags.Clear();
    for (int i = 0; i < 2; ++i) {
        empty.fCommentFileList.Add();
        empty.fDrillingListDrawingSettings.fColumnList.Add();
        empty.fInfoTable.fColumnList.Add();
        empty.fInfoTable.fSectionList.Add();
    }
    const TFlat sampleFlat = Flat(sample);
    const TFlat emptyFlat = Flat(empty);

    for (size_t cut = bodyStart; cut <= recordEnd; ++cut) {
        auto HF = TQuorvaneFile::FromMemory(bytes.substr(0, cut), false);
        HF->ReadFileVersion();
        TVarInfo v;
        HF->ReadVarInfo(v);
        HF->ReadVarInfo(v);
        ASSERT_EQ(v.VarName, 50000);
        TPlotSettings ps;
        EXPECT_TRUE(ps.Load(*HF));

        const TFlat got = Flat(ps);
        for (const auto& [key, value] : got) {
            if (key == ".FData.PlotFlags") continue;
            const auto s = sampleFlat.find(key);
            ASSERT_NE(s, sampleFlat.end()) << "cut " << cut << ": " << key;
            if (key.ends_with(".Count")) {
                // A list holds up to as many items as the sample.
                EXPECT_LE(std::stoi(value), std::stoi(s->second)) << "cut " << cut << ": " << key;
                continue;
            }
            const auto e = emptyFlat.find(key);
            const bool ok = value == s->second || (e != emptyFlat.end() && value == e->second);
            EXPECT_TRUE(ok) << "cut " << cut << ": " << key << " = " << value;
        }
        const auto extra = ps.FData.PlotFlags.Value & ~sample.FData.PlotFlags.Value;
        EXPECT_TRUE(extra == 0) << "cut " << cut;
    }

    // Cut just before its end tag, the record has everything, including the
    // dimension settings and face positions.
    auto m = LoadDesign("plot-no-end.mnf", [&](TQuorvaneFile& f) {
        const std::string full = bytes.substr(bodyStart - 6, recordEnd - 6 - (bodyStart - 6));
        f.WriteBytes(full.data(), full.size());
    }, false);
    ASSERT_EQ(m->PlotSettings().Count(), 1);
    EXPECT_EQ(Flat(*m->PlotSettings()[0]), sampleFlat);
}

TEST(PlotSettingsDamaged, ItemCutInsideItsPayloadIsNotStored)
{
    auto m = LoadDesign("plot-cut-item.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(50000);
        f.WriteDouble(50570, 12.5);                // OffsetFromFace, read whole
        f.WriteVarInfo(TVarInfo{50300, 5, 8});     // Scale, with only 3 of its 8 bytes
        f.WriteBytes("\x01\x02\x03", 3);
    }, false);
    ASSERT_EQ(m->PlotSettings().Count(), 1);
    const auto& d = m->PlotSettings()[0]->FData;
    EXPECT_EQ(d.ShowDimensionsSettings.OffsetFromFace, 12.5);
    EXPECT_EQ(d.Scale, 2.0);
}

// ------------------------------------------------------------ column records

namespace {

// A column's fields as the three column tests write them, each differing
// from the defaults of all three column kinds.
constexpr int32_t kColumnType = 3;
constexpr double kColumnWidth = 27.5;
constexpr const char* kColumnTitle = "Bore depth";

// The flat view of a new column and of one holding the values above.
template <class TColumn>
std::pair<TFlat, TFlat> DefaultAndWritten()
{
    TColumn column;
    const TFlat defaults = Flat(column);
    column.fData.ColumnType = static_cast<decltype(column.fData.ColumnType)>(kColumnType);
    column.fData.ColumnWidth = kColumnWidth;
    column.fData.ColumnTitle = kColumnTitle;
    return {defaults, Flat(column)};
}

template <class TList>
std::vector<TFlat> FlatItems(const TList& list)
{
    std::vector<TFlat> out;
    for (const auto& item : list) out.push_back(Flat(*item));
    return out;
}

} // namespace

TEST(ColumnRecords, CutOffAtEveryByteKeepsOnlyFieldsReadWhole)
{
    // The drilling-list, information-table and revision-table columns are one
    // record under three tag ranges. Each is written inside the records that
    // hold it and the file is cut at every byte after the column's start tag:
    // a field whose payload was read whole has the written value, every other
    // field its default. A payload cut short (half a width, the first letters
    // of the title) must never be stored.
    struct Kind {
        const char* name;
        uint16_t startTag;
        std::vector<uint16_t> enclosing; // start tags of the records around the column
        std::pair<TFlat, TFlat> defaultAndWritten;
        std::function<std::vector<TFlat>(const TManifold&)> columns;
    };
    const Kind kinds[] = {
        {"drilling-list column", 61300, {50000, 61100}, DefaultAndWritten<TDrillingListDrawingColumn>(),
         [](const TManifold& m) {
             const TPlotSettings* ps = m.PlotSettings().First();
             return ps ? FlatItems(ps->fDrillingListDrawingSettings.fColumnList) : std::vector<TFlat>{};
         }},
        {"information-table column", 61500, {50000, 61400}, DefaultAndWritten<TInfoTableColumn>(),
         [](const TManifold& m) {
             const TPlotSettings* ps = m.PlotSettings().First();
             return ps ? FlatItems(ps->fInfoTable.fColumnList) : std::vector<TFlat>{};
         }},
        {"revision-table column", 3200, {3400}, DefaultAndWritten<TRevisionColumn>(),
         [](const TManifold& m) {
             const TRevisionLayout* l = m.fRevisionLayoutList.First();
             return l ? FlatItems(l->fColumnList) : std::vector<TFlat>{};
         }},
    };
    // The fields in the order they are written, with their payload sizes.
    struct Field { const char* key; size_t payload; };
    const Field fields[] = {
        {".fData.ColumnType", 4}, {".fData.ColumnWidth", 8}, {".fData.ColumnTitle", std::string(kColumnTitle).size()}};
    size_t recordSize = 6 + 6; // start and end tag
    for (const Field& fld : fields) recordSize += 6 + fld.payload;

    const std::string path = test::TempPath("column-cut.mnf");
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.name);
        const auto& [defaults, written] = k.defaultAndWritten;
        const std::string full = test::ReadBytes(test::WriteDesign(
            "column-full.mnf",
            [&](TQuorvaneFile& f) {
                for (uint16_t tag : k.enclosing) f.WriteVar(tag);
                WriteColumnRecord(f, k.startTag, kColumnType, kColumnWidth, kColumnTitle);
            },
            {.WithEnd = false}));
        // The column is the last record in the file.
        ASSERT_GE(full.size(), recordSize);
        const size_t start = full.size() - recordSize;
        ASSERT_EQ(uint8_t(full[start]) | uint8_t(full[start + 1]) << 8, k.startTag);

        for (size_t cut = start + 6; cut < full.size(); ++cut) {
            SCOPED_TRACE(testing::Message() << "cut " << cut - start << " bytes into the column");
            test::WriteBytes(path, full.substr(0, cut));
            const auto r = test::LoadDesignFile(path);
            EXPECT_EQ(r.Texts, std::vector<std::string>{kTruncatedFileWarning});
            const std::vector<TFlat> columns = k.columns(*r.M);
            ASSERT_EQ(columns.size(), 1u);

            TFlat expected = defaults;
            size_t end = start + 6;
            for (const Field& fld : fields) {
                end += 6 + fld.payload;
                if (end <= cut) expected[fld.key] = written.at(fld.key);
            }
            EXPECT_EQ(columns[0], expected);
        }
    }
}
