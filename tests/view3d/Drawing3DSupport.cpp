#include "Drawing3DSupport.h"

#include "view3d/ManifoldView.h"
#include "view3d/SceneJson.h"

#include <QJsonDocument>

#include <cmath>
#include <stdexcept>

namespace qv::test3d {

std::unique_ptr<TManifold> NewDesign(const TXYZPoint& max)
{
    auto m = std::make_unique<TManifold>();
    m->FData.Max = max;
    return m;
}

THole* AddHole(TManifold& m, int number, int face, double a, double b)
{
    THole* h = m.FHoleList.Add();
    h->FData.HoleNumber = number;
    h->FData.FaceNumber = face;
    h->FData.XXY = a;
    h->FData.YZZ = b;
    return h;
}

TStep* AddStep(THole& h, double diameter, double depth, int topAngle)
{
    TStep* s = h.FStepList.Add();
    s->FData.Diameter = diameter;
    s->FData.Depth = depth;
    s->FData.TopAngle = topAngle;
    return s;
}

void AddGroup(TManifold& m, const std::string& code, TColor color)
{
    TGroup* g = m.FGroupList.Add();
    g->FData.Code = code;
    g->FData.Color = color;
}

std::unique_ptr<TManifold> FilterDesign()
{
    auto doc = NewDesign({200, 100, 100});
    AddGroup(*doc, "A", 0x000000FF);
    AddGroup(*doc, "B", 0x0000FF00);
    AddGroup(*doc, "C", 0x00FF0000);
    THole* cav = AddHole(*doc, 1, 1, 50, 50);
    cav->FData.Attribute.Include(haClosed);
    const double depths[] = {60, 40, 25, 10};
    for (int i = 0; i < 4; ++i) {
        TStep* s = AddStep(*cav, 10 + 5 * i, depths[i], 180);
        s->FData.GroupCode = i == 3 ? "A" : "B";
    }
    TStep* threaded = AddStep(*AddHole(*doc, 2, 1, 120, 50), 10, 30, 120);
    threaded->FData.GroupCode = "C";
    threaded->FData.Attribute.Include(saThreaded);
    threaded->FData.OutsideDiameter = 12;
    threaded->FData.Length = 15;
    AddStep(*AddHole(*doc, 3, 1, 150, 50), 10, 30, 120)->FData.GroupCode = "A";
    THole* none = AddHole(*doc, 4, 1, 180, 50);
    AddStep(*none, 10, 30, 120);
    AddStep(*none, 14, 10, 120)->FData.GroupCode = "A";
    return doc;
}

TIsometricDrawingSettings Quiet()
{
    TIsometricDrawingSettings s;
    s.fData.IsoFlags = {};
    return s;
}

std::vector<const QJsonObject*> TDump::OfKind(const char* kind) const
{
    std::vector<const QJsonObject*> out;
    for (const auto& n : All)
        if (n["Kind"].toString() == QLatin1String(kind)) out.push_back(&n);
    return out;
}

std::vector<const QJsonObject*> TDump::Solids() const
{
    std::vector<const QJsonObject*> out;
    for (const auto& n : All) {
        const QString k = n["Kind"].toString();
        if (k == "TGLCylinder" || k == "TGLAnnulus") out.push_back(&n);
    }
    return out;
}

static void Collect(const QJsonObject& n, std::vector<QJsonObject>& all)
{
    all.push_back(n);
    for (const auto& c : n["Children"].toArray()) Collect(c.toObject(), all);
}

TDump ParseDump(const std::string& json)
{
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject())
        throw std::runtime_error("bad scene JSON: " + err.errorString().toStdString());
    TDump d;
    const QJsonObject top = doc.object();
    d.SC = top["SC"].toDouble();
    d.LabelTextHeight = top["LabelTextHeight"].toDouble();
    for (const auto& n : top["Nodes"].toArray()) {
        d.Nodes.push_back(n.toObject());
        Collect(n.toObject(), d.All);
    }
    return d;
}

TDump Dump(const TManifold& m, const TIsometricDrawingSettings& s)
{
    TIsometricDrawingSettings settings;
    settings.Assign(s);
    TManifoldView view(settings);
    view.DocumentLoaded(m);
    view.ApplyGroupFilter(true);
    return ParseDump(SceneToJson(*view.GLDummyCube1(), view.SC(), view.LabelTextHeight()));
}

double Num(const QJsonObject& o, const char* key)
{
    const QJsonValue v = o[QLatin1String(key)];
    if (!v.isDouble()) throw std::runtime_error(std::string("no number ") + key);
    return v.toDouble();
}

TV Vec(const QJsonValue& v)
{
    const QJsonArray a = v.toArray();
    if (a.size() != 3) throw std::runtime_error("not a vector");
    return {a[0].toDouble(), a[1].toDouble(), a[2].toDouble()};
}

TV Neg(const TV& v) { return {-v.X, -v.Y, -v.Z}; }

bool NearVec(const TV& a, const TV& b, double tol)
{
    return std::fabs(a.X - b.X) <= tol && std::fabs(a.Y - b.Y) <= tol && std::fabs(a.Z - b.Z) <= tol;
}

bool NearColor(const QJsonValue& v, TColor c, double alpha)
{
    const QJsonArray a = v.toArray();
    if (a.size() != 4) return false;
    const double want[3] = {(c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0};
    for (int i = 0; i < 3; ++i)
        if (std::fabs(a[i].toDouble() - want[i]) > 1e-6) return false;
    return alpha < 0 || std::fabs(a[3].toDouble() - alpha) <= 1e-6;
}

TV ReadingOf(const QJsonObject& node)
{
    const TV u = Vec(node["AbsoluteUp"]), d = Vec(node["AbsoluteDirection"]);
    return {u.Y * d.Z - u.Z * d.Y, u.Z * d.X - u.X * d.Z, u.X * d.Y - u.Y * d.X};
}

} // namespace qv::test3d
