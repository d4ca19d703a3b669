#pragma once
// Drawing (plot) set-ups of the design program: how a 2D production or
// assembly drawing of the block is made - scale, text heights, what the
// drawing shows, how holes are labelled and dimensioned, where each face
// goes on the sheet, comment files, the drilling list and the information
// table. The viewer reads and keeps them; it draws nothing from them.
#include "core/Reflect.h"
#include "model/CommentFiles.h"
#include "model/DrillingListSettings.h"
#include "model/InfoTables.h"
#include "model/ModelTypes.h"
#include "model/OwnedList.h"
#include "model/XYZPoints.h"

#include <array>
#include <cstdint>
#include <string>

namespace qv {

class TQuorvaneFile;

QV_ENUM(TPlotSetupMode, psmPattern, psmProduction, psmAssembly)
QV_ENUM(TPrinterOrientation, poPortrait, poLandscape)

QV_ENUM(TPlotTextHeights, thDefault, thItem, thExtra, thDrillingList, thInfo, thMaterial, thSurfaceFinish,
        thFaceNumber, thMeasureManifold, thMeasureHoles, thDimensionHoles, thRemark)
using TPlotTextHeightArray = TEnumArray<TPlotTextHeights, double, 12>;

// What a drawing shows; each flag is one Boolean item in the file.
QV_ENUM(TPlotFlag, pfAlternate, pfBorder, pfCenterDrawing, pfComments, pfContours, pfDashHoles, pfHideDashFace1,
        pfHideDashFace2, pfHideDashFace3, pfHideDashFace4, pfHideDashFace5, pfHideDashFace6, pfDrawingHead,
        pfDrillingList, pfExtraText, pfFileInformation, pfFitDrawing, pfItemNumbers, pfNumbersMoved, pfORingArea,
        pfORingPatternsOnly, pfProgramInformation, pfSurfaceFinish, pfTime, pfValveInformation, pfXYCoordinates,
        pfGroupCodes, pfProjectionMethod, pfRevisionHistory, pfMeasureInProduction, pfMeasureAllPatternHoles,
        pfPlugs, pfVisiblePlugsOnly, pfMaterial, pfDisableDepthIndication, pfShowAllDimensions,
        pfDimensionsHorizontal, pfMoveDimensions, pfNotGroupHoles, pfDisableCoordsOrigin, pfShowDotInOrigin,
        pfDisableSpecialNotes, pfOverruleDefaultHeader, pfShowSpecialNotes, pfDisableFaceNumbers,
        pfDisableAxisIndicators, pfShowBillOfMaterials, pfDisableNameAndSize, pfDisableHoleText,
        pfDimensionHoleText, pfUseBaseLineDimensionsInAssembly, pfShowContourAlways,
        pfShowMountingHolesCompleteInAssembly, pfShowAllHolesInAssembly, pfShowNettMaterial,
        pfShowXMaxYMaxZMaxAlways, pfDisableSurfaceFinishInfo, pfDetails, pfUsedPlugs, pfShowConnections,
        pfShowCrossSections, pfMeasureCutOuts, pfDisableHoleRemark, pfDisableHoleRemarkCartridges,
        pfShowAlternativeNotes, pfRevisionList, pfInformationTable, pfEngraveItemNumbers, pfDisableHoleNumbers)
constexpr int PlotFlagCount = 69;
// 69 flags do not fit a 64-bit word.
__extension__ typedef unsigned __int128 TPlotFlagBits;
using TPlotFlags = TSet<TPlotFlag, TPlotFlagBits>;

// The Boolean item tag of a flag (0 for an ordinal outside the enumeration),
// and the flag of a tag (-1 when the tag is no flag item).
int PlotFlagTag(TPlotFlag Flag);
int PlotFlagOfTag(int Tag);
// The item tag of a text height.
int PlotTextHeightTag(TPlotTextHeights Height);

// How holes are labelled and dimensioned on a drawing. The indicator texts
// are put before or after the values they mark.
struct TPlotShowDimensionsSettings {
    bool TruncateTrailingZeros = true;
    bool TruncateTrailingZerosCoordinates = false;
    std::string IndicatorAngle = "Angle=";
    std::string IndicatorAngleValue = "\u00B0";
    std::string IndicatorHole = "Hole";
    std::string IndicatorTypicalHoles = "Typical Holes";
    std::string IndicatorCartridge = "Cavity";
    std::string IndicatorLocationShoulder = "LS";
    std::string IndicatorSpotfaced = " Spotface";
    std::string IndicatorSpotfacedStart;
    std::string IndicatorDiameter = "\u00F8";
    std::string IndicatorDiameterEnd;
    std::string IndicatorDepth = "Dp";
    std::string IndicatorDepthEnd;
    std::string IndicatorThrough = " Thru";
    std::string IndicatorCounterBore = " Counterbore";
    bool ShowThreadOfStandardHoles = false;
    bool ShowThreadOfCartridges = false;
    bool ShowDiametersAfterThreadOfStandardHoles = false;
    bool ShowDiametersAfterThreadOfCartridges = false;
    bool ShowAngleRotationAlways = true;
    bool ShowThreadDrillDiameter = false;
    bool TurnOffThreadDrillDiameterCartridges = true;
    bool ShowOnlyQuotedTextCartridges = true;
    bool ShowOnlyQuotedTextStandardHoles = true;
    bool SkipLineAfterTypicalHoles = true;
    double DistanceHorizontal = 3.5;
    double DistanceVertical = 3.5;
    double OffsetFromFace = 20.0;
    double OffsetFaceIndicator = 0.0;
    double OffsetDimension = 0.0;
    int32_t WrapIfLongerThanCharacters = 0;
    bool WrapSmart = true;
    std::array<int32_t, 6> NumberOfSectors{};
    bool DivideMountingHolesPatterns = false;
    bool DivideMountingHoles = false;
    double TextOffset = 0.0;
    int32_t BorderType = 0; // a code only the design program interprets
    bool ShowInsertionPointHoleText = false;
    bool UseLevelsWithCoords = false;
    bool MoveDimensionsToFaceOrigin = true;
    bool ShowQuotedTextOtherHoles = false;
    bool ShowDepthOfThroughHoles = false;
    bool HideHoleNumberSingleHole = false;
    bool SpecialNoteFirst = false;
    bool HideQuotesCartridge = false;
    bool HideAllHoleNumbers = false;
    bool AddTolerancesDiameter = false;
    bool AddTolerancesDepth = false;
    bool CartridgeMustHasHiddenDiameters = false;

    template <class F> void Fields(F&& f) const
    {
        f("TruncateTrailingZeros", TruncateTrailingZeros);
        f("TruncateTrailingZerosCoordinates", TruncateTrailingZerosCoordinates);
        f("IndicatorAngle", IndicatorAngle); f("IndicatorAngleValue", IndicatorAngleValue);
        f("IndicatorHole", IndicatorHole); f("IndicatorTypicalHoles", IndicatorTypicalHoles);
        f("IndicatorCartridge", IndicatorCartridge); f("IndicatorLocationShoulder", IndicatorLocationShoulder);
        f("IndicatorSpotfaced", IndicatorSpotfaced); f("IndicatorSpotfacedStart", IndicatorSpotfacedStart);
        f("IndicatorDiameter", IndicatorDiameter); f("IndicatorDiameterEnd", IndicatorDiameterEnd);
        f("IndicatorDepth", IndicatorDepth); f("IndicatorDepthEnd", IndicatorDepthEnd);
        f("IndicatorThrough", IndicatorThrough); f("IndicatorCounterBore", IndicatorCounterBore);
        f("ShowThreadOfStandardHoles", ShowThreadOfStandardHoles);
        f("ShowThreadOfCartridges", ShowThreadOfCartridges);
        f("ShowDiametersAfterThreadOfStandardHoles", ShowDiametersAfterThreadOfStandardHoles);
        f("ShowDiametersAfterThreadOfCartridges", ShowDiametersAfterThreadOfCartridges);
        f("ShowAngleRotationAlways", ShowAngleRotationAlways);
        f("ShowThreadDrillDiameter", ShowThreadDrillDiameter);
        f("TurnOffThreadDrillDiameterCartridges", TurnOffThreadDrillDiameterCartridges);
        f("ShowOnlyQuotedTextCartridges", ShowOnlyQuotedTextCartridges);
        f("ShowOnlyQuotedTextStandardHoles", ShowOnlyQuotedTextStandardHoles);
        f("SkipLineAfterTypicalHoles", SkipLineAfterTypicalHoles);
        f("DistanceHorizontal", DistanceHorizontal); f("DistanceVertical", DistanceVertical);
        f("OffsetFromFace", OffsetFromFace); f("OffsetFaceIndicator", OffsetFaceIndicator);
        f("OffsetDimension", OffsetDimension); f("WrapIfLongerThanCharacters", WrapIfLongerThanCharacters);
        f("WrapSmart", WrapSmart); f("NumberOfSectors", NumberOfSectors);
        f("DivideMountingHolesPatterns", DivideMountingHolesPatterns);
        f("DivideMountingHoles", DivideMountingHoles); f("TextOffset", TextOffset); f("BorderType", BorderType);
        f("ShowInsertionPointHoleText", ShowInsertionPointHoleText);
        f("UseLevelsWithCoords", UseLevelsWithCoords);
        f("MoveDimensionsToFaceOrigin", MoveDimensionsToFaceOrigin);
        f("ShowQuotedTextOtherHoles", ShowQuotedTextOtherHoles);
        f("ShowDepthOfThroughHoles", ShowDepthOfThroughHoles);
        f("HideHoleNumberSingleHole", HideHoleNumberSingleHole); f("SpecialNoteFirst", SpecialNoteFirst);
        f("HideQuotesCartridge", HideQuotesCartridge); f("HideAllHoleNumbers", HideAllHoleNumbers);
        f("AddTolerancesDiameter", AddTolerancesDiameter); f("AddTolerancesDepth", AddTolerancesDepth);
        f("CartridgeMustHasHiddenDiameters", CartridgeMustHasHiddenDiameters);
    }
};

// Where the six block faces are placed on the sheet (index 0 is face 1).
struct TFacePositions {
    bool UseDefaultFacePositions = true;
    std::array<TXYPoint, 6> FacePos{};
    std::array<bool, 6> FaceOn{true, true, true, true, true, true};
    bool AskToAlign = true;
    double SnapForPlacing = 5.0;

    template <class F> void Fields(F&& f) const
    {
        f("UseDefaultFacePositions", UseDefaultFacePositions); f("FacePos", FacePos); f("FaceOn", FaceOn);
        f("AskToAlign", AskToAlign); f("SnapForPlacing", SnapForPlacing);
    }
};

struct TPlotSettingsData {
    TPlotSetupMode PlotMode = psmProduction;
    TXYPoint FaceDistance{40.0, 40.0}; // gap between the face views on the sheet
    double Scale = 2.0;
    TPlotTextHeightArray PlotTextHeight{{{2.5, 3.5, 2.5, 2.5, 3.5, 3.5, 3.5, 3.5, 2.5, 1.8, 1.8, 2.5}}};
    TProjectionMethode ProjectionMethode = pmAmerican;
    TPrinterOrientation Orientation = poLandscape;
    int32_t Origin = 0; // a code only the design program interprets
    TPlotFlags PlotFlags{pfAlternate,          pfBorder,           pfCenterDrawing,       pfContours,
                         pfFileInformation,    pfItemNumbers,      pfNumbersMoved,        pfORingArea,
                         pfORingPatternsOnly,  pfProgramInformation, pfProjectionMethod,  pfRevisionHistory,
                         pfEngraveItemNumbers};
    std::string PrinterName;
    std::string PaperSize;
    bool DXFFile = false;
    TPlotShowDimensionsSettings ShowDimensionsSettings;
    std::string DWGHeaderFile;
    TXYPoint InsertionPointComments;
    TFacePositions FacePositions;

    template <class F> void Fields(F&& f) const
    {
        f("PlotMode", PlotMode); f("FaceDistance", FaceDistance); f("Scale", Scale);
        f("PlotTextHeight", PlotTextHeight); f("ProjectionMethode", ProjectionMethode);
        f("Orientation", Orientation); f("Origin", Origin); f("PlotFlags", PlotFlags);
        f("PrinterName", PrinterName); f("PaperSize", PaperSize); f("DXFFile", DXFFile);
        f("ShowDimensionsSettings", ShowDimensionsSettings); f("DWGHeaderFile", DWGHeaderFile);
        f("InsertionPointComments", InsertionPointComments); f("FacePositions", FacePositions);
    }
};

class TPlotSettings {
public:
    TPlotSettingsData FData;
    TCommentFileList fCommentFileList;
    TDrillingListDrawingSettings fDrillingListDrawingSettings;
    TInfoTable fInfoTable;

    TPlotSettings() = default;
    TPlotSettings(const TPlotSettings&) = delete;
    TPlotSettings& operator=(const TPlotSettings&) = delete;

    void Clear();
    void Assign(const TPlotSettings& Source);
    // Reads the record after its start tag 50000 up to its end tag 59999.
    // The flags start empty: only the flag items that read True are set.
    bool Load(TQuorvaneFile& HF);

    template <class F> void Fields(F&& f) const
    {
        f("FData", FData); f("fCommentFileList", fCommentFileList);
        f("fDrillingListDrawingSettings", fDrillingListDrawingSettings); f("fInfoTable", fInfoTable);
    }
};

class TPlotSettingsList : public TOwnedList<TPlotSettings> {};

} // namespace qv
