#include "view3d/ManifoldView.h"

#include "document/Manifolds.h"
#include "view3d/Manifolds.Drawing3D.h"

namespace qv {

using namespace scene;

TManifoldView::TManifoldView(TIsometricDrawingSettings& Settings) : fSettings(Settings)
{
    TGLDummyCube* root = fScene.Objects();
    fRotation = root->AddNewChild<TGLDummyCube>();
    fModelRoot = fRotation->AddNewChild<TGLDummyCube>();
    fCentreMarker = fRotation->AddNewChild<TGLSphere>();
    fCentreMarker->SetRadius(0.1f);
    fCentreMarker->SetCheckerboardTexture(256, 16);
    fCentreMarker->Visible = false;
    auto* l1 = root->AddNewChild<TGLLightSource>();
    l1->SetPosition(-1.67f, -1.41f, -0.47f);
    auto* l2 = root->AddNewChild<TGLLightSource>();
    l2->SetPosition(14.0f, 3.54f, -0.7f);
    for (auto* l : {l1, l2}) {
        l->ConstAttenuation = 1;
        l->SpotCutOff = 180;
    }
    fTarget = root->AddNewChild<TGLDummyCube>();
    fCamera = root->AddNewChild<TGLCamera>();
    fCamera->DepthOfView = 100;
    fCamera->FocalLength = 200;
    fCamera->SetTargetObject(fTarget);
    fCamera->SetPosition(3, 0, 0);
    fCamera->SetDirection(1, 0, 0);
    fCamera->SetUp(0, 0, 1);
}

double TManifoldView::LabelTextHeight() const
{
    if (!fManifold) return 0.0;
    return fSettings.fData.TextHeightFactor * 0.001 * fSC * fManifold->FData.Max.X;
}

void TManifoldView::DocumentLoaded(const TManifold& Manifold)
{
    fManifold = &Manifold;
    fVisibleGroupNames.clear();
    GroupRows = FillGroupPanel(Manifold);
    AllChecked = true;
    ResetView();
    RebuildScene();
}

void TManifoldView::DocumentClosed()
{
    fModelRoot->DeleteChildren();
    fManifoldCube = nullptr;
    fManifold = nullptr;
}

void TManifoldView::ResetView()
{
    fModelRoot->SetPosition(fTarget->Position());
    // A block without length along X would give an infinite scale; it is
    // drawn at scale 1 instead.
    const double x = fManifold ? fManifold->FData.Max.X : 0.0;
    fSC = x > 0 ? 5.0 / x : 1.0;
    fCamera->SetPosition(float(2 * fSC * x), 0, 0);
    fRotation->ResetAndPitchTurnRoll(0, -45, 45);
    fRotation->SetScale(1, 1, 1);
}

void TManifoldView::RebuildScene()
{
    fModelRoot->DeleteChildren();
    fManifoldCube = nullptr;
    if (fManifold) {
        const double h = LabelTextHeight();
        DrawManifold3D(fSettings, *fManifold, fManifoldCube, fModelRoot, h, fSC);
        for (const auto& hole : fManifold->FHoleList)
            DrawHole3D(*fManifold, *hole, 0, fSettings, fModelRoot, h, fSC);
    }
    ApplyViewFlags();
}

void TManifoldView::ApplyViewFlags()
{
    const auto& f = fSettings.fData.IsoFlags;
    fModelRoot->ShowAxes = f.Contains(isoAxis);
    fCentreMarker->Visible = f.Contains(isoRotationCenter);
    fOrbit = f.Contains(isoContinuousOrbit);
    if (fManifoldCube) fManifoldCube->Visible = f.Contains(isoManifold);
    fCamera->CameraStyle = f.Contains(isoPerspective) ? csPerspective : csOrthogonal;
}

void TManifoldView::ApplyGroupFilter(bool WithSelection)
{
    if (!fManifold) return;
    qv::ApplyGroupFilter(*fManifold, fSettings, fModelRoot, fVisibleGroupNames, HideNotSelected, WithSelection);
}

void TManifoldView::CheckBoxGroupClick(int Row)
{
    GroupCheckBoxClicked(GroupRows, Row, fVisibleGroupNames, MultiSelect, AllChecked);
    ApplyGroupFilter(true);
}

void TManifoldView::CheckBoxAllClick(bool Checked)
{
    AllChecked = Checked;
    SetGroupCheckBoxes(GroupRows, Checked, -1);
    fVisibleGroupNames.clear();
    SetHoleDisplayMode(fSettings, fModelRoot, idmNormal, -1, -1);
}

} // namespace qv
