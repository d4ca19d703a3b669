#include "model/ExtraDiameterLists.h"

#include "stream/QuorvaneFiles.h"
#include "core/Tolerance.h"

namespace qv {

bool TExtraDiameter::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = fData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 28999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 28010: HF.GetDouble(d.Diameter); break;
        case 28020: HF.GetDouble(d.LSValue); break;
        case 28030: HF.GetInteger(d.TopAngle); break;
        case 28040: HF.GetString(d.Remark, v.VarLength); break;
        case 28050: HF.GetBoolean(d.Hidden); break;
        case 28060: HF.GetBoolean(d.CounterBore); break;
        case 28062: HF.GetBoolean(d.Locked); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

void TExtraDiameterList::Sort()
{
    for (int p = 0; p + 1 < Count(); ++p)
        for (int q = p + 1; q < Count(); ++q)
            if (CompareValue(Items(p)->fData.LSValue, Items(q)->fData.LSValue) > 0) Exchange(p, q);
}

} // namespace qv
