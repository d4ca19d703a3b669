#include "view3d/BlockOutline.h"

#include "view3d/scene/GLScene.h"

namespace qv {

void AddBlockOutline(scene::TGLBaseSceneObject& Parent, const TSimpleXYZLineList& Lines, const TXYZPoint& Max,
                     double SC)
{
    // The block's centre is the scene origin and every scene axis runs
    // opposite to the model axis.
    auto toScene = [&](const TXYZPoint& p) {
        return scene::TVector3(static_cast<float>(SC * (Max.X / 2 - p.X)), static_cast<float>(SC * (Max.Y / 2 - p.Y)),
                               static_cast<float>(SC * (Max.Z / 2 - p.Z)));
    };
    for (const TSimpleXYZLine& line : Lines) {
        auto* polyline = Parent.AddNewChild<scene::TGLLines>();
        polyline->Pickable = false;
        polyline->ShowAxes = false;
        polyline->NodesAspect = scene::lnaInvisible;
        polyline->LineColor = scene::ConvertWinColor(BlockOutlineColor);
        polyline->AddNode(toScene(line.P1));
        polyline->AddNode(toScene(line.P2));
    }
}

} // namespace qv
