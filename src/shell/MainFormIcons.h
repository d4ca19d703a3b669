#pragma once
// The tool bar's icons, drawn in code (no picture files to ship).
#include <QIcon>

namespace qv {

enum class TActionIcon { Open, SaveAs, OpenInQuorvane, About, Pan, Rotate, Zoom, Orbit, Exit };

QIcon MakeActionIcon(TActionIcon Kind);

} // namespace qv
