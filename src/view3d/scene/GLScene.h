#pragma once
// The retained-mode scene of the 3D view: a tree of nodes (groups, boxes,
// cylinders, annuli, spheres, polylines, flat texts, lights, cameras), each
// owning its children, with materials and the colour conversion of the
// program's $00BBGGRR colours. Nothing here touches OpenGL or a widget; the
// renderer (GLRender.h) draws a scene, the viewer widget shows it.
#include "core/Color.h"
#include "view3d/scene/GLVectorGeometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace qv::scene {

// The RGB value of a colour; a system colour is replaced by the usual
// default of that system colour.
TColor ResolveSystemColor(TColor c);
// $00BBGGRR to RGBA floats with the given alpha.
TColorVector ConvertWinColor(TColor c, float alpha = 1.0f);

enum TBlendingMode { bmOpaque, bmTransparency };

struct TGLFaceProperties {
    TColorVector Ambient{0.2f, 0.2f, 0.2f, 1.0f};
    TColorVector Diffuse{0.8f, 0.8f, 0.8f, 1.0f};
};

// Front and back face colours and whether the object is blended. With
// bmTransparency the diffuse alpha is the opacity; with bmOpaque it is
// ignored.
struct TGLMaterial {
    TGLFaceProperties FrontProperties;
    TGLFaceProperties BackProperties;
    TBlendingMode BlendingMode = bmOpaque;
};

// Triangles with per-vertex normals (and texture coordinates where the
// kind has a texture), in the node's local frame. Front faces are counter-
// clockwise seen from the side the normal points to.
struct TGLMesh {
    std::vector<float> Positions; // x, y, z per vertex
    std::vector<float> Normals;   // x, y, z per vertex
    std::vector<float> TexCoords; // s, t per vertex; empty without texture

    size_t VertexCount() const { return Positions.size() / 3; }
    size_t TriangleCount() const { return VertexCount() / 3; }
    void AddVertex(const TVector3& p, const TVector3& n);
    void AddVertex(const TVector3& p, const TVector3& n, float s, float t);
    void AddTriangle(const TVector3& a, const TVector3& b, const TVector3& c, const TVector3& n);
    TVector3 Vertex(size_t i) const { return {Positions[3 * i], Positions[3 * i + 1], Positions[3 * i + 2]}; }
    TVector3 Normal(size_t i) const { return {Normals[3 * i], Normals[3 * i + 1], Normals[3 * i + 2]}; }
};

class TGLScene;
namespace cache {
struct TSharedMesh;
}

// One node of the tree. Its local frame has the axes X = Up x Direction,
// Y = Up, Z = Direction, each multiplied by Scale, and the origin
// Position within the parent's frame. Direction and Up stay orthonormal.
class TGLBaseSceneObject {
public:
    TGLBaseSceneObject();
    virtual ~TGLBaseSceneObject();
    TGLBaseSceneObject(const TGLBaseSceneObject&) = delete;
    TGLBaseSceneObject& operator=(const TGLBaseSceneObject&) = delete;

    // --- tree ---
    // Creates a node of kind T as the last child and returns it (owned by
    // this node).
    template <class T, class... A>
    T* AddNewChild(A&&... args)
    {
        auto* child = new T(std::forward<A>(args)...);
        Adopt(child);
        return child;
    }
    int Count() const { return static_cast<int>(fChildren.size()); }
    TGLBaseSceneObject* Children(int i) const { return fChildren.at(static_cast<size_t>(i)); }
    TGLBaseSceneObject* Parent() const { return fParent; }
    int IndexOfChild(const TGLBaseSceneObject* child) const;
    // Frees every child (and their subtrees).
    void DeleteChildren();
    // Moves the node under another parent (or none), keeping its local values.
    void MoveTo(TGLBaseSceneObject* newParent);

    // --- placement ---
    const TVector3& Position() const { return fPosition; }
    void SetPosition(const TVector3& p) { fPosition = p; }
    void SetPosition(float x, float y, float z) { fPosition = {x, y, z}; }
    void SetPosition(int index, float value) { fPosition[index] = value; }

    const TVector3& Direction() const { return fDirection; }
    void SetDirection(const TVector3& d);
    void SetDirection(float x, float y, float z) { SetDirection(TVector3{x, y, z}); }
    void SetDirection(int index, float value);

    const TVector3& Up() const { return fUp; }
    void SetUp(const TVector3& u);
    void SetUp(float x, float y, float z) { SetUp(TVector3{x, y, z}); }
    void SetUp(int index, float value);

    const TVector3& Scale() const { return fScale; }
    void SetScale(const TVector3& s) { fScale = s; }
    void SetScale(float x, float y, float z) { fScale = {x, y, z}; }
    void SetScale(int index, float value) { fScale[index] = value; }

    // The local X axis (unscaled): Up x Direction.
    TVector3 LeftVector() const { return Cross(fUp, fDirection); }

    // --- rotation ---
    float PitchAngle() const { return fPitchAngle; }
    float TurnAngle() const { return fTurnAngle; }
    float RollAngle() const { return fRollAngle; }
    // Absolute: turn Up about Direction by the change of the roll angle.
    void SetRollAngle(float angle);
    // Absolute: turn Up and Direction about Direction x Up by the change.
    void SetPitchAngle(float angle);
    // Relative: Up turns about Direction by -angle degrees (right-handed).
    void Roll(float angle);
    // Relative: Up and Direction turn by +angle about Direction x Up.
    void Pitch(float angle);
    // No rotation: Direction (0, 0, 1), Up (0, 1, 0), angles 0; position
    // and scale stay.
    void ResetRotations();
    // From no rotation, clockwise by pitch about Direction x Up, then by
    // turn about the new Up, then by roll about the new Direction.
    void ResetAndPitchTurnRoll(float pitch, float turn, float roll);
    // Turns the node clockwise (seen from the axis tip) about an axis given
    // in world coordinates; position and scale stay. Angle 0 does nothing.
    void RotateAbsolute(const TVector3& worldAxis, float angle);

    // --- matrices ---
    TMatrix4 LocalMatrix() const;
    TMatrix4 AbsoluteMatrix() const;
    TVector3 AbsolutePosition() const { return AbsoluteMatrix().Translation(); }
    // Places the node so that its origin lands on p in world coordinates.
    void SetAbsolutePosition(const TVector3& p);
    // Direction and Up in world coordinates (unit vectors).
    TVector3 AbsoluteDirection() const;
    TVector3 AbsoluteUp() const;

    // --- state ---
    bool Visible = true;
    bool Pickable = true; // stored only: the view never picks
    bool ShowAxes = false;
    int32_t Tag = 0;
    float TagFloat = 0;

    // --- drawing ---
    // The material of kinds that have one, else nullptr.
    virtual TGLMaterial* Material() { return nullptr; }
    const TGLMaterial* Material() const { return const_cast<TGLBaseSceneObject*>(this)->Material(); }
    // True when the node is drawn in the second (blended) pass.
    virtual bool IsBlended() const;
    // True for kinds whose geometry is cached as a mesh.
    virtual bool HasMesh() const { return false; }
    // Builds the node's triangles in its local frame (only for HasMesh).
    virtual void BuildMesh(TGLMesh& mesh) const {}
    // What the mesh is made of: the node's kind and every parameter that
    // shapes it, bit for bit. Nodes with equal keys build equal meshes, so
    // the renderer compiles one copy for all of them (a big manifold has
    // thousands of equal hole segments). Empty for geometry that is the
    // node's own (text, textured spheres). A kind that overrides BuildMesh
    // with parameters of its own must add them to the key.
    virtual std::string GeometryKey() const { return {}; }
    // Length of the axes drawn with ShowAxes.
    virtual float AxesLength() const { return 1.0f; }
    // Counts every change that needs a new mesh.
    uint64_t GeometryVersion() const { return fGeometryVersion; }

    // Token that becomes null when the node is freed (for weak references
    // such as a camera's target).
    std::shared_ptr<TGLBaseSceneObject*> AliveToken() const { return fAlive; }

    // A cached copy of the node's geometry in one GL share group. The
    // renderer owns the contents; the node hands them back when it dies.
    // A keyed node draws the group's shared display list of its key (one
    // use counted); any other node has a vertex buffer of its own.
    struct TCacheEntry {
        uint64_t Group = 0;
        const cache::TSharedMesh* Shared = nullptr; // the shared mesh of Key
        uint32_t Buffer = 0;     // the node's own vertices: positions, normals, texture coordinates
        uint32_t Vertices = 0;   // in Buffer
        bool TexCoords = false;  // Buffer holds texture coordinates
        uint32_t Texture = 0;
        uint64_t Version = 0;    // the node's GeometryVersion built; 0: nothing yet
        std::string Key;         // the shared mesh used, empty for a buffer of its own
    };
    std::vector<TCacheEntry>& CacheEntries() { return fCache; }

protected:
    void GeometryChanged() { ++fGeometryVersion; }

private:
    void Adopt(TGLBaseSceneObject* child);
    void Unlink();
    // Makes Up orthogonal to Direction again after Direction changed.
    void OrthonormalizeFromDirection();
    // Makes Direction orthogonal to Up again after Up changed.
    void OrthonormalizeFromUp();

    TGLBaseSceneObject* fParent = nullptr;
    std::vector<TGLBaseSceneObject*> fChildren;
    TVector3 fPosition{0, 0, 0};
    TVector3 fDirection{0, 0, 1};
    TVector3 fUp{0, 1, 0};
    TVector3 fScale{1, 1, 1};
    float fPitchAngle = 0, fTurnAngle = 0, fRollAngle = 0;
    uint64_t fGeometryVersion = 1;
    std::vector<TCacheEntry> fCache;
    std::shared_ptr<TGLBaseSceneObject*> fAlive;
};

// Creates a node of kind T as the last child of parent.
template <class T>
T* CreateAsChild(TGLBaseSceneObject* parent)
{
    return parent->AddNewChild<T>();
}

// A node carrying a material.
class TGLSceneObject : public TGLBaseSceneObject {
public:
    TGLMaterial* Material() override { return &fMaterial; }
    TGLMaterial& GetMaterial() { return fMaterial; }

private:
    TGLMaterial fMaterial;
};

// Groups children; draws nothing but its axes.
class TGLDummyCube : public TGLBaseSceneObject {
public:
    float CubeSize = 1.0f;
    float AxesLength() const override { return CubeSize; }
};

// A closed box centred on the origin.
class TGLCube : public TGLSceneObject {
public:
    float CubeWidth() const { return fWidth; }
    float CubeHeight() const { return fHeight; }
    float CubeDepth() const { return fDepth; }
    void SetCubeWidth(float v) { fWidth = v; GeometryChanged(); }
    void SetCubeHeight(float v) { fHeight = v; GeometryChanged(); }
    void SetCubeDepth(float v) { fDepth = v; GeometryChanged(); }
    bool HasMesh() const override { return true; }
    void BuildMesh(TGLMesh& mesh) const override;
    std::string GeometryKey() const override;

private:
    float fWidth = 1, fHeight = 1, fDepth = 1;
};

// Common parameters of cylinders and annuli: a solid of revolution along
// local Y, centred, the top at +Height/2.
class TGLCylinderBase : public TGLSceneObject {
public:
    float TopRadius() const { return fTopRadius; }
    float BottomRadius() const { return fBottomRadius; }
    float Height() const { return fHeight; }
    int Slices() const { return fSlices; }
    int Stacks() const { return fStacks; }
    void SetTopRadius(float v) { fTopRadius = v; GeometryChanged(); }
    void SetBottomRadius(float v) { fBottomRadius = v; GeometryChanged(); }
    void SetHeight(float v) { fHeight = v; GeometryChanged(); }
    void SetSlices(int v) { fSlices = v; GeometryChanged(); }
    void SetStacks(int v) { fStacks = v; GeometryChanged(); }
    bool HasMesh() const override { return true; }
    std::string GeometryKey() const override;

protected:
    // Slices and stacks as used for meshing (at least 3 and 1).
    int MeshSlices() const;
    int MeshStacks() const;
    // A side wall from radius rBottom at -Height/2 to rTop at +Height/2;
    // outward normals point away from the axis (towards it when inward).
    void AddSide(TGLMesh& mesh, float rBottom, float rTop, bool inward) const;
    // A flat ring (or disc when rInner is 0) at height y facing up or down.
    void AddRing(TGLMesh& mesh, float y, float rInner, float rOuter, bool facingUp) const;

private:
    float fTopRadius = 0.5f, fBottomRadius = 0.5f, fHeight = 1.0f;
    int fSlices = 16, fStacks = 4;
};

// A closed frustum: side, top disc and bottom disc. With Height 0 only the
// side is drawn, which is then the flat ring between the two radii.
class TGLCylinder : public TGLCylinderBase {
public:
    void BuildMesh(TGLMesh& mesh) const override;
};

// A thick tube: outer side, inner side, top ring and bottom ring. With the
// inner radii equal to the outer radii it is one thin wall without rings.
class TGLAnnulus : public TGLCylinderBase {
public:
    float TopInnerRadius() const { return fTopInnerRadius; }
    float BottomInnerRadius() const { return fBottomInnerRadius; }
    void SetTopInnerRadius(float v) { fTopInnerRadius = v; GeometryChanged(); }
    void SetBottomInnerRadius(float v) { fBottomInnerRadius = v; GeometryChanged(); }
    void BuildMesh(TGLMesh& mesh) const override;
    std::string GeometryKey() const override;

private:
    float fTopInnerRadius = 0.3f, fBottomInnerRadius = 0.3f;
};

// A textured sphere centred on the origin. The texture is an RGBA image
// (rows from the top) wrapped around it, longitude along s.
class TGLSphere : public TGLSceneObject {
public:
    float Radius() const { return fRadius; }
    int Slices() const { return fSlices; }
    int Stacks() const { return fStacks; }
    void SetRadius(float v) { fRadius = v; GeometryChanged(); }
    void SetSlices(int v) { fSlices = v; GeometryChanged(); }
    void SetStacks(int v) { fStacks = v; GeometryChanged(); }
    void SetTexture(int width, int height, std::vector<uint32_t> rgba);
    // A black-and-white checkerboard of size x size pixels with squares of
    // the given size.
    void SetCheckerboardTexture(int size, int square);
    int TextureWidth() const { return fTexWidth; }
    int TextureHeight() const { return fTexHeight; }
    // Pixels as 0xAABBGGRR (bytes R, G, B, A in memory order).
    const std::vector<uint32_t>& TexturePixels() const { return fTexture; }
    bool HasMesh() const override { return true; }
    void BuildMesh(TGLMesh& mesh) const override;
    // Empty with a texture: each textured sphere keeps its own geometry.
    std::string GeometryKey() const override;

private:
    float fRadius = 0.5f;
    int fSlices = 16, fStacks = 16;
    int fTexWidth = 0, fTexHeight = 0;
    std::vector<uint32_t> fTexture;
};

enum TGLLineNodesAspect { lnaInvisible, lnaAxes, lnaCube };

// A connected strip through its nodes, unlit, in LineColor.
class TGLLines : public TGLBaseSceneObject {
public:
    void AddNode(float x, float y, float z) { fNodes.push_back({x, y, z}); }
    void AddNode(const TVector3& p) { fNodes.push_back(p); }
    const std::vector<TVector3>& Nodes() const { return fNodes; }
    void ClearNodes() { fNodes.clear(); }
    bool IsBlended() const override { return LineColor[3] < 1.0f; }

    TColorVector LineColor{1, 1, 1, 1};
    float LineWidth = 1.0f;
    TGLLineNodesAspect NodesAspect = lnaAxes;

private:
    std::vector<TVector3> fNodes;
};

enum TGLTextHorzAdjust { haLeft, haCenter, haRight };
enum TGLTextVertAdjust { vaBaseLine, vaCenter, vaTop, vaBottom };

struct TGLTextAdjust {
    TGLTextHorzAdjust Horz = haLeft;
    TGLTextVertAdjust Vert = vaBaseLine;
};

struct TGLFont {
    std::string Name = "Arial";
    bool Bold = false;
    bool Italic = false;
};

// Flat filled glyph outlines in the local XY plane, reading along +X with
// +Y up, scaled so that the tallest glyph of the text is TextHeight high,
// then turned by Oblique degrees counter-clockwise about +Z. Building the
// mesh needs a QGuiApplication (the font engine).
class TGLSpaceText : public TGLSceneObject {
public:
    const std::string& Text() const { return fText; }
    float TextHeight() const { return fTextHeight; }
    float Oblique() const { return fOblique; }
    const TGLTextAdjust& Adjust() const { return fAdjust; }
    const TGLFont& Font() const { return fFont; }
    void SetText(const std::string& text) { fText = text; GeometryChanged(); }
    void SetTextHeight(float h) { fTextHeight = h; GeometryChanged(); }
    void SetOblique(float degrees) { fOblique = degrees; GeometryChanged(); }
    void SetAdjust(const TGLTextAdjust& a) { fAdjust = a; GeometryChanged(); }
    void SetAdjustHorz(TGLTextHorzAdjust h) { fAdjust.Horz = h; GeometryChanged(); }
    void SetAdjustVert(TGLTextVertAdjust v) { fAdjust.Vert = v; GeometryChanged(); }
    void SetFont(const TGLFont& f) { fFont = f; GeometryChanged(); }
    bool HasMesh() const override { return true; }
    void BuildMesh(TGLMesh& mesh) const override;
    // Equal texts in the same font, height, slant and adjustment share
    // their mesh (the same port letters and item numbers recur).
    std::string GeometryKey() const override;

private:
    std::string fText;
    float fTextHeight = 1.0f;
    float fOblique = 0;
    TGLTextAdjust fAdjust;
    TGLFont fFont;
};

// A point light at the node's position (a spot light along its Direction
// when SpotCutOff is below 180).
class TGLLightSource : public TGLBaseSceneObject {
public:
    bool Shining = true;
    float ConstAttenuation = 1.0f;
    float LinearAttenuation = 0.0f;
    float QuadraticAttenuation = 0.0f;
    float SpotCutOff = 180.0f;
    TColorVector Ambient{0, 0, 0, 1};
    TColorVector Diffuse{1, 1, 1, 1};
    TColorVector Specular{1, 1, 1, 1};
};

enum TGLCameraStyle { csPerspective, csOrthogonal };

// The eye of the view. It looks at its target when it has one, else along
// its Direction. Framing: at the target distance d one screen pixel (of the
// view's reference size) spans d * 0.12 / FocalLength scene units in both
// styles, so switching the style keeps the picture size at the target.
class TGLCamera : public TGLBaseSceneObject {
public:
    // Angle in radians that one reference pixel spans, times the focal
    // length. The navigation's pan step (d * 0.12 / FocalLength per pixel in
    // perspective) relies on it to keep the model under the pointer.
    static constexpr double PixelAngleFactor = 0.12;

    float FocalLength = 50.0f;
    float DepthOfView = 100.0f;
    TGLCameraStyle CameraStyle = csPerspective;

    void SetTargetObject(TGLBaseSceneObject* target);
    TGLBaseSceneObject* TargetObject() const { return fTarget ? *fTarget : nullptr; }

    // World point looked at: the target's absolute position, or a point
    // one unit ahead along Direction without a target.
    TVector3 TargetPosition() const;
    float DistanceToTarget() const;
    // Moves the camera along the line to its target so that the distance
    // becomes ratio times the current one.
    void AdjustDistanceToTarget(float ratio);

    // Unit vectors in world coordinates: viewing direction, up (made
    // orthogonal to the viewing direction) and right = view x up.
    TVector3 ViewDirection() const;
    TVector3 ViewUp() const;
    TVector3 ViewRight() const { return Normalized(Cross(ViewDirection(), ViewUp())); }
    // World-to-eye matrix.
    TMatrix4 ViewMatrix() const;

    // Turns obj in world space clockwise about the viewing direction by
    // roll, then about the camera's up by turn, then about its right vector
    // by pitch; position and scale stay.
    void RotateObject(TGLBaseSceneObject* obj, float pitchDelta, float turnDelta, float rollDelta = 0);
    // A screen movement (dx to the right, dy upwards) as a world vector in
    // the screen plane, times ratio.
    TVector3 ScreenDeltaToVectorXY(float dx, float dy, float ratio) const;

    // Scene units per reference pixel at the target distance.
    float UnitsPerPixel() const;
    // Near and far clipping distances.
    float NearPlane() const;
    float FarPlane() const;

private:
    std::shared_ptr<TGLBaseSceneObject*> fTarget;
};

// The scene: a root node whose subtree is drawn.
class TGLScene {
public:
    TGLScene() : fObjects(std::make_unique<TGLDummyCube>()) {}
    TGLDummyCube* Objects() const { return fObjects.get(); }

private:
    std::unique_ptr<TGLDummyCube> fObjects;
};

// The share groups of GL contexts that hold cached node geometry. A
// renderer registers its group when its context is created and releases it
// when the context goes away; nodes that die hand their GL names to the
// group's queue, which the renderer empties with the context current.
namespace cache {
uint64_t RegisterGroup();
void ReleaseGroup(uint64_t group);
bool IsLive(uint64_t group);
// GL names waiting for deletion in a group (taken out of the queue).
struct TPending {
    std::vector<uint32_t> Lists;
    std::vector<uint32_t> Textures;
    std::vector<uint32_t> Buffers;
};
TPending TakePending(uint64_t group);

// The shared meshes of a group, one per geometry key, counted by the cache
// entries that use them. A mesh one node uses sits in a vertex buffer,
// which uploads several times faster than a display list compiles; once a
// second node uses it, it is compiled into a display list, which Mesa
// draws fastest (the driver merges and indexes list vertices). A frame of
// thousands of equal hole segments then compiles a few dozen lists, and
// the unique shapes cost one buffer upload each.
struct TSharedMesh {
    uint32_t List = 0;      // once a second user came
    uint32_t Buffer = 0;    // until then: positions, normals (and texture coordinates)
    uint32_t Vertices = 0;  // in Buffer
    bool TexCoords = false; // Buffer holds texture coordinates
    size_t Users = 0;
};
// One more user of the mesh of key, or nullptr when the group has none
// (then nothing is counted).
TSharedMesh* UseShared(uint64_t group, const std::string& key);
// A new, empty mesh for key with its first user (nullptr for a group that
// is gone).
TSharedMesh* AddShared(uint64_t group, const std::string& key);
// One user less. A mesh left without users is kept until the end of the
// next frame (SweepUnused): a scene rebuilt after a settings change makes
// the same shapes again, and its first frame finds them compiled.
void ReleaseShared(uint64_t group, const std::string& key);
// Queues the meshes still without users for deletion; the renderer calls
// it at the end of every frame.
void SweepUnused(uint64_t group);
// How many shared meshes nodes of a group use.
size_t SharedMeshCount(uint64_t group);
} // namespace cache

} // namespace qv::scene
