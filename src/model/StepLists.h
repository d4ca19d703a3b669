#pragma once
// Diameter steps of a hole and the bore geometry derived from them.
// Index 0 is the deepest step (the nose of a cartridge cavity, port "1");
// the last step sits at the block face.
#include "core/RareText.h"
#include "core/Reflect.h"
#include "model/OwnedList.h"

#include <cstdint>
#include <string>

namespace qv {

class TQuorvaneFile;
class TFieldCursor;

QV_ENUM(TStepAttribute, saSpotfaced, saThreaded, saHidden, saExcluded, saLocatingShoulder, saCounterBore,
        saExtraDiameter, saLocked, saReserved08, saReserved09)
using TStepAttributes = TSet<TStepAttribute, uint16_t>;

struct TStepData {
    // Members are ordered by size (no padding); Fields() gives the record's
    // order.
    int32_t StepNumber = 0;
    int32_t TopAngle = 120; // included angle of the drill point; 180 is flat
    TStepAttributes Attribute;
    bool Selected = false;
    double Diameter = 0.0;
    double Depth = 0.0; // depth of the drill tip from the start of the hole
    double Length = 0.0;
    double OutsideDiameter = 0.0;
    double PortMin = 0.0;
    double PortMax = 0.0;
    std::string Remark;
    std::string GroupCode;
    std::string PortName = "<>";
    TRareText Thread;
    TRareText MachineCode;
    TRareText ToleranceDiameter;
    TRareText ToleranceDepth;

    template <class F> void Fields(F&& f) const
    {
        f("StepNumber", StepNumber); f("Attribute", Attribute); f("Diameter", Diameter); f("Depth", Depth);
        f("Thread", Thread); f("Length", Length); f("Remark", Remark); f("TopAngle", TopAngle);
        f("OutsideDiameter", OutsideDiameter); f("MachineCode", MachineCode); f("GroupCode", GroupCode);
        f("PortMin", PortMin); f("PortMax", PortMax); f("ToleranceDiameter", ToleranceDiameter);
        f("ToleranceDepth", ToleranceDepth); f("Selected", Selected); f("PortName", PortName);
    }
};

// Depth the point of a drill with included angle a gains per unit of radius.
double PointFactor(double a);

class TStep {
public:
    TStepData FData;

    // Every field has its default in TStepData; a constructor of our own
    // keeps `new TStep()` from zero-filling the step before setting them.
    TStep() noexcept {}
    void Clear() { FData = TStepData{}; }
    void Assign(const TStep& Source) { FData = Source.FData; }
    bool Load(TQuorvaneFile& HF);
    bool Load(TFieldCursor& HF); // inside a record read with a cursor

    bool Has(TStepAttribute a) const { return FData.Attribute.Contains(a); }
    bool GetIsSpotfaced() const { return Has(saSpotfaced); }
    bool GetIsThreaded() const { return Has(saThreaded); }
    bool GetIsHidden() const { return Has(saHidden); }
    bool GetIsLS() const { return Has(saLocatingShoulder); }
    bool GetIsCounterBore() const { return Has(saCounterBore); }
    bool GetIsExtraDiameter() const { return Has(saExtraDiameter); }
    bool GetIsLocked() const { return Has(saLocked); }
    bool GetIsLockedForEdit() const { return GetIsHidden() || GetIsLocked(); }
    bool IsThreaded() const { return GetIsThreaded(); }
    bool IsSpotfaced() const { return GetIsSpotfaced(); }

    double GetTipHeight() const;
    double GetConeDepth() const;
    void SetConeDepth(double x);
    double GetDepth(bool ToTip) const { return ToTip ? FData.Depth : GetConeDepth(); }
    double GetRadius() const { return 0.5 * FData.Diameter; }
    double GetMaxDiam() const;

    std::string GetPrintRemark() const;
    // 0: the quoted name, 1: the text after it, 2: the raw double-quoted name.
    std::string GetByIndex(int Index) const;
    std::string ExtractRemarkCode() const { return GetByIndex(0); }
    std::string ExtractRemarkText() const { return GetByIndex(1); }
    std::string ExtractRemarkPortText() const { return GetByIndex(2); }

    template <class F> void Fields(F&& f) const { f("FData", FData); }
};

class TStepList : public TOwnedList<TStep> {
public:
    TStep* GetSteps(int AIndex) const { return Items(AIndex); }
    TStep* GetFirst() const { return First(); }
    TStep* GetLast() const { return Last(); }
    using TOwnedList<TStep>::IndexOf;
    int IndexOf(int AStepNumber) const;
    void Clone(const TStepList& Source) { Assign(Source); }
    bool Renumber();

    double GetMaxDepth() const;
    double GetMaxDiameter() const;
    double GetMaxDrillDiameter() const;
    int GetHasThread() const;
    int GetThreadCount() const;
    std::string GetThreadName() const;
    int GetLocatingShoulder() const;
    void SetLocatingShoulder(int i);
    double LocatingShoulderDepth() const;
    int GetStepIndex() const;
    void SetStepIndex(int v);
    bool GetGroupsAreUsed() const { return GroupsUsed(); }
    bool GroupsUsed() const;
    void ClearGroups();
    bool GetHasUnderCut() const;
    bool GetHasORGroove() const { return ORingFound(); }
    bool ORingFound() const;
    bool GetHasHiddenDiameters() const;

    double GetCylinderStartDepth(int AIndex) const;
    double GetCylinderTipHeight(int AIndex) const;
    double GetCylinderTipStartDepth(int AIndex) const;
    double GetCylinderTipEndDiameter(int AIndex) const;
    double GetCylinderHeight(int AIndex) const;
    double ThreadStartDepth(int AIndex) const;
    double ThreadFromTop(int AIndex, bool FromTop, double& ReelLength) const;
    double LengthFromShoulder(int AIndex, bool FromTop) const;

    bool GetThreaded(int AIndex) const { return Items(AIndex)->GetIsThreaded(); }
    bool GetSpotfaced(int AIndex) const { return Items(AIndex)->GetIsSpotfaced(); }
    bool GetHidden(int AIndex) const { return Items(AIndex)->GetIsHidden(); }

    bool GetIsPort(int AIndex) const;
    std::string GetPortName(int StepNo) const;
    int GetPortCount() const;
    bool PortExists(const std::string& PortName) const;
    bool ComparePorts(const TStepList& Second) const;
    double GetPortDiameter(int AIndex) const;
    double GetPortCenter(int AIndex) const;
};

} // namespace qv
