// Flat 3D text: glyph outlines from the font engine, filled by the GLU
// tessellator into triangles.
#include "view3d/scene/GLScene.h"

#include "core/Tolerance.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainterPath>
#include <QString>

#include <GL/glu.h>

#include <array>
#include <cmath>
#include <deque>

namespace qv::scene {

namespace {

// Font size the outlines are taken at; the result is scaled to TextHeight.
constexpr int kOutlinePixelSize = 256;

struct TTessState {
    std::deque<std::array<GLdouble, 3>> Extra; // points made by the combine callback
    std::vector<TVector3> Triangles;           // three points per triangle
    bool Failed = false;
};

void TessBegin(GLenum, void*) {}
void TessEnd(void*) {}
// With an edge-flag callback the tessellator hands out plain triangles only.
void TessEdgeFlag(GLboolean, void*) {}
void TessVertex(void* vertex, void* data)
{
    auto* st = static_cast<TTessState*>(data);
    const auto* v = static_cast<const GLdouble*>(vertex);
    st->Triangles.push_back({static_cast<float>(v[0]), static_cast<float>(v[1]), 0.0f});
}
void TessCombine(GLdouble coords[3], void*[4], GLfloat[4], void** out, void* data)
{
    auto* st = static_cast<TTessState*>(data);
    st->Extra.push_back({coords[0], coords[1], coords[2]});
    *out = st->Extra.back().data();
}
void TessError(GLenum, void* data) { static_cast<TTessState*>(data)->Failed = true; }

} // namespace

void TGLSpaceText::BuildMesh(TGLMesh& mesh) const
{
    if (fText.empty() || !qGuiApp) return;
    QFont font(QString::fromStdString(fFont.Name));
    font.setPixelSize(kOutlinePixelSize);
    font.setBold(fFont.Bold);
    font.setItalic(fFont.Italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    const QString text = QString::fromStdString(fText);

    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    // The font engine's y axis points down; ours up.
    const double top = -bounds.top();     // tallest glyph top above the baseline
    const double bottom = -bounds.bottom(); // lowest glyph bottom (negative below the baseline)
    if (path.isEmpty() || top <= 0) return; // nothing drawn above the baseline
    const double advance = QFontMetricsF(font).horizontalAdvance(text);

    double dx = 0, dy = 0;
    switch (fAdjust.Horz) {
    case haLeft: break;
    case haCenter: dx = -advance / 2; break;
    case haRight: dx = -advance; break;
    }
    switch (fAdjust.Vert) {
    case vaBaseLine: break;
    case vaCenter: dy = -(top + bottom) / 2; break;
    case vaTop: dy = -top; break;
    case vaBottom: dy = -bottom; break;
    }
    const double scale = fTextHeight / top;
    const double a = fOblique * qv::DegToRad, ca = std::cos(a), sa = std::sin(a);

    // Every outline point, transformed, kept alive until the polygon ends.
    const QList<QPolygonF> polygons = path.toSubpathPolygons();
    std::vector<std::array<GLdouble, 3>> points;
    size_t total = 0;
    for (const auto& poly : polygons) total += poly.size();
    points.reserve(total);

    TTessState st;
    GLUtesselator* tess = gluNewTess();
    if (!tess) return;
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<_GLUfuncptr>(TessBegin));
    gluTessCallback(tess, GLU_TESS_END_DATA, reinterpret_cast<_GLUfuncptr>(TessEnd));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<_GLUfuncptr>(TessEdgeFlag));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<_GLUfuncptr>(TessVertex));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(TessCombine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<_GLUfuncptr>(TessError));
    // Glyph contours wind either way depending on the font; non-zero fills
    // the inside and keeps the holes of letters such as "e" and "1".
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessNormal(tess, 0, 0, 1);

    gluTessBeginPolygon(tess, &st);
    for (const auto& poly : polygons) {
        int n = poly.size();
        if (n > 1 && poly.first() == poly.last()) --n; // the closing point repeats the first
        if (n < 3) continue;
        gluTessBeginContour(tess);
        for (int i = 0; i < n; ++i) {
            const double x = (poly[i].x() + dx) * scale, y = (-poly[i].y() + dy) * scale;
            points.push_back({x * ca - y * sa, x * sa + y * ca, 0.0});
            gluTessVertex(tess, points.back().data(), points.back().data());
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    if (st.Failed) return;

    const TVector3 normal{0, 0, 1};
    for (size_t i = 0; i + 2 < st.Triangles.size(); i += 3) {
        const TVector3 &p0 = st.Triangles[i], &p1 = st.Triangles[i + 1], &p2 = st.Triangles[i + 2];
        // Front faces look along +Z.
        if (Cross(p1 - p0, p2 - p0).Z >= 0)
            mesh.AddTriangle(p0, p1, p2, normal);
        else
            mesh.AddTriangle(p0, p2, p1, normal);
    }
}

} // namespace qv::scene
