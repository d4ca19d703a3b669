#pragma once
// The manifold document: the block's header data and one owned list or
// record per kind of model record. Every load clears it first.
#include "core/LargeMemory.h"
#include "core/Reflect.h"
#include "model/AssemblyLists.h"
#include "model/BillOfMaterials.h"
#include "model/CalculateSettings.h"
#include "model/CheckerLists.h"
#include "model/CutOutLists.h"
#include "model/GroupLists.h"
#include "model/HoleLists.h"
#include "model/LayoutLists_MNF.h"
#include "model/ModelTypes.h"
#include "model/MountingHoleDefinitions.h"
#include "model/PlotSettings.h"
#include "model/Projects.h"
#include "model/RevisionLists.h"
#include "model/SessionLists.h"
#include "model/XYZPoints.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

class TQuorvaneFile;

QV_ENUM(TFileType, ftNone, ftManifold, ftPattern)
QV_ENUM(TUnit, muMM, muIN)
QV_ENUM(TDashFlag, dashNone, dashSelected, dashAll)
QV_ENUM(TCalculateFlag, cfGroups, cfThread, cfWarnings)
QV_ENUM(TFileFlag, ffAutoExport, ffAutoRedraw, ffAutoRenumber, ffDepthToTip, ffThreadFromTop, ffHiddenStepsss)
QV_ENUM(TDrawFlag, dfAngleValue, dfContourHole, dfContourPattern, dfItemNumber, dfOringArea, dfColorFill,
        dfColorDash, dfHideHoleNumber, dfHideRemark, dfHideHoleText, dfHidePlug, dfHideDummyHole, dfHideThread)
QV_ENUM(TSortMethode, smRenumber, smDistances, smCoordinates)
QV_ENUM(TSortOption, soPatternHoles, soSkipHoles, soRearrangePatterns, soMultiSort, soAutoSkip,
        soOnlyFromLastHole)
QV_ENUM(TSortType, stFirstDiameter, stLastDiameter, stThread)
QV_ENUM(TIncludeHoleTextMode, ihtmNone, ihtmBorder, ihtmWithoutBorder, ihtmAll)
QV_ENUM(TCrossSection, X, Y, Z)

using TCalculateFlags = TSet<TCalculateFlag>;
using TFileFlags = TSet<TFileFlag>;
using TDrawFlags = TSet<TDrawFlag>;
using TSortOptions = TSet<TSortOption>;

struct TCrossSectionData {
    int32_t HoleNumber = 0;
    double Coordinate = 0.0;
    template <class F> void Fields(F&& f) const { f("HoleNumber", HoleNumber); f("Coordinate", Coordinate); }
};
using TCrossSectionInfo = TEnumArray<TCrossSection, TCrossSectionData, 3>;

struct TSortSettings {
    TSortMethode SortMethode = smCoordinates;
    TSortOptions SortOptions{soRearrangePatterns, soMultiSort};
    TSortType SortType = stThread;
    int32_t SortLastHoleNumber = 0;
    template <class F> void Fields(F&& f) const
    {
        f("SortMethode", SortMethode); f("SortOptions", SortOptions); f("SortType", SortType);
        f("SortLastHoleNumber", SortLastHoleNumber);
    }
};

using TFinishFace = std::array<double, 7>; // element f belongs to face f (1 to 6)

struct TModifyDimensionsSettings {
    int32_t Direction = 0;
    double Value = 0.0;
    double Coordinate = 0.0;
    bool ModifyDepth = true;
    template <class F> void Fields(F&& f) const
    {
        f("Direction", Direction); f("Value", Value); f("Coordinate", Coordinate); f("ModifyDepth", ModifyDepth);
    }
};

struct TManifoldData {
    TFileType FileType = ftManifold;
    TUnit MeasuringUnits = muMM;
    int32_t Decimals = 2;
    int32_t AngleDecimals = 1;
    TXYZPoint Max{300.0, 200.0, 100.0};
    TDashFlag DrawDashHoles = dashSelected;
    TCrossSectionInfo CrossSectionInfo;
    TCalculateFlags CalculateFlags{cfGroups, cfThread, cfWarnings};
    TFileFlags FileFlags{ffAutoRedraw, ffDepthToTip, ffHiddenStepsss};
    TDrawFlags DrawFlags{dfAngleValue, dfContourHole, dfContourPattern, dfItemNumber, dfOringArea, dfColorFill,
                         dfColorDash};
    std::array<int32_t, 2> CalcHole{0, 0};
    TSortSettings SortSettings;
    int32_t RotateFace = 0;
    TFinishFace FinishFace{3.2, 3.2, 3.2, 3.2, 3.2, 3.2, 3.2};
    int32_t FinishFaceStyle = 0;
    TModifyDimensionsSettings ModifyDimensionsSettings;
    std::string Material;
    double HoleFactor = 0.9;
    double MassDensity = 7800.0;
    std::string LayoutFile;
    std::string PrinterName;
    int32_t PaperSize = -1;
    int32_t CurrentDrawing = 10;
    TProjectionMethode DrawProjectionMethode = pmAmerican;
    TProperties Properties;
    double CrossSectionMove = 0.5;
    bool DepthFromCutOut = false;
    std::string CurrentGroupCode;
    std::string ConstructionHoleFile;
    bool ConnectAutomatically = true;
    double ScriptTextHeight = 5.0;
    bool TrimOptimizeDepth = true;
    double TrimOptimizeDiameterFactor = 1.25;
    bool TrimOptimizeHolesDepthToCenterLine = false;
    double TrimOptimizeHolesOffset = 2.0;
    bool TrimOptimizeCartridgesDepthToCenterLine = true;
    double TrimOptimizeCartridgesOffset = 1.0;
    TDateTime HoleListChangedDateTime = 0.0; // Clear sets the current local time
    TIncludeHoleTextMode IncludeHoleTextMode = ihtmNone;
    bool IncludeHoleComments = false;
    bool IncludeManufacturingNotes = false;
    bool IncludeToleranceDiameter = false;
    bool IncludeToleranceDepth = false;
    bool Face6Alternate = false;
    double HeightIsoHoleNumber = 0.0; // 0: the unit's default
    double HeightIsoFaceNumber = 0.0;
    double HeightIsoItemNumber = 0.0;
    double HeightIsoError = 0.0;

    template <class F> void Fields(F&& f) const
    {
        f("FileType", FileType); f("MeasuringUnits", MeasuringUnits); f("Decimals", Decimals);
        f("AngleDecimals", AngleDecimals); f("Max", Max); f("DrawDashHoles", DrawDashHoles);
        f("CrossSectionInfo", CrossSectionInfo); f("CalculateFlags", CalculateFlags); f("FileFlags", FileFlags);
        f("DrawFlags", DrawFlags); f("CalcHole", CalcHole); f("SortSettings", SortSettings);
        f("RotateFace", RotateFace); f("FinishFace", FinishFace); f("FinishFaceStyle", FinishFaceStyle);
        f("ModifyDimensionsSettings", ModifyDimensionsSettings); f("Material", Material);
        f("HoleFactor", HoleFactor); f("MassDensity", MassDensity); f("LayoutFile", LayoutFile);
        f("PrinterName", PrinterName); f("PaperSize", PaperSize); f("CurrentDrawing", CurrentDrawing);
        f("DrawProjectionMethode", DrawProjectionMethode); f("Properties", Properties);
        f("CrossSectionMove", CrossSectionMove); f("DepthFromCutOut", DepthFromCutOut);
        f("CurrentGroupCode", CurrentGroupCode); f("ConstructionHoleFile", ConstructionHoleFile);
        f("ConnectAutomatically", ConnectAutomatically); f("ScriptTextHeight", ScriptTextHeight);
        f("TrimOptimizeDepth", TrimOptimizeDepth); f("TrimOptimizeDiameterFactor", TrimOptimizeDiameterFactor);
        f("TrimOptimizeHolesDepthToCenterLine", TrimOptimizeHolesDepthToCenterLine);
        f("TrimOptimizeHolesOffset", TrimOptimizeHolesOffset);
        f("TrimOptimizeCartridgesDepthToCenterLine", TrimOptimizeCartridgesDepthToCenterLine);
        f("TrimOptimizeCartridgesOffset", TrimOptimizeCartridgesOffset);
        f("HoleListChangedDateTime", HoleListChangedDateTime); f("IncludeHoleTextMode", IncludeHoleTextMode);
        f("IncludeHoleComments", IncludeHoleComments); f("IncludeManufacturingNotes", IncludeManufacturingNotes);
        f("IncludeToleranceDiameter", IncludeToleranceDiameter); f("IncludeToleranceDepth", IncludeToleranceDepth);
        f("Face6Alternate", Face6Alternate); f("HeightIsoHoleNumber", HeightIsoHoleNumber);
        f("HeightIsoFaceNumber", HeightIsoFaceNumber); f("HeightIsoItemNumber", HeightIsoItemNumber);
        f("HeightIsoError", HeightIsoError);
    }
};

struct THoleNumberOptionsData {
    bool MoveHoleNumbers = false;
    double HoleNumberTextHeight = 0.0;
    template <class F> void Fields(F&& f) const
    {
        f("MoveHoleNumbers", MoveHoleNumbers); f("HoleNumberTextHeight", HoleNumberTextHeight);
    }
};

struct TFormatEngravedItemNumbersData {
    bool EngraveItemNumbers = false;
    double TextHeight = 0.0;
    double FixedWidth = 0.0;
    bool UseBorder = true;
    int32_t InsertionPoint = 0;
    bool UseHoleTextSettings = false;
    template <class F> void Fields(F&& f) const
    {
        f("EngraveItemNumbers", EngraveItemNumbers); f("TextHeight", TextHeight); f("FixedWidth", FixedWidth);
        f("UseBorder", UseBorder); f("InsertionPoint", InsertionPoint); f("UseHoleTextSettings", UseHoleTextSettings);
    }
};

// The text the load adds when a file ends before its end tag.
inline constexpr const char* kTruncatedFileWarning = "The file ends unexpectedly; the design may be incomplete.";
// No real design comes near this many holes; a file that holds more is
// damaged or crafted, and reading on would only cost memory.
inline constexpr int kMaxHoles = 1000000;
inline constexpr const char* kTooManyHolesWarning =
    "The design holds more than 1,000,000 holes; the rest is left out.";

// A file's content, read once, with what a load takes from the file system
// besides: the name the user gave and the file's last-write time.
struct TFileBytes {
    std::string_view Bytes;
    std::string FileName;
    std::optional<TDateTime> Time; // local time; empty when it could not be read
};

// A whole file read into memory.
struct TFileContent {
    TByteBuffer Bytes;
    std::optional<TDateTime> Time;
};

// Reads a file whole, in one pass: a pipe or FIFO is read until its writer
// closes it. A folder, a device or anything else that is no file is refused
// before it is opened. False with the reason in Why ("No such file or
// directory", "is a folder", ...) when the file cannot be read.
bool ReadFileContent(const std::string& FileName, TFileContent& Content, std::string& Why);
// "Cannot read "name": reason", the text shown for such a file.
std::string CannotReadText(const std::string& FileName, const std::string& Why);

class TManifold {
public:
    TManifold();
    TManifold(const TManifold&) = delete;
    TManifold& operator=(const TManifold&) = delete;

    void Clear();

    bool LoadFromFile(const std::string& FileName) { return LoadFromFile(FileName, false, false); }
    bool LoadFromViewerFile(const std::string& FileName) { return LoadFromFile(FileName, true, true); }
    // Reads the file once and loads its bytes. A file that cannot be read
    // gives False with an error message that says why.
    bool LoadFromFile(const std::string& FileName, bool ViewerFile, bool ShowFileVersionError);
    // Loads a file's bytes already in memory: File.FileName becomes the
    // document's file name and File.Time the hole list's change time.
    bool LoadFromBytes(const TFileBytes& File, bool ViewerFile, bool ShowFileVersionError);
    // Reads the current tagged format from an open stream positioned after
    // the header, up to the end tag 1999 or the end of the data.
    void ReadRecords(TQuorvaneFile& HF);
    // The manifold record (after its start tag 2000, up to its end tag 2999).
    void ReadManifoldRecord(TQuorvaneFile& HF);
    // True, with the warning, when the document holds MaxHoles holes: the
    // reader then stops and the load keeps what it read.
    bool HoleLimitReached();

    // Properties and queries
    const std::string& FileName() const { return FFileName; }
    const TManifoldData& Data() const { return FData; }
    TManifoldData& Data() { return FData; }
    TUnit Units() const { return FData.MeasuringUnits; }
    const TXYZPoint& Max() const { return FData.Max; }
    double XMax() const { return FData.Max.X; }
    double YMax() const { return FData.Max.Y; }
    double ZMax() const { return FData.Max.Z; }
    int Decimals() const { return FData.Decimals; }
    int AngleDecimals() const { return FData.AngleDecimals; }
    const std::string& Material() const { return FData.Material; }
    double HoleFactor() const { return FData.HoleFactor; }
    double MassDensity() const { return FData.MassDensity; }
    TFileFlags FileFlags() const { return FData.FileFlags; }
    TDrawFlags DrawFlags() const { return FData.DrawFlags; }
    const TSortSettings& SortSettings() const { return FData.SortSettings; }
    const TProperties& Properties() const { return FData.Properties; }
    const TCrossSectionInfo& CrossSectionInfo() const { return FData.CrossSectionInfo; }
    bool IsMM() const { return FData.MeasuringUnits == muMM; }
    bool IsInch() const { return FData.MeasuringUnits == muIN; }
    bool IsDepthToTip() const { return FData.FileFlags.Contains(ffDepthToTip); }
    bool IsThreadFromTop() const { return FData.FileFlags.Contains(ffThreadFromTop); }
    bool GetIsThreadFromTop() const { return IsThreadFromTop(); }
    bool IsEuropean() const { return FData.DrawProjectionMethode == pmEuropean; }
    double IsoHeightHoleNumber() const;
    double IsoHeightFaceNumber() const;
    double IsoHeightItemNumber() const;
    double IsoHeightError() const;
    double GetFinishFace(int i) const { return FData.FinishFace.at(size_t(i)); }
    void SetFinishFace(int i, double v) { FData.FinishFace.at(size_t(i)) = v; }
    double GetCalcWallthickness() const { return fCalculateSettingsNew.fData.Wallthickness; }
    void SetCalcWallthickness(double v) { fCalculateSettingsNew.fData.Wallthickness = v; }
    int LastCalcHole1() const { return FData.CalcHole[0]; }
    int LastCalcHole2() const { return FData.CalcHole[1]; }
    // "300.00x200.00x100.00" for the defaults.
    std::string DimensionsToStr() const;
    const std::string& VELKStamp() const { return fVELKStamp; }

    THoleList& HoleList() { return FHoleList; }
    const THoleList& HoleList() const { return FHoleList; }
    TGroupList& GroupList() { return FGroupList; }
    TCutOutList& CutOutList() { return fCutOutList; }
    THoleTextList& HoleTextList() { return fHoleTextList; }
    TProject& Project() { return FProject; }
    TToDo& ToDo() { return fToDo; }
    TRevisionList& RevisionList() { return FRevisionList; }
    TRevisionLayoutList& RevisionLayoutList() { return fRevisionLayoutList; }
    TSessionList& SessionList() { return fSessionList; }
    TAssemblyList& AssemblyList() { return fAssemblyList; }
    TCrossList& CrossList() { return fCrossList; }
    TPlotSettingsList& PlotSettings() { return fPlotSettings; }
    const TPlotSettingsList& PlotSettings() const { return fPlotSettings; }
    TLayoutList& LayoutList() { return fLayoutList; }
    TBillOfMaterials& BOM() { return fBillOfMaterials; }
    TCalculateSettingsNew& CalculateSettingsNew() { return fCalculateSettingsNew; }
    const TCalculateSettingsNew& CalculateSettingsNew() const { return fCalculateSettingsNew; }
    TMountingHoleDefinitionList& MountingHoleDefinitionList() { return fMountingHoleDefinitionList; }
    TCheckerList& Checkers() { return fCheckers; }
    const THoleNumberOptionsData& HoleNumberOptions() const { return fHoleNumberOptions; }
    const TFormatEngravedItemNumbersData& EngravedItemNumbersOptions() const { return fEngravedItemNumbersOptions; }

    template <class F> void Fields(F&& f) const
    {
        f("FFileName", FFileName); f("fVELKStamp", fVELKStamp); f("FData", FData);
        f("fHoleNumberOptions", fHoleNumberOptions); f("fEngravedItemNumbersOptions", fEngravedItemNumbersOptions);
        f("fPlotSettings", fPlotSettings); f("fLayoutList", fLayoutList); f("FGroupList", FGroupList);
        f("FHoleList", FHoleList); f("FProject", FProject); f("fToDo", fToDo); f("FRevisionList", FRevisionList);
        f("fRevisionLayoutList", fRevisionLayoutList); f("fSessionList", fSessionList);
        f("fCutOutList", fCutOutList); f("fHoleTextList", fHoleTextList); f("fAssemblyList", fAssemblyList);
        f("fCrossList", fCrossList); f("fMountingHoleDefinitionList", fMountingHoleDefinitionList);
        f("fStartSession", fStartSession); f("fBillOfMaterials", fBillOfMaterials);
        f("fCalculateSettingsNew", fCalculateSettingsNew);
        // The design program's check results: never filled in the viewer.
        f("fCalcErrors", nullptr); f("fCalcErrorsTwoHoles", nullptr);
        f("fCalcErrorsTwoHolesActive", fCalcErrorsTwoHolesActive);
        f("fCheckers", fCheckers);
    }

    // Fields in declared order (public: the readers of every format fill them).
    std::string FFileName;
    std::string fVELKStamp;
    TManifoldData FData;
    THoleNumberOptionsData fHoleNumberOptions;
    TFormatEngravedItemNumbersData fEngravedItemNumbersOptions;
    TPlotSettingsList fPlotSettings;
    TLayoutList fLayoutList;
    TGroupList FGroupList;
    THoleList FHoleList;
    TProject FProject;
    TToDo fToDo;
    TRevisionList FRevisionList;
    TRevisionLayoutList fRevisionLayoutList;
    TSessionList fSessionList;
    TCutOutList fCutOutList;
    THoleTextList fHoleTextList;
    TAssemblyList fAssemblyList;
    TCrossList fCrossList;
    TMountingHoleDefinitionList fMountingHoleDefinitionList;
    TDateTime fStartSession = 0.0;
    TBillOfMaterials fBillOfMaterials;
    TCalculateSettingsNew fCalculateSettingsNew;
    bool fCalcErrorsTwoHolesActive = false; // the design program's check results are never filled here
    TCheckerList fCheckers;

    // How many holes a load takes (not part of the design; tests lower it).
    int MaxHoles = kMaxHoles;
};

// 700, 802, 801, 701, 540 ... 400, 300, 200, or -1 when not recognised.
// FileKind 1: manifold file, 2: pattern file.
int DetectFileVersion(const std::string& FileName, int FileKind);
// The same for a file's bytes in memory; the size rules use their count.
int DetectFileVersionFromBytes(std::string_view Bytes, int FileKind);

// Reads a file of an old format into the document (after adding the
// production and assembly plot settings). False for an unknown version and
// for a file that cannot be read.
bool LoadOldVersionFile(int Version, const std::string& FileName, TManifold& Manifold);
bool LoadOldVersionFile(int Version, const TFileBytes& File, TManifold& Manifold);

} // namespace qv
