#include "testkit/WriteManifoldRecord.h"

namespace qv::samples {

namespace {

// The members of the draw flags and their tags.
constexpr struct {
    uint16_t Tag;
    TDrawFlag Member;
} kDrawFlags[] = {{2410, dfAngleValue},     {2420, dfContourHole},   {2430, dfContourPattern},
                  {2440, dfItemNumber},     {2450, dfColorFill},     {2460, dfColorDash},
                  {2470, dfOringArea},      {2472, dfHideHoleNumber}, {2474, dfHideRemark},
                  {2476, dfHideHoleText},   {2478, dfHidePlug},      {2480, dfHideDummyHole},
                  {2482, dfHideThread}};

constexpr struct {
    uint16_t Tag;
    TSortOption Member;
} kSortOptions[] = {{2510, soPatternHoles}, {2520, soSkipHoles},  {2530, soRearrangePatterns},
                    {2540, soMultiSort},    {2542, soAutoSkip},   {2544, soOnlyFromLastHole}};

// The part of the record that viewer files leave out.
void WriteDocumentOptions(TFieldWriter& w, const TManifold& x)
{
    const TManifoldData& m = x.FData;
    w.String(2040, m.Material);
    w.Double(2041, m.HoleFactor);
    w.Double(2042, m.MassDensity);
    w.String(2050, m.LayoutFile);
    w.String(2051, m.PrinterName);
    w.Integer(2052, m.PaperSize);
    w.Boolean(2060, m.DepthFromCutOut);
    w.Integer(2100, m.DrawDashHoles);
    w.Integer(2110, m.CrossSectionInfo[X].HoleNumber);
    w.Double(2111, m.CrossSectionInfo[X].Coordinate);
    w.Integer(2120, m.CrossSectionInfo[Y].HoleNumber);
    w.Double(2121, m.CrossSectionInfo[Y].Coordinate);
    w.Integer(2130, m.CrossSectionInfo[Z].HoleNumber);
    w.Double(2131, m.CrossSectionInfo[Z].Coordinate);
    w.Double(2200, x.GetCalcWallthickness());
    w.Integer(2201, m.CalcHole[0]);
    w.Integer(2202, m.CalcHole[1]);
    w.Boolean(2210, m.CalculateFlags.Contains(cfGroups), false);
    w.Boolean(2220, m.CalculateFlags.Contains(cfThread), false);
    w.Boolean(2230, m.CalculateFlags.Contains(cfWarnings), false);
    w.Boolean(2310, m.FileFlags.Contains(ffAutoExport), false);
    w.Boolean(2320, m.FileFlags.Contains(ffAutoRedraw), false);
    w.Boolean(2330, m.FileFlags.Contains(ffAutoRenumber), false);
    w.Boolean(2360, m.FileFlags.Contains(ffHiddenStepsss), false);
    for (const auto& e : kDrawFlags) w.Boolean(e.Tag, m.DrawFlags.Contains(e.Member), false);
    const TSortSettings& s = m.SortSettings;
    w.Integer(2500, s.SortMethode);
    w.Integer(2501, s.SortType);
    for (const auto& e : kSortOptions) w.Boolean(e.Tag, s.SortOptions.Contains(e.Member), false);
    w.Integer(2546, s.SortLastHoleNumber, 0);
    for (uint16_t i = 0; i < 7; ++i) w.Double(static_cast<uint16_t>(2600 + i), m.FinishFace[i]);
    w.Integer(2608, m.FinishFaceStyle);
    w.Integer(2610, m.RotateFace);
    w.String(2620, m.ConstructionHoleFile);
    w.Boolean(2621, m.ConnectAutomatically);
    w.String(2630, m.CurrentGroupCode);
    w.Integer(2640, m.ModifyDimensionsSettings.Direction);
    w.Double(2641, m.ModifyDimensionsSettings.Value);
    w.Double(2642, m.ModifyDimensionsSettings.Coordinate);
    w.Boolean(2643, m.ModifyDimensionsSettings.ModifyDepth);
    w.Boolean(2700, m.TrimOptimizeDepth);
    w.Double(2710, m.TrimOptimizeDiameterFactor);
    w.Boolean(2720, m.TrimOptimizeHolesDepthToCenterLine);
    w.Double(2730, m.TrimOptimizeHolesOffset);
    w.Boolean(2740, m.TrimOptimizeCartridgesDepthToCenterLine);
    w.Double(2750, m.TrimOptimizeCartridgesOffset);
    w.Double(2760, m.HoleListChangedDateTime);
    w.Boolean(2772, m.IncludeHoleComments);
    w.Integer(2774, m.IncludeHoleTextMode);
    w.Boolean(2776, m.IncludeManufacturingNotes);
    w.Boolean(2777, m.IncludeToleranceDiameter, false);
    w.Boolean(2778, m.IncludeToleranceDepth, false);
    const THoleNumberOptionsData& h = x.fHoleNumberOptions;
    w.Boolean(2780, h.MoveHoleNumbers, false);
    // The design program stores a text height of its own only.
    if (w.EveryTag() || h.HoleNumberTextHeight > 0.0) w.Double(2790, h.HoleNumberTextHeight);
    w.Boolean(2792, m.Face6Alternate, false);
    w.Double(2795, m.HeightIsoHoleNumber, 0.0);
    w.Double(2796, m.HeightIsoFaceNumber, 0.0);
    w.Double(2797, m.HeightIsoItemNumber, 0.0);
    w.Double(2798, m.HeightIsoError, 0.0);
    const TFormatEngravedItemNumbersData& e = x.fEngravedItemNumbersOptions;
    w.Double(2800, e.TextHeight, 0.0);
    w.Double(2804, e.FixedWidth, 0.0);
    w.Boolean(2806, e.UseBorder, true);
    w.Integer(2808, e.InsertionPoint, 0);
    w.Boolean(2810, e.EngraveItemNumbers, false);
    w.Boolean(2812, e.UseHoleTextSettings, false);
    w.String(7010, m.Properties.Title);
    w.String(7020, m.Properties.Bitmap);
    w.String(7030, m.Properties.Description);
    w.String(7040, m.Properties.Group);
    w.Boolean(7050, m.Properties.Use);
}

} // namespace

void WriteManifoldRecord(TQuorvaneFile& HF, const TManifold& x, const TWriteOptions& o)
{
    const TManifoldData& m = x.FData;
    TFieldWriter w(HF, o);
    w.Var(2000);
    w.String(2001, x.fVELKStamp);
    w.Integer(2002, m.FileType == ftNone ? 0 : m.FileType == ftManifold ? 1 : 2);
    w.Integer(2003, m.MeasuringUnits == muMM ? 0 : 1);
    w.Integer(2004, m.Decimals);
    if (!o.ViewerFile) {
        w.Integer(2005, m.CurrentDrawing);
        w.Integer(2006, m.DrawProjectionMethode == pmEuropean ? 0 : 1);
        w.Double(2007, m.CrossSectionMove);
    }
    w.Double(2010, m.Max.X);
    w.Double(2020, m.Max.Y);
    w.Double(2030, m.Max.Z);
    w.Integer(2032, m.AngleDecimals);
    w.Boolean(2340, m.FileFlags.Contains(ffDepthToTip), false);
    w.Boolean(2350, m.FileFlags.Contains(ffThreadFromTop), false);
    if (!o.ViewerFile) WriteDocumentOptions(w, x);
    w.Var(2999);
}

void FillSampleManifoldRecord(TManifold& x)
{
    x.fVELKStamp = "VELK sample 7";
    TManifoldData& m = x.FData;
    m.FileType = ftPattern;
    m.MeasuringUnits = muIN;
    m.Decimals = 3;
    m.AngleDecimals = 2;
    m.Max = {120.5, 80.25, 60.125};
    m.DrawDashHoles = dashAll;
    m.CrossSectionInfo[X] = {4, 1.5};
    m.CrossSectionInfo[Y] = {5, 2.5};
    m.CrossSectionInfo[Z] = {6, 3.5};
    m.CalculateFlags = {cfThread};
    m.FileFlags = {ffAutoExport, ffAutoRenumber, ffThreadFromTop};
    m.DrawFlags = {dfContourPattern, dfHideHoleNumber, dfHideRemark, dfHideThread};
    m.CalcHole = {11, 12};
    m.SortSettings.SortMethode = smDistances;
    m.SortSettings.SortOptions = {soPatternHoles, soRearrangePatterns, soMultiSort, soOnlyFromLastHole};
    m.SortSettings.SortType = stLastDiameter;
    m.SortSettings.SortLastHoleNumber = 40;
    m.RotateFace = 4;
    m.FinishFace = {0.1, 0.2, 0.4, 0.8, 1.6, 6.3, 12.5};
    m.FinishFaceStyle = 2;
    m.ModifyDimensionsSettings = {2, 1.25, 8.5, false};
    m.Material = "Gu\xC3\x9F" "eisen";
    m.HoleFactor = 0.85;
    m.MassDensity = 2700.0;
    m.LayoutFile = "A3.lay";
    m.PrinterName = "Plotter";
    m.PaperSize = 9;
    m.CurrentDrawing = 12;
    m.DrawProjectionMethode = pmEuropean;
    m.Properties = {"Valve block", "vb.bmp", "Main\r\nblock", "Blocks", false, ""};
    m.CrossSectionMove = 0.75;
    m.DepthFromCutOut = true;
    m.CurrentGroupCode = "P";
    m.ConstructionHoleFile = "c.mnf";
    m.ConnectAutomatically = false;
    m.TrimOptimizeDepth = false;
    m.TrimOptimizeDiameterFactor = 1.5;
    m.TrimOptimizeHolesDepthToCenterLine = true;
    m.TrimOptimizeHolesOffset = 3.0;
    m.TrimOptimizeCartridgesDepthToCenterLine = false;
    m.TrimOptimizeCartridgesOffset = 1.75;
    m.HoleListChangedDateTime = 44000.5;
    m.IncludeHoleTextMode = ihtmWithoutBorder;
    m.IncludeHoleComments = true;
    m.IncludeManufacturingNotes = true;
    m.IncludeToleranceDiameter = true;
    m.IncludeToleranceDepth = true;
    m.Face6Alternate = true;
    m.HeightIsoHoleNumber = 1.1;
    m.HeightIsoFaceNumber = 1.2;
    m.HeightIsoItemNumber = 1.3;
    m.HeightIsoError = 1.4;
    x.fHoleNumberOptions = {true, 4.0};
    x.fEngravedItemNumbersOptions = {true, 2.5, 6.5, false, 2, true};
    x.SetCalcWallthickness(3.5);
}

} // namespace qv::samples
