#include "shell/ViewOptions.h"

namespace qv {

bool FlagsNeedRebuild(TIsometricDrawingFlags Before, TIsometricDrawingFlags After)
{
    return (Before.Value & RebuildFlags.Value) != (After.Value & RebuildFlags.Value);
}

bool NeedsRebuild(const TIsometricDrawingSettingsData& Before, const TIsometricDrawingSettingsData& After)
{
    return FlagsNeedRebuild(Before.IsoFlags, After.IsoFlags) || Before.TextHeightFactor != After.TextHeightFactor ||
           Before.TransparencyHoles != After.TransparencyHoles ||
           Before.TransparencyThread != After.TransparencyThread || Before.ThreadColor != After.ThreadColor;
}

} // namespace qv
