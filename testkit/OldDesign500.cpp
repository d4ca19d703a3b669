// The record layouts of the 5.00 to 5.40 files and a small design written in
// them: a 160 x 120 x 90 valve block with a pressure, a tank and a work port,
// a check-valve cavity and two mounting holes.
#include "testkit/OldBytes500.h"
#include "testkit/OldDesigns.h"
#include "testkit/WriteHoles.h"

#include <memory>
#include <stdexcept>
#include <vector>

namespace qv::samples {

TOld500Layout Old500Layout(int Version)
{
    if (Version != 500 && Version != 510 && Version != 520 && Version != 530 && Version != 540)
        throw std::invalid_argument("not a 5.x file version");
    TOld500Layout l;
    if (Version >= 520) {
        l.Manifold = 668;
        l.PlotSettings = 244;
        l.Hole = 276;
        l.LastPlotBit = 21;
    }
    if (Version >= 530) l.HasRevisions = true;
    if (Version >= 540) {
        l.Manifold = 1200;
        l.Hole = 300;
        l.Step = 204;
        l.LastPlotBit = 31;
    }
    return l;
}

namespace {

template <class E, class B>
uint8_t LowBits(const TSet<E, B>& Set, int Last)
{
    uint8_t b = 0;
    for (int n = 0; n <= Last; ++n)
        if (Set.Contains(static_cast<E>(n))) b = static_cast<uint8_t>(b | (1u << n));
    return b;
}

void PutProperties(TByteRecord& r, size_t at, const TProperties& p)
{
    r.ShortText(at + 0, 50, p.Title);
    r.ShortText(at + 51, 30, p.Bitmap);
    r.ShortText(at + 82, 70, p.Description);
    r.ShortText(at + 153, 50, p.Group);
    r.Byte(at + 204, p.Use ? 1 : 0);
}

constexpr struct {
    int Bit;
    THoleAttribute Attribute;
} kHoleBits[] = {
    {0, haPlugged}, {1, haFixation}, {2, haClosed}, {3, haMounting}, {7, haAngled},
    {9, haMeasure}, {10, haAssembly}, {11, haConnect}, {12, haThrough},
};

} // namespace

uint16_t Old500HoleAttributeBits(THoleAttributes Attributes)
{
    uint16_t w = 0;
    for (const auto& m : kHoleBits)
        if (Attributes.Contains(m.Attribute)) w = static_cast<uint16_t>(w | (1u << m.Bit));
    return w;
}

uint32_t Old500PlotFlagBits(const TPlotFlags& Flags, int LastBit)
{
    uint32_t bits = 0;
    for (int n = 0; n <= LastBit; ++n) {
        int member = -1;
        if (n <= 5) member = n;
        else if (n == 6) member = pfDrawingHead;
        else if (n == 7) member = pfDrillingList;
        else if (n >= 9) member = n + 6;
        if (member >= 0 && Flags.Contains(static_cast<TPlotFlag>(member))) bits |= 1u << n;
    }
    return bits;
}

TByteRecord Old500ManifoldRecord(int Version, const TManifoldData& d, double CalcWallthickness)
{
    const TOld500Layout l = Old500Layout(Version);
    TByteRecord r(l.Manifold);
    r.Byte(0, static_cast<uint8_t>(d.FileType)).Byte(1, static_cast<uint8_t>(d.MeasuringUnits));
    r.Integer(4, d.Decimals).Double(8, d.Max.X).Double(16, d.Max.Y).Double(24, d.Max.Z);
    r.Byte(32, static_cast<uint8_t>(d.DrawDashHoles));
    for (int axis = 0; axis < 3; ++axis) {
        const TCrossSectionData& c = d.CrossSectionInfo[static_cast<TCrossSection>(axis)];
        r.Integer(36 + 12 * size_t(axis), c.HoleNumber).Double(40 + 12 * size_t(axis), c.Coordinate);
    }
    r.Byte(72, LowBits(d.CalculateFlags, 2)).Double(76, CalcWallthickness);
    r.Byte(84, LowBits(d.FileFlags, 5)).Byte(85, LowBits(d.DrawFlags, 6));
    r.Integer(88, d.CalcHole[0]).Integer(92, d.CalcHole[1]);
    r.Byte(96, static_cast<uint8_t>(d.SortSettings.SortMethode));
    r.Byte(97, LowBits(d.SortSettings.SortOptions, 5));
    r.Byte(98, static_cast<uint8_t>(d.SortSettings.SortType));
    r.Integer(100, d.RotateFace);
    for (size_t f = 0; f < d.FinishFace.size(); ++f) r.Double(104 + 8 * f, d.FinishFace[f]);
    r.Integer(160, d.ModifyDimensionsSettings.Direction).Double(164, d.ModifyDimensionsSettings.Value);
    r.Double(172, d.ModifyDimensionsSettings.Coordinate).Byte(180, d.ModifyDimensionsSettings.ModifyDepth ? 1 : 0);
    r.ShortText(184, 80, d.Material).Double(268, d.HoleFactor).Double(276, d.MassDensity);
    r.ShortText(284, 80, d.LayoutFile).ShortText(365, 80, d.PrinterName);
    r.Integer(448, d.CurrentDrawing).Byte(452, static_cast<uint8_t>(d.DrawProjectionMethode));
    if (l.Manifold >= 668) PutProperties(r, 453, d.Properties);
    return r;
}

TByteRecord Old500RevisionRecord(const TRevisionData& d)
{
    TByteRecord r(kOld500RevisionSize);
    r.ShortText(0, 5, d.Number).Double(8, d.Date).ShortText(16, 128, d.Description);
    r.ShortText(145, 30, d.DrawnBy).ShortText(176, 30, d.CheckedBy);
    return r;
}

TByteRecord Old500ProjectRecord(const TProjectData& d)
{
    TByteRecord r(kOld500ProjectSize);
    r.ShortText(0, 30, d.DrawnBy).ShortText(31, 30, d.CheckedBy);
    r.Double(64, d.CreatedOn).Double(72, d.ModifiedOn);
    r.ShortText(80, 64, d.ProjectTitle).ShortText(145, 64, d.ProjectNumber);
    r.ShortText(210, 64, d.ProjectClient).ShortText(275, 64, d.ProjectDrawing);
    return r;
}

TByteRecord Old500CommentRecord(const std::string& Line)
{
    TByteRecord r(kOld500CommentSize);
    r.ShortText(0, 255, Line);
    return r;
}

TByteRecord Old500PlotSettingsRecord(int Version, const TPlotSettingsData& d)
{
    const TOld500Layout l = Old500Layout(Version);
    TByteRecord r(l.PlotSettings);
    r.Byte(0, static_cast<uint8_t>(d.PlotMode)).Double(4, d.FaceDistance.X).Double(12, d.FaceDistance.Y);
    r.Double(20, d.Scale);
    for (int i = 0; i < 5; ++i) r.Double(28 + 8 * size_t(i), d.PlotTextHeight[static_cast<TPlotTextHeights>(i)]);
    r.Byte(68, static_cast<uint8_t>(d.ProjectionMethode)).Byte(69, static_cast<uint8_t>(d.Orientation));
    r.Integer(72, d.Origin).LongWord(76, Old500PlotFlagBits(d.PlotFlags, l.LastPlotBit));
    r.ShortText(80, 80, d.PrinterName);
    if (l.PlotSettings >= 244) r.ShortText(161, 80, d.PaperSize).Byte(242, d.DXFFile ? 1 : 0);
    else r.Byte(161, d.DXFFile ? 1 : 0);
    return r;
}

TByteRecord Old500GroupRecord(const TGroupData& d)
{
    TByteRecord r(kOld500GroupSize);
    r.ShortText(0, 10, d.Code).Integer(12, d.Color).Byte(16, d.Fill);
    return r;
}

TByteRecord Old500HoleRecord(int Version, const THoleData& d)
{
    const TOld500Layout l = Old500Layout(Version);
    TByteRecord r(l.Hole);
    r.Integer(0, d.HoleNumber).Integer(4, d.PatternHandle).Integer(8, d.PatternHoleNumber);
    r.Word(12, Old500HoleAttributeBits(d.Attribute)).Integer(16, d.FaceNumber);
    r.Double(20, d.XXY).Double(28, d.YZZ).Integer(36, d.Dashed).Double(40, d.HoleContour);
    r.Double(48, d.AngleValue).Double(56, d.AngleRotation);
    if (l.Hole >= 276) {
        r.Integer(64, d.RemarkRotation);
        PutProperties(r, 68, d.Properties);
        if (l.Hole >= 300) r.Byte(273, static_cast<uint8_t>(d.SelectedMode));
    } else {
        r.ShortText(64, 30, d.Properties.Title).ShortText(95, 15, d.Properties.Bitmap);
        r.ShortText(111, 72, d.Properties.Description).Integer(184, d.RemarkRotation);
    }
    return r;
}

TByteRecord Old500StepRecord(int Version, const TStepData& d)
{
    const TOld500Layout l = Old500Layout(Version);
    TByteRecord r(l.Step);
    r.Integer(0, d.StepNumber).Word(4, LowBits(d.Attribute, 4));
    r.Double(8, d.Diameter).Double(16, d.Depth).ShortText(24, 20, d.Thread).Double(48, d.Length);
    r.ShortText(56, 24, d.Remark).Integer(84, d.TopAngle).Double(88, d.OutsideDiameter);
    r.ShortText(96, 20, d.MachineCode).ShortText(117, 10, d.GroupCode);
    r.Double(128, d.PortMin).Double(136, d.PortMax);
    if (l.Step >= 204) {
        r.ShortText(144, 15, d.ToleranceDiameter).ShortText(160, 15, d.ToleranceDepth);
        r.Byte(176, d.Selected ? 1 : 0);
    }
    return r;
}

TByteRecord Old500ContourRecord(const TXYPoint& p)
{
    TByteRecord r(kOld500ContourSize);
    r.Double(0, p.X).Double(8, p.Y);
    return r;
}

TByteRecord Old500ValveRecord(const TValveData& d)
{
    TByteRecord r(kOld500ValveSize);
    r.Integer(0, d.ValveNumber).ShortText(4, 20, d.ItemNumber).Double(28, d.Offset.X).Double(36, d.Offset.Y);
    r.Word(44, d.Rotation).ShortText(46, 40, d.DetailDrawing).ShortText(87, 40, d.AssemblyFile);
    r.Double(128, d.InsertionPoint.X).Double(136, d.InsertionPoint.Y);
    r.Double(144, d.NextInsertionPoint.X).Double(152, d.NextInsertionPoint.Y);
    r.Double(160, d.RotationAngle).Byte(168, d.ContourInAssembly ? 1 : 0);
    r.ShortText(169, 30, d.Manufacturer).ShortText(200, 50, d.ComponentType).ShortText(251, 70, d.Description);
    r.Double(324, d.Height).Double(332, d.Weight);
    return r;
}

std::string Old500File(int Version, const TManifold& d)
{
    const TOld500Layout l = Old500Layout(Version);
    const char* versionText = Version == 500 ? "5.00" : Version == 510 ? "5.10" : Version == 520 ? "5.20"
                            : Version == 530 ? "5.30" : "5.40";
    TByteFile f;
    f.Header(versionText);
    f.Add(Old500ManifoldRecord(Version, d.FData, d.GetCalcWallthickness()));
    if (l.HasRevisions) {
        f.Integer(d.FRevisionList.Count());
        for (const auto& rev : d.FRevisionList) f.Add(Old500RevisionRecord(rev->fData));
    }
    f.Add(Old500ProjectRecord(d.FProject.FData));
    f.Integer(static_cast<int32_t>(d.FProject.FComments.size()));
    for (const auto& line : d.FProject.FComments) f.Add(Old500CommentRecord(line));
    for (int i = 0; i < 2; ++i)
        f.Add(Old500PlotSettingsRecord(Version, i < d.fPlotSettings.Count() ? d.fPlotSettings[i]->FData
                                                                              : TPlotSettingsData{}));
    f.Integer(d.FGroupList.Count());
    for (const auto& g : d.FGroupList) f.Add(Old500GroupRecord(g->FData));
    f.Integer(d.FHoleList.Count());
    for (const auto& h : d.FHoleList) {
        f.Add(Old500HoleRecord(Version, h->FData));
        f.Integer(h->FStepList.Count());
        for (const auto& s : h->FStepList) f.Add(Old500StepRecord(Version, s->FData));
        f.Integer(h->FContourList.Count());
        for (const auto& p : h->FContourList) f.Add(Old500ContourRecord(p->FData));
        f.Integer(h->FValveList.Count());
        for (const auto& v : h->FValveList) f.Add(Old500ValveRecord(v->fData));
    }
    return f.Bytes();
}

// ------------------------------------------------------------ the design

namespace {

// A step with a 118 degree drill point; the depth is to the tip.
TStepData Drill(int number, double diameter, double depth, const std::string& group)
{
    TStepData s;
    s.StepNumber = number;
    s.Diameter = diameter;
    s.Depth = depth;
    s.TopAngle = 118;
    s.GroupCode = group;
    return s;
}

// A tapped step: tap-drill (core) diameter, nominal diameter, thread length.
TStepData Tapped(int number, double core, double od, const std::string& thread, double length, double depth,
                 const std::string& group)
{
    TStepData s = Drill(number, core, depth, group);
    s.Attribute.Include(saThreaded);
    s.Thread = thread;
    s.OutsideDiameter = od;
    s.Length = length;
    return s;
}

// A flat spot face at the block face for the sealing ring of a fitting.
TStepData SpotFace(int number, double diameter, double depth, const std::string& group)
{
    TStepData s = Drill(number, diameter, depth, group);
    s.TopAngle = 180;
    s.Attribute.Include(saSpotfaced);
    return s;
}

THole& AddHole(TManifold& d, int face, double xxy, double yzz)
{
    THole& h = *d.FHoleList.Add();
    h.FData.HoleNumber = d.FHoleList.Count();
    h.FData.FaceNumber = face;
    h.FData.XXY = xxy;
    h.FData.YZZ = yzz;
    return h;
}

// A BSPP port: the bore, the tapped G thread and the spot face.
THole& Port(TManifold& d, int face, double xxy, double yzz, double bore, double depth,
                  const std::string& group, const std::string& remark)
{
    THole& h = AddHole(d, face, xxy, yzz);
    SetSteps(h, {Drill(1, bore, depth, group), Tapped(2, 18.6, 20.955, "G1/2", 14.0, 17.0, group),
                 SpotFace(3, 34.0, 1.0, group)});
    h.FStepList.Last()->FData.Remark = remark;
    return h;
}

TDateTime Date(int year, int month, int day, int hour = 0, int minute = 0)
{
    TDateTime t = 0.0;
    TryEncodeDateTime(year, month, day, hour, minute, 0, t);
    return t;
}

} // namespace

std::unique_ptr<TManifold> Old500SampleDesign(int Version)
{
    const TOld500Layout layout = Old500Layout(Version);
    const bool withProperties = layout.Manifold >= 668;
    const bool with540 = layout.Step >= 204;

    auto design = std::make_unique<TManifold>();
    TManifold& d = *design;
    TManifoldData& m = d.FData;
    m.FileType = ftManifold;
    m.MeasuringUnits = muMM;
    m.Decimals = 2;
    m.Max = TXYZPoint{160.0, 120.0, 90.0};
    m.Material = "EN-GJS-400-15";
    m.MassDensity = 7100.0;
    m.PrinterName = "Plotter A1";
    m.CurrentDrawing = 10;
    m.DrawProjectionMethode = pmEuropean;
    m.FinishFace = {3.2, 1.6, 3.2, 3.2, 3.2, 3.2, 1.6};
    m.CalcHole = {1, 4};
    if (withProperties) {
        m.Properties.Title = "Valve block VB-160";
        m.Properties.Bitmap = "vb160.bmp";
        m.Properties.Description = "Check valve block with P, T and A port";
        m.Properties.Group = "Blocks";
        m.Properties.Use = true;
    }
    d.SetCalcWallthickness(3.0);

    if (layout.HasRevisions) {
        TRevisionData& a = d.FRevisionList.Add()->fData;
        a.Number = "A";
        a.Date = Date(2005, 3, 14);
        a.Description = "First issue";
        a.DrawnBy = "J. Berg";
        a.CheckedBy = "M. Haas";
        TRevisionData& b = d.FRevisionList.Add()->fData;
        b.Number = "B";
        b.Date = Date(2005, 9, 2);
        b.Description = "Tank port moved 5 mm to clear the mounting bolt";
        b.DrawnBy = "J. Berg";
        b.CheckedBy = "M. Haas";
    }

    TProjectData& project = d.FProject.FData;
    project.DrawnBy = "J. Berg";
    project.CheckedBy = "M. Haas";
    project.CreatedOn = Date(2005, 3, 10, 9, 30);
    project.ModifiedOn = Date(2005, 9, 2, 16, 5);
    project.ProjectTitle = "Lift cylinder check block";
    project.ProjectNumber = "P-2005-031";
    project.ProjectClient = "Nordlift AB";
    project.ProjectDrawing = "VB-160-01";
    d.FProject.FComments = {"Deburr all intersections; test pressure 350 bar."};

    for (int i = 0; i < 2; ++i) {
        TPlotSettingsData& p = d.fPlotSettings.Add()->FData;
        p.PlotMode = i == 0 ? psmProduction : psmAssembly;
        p.Scale = 1.0;
        p.ProjectionMethode = pmEuropean;
        p.PrinterName = "Plotter A1";
        if (layout.PlotSettings >= 244) p.PaperSize = "A2";
        p.PlotFlags = TPlotFlags{pfBorder, pfCenterDrawing, pfContours, pfDrawingHead, pfFileInformation,
                                 pfItemNumbers, pfTime};
        if (i == 0) p.PlotFlags.Include(pfDrillingList);
    }

    auto group = [&](const char* code, TColor color) {
        TGroupData& g = d.FGroupList.Add()->FData;
        g.Code = code;
        g.Color = color;
        g.Fill = 1;
    };
    group("P", 0x000000FF); // red
    group("T", 0x00FF0000); // blue
    group("A", 0x0000C000); // green
    group("B", 0x0000C0C0); // olive

    // Pressure comes in on the front face (2) and reaches the side port of
    // the check valve cavity; the valve opens towards the work port A on the
    // right-hand face (4), which meets the cavity's nose. The tank port
    // passes through to the drain line.
    Port(d, 2, 100.0, 58.0, 12.0, 66.0, "P", "P");
    Port(d, 2, 40.0, 45.0, 12.0, 55.0, "T", "T");
    Port(d, 4, 60.0, 45.0, 10.0, 66.0, "A", "A");

    // A screw-in check valve cavity from the top face (6): nose (port 1) on
    // A, side port 2 on P, the seat shoulder under the M20x1.5 thread.
    THole& cavity = AddHole(d, 6, 100.0, 60.0);
    cavity.FData.Attribute.Include(haClosed);
    cavity.FData.Attribute.Include(haMeasure);
    SetSteps(cavity, {Drill(1, 12.0, 52.0, "A"), Drill(2, 16.0, 38.0, "P"),
                      Tapped(3, 18.5, 20.0, "M20x1.5", 15.0, 22.0, "P"), SpotFace(4, 30.0, 1.0, "")});
    cavity.FStepList[1]->FData.PortMin = 28.0;
    cavity.FStepList[1]->FData.PortMax = 36.0;
    cavity.FStepList[2]->FData.Attribute.Include(saLocatingShoulder);
    cavity.FStepList[0]->FData.Remark = "\"CV10-2\" cavity";
    cavity.FContourList.Add()->FData = TXYPoint{36.0, 0.0}; // the hexagon's clearance circle
    TValveData& valve = cavity.FValveList.Add()->fData;
    valve.ValveNumber = 1;
    valve.ItemNumber = "1";
    valve.Offset = TXYPoint{12.0, 12.0};
    valve.Manufacturer = "Hydrocon";
    valve.ComponentType = "CV10-2";
    valve.Description = "Check valve, 0.3 bar";
    valve.Height = 48.0;
    valve.Weight = 0.12;

    // Two through mounting holes, M8 clearance, as a diagonal pattern.
    for (int i = 0; i < 2; ++i) {
        THole& h = AddHole(d, 1, i == 0 ? 10.0 : 150.0, i == 0 ? 10.0 : 110.0);
        h.FData.Attribute.Include(haMounting);
        h.FData.Attribute.Include(haThrough);
        h.FData.PatternHandle = 1;
        h.FData.PatternHoleNumber = i;
        SetSteps(h, {Drill(1, 9.0, 90.0, "")});
        h.FStepList[0]->FData.Remark = "M8 mounting";
    }

    // 5.40 keeps tolerances with the steps.
    if (with540) {
        for (const auto& h : d.FHoleList)
            for (const auto& s : h->FStepList)
                if (s->GetIsThreaded()) s->FData.ToleranceDiameter = "6H";
        d.FHoleList[0]->FStepList[0]->FData.ToleranceDepth = "+0.5";
    }
    return design;
}

std::string Old500Design(int Version) { return Old500File(Version, *Old500SampleDesign(Version)); }

} // namespace qv::samples
