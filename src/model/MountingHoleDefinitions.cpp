#include "model/MountingHoleDefinitions.h"

#include "stream/QuorvaneFiles.h"

namespace qv {

bool TMountingHoleDefinition::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = fData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 14299) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 14010: HF.GetInteger(d.MountingHoleTag); break;
        case 14020: HF.GetInteger(d.FaceNumber); break;
        case 14030: HF.GetString(d.MountingHoleFileName, v.VarLength); break;
        case 14040: HF.GetInteger(d.AmountXXY); break;
        case 14050: HF.GetInteger(d.AmountYZZ); break;
        case 14060: HF.GetDouble(d.OffsetXXY); break;
        case 14070: HF.GetDouble(d.OffsetYZZ); break;
        case 14080: HF.GetBoolean(d.UpdateAutomatically); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
