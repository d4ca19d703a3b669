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
        case 2001: fVELKStamp = HF.ReadString(len); break;
        case 2002: {
            const int32_t t = HF.ReadInteger();
            d.FileType = t == 0 ? ftNone : t == 1 ? ftManifold : ftPattern;
            break;
        }
        case 2003: d.MeasuringUnits = HF.ReadInteger() == 0 ? muMM : muIN; break;
        case 2004: d.Decimals = HF.ReadInteger(); break;
        case 2005: d.CurrentDrawing = HF.ReadInteger(); break;
        case 2006: d.DrawProjectionMethode = HF.ReadInteger() == 0 ? pmEuropean : pmAmerican; break;
        case 2007: d.CrossSectionMove = HF.ReadDouble(); break;
        case 2010: d.Max.X = HF.ReadDouble(); break;
        case 2020: d.Max.Y = HF.ReadDouble(); break;
        case 2030: d.Max.Z = HF.ReadDouble(); break;
        case 2032: d.AngleDecimals = HF.ReadInteger(); break;
        case 2040: d.Material = HF.ReadString(len); break;
        case 2041: d.HoleFactor = HF.ReadDouble(); break;
        case 2042: d.MassDensity = HF.ReadDouble(); break;
        case 2050: d.LayoutFile = HF.ReadString(len); break;
        case 2051: d.PrinterName = HF.ReadString(len); break;
        case 2052: d.PaperSize = HF.ReadInteger(); break;
        case 2060: d.DepthFromCutOut = HF.ReadBoolean(); break;
        case 2100: {
            const int32_t t = HF.ReadInteger();
            d.DrawDashHoles = t == 0 ? dashNone : t == 1 ? dashSelected : dashAll;
            break;
        }
        case 2110: d.CrossSectionInfo[X].HoleNumber = HF.ReadInteger(); break;
        case 2111: d.CrossSectionInfo[X].Coordinate = HF.ReadDouble(); break;
        case 2120: d.CrossSectionInfo[Y].HoleNumber = HF.ReadInteger(); break;
        case 2121: d.CrossSectionInfo[Y].Coordinate = HF.ReadDouble(); break;
        case 2130: d.CrossSectionInfo[Z].HoleNumber = HF.ReadInteger(); break;
        case 2131: d.CrossSectionInfo[Z].Coordinate = HF.ReadDouble(); break;
        case 2200: SetCalcWallthickness(HF.ReadDouble()); break;
        case 2201: d.CalcHole[0] = HF.ReadInteger(); break;
        case 2202: d.CalcHole[1] = HF.ReadInteger(); break;
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
        case 2500: d.SortSettings.SortMethode = static_cast<TSortMethode>(HF.ReadInteger()); break;
        case 2501: d.SortSettings.SortType = static_cast<TSortType>(HF.ReadInteger()); break;
        case 2510: flag(d.SortSettings.SortOptions, soPatternHoles); break;
        case 2520: flag(d.SortSettings.SortOptions, soSkipHoles); break;
        case 2530: flag(d.SortSettings.SortOptions, soRearrangePatterns); break;
        case 2540: flag(d.SortSettings.SortOptions, soMultiSort); break;
        case 2542: flag(d.SortSettings.SortOptions, soAutoSkip); break;
        case 2544: flag(d.SortSettings.SortOptions, soOnlyFromLastHole); break;
        case 2546: d.SortSettings.SortLastHoleNumber = HF.ReadInteger(); break;
        case 2600: case 2601: case 2602: case 2603: case 2604: case 2605: case 2606:
            d.FinishFace[size_t(v.VarName - 2600)] = HF.ReadDouble();
            break;
        case 2608: d.FinishFaceStyle = HF.ReadInteger(); break;
        case 2610: d.RotateFace = HF.ReadInteger(); break;
        case 2620: d.ConstructionHoleFile = HF.ReadString(len); break;
        case 2621: d.ConnectAutomatically = HF.ReadBoolean(); break;
        case 2630: d.CurrentGroupCode = HF.ReadString(len); break;
        case 2640: d.ModifyDimensionsSettings.Direction = HF.ReadInteger(); break;
        case 2641: d.ModifyDimensionsSettings.Value = HF.ReadDouble(); break;
        case 2642: d.ModifyDimensionsSettings.Coordinate = HF.ReadDouble(); break;
        case 2643: d.ModifyDimensionsSettings.ModifyDepth = HF.ReadBoolean(); break;
        case 2700: d.TrimOptimizeDepth = HF.ReadBoolean(); break;
        case 2710: d.TrimOptimizeDiameterFactor = HF.ReadDouble(); break;
        case 2720: d.TrimOptimizeHolesDepthToCenterLine = HF.ReadBoolean(); break;
        case 2730: d.TrimOptimizeHolesOffset = HF.ReadDouble(); break;
        case 2740: d.TrimOptimizeCartridgesDepthToCenterLine = HF.ReadBoolean(); break;
        case 2750: d.TrimOptimizeCartridgesOffset = HF.ReadDouble(); break;
        case 2760: d.HoleListChangedDateTime = HF.ReadDouble(); break;
        case 2770: {
            // Older form of the hole-text mode: only a byte of exactly 1 counts.
            uint8_t b = 0;
            const std::string raw = HF.ReadAnsiString(1);
            if (!raw.empty()) b = static_cast<uint8_t>(raw[0]);
            if (b == 1) d.IncludeHoleTextMode = ihtmAll;
            break;
        }
        case 2772: d.IncludeHoleComments = HF.ReadBoolean(); break;
        case 2774: d.IncludeHoleTextMode = static_cast<TIncludeHoleTextMode>(HF.ReadInteger()); break;
        case 2776: d.IncludeManufacturingNotes = HF.ReadBoolean(); break;
        case 2777: d.IncludeToleranceDiameter = HF.ReadBoolean(); break;
        case 2778: d.IncludeToleranceDepth = HF.ReadBoolean(); break;
        case 2780: fHoleNumberOptions.MoveHoleNumbers = HF.ReadBoolean(); break;
        case 2790: fHoleNumberOptions.HoleNumberTextHeight = HF.ReadDouble(); break;
        case 2792: d.Face6Alternate = HF.ReadBoolean(); break;
        case 2795: d.HeightIsoHoleNumber = HF.ReadDouble(); break;
        case 2796: d.HeightIsoFaceNumber = HF.ReadDouble(); break;
        case 2797: d.HeightIsoItemNumber = HF.ReadDouble(); break;
        case 2798: d.HeightIsoError = HF.ReadDouble(); break;
        case 2800: fEngravedItemNumbersOptions.TextHeight = HF.ReadDouble(); break;
        case 2804: fEngravedItemNumbersOptions.FixedWidth = HF.ReadDouble(); break;
        case 2806: fEngravedItemNumbersOptions.UseBorder = HF.ReadBoolean(); break;
        case 2808: fEngravedItemNumbersOptions.InsertionPoint = HF.ReadInteger(); break;
        case 2810: fEngravedItemNumbersOptions.EngraveItemNumbers = HF.ReadBoolean(); break;
        case 2812: fEngravedItemNumbersOptions.UseHoleTextSettings = HF.ReadBoolean(); break;
        case 7010: d.Properties.Title = HF.ReadString(len); break;
        case 7020: d.Properties.Bitmap = HF.ReadString(len); break;
        case 7030: d.Properties.Description = HF.ReadString(len); break;
        case 7040: d.Properties.Group = HF.ReadString(len); break;
        case 7050: d.Properties.Use = HF.ReadBoolean(); break;
        default: HF.ReadUnknown(len); break;
        }
    }
    // An inch document starts its wall-thickness check from the inch values;
    // a calculate-settings record later in the file replaces them again.
    if (d.MeasuringUnits == muIN) fCalculateSettingsNew.fData = TCalculateSettinsNewData::InchDefaults();
}

} // namespace qv
