#include "model/InfoTables.h"

#include "model/ColumnRecords.h"
#include "stream/QuorvaneFiles.h"
#include "stream/ReadKeep.h"

namespace qv {

using kept::Get;

bool TInfoTableColumn::Load(TQuorvaneFile& HF) { return ReadColumnRecord<61500>(HF, fData); }

bool TInfoTableSection::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 61699 || HF.HitEnd()) break;
        switch (v.VarName) {
        case 61610: Get(HF, fData.SectionType); break;
        case 61630: Get(HF, fData.SectionTitle, v.VarLength); break;
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
        case 61410: Get(HF, d.TextHeight); break;
        case 61420: Get(HF, d.RowHeight); break;
        case 61430: Get(HF, d.ShowLines); break;
        case 61440: Get(HF, d.ThruLabel, v.VarLength); break;
        case 61450: Get(HF, d.ShowThreadOfCartridges); break;
        case 61500: fColumnList.Add()->Load(HF); break;
        case 61600: fSectionList.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
