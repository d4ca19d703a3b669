#include "model/CutOutLists.h"

#include "stream/QuorvaneFiles.h"

namespace qv {

// ------------------------------------------------------------------ TCutOut

std::unique_ptr<TCutOut> TCutOut::Clone() const
{
    auto c = std::make_unique<TCutOut>();
    c->Assign(*this);
    return c;
}

bool TCutOut::Load(TQuorvaneFile& HF)
{
    TCutOutReader::LoadInto(HF, *this);
    return true;
}

// -------------------------------------------------------------- TCutOutList

void TCutOutList::Clear()
{
    TOwnedList<TCutOut>::Clear();
    for (auto& lines : fFaceLines) lines.clear();
}

void TCutOutList::Assign(const TCutOutList& Source)
{
    if (&Source == this) return;
    TOwnedList<TCutOut>::Assign(Source);
    fFaceLines = Source.fFaceLines;
}

TSimpleXYZLineList* TCutOutList::GetFaceLines(int Face)
{
    return Face >= 1 && Face <= FaceCount ? &fFaceLines[size_t(Face - 1)] : nullptr;
}

const TSimpleXYZLineList* TCutOutList::GetFaceLines(int Face) const
{
    return Face >= 1 && Face <= FaceCount ? &fFaceLines[size_t(Face - 1)] : nullptr;
}

// ------------------------------------------------------------ TCutOutReader

std::unique_ptr<TCutOut> TCutOutReader::Load(TQuorvaneFile& HF)
{
    auto c = std::make_unique<TCutOut>();
    LoadInto(HF, *c);
    return c;
}

void TCutOutReader::LoadInto(TQuorvaneFile& HF, TCutOut& CutOut)
{
    CutOut.Clear();
    auto& d = CutOut.fData;
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 32999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 32010: HF.GetInteger(d.FaceNumber); break;
        case 32020: HF.GetInteger(d.Corner); break;
        case 32030: HF.GetDouble(d.X); break;
        case 32040: HF.GetDouble(d.Y); break;
        case 32050: HF.GetDouble(d.Width); break;
        case 32060: HF.GetDouble(d.Height); break;
        case 32070: HF.GetBoolean(d.Through); break;
        case 32080: HF.GetDouble(d.Depth); break;
        case 32082: HF.GetBoolean(d.SimpleChamfer); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
}

} // namespace qv
