#include "model/MountingHoleDefinitions.h"

#include "stream/ReadKeep.h"

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
        case 14010: KeepRead(HF, d.MountingHoleTag, HF.ReadInteger()); break;
        case 14020: KeepRead(HF, d.FaceNumber, HF.ReadInteger()); break;
        case 14030: KeepRead(HF, d.MountingHoleFileName, HF.ReadString(v.VarLength)); break;
        case 14040: KeepRead(HF, d.AmountXXY, HF.ReadInteger()); break;
        case 14050: KeepRead(HF, d.AmountYZZ, HF.ReadInteger()); break;
        case 14060: KeepRead(HF, d.OffsetXXY, HF.ReadDouble()); break;
        case 14070: KeepRead(HF, d.OffsetYZZ, HF.ReadDouble()); break;
        case 14080: KeepRead(HF, d.UpdateAutomatically, HF.ReadBoolean()); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
