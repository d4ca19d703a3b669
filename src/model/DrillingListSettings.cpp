#include "model/DrillingListSettings.h"

#include "model/ColumnRecords.h"
#include "stream/QuorvaneFiles.h"
#include "stream/ReadKeep.h"

namespace qv {

using kept::Get;

bool TDrillingListDrawingColumn::Load(TQuorvaneFile& HF) { return ReadColumnRecord<61300>(HF, fData); }

bool TDrillingListDrawingSettings::Load(TQuorvaneFile& HF)
{
    auto& d = fData;
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 61299 || HF.HitEnd()) break;
        switch (v.VarName) {
        case 61110: Get(HF, d.InsertionPoint.X); break;
        case 61120: Get(HF, d.InsertionPoint.Y); break;
        case 61130: Get(HF, d.TextHeight); break;
        case 61140: Get(HF, d.RowHeight); break;
        case 61150: Get(HF, d.HoleNumberSeperator, v.VarLength); break;
        case 61160: Get(HF, d.TextSeperator, v.VarLength); break;
        case 61170: Get(HF, d.ShowTitles); break;
        case 61190: Get(HF, d.SplitFaces); break;
        case 61192: Get(HF, d.UseManufacuringNotes); break;
        case 61194: Get(HF, d.EmptyLineBetweenFaces); break;
        case 61196: Get(HF, d.EmptyLineBetweenHoles); break;
        case 61198: Get(HF, d.EmptyLineBetweenSteps); break;
        case 61200: Get(HF, d.StartOfPatternOnNewLine); break;
        case 61202: Get(HF, d.HideCoordinatesOfPatternHoles); break;
        case 61204: Get(HF, d.IncludeHoleComments); break;
        case 61206: Get(HF, d.IncludeSpecialMenufacturingNotes); break;
        case 61300: fColumnList.Add()->Load(HF); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
