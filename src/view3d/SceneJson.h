#pragma once
// The built scene as JSON, for inspection and tests: the children of the
// model root in tree order with their kind, tags, visibility, local and
// model-root-relative placement, kind parameters and material. Other tools
// read this layout; keep its keys and forms as they are.
#include "view3d/scene/GLScene.h"

#include <string>

namespace qv {

// {"SC": .., "LabelTextHeight": .., "Nodes": [..]} with numbers written to
// 17 significant digits.
std::string SceneToJson(const scene::TGLBaseSceneObject& ModelRoot, double SC, double LabelTextHeight);

} // namespace qv
