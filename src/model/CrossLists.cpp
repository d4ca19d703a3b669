#include "model/CrossLists.h"

#include "stream/QuorvaneFiles.h"

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
        case 9410: HF.GetInteger(d.CrossDirection); break;
        case 9420: HF.GetDouble(d.CrossCoordinate); break;
        case 9430: HF.GetDouble(d.CrossPosition.X); break;
        case 9440: HF.GetDouble(d.CrossPosition.Y); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
