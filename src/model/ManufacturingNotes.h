#pragma once
// The manufacturing note of a hole: free note lines for the production
// drawing (deburr, hone, pressure test ...), kept with the design and shown
// by the drawing programs, not by the 3D view.
#include <string>
#include <vector>

namespace qv {

class TQuorvaneFile;

struct TManufacturingNoteData {
    bool DisableStandardNote = false;
    bool HideInProductionDrawing = false;
    bool HideInAssemblyDrawing = false;
    bool HideLSInDrawing = false;

    template <class F> void Fields(F&& f) const
    {
        f("DisableStandardNote", DisableStandardNote); f("HideInProductionDrawing", HideInProductionDrawing);
        f("HideInAssemblyDrawing", HideInAssemblyDrawing); f("HideLSInDrawing", HideLSInDrawing);
    }
};

class TManufacturingNote {
public:
    std::vector<std::string> fNotes;
    std::vector<std::string> fAlternativeNotes;
    TManufacturingNoteData fData;

    void Clear();
    void Assign(const TManufacturingNote& Source);
    // Reads one note record after its start tag, up to its end tag. Its lines
    // are added to those already held: a hole has one note, however many
    // records carry it.
    bool Load(TQuorvaneFile& HF);

    void AddNotes(std::string ALine) { fNotes.push_back(std::move(ALine)); }
    bool GetHasAlternativeNote() const { return !fAlternativeNotes.empty(); }

    template <class F> void Fields(F&& f) const
    {
        f("fNotes", fNotes); f("fAlternativeNotes", fAlternativeNotes); f("fData", fData);
    }
};

} // namespace qv
