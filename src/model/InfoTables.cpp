#include "model/InfoTables.h"

#include "model/ColumnRecords.h"
#include "stream/QuorvaneFiles.h"

namespace qv {

bool TInfoTableColumn::Load(TQuorvaneFile& HF) { return ReadColumnRecord<61500>(HF, fData); }

bool TInfoTableSection::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 61699 || HF.HitEnd()) break;
        switch (v.VarName) {
        case 61610: HF.Get(fData.SectionType); break;
        case 61630: HF.GetString(fData.SectionTitle, v.VarLength); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

bool TInfoTable::Load(TQuorvaneFile& HF)
{
    auto& d = fData;
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 61499 || HF.HitEnd()) break;
        switch (v.VarName) {
        case 61410: HF.Get(d.TextHeight); break;
        case 61420: HF.Get(d.RowHeight); break;
        case 61430: HF.Get(d.ShowLines); break;
        case 61440: HF.GetString(d.ThruLabel, v.VarLength); break;
        case 61450: HF.Get(d.ShowThreadOfCartridges); break;
        case 61500: fColumnList.Add()->Load(HF); break;
        case 61600: fSectionList.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
