#include "model/ExtraDiameterLists.h"

#include "core/Tolerance.h"
#include "stream/ReadKeep.h"

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
        case 28010: KeepRead(HF, d.Diameter, HF.ReadDouble()); break;
        case 28020: KeepRead(HF, d.LSValue, HF.ReadDouble()); break;
        case 28030: KeepRead(HF, d.TopAngle, HF.ReadInteger()); break;
        case 28040: KeepRead(HF, d.Remark, HF.ReadString(v.VarLength)); break;
        case 28050: KeepRead(HF, d.Hidden, HF.ReadBoolean()); break;
        case 28060: KeepRead(HF, d.CounterBore, HF.ReadBoolean()); break;
        case 28062: KeepRead(HF, d.Locked, HF.ReadBoolean()); break;
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
