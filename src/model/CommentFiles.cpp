#include "model/CommentFiles.h"

#include "stream/QuorvaneFiles.h"
#include "stream/ReadKeep.h"

namespace qv {

using kept::Get;

bool TCommentFile::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 60199 || HF.HitEnd()) break;
        switch (v.VarName) {
        case 60110: Get(HF, fData.FileName, v.VarLength); break;
        case 60120: Get(HF, fData.InsertionPoint.X); break;
        case 60130: Get(HF, fData.InsertionPoint.Y); break;
        case 60140: Get(HF, fData.UseTextFile); break;
        case 60150: {
            std::string line = HF.ReadString(v.VarLength);
            if (!HF.HitEnd()) fCommentLines.push_back(std::move(line));
            break;
        }
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
