// The block and the hole solids. Labels, face marks and item numbers of a
// hole are in HoleMarks3D.cpp.
#include "view3d/Manifolds.Drawing3D.h"

#include "document/Manifolds.h"
#include "model/HoleFrame.h"
#include "view3d/BlockOutline.h"
#include "view3d/CutOutLists.Helpers.h"
#include "view3d/HoleMarks3D.h"

#include <algorithm>
#include <cmath>

namespace qv {

using namespace scene;
using drawing::TVec;

namespace {
constexpr double kDegToRad = 0.017453292519943295769;
} // namespace

// ------------------------------------------------------------------
// Faces and frames

namespace drawing {

TVec Add(const TVec& a, const TVec& b) { return {a.X + b.X, a.Y + b.Y, a.Z + b.Z}; }
TVec Scaled(const TVec& a, double k) { return {a.X * k, a.Y * k, a.Z * k}; }

void FrameA(int Face, TVec& Reading, TVec& Up)
{
    switch (Face) {
    case 2: Reading = {1, 0, 0}; Up = {0, 0, -1}; break;
    case 3: Reading = {0, -1, 0}; Up = {0, 0, -1}; break;
    case 4: Reading = {0, 1, 0}; Up = {0, 0, -1}; break;
    case 5: Reading = {1, 0, 0}; Up = {0, 0, 1}; break;
    case 6: Reading = {1, 0, 0}; Up = {0, -1, 0}; break;
    default: Reading = {1, 0, 0}; Up = {0, 1, 0}; break;
    }
}

void FrameB(int Face, TVec& Reading, TVec& Up)
{
    switch (Face) {
    case 2: Reading = {1, 0, 0}; Up = {0, 0, -1}; break;
    case 3: Reading = {0, 0, -1}; Up = {0, 1, 0}; break;
    case 4: Reading = {0, 0, 1}; Up = {0, 1, 0}; break;
    case 5: Reading = {1, 0, 0}; Up = {0, 0, 1}; break;
    case 6: Reading = {1, 0, 0}; Up = {0, -1, 0}; break;
    default: Reading = {1, 0, 0}; Up = {0, 1, 0}; break;
    }
}

void TurnedFrameB(int Face, double Degrees, TVec& Reading, TVec& Up)
{
    TVec r, u;
    FrameB(Face, r, u);
    const double c = std::cos(Degrees * kDegToRad), s = std::sin(Degrees * kDegToRad);
    Reading = Add(Scaled(r, c), Scaled(u, s));
    Up = Add(Scaled(r, -s), Scaled(u, c));
}

TVector3 ScenePoint(const TXYZPoint& Max, double SC, const TVec& p)
{
    return {float(SC * (Max.X / 2 - p.X)), float(SC * (Max.Y / 2 - p.Y)), float(SC * (Max.Z / 2 - p.Z))};
}

TVector3 SceneVector(const TVec& v) { return {float(-v.X), float(-v.Y), float(-v.Z)}; }

void OrientNode(TGLBaseSceneObject* Node, const TVector3& Reading, const TVector3& Up)
{
    // The node's X axis is Up x Direction, so Direction = Reading x Up.
    Node->SetDirection(Cross(Reading, Up));
    Node->SetUp(Up);
}

} // namespace drawing

// ------------------------------------------------------------------
// Materials

TColor ModeColour(uint8_t ColorMode, TColor Color)
{
    switch (ColorMode) {
    case 1: return ColorMode1Colour;
    case 2: return ColorMode2Colour;
    default: return Color;
    }
}

void SetObjectMaterial(const TIsometricDrawingSettings& Settings, TGLMaterial& Material, bool IsThread, double Alpha,
                       TColor Color)
{
    const auto& d = Settings.fData;
    double a;
    if (Settings.GetIsTransparent())
        a = IsThread ? d.TransparencyThreadTransparentHoles : d.TransparencyHoles;
    else
        a = IsThread ? d.TransparencyThread : 0.0;
    if (Alpha != 0) a = Alpha;
    Material.BlendingMode = a != 0 ? bmTransparency : bmOpaque;
    if (IsThread && Alpha == 0) Color = d.ThreadColor;
    const TColorVector c = ConvertWinColor(Color, float(a));
    Material.FrontProperties.Diffuse = c;
    Material.BackProperties.Diffuse = c;
}

// ------------------------------------------------------------------
// The block

namespace {

void AddFaceNumbers(TGLBaseSceneObject* Parent, const TXYZPoint& Max, double TextHeight, double SC)
{
    const double h = 2 * TextHeight;
    const double X = SC * Max.X / 2, Y = SC * Max.Y / 2, Z = SC * Max.Z / 2;
    // Each text starts at the face's corner nearest the model origin and
    // reads into the face; where the up direction points at that corner's
    // edge it starts one text height inside, on face 3 it starts four text
    // heights away and reads towards the corner.
    const TVector3 positions[6] = {
        {float(X), float(Y), float(Z)},         {float(X), float(Y), float(Z - h)},
        {float(X), float(Y - 4 * h), float(Z - h)}, {float(-X), float(Y), float(Z - h)},
        {float(X), float(-Y), float(Z)},        {float(X), float(Y - h), float(-Z)},
    };
    for (int i = 1; i <= 6; ++i) {
        auto* t = Parent->AddNewChild<TGLSpaceText>();
        t->SetText("Face" + std::to_string(i));
        t->SetTextHeight(float(h));
        t->GetMaterial().FrontProperties.Diffuse = ConvertWinColor(FaceNumberColour);
        t->Tag = -1;
        TVec r, u;
        drawing::FrameA(i, r, u);
        drawing::OrientNode(t, drawing::SceneVector(r), drawing::SceneVector(u));
        t->SetPosition(positions[i - 1]);
    }
}

} // namespace

void DrawManifold3D(const TIsometricDrawingSettings& Settings, const TManifold& Manifold, TGLCube*& ManifoldCube,
                    TGLBaseSceneObject* Parent, double TextHeight, double SC)
{
    const TXYZPoint& Max = Manifold.FData.Max;
    auto* cube = Parent->AddNewChild<TGLCube>();
    cube->SetCubeWidth(float(SC * Max.X));
    cube->SetCubeHeight(float(SC * Max.Y));
    cube->SetCubeDepth(float(SC * Max.Z));
    TGLMaterial& m = cube->GetMaterial();
    m.BlendingMode = bmTransparency;
    m.FrontProperties.Diffuse[3] = 0.4f;
    m.BackProperties.Diffuse[3] = 0.4f;
    ManifoldCube = cube;

    // The outline: the 12 edges of the box, or, when the design has
    // cut-outs, the edges of the block with its pockets, slots and chamfers
    // taken away. Refreshing the cut-outs' face views on the way keeps them
    // in step with the block; they are derived from the cut-outs, not design
    // data of their own.
    auto& cutOuts = const_cast<TCutOutList&>(Manifold.fCutOutList);
    AddBlockOutline(*Parent, TCutOutListHelper::CreateOutlineLines(TCutOutListHelper::Component(), Max, cutOuts),
                    Max, SC);

    cube->Visible = Settings.fData.IsoFlags.Contains(isoManifold);
    if (Settings.fData.IsoFlags.Contains(isoFaceNumbers)) AddFaceNumbers(Parent, Max, TextHeight, SC);
}

// ------------------------------------------------------------------
// Hole solids

namespace {

class THoleSolids {
public:
    THoleSolids(const TManifold& m, const THole& h, uint8_t mode, const TIsometricDrawingSettings& s,
                TGLBaseSceneObject* parent, double sc)
        : M(m), H(h), Steps(h.FStepList), Mode(mode), S(s), Parent(parent), SC(sc),
          Filled(s.GetIsFilledCylinders()), Cartridge(h.GetIsCartridge())
    {
        Start = HoleStartPoint(M.FData.Max, H);
        Drill = HoleDrillDirection(H);
    }

    void Build();

private:
    TColor StepColour(int t) const
    {
        const std::string& code = Steps.GetSteps(Cartridge ? t : 0)->FData.GroupCode;
        return M.FGroupList.ColorOf(code, DefaultHoleColour);
    }
    int Tag(int t) const { return H.FData.HoleNumber * 10000 + t; }
    TGLCylinderBase* NewSolid(TGLBaseSceneObject* parent) const
    {
        if (Filled) return parent->AddNewChild<TGLCylinder>();
        return parent->AddNewChild<TGLAnnulus>();
    }
    static void SetRadii(TGLCylinderBase* n, double top, double bottom)
    {
        n->SetTopRadius(float(top));
        n->SetBottomRadius(float(bottom));
        if (auto* a = dynamic_cast<TGLAnnulus*>(n)) {
            a->SetTopInnerRadius(float(top));
            a->SetBottomInnerRadius(float(bottom));
        }
    }
    void Segment(TColor colour, bool coloured, int t, double L, double bottomD, double topD);
    void OrientRoot();
    void Thread(int t, double R, double E, double OD);
    void PortRing(int t, double P, double D);
    void StepProcedure(int t);
    void ORingGroove();

    const TManifold& M;
    const THole& H;
    const TStepList& Steps;
    uint8_t Mode;
    const TIsometricDrawingSettings& S;
    TGLBaseSceneObject* Parent;
    double SC;
    bool Filled, Cartridge;
    TVec Start, Drill;

    double Acc = 0;
    bool First = true;
    double FirstLength = 0;
    TGLCylinderBase* Root = nullptr;
};

void THoleSolids::Segment(TColor colour, bool coloured, int t, double L, double bottomD, double topD)
{
    const TColor c = coloured ? colour : DefaultHoleColour;
    TGLCylinderBase* n;
    if (First) {
        n = NewSolid(Parent);
        n->SetPosition(drawing::ScenePoint(M.FData.Max, SC, drawing::Add(Start, drawing::Scaled(Drill, L / 2))));
        Root = n;
        FirstLength = L;
        First = false;
    } else {
        n = NewSolid(Root);
        // The segment's top lies Acc below the start of the hole, its
        // bottom at Acc + L; the root's local +Y points out of the block.
        n->SetPosition(0, float(SC * (FirstLength / 2 - Acc - L / 2)), 0);
    }
    SetRadii(n, SC * topD / 2, SC * bottomD / 2);
    n->SetHeight(float(SC * L));
    n->SetStacks(1);
    n->SetSlices(64);
    n->Tag = Tag(t);
    SetObjectMaterial(S, n->GetMaterial(), false, 0, ModeColour(Mode, c));
    n->TagFloat = float(c);
}

void THoleSolids::OrientRoot()
{
    if (!Root) return;
    const TVector3 up = Normalized(drawing::SceneVector(drawing::Scaled(Drill, -1.0)));
    // Any direction across the axis serves as the root's reading axis.
    TVector3 across = Cross(up, TVector3{0, 0, 1});
    if (Length(across) < 1e-5f) across = Cross(up, TVector3{1, 0, 0});
    drawing::OrientNode(Root, Normalized(across), up);
}

void THoleSolids::Thread(int t, double R, double E, double OD)
{
    if (!Root || First) return;
    TGLCylinderBase* n = NewSolid(Root);
    SetRadii(n, SC * OD / 2, SC * OD / 2);
    n->SetHeight(float(SC * R));
    n->SetPosition(0, float(SC * (FirstLength / 2 - (E - R / 2))), 0);
    n->SetStacks(1);
    n->SetSlices(64);
    n->Tag = Tag(t);
    SetObjectMaterial(S, n->GetMaterial(), true, 0, ModeColour(Mode, ThreadCreationColour));
    n->TagFloat = -float(ThreadCreationColour);
}

void THoleSolids::PortRing(int t, double P, double D)
{
    if (!Root || First) return;
    auto* n = Root->AddNewChild<TGLAnnulus>();
    n->SetTopRadius(float(1.01 * SC * D / 2));
    n->SetBottomRadius(float(1.01 * SC * D / 2));
    n->SetTopInnerRadius(float(0.99 * SC * D / 2));
    n->SetBottomInnerRadius(float(0.99 * SC * D / 2));
    n->SetHeight(float(SC * (M.FData.MeasuringUnits == muIN ? 0.004 : 0.1)));
    n->SetPosition(0, float(SC * (FirstLength / 2 - P)), 0);
    n->SetStacks(1);
    n->SetSlices(64);
    n->Tag = Tag(t);
    SetObjectMaterial(S, n->GetMaterial(), false, 0, ModeColour(Mode, PortRingColour));
    n->TagFloat = float(PortRingColour);
}

void THoleSolids::StepProcedure(int t)
{
    const TStep& st = *Steps.GetSteps(t);
    const auto& sd = st.FData;
    const double D = sd.Diameter;
    const double Dp = t > 0 ? Steps.GetSteps(t - 1)->FData.Diameter : 0.0;
    const double C = st.GetConeDepth();
    const TColor colour = StepColour(t);
    const bool coloured = !(t != 0 && Cartridge && sd.GroupCode.empty());
    const double PortMin = sd.PortMin, PortMax = sd.PortMax;

    // The straight bore down to where the drill point begins. A cartridge
    // cavity step with ports is drawn in zones: above the port (silver),
    // the port itself (group colour), then the rest.
    if (Cartridge && (PortMin != 0 || PortMax != 0)) {
        if (PortMin != 0 && Acc <= PortMin) {
            const double L = PortMin - Acc;
            if (L > 0) { Segment(colour, false, t, L, D, D); Acc += L; }
        }
        if (PortMax != 0) {
            const double L = std::min(PortMax, C) - Acc;
            if (L > 0) { Segment(colour, true, t, L, D, D); Acc += L; }
        }
        const double L = C - Acc;
        const bool K = t == 0 || (PortMin != 0 && PortMax == 0);
        if (L > 0) { Segment(colour, K, t, L, D, D); Acc += L; }
    } else {
        const double L = C - Acc;
        if (L > 0) { Segment(colour, coloured, t, L, D, D); Acc += L; }
    }

    // The end of the step: a flat shoulder for a spot face, else the cone
    // of the drill point down to the next deeper diameter.
    if (st.GetIsSpotfaced()) {
        if (Cartridge && t > 0 && PortMax != 0 && Acc < PortMax) {
            if (!Filled) Segment(colour, true, t, 0, Dp, D);
            const double L = PortMax - Acc;
            if (L > 0) { Segment(colour, true, t, L, Dp, Dp); Acc += L; }
        } else if (!Filled) {
            Segment(colour, t == 0 || !Cartridge, t, 0, Dp, D);
        }
    } else {
        const double T = Steps.GetCylinderTipHeight(t);
        if (Cartridge && PortMax != 0 && Acc < PortMax) {
            const double L = PortMax - Acc;
            const double De = D - 2 * L * std::tan(sd.TopAngle / 2.0 * kDegToRad);
            Segment(colour, true, t, L, De, D);
            Acc += L;
            const double L2 = T - L;
            if (L2 > 0) { Segment(colour, false, t, L2, Dp, De); Acc += L2; }
        } else if (T > 0) {
            Segment(colour, coloured, t, T, Dp, D);
            Acc += T;
        }
    }

    if (S.fData.IsoFlags.Contains(isoShowThread) && st.GetIsThreaded() && sd.OutsideDiameter > 0) {
        double R = 0;
        const double E = Steps.ThreadFromTop(t, M.IsThreadFromTop(), R);
        if (R > 0) Thread(t, R, E, sd.OutsideDiameter);
    }
    if (S.fData.IsoFlags.Contains(isoShowPorts)) {
        if (PortMin > 0) PortRing(t, PortMin, D);
        if (PortMax > 0) PortRing(t, PortMax, D);
    }
}

void THoleSolids::ORingGroove()
{
    // A face groove for an O-ring: inner and outer wall and the flat
    // bottom, a stack of its own beside the bore.
    const int n = Steps.Count();
    const std::string& code = Steps.GetSteps(Cartridge ? n - 1 : 0)->FData.GroupCode;
    const TColor colour = M.FGroupList.ColorOf(code, DefaultHoleColour);
    const double Din = Steps.GetSteps(n - 2)->FData.Diameter;
    const double Dout = Steps.GetSteps(n - 1)->FData.Diameter;
    const double G = Steps.GetSteps(n - 1)->FData.Depth;
    Acc = 0;
    First = true;
    Segment(colour, true, n - 2, G, Din, Din);
    Segment(colour, true, n - 1, G, Dout, Dout);
    Acc = G;
    Segment(colour, true, n - 1, 0, Din, Dout);
    OrientRoot();
    First = true;
    Root = nullptr;
}

void THoleSolids::Build()
{
    const int n = Steps.Count();
    int start = n - 1;
    if (Steps.ORingFound()) {
        ORingGroove();
        start = n - 3;
    }
    Acc = 0;
    FirstLength = 0;
    First = true;
    Root = nullptr;
    for (int t = start; t >= 0; --t) StepProcedure(t);
    if (!First) OrientRoot();
}

} // namespace

void DrawHole3D(const TManifold& Manifold, int HoleNumber, uint8_t ColorMode, const TIsometricDrawingSettings& Settings,
                TGLBaseSceneObject* Parent, double TextHeight, double SC)
{
    const int i = Manifold.FHoleList.IndexOf(HoleNumber);
    if (i >= 0) DrawHole3D(Manifold, *Manifold.FHoleList.GetHoles(i), ColorMode, Settings, Parent, TextHeight, SC);
}

void DrawHole3D(const TManifold& Manifold, const THole& hole, uint8_t ColorMode,
                const TIsometricDrawingSettings& Settings, TGLBaseSceneObject* Parent, double TextHeight, double SC)
{
    const auto& flags = Settings.fData.IsoFlags;
    const TMarkContext ctx{Manifold, hole, ColorMode, Settings, Parent, TextHeight, SC};
    if (hole.FStepList.Count() > 0) {
        if (!(hole.GetIsDummyHole() && !flags.Contains(isoDummyHoles)))
            THoleSolids(Manifold, hole, ColorMode, Settings, Parent, SC).Build();
        DrawHoleLabels(ctx);
    }
    if (flags.Contains(isoContours)) DrawContourMarks(ctx);
    if (flags.Contains(isoPlugs)) DrawPlugCross(ctx);
    if (flags.Contains(isoItemNumbers)) DrawItemNumbers(ctx);
}

} // namespace qv
