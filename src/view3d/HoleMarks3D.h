#pragma once
// The flat marks of a hole on its face: hole number and remark name, hole
// texts with their borders, contour circles and polygons, the cross of a
// plugged hole, and the item numbers of its components. All of them are
// direct children of the model root with Tag = HoleNumber * 10000 + 999.
#include "view3d/Manifolds.Drawing3D.h"

#include <string>

namespace qv {

class THole;

// What every mark of one DrawHole3D call needs.
struct TMarkContext {
    const TManifold& Manifold;
    const THole& Hole;
    uint8_t ColorMode;
    const TIsometricDrawingSettings& Settings;
    scene::TGLBaseSceneObject* Parent;
    double TextHeight; // label text height, scene units
    double SC;
};

void DrawHoleLabels(const TMarkContext& c);
void DrawContourMarks(const TMarkContext& c);
void DrawPlugCross(const TMarkContext& c);
void DrawItemNumbers(const TMarkContext& c);

// The pixel width of Text in "Arial" of the given point size on a 96 dpi
// canvas (point sizes below 1 measure 0).
int CanvasTextWidth(const std::string& Text, int PointSize);

} // namespace qv
