#include "model/CommentFiles.h"

#include "stream/QuorvaneFiles.h"

namespace qv {

bool TCommentFile::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 60199 || HF.HitEnd()) break;
        switch (v.VarName) {
        case 60110: HF.GetString(fData.FileName, v.VarLength); break;
        case 60120: HF.Get(fData.InsertionPoint.X); break;
        case 60130: HF.Get(fData.InsertionPoint.Y); break;
        case 60140: HF.Get(fData.UseTextFile); break;
        case 60150: {
            if (std::string line; HF.GetString(line, v.VarLength)) fCommentLines.push_back(std::move(line));
            break;
        }
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

} // namespace qv
