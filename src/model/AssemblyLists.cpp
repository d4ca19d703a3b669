#include "model/AssemblyLists.h"

#include "stream/QuorvaneFiles.h"

namespace qv {

bool TAlternateValve::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 9399) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 9320: HF.GetInteger(FData.HoleNumber); break;
        case 30000: fValveList.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

bool TAssembly::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = FData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 9199) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 9002: HF.GetBoolean(d.Active); break;
        case 9010: HF.GetString(d.Name, v.VarLength); break;
        case 9020: HF.GetString(d.Description, v.VarLength); break;
        case 9300: fAlternateValveList.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
