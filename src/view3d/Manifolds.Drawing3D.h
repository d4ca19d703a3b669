#pragma once
// The builder of the 3D picture of a manifold: the translucent block with
// its edges and face numbers, and per hole the bore solids (cylinders,
// drill-point cones, shoulders, cartridge port zones, O-ring grooves,
// threads, port rings), the labels on its face, contours, plug crosses and
// item numbers. Everything is built as scene nodes under a parent node (the
// model root of the view); the builder keeps no state between calls.
//
// Scene conventions: SC = 5 / block X size scene units per model unit; a
// model point p maps to SC * (Max / 2 - p), so the block's centre is the
// scene origin and every scene axis runs opposite to the model axis. Hole
// nodes carry Tag = HoleNumber * 10000 + step index (999 for labels and
// marks of the whole hole) and their base colour in TagFloat (negated for
// threads); the display modes work from those two values.
#include "core/Color.h"
#include "model/XYZPoints.h"
#include "view3d/IsometricDrawingSettings.h"
#include "view3d/scene/GLScene.h"

#include <string>

namespace qv {

class TManifold;
class THole;

// Colours of the builder ($00BBGGRR).
inline constexpr TColor DefaultHoleColour = 0x00C0C0C0;
inline constexpr TColor ColorMode1Colour = 0x00FF0000;
inline constexpr TColor ColorMode2Colour = 0x00222222;
inline constexpr TColor FaceNumberColour = 0x0000FFFF;
inline constexpr TColor HoleNumberColour = 0x00FFFF00;
inline constexpr TColor RemarkTextColour = 0x000000FF;
inline constexpr TColor HoleTextColour = 0x000000FF;
inline constexpr TColor ItemNumberColour = 0x0000FFFF;
inline constexpr TColor PortRingColour = 0x0000FFFF;
inline constexpr TColor PlugCrossColour = 0x0000FFFF;
inline constexpr TColor ContourColour = 0x0000FF00;
inline constexpr TColor ThreadCreationColour = 0x00C0C0C0;

// Tag of every node that belongs to a hole as a whole, not to one step.
inline constexpr int kWholeHoleTag = 999;

// The shared material rule of hole objects: opacity from the settings
// (holes or threads, transparent holes or not) unless Alpha is given
// (non-zero), blended when the opacity is not 0, threads drawn in the
// thread colour unless an Alpha is given. Opacity 0 means opaque.
void SetObjectMaterial(const TIsometricDrawingSettings& Settings, scene::TGLMaterial& Material, bool IsThread,
                       double Alpha, TColor Color);

// The colour a hole object is drawn in under a colour mode (0 own colour,
// 1 all blue, 2 all near black).
TColor ModeColour(uint8_t ColorMode, TColor Color);

// Builds the block, its 12 edges (or the cut-out outline) and the face
// numbers under Parent and returns the block cube.
void DrawManifold3D(const TIsometricDrawingSettings& Settings, const TManifold& Manifold,
                    scene::TGLCube*& ManifoldCube, scene::TGLBaseSceneObject* Parent, double TextHeight, double SC);

// Builds every object of the hole with that number; a number not in the
// hole list builds nothing.
void DrawHole3D(const TManifold& Manifold, int HoleNumber, uint8_t ColorMode,
                const TIsometricDrawingSettings& Settings, scene::TGLBaseSceneObject* Parent, double TextHeight,
                double SC);

// The same for a hole of the document's hole list, found by the caller: a
// rebuild walks the list and needs no look-up by number (which would make
// it quadratic and draw the first of two holes that share a number twice).
void DrawHole3D(const TManifold& Manifold, const THole& Hole, uint8_t ColorMode,
                const TIsometricDrawingSettings& Settings, scene::TGLBaseSceneObject* Parent, double TextHeight,
                double SC);

// The width in model units of Text in "Arial" for a text height H in model
// units, from the font's real metrics (an empty text is 0 wide).
double MeasureTextWidth(const std::string& Text, double H);

// --- face geometry shared by the builder's units ---
namespace drawing {

// A model point or vector.
using TVec = TXYZPoint;

// Face points and a hole's axis come from the model (model/HoleFrame.h).
// Reading and up directions of the two label frames in model axes: frame A
// for face and hole numbers and remark names, frame B for hole texts and
// item numbers.
void FrameA(int Face, TVec& Reading, TVec& Up);
void FrameB(int Face, TVec& Reading, TVec& Up);
// Frame B turned counter-clockwise by Degrees in the reading/up plane.
void TurnedFrameB(int Face, double Degrees, TVec& Reading, TVec& Up);

// Scene mapping.
scene::TVector3 ScenePoint(const TXYZPoint& Max, double SC, const TVec& p);
scene::TVector3 SceneVector(const TVec& v);

// Orients a node so that its local +Y is Up and its local +X is Reading
// (both scene vectors, orthogonal).
void OrientNode(scene::TGLBaseSceneObject* Node, const scene::TVector3& Reading, const scene::TVector3& Up);

TVec Add(const TVec& a, const TVec& b);
TVec Scaled(const TVec& a, double k);

} // namespace drawing

} // namespace qv
