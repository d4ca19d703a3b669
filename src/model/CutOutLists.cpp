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
    // A value whose bytes were cut off by the end of the file is no value:
    // the field keeps what it had rather than taking a zero.
    auto keep = [&HF](auto& field, auto value) {
        if (!HF.HitEnd()) field = value;
    };
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 32999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 32010: keep(d.FaceNumber, HF.ReadInteger()); break;
        case 32020: keep(d.Corner, HF.ReadInteger()); break;
        case 32030: keep(d.X, HF.ReadDouble()); break;
        case 32040: keep(d.Y, HF.ReadDouble()); break;
        case 32050: keep(d.Width, HF.ReadDouble()); break;
        case 32060: keep(d.Height, HF.ReadDouble()); break;
        case 32070: keep(d.Through, HF.ReadBoolean()); break;
        case 32080: keep(d.Depth, HF.ReadDouble()); break;
        case 32082: keep(d.SimpleChamfer, HF.ReadBoolean()); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
}

} // namespace qv
