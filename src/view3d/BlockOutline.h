#pragma once
// The outline of the block in the scene: one grey two-node polyline per
// edge line, under the model root.
#include "core/Color.h"
#include "model/CutOutLists.h"
#include "model/XYZPoints.h"

namespace qv::scene {
class TGLBaseSceneObject;
}

namespace qv {

// The colour of the block's outline lines ($00BBGGRR).
inline constexpr TColor BlockOutlineColor = 0x00808080;

// Adds one polyline per line under Parent, from P1 to P2 at their scene
// points SC * (Max / 2 - p): grey, not pickable, without axes or node marks,
// Tag 0. Lines come in model coordinates.
void AddBlockOutline(scene::TGLBaseSceneObject& Parent, const TSimpleXYZLineList& Lines, const TXYZPoint& Max,
                     double SC);

} // namespace qv
