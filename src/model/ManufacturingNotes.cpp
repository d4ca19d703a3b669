#include "model/ManufacturingNotes.h"

#include "stream/QuorvaneFiles.h"

namespace qv {

void TManufacturingNote::Clear()
{
    fNotes.clear();
    fAlternativeNotes.clear();
    fData = TManufacturingNoteData{};
}

void TManufacturingNote::Assign(const TManufacturingNote& Source)
{
    if (&Source == this) return;
    fNotes = Source.fNotes;
    fAlternativeNotes = Source.fAlternativeNotes;
    fData = Source.fData;
}

bool TManufacturingNote::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 32399) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 32310: HF.GetBoolean(fData.DisableStandardNote); break;
        case 32312: HF.GetBoolean(fData.HideInProductionDrawing); break;
        case 32314: HF.GetBoolean(fData.HideInAssemblyDrawing); break;
        case 32320: AddNotes(HF.ReadString(v.VarLength)); break;
        case 32330: fAlternativeNotes.push_back(HF.ReadString(v.VarLength)); break;
        case 32334: HF.GetBoolean(fData.HideLSInDrawing); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
