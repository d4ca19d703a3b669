#include "model/RevisionLists.h"

#include "model/ColumnRecords.h"
#include "stream/QuorvaneFiles.h"

#include <cmath>

namespace qv {

TDateTime TodayLocal() { return std::floor(NowLocal()); }

// --------------------------------------------------------------- revisions

void TRevision::Clear()
{
    fData = TRevisionData{};
    fData.Date = TodayLocal();
}

bool TRevision::Load(TQuorvaneFile& HF) { return TRevisionReader().Load(HF, *this); }

// The readers fill a copy of the data record and store it when the record
// ends. A record cut off by the end of the file stores what was read too, so
// nothing read is lost.
bool TRevisionReader::Load(TQuorvaneFile& HF, TRevision& ARevision)
{
    TRevisionData d = ARevision.fData;
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 3999) break;
        if (HF.HitEnd()) break;
        switch (v.VarName) {
        case 3010: d.Number = HF.ReadString(v.VarLength); break;
        case 3012: d.Code = HF.ReadString(v.VarLength); break;
        case 3020: d.Date = HF.ReadDouble(); break;
        case 3030: d.Description = HF.ReadString(v.VarLength); break;
        case 3040: d.DrawnBy = HF.ReadString(v.VarLength); break;
        case 3050: d.CheckedBy = HF.ReadString(v.VarLength); break;
        case 3052: d.User1 = HF.ReadString(v.VarLength); break;
        case 3054: d.User2 = HF.ReadString(v.VarLength); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    ARevision.fData = d;
    return true;
}

// -------------------------------------------------- revision-table layouts

bool TRevisionColumn::Load(TQuorvaneFile& HF) { return ReadColumnRecord<3200>(HF, fData); }

bool TRevisionLayout::Load(TQuorvaneFile& HF) { return TRevisionLayoutReader().Load(HF, *this); }

bool TRevisionLayoutReader::Load(TQuorvaneFile& HF, TRevisionLayout& ALayout)
{
    TRevisionLayoutData d = ALayout.fData;
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 3499) break;
        if (HF.HitEnd()) break;
        switch (v.VarName) {
        case 3410: d.RowHeight = HF.ReadDouble(); break;
        case 3420: d.TextHeight = HF.ReadDouble(); break;
        case 3430: d.Scale = HF.ReadDouble(); break;
        case 3432: d.Align = HF.ReadInteger(); break;
        case 3440: d.Offset.X = HF.ReadDouble(); break;
        case 3450: d.Offset.Y = HF.ReadDouble(); break;
        case 3460: d.ShowHeader = HF.ReadBoolean(); break;
        case 3462: d.Reverse = HF.ReadBoolean(); break;
        case 3200: ALayout.fColumnList.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    ALayout.fData = d;
    return true;
}

} // namespace qv
