#include "testkit/WritePlotSettings.h"

#include "document/Manifolds.h"
#include "stream/QuorvaneFiles.h"

#include <cstddef>

namespace qv {

void WriteCommentFile(TQuorvaneFile& HF, const TCommentFile& x)
{
    HF.WriteVar(60100);
    HF.WriteString(60110, x.fData.FileName, true);
    HF.WriteDouble(60120, x.fData.InsertionPoint.X);
    HF.WriteDouble(60130, x.fData.InsertionPoint.Y);
    HF.WriteBoolean(60140, x.fData.UseTextFile);
    for (const auto& line : x.fCommentLines) HF.WriteString(60150, line, true);
    HF.WriteVar(60199);
}

void WriteColumnRecord(TQuorvaneFile& HF, uint16_t StartTag, int32_t ColumnType, double ColumnWidth,
                       std::string_view ColumnTitle)
{
    HF.WriteVar(StartTag);
    HF.WriteInteger(uint16_t(StartTag + 10), ColumnType);
    HF.WriteDouble(uint16_t(StartTag + 20), ColumnWidth);
    HF.WriteString(uint16_t(StartTag + 30), ColumnTitle, true);
    HF.WriteVar(uint16_t(StartTag + 99));
}

void WriteDrillingListDrawingColumn(TQuorvaneFile& HF, const TDrillingListDrawingColumn& x)
{
    WriteColumnRecord(HF, 61300, x.fData.ColumnType, x.fData.ColumnWidth, x.fData.ColumnTitle);
}

void WriteDrillingListDrawingSettings(TQuorvaneFile& HF, const TDrillingListDrawingSettings& x)
{
    const auto& d = x.fData;
    HF.WriteVar(61100);
    HF.WriteDouble(61110, d.InsertionPoint.X);
    HF.WriteDouble(61120, d.InsertionPoint.Y);
    HF.WriteDouble(61130, d.TextHeight);
    HF.WriteDouble(61140, d.RowHeight);
    HF.WriteString(61150, d.HoleNumberSeperator, true);
    HF.WriteString(61160, d.TextSeperator, true);
    HF.WriteBoolean(61170, d.ShowTitles);
    HF.WriteBoolean(61190, d.SplitFaces);
    HF.WriteBoolean(61192, d.UseManufacuringNotes);
    HF.WriteBoolean(61194, d.EmptyLineBetweenFaces);
    HF.WriteBoolean(61196, d.EmptyLineBetweenHoles);
    HF.WriteBoolean(61198, d.EmptyLineBetweenSteps);
    HF.WriteBoolean(61200, d.StartOfPatternOnNewLine);
    HF.WriteBoolean(61202, d.HideCoordinatesOfPatternHoles);
    HF.WriteBoolean(61204, d.IncludeHoleComments);
    HF.WriteBoolean(61206, d.IncludeSpecialMenufacturingNotes);
    for (const auto& c : x.fColumnList) WriteDrillingListDrawingColumn(HF, *c);
    HF.WriteVar(61299);
}

void WriteInfoTableColumn(TQuorvaneFile& HF, const TInfoTableColumn& x)
{
    WriteColumnRecord(HF, 61500, x.fData.ColumnType, x.fData.ColumnWidth, x.fData.ColumnTitle);
}

void WriteInfoTableSection(TQuorvaneFile& HF, const TInfoTableSection& x)
{
    HF.WriteVar(61600);
    HF.WriteInteger(61610, x.fData.SectionType);
    HF.WriteString(61630, x.fData.SectionTitle, true);
    HF.WriteVar(61699);
}

void WriteInfoTable(TQuorvaneFile& HF, const TInfoTable& x)
{
    const auto& d = x.fData;
    HF.WriteVar(61400);
    HF.WriteDouble(61410, d.TextHeight);
    HF.WriteDouble(61420, d.RowHeight);
    HF.WriteBoolean(61430, d.ShowLines);
    HF.WriteString(61440, d.ThruLabel, true);
    HF.WriteBoolean(61450, d.ShowThreadOfCartridges);
    for (const auto& c : x.fColumnList) WriteInfoTableColumn(HF, *c);
    for (const auto& s : x.fSectionList) WriteInfoTableSection(HF, *s);
    HF.WriteVar(61499);
}

namespace {

void WriteShowDimensionsSettings(TQuorvaneFile& HF, const TPlotShowDimensionsSettings& s)
{
    HF.WriteBoolean(50310, s.TruncateTrailingZeros);
    HF.WriteBoolean(50312, s.TruncateTrailingZerosCoordinates);
    HF.WriteString(50320, s.IndicatorAngle, true);
    HF.WriteString(50325, s.IndicatorAngleValue, true);
    HF.WriteString(50340, s.IndicatorHole, true);
    HF.WriteString(50350, s.IndicatorTypicalHoles, true);
    HF.WriteString(50360, s.IndicatorCartridge, true);
    HF.WriteString(50370, s.IndicatorLocationShoulder, true);
    HF.WriteString(50380, s.IndicatorSpotfaced, true);
    HF.WriteString(50382, s.IndicatorSpotfacedStart, true);
    HF.WriteString(50390, s.IndicatorDiameter, true);
    HF.WriteString(50391, s.IndicatorDiameterEnd, true);
    HF.WriteString(50405, s.IndicatorDepth, true);
    HF.WriteString(50406, s.IndicatorDepthEnd, true);
    HF.WriteString(50410, s.IndicatorThrough, true);
    HF.WriteString(50412, s.IndicatorCounterBore, true);
    HF.WriteBoolean(50450, s.ShowThreadOfStandardHoles);
    HF.WriteBoolean(50460, s.ShowThreadOfCartridges);
    HF.WriteBoolean(50470, s.ShowDiametersAfterThreadOfStandardHoles);
    HF.WriteBoolean(50480, s.ShowDiametersAfterThreadOfCartridges);
    HF.WriteBoolean(50490, s.ShowAngleRotationAlways);
    HF.WriteBoolean(50500, s.ShowThreadDrillDiameter);
    HF.WriteBoolean(50502, s.TurnOffThreadDrillDiameterCartridges);
    HF.WriteBoolean(50510, s.ShowOnlyQuotedTextCartridges);
    HF.WriteBoolean(50520, s.ShowOnlyQuotedTextStandardHoles);
    HF.WriteBoolean(50530, s.SkipLineAfterTypicalHoles);
    HF.WriteDouble(50550, s.DistanceHorizontal);
    HF.WriteDouble(50560, s.DistanceVertical);
    HF.WriteDouble(50570, s.OffsetFromFace);
    HF.WriteDouble(50572, s.OffsetFaceIndicator);
    HF.WriteDouble(50574, s.OffsetDimension);
    HF.WriteInteger(50580, s.WrapIfLongerThanCharacters);
    HF.WriteBoolean(50590, s.WrapSmart);
    for (size_t i = 0; i < s.NumberOfSectors.size(); ++i)
        HF.WriteInteger(uint16_t(50591 + i), s.NumberOfSectors[i]);
    HF.WriteBoolean(50600, s.DivideMountingHolesPatterns);
    HF.WriteBoolean(50610, s.DivideMountingHoles);
    HF.WriteDouble(50620, s.TextOffset);
    HF.WriteInteger(50630, s.BorderType);
    HF.WriteBoolean(50640, s.ShowInsertionPointHoleText);
    HF.WriteBoolean(50650, s.UseLevelsWithCoords);
    HF.WriteBoolean(50680, s.MoveDimensionsToFaceOrigin);
    HF.WriteBoolean(50622, s.ShowQuotedTextOtherHoles);
    HF.WriteBoolean(50624, s.ShowDepthOfThroughHoles);
    HF.WriteBoolean(50626, s.HideHoleNumberSingleHole);
    HF.WriteBoolean(50627, s.SpecialNoteFirst);
    HF.WriteBoolean(50628, s.HideQuotesCartridge);
    HF.WriteBoolean(50690, s.HideAllHoleNumbers);
    HF.WriteBoolean(50634, s.AddTolerancesDiameter);
    HF.WriteBoolean(50632, s.AddTolerancesDepth);
    HF.WriteBoolean(51004, s.CartridgeMustHasHiddenDiameters);
}

void WriteFacePositions(TQuorvaneFile& HF, const TFacePositions& p)
{
    HF.WriteBoolean(51002, p.UseDefaultFacePositions);
    for (int k = 1; k <= 6; ++k) {
        HF.WriteBoolean(uint16_t(51000 + 10 * k), p.FaceOn[size_t(k - 1)]);
        HF.WriteDouble(uint16_t(51001 + 10 * k), p.FacePos[size_t(k - 1)].X);
        HF.WriteDouble(uint16_t(51002 + 10 * k), p.FacePos[size_t(k - 1)].Y);
    }
    HF.WriteBoolean(51100, p.AskToAlign);
    HF.WriteDouble(51110, p.SnapForPlacing);
}

} // namespace

void WritePlotSettings(TQuorvaneFile& HF, const TPlotSettings& x)
{
    const auto& d = x.FData;
    HF.WriteVar(50000);
    HF.WriteInteger(50010, d.PlotMode);
    HF.WriteDouble(50021, d.FaceDistance.X);
    HF.WriteDouble(50022, d.FaceDistance.Y);
    HF.WriteDouble(50300, d.Scale);
    for (int h = 0; h < int(d.PlotTextHeight.Items.size()); ++h)
        HF.WriteDouble(uint16_t(PlotTextHeightTag(TPlotTextHeights(h))), d.PlotTextHeight.Items[size_t(h)]);
    HF.WriteInteger(50060, d.ProjectionMethode);
    HF.WriteInteger(50070, d.Orientation);
    HF.WriteInteger(50080, d.Origin);
    for (int i = 0; i < PlotFlagCount; ++i) {
        const auto flag = static_cast<TPlotFlag>(i);
        HF.WriteBoolean(uint16_t(PlotFlagTag(flag)), d.PlotFlags.Contains(flag));
    }
    HF.WriteString(50090, d.PrinterName, true);
    HF.WriteString(50100, d.PaperSize, true);
    HF.WriteBoolean(50200, d.DXFFile);
    WriteShowDimensionsSettings(HF, d.ShowDimensionsSettings);
    HF.WriteString(50092, d.DWGHeaderFile, true);
    HF.WriteDouble(50660, d.InsertionPointComments.X);
    HF.WriteDouble(50670, d.InsertionPointComments.Y);
    WriteFacePositions(HF, d.FacePositions);
    for (const auto& c : x.fCommentFileList) WriteCommentFile(HF, *c);
    WriteDrillingListDrawingSettings(HF, x.fDrillingListDrawingSettings);
    WriteInfoTable(HF, x.fInfoTable);
    HF.WriteVar(59999);
}

void FillSamplePlotSettings(TPlotSettings& x)
{
    auto& d = x.FData;
    d.PlotMode = psmAssembly;
    d.FaceDistance = {31.5, 32.5};
    d.Scale = 1.25;
    for (size_t h = 0; h < d.PlotTextHeight.Items.size(); ++h) d.PlotTextHeight.Items[h] = 4.0 + 0.1 * double(h + 1);
    d.ProjectionMethode = pmEuropean;
    d.Orientation = poPortrait;
    d.Origin = 3;
    // Every third flag: mostly ones a fresh set-up does not have.
    d.PlotFlags.Clear();
    for (int i = 1; i < PlotFlagCount; i += 3) d.PlotFlags.Include(static_cast<TPlotFlag>(i));
    d.PrinterName = "Plotter A0";
    d.PaperSize = "A3";
    d.DXFFile = true;
    d.DWGHeaderFile = "header.dwg";
    d.InsertionPointComments = {12.5, 13.5};

    auto& s = d.ShowDimensionsSettings;
    s.TruncateTrailingZeros = false;
    s.TruncateTrailingZerosCoordinates = true;
    s.IndicatorAngle = "Winkel=";
    s.IndicatorAngleValue = " deg";
    s.IndicatorHole = "Bohrung";
    s.IndicatorTypicalHoles = "Gleiche";
    s.IndicatorCartridge = "Patrone";
    s.IndicatorLocationShoulder = "AS";
    s.IndicatorSpotfaced = " Plan";
    s.IndicatorSpotfacedStart = "SF ";
    s.IndicatorDiameter = "D";
    s.IndicatorDiameterEnd = " mm";
    s.IndicatorDepth = "T";
    s.IndicatorDepthEnd = " tief";
    s.IndicatorThrough = " durch";
    s.IndicatorCounterBore = " Senkung";
    s.ShowThreadOfStandardHoles = true;
    s.ShowThreadOfCartridges = true;
    s.ShowDiametersAfterThreadOfStandardHoles = true;
    s.ShowDiametersAfterThreadOfCartridges = true;
    s.ShowAngleRotationAlways = false;
    s.ShowThreadDrillDiameter = true;
    s.TurnOffThreadDrillDiameterCartridges = false;
    s.ShowOnlyQuotedTextCartridges = false;
    s.ShowOnlyQuotedTextStandardHoles = false;
    s.SkipLineAfterTypicalHoles = false;
    s.DistanceHorizontal = 6.25;
    s.DistanceVertical = 7.25;
    s.OffsetFromFace = 18.5;
    s.OffsetFaceIndicator = 2.75;
    s.OffsetDimension = 1.5;
    s.WrapIfLongerThanCharacters = 40;
    s.WrapSmart = false;
    s.NumberOfSectors = {11, 12, 13, 14, 15, 16};
    s.DivideMountingHolesPatterns = true;
    s.DivideMountingHoles = true;
    s.TextOffset = 0.75;
    s.BorderType = 2;
    s.ShowInsertionPointHoleText = true;
    s.UseLevelsWithCoords = true;
    s.MoveDimensionsToFaceOrigin = false;
    s.ShowQuotedTextOtherHoles = true;
    s.ShowDepthOfThroughHoles = true;
    s.HideHoleNumberSingleHole = true;
    s.SpecialNoteFirst = true;
    s.HideQuotesCartridge = true;
    s.HideAllHoleNumbers = true;
    s.AddTolerancesDiameter = true;
    s.AddTolerancesDepth = true;
    s.CartridgeMustHasHiddenDiameters = true;

    auto& p = d.FacePositions;
    p.UseDefaultFacePositions = false;
    for (size_t k = 0; k < 6; ++k) {
        p.FacePos[k] = {100.0 + 10.0 * double(k) + 1.0, 100.0 + 10.0 * double(k) + 2.0};
        p.FaceOn[k] = false;
    }
    p.AskToAlign = false;
    p.SnapForPlacing = 2.5;

    x.fCommentFileList.Clear();
    for (int i = 1; i <= 2; ++i) {
        auto* c = x.fCommentFileList.Add();
        c->fData.FileName = "notes" + std::to_string(i) + ".txt";
        c->fData.InsertionPoint = {20.0 * i, 30.0 * i};
        c->fData.UseTextFile = false;
        c->fCommentLines = {"Deburr all holes " + std::to_string(i), "Test pressure 350 bar"};
    }

    auto& dl = x.fDrillingListDrawingSettings;
    dl.Clear();
    dl.fData.TextHeight = 2.75;
    dl.fData.RowHeight = 6.5;
    dl.fData.InsertionPoint = {210.5, 15.5};
    dl.fData.HoleNumberSeperator = "-";
    dl.fData.TextSeperator = " | ";
    dl.fData.ShowTitles = false;
    dl.fData.SplitFaces = true;
    dl.fData.UseManufacuringNotes = false;
    dl.fData.EmptyLineBetweenFaces = true;
    dl.fData.EmptyLineBetweenHoles = true;
    dl.fData.EmptyLineBetweenSteps = true;
    dl.fData.StartOfPatternOnNewLine = true;
    dl.fData.HideCoordinatesOfPatternHoles = true;
    dl.fData.IncludeHoleComments = true;
    dl.fData.IncludeSpecialMenufacturingNotes = true;
    auto* c1 = dl.fColumnList.Add();
    c1->fData = {dldcolDiameter, "Diameter", 18.5};
    auto* c2 = dl.fColumnList.Add();
    c2->fData = {dldcolVert, "Vertical", 22.5};

    auto& it = x.fInfoTable;
    it.Clear();
    it.fData.RowHeight = 7.5;
    it.fData.TextHeight = 3.25;
    it.fData.ShowLines = false;
    it.fData.ThruLabel = "<> through";
    it.fData.ShowThreadOfCartridges = false;
    auto* ic1 = it.fColumnList.Add();
    ic1->fData = {infotablecolHoleNumber, "No.", 12.5};
    auto* ic2 = it.fColumnList.Add();
    ic2->fData = {infotablecolMountingHole, "Mounting", 30.5};
    auto* is1 = it.fSectionList.Add();
    is1->fData = {infotablesectionValves, "Valves"};
    auto* is2 = it.fSectionList.Add();
    is2->fData = {infotablesectionPortsAndValves, "Ports and valves"};
}

} // namespace qv
