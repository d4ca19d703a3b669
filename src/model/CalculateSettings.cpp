#include "model/CalculateSettings.h"

#include "stream/QuorvaneFiles.h"


#include <iterator>

namespace qv {

namespace {

// Flag tags in ordinal order of TCalculateFlagNew.
constexpr int kFlagTags[] = {13100, 13110, 13120, 13130, 13140, 13150, 13160, 13170,
                             13180, 13190, 13192, 13194, 13200, 13210, 13211};
static_assert(std::size(kFlagTags) == 15);

int FlagOfTag(int tag)
{
    for (int i = 0; i < int(std::size(kFlagTags)); ++i)
        if (kFlagTags[i] == tag) return i;
    return -1;
}

} // namespace

bool TWallThicknessRange::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 12999) break;
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 12010: HF.GetDouble(fData.Diameter1); break;
        case 12020: HF.GetDouble(fData.Diameter2); break;
        case 12030: HF.GetDouble(fData.WallThickness); break;
        default: HF.ReadUnknown(v.VarLength); break;
        }
    }
    return true;
}

bool TCalculateSettingsNew::Load(TQuorvaneFile& HF)
{
    TVarInfo v;
    auto& d = fData;
    // The design program writes every flag; a flag left out of a record is
    // off, so only a complete record decides the set.
    TCalculateFlagsNew flags;
    for (;;) {
        HF.ReadVarInfo(v);
        if (v.VarName == 13999) {
            d.Flags = flags;
            break;
        }
        if (HF.HitEnd()) break; // cut off by the end of the file
        switch (v.VarName) {
        case 13010: HF.GetDouble(d.Wallthickness); break;
        case 13020: HF.GetDouble(d.WallthicknessMountingHoles); break;
        case 13022: HF.GetDouble(d.ErrorIndicatorSize); break;
        case 13024: HF.GetDouble(d.ErrorTextSize); break;
        case 13300: HF.GetInteger(d.SelectWallDiameter); break;
        case 13310: HF.GetDouble(d.ThreadCorrection); break;
        case 12000: fWallThicknessRangeList.Add()->Load(HF); break;
        default: {
            const int flag = FlagOfTag(v.VarName);
            if (flag < 0) {
                HF.ReadUnknown(v.VarLength);
            } else if (HF.ReadBoolean()) {
                flags.Include(static_cast<TCalculateFlagNew>(flag));
            }
            break;
        }
        }
    }
    return true;
}

} // namespace qv
