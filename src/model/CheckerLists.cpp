#include "model/CheckerLists.h"

#include "stream/ReadKeep.h"

namespace qv {

bool TChecker::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 9599) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 9510: KeepRead(HF, fData.Name, HF.ReadString(v.VarLength)); break;
        case 9520: KeepRead(HF, fData.Initials, HF.ReadString(v.VarLength)); break;
        case 9530: {
            std::string line = HF.ReadString(v.VarLength);
            if (!HF.HitEnd()) fIsCheckedList.push_back(std::move(line));
            break;
        }
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

bool TCheckerList::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 9699) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 9500: Add()->Load(HF); break;
        case 9610: KeepRead(HF, fAllSelected, HF.ReadBoolean()); break;
        case 9620: KeepRead(HF, fItemIndex, HF.ReadInteger()); break;
        case 9630: KeepRead(HF, fSelectedInPrint, HF.ReadString(v.VarLength)); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
