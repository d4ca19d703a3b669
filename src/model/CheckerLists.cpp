#include "model/CheckerLists.h"

#include "stream/QuorvaneFiles.h"

namespace qv {

bool TChecker::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 9599) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 9510: HF.GetString(fData.Name, v.VarLength); break;
        case 9520: HF.GetString(fData.Initials, v.VarLength); break;
        case 9530: {
            if (std::string line; HF.GetString(line, v.VarLength)) fIsCheckedList.push_back(std::move(line));
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
        case 9610: HF.GetBoolean(fAllSelected); break;
        case 9620: HF.GetInteger(fItemIndex); break;
        case 9630: HF.GetString(fSelectedInPrint, v.VarLength); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
