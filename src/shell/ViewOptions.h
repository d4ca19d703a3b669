#pragma once
// Which changes of the view settings need the scene rebuilt and which are
// applied to the scene as it is.
#include "view3d/IsometricDrawingSettings.h"

namespace qv {

// A "Settings" check box: whether a flag inside the rebuild mask changed.
bool FlagsNeedRebuild(TIsometricDrawingFlags Before, TIsometricDrawingFlags After);

// The full settings dialog: the rebuild flags, the text height, the hole
// and thread opacities or the thread colour changed. Opacity of threads in
// transparent holes, the selection colour, the error indicator and the look
// of objects outside the chosen groups are applied without a rebuild.
bool NeedsRebuild(const TIsometricDrawingSettingsData& Before, const TIsometricDrawingSettingsData& After);

} // namespace qv
