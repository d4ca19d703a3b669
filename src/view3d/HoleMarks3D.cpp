#include "view3d/HoleMarks3D.h"

#include "document/Manifolds.h"
#include "model/HoleFrame.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cmath>
#include <map>

namespace qv {

using namespace scene;
using drawing::TVec;

namespace {

constexpr double kDegToRad = 0.017453292519943295769;
// The screen density the text measures assume (the design's 96 dpi).
constexpr int kPixelsPerInch = 96;

// Splits a caption at every "|".
std::vector<std::string> Lines(const std::string& caption)
{
    std::vector<std::string> out;
    size_t p = 0;
    for (;;) {
        const size_t q = caption.find('|', p);
        out.push_back(caption.substr(p, q == std::string::npos ? std::string::npos : q - p));
        if (q == std::string::npos) break;
        p = q + 1;
    }
    return out;
}

// (x, y) turned counter-clockwise by Degrees.
TXYPoint Rot(double Degrees, double x, double y)
{
    const double c = std::cos(Degrees * kDegToRad), s = std::sin(Degrees * kDegToRad);
    return {c * x - s * y, s * x + c * y};
}

class TMarks {
public:
    explicit TMarks(const TMarkContext& c) : C(c), D(c.Hole.FData), Max(c.Manifold.FData.Max) {}

    // The model point of face coordinates (a, b) at depth d on the hole's face.
    TVec Face(double a, double b, double d) const { return FacePoint(Max, D.FaceNumber, a, b, d); }
    TVec AtStart(double a, double b) const { return Face(a, b, D.StartDepth); }
    TVector3 Scene(const TVec& p) const { return drawing::ScenePoint(Max, C.SC, p); }
    int WholeTag() const { return D.HoleNumber * 10000 + kWholeHoleTag; }

    TGLSpaceText* Text(const std::string& text, double sceneHeight, TColor colour, const TVec& at, const TVec& reading,
                       const TVec& up, bool centred) const
    {
        auto* t = C.Parent->AddNewChild<TGLSpaceText>();
        t->SetText(text);
        t->SetTextHeight(float(sceneHeight));
        if (centred) t->SetAdjust({haCenter, vaCenter});
        t->GetMaterial().FrontProperties.Diffuse = ConvertWinColor(ModeColour(C.ColorMode, colour));
        drawing::OrientNode(t, drawing::SceneVector(reading), drawing::SceneVector(up));
        t->SetPosition(Scene(at));
        t->Tag = WholeTag();
        t->TagFloat = float(colour);
        return t;
    }

    TGLLines* Polyline(TColor colour, const std::vector<TVec>& points) const
    {
        auto* l = C.Parent->AddNewChild<TGLLines>();
        l->NodesAspect = lnaInvisible;
        l->LineColor = ConvertWinColor(ModeColour(C.ColorMode, colour));
        for (const TVec& p : points) l->AddNode(Scene(p));
        l->Tag = WholeTag();
        l->TagFloat = float(colour);
        return l;
    }

    // A closed rectangle around Centre: half widths along the two directions.
    void Box(TColor colour, const TVec& centre, const TVec& reading, const TVec& up, double halfW, double halfH) const
    {
        using drawing::Add;
        using drawing::Scaled;
        const TVec r = Scaled(reading, halfW), u = Scaled(up, halfH);
        const TVec a = Add(Add(centre, Scaled(r, -1)), Scaled(u, -1));
        const TVec b = Add(Add(centre, r), Scaled(u, -1));
        const TVec c = Add(Add(centre, r), u);
        const TVec d = Add(Add(centre, Scaled(r, -1)), u);
        Polyline(colour, {a, b, c, d, a});
    }

    // A point on the hole's face at depth `depth`, moved by (x, y) along
    // frame B's unturned reading and up directions.
    TVec InFrameB(double x, double y, double depth) const
    {
        TVec r, u;
        drawing::FrameB(D.FaceNumber, r, u);
        return drawing::Add(Face(D.XXY, D.YZZ, depth), drawing::Add(drawing::Scaled(r, x), drawing::Scaled(u, y)));
    }

    void Label(const std::string& text, TColor colour, const TVec& at) const
    {
        TVec r, u;
        drawing::FrameA(D.FaceNumber, r, u);
        Text(text, C.TextHeight, colour, at, r, u, false);
    }

    void HoleText(const std::string& caption, const THoleText& text, int count) const;
    void HoleTexts(std::string& remark) const;
    void ItemLabel(const std::string& text, TXYPoint P, int k, bool boxed, double width, double r, double H,
                   double depth) const;

    const TMarkContext& C;
    const THoleData& D;
    const TXYZPoint& Max;
};

void TMarks::HoleText(const std::string& caption, const THoleText& text, int count) const
{
    if (caption.empty()) return;
    const auto& td = text.fdata;
    const double H = td.TextHeight, rho = td.Rotation;
    const TXYPoint O = td.OffSet;
    double W = 0;
    const auto lines = Lines(caption);
    for (const auto& l : lines) W = std::max(W, MeasureTextWidth(l, H));
    const int m = int(lines.size());
    TVec rr, ru;
    drawing::TurnedFrameB(D.FaceNumber, rho, rr, ru);

    if (count >= 1) {
        TXYPoint Cp = O;
        if (td.InsertionPoint == 1 || td.InsertionPoint == 2) {
            const TXYPoint d = Rot(rho, W / 2, td.InsertionPoint == 1 ? H : 0.0);
            Cp = {O.X + d.X, O.Y + d.Y};
        }
        Text(text.fdata.Caption, C.SC * H, HoleTextColour, InFrameB(Cp.X, Cp.Y, D.StartDepth), rr, ru, true);
    }
    if (count <= 1 && td.UseBorder) {
        const double B = td.FixedWidth != 0 ? td.FixedWidth : W;
        const double halfH = 1.5 * H * m / 2;
        // The centre of the border in the unturned frame.
        TXYPoint centre;
        if (td.InsertionPoint == 1 || td.InsertionPoint == 2) {
            TXYPoint anchor = O;
            if (td.InsertionPoint == 1) {
                const TXYPoint d = Rot(rho, 0, H + 0.75 * H * (m - 1));
                anchor = {O.X + d.X, O.Y + d.Y};
            }
            const TXYPoint d = Rot(rho, B / 2, 0);
            centre = {anchor.X + d.X, anchor.Y + d.Y};
        } else {
            centre = O;
        }
        Box(HoleTextColour, InFrameB(centre.X, centre.Y, D.StartDepth), rr, ru, B / 2, halfH);
    }
}

void TMarks::HoleTexts(std::string& remark) const
{
    const THoleTextList& list = C.Hole.fHoleTextList;
    const THoleText* def = C.Manifold.fHoleTextList.Count() > 0 ? C.Manifold.fHoleTextList.GetHoleTexts(0) : nullptr;
    const bool show = C.Settings.fData.IsoFlags.Contains(isoHoleTexts);
    for (const auto& ht : list) {
        // The remark name is set anew for every text: the last text decides
        // whether the name is also drawn on its own beside the hole number.
        const std::string name = C.Hole.FStepList.GetSteps(0)->GetByIndex(0);
        remark = name;
        if (ht->fdata.UseTextFromRemark) remark.clear();
        std::vector<THoleText> lines = ht->ShownTexts(name, def);
        const int n = int(lines.size());
        if (n > 1) {
            const double d = 1.5 * lines[0].fdata.TextHeight;
            const double rho = ht->fdata.Rotation * kDegToRad;
            for (int i = 0; i < n; ++i) {
                auto& o = lines[size_t(i)].fdata;
                const double e = o.InsertionPoint == 1 ? -(n - 1 - i) * d : (n - 1) * d / 2 - (n - 1 - i) * d;
                o.OffSet.X += e * std::sin(rho);
                o.OffSet.Y += -e * std::cos(rho);
            }
        }
        if (!show) continue;
        for (const auto& l : lines) HoleText(l.fdata.Caption, l, n);
        if (n > 1) {
            // One border around the whole block of lines.
            THoleText whole;
            whole.Assign(*ht);
            if (ht->fdata.UseTextFromRemark && !name.empty()) whole.fdata.Caption = name;
            THoleText styled;
            styled.CopyFromDefault(whole, def);
            HoleText(styled.fdata.Caption, styled, -1);
        }
    }
}

void TMarks::ItemLabel(const std::string& text, TXYPoint P, int k, bool boxed, double width, double r, double H,
                       double depth) const
{
    if (text.empty()) return;
    const double h = H != 0 ? H : C.TextHeight / C.SC;
    TVec rr, ru;
    drawing::TurnedFrameB(D.FaceNumber, r, rr, ru);
    const TVec centre = drawing::Add(InFrameB(P.X, P.Y, depth), drawing::Scaled(ru, 2 * k * h));
    Text(text, C.SC * h, ItemNumberColour, centre, rr, ru, true);
    if (boxed && width > 0) Box(ItemNumberColour, centre, rr, ru, width / 2, 0.75 * h);
}

} // namespace

// ------------------------------------------------------------------
// Text measures

double MeasureTextWidth(const std::string& Text, double H)
{
    if (Text.empty() || !qGuiApp) return 0.0;
    // The design measures at a cell height (ascent + descent) of 1000 * H
    // points' worth of pixels; the font's em follows from its cell height.
    const double cell = std::round(1000.0 * H * kPixelsPerInch / 72.0);
    if (cell <= 0) return 0.0;
    constexpr int kRef = 1000;
    // Widths scale with the size: one reference font serves every height.
    static const QFontMetricsF fm = [] {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(kRef);
        font.setHintingPreference(QFont::PreferNoHinting);
        return QFontMetricsF(font);
    }();
    const double emPerCell = kRef / (fm.ascent() + fm.descent());
    const double width = fm.horizontalAdvance(QString::fromStdString(Text)) * (cell * emPerCell / kRef);
    return 1.15 * width / 1000.0;
}

int CanvasTextWidth(const std::string& Text, int PointSize)
{
    if (Text.empty() || PointSize < 1 || !qGuiApp) return 0;
    // The measuring canvas and the metrics of each size, made once: the
    // builder measures every item number of a design.
    static QImage canvas = [] {
        QImage img(1000, 100, QImage::Format_RGB32);
        img.setDotsPerMeterX(int(std::lround(kPixelsPerInch / 0.0254)));
        img.setDotsPerMeterY(int(std::lround(kPixelsPerInch / 0.0254)));
        return img;
    }();
    static std::map<int, QFontMetrics> metrics;
    // A point size becomes a character height of whole pixels at 96 dpi.
    const int px = std::max(1, int(std::lround(PointSize * double(kPixelsPerInch) / 72.0)));
    auto it = metrics.find(px);
    if (it == metrics.end()) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(px);
        it = metrics.emplace(px, QFontMetrics(font, &canvas)).first;
    }
    return it->second.horizontalAdvance(QString::fromStdString(Text));
}

// ------------------------------------------------------------------

void DrawHoleLabels(const TMarkContext& c)
{
    const auto& flags = c.Settings.fData.IsoFlags;
    if (!flags.Contains(isoHoleNumbers) && !flags.Contains(isoHoleTexts)) return;
    if (c.Hole.FStepList.Count() == 0) return;
    const TMarks m(c);
    std::string R = c.Hole.FStepList.GetSteps(0)->GetByIndex(0);
    m.HoleTexts(R);
    if (c.Hole.GetIsDummyHole() && !flags.Contains(isoDummyHoles)) return;

    // The label corner sits off the bore's rim, diagonally up and along
    // the reading direction.
    const double k = 0.353 * c.Hole.FStepList.GetLast()->FData.Diameter;
    TVec r, u;
    drawing::FrameA(m.D.FaceNumber, r, u);
    const TVec P = drawing::Add(m.AtStart(m.D.XXY, m.D.YZZ), drawing::Add(drawing::Scaled(r, k), drawing::Scaled(u, k)));
    const std::string number = std::to_string(m.D.HoleNumber);
    if (!R.empty()) {
        if (flags.Contains(isoHoleTexts)) m.Label(R, RemarkTextColour, P);
        if (flags.Contains(isoHoleNumbers))
            m.Label(number, HoleNumberColour, drawing::Add(P, drawing::Scaled(u, 1.5 * c.TextHeight / c.SC)));
    } else if (flags.Contains(isoHoleNumbers)) {
        m.Label(number, HoleNumberColour, P);
    }
}

void DrawContourMarks(const TMarkContext& c)
{
    const TMarks m(c);
    const auto& d = m.D;
    auto circle = [&](double diameter) {
        std::vector<TVec> pts;
        for (int i = 0; i < 64; ++i) {
            const double a = i * 360.0 / 64 * kDegToRad;
            pts.push_back(m.AtStart(d.XXY + diameter / 2 * std::cos(a), d.YZZ + diameter / 2 * std::sin(a)));
        }
        pts.push_back(pts.front());
        m.Polyline(ContourColour, pts);
    };
    if (d.HoleContour > 0 && d.PatternHandle == -1) circle(d.HoleContour);
    const TContourList& list = c.Hole.FContourList;
    if (list.Count() == 1) {
        if (list.GetContours(0)->FData.X > 0) circle(list.GetContours(0)->FData.X);
    } else if (list.Count() >= 2) {
        std::vector<TVec> pts;
        for (const auto& p : list) pts.push_back(m.AtStart(p->FData.X, p->FData.Y));
        pts.push_back(pts.front());
        m.Polyline(ContourColour, pts);
    }
}

void DrawPlugCross(const TMarkContext& c)
{
    if (!c.Hole.GetIsPlugged()) return;
    const double s = c.Hole.FStepList.GetMaxDiameter() / 2;
    if (s == 0) return;
    const TMarks m(c);
    const double a = m.D.XXY, b = m.D.YZZ, q = s / std::sqrt(2.0);
    m.Polyline(PlugCrossColour, {m.AtStart(a - q, b - q), m.AtStart(a + q, b + q)});
    m.Polyline(PlugCrossColour, {m.AtStart(a - q, b + q), m.AtStart(a + q, b - q)});
}

void DrawItemNumbers(const TMarkContext& c)
{
    const TValveList& valves = c.Hole.FValveList;
    if (valves.Count() == 0) return;
    const TMarks m(c);
    const bool inch = c.Manifold.FData.MeasuringUnits == muIN;
    const auto& opt = c.Manifold.fEngravedItemNumbersOptions;
    const TValveData& first = valves.GetValves(0)->fData;
    // Box widths are measured in canvas pixels; in inch documents the point
    // size is taken 25.4 times larger and the width divided back.
    const double toUnits = inch ? 1 / 25.4 : 1.0;

    if (opt.EngraveItemNumbers && valves.GetIsEngraved()) {
        const std::vector<std::string> lines = valves.CreateListEngravedNumbers();
        if (lines.empty()) return;
        const double H = opt.TextHeight;
        double W = opt.FixedWidth;
        if (W == 0) {
            const int pt = int(std::lround(inch ? 25.4 * H : H));
            int px = 0;
            for (const auto& l : lines) px = std::max(px, CanvasTextWidth(l, pt));
            if (opt.UseBorder) px += CanvasTextWidth("H", pt);
            W = px * toUnits;
        }
        // A fixed width is a length of the document and stays as it is.
        for (size_t k = 0; k < lines.size(); ++k)
            m.ItemLabel(lines[k], first.Offset, int(k), opt.UseBorder, W, first.Rotation, H, m.D.StartDepth);
        return;
    }

    const double T = 2 * c.TextHeight / c.SC;
    const int pt = int(std::lround(inch ? 12.7 * T : 0.5 * T));
    int wmax = 0;
    for (const auto& v : valves)
        if (!v->fData.ItemNumber.empty()) wmax = std::max(wmax, CanvasTextWidth("HH" + v->fData.ItemNumber, pt));
    int i = 0;
    for (const auto& v : valves) {
        if (v->fData.ItemNumber.empty()) continue;
        TXYPoint P = first.Offset;
        if (i > 0) {
            // Further labels stack upwards, or to the left when the first
            // label is turned.
            if (first.Rotation != 0)
                P.X -= i * T;
            else
                P.Y += i * T;
        }
        m.ItemLabel(v->fData.ItemNumber, P, 0, true, wmax * toUnits, first.Rotation, 0, 0);
        ++i;
    }
}

} // namespace qv
