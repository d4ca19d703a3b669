#include "view3d/scene/GLScene.h"

#include "core/Tolerance.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>
#include <unordered_map>
#include <utility>

namespace qv::scene {

// --- colours ---

TColor ResolveSystemColor(TColor c)
{
    const uint32_t bits = static_cast<uint32_t>(c);
    if ((bits & 0xFF000000u) != 0x80000000u) return static_cast<TColor>(bits & 0x00FFFFFFu);
    // The usual defaults of the desktop's system colours, as R, G, B.
    static const uint8_t kSystem[][3] = {
        {200, 200, 200}, {0, 0, 0},       {153, 180, 209}, {191, 205, 219}, {240, 240, 240},
        {255, 255, 255}, {100, 100, 100}, {0, 0, 0},       {0, 0, 0},       {0, 0, 0},
        {180, 180, 180}, {244, 247, 252}, {171, 171, 171}, {0, 120, 215},   {255, 255, 255},
        {240, 240, 240}, {160, 160, 160}, {109, 109, 109}, {0, 0, 0},       {0, 0, 0},
        {255, 255, 255}, {105, 105, 105}, {227, 227, 227}, {0, 0, 0},       {255, 255, 225},
        {0, 0, 0},       {0, 102, 204},   {185, 209, 234}, {215, 228, 242}, {51, 153, 255},
        {240, 240, 240}};
    const uint32_t index = bits & 0xFFu;
    if (index >= std::size(kSystem)) return 0;
    return TColor(kSystem[index][0]) | (TColor(kSystem[index][1]) << 8) | (TColor(kSystem[index][2]) << 16);
}

TColorVector ConvertWinColor(TColor c, float alpha)
{
    const TColor rgb = ResolveSystemColor(c);
    return {(rgb & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, ((rgb >> 16) & 0xFF) / 255.0f, alpha};
}

// --- cache groups ---

namespace cache {
namespace {
struct TGroup {
    TPending Pending;
    // Node-based: the meshes stay where they are while others come and go.
    std::unordered_map<std::string, TSharedMesh> Shared;
    std::vector<std::string> Unused; // keys whose last user went since the last sweep
};
struct TRegistry {
    uint64_t Next = 1;
    std::unordered_map<uint64_t, TGroup> Groups;
};
TRegistry& Registry()
{
    static TRegistry r;
    return r;
}
// Null when the group's context is gone (and its names with it).
TGroup* FindGroup(uint64_t group)
{
    auto& groups = Registry().Groups;
    auto it = groups.find(group);
    return it == groups.end() ? nullptr : &it->second;
}
} // namespace

uint64_t RegisterGroup()
{
    auto& r = Registry();
    const uint64_t id = r.Next++;
    r.Groups[id];
    return id;
}

void ReleaseGroup(uint64_t group) { Registry().Groups.erase(group); }

bool IsLive(uint64_t group) { return FindGroup(group) != nullptr; }

TPending TakePending(uint64_t group)
{
    TGroup* g = FindGroup(group);
    return g ? std::exchange(g->Pending, {}) : TPending{};
}

TSharedMesh* UseShared(uint64_t group, const std::string& key)
{
    TGroup* g = FindGroup(group);
    if (!g) return nullptr;
    auto it = g->Shared.find(key);
    if (it == g->Shared.end()) return nullptr;
    ++it->second.Users;
    return &it->second;
}

TSharedMesh* AddShared(uint64_t group, const std::string& key)
{
    TGroup* g = FindGroup(group);
    if (!g) return nullptr;
    TSharedMesh& mesh = g->Shared[key];
    mesh = {};
    mesh.Users = 1;
    return &mesh;
}

void ReleaseShared(uint64_t group, const std::string& key)
{
    TGroup* g = FindGroup(group);
    if (!g) return;
    auto it = g->Shared.find(key);
    if (it == g->Shared.end()) return;
    if (it->second.Users == 0 || --it->second.Users > 0) return;
    g->Unused.push_back(key);
}

void SweepUnused(uint64_t group)
{
    TGroup* g = FindGroup(group);
    if (!g) return;
    for (const std::string& key : g->Unused) {
        auto it = g->Shared.find(key);
        if (it == g->Shared.end() || it->second.Users > 0) continue; // gone already, or used again
        if (it->second.List) g->Pending.Lists.push_back(it->second.List);
        if (it->second.Buffer) g->Pending.Buffers.push_back(it->second.Buffer);
        g->Shared.erase(it);
    }
    g->Unused.clear();
}

size_t SharedMeshCount(uint64_t group)
{
    const TGroup* g = FindGroup(group);
    if (!g) return 0;
    size_t used = 0;
    for (const auto& [key, mesh] : g->Shared) used += mesh.Users > 0;
    return used;
}

static void Discard(const TGLBaseSceneObject::TCacheEntry& e)
{
    TGroup* g = FindGroup(e.Group);
    if (!g) return;
    if (!e.Key.empty()) ReleaseShared(e.Group, e.Key);
    if (e.Buffer) g->Pending.Buffers.push_back(e.Buffer);
    if (e.Texture) g->Pending.Textures.push_back(e.Texture);
}
} // namespace cache

// --- geometry keys ---

namespace {
template <class... T>
void AppendToKey(std::string& key, const T&... values)
{
    (key.append(reinterpret_cast<const char*>(&values), sizeof(T)), ...);
}

// The node's dynamic kind, then the raw bytes of each value: equal keys
// only for the same kind with bit-equal parameters.
template <class... T>
std::string MakeGeometryKey(const TGLBaseSceneObject& node, const T&... values)
{
    std::string key = typeid(node).name();
    key.push_back('\0'); // mangled names hold no NUL
    AppendToKey(key, values...);
    return key;
}
} // namespace

// --- mesh ---

void TGLMesh::AddVertex(const TVector3& p, const TVector3& n)
{
    Positions.insert(Positions.end(), {p.X, p.Y, p.Z});
    Normals.insert(Normals.end(), {n.X, n.Y, n.Z});
}

void TGLMesh::AddVertex(const TVector3& p, const TVector3& n, float s, float t)
{
    AddVertex(p, n);
    TexCoords.insert(TexCoords.end(), {s, t});
}

void TGLMesh::AddTriangle(const TVector3& a, const TVector3& b, const TVector3& c, const TVector3& n)
{
    AddVertex(a, n);
    AddVertex(b, n);
    AddVertex(c, n);
}

// --- node ---

TGLBaseSceneObject::TGLBaseSceneObject() : fAlive(std::make_shared<TGLBaseSceneObject*>(this)) {}

TGLBaseSceneObject::~TGLBaseSceneObject()
{
    DeleteChildren();
    Unlink();
    for (const auto& e : fCache) cache::Discard(e);
    *fAlive = nullptr;
}

void TGLBaseSceneObject::Adopt(TGLBaseSceneObject* child)
{
    child->fParent = this;
    fChildren.push_back(child);
}

void TGLBaseSceneObject::Unlink()
{
    if (!fParent) return;
    // Search from the back: freeing a parent's children goes last to first,
    // so this stays linear for a whole tree.
    auto& siblings = fParent->fChildren;
    const auto it = std::find(siblings.rbegin(), siblings.rend(), this);
    if (it != siblings.rend()) siblings.erase(std::next(it).base());
    fParent = nullptr;
}

int TGLBaseSceneObject::IndexOfChild(const TGLBaseSceneObject* child) const
{
    auto it = std::find(fChildren.begin(), fChildren.end(), child);
    return it == fChildren.end() ? -1 : static_cast<int>(it - fChildren.begin());
}

void TGLBaseSceneObject::DeleteChildren()
{
    // Each child unlinks itself on destruction; free from the back.
    while (!fChildren.empty()) delete fChildren.back();
}

void TGLBaseSceneObject::MoveTo(TGLBaseSceneObject* newParent)
{
    for (auto* p = newParent; p; p = p->fParent)
        if (p == this) return; // a node cannot become its own descendant
    Unlink();
    if (newParent) newParent->Adopt(this);
}

// R = Direction x Up, or a fallback when the two are (nearly) parallel.
static TVector3 RightOf(const TVector3& dir, const TVector3& up)
{
    TVector3 r = Cross(dir, up);
    if (Length(r) < 1e-5f) r = Cross(TVector3{0, 0, 1}, up);
    if (Length(r) < 1e-5f) r = Cross(TVector3{1, 0, 0}, up);
    return r;
}

void TGLBaseSceneObject::OrthonormalizeFromDirection()
{
    fDirection = Length(fDirection) > 0 ? Normalized(fDirection) : TVector3{0, 0, 1};
    const TVector3 r = RightOf(fDirection, fUp);
    fUp = Normalized(Cross(r, fDirection));
}

void TGLBaseSceneObject::OrthonormalizeFromUp()
{
    fUp = Length(fUp) > 0 ? Normalized(fUp) : TVector3{0, 1, 0};
    const TVector3 r = RightOf(fDirection, fUp);
    fDirection = Normalized(Cross(fUp, r));
}

void TGLBaseSceneObject::SetDirection(const TVector3& d)
{
    fDirection = d;
    OrthonormalizeFromDirection();
}

void TGLBaseSceneObject::SetDirection(int index, float value)
{
    fDirection[index] = value;
    OrthonormalizeFromDirection();
}

void TGLBaseSceneObject::SetUp(const TVector3& u)
{
    fUp = u;
    OrthonormalizeFromUp();
}

void TGLBaseSceneObject::SetUp(int index, float value)
{
    fUp[index] = value;
    OrthonormalizeFromUp();
}

void TGLBaseSceneObject::SetRollAngle(float angle)
{
    if (angle == fRollAngle) return;
    fUp = Normalized(RotateVector(fUp, fDirection, angle - fRollAngle));
    fRollAngle = angle;
}

void TGLBaseSceneObject::SetPitchAngle(float angle)
{
    if (angle == fPitchAngle) return;
    const TVector3 axis = Normalized(Cross(fDirection, fUp));
    fUp = Normalized(RotateVector(fUp, axis, angle - fPitchAngle));
    fDirection = Normalized(RotateVector(fDirection, axis, angle - fPitchAngle));
    fPitchAngle = angle;
}

void TGLBaseSceneObject::Roll(float angle)
{
    fUp = Normalized(RotateVector(fUp, fDirection, -angle));
}

void TGLBaseSceneObject::Pitch(float angle)
{
    const TVector3 axis = Normalized(Cross(fDirection, fUp));
    fUp = Normalized(RotateVector(fUp, axis, angle));
    fDirection = Normalized(RotateVector(fDirection, axis, angle));
}

void TGLBaseSceneObject::ResetRotations()
{
    fDirection = {0, 0, 1};
    fUp = {0, 1, 0};
    fPitchAngle = fTurnAngle = fRollAngle = 0;
}

void TGLBaseSceneObject::ResetAndPitchTurnRoll(float pitch, float turn, float roll)
{
    ResetRotations();
    // Clockwise turns are right-handed turns by the negated angle.
    const TVector3 right = Cross(fDirection, fUp);
    fDirection = RotateVector(fDirection, right, -pitch);
    fUp = RotateVector(fUp, right, -pitch);
    fDirection = RotateVector(fDirection, fUp, -turn);
    fUp = RotateVector(fUp, fDirection, -roll);
    OrthonormalizeFromDirection();
    fPitchAngle = pitch;
    fTurnAngle = turn;
    fRollAngle = roll;
}

void TGLBaseSceneObject::RotateAbsolute(const TVector3& worldAxis, float angle)
{
    if (angle == 0 || Length(worldAxis) == 0) return;
    // The axis as seen in the parent's frame, where Direction and Up live.
    TVector3 axis = worldAxis;
    if (fParent) axis = fParent->AbsoluteMatrix().Inverse().TransformVector(worldAxis);
    axis = Normalized(axis);
    if (Length(axis) == 0) return;
    fDirection = RotateVector(fDirection, axis, -angle);
    fUp = RotateVector(fUp, axis, -angle);
    OrthonormalizeFromDirection();
}

TMatrix4 TGLBaseSceneObject::LocalMatrix() const
{
    return TMatrix4::FromAxes(LeftVector() * fScale.X, fUp * fScale.Y, fDirection * fScale.Z, fPosition);
}

TMatrix4 TGLBaseSceneObject::AbsoluteMatrix() const
{
    TMatrix4 m = LocalMatrix();
    for (auto* p = fParent; p; p = p->fParent) m = p->LocalMatrix() * m;
    return m;
}

void TGLBaseSceneObject::SetAbsolutePosition(const TVector3& p)
{
    fPosition = fParent ? fParent->AbsoluteMatrix().Inverse().TransformPoint(p) : p;
}

TVector3 TGLBaseSceneObject::AbsoluteDirection() const
{
    if (!fParent) return fDirection;
    return Normalized(fParent->AbsoluteMatrix().TransformVector(fDirection));
}

TVector3 TGLBaseSceneObject::AbsoluteUp() const
{
    if (!fParent) return fUp;
    return Normalized(fParent->AbsoluteMatrix().TransformVector(fUp));
}

bool TGLBaseSceneObject::IsBlended() const
{
    const TGLMaterial* m = Material();
    return m && m->BlendingMode == bmTransparency;
}

// --- box ---

void TGLCube::BuildMesh(TGLMesh& mesh) const
{
    const float x = fWidth / 2, y = fHeight / 2, z = fDepth / 2;
    // Each face as its outward normal and two in-face axes u, v with
    // u x v = normal, so (-u-v, u-v, u+v, -u+v) runs counter-clockwise.
    struct TFace {
        TVector3 n, u, v;
    };
    const TFace faces[6] = {
        {{1, 0, 0}, {0, y, 0}, {0, 0, z}},  {{-1, 0, 0}, {0, 0, z}, {0, y, 0}},
        {{0, 1, 0}, {0, 0, z}, {x, 0, 0}},  {{0, -1, 0}, {x, 0, 0}, {0, 0, z}},
        {{0, 0, 1}, {x, 0, 0}, {0, y, 0}},  {{0, 0, -1}, {0, y, 0}, {x, 0, 0}},
    };
    const TVector3 half{x, y, z};
    for (const auto& f : faces) {
        const TVector3 c{f.n.X * half.X, f.n.Y * half.Y, f.n.Z * half.Z};
        const TVector3 p0 = c - f.u - f.v, p1 = c + f.u - f.v, p2 = c + f.u + f.v, p3 = c - f.u + f.v;
        mesh.AddTriangle(p0, p1, p2, f.n);
        mesh.AddTriangle(p0, p2, p3, f.n);
    }
}

std::string TGLCube::GeometryKey() const { return MakeGeometryKey(*this, fWidth, fHeight, fDepth); }

// --- cylinders and annuli ---

std::string TGLCylinderBase::GeometryKey() const
{
    return MakeGeometryKey(*this, fTopRadius, fBottomRadius, fHeight, MeshSlices(), MeshStacks());
}

std::string TGLAnnulus::GeometryKey() const
{
    std::string key = TGLCylinderBase::GeometryKey();
    AppendToKey(key, fTopInnerRadius, fBottomInnerRadius);
    return key;
}

int TGLCylinderBase::MeshSlices() const { return std::clamp(fSlices, 3, 4096); }
int TGLCylinderBase::MeshStacks() const { return std::clamp(fStacks, 1, 4096); }

// Points around the axis run from +X towards -Z, so that a quad
// (a_i, a_i+1) between a lower and an upper ring is counter-clockwise seen
// from outside.
static TVector3 RingPoint(float r, float y, double angle)
{
    return {static_cast<float>(r * std::cos(angle)), y, static_cast<float>(-r * std::sin(angle))};
}

void TGLCylinderBase::AddSide(TGLMesh& mesh, float rBottom, float rTop, bool inward) const
{
    const int slices = MeshSlices(), stacks = MeshStacks();
    const float h = fHeight;
    if (rBottom == 0 && rTop == 0) return;
    if (h == 0 && rBottom == rTop) return; // no area
    const double step = 2 * M_PI / slices;
    for (int i = 0; i < slices; ++i) {
        const double a0 = i * step, a1 = (i + 1) * step;
        // Outward normal: H along the radial direction plus (rBottom - rTop)
        // along Y.
        auto normal = [&](double a) {
            TVector3 n{static_cast<float>(h * std::cos(a)), rBottom - rTop, static_cast<float>(-h * std::sin(a))};
            n = Normalized(n);
            return inward ? -n : n;
        };
        const TVector3 n0 = normal(a0), n1 = normal(a1);
        for (int j = 0; j < stacks; ++j) {
            const float t0 = float(j) / stacks, t1 = float(j + 1) / stacks;
            const float y0 = -h / 2 + h * t0, y1 = -h / 2 + h * t1;
            const float r0 = rBottom + (rTop - rBottom) * t0, r1 = rBottom + (rTop - rBottom) * t1;
            const TVector3 p00 = RingPoint(r0, y0, a0), p10 = RingPoint(r0, y0, a1);
            const TVector3 p01 = RingPoint(r1, y1, a0), p11 = RingPoint(r1, y1, a1);
            if (!inward) {
                mesh.AddVertex(p00, n0); mesh.AddVertex(p10, n1); mesh.AddVertex(p11, n1);
                mesh.AddVertex(p00, n0); mesh.AddVertex(p11, n1); mesh.AddVertex(p01, n0);
            } else {
                mesh.AddVertex(p00, n0); mesh.AddVertex(p11, n1); mesh.AddVertex(p10, n1);
                mesh.AddVertex(p00, n0); mesh.AddVertex(p01, n0); mesh.AddVertex(p11, n1);
            }
        }
    }
}

void TGLCylinderBase::AddRing(TGLMesh& mesh, float y, float rInner, float rOuter, bool facingUp) const
{
    if (rOuter == rInner) return;
    const int slices = MeshSlices();
    const double step = 2 * M_PI / slices;
    const TVector3 n{0, facingUp ? 1.0f : -1.0f, 0};
    for (int i = 0; i < slices; ++i) {
        const double a0 = i * step, a1 = (i + 1) * step;
        const TVector3 o0 = RingPoint(rOuter, y, a0), o1 = RingPoint(rOuter, y, a1);
        const TVector3 i0 = RingPoint(rInner, y, a0), i1 = RingPoint(rInner, y, a1);
        // Seen from +Y the angle runs counter-clockwise (from +X towards -Z).
        if (facingUp) {
            mesh.AddTriangle(i0, o0, o1, n);
            if (rInner != 0) mesh.AddTriangle(i0, o1, i1, n);
        } else {
            mesh.AddTriangle(i0, o1, o0, n);
            if (rInner != 0) mesh.AddTriangle(i0, i1, o1, n);
        }
    }
}

void TGLCylinder::BuildMesh(TGLMesh& mesh) const
{
    AddSide(mesh, BottomRadius(), TopRadius(), false);
    // With no height the two discs would lie in the plane of the side and
    // fill the ring's hole: a flat cylinder is the ring alone.
    if (Height() == 0) return;
    AddRing(mesh, Height() / 2, 0, TopRadius(), true);
    AddRing(mesh, -Height() / 2, 0, BottomRadius(), false);
}

void TGLAnnulus::BuildMesh(TGLMesh& mesh) const
{
    AddSide(mesh, BottomRadius(), TopRadius(), false);
    const bool thinWall = fTopInnerRadius == TopRadius() && fBottomInnerRadius == BottomRadius();
    if (thinWall) return; // one wall, drawn from both sides
    AddSide(mesh, fBottomInnerRadius, fTopInnerRadius, true);
    AddRing(mesh, Height() / 2, fTopInnerRadius, TopRadius(), true);
    if (Height() == 0) return; // a flat washer: the two rings would coincide
    AddRing(mesh, -Height() / 2, fBottomInnerRadius, BottomRadius(), false);
}

// --- sphere ---

void TGLSphere::SetTexture(int width, int height, std::vector<uint32_t> rgba)
{
    if (width <= 0 || height <= 0 || rgba.size() != size_t(width) * size_t(height)) {
        fTexWidth = fTexHeight = 0;
        fTexture.clear();
    } else {
        fTexWidth = width;
        fTexHeight = height;
        fTexture = std::move(rgba);
    }
    GeometryChanged();
}

void TGLSphere::SetCheckerboardTexture(int size, int square)
{
    if (size <= 0 || square <= 0) return SetTexture(0, 0, {});
    std::vector<uint32_t> px(size_t(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            px[size_t(y) * size + x] = ((x / square + y / square) % 2) ? 0xFF000000u : 0xFFFFFFFFu;
    SetTexture(size, size, std::move(px));
}

static int SphereSlices(int slices) { return std::clamp(slices, 3, 4096); }
static int SphereStacks(int stacks) { return std::clamp(stacks, 2, 4096); }

std::string TGLSpaceText::GeometryKey() const
{
    std::string key = MakeGeometryKey(*this, fTextHeight, fOblique, fAdjust.Horz, fAdjust.Vert, fFont.Bold,
                                      fFont.Italic, fFont.Name.size());
    // The font name and the text last: the name's length above keeps the
    // two apart.
    key.append(fFont.Name);
    key.append(fText);
    return key;
}

std::string TGLSphere::GeometryKey() const
{
    if (!fTexture.empty()) return {};
    return MakeGeometryKey(*this, fRadius, SphereSlices(fSlices), SphereStacks(fStacks));
}

void TGLSphere::BuildMesh(TGLMesh& mesh) const
{
    const int slices = SphereSlices(fSlices), stacks = SphereStacks(fStacks);
    auto vertex = [&](int i, int j) {
        // j from the south pole (0) to the north pole (stacks).
        const double lat = -M_PI / 2 + M_PI * j / stacks, lon = 2 * M_PI * i / slices;
        const TVector3 n{static_cast<float>(std::cos(lat) * std::cos(lon)), static_cast<float>(std::sin(lat)),
                         static_cast<float>(-std::cos(lat) * std::sin(lon))};
        mesh.AddVertex(n * fRadius, n, float(i) / slices, float(j) / stacks);
    };
    for (int j = 0; j < stacks; ++j)
        for (int i = 0; i < slices; ++i) {
            vertex(i, j); vertex(i + 1, j); vertex(i + 1, j + 1);
            vertex(i, j); vertex(i + 1, j + 1); vertex(i, j + 1);
        }
}

// --- camera ---

void TGLCamera::SetTargetObject(TGLBaseSceneObject* target)
{
    fTarget = target ? target->AliveToken() : nullptr;
}

TVector3 TGLCamera::TargetPosition() const
{
    if (auto* t = TargetObject()) return t->AbsolutePosition();
    return AbsolutePosition() + AbsoluteDirection();
}

float TGLCamera::DistanceToTarget() const { return Length(TargetPosition() - AbsolutePosition()); }

void TGLCamera::AdjustDistanceToTarget(float ratio)
{
    const TVector3 target = TargetPosition();
    SetAbsolutePosition(target + (AbsolutePosition() - target) * ratio);
}

TVector3 TGLCamera::ViewDirection() const
{
    TVector3 d = TargetPosition() - AbsolutePosition();
    if (Length(d) < 1e-12f) d = AbsoluteDirection();
    return Normalized(d);
}

TVector3 TGLCamera::ViewUp() const
{
    const TVector3 d = ViewDirection();
    TVector3 up = AbsoluteUp();
    up = up - d * Dot(up, d);
    if (Length(up) < 1e-6f) {
        // Looking along Up: take any perpendicular.
        up = Cross(d, std::fabs(d.X) < 0.9f ? TVector3{1, 0, 0} : TVector3{0, 1, 0});
    }
    return Normalized(up);
}

TMatrix4 TGLCamera::ViewMatrix() const
{
    const TVector3 f = ViewDirection(), u = ViewUp(), r = Normalized(Cross(f, u));
    const TVector3 eye = AbsolutePosition();
    TMatrix4 m;
    m.m = {r.X, u.X, -f.X, 0, r.Y, u.Y, -f.Y, 0, r.Z, u.Z, -f.Z, 0,
           -Dot(r, eye), -Dot(u, eye), Dot(f, eye), 1};
    return m;
}

void TGLCamera::RotateObject(TGLBaseSceneObject* obj, float pitchDelta, float turnDelta, float rollDelta)
{
    if (!obj) return;
    const TVector3 view = ViewDirection(), up = ViewUp(), right = Normalized(Cross(view, up));
    obj->RotateAbsolute(view, rollDelta);
    obj->RotateAbsolute(up, turnDelta);
    obj->RotateAbsolute(right, pitchDelta);
}

TVector3 TGLCamera::ScreenDeltaToVectorXY(float dx, float dy, float ratio) const
{
    return (ViewRight() * dx + ViewUp() * dy) * ratio;
}

float TGLCamera::UnitsPerPixel() const
{
    const float f = FocalLength != 0 ? std::fabs(FocalLength) : 1e-6f;
    return static_cast<float>(std::max(DistanceToTarget(), 1e-6f) * PixelAngleFactor / f);
}

float TGLCamera::NearPlane() const { return std::max(DepthOfView * 1e-3f, 1e-4f); }
float TGLCamera::FarPlane() const { return std::max(DepthOfView, NearPlane() * 2); }

} // namespace qv::scene
