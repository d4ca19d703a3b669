#include "model/ContourLists.h"

#include "stream/QuorvaneFiles.h"

namespace qv {

bool TContour::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 6999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 6011: HF.GetDouble(FData.X); break;
        case 6012: HF.GetDouble(FData.Y); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
