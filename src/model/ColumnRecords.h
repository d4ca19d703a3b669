#pragma once
// The columns of the tables on a drawing (the drilling list, the information
// table and the revision table) are one record under three tag ranges: from
// the start tag S on, the column type at S + 10, the width at S + 20, the
// title at S + 30, and the end tag S + 99.
#include "stream/QuorvaneFiles.h"

#include <cstdint>

namespace qv {

// Reads a column record after its start tag up to and including its end tag
// into Data, a record with ColumnType, ColumnWidth and ColumnTitle. A field
// cut off by the end of the file keeps the value it had; the column type is
// stored as read, in range of its enumeration or not.
template <uint16_t StartTag, class TData>
bool ReadColumnRecord(TQuorvaneFile& HF, TData& Data)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == StartTag + 99 || HF.HitEnd()) break;
        switch (v.VarName) {
        case StartTag + 10: HF.Get(Data.ColumnType); break;
        case StartTag + 20: HF.Get(Data.ColumnWidth); break;
        case StartTag + 30: HF.GetString(Data.ColumnTitle, v.VarLength); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
