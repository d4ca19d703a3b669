#include "model/AssemblyLists.h"

#include "stream/ReadKeep.h"

namespace qv {

bool TAlternateValve::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 9399) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 9320: KeepRead(HF, FData.HoleNumber, HF.ReadInteger()); break;
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
        case 9002: KeepRead(HF, d.Active, HF.ReadBoolean()); break;
        case 9010: KeepRead(HF, d.Name, HF.ReadString(v.VarLength)); break;
        case 9020: KeepRead(HF, d.Description, HF.ReadString(v.VarLength)); break;
        case 9300: fAlternateValveList.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
