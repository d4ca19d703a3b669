#include "model/ValveLists.h"

#include "stream/QuorvaneFiles.h"

namespace qv {

bool TValve::Load(TQuorvaneFile& File)
{
    TFieldCursor cursor(File);
    return Load(cursor);
}

bool TValve::Load(TFieldCursor& HF)
{
    TVarInfo v;
    auto& d = fData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 39999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        const int n = v.VarLength;
        switch (v.VarName) {
        case 30010: HF.GetInteger(d.ValveNumber); break;
        case 30020: HF.GetString(d.ItemNumber, n); break;
        case 30031: HF.GetDouble(d.Offset.X); break;
        case 30032: HF.GetDouble(d.Offset.Y); break;
        // A word on the label: only the low 16 bits of the integer count.
        case 30050:
            if (int32_t r; HF.GetInteger(r)) d.Rotation = static_cast<uint32_t>(r) & 0xFFFFu;
            break;
        case 30060: HF.GetString(d.DetailDrawing, n); break;
        case 30070: HF.GetString(d.AssemblyFile, n); break;
        case 30081: HF.GetDouble(d.InsertionPoint.X); break;
        case 30082: HF.GetDouble(d.InsertionPoint.Y); break;
        case 30091: HF.GetDouble(d.NextInsertionPoint.X); break;
        case 30092: HF.GetDouble(d.NextInsertionPoint.Y); break;
        case 30200: HF.GetDouble(d.RotationAngle); break;
        case 30210: HF.GetBoolean(d.ContourInAssembly); break;
        case 30220: HF.GetString(d.Manufacturer, n); break;
        case 30230: HF.GetString(d.ComponentType, n); break;
        case 30240: HF.GetString(d.Description, n); break;
        case 30250: HF.GetDouble(d.Height); break;
        case 30260: HF.GetDouble(d.Weight); break;
        case 30270: HF.GetString(d.ArticleCode, n); break;
        case 30280: HF.GetString(d.ComponentFile, n); break;
        case 30290: HF.GetString(d.SymbolFile, n); break;
        case 30300: HF.GetString(d.DataSheet, n); break;
        case 30302: HF.GetString(d.DataSheetInterface, n); break;
        case 30320: HF.GetString(d.QuorvaneFile, n); break;
        case 30340: HF.GetString(d.Size, n); break;
        case 30342: HF.GetInteger(d.PelomyraHandle); break;
        case 30344: HF.GetBoolean(d.IsOrifice); break;
        case 30346: HF.GetString(d.OrificePort, n); break;
        case 30348: HF.GetBoolean(d.Engraved); break;
        default: HF.ReadUnknown(n); break;
        }
    }
    return true;
}

bool TValveList::GetIsEngraved() const
{
    for (const auto& v : *this)
        if (v->fData.Engraved) return true;
    return false;
}

bool TValveList::GetHasItemNumbers() const
{
    for (const auto& v : *this)
        if (!v->fData.ItemNumber.empty()) return true;
    return false;
}

bool TValveList::GetContourInAssembly() const
{
    return Count() == 0 || First()->fData.ContourInAssembly;
}

std::vector<std::string> TValveList::CreateListEngravedNumbers() const
{
    std::vector<std::string> list;
    PopulateListEngravedNumbers(list);
    return list;
}

void TValveList::PopulateListEngravedNumbers(std::vector<std::string>& List) const
{
    List.clear();
    for (const auto& v : *this)
        if (!v->fData.ItemNumber.empty() && v->fData.Engraved) List.push_back(v->fData.ItemNumber);
}

std::vector<std::string> TValveList::CreateListItemNumbers() const
{
    std::vector<std::string> list;
    PopulateListItemNumbers(list);
    return list;
}

void TValveList::PopulateListItemNumbers(std::vector<std::string>& List) const
{
    List.clear();
    for (const auto& v : *this)
        if (!v->fData.ItemNumber.empty()) List.push_back(v->fData.ItemNumber);
}

} // namespace qv
