// Geometry of the node kinds, checked on their meshes (no GL needed).
#include "view3d/scene/GLScene.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>
#include <memory>
#include <set>
#include <string>

using namespace qv::scene;

namespace {

struct TBounds {
    TVector3 Min{1e9f, 1e9f, 1e9f}, Max{-1e9f, -1e9f, -1e9f};
};

TBounds BoundsOf(const TGLMesh& m)
{
    TBounds b;
    for (size_t i = 0; i < m.VertexCount(); ++i) {
        const TVector3 v = m.Vertex(i);
        for (int k = 0; k < 3; ++k) {
            b.Min[k] = std::min(b.Min[k], v[k]);
            b.Max[k] = std::max(b.Max[k], v[k]);
        }
    }
    return b;
}

// Every triangle is counter-clockwise seen from the side its normals point
// to, so front and back properties land on the right sides.
void ExpectWindingMatchesNormals(const TGLMesh& m)
{
    ASSERT_EQ(m.VertexCount() % 3, 0u);
    for (size_t t = 0; t < m.TriangleCount(); ++t) {
        const TVector3 a = m.Vertex(3 * t), b = m.Vertex(3 * t + 1), c = m.Vertex(3 * t + 2);
        const TVector3 face = Cross(b - a, c - a);
        if (Length(face) < 1e-9f) continue;
        const TVector3 n = m.Normal(3 * t) + m.Normal(3 * t + 1) + m.Normal(3 * t + 2);
        ASSERT_GT(Dot(face, n), 0) << "triangle " << t;
    }
}

// Distinct heights (Y) of the vertices whose normal is +Y or -Y: the flat
// rings and discs of a solid of revolution.
std::set<float> CapHeights(const TGLMesh& m, float ny)
{
    std::set<float> ys;
    for (size_t i = 0; i < m.VertexCount(); ++i)
        if (std::fabs(m.Normal(i).Y - ny) < 1e-5f) ys.insert(m.Vertex(i).Y);
    return ys;
}

float MaxRadiusAt(const TGLMesh& m, float y)
{
    float r = 0;
    for (size_t i = 0; i < m.VertexCount(); ++i) {
        const TVector3 v = m.Vertex(i);
        if (std::fabs(v.Y - y) < 1e-5f) r = std::max(r, std::hypot(v.X, v.Z));
    }
    return r;
}

} // namespace

TEST(SceneMesh, ClosedKindsWindOutwardAndFillTheirExtents)
{
    struct TCase {
        const char* name;
        std::function<std::unique_ptr<TGLBaseSceneObject>()> make;
        TVector3 min, max;
    };
    const TCase cases[] = {
        {"box", [] { auto c = std::make_unique<TGLCube>(); c->SetCubeWidth(2); c->SetCubeHeight(4); c->SetCubeDepth(6); return c; },
         {-1, -2, -3}, {1, 2, 3}},
        {"cone", [] { auto c = std::make_unique<TGLCylinder>(); c->SetTopRadius(0); c->SetBottomRadius(1); c->SetHeight(2); return c; },
         {-1, -1, -1}, {1, 1, 1}},
        {"frustum", [] { auto c = std::make_unique<TGLCylinder>(); c->SetTopRadius(0.5f); c->SetBottomRadius(0.25f); c->SetSlices(64); c->SetStacks(1); return c; },
         {-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}},
        {"thick annulus", [] { return std::make_unique<TGLAnnulus>(); }, {-0.5f, -0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}},
        // A thin flat annulus: the ring between its bottom and top radii.
        {"flat annulus", [] {
             auto a = std::make_unique<TGLAnnulus>();
             a->SetHeight(0);
             a->SetTopRadius(0.25f);
             a->SetTopInnerRadius(0.25f);
             a->SetBottomInnerRadius(0.5f);
             return a;
         },
         {-0.5f, 0, -0.5f}, {0.5f, 0, 0.5f}},
        {"sphere", [] { auto s = std::make_unique<TGLSphere>(); s->SetRadius(2); return s; }, {-2, -2, -2}, {2, 2, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto node = c.make();
        TGLMesh m;
        node->BuildMesh(m);
        ASSERT_GT(m.TriangleCount(), 0u);
        ExpectWindingMatchesNormals(m);
        const TBounds b = BoundsOf(m);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(b.Min[k], c.min[k], 1e-4) << "axis " << k;
            EXPECT_NEAR(b.Max[k], c.max[k], 1e-4) << "axis " << k;
        }
    }
}

TEST(SceneMesh, CylinderHasCapsAtItsEndsWithTheirRadii)
{
    TGLCylinder c;
    c.SetTopRadius(0.2f);
    c.SetBottomRadius(0.7f);
    c.SetHeight(3);
    c.SetSlices(64);
    c.SetStacks(1);
    TGLMesh m;
    c.BuildMesh(m);
    EXPECT_EQ(CapHeights(m, 1), std::set<float>({1.5f}));
    EXPECT_EQ(CapHeights(m, -1), std::set<float>({-1.5f}));
    EXPECT_NEAR(MaxRadiusAt(m, 1.5f), 0.2f, 1e-5);
    EXPECT_NEAR(MaxRadiusAt(m, -1.5f), 0.7f, 1e-5);
    // 64 slices: side 128 triangles, two discs of 64.
    EXPECT_EQ(m.TriangleCount(), 256u);
}

TEST(SceneMesh, FlatCylinderIsARingWithoutDiscs)
{
    TGLCylinder c;
    c.SetTopRadius(0.3f);
    c.SetBottomRadius(0.5f);
    c.SetHeight(0);
    TGLMesh m;
    c.BuildMesh(m);
    ASSERT_GT(m.TriangleCount(), 0u);
    ExpectWindingMatchesNormals(m);
    // Nothing inside the smaller radius: the hole of the ring stays open.
    for (size_t i = 0; i < m.VertexCount(); ++i) {
        const TVector3 v = m.Vertex(i);
        EXPECT_GE(std::hypot(v.X, v.Z), 0.3f - 1e-5f);
        EXPECT_NEAR(v.Y, 0, 1e-6);
        // The wider bottom makes the shoulder face up.
        EXPECT_NEAR(m.Normal(i).Y, 1, 1e-5);
    }
}

TEST(SceneMesh, AnnulusWithInnerEqualToOuterIsOneThinWall)
{
    TGLAnnulus a;
    a.SetTopRadius(0.4f);
    a.SetBottomRadius(0.4f);
    a.SetTopInnerRadius(0.4f);
    a.SetBottomInnerRadius(0.4f);
    a.SetSlices(64);
    a.SetStacks(1);
    TGLMesh m;
    a.BuildMesh(m);
    EXPECT_EQ(m.TriangleCount(), 128u); // the outer wall only
    EXPECT_TRUE(CapHeights(m, 1).empty());
    EXPECT_TRUE(CapHeights(m, -1).empty());

    // A thick one has both sides and both rings; the inner side faces the axis.
    TGLAnnulus thick;
    thick.SetSlices(64);
    thick.SetStacks(1);
    TGLMesh t;
    thick.BuildMesh(t);
    EXPECT_EQ(t.TriangleCount(), 4u * 128u);
    EXPECT_EQ(CapHeights(t, 1), std::set<float>({0.5f}));
    EXPECT_EQ(CapHeights(t, -1), std::set<float>({-0.5f}));
    bool inwardFound = false;
    for (size_t i = 0; i < t.VertexCount(); ++i) {
        const TVector3 v = t.Vertex(i), n = t.Normal(i);
        if (std::fabs(std::hypot(v.X, v.Z) - 0.3f) < 1e-5f && std::fabs(n.Y) < 1e-5f) {
            EXPECT_LT(v.X * n.X + v.Z * n.Z, 0);
            inwardFound = true;
        }
    }
    EXPECT_TRUE(inwardFound);
}

TEST(SceneMesh, ParameterChangesAskForNewGeometry)
{
    TGLAnnulus a;
    const auto v0 = a.GeometryVersion();
    a.SetTopInnerRadius(0.1f);
    EXPECT_GT(a.GeometryVersion(), v0);
    const auto v1 = a.GeometryVersion();
    a.Tag = 5; // state that does not change the shape
    a.GetMaterial().FrontProperties.Diffuse[3] = 0.5f;
    a.SetPosition(1, 2, 3);
    EXPECT_EQ(a.GeometryVersion(), v1);
}

namespace {
template <class T>
std::string KeyAfter(void (*change)(T&))
{
    T node;
    change(node);
    return node.GeometryKey();
}
} // namespace

TEST(SceneMesh, GeometryKeysTellShapesApartBitForBit)
{
    const std::string cube = KeyAfter<TGLCube>([](TGLCube&) {});
    const std::string annulus = KeyAfter<TGLAnnulus>([](TGLAnnulus&) {});
    const std::string sphere = KeyAfter<TGLSphere>([](TGLSphere&) {});
    const std::string text = KeyAfter<TGLSpaceText>([](TGLSpaceText& t) { t.SetText("P1"); });
    for (const auto* k : {&cube, &annulus, &sphere, &text}) ASSERT_FALSE(k->empty());

    // Every parameter that shapes the mesh, down to the last bit, makes
    // another key.
    struct TCase {
        const char* name;
        const std::string& base;
        std::string changed;
    };
    const TCase changed[] = {
        {"cube width", cube, KeyAfter<TGLCube>([](TGLCube& c) { c.SetCubeWidth(2); })},
        {"cube height", cube, KeyAfter<TGLCube>([](TGLCube& c) { c.SetCubeHeight(2); })},
        {"cube depth", cube, KeyAfter<TGLCube>([](TGLCube& c) { c.SetCubeDepth(2); })},
        {"top radius", annulus, KeyAfter<TGLAnnulus>([](TGLAnnulus& a) { a.SetTopRadius(0.6f); })},
        {"bottom radius", annulus, KeyAfter<TGLAnnulus>([](TGLAnnulus& a) { a.SetBottomRadius(0.6f); })},
        {"height", annulus, KeyAfter<TGLAnnulus>([](TGLAnnulus& a) { a.SetHeight(2); })},
        {"height by one ulp", annulus,
         KeyAfter<TGLAnnulus>([](TGLAnnulus& a) { a.SetHeight(std::nextafter(1.0f, 2.0f)); })},
        {"slices", annulus, KeyAfter<TGLAnnulus>([](TGLAnnulus& a) { a.SetSlices(64); })},
        {"stacks", annulus, KeyAfter<TGLAnnulus>([](TGLAnnulus& a) { a.SetStacks(1); })},
        {"top inner radius", annulus, KeyAfter<TGLAnnulus>([](TGLAnnulus& a) { a.SetTopInnerRadius(0.2f); })},
        {"bottom inner radius", annulus,
         KeyAfter<TGLAnnulus>([](TGLAnnulus& a) { a.SetBottomInnerRadius(0.2f); })},
        {"cylinder of the annulus' outer shape", annulus, KeyAfter<TGLCylinder>([](TGLCylinder&) {})},
        {"sphere radius", sphere, KeyAfter<TGLSphere>([](TGLSphere& s) { s.SetRadius(1); })},
        {"sphere slices", sphere, KeyAfter<TGLSphere>([](TGLSphere& s) { s.SetSlices(32); })},
        {"sphere stacks", sphere, KeyAfter<TGLSphere>([](TGLSphere& s) { s.SetStacks(32); })},
        {"text", text, KeyAfter<TGLSpaceText>([](TGLSpaceText& t) { t.SetText("P2"); })},
        {"text height", text, KeyAfter<TGLSpaceText>([](TGLSpaceText& t) { t.SetText("P1"); t.SetTextHeight(2); })},
        {"oblique", text, KeyAfter<TGLSpaceText>([](TGLSpaceText& t) { t.SetText("P1"); t.SetOblique(90); })},
        {"adjust", text,
         KeyAfter<TGLSpaceText>([](TGLSpaceText& t) { t.SetText("P1"); t.SetAdjustHorz(haCenter); })},
        {"font", text, KeyAfter<TGLSpaceText>([](TGLSpaceText& t) { t.SetText("P1"); t.SetFont({"Courier", false, false}); })},
        {"font name and text split elsewhere", text, KeyAfter<TGLSpaceText>([](TGLSpaceText& t) {
             t.SetFont({"ArialP", false, false});
             t.SetText("1");
         })},
    };
    for (const auto& c : changed) EXPECT_NE(c.changed, c.base) << c.name;

    // What does not shape the mesh keeps the key: placement, material,
    // values set to what they were, and counts below what meshing uses.
    EXPECT_EQ(KeyAfter<TGLAnnulus>([](TGLAnnulus& a) {
                  a.SetPosition(1, 2, 3);
                  a.SetScale(2, 2, 2);
                  a.Tag = 7;
                  a.GetMaterial().BlendingMode = bmTransparency;
                  a.SetHeight(1);
              }),
              annulus);
    EXPECT_EQ(KeyAfter<TGLCylinder>([](TGLCylinder& c) { c.SetSlices(1); }),
              KeyAfter<TGLCylinder>([](TGLCylinder& c) { c.SetSlices(3); }));

    // Geometry that is the node's own has no key.
    EXPECT_EQ(KeyAfter<TGLSphere>([](TGLSphere& s) { s.SetCheckerboardTexture(8, 2); }), "");
}

TEST(SceneMesh, TextIsScaledToItsTallestGlyphAndAdjusted)
{
    struct TCase {
        const char* name;
        TGLTextHorzAdjust horz;
        TGLTextVertAdjust vert;
        float oblique;
        // expected extents, NAN where not checked
        float minX, maxX, minY, maxY;
    };
    const float h = 0.5f;
    const TCase cases[] = {
        // Start of the baseline at the origin; no descenders in "Face1".
        {"left baseline", haLeft, vaBaseLine, 0, NAN, NAN, 0, h},
        // Centred both ways.
        {"centre", haCenter, vaCenter, 0, NAN, NAN, -h / 2, h / 2},
        // Turned a quarter counter-clockwise: reads upwards, glyphs to -X.
        {"oblique 90", haLeft, vaBaseLine, 90, -h, 0, NAN, NAN},
    };
    float advanceLike = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TGLSpaceText t;
        t.SetText("Face1");
        t.SetTextHeight(h);
        t.SetAdjust({c.horz, c.vert});
        t.SetOblique(c.oblique);
        TGLMesh m;
        t.BuildMesh(m);
        ASSERT_GT(m.TriangleCount(), 10u);
        ExpectWindingMatchesNormals(m);
        const TBounds b = BoundsOf(m);
        EXPECT_NEAR(b.Min.Z, 0, 1e-6);
        EXPECT_NEAR(b.Max.Z, 0, 1e-6);
        const float tol = 0.01f;
        if (!std::isnan(c.minX)) { EXPECT_NEAR(b.Min.X, c.minX, tol); }
        if (!std::isnan(c.maxX)) { EXPECT_NEAR(b.Max.X, c.maxX, tol); }
        if (!std::isnan(c.minY)) { EXPECT_NEAR(b.Min.Y, c.minY, tol); }
        if (!std::isnan(c.maxY)) { EXPECT_NEAR(b.Max.Y, c.maxY, tol); }
        if (c.horz == haLeft && c.oblique == 0) {
            // Reads along +X from just right of the origin, several heights long.
            EXPECT_GE(b.Min.X, 0);
            EXPECT_LT(b.Min.X, 0.2f * h);
            EXPECT_GT(b.Max.X, 3 * h);
            advanceLike = b.Max.X + b.Min.X;
        }
        if (c.horz == haCenter) {
            // Centred on the advance width: the ink is about symmetric.
            EXPECT_NEAR(b.Min.X + b.Max.X, 0, 0.05f * advanceLike);
        }
    }
}

// Each glyph is filled once and placed where the font's layout puts it: the
// text's triangles must cover exactly what the font engine draws for the
// whole string (kerned pairs, digits, accented letters, a descender),
// compared pixel by pixel at about 100 pixels per text height. A glyph at
// the wrong pen position or the wrong height shows up as a band of
// differing pixels far above the tolerance.
TEST(SceneMesh, TextCoversWhatTheFontDraws)
{
    for (const char* s : {"AV Tw 1234567890", "F\xc3\xa4" "ce \xc3\x96" "l g", "8.5"}) {
        SCOPED_TRACE(s);
        TGLSpaceText t;
        t.SetText(s);
        t.SetTextHeight(1);
        TGLMesh m;
        t.BuildMesh(m);
        ASSERT_GT(m.TriangleCount(), 0u);

        // The reference: the whole string's outline, scaled like the text.
        QFont font("Arial");
        font.setPixelSize(256);
        font.setHintingPreference(QFont::PreferNoHinting);
        QPainterPath path;
        path.addText(0, 0, font, QString::fromUtf8(s));
        const double scale = 1 / -path.boundingRect().top();
        const int ppu = 100; // pixels per unit of text height
        const QRectF r = path.boundingRect();
        const int w = int((r.right() * scale + 1) * ppu), h = 3 * ppu;
        const auto paint = [&](auto&& draw) {
            QImage img(w, h, QImage::Format_Grayscale8);
            img.fill(0);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            // Baseline 2 units from the top, y up.
            p.translate(0.5 * ppu, 2 * ppu);
            p.scale(ppu, -ppu);
            draw(p);
            return img;
        };
        const QImage expected = paint([&](QPainter& p) {
            path.setFillRule(Qt::WindingFill);
            p.scale(scale, -scale);
            p.drawPath(path);
        });
        const QImage actual = paint([&](QPainter& p) {
            for (size_t i = 0; i < m.TriangleCount(); ++i) {
                QPointF tri[3];
                for (int k = 0; k < 3; ++k) {
                    const TVector3 v = m.Vertex(3 * i + k);
                    tri[k] = {v.X, v.Y};
                }
                p.drawPolygon(tri, 3);
            }
        });
        long inked = 0, differ = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool a = qGray(expected.pixel(x, y)) > 127, b = qGray(actual.pixel(x, y)) > 127;
                inked += a;
                differ += a != b;
            }
        ASSERT_GT(inked, 1000);
        // Edge pixels may fall either way (curves flattened differently).
        EXPECT_LT(double(differ) / double(inked), 0.03) << differ << " of " << inked;
    }
}

TEST(SceneMesh, EmptyOrBlankTextHasNoGeometry)
{
    for (const char* s : {"", "   "}) {
        TGLSpaceText t;
        t.SetText(s);
        TGLMesh m;
        t.BuildMesh(m);
        EXPECT_EQ(m.TriangleCount(), 0u) << '"' << s << '"';
    }
}
