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
        case 32310: fData.DisableStandardNote = HF.ReadBoolean(); break;
        case 32312: fData.HideInProductionDrawing = HF.ReadBoolean(); break;
        case 32314: fData.HideInAssemblyDrawing = HF.ReadBoolean(); break;
        case 32320: AddNotes(HF.ReadString(v.VarLength)); break;
        case 32330: fAlternativeNotes.push_back(HF.ReadString(v.VarLength)); break;
        case 32334: fData.HideLSInDrawing = HF.ReadBoolean(); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
