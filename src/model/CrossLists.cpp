#include "model/CrossLists.h"

#include "stream/ReadKeep.h"

namespace qv {

bool TCross::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = fData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 9499) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 9410: KeepRead(HF, d.CrossDirection, HF.ReadInteger()); break;
        case 9420: KeepRead(HF, d.CrossCoordinate, HF.ReadDouble()); break;
        case 9430: KeepRead(HF, d.CrossPosition.X, HF.ReadDouble()); break;
        case 9440: KeepRead(HF, d.CrossPosition.Y, HF.ReadDouble()); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
