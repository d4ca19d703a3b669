#include "model/StepLists.h"

#include "core/Text.h"
#include "core/Tolerance.h"
#include "stream/QuorvaneFiles.h"

#include <cmath>
#include <set>

namespace qv {

double PointFactor(double a) { return std::tan((90.0 - 0.5 * a) * DegToRad); }

// ------------------------------------------------------------------ TStep

bool TStep::Load(TQuorvaneFile& File)
{
    TFieldCursor cursor(File);
    return Load(cursor);
}

bool TStep::Load(TFieldCursor& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 29999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 20010: HF.GetInteger(FData.StepNumber); break;
        case 20100: HF.GetDouble(FData.Diameter); break;
        case 20110: HF.GetDouble(FData.Depth); break;
        case 20200: HF.GetString(FData.Thread, v.VarLength); break;
        case 20210: HF.GetDouble(FData.Length); break;
        case 20220: HF.GetDouble(FData.OutsideDiameter); break;
        case 20300: HF.GetString(FData.Remark, v.VarLength); break;
        case 20310: HF.GetInteger(FData.TopAngle); break;
        case 20320: HF.GetString(FData.MachineCode, v.VarLength); break;
        case 20330: HF.GetString(FData.GroupCode, v.VarLength); break;
        case 20340: HF.GetDouble(FData.PortMin); break;
        case 20350: HF.GetDouble(FData.PortMax); break;
        case 20360: HF.GetString(FData.ToleranceDiameter, v.VarLength); break;
        case 20370: HF.GetString(FData.ToleranceDepth, v.VarLength); break;
        case 20380: HF.GetBoolean(FData.Selected); break;
        case 20382: HF.GetString(FData.PortName, v.VarLength); break;
        case 26000: case 26010: case 26020: case 26030:
        case 26040: case 26050: case 26060: case 26070:
            if (HF.ReadBoolean()) FData.Attribute.Include(static_cast<TStepAttribute>((v.VarName - 26000) / 10));
            break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

double TStep::GetTipHeight() const { return PointFactor(FData.TopAngle) * 0.5 * FData.Diameter; }

double TStep::GetConeDepth() const
{
    if (CompareValue(FData.Depth, 0.0) <= 0) return 0.0;
    return FData.Depth - GetTipHeight();
}

void TStep::SetConeDepth(double x)
{
    if (CompareValue(x, 0.0) < 0) return;
    FData.Depth = x + GetTipHeight();
}

double TStep::GetMaxDiam() const
{
    if (GetIsThreaded() && FData.OutsideDiameter > FData.Diameter) return FData.OutsideDiameter;
    return FData.Diameter;
}

namespace {

void ReplaceAll(std::string& s, const std::string& from, const std::string& to)
{
    if (from.empty()) return;
    for (size_t p = s.find(from); p != std::string::npos; p = s.find(from, p + to.size())) s.replace(p, from.size(), to);
}

} // namespace

std::string TStep::GetPrintRemark() const
{
    std::string r = FData.Remark;
    if (!FData.GroupCode.empty()) ReplaceAll(r, "<>", FData.GroupCode);
    return r;
}

std::string TStep::GetByIndex(int Index) const
{
    const std::string& r = FData.Remark;
    if (r.empty()) return {};
    auto withGroup = [&](std::string s) {
        if (!FData.GroupCode.empty()) ReplaceAll(s, "<>", FData.GroupCode);
        return s;
    };
    // The name in double quotes keeps its quotes.
    auto doubleQuoted = [&]() {
        const size_t close = r.find('"', 1);
        return close == std::string::npos ? r : r.substr(0, close + 1);
    };
    switch (Index) {
    case 0:
        if (r[0] == '"') return withGroup(doubleQuoted());
        if (r[0] == '\'') {
            const size_t close = r.find('\'', 1);
            return withGroup(close == std::string::npos ? r.substr(1) : r.substr(1, close - 1));
        }
        return {};
    case 1: {
        // The text is what follows the name. A name whose closing quote is
        // missing runs to the end of the remark (see index 0), so it leaves
        // no text. Elsewhere a quote counts only as one of a pair: a lone
        // inch mark as in 1/2" is part of the text.
        std::string rest = r;
        if ((r[0] == '"' || r[0] == '\'') && r.find(r[0], 1) == std::string::npos) {
            rest.clear();
        } else {
            for (char q : {'"', '\''}) {
                const size_t first = r.find(q);
                const size_t second = first == std::string::npos ? first : r.find(q, first + 1);
                if (second == std::string::npos) continue;
                rest = r.substr(second + 1);
                break;
            }
        }
        const size_t start = rest.find_first_not_of(' ');
        rest = start == std::string::npos ? std::string() : rest.substr(start);
        return withGroup(rest);
    }
    case 2:
        return r[0] == '"' ? doubleQuoted() : std::string();
    default:
        return {};
    }
}

// -------------------------------------------------------------- TStepList

int TStepList::IndexOf(int AStepNumber) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->FData.StepNumber == AStepNumber) return i;
    return -1;
}

bool TStepList::Renumber()
{
    bool changed = false;
    for (int i = 0; i < Count(); ++i) {
        auto& d = Items(i)->FData;
        if (d.StepNumber != i + 1) changed = true;
        d.StepNumber = i + 1;
    }
    return changed;
}

double TStepList::GetMaxDepth() const
{
    double m = 0.0;
    for (const auto& s : *this) m = std::max(m, s->FData.Depth);
    return m;
}

double TStepList::GetMaxDiameter() const
{
    double m = 0.0;
    for (const auto& s : *this) m = std::max(m, s->GetMaxDiam());
    return m;
}

double TStepList::GetMaxDrillDiameter() const
{
    double m = 0.0;
    for (const auto& s : *this) m = std::max(m, s->FData.Diameter);
    return m;
}

int TStepList::GetHasThread() const
{
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i)->GetIsThreaded()) return i;
    return -1;
}

int TStepList::GetThreadCount() const
{
    int n = 0;
    for (const auto& s : *this) n += s->GetIsThreaded() ? 1 : 0;
    return n;
}

std::string TStepList::GetThreadName() const
{
    const int i = GetHasThread();
    return i < 0 ? std::string() : Items(i)->FData.Thread.str();
}

int TStepList::GetLocatingShoulder() const
{
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i)->GetIsLS()) return i;
    return -1;
}

void TStepList::SetLocatingShoulder(int i)
{
    for (const auto& s : *this) s->FData.Attribute.Exclude(saLocatingShoulder);
    if (i >= 0 && i < Count()) Items(i)->FData.Attribute.Include(saLocatingShoulder);
}

double TStepList::LocatingShoulderDepth() const
{
    const int i = GetLocatingShoulder();
    return i < 0 ? 0.0 : Items(i)->GetConeDepth();
}

int TStepList::GetStepIndex() const
{
    for (int i = Count() - 1; i >= 0; --i)
        if (Items(i)->FData.Selected) return i;
    return -1;
}

void TStepList::SetStepIndex(int v)
{
    for (const auto& s : *this) s->FData.Selected = false;
    if (v >= 0 && v < Count()) Items(v)->FData.Selected = true;
}

bool TStepList::GroupsUsed() const
{
    for (const auto& s : *this)
        if (!s->FData.GroupCode.empty()) return true;
    return false;
}

void TStepList::ClearGroups()
{
    for (const auto& s : *this) s->FData.GroupCode.clear();
}

bool TStepList::GetHasUnderCut() const
{
    for (int i = Count() - 2; i >= 0; --i) {
        const auto& upper = Items(i + 1)->FData;
        const auto& lower = Items(i)->FData;
        // Top angles are compared as single-precision values.
        const bool flat = std::fabs(static_cast<float>(upper.TopAngle) - 180.0f) <= 1e-4f;
        if (CompareValue(upper.Diameter, lower.Diameter) <= 0 && flat) return true;
    }
    return false;
}

bool TStepList::ORingFound() const
{
    const int n = Count();
    if (n < 2) return false;
    const TStep& last = *Items(n - 1);
    const TStep& inner = *Items(n - 2);
    return CompareValue(last.FData.Depth, 0.0) > 0 && last.GetIsSpotfaced() && IsZero(inner.FData.Depth) &&
           !IsZero(inner.FData.Diameter) && inner.GetIsSpotfaced();
}

bool TStepList::GetHasHiddenDiameters() const
{
    for (const auto& s : *this)
        if (s->GetIsHidden()) return true;
    return false;
}

double TStepList::GetCylinderStartDepth(int i) const
{
    if (i >= Count() - 1) return 0.0;
    const auto& above = Items(i + 1)->FData;
    return above.Depth - PointFactor(above.TopAngle) * 0.5 * Items(i)->FData.Diameter;
}

double TStepList::GetCylinderTipHeight(int i) const
{
    const TStep& s = *Items(i);
    if (i <= 0) return s.GetTipHeight();
    return s.GetTipHeight() - PointFactor(s.FData.TopAngle) * 0.5 * Items(i - 1)->FData.Diameter;
}

double TStepList::GetCylinderTipStartDepth(int i) const
{
    const TStep& s = *Items(i);
    return s.FData.Depth - s.GetTipHeight();
}

double TStepList::GetCylinderTipEndDiameter(int i) const
{
    return i >= 1 ? Items(i - 1)->FData.Diameter : 0.0;
}

double TStepList::GetCylinderHeight(int i) const
{
    return GetCylinderTipStartDepth(i) - GetCylinderStartDepth(i);
}

double TStepList::ThreadStartDepth(int i) const
{
    if (i >= Count() - 1) return 0.0;
    const auto& above = Items(i + 1)->FData;
    return above.Depth - PointFactor(above.TopAngle) * 0.5 * Items(i)->FData.OutsideDiameter;
}

double TStepList::ThreadFromTop(int i, bool FromTop, double& ReelLength) const
{
    ReelLength = 0.0;
    const TStep& s = *Items(i);
    if (!s.GetIsThreaded()) return 0.0;
    const double L = s.FData.Length;
    if (i == Count() - 1) {
        ReelLength = L;
        return L;
    }
    const double start = ThreadStartDepth(i);
    if (FromTop) {
        ReelLength = L - start;
        return L;
    }
    ReelLength = L;
    return start + L;
}

double TStepList::LengthFromShoulder(int i, bool FromTop) const
{
    if (!Items(i)->GetIsThreaded()) return 0.0;
    double reel;
    return ThreadFromTop(i, FromTop, reel) - LocatingShoulderDepth();
}

bool TStepList::GetIsPort(int i) const
{
    const auto& d = Items(i)->FData;
    return i == 0 || d.PortMin != 0.0 || d.PortMax != 0.0;
}

std::string TStepList::GetPortName(int i) const
{
    const auto& d = Items(i)->FData;
    if (d.PortName != "<>") return d.PortName;
    if (i == 0) return "1";
    if (d.PortMin == 0.0 || d.PortMax == 0.0) return "<>";
    int n = 0;
    for (int j = 1; j <= i; ++j) {
        const auto& dj = Items(j)->FData;
        if (dj.PortMin != 0.0 && dj.PortMax != 0.0) ++n;
    }
    return std::to_string(1 + n);
}

int TStepList::GetPortCount() const
{
    std::set<std::string> names;
    for (int i = 0; i < Count(); ++i) {
        const std::string name = GetPortName(i);
        if (name != "<>") names.insert(AsciiUpper(name));
    }
    return static_cast<int>(names.size());
}

bool TStepList::PortExists(const std::string& PortName) const
{
    for (int i = 0; i < Count(); ++i)
        if (AsciiSameText(GetPortName(i), PortName)) return true;
    return false;
}

bool TStepList::ComparePorts(const TStepList& Second) const
{
    for (int i = 0; i < Count(); ++i) {
        const std::string name = GetPortName(i);
        if (name != "<>" && !Second.PortExists(name)) return false;
    }
    return true;
}

double TStepList::GetPortDiameter(int i) const
{
    if (!GetIsPort(i)) return 0.0;
    const auto& d = Items(i)->FData;
    if (IsZero(d.PortMin) && IsZero(d.PortMax)) return 0.0;
    return d.PortMax - d.PortMin;
}

double TStepList::GetPortCenter(int i) const
{
    if (!GetIsPort(i)) return 0.0;
    const auto& d = Items(i)->FData;
    if (IsZero(d.PortMin) && IsZero(d.PortMax)) return 0.0;
    return 0.5 * (d.PortMin + d.PortMax);
}

} // namespace qv
