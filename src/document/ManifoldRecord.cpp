// The manifold record (tags 2000 to 2999): block size, units and the
// drawing, sorting and calculation options of the document.
#include "document/Manifolds.h"
#include "stream/QuorvaneFiles.h"

namespace qv {

void TManifold::ReadManifoldRecord(TQuorvaneFile& HF)
{
    auto& d = FData;
    // Writers store a flag tag only for members that are present, so the
    // three flag sets start empty. Sort options keep their defaults.
    d.CalculateFlags.Clear();
    d.FileFlags.Clear();
    d.DrawFlags.Clear();

    auto flag = [&](auto& set, auto member) {
        if (HF.ReadBoolean()) set.Include(member);
    };

    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 2999) break;
        if (HF.HitEnd()) break;
        const int len = v.VarLength;
        switch (v.VarName) {
        case 2001: HF.GetString(fVELKStamp, len); break;
        case 2002: {
            if (int32_t t; HF.GetInteger(t)) d.FileType = t == 0 ? ftNone : t == 1 ? ftManifold : ftPattern;
            break;
        }
        case 2003:
            if (int32_t u; HF.GetInteger(u)) d.MeasuringUnits = u == 0 ? muMM : muIN;
            break;
        case 2004: HF.GetInteger(d.Decimals); break;
        case 2005: HF.GetInteger(d.CurrentDrawing); break;
        case 2006:
            if (int32_t m; HF.GetInteger(m)) d.DrawProjectionMethode = m == 0 ? pmEuropean : pmAmerican;
            break;
        case 2007: HF.GetDouble(d.CrossSectionMove); break;
        case 2010: HF.GetDouble(d.Max.X); break;
        case 2020: HF.GetDouble(d.Max.Y); break;
        case 2030: HF.GetDouble(d.Max.Z); break;
        case 2032: HF.GetInteger(d.AngleDecimals); break;
        case 2040: HF.GetString(d.Material, len); break;
        case 2041: HF.GetDouble(d.HoleFactor); break;
        case 2042: HF.GetDouble(d.MassDensity); break;
        case 2050: HF.GetString(d.LayoutFile, len); break;
        case 2051: HF.GetString(d.PrinterName, len); break;
        case 2052: HF.GetInteger(d.PaperSize); break;
        case 2060: HF.GetBoolean(d.DepthFromCutOut); break;
        case 2100: {
            if (int32_t t; HF.GetInteger(t)) d.DrawDashHoles = t == 0 ? dashNone : t == 1 ? dashSelected : dashAll;
            break;
        }
        case 2110: HF.GetInteger(d.CrossSectionInfo[X].HoleNumber); break;
        case 2111: HF.GetDouble(d.CrossSectionInfo[X].Coordinate); break;
        case 2120: HF.GetInteger(d.CrossSectionInfo[Y].HoleNumber); break;
        case 2121: HF.GetDouble(d.CrossSectionInfo[Y].Coordinate); break;
        case 2130: HF.GetInteger(d.CrossSectionInfo[Z].HoleNumber); break;
        case 2131: HF.GetDouble(d.CrossSectionInfo[Z].Coordinate); break;
        case 2200:
            if (double w; HF.GetDouble(w)) SetCalcWallthickness(w);
            break;
        case 2201: HF.GetInteger(d.CalcHole[0]); break;
        case 2202: HF.GetInteger(d.CalcHole[1]); break;
        case 2210: flag(d.CalculateFlags, cfGroups); break;
        case 2220: flag(d.CalculateFlags, cfThread); break;
        case 2230: flag(d.CalculateFlags, cfWarnings); break;
        case 2310: flag(d.FileFlags, ffAutoExport); break;
        case 2320: flag(d.FileFlags, ffAutoRedraw); break;
        case 2330: flag(d.FileFlags, ffAutoRenumber); break;
        case 2340: flag(d.FileFlags, ffDepthToTip); break;
        case 2350: flag(d.FileFlags, ffThreadFromTop); break;
        case 2360: flag(d.FileFlags, ffHiddenStepsss); break;
        case 2410: flag(d.DrawFlags, dfAngleValue); break;
        case 2420: flag(d.DrawFlags, dfContourHole); break;
        case 2430: flag(d.DrawFlags, dfContourPattern); break;
        case 2440: flag(d.DrawFlags, dfItemNumber); break;
        case 2450: flag(d.DrawFlags, dfColorFill); break;
        case 2460: flag(d.DrawFlags, dfColorDash); break;
        case 2470: flag(d.DrawFlags, dfOringArea); break;
        case 2472: flag(d.DrawFlags, dfHideHoleNumber); break;
        case 2474: flag(d.DrawFlags, dfHideRemark); break;
        case 2476: flag(d.DrawFlags, dfHideHoleText); break;
        case 2478: flag(d.DrawFlags, dfHidePlug); break;
        case 2480: flag(d.DrawFlags, dfHideDummyHole); break;
        case 2482: flag(d.DrawFlags, dfHideThread); break;
        case 2500: HF.GetInteger(d.SortSettings.SortMethode); break;
        case 2501: HF.GetInteger(d.SortSettings.SortType); break;
        case 2510: flag(d.SortSettings.SortOptions, soPatternHoles); break;
        case 2520: flag(d.SortSettings.SortOptions, soSkipHoles); break;
        case 2530: flag(d.SortSettings.SortOptions, soRearrangePatterns); break;
        case 2540: flag(d.SortSettings.SortOptions, soMultiSort); break;
        case 2542: flag(d.SortSettings.SortOptions, soAutoSkip); break;
        case 2544: flag(d.SortSettings.SortOptions, soOnlyFromLastHole); break;
        case 2546: HF.GetInteger(d.SortSettings.SortLastHoleNumber); break;
        case 2600: case 2601: case 2602: case 2603: case 2604: case 2605: case 2606:
            HF.GetDouble(d.FinishFace[size_t(v.VarName - 2600)]);
            break;
        case 2608: HF.GetInteger(d.FinishFaceStyle); break;
        case 2610: HF.GetInteger(d.RotateFace); break;
        case 2620: HF.GetString(d.ConstructionHoleFile, len); break;
        case 2621: HF.GetBoolean(d.ConnectAutomatically); break;
        case 2630: HF.GetString(d.CurrentGroupCode, len); break;
        case 2640: HF.GetInteger(d.ModifyDimensionsSettings.Direction); break;
        case 2641: HF.GetDouble(d.ModifyDimensionsSettings.Value); break;
        case 2642: HF.GetDouble(d.ModifyDimensionsSettings.Coordinate); break;
        case 2643: HF.GetBoolean(d.ModifyDimensionsSettings.ModifyDepth); break;
        case 2700: HF.GetBoolean(d.TrimOptimizeDepth); break;
        case 2710: HF.GetDouble(d.TrimOptimizeDiameterFactor); break;
        case 2720: HF.GetBoolean(d.TrimOptimizeHolesDepthToCenterLine); break;
        case 2730: HF.GetDouble(d.TrimOptimizeHolesOffset); break;
        case 2740: HF.GetBoolean(d.TrimOptimizeCartridgesDepthToCenterLine); break;
        case 2750: HF.GetDouble(d.TrimOptimizeCartridgesOffset); break;
        case 2760: HF.GetDouble(d.HoleListChangedDateTime); break;
        case 2770: {
            // Older form of the hole-text mode: only a byte of exactly 1 counts.
            uint8_t b = 0;
            const std::string raw = HF.ReadAnsiString(1);
            if (!raw.empty()) b = static_cast<uint8_t>(raw[0]);
            if (b == 1) d.IncludeHoleTextMode = ihtmAll;
            break;
        }
        case 2772: HF.GetBoolean(d.IncludeHoleComments); break;
        case 2774: HF.GetInteger(d.IncludeHoleTextMode); break;
        case 2776: HF.GetBoolean(d.IncludeManufacturingNotes); break;
        case 2777: HF.GetBoolean(d.IncludeToleranceDiameter); break;
        case 2778: HF.GetBoolean(d.IncludeToleranceDepth); break;
        case 2780: HF.GetBoolean(fHoleNumberOptions.MoveHoleNumbers); break;
        case 2790: HF.GetDouble(fHoleNumberOptions.HoleNumberTextHeight); break;
        case 2792: HF.GetBoolean(d.Face6Alternate); break;
        case 2795: HF.GetDouble(d.HeightIsoHoleNumber); break;
        case 2796: HF.GetDouble(d.HeightIsoFaceNumber); break;
        case 2797: HF.GetDouble(d.HeightIsoItemNumber); break;
        case 2798: HF.GetDouble(d.HeightIsoError); break;
        case 2800: HF.GetDouble(fEngravedItemNumbersOptions.TextHeight); break;
        case 2804: HF.GetDouble(fEngravedItemNumbersOptions.FixedWidth); break;
        case 2806: HF.GetBoolean(fEngravedItemNumbersOptions.UseBorder); break;
        case 2808: HF.GetInteger(fEngravedItemNumbersOptions.InsertionPoint); break;
        case 2810: HF.GetBoolean(fEngravedItemNumbersOptions.EngraveItemNumbers); break;
        case 2812: HF.GetBoolean(fEngravedItemNumbersOptions.UseHoleTextSettings); break;
        case 7010: HF.GetString(d.Properties.Title, len); break;
        case 7020: HF.GetString(d.Properties.Bitmap, len); break;
        case 7030: HF.GetString(d.Properties.Description, len); break;
        case 7040: HF.GetString(d.Properties.Group, len); break;
        case 7050: HF.GetBoolean(d.Properties.Use); break;
        default: HF.ReadUnknown(len); break;
        }
    }
    // An inch document starts its wall-thickness check from the inch values;
    // a calculate-settings record later in the file replaces them again.
    if (d.MeasuringUnits == muIN) fCalculateSettingsNew.fData = TCalculateSettinsNewData::InchDefaults();
}

} // namespace qv
