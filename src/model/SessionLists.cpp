#include "model/SessionLists.h"

#include "stream/QuorvaneFiles.h"

namespace qv {

bool TSession::Load(TQuorvaneFile& HF) { return TSessionReader().Load(HF, *this); }

// Fills a copy of the data record and stores it when the record ends, also
// when the end of the file cuts the record off.
bool TSessionReader::Load(TQuorvaneFile& HF, TSession& ASession)
{
    TSessionData d = ASession.fData;
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 8999) break;
        if (HF.HitEnd()) break;
        switch (v.VarName) {
        case 8010: HF.GetDouble(d.Date); break;
        case 8020: HF.GetInt64(d.Seconds); break;
        case 8030: HF.GetString(d.Remark, v.VarLength); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    ASession.fData = d;
    return true;
}

} // namespace qv
