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
        case 3010: HF.GetString(d.Number, v.VarLength); break;
        case 3012: HF.GetString(d.Code, v.VarLength); break;
        case 3020: HF.GetDouble(d.Date); break;
        case 3030: HF.GetString(d.Description, v.VarLength); break;
        case 3040: HF.GetString(d.DrawnBy, v.VarLength); break;
        case 3050: HF.GetString(d.CheckedBy, v.VarLength); break;
        case 3052: HF.GetString(d.User1, v.VarLength); break;
        case 3054: HF.GetString(d.User2, v.VarLength); break;
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
        case 3410: HF.GetDouble(d.RowHeight); break;
        case 3420: HF.GetDouble(d.TextHeight); break;
        case 3430: HF.GetDouble(d.Scale); break;
        case 3432: HF.GetInteger(d.Align); break;
        case 3440: HF.GetDouble(d.Offset.X); break;
        case 3450: HF.GetDouble(d.Offset.Y); break;
        case 3460: HF.GetBoolean(d.ShowHeader); break;
        case 3462: HF.GetBoolean(d.Reverse); break;
        case 3200: ALayout.fColumnList.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    ALayout.fData = d;
    return true;
}

} // namespace qv
