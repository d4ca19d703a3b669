// Flat 3D text: glyph outlines from the font engine, filled by the GLU
// tessellator into triangles. Each glyph is tessellated once per font and
// kept; a text is its glyphs' triangles placed at the positions the font's
// layout gives them (kerning included). A design of 10,000 holes has tens
// of thousands of labels made of a few dozen different glyphs.
#include "view3d/scene/GLScene.h"

#include "core/Tolerance.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPainterPath>
#include <QRawFont>
#include <QString>
#include <QTextLayout>

#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <limits>
#include <map>
#include <tuple>

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

// A glyph filled, in outline pixels with y up and the origin on the
// baseline at the glyph's pen position; triangles counter-clockwise.
struct TGlyphFill {
    std::vector<TVector3> Triangles;
    double Top = -std::numeric_limits<double>::infinity(); // highest outline point
    double Bottom = std::numeric_limits<double>::infinity(); // lowest outline point
    bool Empty() const { return Triangles.empty(); }
};

TGlyphFill Tessellate(const QPainterPath& path)
{
    TGlyphFill fill;
    const QList<QPolygonF> polygons = path.toSubpathPolygons();
    // Every outline point, y turned up, kept alive until the polygon ends.
    std::vector<std::array<GLdouble, 3>> points;
    size_t total = 0;
    for (const auto& poly : polygons) total += poly.size();
    points.reserve(total);

    TTessState st;
    GLUtesselator* tess = gluNewTess();
    if (!tess) return fill;
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
            const double y = -poly[i].y(); // the font engine's y axis points down; ours up
            fill.Top = std::max(fill.Top, y);
            fill.Bottom = std::min(fill.Bottom, y);
            points.push_back({poly[i].x(), y, 0.0});
            gluTessVertex(tess, points.back().data(), points.back().data());
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    if (st.Failed) return TGlyphFill{};

    fill.Triangles.reserve(st.Triangles.size());
    for (size_t i = 0; i + 2 < st.Triangles.size(); i += 3) {
        const TVector3 &p0 = st.Triangles[i], &p1 = st.Triangles[i + 1], &p2 = st.Triangles[i + 2];
        // Front faces look along +Z.
        const bool ccw = Cross(p1 - p0, p2 - p0).Z >= 0;
        fill.Triangles.insert(fill.Triangles.end(), {p0, ccw ? p1 : p2, ccw ? p2 : p1});
    }
    return fill;
}

// The fills of the glyphs used so far, by font file, face and glyph index.
// Text runs on the one GUI thread. A few fonts of a few hundred glyphs
// are all a design shows; the cap only guards against a text that walks
// through a whole CJK font.
class TGlyphCache {
public:
    const TGlyphFill& Get(const QRawFont& font, quint32 glyph)
    {
        TKey key{font.familyName(), font.styleName(), glyph};
        auto it = fFills.find(key);
        if (it != fFills.end()) return it->second;
        if (fFills.size() >= kMaxGlyphs) fFills.clear();
        return fFills.emplace(std::move(key), Tessellate(font.pathForGlyph(glyph))).first->second;
    }

private:
    static constexpr size_t kMaxGlyphs = 4096;
    using TKey = std::tuple<QString, QString, quint32>;
    std::map<TKey, TGlyphFill> fFills;
};

TGlyphCache& GlyphCache()
{
    static TGlyphCache cache;
    return cache;
}

struct TPlacedGlyph {
    const TGlyphFill* Fill;
    double X, Y; // pen position, y up
};

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

    // The glyphs of the text on one line, as the font engine lays them out
    // (fallback fonts for characters the font lacks, kerning).
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return;
    const double baseline = line.ascent();
    std::vector<TPlacedGlyph> glyphs;
    double top = -std::numeric_limits<double>::infinity(), bottom = std::numeric_limits<double>::infinity();
    for (const QGlyphRun& run : line.glyphRuns()) {
        const QRawFont raw = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i) {
            const TGlyphFill& fill = GlyphCache().Get(raw, indexes[i]);
            if (fill.Empty()) continue;
            const double y = baseline - positions[i].y();
            glyphs.push_back({&fill, positions[i].x(), y});
            top = std::max(top, fill.Top + y);
            bottom = std::min(bottom, fill.Bottom + y);
        }
    }
    if (glyphs.empty() || top <= 0) return; // nothing drawn above the baseline
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

    size_t triangles = 0;
    for (const auto& g : glyphs) triangles += g.Fill->Triangles.size() / 3;
    mesh.Positions.reserve(mesh.Positions.size() + triangles * 9);
    mesh.Normals.reserve(mesh.Normals.size() + triangles * 9);
    const TVector3 normal{0, 0, 1};
    // Scaling by a positive factor and turning keep the winding.
    for (const auto& g : glyphs) {
        const auto& t = g.Fill->Triangles;
        for (size_t i = 0; i < t.size(); ++i) {
            const double x = (t[i].X + g.X + dx) * scale, y = (t[i].Y + g.Y + dy) * scale;
            mesh.AddVertex({float(x * ca - y * sa), float(x * sa + y * ca), 0.0f}, normal);
        }
    }
}

} // namespace qv::scene
