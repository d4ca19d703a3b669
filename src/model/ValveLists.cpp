#include "model/ValveLists.h"

#include "stream/ReadKeep.h"

namespace qv {

bool TValve::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = fData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 39999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        const int n = v.VarLength;
        switch (v.VarName) {
        case 30010: KeepRead(HF, d.ValveNumber, HF.ReadInteger()); break;
        case 30020: KeepRead(HF, d.ItemNumber, HF.ReadString(n)); break;
        case 30031: KeepRead(HF, d.Offset.X, HF.ReadDouble()); break;
        case 30032: KeepRead(HF, d.Offset.Y, HF.ReadDouble()); break;
        // A word on the label: only the low 16 bits of the integer count.
        case 30050: KeepRead(HF, d.Rotation, static_cast<uint32_t>(HF.ReadInteger()) & 0xFFFFu); break;
        case 30060: KeepRead(HF, d.DetailDrawing, HF.ReadString(n)); break;
        case 30070: KeepRead(HF, d.AssemblyFile, HF.ReadString(n)); break;
        case 30081: KeepRead(HF, d.InsertionPoint.X, HF.ReadDouble()); break;
        case 30082: KeepRead(HF, d.InsertionPoint.Y, HF.ReadDouble()); break;
        case 30091: KeepRead(HF, d.NextInsertionPoint.X, HF.ReadDouble()); break;
        case 30092: KeepRead(HF, d.NextInsertionPoint.Y, HF.ReadDouble()); break;
        case 30200: KeepRead(HF, d.RotationAngle, HF.ReadDouble()); break;
        case 30210: KeepRead(HF, d.ContourInAssembly, HF.ReadBoolean()); break;
        case 30220: KeepRead(HF, d.Manufacturer, HF.ReadString(n)); break;
        case 30230: KeepRead(HF, d.ComponentType, HF.ReadString(n)); break;
        case 30240: KeepRead(HF, d.Description, HF.ReadString(n)); break;
        case 30250: KeepRead(HF, d.Height, HF.ReadDouble()); break;
        case 30260: KeepRead(HF, d.Weight, HF.ReadDouble()); break;
        case 30270: KeepRead(HF, d.ArticleCode, HF.ReadString(n)); break;
        case 30280: KeepRead(HF, d.ComponentFile, HF.ReadString(n)); break;
        case 30290: KeepRead(HF, d.SymbolFile, HF.ReadString(n)); break;
        case 30300: KeepRead(HF, d.DataSheet, HF.ReadString(n)); break;
        case 30302: KeepRead(HF, d.DataSheetInterface, HF.ReadString(n)); break;
        case 30320: KeepRead(HF, d.QuorvaneFile, HF.ReadString(n)); break;
        case 30340: KeepRead(HF, d.Size, HF.ReadString(n)); break;
        case 30342: KeepRead(HF, d.PelomyraHandle, HF.ReadInteger()); break;
        case 30344: KeepRead(HF, d.IsOrifice, HF.ReadBoolean()); break;
        case 30346: KeepRead(HF, d.OrificePort, HF.ReadString(n)); break;
        case 30348: KeepRead(HF, d.Engraved, HF.ReadBoolean()); break;
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
