#include "model/GroupLists.h"

#include "core/TextCompare.h"
#include "stream/QuorvaneFiles.h"

namespace qv {

bool TGroup::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = FData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 5999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 5100: HF.GetString(d.Code, v.VarLength); break;
        case 5200: HF.GetInteger(d.Color); break;
        case 5210: HF.GetDouble(d.Flow); break;
        case 5220: HF.GetDouble(d.MaxSpeed); break;
        case 5300:
            if (int32_t fill; HF.GetInteger(fill)) d.Fill = static_cast<uint8_t>(fill & 0xFF);
            break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

int TGroupList::IndexOf(std::string_view ACode) const
{
    for (int i = 0; i < Count(); ++i)
        if (SameTextNoCase(Items(i)->FData.Code, ACode)) return i;
    return -1;
}

TColor TGroupList::ColorOf(std::string_view ACode, TColor ADefault) const
{
    const int i = IndexOf(ACode);
    return i >= 0 ? Items(i)->FData.Color : ADefault;
}

void TGroupList::Append(const TGroupList& Source)
{
    if (&Source == this) return; // every code is already here
    for (const auto& g : Source)
        if (IndexOf(g->FData.Code) < 0) Add()->Assign(*g);
}

void TGroupList::Sort()
{
    // Each position in turn takes the smallest code of the rest by exchanges.
    const int n = Count();
    for (int p = 0; p < n - 1; ++p)
        for (int q = p + 1; q < n; ++q)
            if (CompareTextNoCase(Items(p)->FData.Code, Items(q)->FData.Code) > 0) Exchange(p, q);
}

} // namespace qv
