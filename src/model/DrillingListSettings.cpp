#include "model/DrillingListSettings.h"

#include "model/ColumnRecords.h"
#include "stream/QuorvaneFiles.h"

namespace qv {

bool TDrillingListDrawingColumn::Load(TQuorvaneFile& HF) { return ReadColumnRecord<61300>(HF, fData); }

bool TDrillingListDrawingSettings::Load(TQuorvaneFile& HF)
{
    auto& d = fData;
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 61299 || HF.HitEnd()) break;
        switch (v.VarName) {
        case 61110: HF.Get(d.InsertionPoint.X); break;
        case 61120: HF.Get(d.InsertionPoint.Y); break;
        case 61130: HF.Get(d.TextHeight); break;
        case 61140: HF.Get(d.RowHeight); break;
        case 61150: HF.GetString(d.HoleNumberSeperator, v.VarLength); break;
        case 61160: HF.GetString(d.TextSeperator, v.VarLength); break;
        case 61170: HF.Get(d.ShowTitles); break;
        case 61190: HF.Get(d.SplitFaces); break;
        case 61192: HF.Get(d.UseManufacuringNotes); break;
        case 61194: HF.Get(d.EmptyLineBetweenFaces); break;
        case 61196: HF.Get(d.EmptyLineBetweenHoles); break;
        case 61198: HF.Get(d.EmptyLineBetweenSteps); break;
        case 61200: HF.Get(d.StartOfPatternOnNewLine); break;
        case 61202: HF.Get(d.HideCoordinatesOfPatternHoles); break;
        case 61204: HF.Get(d.IncludeHoleComments); break;
        case 61206: HF.Get(d.IncludeSpecialMenufacturingNotes); break;
        case 61300: fColumnList.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
