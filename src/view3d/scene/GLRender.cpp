// Buffer objects (OpenGL 1.5) and framebuffer objects (OpenGL 3.0) straight
// from libGL, so the renderer works with any current context, not only Qt's
// (the surfaceless EGL context of the headless commands included); defined
// before any header can bring in gl.h.
#define GL_GLEXT_PROTOTYPES 1
#include "view3d/scene/GLRender.h"

#include "core/Tolerance.h"

#include <QFile>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace qv::scene {

// --- projection ---

// Angle (radians) one reference pixel spans; a focal length of 200 gives
// 0.0006, about a 26 degree view across 750 pixels.
static double AnglePerPixel(const TGLCamera& camera)
{
    const double f = camera.FocalLength != 0 ? std::fabs(double(camera.FocalLength)) : 1e-6;
    return TGLCamera::PixelAngleFactor / f;
}

TFrustum ComputeFrustum(const TGLCamera& camera, const TRenderView& view)
{
    const double w = std::max(view.ImageWidth, 1), h = std::max(view.ImageHeight, 1);
    const double refW = view.RefWidth > 0 ? view.RefWidth : w, refH = view.RefHeight > 0 ? view.RefHeight : h;
    // Picture pixels per reference pixel: the picture shows at least the
    // reference framing in both directions.
    const double s = std::min(w / refW, h / refH);
    TFrustum fr;
    fr.Perspective = camera.CameraStyle == csPerspective;
    double halfW, halfH;
    if (fr.Perspective) {
        fr.Near = camera.NearPlane();
        fr.Far = camera.FarPlane();
        const double perPixel = fr.Near * AnglePerPixel(camera) / s;
        halfW = w / 2 * perPixel;
        halfH = h / 2 * perPixel;
    } else {
        fr.Far = camera.FarPlane();
        fr.Near = -fr.Far;
        const double perPixel = camera.UnitsPerPixel() / s;
        halfW = w / 2 * perPixel;
        halfH = h / 2 * perPixel;
    }
    const int tw = view.TileWidth > 0 ? view.TileWidth : view.ImageWidth;
    const int th = view.TileHeight > 0 ? view.TileHeight : view.ImageHeight;
    fr.Left = -halfW + 2 * halfW * view.TileX / w;
    fr.Right = -halfW + 2 * halfW * (view.TileX + tw) / w;
    fr.Bottom = -halfH + 2 * halfH * view.TileY / h;
    fr.Top = -halfH + 2 * halfH * (view.TileY + th) / h;
    return fr;
}

float FieldOfViewOf(const TGLCamera& camera, double refWidth, double refHeight)
{
    const double side = std::max(1.0, std::min(refWidth, refHeight));
    return static_cast<float>(2 * std::atan(side / 2 * AnglePerPixel(camera)) * qv::RadToDeg);
}

float FocalLengthFor(float fieldOfView, double refWidth, double refHeight)
{
    const double side = std::max(1.0, std::min(refWidth, refHeight));
    const double fov = std::clamp(double(fieldOfView), 1e-3, 179.0);
    return static_cast<float>(side / 2 * TGLCamera::PixelAngleFactor / std::tan(fov / 2 * qv::DegToRad));
}

// --- geometry cache ---

void FlushCache(uint64_t group)
{
    const cache::TPending p = cache::TakePending(group);
    for (uint32_t list : p.Lists) glDeleteLists(list, 1);
    if (!p.Textures.empty()) glDeleteTextures(GLsizei(p.Textures.size()), p.Textures.data());
    if (!p.Buffers.empty()) glDeleteBuffers(GLsizei(p.Buffers.size()), p.Buffers.data());
}

namespace {

void CompileMesh(const TGLMesh& mesh)
{
    if (mesh.VertexCount() == 0) return;
    glBindBuffer(GL_ARRAY_BUFFER, 0); // the pointers below are client memory
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, mesh.Positions.data());
    glNormalPointer(GL_FLOAT, 0, mesh.Normals.data());
    const bool textured = mesh.TexCoords.size() == mesh.VertexCount() * 2;
    if (textured) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, mesh.TexCoords.data());
    }
    // Arrays inside a display list are copied when the list is compiled.
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(mesh.VertexCount()));
    if (textured) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

uint32_t UploadTexture(const TGLSphere& sphere, uint32_t texture)
{
    if (sphere.TextureWidth() <= 0 || sphere.TexturePixels().empty()) {
        if (texture) glDeleteTextures(1, &texture);
        return 0;
    }
    if (!texture) glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, sphere.TextureWidth(), sphere.TextureHeight(), 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, sphere.TexturePixels().data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

using TCacheEntry = TGLBaseSceneObject::TCacheEntry;

// Where a mesh's vertices go: a node's own buffer or a shared mesh's.
struct TBufferRef {
    uint32_t& Buffer;
    uint32_t& Vertices;
    bool& TexCoords;
};

// The mesh into a vertex buffer: all positions, then all normals, then the
// texture coordinates when the mesh has them.
void UploadBuffer(const TGLMesh& mesh, TBufferRef to)
{
    const size_t n = mesh.VertexCount();
    to.Vertices = uint32_t(n);
    to.TexCoords = n > 0 && mesh.TexCoords.size() == n * 2;
    if (n == 0) {
        if (to.Buffer) glDeleteBuffers(1, &to.Buffer);
        to.Buffer = 0;
        return;
    }
    const auto xyz = GLsizeiptr(n * 3 * sizeof(float));
    const auto st = to.TexCoords ? GLsizeiptr(n * 2 * sizeof(float)) : GLsizeiptr(0);
    if (!to.Buffer) glGenBuffers(1, &to.Buffer);
    glBindBuffer(GL_ARRAY_BUFFER, to.Buffer);
    glBufferData(GL_ARRAY_BUFFER, 2 * xyz + st, nullptr, GL_STATIC_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, xyz, mesh.Positions.data());
    glBufferSubData(GL_ARRAY_BUFFER, xyz, xyz, mesh.Normals.data());
    if (st) glBufferSubData(GL_ARRAY_BUFFER, 2 * xyz, st, mesh.TexCoords.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void DrawBuffer(uint32_t buffer, uint32_t vertices, bool texCoords)
{
    const auto offset = [&](size_t floatsPerVertex) {
        return reinterpret_cast<const void*>(size_t(vertices) * floatsPerVertex * sizeof(float));
    };
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glNormalPointer(GL_FLOAT, 0, offset(3));
    if (texCoords) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, offset(6));
    }
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(vertices));
    if (texCoords) glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

// The node's mesh in the shared mesh of its key: the first user uploads it
// into a vertex buffer; the second compiles it into a display list (the
// node's own mesh is the same, its key being equal) and hands the buffer
// back.
cache::TSharedMesh* UseSharedMesh(const TGLBaseSceneObject& node, const std::string& key, uint64_t group)
{
    if (cache::TSharedMesh* shared = cache::UseShared(group, key)) {
        if (!shared->List && shared->Users >= 2) {
            TGLMesh mesh;
            node.BuildMesh(mesh);
            shared->List = glGenLists(1);
            glNewList(shared->List, GL_COMPILE);
            CompileMesh(mesh);
            glEndList();
            if (shared->Buffer) glDeleteBuffers(1, &shared->Buffer);
            shared->Buffer = 0;
            shared->Vertices = 0;
        }
        return shared;
    }
    cache::TSharedMesh* shared = cache::AddShared(group, key);
    if (!shared) return nullptr;
    TGLMesh mesh;
    node.BuildMesh(mesh);
    UploadBuffer(mesh, {shared->Buffer, shared->Vertices, shared->TexCoords});
    return shared;
}

// The node's compiled geometry in this group, built first when missing or
// out of date. Nodes of equal geometry keys draw one shared mesh of the
// group (see cache::TSharedMesh). Geometry without a key is the node's own
// and goes into a vertex buffer of its own.
const TCacheEntry& CachedGeometry(TGLBaseSceneObject& node, uint64_t group)
{
    auto& entries = node.CacheEntries();
    TCacheEntry* entry = nullptr;
    for (auto& e : entries)
        if (e.Group == group) entry = &e;
    if (!entry) {
        // Entries of contexts that are gone hold nothing any more.
        std::erase_if(entries, [](const auto& e) { return !cache::IsLive(e.Group); });
        entries.push_back({});
        entry = &entries.back();
        entry->Group = group;
    }
    if (entry->Version == node.GeometryVersion()) return *entry;
    std::string key = node.GeometryKey();
    // A change that leaves the key as it was (a value set to itself) keeps
    // the shared mesh.
    if (key.empty() || key != entry->Key) {
        const cache::TSharedMesh* shared = nullptr;
        if (!key.empty()) {
            shared = UseSharedMesh(node, key, group);
            if (entry->Buffer) glDeleteBuffers(1, &entry->Buffer);
            entry->Buffer = 0;
            entry->Vertices = 0;
            entry->TexCoords = false;
        } else {
            TGLMesh mesh;
            node.BuildMesh(mesh);
            UploadBuffer(mesh, {entry->Buffer, entry->Vertices, entry->TexCoords});
        }
        if (!entry->Key.empty()) cache::ReleaseShared(group, entry->Key);
        entry->Key = std::move(key);
        entry->Shared = shared;
    }
    if (auto* sphere = dynamic_cast<TGLSphere*>(&node)) entry->Texture = UploadTexture(*sphere, entry->Texture);
    entry->Version = node.GeometryVersion();
    return *entry;
}

struct TDrawContext {
    TMatrix4 View;
    uint64_t Group = 0;
    bool BlendedPass = false;
};

void SetMaterial(const TGLMaterial& m)
{
    glMaterialfv(GL_FRONT, GL_AMBIENT, m.FrontProperties.Ambient.data());
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m.FrontProperties.Diffuse.data());
    glMaterialfv(GL_BACK, GL_AMBIENT, m.BackProperties.Ambient.data());
    glMaterialfv(GL_BACK, GL_DIFFUSE, m.BackProperties.Diffuse.data());
}

void DrawAxes(float length)
{
    glDisable(GL_LIGHTING);
    glLineWidth(1);
    glBegin(GL_LINES);
    glColor4f(1, 0, 0, 1); glVertex3f(0, 0, 0); glVertex3f(length, 0, 0);
    glColor4f(0, 1, 0, 1); glVertex3f(0, 0, 0); glVertex3f(0, length, 0);
    glColor4f(0, 0, 1, 1); glVertex3f(0, 0, 0); glVertex3f(0, 0, length);
    glEnd();
    glEnable(GL_LIGHTING);
}

void DrawLines(const TGLLines& lines)
{
    if (lines.Nodes().empty()) return;
    glDisable(GL_LIGHTING);
    glColor4fv(lines.LineColor.data());
    glLineWidth(std::max(lines.LineWidth, 0.1f));
    glBegin(GL_LINE_STRIP);
    for (const auto& p : lines.Nodes()) glVertex3f(p.X, p.Y, p.Z);
    glEnd();
    if (lines.NodesAspect != lnaInvisible) {
        glPointSize(4);
        glBegin(GL_POINTS);
        for (const auto& p : lines.Nodes()) glVertex3f(p.X, p.Y, p.Z);
        glEnd();
    }
    glEnable(GL_LIGHTING);
}

void DrawNode(TGLBaseSceneObject& node, const TMatrix4& parentWorld, const TDrawContext& dc)
{
    if (!node.Visible) return;
    const TMatrix4 world = parentWorld * node.LocalMatrix();
    const bool mine = node.IsBlended() == dc.BlendedPass;
    const bool axes = node.ShowAxes && !dc.BlendedPass;
    if ((mine && (node.HasMesh() || dynamic_cast<TGLLines*>(&node))) || axes) {
        const TMatrix4 mv = dc.View * world;
        glLoadMatrixf(mv.m.data());
        if (mine) {
            if (node.HasMesh()) {
                const auto& geo = CachedGeometry(node, dc.Group);
                if (const TGLMaterial* m = node.Material()) SetMaterial(*m);
                if (geo.Texture) {
                    glEnable(GL_TEXTURE_2D);
                    glBindTexture(GL_TEXTURE_2D, geo.Texture);
                    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
                }
                if (const cache::TSharedMesh* shared = geo.Shared) {
                    if (shared->List)
                        glCallList(shared->List);
                    else if (shared->Buffer)
                        DrawBuffer(shared->Buffer, shared->Vertices, shared->TexCoords);
                } else if (geo.Buffer) {
                    DrawBuffer(geo.Buffer, geo.Vertices, geo.TexCoords);
                }
                if (geo.Texture) {
                    glBindTexture(GL_TEXTURE_2D, 0);
                    glDisable(GL_TEXTURE_2D);
                }
            } else if (auto* lines = dynamic_cast<TGLLines*>(&node)) {
                DrawLines(*lines);
            }
        }
        if (axes) DrawAxes(node.AxesLength());
    }
    for (int i = 0; i < node.Count(); ++i) DrawNode(*node.Children(i), world, dc);
}

void CollectLights(TGLBaseSceneObject& node, std::vector<const TGLLightSource*>& lights)
{
    if (auto* l = dynamic_cast<const TGLLightSource*>(&node); l && l->Shining) lights.push_back(l);
    for (int i = 0; i < node.Count(); ++i) CollectLights(*node.Children(i), lights);
}

void SetupLights(const TGLScene& scene, const TMatrix4& view)
{
    std::vector<const TGLLightSource*> lights;
    CollectLights(*scene.Objects(), lights);
    glLoadMatrixf(view.m.data()); // light positions are given in world coordinates
    GLint maxLights = 8;
    glGetIntegerv(GL_MAX_LIGHTS, &maxLights);
    for (int i = 0; i < maxLights; ++i) {
        const GLenum id = GL_LIGHT0 + i;
        if (i >= int(lights.size())) {
            glDisable(id);
            continue;
        }
        const TGLLightSource& l = *lights[size_t(i)];
        const TVector3 p = l.AbsolutePosition();
        const float pos[4] = {p.X, p.Y, p.Z, 1};
        glLightfv(id, GL_POSITION, pos);
        glLightfv(id, GL_AMBIENT, l.Ambient.data());
        glLightfv(id, GL_DIFFUSE, l.Diffuse.data());
        glLightfv(id, GL_SPECULAR, l.Specular.data());
        glLightf(id, GL_CONSTANT_ATTENUATION, l.ConstAttenuation);
        glLightf(id, GL_LINEAR_ATTENUATION, l.LinearAttenuation);
        glLightf(id, GL_QUADRATIC_ATTENUATION, l.QuadraticAttenuation);
        const bool spot = l.SpotCutOff >= 0 && l.SpotCutOff < 90;
        glLightf(id, GL_SPOT_CUTOFF, spot ? l.SpotCutOff : 180.0f);
        if (spot) {
            const TVector3 d = l.AbsoluteDirection();
            const float dir[3] = {d.X, d.Y, d.Z};
            glLightfv(id, GL_SPOT_DIRECTION, dir);
        }
        glEnable(id);
    }
}

} // namespace

void RenderScene(const TGLScene& scene, const TGLCamera& camera, const TRenderView& view)
{
    FlushCache(view.CacheGroup);
    const int tw = view.TileWidth > 0 ? view.TileWidth : view.ImageWidth;
    const int th = view.TileHeight > 0 ? view.TileHeight : view.ImageHeight;
    glViewport(0, 0, tw, th);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(view.Background[0], view.Background[1], view.Background[2], 1);
    glClearDepth(1);
    glDepthMask(GL_TRUE);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const TFrustum fr = ComputeFrustum(camera, view);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (fr.Perspective)
        glFrustum(fr.Left, fr.Right, fr.Bottom, fr.Top, fr.Near, fr.Far);
    else
        glOrtho(fr.Left, fr.Right, fr.Bottom, fr.Top, fr.Near, fr.Far);
    glMatrixMode(GL_MODELVIEW);

    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_CULL_FACE); // nothing is culled: every face is drawn from both sides
    glEnable(GL_NORMALIZE);  // nodes may be scaled
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_MULTISAMPLE);

    const TDrawContext base{camera.ViewMatrix(), view.CacheGroup, false};
    SetupLights(scene, base.View);

    // Opaque objects of the whole tree first, then the blended ones on top;
    // blended objects test depth but do not write it, so transparent
    // objects behind each other all show. They are also pushed back a
    // little in depth: where a transparent face lies in the plane of an
    // opaque one (the block face and the caps of the holes drilled from
    // it) the opaque face shows cleanly instead of a speckled mix.
    glDisable(GL_BLEND);
    DrawNode(*scene.Objects(), TMatrix4::Identity(), base);
    TDrawContext blended = base;
    blended.BlendedPass = true;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1, 1);
    DrawNode(*scene.Objects(), TMatrix4::Identity(), blended);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);

    // Blending leaves the destination alpha below 1; the picture is opaque.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_LIGHTING);
    cache::SweepUnused(view.CacheGroup);
}

// --- off-screen ---

namespace {

// A framebuffer object with plain GL calls, so that off-screen rendering
// works in any current context (Qt's or one made through EGL with no
// window system at all).
class TFramebuffer {
public:
    // A colour buffer of the given internal format, with depth and stencil
    // when wanted; samples 0 for a single-sampled one.
    TFramebuffer(int width, int height, GLenum colorFormat, bool depth, int samples)
    {
        glGenFramebuffers(1, &fFbo);
        glBindFramebuffer(GL_FRAMEBUFFER, fFbo);
        glGenRenderbuffers(2, fRb);
        glBindRenderbuffer(GL_RENDERBUFFER, fRb[0]);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, colorFormat, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, fRb[0]);
        if (depth) {
            glBindRenderbuffer(GL_RENDERBUFFER, fRb[1]);
            glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8, width, height);
            glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, fRb[1]);
        }
        glBindRenderbuffer(GL_RENDERBUFFER, 0);
        fValid = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    ~TFramebuffer()
    {
        glDeleteFramebuffers(1, &fFbo);
        glDeleteRenderbuffers(2, fRb);
    }
    TFramebuffer(const TFramebuffer&) = delete;
    TFramebuffer& operator=(const TFramebuffer&) = delete;

    bool IsValid() const { return fValid; }
    GLuint Id() const { return fFbo; }

private:
    GLuint fFbo = 0, fRb[2] = {0, 0};
    bool fValid = false;
};

// Binds back the framebuffers that were bound before (a widget's own
// framebuffer object, or the window system's 0).
struct TKeepFramebufferBinding {
    GLint Draw = 0, Read = 0;
    TKeepFramebufferBinding()
    {
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &Draw);
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &Read);
    }
    ~TKeepFramebufferBinding()
    {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(Draw));
        glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(Read));
    }
};

} // namespace

QImage RenderSceneToImage(const TGLScene& scene, const TGLCamera& camera, int width, int height,
                          const TOffscreenOptions& options, uint64_t cacheGroup)
{
    if (width <= 0 || height <= 0) throw std::runtime_error("The picture size must be positive.");
    // glGetString answers only in a current context, whoever made it.
    if (!glGetString(GL_VERSION)) throw std::runtime_error("No OpenGL context for rendering.");

    GLint maxRenderbuffer = 0, maxTexture = 0, maxViewport[2] = {0, 0}, maxSamples = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxRenderbuffer);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTexture);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, maxViewport);
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    int tileLimit = std::min({maxRenderbuffer, maxTexture, maxViewport[0], maxViewport[1]});
    if (options.MaxTileSize > 0) tileLimit = std::min(tileLimit, options.MaxTileSize);
    if (tileLimit <= 0) throw std::runtime_error("The OpenGL driver reports no framebuffer size.");
    const int tileW = std::min(width, tileLimit), tileH = std::min(height, tileLimit);

    QImage image(width, height, QImage::Format_RGB888);
    if (image.isNull()) throw std::runtime_error("Not enough memory for a picture of this size.");

    // Draw into a multisampled buffer, resolve into a plain RGB one and
    // read that back.
    const TKeepFramebufferBinding keep;
    const int samples = std::clamp(options.Samples, 0, std::max(maxSamples, 0));
    auto draw = std::make_unique<TFramebuffer>(tileW, tileH, GL_RGBA8, true, samples);
    if (!draw->IsValid() && samples > 0) draw = std::make_unique<TFramebuffer>(tileW, tileH, GL_RGBA8, true, 0);
    TFramebuffer resolve(tileW, tileH, GL_RGB8, false, 0);
    if (!draw->IsValid() || !resolve.IsValid())
        throw std::runtime_error("Could not create an off-screen framebuffer.");

    std::vector<uint8_t> pixels(size_t(tileW) * size_t(tileH) * 3);
    TRenderView view;
    view.ImageWidth = width;
    view.ImageHeight = height;
    view.RefWidth = options.RefWidth;
    view.RefHeight = options.RefHeight;
    view.Background = options.Background;
    view.CacheGroup = cacheGroup;
    for (int y0 = 0; y0 < height; y0 += tileH)
        for (int x0 = 0; x0 < width; x0 += tileW) {
            const int w = std::min(tileW, width - x0), h = std::min(tileH, height - y0);
            view.TileX = x0;
            view.TileY = y0;
            view.TileWidth = w;
            view.TileHeight = h;
            glBindFramebuffer(GL_FRAMEBUFFER, draw->Id());
            RenderScene(scene, camera, view);
            glBindFramebuffer(GL_READ_FRAMEBUFFER, draw->Id());
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, resolve.Id());
            glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
            glBindFramebuffer(GL_FRAMEBUFFER, resolve.Id());
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
            // GL rows run from the bottom; the picture's from the top.
            for (int r = 0; r < h; ++r) {
                uchar* dst = image.scanLine(height - 1 - (y0 + r)) + size_t(x0) * 3;
                std::memcpy(dst, pixels.data() + size_t(r) * size_t(w) * 3, size_t(w) * 3);
            }
        }
    if (glGetError() == GL_OUT_OF_MEMORY) throw std::runtime_error("OpenGL ran out of memory while rendering.");
    return image;
}

void SaveBmp24(const QImage& image, const std::string& path)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull() || !rgb.save(QString::fromStdString(path), "BMP"))
        throw std::runtime_error("Could not write the bitmap file \"" + path + "\".");
}

void SaveNewBmp24(const QImage& image, const std::string& path)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    auto fail = [&path] { throw std::runtime_error("Could not write the bitmap file \"" + path + "\"."); };
    if (rgb.isNull()) fail();
    QFile file(QString::fromStdString(path));
    // NewOnly creates the file exclusively (O_EXCL): it fails on anything
    // at the name, a link included.
    if (!file.open(QIODevice::NewOnly)) fail();
    if (!rgb.save(&file, "BMP") || !file.flush()) {
        file.remove();
        fail();
    }
}

int SupersamplingFactor(int viewWidth, int viewHeight)
{
    if (viewWidth < 1 || viewHeight < 1) return 1;
    const int k = int(std::sqrt(5500000.0 / (double(viewWidth) * double(viewHeight))));
    return std::max(k, 1);
}

// --- own context ---

TGLOffscreenContext::TGLOffscreenContext()
{
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setDepthBufferSize(24);
    fContext = std::make_unique<QOpenGLContext>();
    fContext->setFormat(format);
    if (!fContext->create()) {
        fContext.reset();
        return;
    }
    fSurface = std::make_unique<QOffscreenSurface>();
    fSurface->setFormat(fContext->format());
    fSurface->create();
    if (!fSurface->isValid()) {
        fContext.reset();
        return;
    }
    fGroup = cache::RegisterGroup();
}

TGLOffscreenContext::~TGLOffscreenContext()
{
    if (fContext && fContext->makeCurrent(fSurface.get())) {
        FlushCache(fGroup);
        fContext->doneCurrent();
    }
    // The context's lists and textures go with it.
    cache::ReleaseGroup(fGroup);
    fContext.reset();
    fSurface.reset();
}

bool TGLOffscreenContext::IsValid() const { return fContext && fSurface && fSurface->isValid(); }

bool TGLOffscreenContext::MakeCurrent() { return IsValid() && fContext->makeCurrent(fSurface.get()); }

void TGLOffscreenContext::DoneCurrent()
{
    if (fContext) fContext->doneCurrent();
}

QImage TGLOffscreenContext::Render(const TGLScene& scene, const TGLCamera& camera, int width, int height,
                                   const TOffscreenOptions& options)
{
    if (!MakeCurrent()) throw std::runtime_error("Could not create an OpenGL context for off-screen rendering.");
    struct TDone {
        TGLOffscreenContext* c;
        ~TDone() { c->DoneCurrent(); }
    } done{this};
    return RenderSceneToImage(scene, camera, width, height, options, fGroup);
}

} // namespace qv::scene
