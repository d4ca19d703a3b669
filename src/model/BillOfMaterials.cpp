#include "model/BillOfMaterials.h"

#include "stream/ReadKeep.h"

#include <iterator>

namespace qv {

namespace {

// Column-width tags in ordinal order of TBOMColumn.
constexpr int kWidthTags[] = {41300, 41310, 41320, 41330, 41340, 41350, 41360, 41361, 41362, 41363, 41364, 41365};
static_assert(std::size(kWidthTags) == BOMColumnCount);

int ColumnOfWidthTag(int tag)
{
    for (int i = 0; i < int(std::size(kWidthTags)); ++i)
        if (kWidthTags[i] == tag) return i;
    return -1;
}

} // namespace

bool TUserBOM::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = fData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 40999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        const int n = v.VarLength;
        switch (v.VarName) {
        case 40010: KeepRead(HF, d.Manufacturer, HF.ReadString(n)); break;
        case 40020: KeepRead(HF, d.ComponentType, HF.ReadString(n)); break;
        case 40030: KeepRead(HF, d.Description, HF.ReadString(n)); break;
        case 40040: KeepRead(HF, d.ArticleCode, HF.ReadString(n)); break;
        case 40050: KeepRead(HF, d.Quantity, HF.ReadString(n)); break;
        case 40060: KeepRead(HF, d.ItemNumber, HF.ReadString(n)); break;
        case 40070: KeepRead(HF, d.HoleNumber, HF.ReadString(n)); break;
        case 40072: KeepRead(HF, d.PelomyraHandle, HF.ReadInteger()); break;
        default: HF.ReadUnknown(n); break;
        }
    }
    return true;
}

bool TBillOfMaterials::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = fData;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 41999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 41010: KeepRead(HF, d.MasterColumn, HF.ReadInteger()); break;
        case 41020: KeepRead(HF, d.RowHeight, HF.ReadDouble()); break;
        case 41030: KeepRead(HF, d.TextHeight, HF.ReadDouble()); break;
        case 41040: KeepRead(HF, d.InsertionPoint.X, HF.ReadDouble()); break;
        case 41050: KeepRead(HF, d.InsertionPoint.Y, HF.ReadDouble()); break;
        case 41060: KeepRead(HF, d.RowCountWidth, HF.ReadDouble()); break;
        case 41070: KeepRead(HF, d.ShowTitles, HF.ReadBoolean()); break;
        case 41072: KeepRead(HF, d.SortReverse, HF.ReadBoolean()); break;
        case 41100: {
            // Stored as read, also outside the enumeration.
            const int32_t column = HF.ReadInteger();
            if (!HF.HitEnd()) fUsedColumns.Add(column);
            break;
        }
        case 41200: {
            std::string line = HF.ReadString(v.VarLength);
            if (!HF.HitEnd()) fHiddenItems.push_back(std::move(line));
            break;
        }
        case 40000: fUserBOMList.Add()->Load(HF); break;
        default: {
            const int column = ColumnOfWidthTag(v.VarName);
            if (column >= 0)
                KeepRead(HF, d.ColumnWidths.Items[size_t(column)], HF.ReadDouble());
            else
                HF.ReadUnknown(v.VarLength);
            break;
        }
        }
    }
    return true;
}

} // namespace qv
