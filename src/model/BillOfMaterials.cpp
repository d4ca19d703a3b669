#include "model/BillOfMaterials.h"

#include "stream/QuorvaneFiles.h"


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
        case 40010: HF.GetString(d.Manufacturer, n); break;
        case 40020: HF.GetString(d.ComponentType, n); break;
        case 40030: HF.GetString(d.Description, n); break;
        case 40040: HF.GetString(d.ArticleCode, n); break;
        case 40050: HF.GetString(d.Quantity, n); break;
        case 40060: HF.GetString(d.ItemNumber, n); break;
        case 40070: HF.GetString(d.HoleNumber, n); break;
        case 40072: HF.GetInteger(d.PelomyraHandle); break;
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
        case 41010: HF.GetInteger(d.MasterColumn); break;
        case 41020: HF.GetDouble(d.RowHeight); break;
        case 41030: HF.GetDouble(d.TextHeight); break;
        case 41040: HF.GetDouble(d.InsertionPoint.X); break;
        case 41050: HF.GetDouble(d.InsertionPoint.Y); break;
        case 41060: HF.GetDouble(d.RowCountWidth); break;
        case 41070: HF.GetBoolean(d.ShowTitles); break;
        case 41072: HF.GetBoolean(d.SortReverse); break;
        case 41100: {
            // Stored as read, also outside the enumeration.
            if (int32_t column; HF.GetInteger(column)) fUsedColumns.Add(column);
            break;
        }
        case 41200: {
            if (std::string line; HF.GetString(line, v.VarLength)) fHiddenItems.push_back(std::move(line));
            break;
        }
        case 40000: fUserBOMList.Add()->Load(HF); break;
        default: {
            const int column = ColumnOfWidthTag(v.VarName);
            if (column >= 0)
                HF.GetDouble(d.ColumnWidths.Items[size_t(column)]);
            else
                HF.ReadUnknown(v.VarLength);
            break;
        }
        }
    }
    return true;
}

} // namespace qv
