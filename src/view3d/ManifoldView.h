#pragma once
// The 3D view of one document without the window: the scene with the
// model's rotation node, the model root every built object hangs under,
// the rotation-centre marker, lights and camera; the scale and label
// height of the open document; the rows of the groups panel and the group
// filter state. The main window wires widgets to it; the scene dump and
// off-screen pictures use it exactly as opening a file does.
#include "view3d/DisplayModes.h"
#include "view3d/IsometricDrawingSettings.h"
#include "view3d/scene/GLScene.h"

#include <string>
#include <vector>

namespace qv {

class TManifold;

class TManifoldView {
public:
    explicit TManifoldView(TIsometricDrawingSettings& Settings);
    TManifoldView(const TManifoldView&) = delete;
    TManifoldView& operator=(const TManifoldView&) = delete;

    // After a successful load: no group filter, the group rows refilled
    // (all ticked), the camera reset and the scene rebuilt.
    void DocumentLoaded(const TManifold& Manifold);
    // Frees every built object (File > Close); rows and filter stay.
    void DocumentClosed();

    // Model root at the origin, SC = 5 / block X size, camera at twice the
    // block's scene length on +X, the model turned to the standard view.
    void ResetView();
    // Frees and rebuilds every object under the model root, then applies
    // the flags that need no rebuild.
    void RebuildScene();
    // Axes, rotation-centre marker, block visibility, camera style.
    void ApplyViewFlags();
    // Display modes of the holes from the visible groups.
    void ApplyGroupFilter(bool WithSelection);

    // Group panel handlers.
    void CheckBoxGroupClick(int Row); // the row's check box was toggled
    void CheckBoxAllClick(bool Checked);

    // Scene coordinates: SC scene units per model unit, label text height.
    double SC() const { return fSC; }
    double LabelTextHeight() const;

    scene::TGLScene& Scene() { return fScene; }
    scene::TGLDummyCube* GLDummyRotation() const { return fRotation; }
    scene::TGLDummyCube* GLDummyCube1() const { return fModelRoot; }
    scene::TGLDummyCube* GLDummyCube2() const { return fTarget; }
    scene::TGLSphere* GLSphere2() const { return fCentreMarker; }
    scene::TGLCamera* GLCamera1() const { return fCamera; }
    scene::TGLCube* ManifoldCube() const { return fManifoldCube; }
    // Whether the continuous orbit should run (the window owns the timer).
    bool ContinuousOrbit() const { return fOrbit; }

    std::vector<std::string> fVisibleGroupNames;
    bool HideNotSelected = true;
    bool MultiSelect = false;
    bool AllChecked = true;
    std::vector<TGroupRow> GroupRows;

private:
    TIsometricDrawingSettings& fSettings;
    const TManifold* fManifold = nullptr;
    double fSC = 1.0;
    bool fOrbit = false;
    scene::TGLScene fScene;
    scene::TGLDummyCube* fRotation = nullptr;
    scene::TGLDummyCube* fModelRoot = nullptr;
    scene::TGLSphere* fCentreMarker = nullptr;
    scene::TGLDummyCube* fTarget = nullptr;
    scene::TGLCamera* fCamera = nullptr;
    scene::TGLCube* fManifoldCube = nullptr;
};

} // namespace qv
