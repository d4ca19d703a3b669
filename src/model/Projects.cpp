#include "model/Projects.h"

#include "stream/QuorvaneFiles.h"

#include <algorithm>
#include <cstdlib>

namespace qv {

// ---------------------------------------------------------------- TProject

void TProject::Clear()
{
    FComments.clear();
    fUserVarList.Clear();
    FData = TProjectData{};
    const TDateTime now = NowLocal();
    FData.CreatedOn = now;
    FData.ModifiedOn = now;
    FData.ProjectFinishedDate = now;
}

void TProject::Assign(const TProject& Source)
{
    if (&Source == this) return;
    FComments = Source.FComments;
    fUserVarList.Assign(Source.fUserVarList);
    FData = Source.FData;
}

bool TProject::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = FData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 4999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 4010: HF.GetString(d.DrawnBy, v.VarLength); break;
        case 4020: HF.GetString(d.CheckedBy, v.VarLength); break;
        case 4030: HF.GetDouble(d.CreatedOn); break;
        case 4040: HF.GetDouble(d.ModifiedOn); break;
        case 4050: HF.GetString(d.ProjectTitle, v.VarLength); break;
        case 4060: HF.GetString(d.ProjectNumber, v.VarLength); break;
        case 4070: HF.GetString(d.ProjectClient, v.VarLength); break;
        case 4080: HF.GetString(d.ProjectDrawing, v.VarLength); break;
        case 4090: HF.GetBoolean(d.ProjectFinished); break;
        case 4092: HF.GetDouble(d.ProjectFinishedDate); break;
        case 4094: HF.GetString(d.ProjectPressure, v.VarLength); break;
        case 4200: FComments.push_back(HF.ReadString(v.VarLength)); break;
        case 4250: fUserVarList.AddLine(HF.ReadString(v.VarLength)); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

// ------------------------------------------------------------------- TToDo

void TToDo::Clear()
{
    fComments.clear();
    fHoleList.Clear();
    fData = TToDoData{};
}

void TToDo::Assign(const TToDo& Source)
{
    if (&Source == this) return;
    fComments = Source.fComments;
    fHoleList.Assign(Source.fHoleList);
    fData = Source.fData;
}

bool TToDo::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 4799) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 4700: fComments.push_back(HF.ReadString(v.VarLength)); break;
        // A whole hole with its own nested records, read by the hole itself.
        case 10000: fHoleList.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

int TToDo::NextToDoTag() const
{
    long long largest = 0;
    for (const auto& h : fHoleList) largest = std::max(largest, std::llabs(static_cast<long long>(h->FData.ToDoTag)));
    return static_cast<int>(std::max(100LL, std::min(largest + 1, 2147483647LL)));
}

} // namespace qv
