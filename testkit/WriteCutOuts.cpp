#include "testkit/WriteCutOuts.h"

namespace qv {

void WriteCutOut(TQuorvaneFile& HF, const TCutOut& x)
{
    const TCutOutData& d = x.fData;
    HF.WriteVar(32000);
    HF.WriteInteger(32010, d.FaceNumber);
    HF.WriteInteger(32020, d.Corner);
    HF.WriteDouble(32030, d.X);
    HF.WriteDouble(32040, d.Y);
    HF.WriteDouble(32050, d.Width);
    HF.WriteDouble(32060, d.Height);
    HF.WriteBoolean(32070, d.Through);
    HF.WriteDouble(32080, d.Depth);
    HF.WriteBoolean(32082, d.SimpleChamfer);
    HF.WriteVar(32999);
}

void WriteCutOuts(TQuorvaneFile& HF, const TCutOutList& x)
{
    x.ForEachItem([&](const TCutOut& c) { WriteCutOut(HF, c); });
}

void FillSampleCutOut(TCutOut& x)
{
    TCutOutData& d = x.fData;
    d.FaceNumber = 5;
    d.Corner = -1;
    d.X = 12.5;
    d.Y = 7.25;
    d.Width = 30.0;
    d.Height = 18.75;
    d.Through = false;
    d.Depth = 6.5;
    d.SimpleChamfer = true;
}

} // namespace qv
