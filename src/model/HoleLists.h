#pragma once
// Holes of a manifold block: a bore of diameter steps drilled from one of the
// six block faces (opposite faces add up to 7), at a face position, possibly
// tilted, with its valves, extra diameters, contour, texts and notes.
#include "core/RareText.h"
#include "core/Reflect.h"
#include "model/ContourLists.h"
#include "model/ExtraDiameterLists.h"
#include "model/HoleTextLists.h"
#include "model/ManufacturingNotes.h"
#include "model/ModelTypes.h"
#include "model/OwnedList.h"
#include "model/PlugLists.h"
#include "model/StepLists.h"
#include "model/ValveLists.h"
#include "model/XYZPoints.h"

#include <string>
#include <vector>

namespace qv {

class TQuorvaneFile;

QV_ENUM(THoleAttribute, haPlugged, haFixation, haClosed, haMounting, haStandardHole, haDummyHole,
        haExportDummyHole, haGroupLocked, haAngled, haThroughMountingHole, haMeasure, haAssembly, haConnect,
        haThrough, haAlwaysMeasure, haNeverMeasure, haDoNotChangeForFEM, haExportThisPlug)
using THoleAttributes = TSet<THoleAttribute>;

// The file tag that sets an attribute, or 0 when none does.
int HoleAttributeTag(THoleAttribute a);

struct THoleData {
    // Members are ordered by size, so that a hole has no padding to carry;
    // Fields() gives the record's order.
    int32_t HoleNumber = 0;
    int32_t PatternHandle = -1;     // -1: not in a pattern
    int32_t PatternHoleNumber = -1; // 0 marks the pattern's start hole
    THoleAttributes Attribute;
    int32_t FaceNumber = 0;
    int32_t Dashed = 0;
    int32_t RemarkRotation = 0;
    int32_t ToDoTag = 0;
    int32_t PelomyraHandle = -1;
    int32_t AutoMountingHoleTag = 0;
    double XXY = 0.0; // first face coordinate (X on faces 1, 2, 5, 6; Y on 3, 4)
    double YZZ = 0.0; // second face coordinate (Y on faces 1, 6; Z on 2, 3, 4, 5)
    double HoleContour = 0.0;
    double AngleValue = 0.0;    // tilt of the axis from the face normal, degrees
    double AngleRotation = 0.0; // direction of that tilt about the normal, degrees
    double StartDepth = 0.0;
    double OriginalDiameter = 0.0;
    double MinLS = 0.0;
    double CalculateStartDepth = 0.0;
    TXYPoint HoleNumberPositionOffset;
    double ExternalFileScale = 1.0;
    double ExternalFileRotation = 0.0;
    TProperties Properties;
    TRareText AllowedFaces;
    TRareText HoleRevision;
    TRareText FeatureName;
    TRareText DataSheet;
    TRareText ExternalFile;
    int8_t SelectedMode = 0;
    bool OverrideStandardHoleNumberPosition = false;
    bool HideFace = false;
    bool HideCoordinates = false;
    bool DashedLocked = false;

    template <class F> void Fields(F&& f) const
    {
        f("HoleNumber", HoleNumber); f("PatternHandle", PatternHandle); f("PatternHoleNumber", PatternHoleNumber);
        f("Attribute", Attribute); f("FaceNumber", FaceNumber); f("XXY", XXY); f("YZZ", YZZ); f("Dashed", Dashed);
        f("HoleContour", HoleContour); f("AngleValue", AngleValue); f("AngleRotation", AngleRotation);
        f("RemarkRotation", RemarkRotation); f("Properties", Properties); f("SelectedMode", SelectedMode);
        f("StartDepth", StartDepth); f("OriginalDiameter", OriginalDiameter); f("ToDoTag", ToDoTag);
        f("MinLS", MinLS); f("CalculateStartDepth", CalculateStartDepth);
        f("HoleNumberPositionOffset", HoleNumberPositionOffset);
        f("OverrideStandardHoleNumberPosition", OverrideStandardHoleNumberPosition); f("HideFace", HideFace);
        f("HideCoordinates", HideCoordinates); f("AllowedFaces", AllowedFaces); f("HoleRevision", HoleRevision);
        f("PelomyraHandle", PelomyraHandle); f("FeatureName", FeatureName); f("DataSheet", DataSheet);
        f("AutoMountingHoleTag", AutoMountingHoleTag); f("ExternalFile", ExternalFile);
        f("ExternalFileScale", ExternalFileScale); f("ExternalFileRotation", ExternalFileRotation);
        f("DashedLocked", DashedLocked);
    }
};

class THole {
public:
    TStepList FStepList;
    TExtraDiameterList fExtraDiameterList;
    TContourList FContourList;
    TValveList FValveList;
    THoleTextList fHoleTextList;
    TManufacturingNote fManufacturingNote;
    THoleData FData;
    std::vector<std::string> fComments;

    // Every field has its default where it is declared; a constructor of our
    // own keeps `new THole()` from zero-filling the hole first.
    THole() noexcept {}
    THole(const THole&) = delete;
    THole& operator=(const THole&) = delete;

    void Clear();
    void Assign(const THole& Source);
    std::unique_ptr<THole> Clone() const;
    bool Load(TQuorvaneFile& HF);

    bool Has(THoleAttribute a) const { return FData.Attribute.Contains(a); }
    bool GetIsPlugged() const { return Has(haPlugged); }
    bool GetIsFixation() const { return Has(haFixation); }
    bool GetIsCartridge() const { return Has(haClosed); }
    bool GetIsMounting() const { return Has(haMounting); }
    bool GetIsStandardHole() const { return Has(haStandardHole); }
    bool GetIsDummyHole() const { return Has(haDummyHole); }
    bool GetIsExportDummyHole() const { return Has(haExportDummyHole); }
    bool GetIsGroupLocked() const { return Has(haGroupLocked); }
    bool GetIsAngled() const { return Has(haAngled); }
    bool GetIsThroughMounting() const { return Has(haThroughMountingHole); }
    bool GetIsMeasure() const { return Has(haMeasure); }
    bool GetIsAssembly() const { return Has(haAssembly); }
    bool GetIsConnect() const { return Has(haConnect); }
    bool GetIsThrough() const { return Has(haThrough); }
    bool GetIsAlwaysDim() const { return Has(haAlwaysMeasure); }
    bool GetIsNeverDim() const { return Has(haNeverMeasure); }
    bool GetIsDoNotChangeForFEM() const { return Has(haDoNotChangeForFEM); }
    bool GetIsExportThisPlug() const { return Has(haExportThisPlug); }
    bool GetIsPatternHole() const { return FData.PatternHandle != -1; }
    bool GetPatternStart() const { return FData.PatternHandle != -1 && FData.PatternHoleNumber == 0; }

    bool GetSelected() const { return FData.SelectedMode > 0; }
    void SetSelected(bool V);
    bool GetFirstSelected() const { return FData.SelectedMode == 2; }
    void SetFirstSelected(bool V) { FData.SelectedMode = V ? 2 : 1; }

    bool GetHasManufacturingNotes() const;
    std::string GetHoleNumberString() const { return std::to_string(FData.HoleNumber); }
    std::string GetPortName() const;
    bool GetIsSimpleORing() const;

    bool GetHasX() const;
    bool GetHasY() const;
    bool GetHasZ() const;
    double GetXCoordinate() const;
    double GetYCoordinate() const;
    double GetZCoordinate() const;
    void SetXCoordinate(double v);
    void SetYCoordinate(double v);
    void SetZCoordinate(double v);
    double XDistance(const THole& Other) const;
    double YDistance(const THole& Other) const;
    double ZDistance(const THole& Other) const;
    bool SameFaceOf(const THole& Other) const { return FData.FaceNumber == Other.FData.FaceNumber; }
    bool OppositeFaceOf(const THole& Other) const { return FData.FaceNumber + Other.FData.FaceNumber == 7; }
    bool SameOrOppositeFaceOf(const THole& Other) const { return SameFaceOf(Other) || OppositeFaceOf(Other); }
    bool FaceIsAllowed(int NewFace = -1) const;

    double GetApparentAngleX() const;
    double GetApparentAngleY() const;

    template <class F> void Fields(F&& f) const
    {
        f("FStepList", FStepList); f("fExtraDiameterList", fExtraDiameterList); f("FContourList", FContourList);
        f("FValveList", FValveList); f("fHoleTextList", fHoleTextList); f("fManufacturingNote", fManufacturingNote);
        f("FData", FData); f("fComments", fComments);
    }
};

// The steps, valves and hole texts of all its holes (and their lists' pointer
// arrays) take their room from pools of the list, in blocks, and are freed
// with them: a design's steps, cartridges and texts cost a few hundred
// allocations instead of a few for each hole. A list emptied while the hole
// list lives (a hole replaced or deleted) keeps that room until the hole
// list is cleared.
class THoleList : public TOwnedList<THole> {
public:
    THoleList() = default;
    ~THoleList() { Clear(); }
    THole* Add()
    {
        THole* h = TOwnedList<THole>::Add();
        ShareRooms(*h);
        return h;
    }
    THole* Insert(int AIndex)
    {
        THole* h = TOwnedList<THole>::Insert(AIndex);
        ShareRooms(*h);
        return h;
    }
    void Clear()
    {
        TOwnedList<THole>::Clear();
        fStepRoom.Release();
        fValveRoom.Release();
        fHoleTextRoom.Release();
    }
    void Assign(const THoleList& Source)
    {
        if (&Source == this) return;
        Clear();
        Append(Source);
    }
    THole* GetHoles(int AIndex) const { return Items(AIndex); }
    THole* GetFirst() const { return First(); }
    THole* GetLast() const { return Last(); }
    using TOwnedList<THole>::IndexOf;
    int IndexOf(int AHoleNumber) const;
    void Append(const THoleList& Source)
    {
        for (const THole* h : Source) Add()->Assign(*h);
    }

    bool GroupUsed(const std::string& AGroup) const;
    bool GroupsUsed() const;
    int NextPatternHandle() const;
    int GetNextHoleNumber() const;
    int GetHoleTextCount() const;
    int HolesInFaceCount(int AFace) const;
    bool Renumber();
    // The plugs the plugged holes need, one per plug thread, smallest
    // plug first; owned by the caller.
    std::unique_ptr<TPlugList> CreatePlugList() const;

private:
    void ShareRooms(THole& h)
    {
        h.FStepList.ShareRoomOf(fStepRoom);
        h.FValveList.ShareRoomOf(fValveRoom);
        h.fHoleTextList.ShareRoomOf(fHoleTextRoom);
    }
    TSharedRoom<TStep> fStepRoom;
    TSharedRoom<TValve> fValveRoom;
    TSharedRoom<THoleText> fHoleTextRoom;
};

} // namespace qv
