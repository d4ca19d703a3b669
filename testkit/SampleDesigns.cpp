#include "testkit/SampleDesigns.h"

#include "document/Manifolds.h"
#include "model/HoleLists.h"
#include "model/StepLists.h"
#include "stream/QuorvaneFiles.h"
#include "testkit/WriteCutOuts.h"
#include "testkit/WriteGroups.h"
#include "testkit/WriteHoles.h"
#include "testkit/WriteManifoldRecord.h"
#include "testkit/WriteRecords.h"
#include "testkit/WriteValves.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv::samples {
namespace {

// A fixed time stamp for the hole list (2023-03-15 12:00), so that a design
// always gives the same bytes.
constexpr double kHoleListChanged = 45000.5;

// Depth a 120 degree drill point gains per unit of radius (tan 30 degrees),
// spelt out so that no library rounding can change the written bytes.
constexpr double kPoint120 = 0.5773502691896257;

std::unique_ptr<TManifold> NewDesign(double x, double y, double z)
{
    auto d = std::make_unique<TManifold>();
    d->fVELKStamp = "VELK sample generator 1";
    d->FData.Max = {x, y, z};
    d->FData.HoleListChangedDateTime = kHoleListChanged;
    return d;
}

// --------------------------------------------------------------- building

// A drilled step with a 120 degree point; depth is measured to the tip.
TStepData Drill(double diameter, double depth, const std::string& group = {}, const std::string& remark = {})
{
    TStepData s;
    s.Diameter = diameter;
    s.Depth = depth;
    s.GroupCode = group;
    s.Remark = remark;
    return s;
}

// A tapped step: core (tap drill) diameter, nominal diameter, thread length.
TStepData Tapped(double core, double od, const std::string& name, double length, double depth,
                 const std::string& group = {}, const std::string& remark = {})
{
    TStepData s = Drill(core, depth, group, remark);
    s.Attribute.Include(saThreaded);
    s.Thread = name;
    s.OutsideDiameter = od;
    s.Length = length;
    return s;
}

// A flat-bottomed spot face at the block face.
TStepData SpotFace(double diameter, double depth, const std::string& group = {})
{
    TStepData s = Drill(diameter, depth, group);
    s.TopAngle = 180;
    s.Attribute.Include(saSpotfaced);
    return s;
}

// The cone depth of a 120 degree step: where its cylinder ends.
double ConeDepth120(const TStepData& s) { return s.Depth - kPoint120 * 0.5 * s.Diameter; }

THole& AddHole(TManifold& d, int face, double xxy, double yzz)
{
    THole& h = *d.FHoleList.Add();
    h.FData.FaceNumber = face;
    h.FData.XXY = xxy;
    h.FData.YZZ = yzz;
    return h;
}

// One point: a circle of diameter X; more: a polygon.
void SetContour(THole& h, const std::vector<TXYPoint>& points)
{
    h.FContourList.Clear();
    for (const auto& p : points) h.FContourList.Add()->FData = p;
}

// A hole text of a hole, or a text style of the document.
void AddText(THoleTextList& list, const THoleTextData& text) { list.Add()->fdata = text; }

// Valves are numbered within their hole from 1.
TValveData& AddValve(THole& h)
{
    TValveData& v = h.FValveList.Add()->fData;
    v.ValveNumber = static_cast<int32_t>(h.FValveList.Count());
    return v;
}

void AddGroups(TManifold& d, const std::vector<TGroupData>& groups)
{
    for (const auto& g : groups) d.FGroupList.Add()->FData = g;
}

void Renumber(TManifold& d)
{
    for (int i = 0; i < d.FHoleList.Count(); ++i) {
        THole& h = *d.FHoleList[i];
        h.FData.HoleNumber = i + 1;
        for (int j = 0; j < h.FStepList.Count(); ++j) h.FStepList[j]->FData.StepNumber = j + 1;
    }
}

// ---------------------------------------------------------------- writing

// What a design file holds beside the manifold record, groups, hole texts
// and holes: the demo also carries the documentation, cut-out and checking
// records and the bill of materials; the large and small designs do not.
enum class TExtraRecords { None, DocumentationAndChecking };

void Write(const std::string& path, const TManifold& d, TExtraRecords extra, bool viewer)
{
    TQuorvaneFile f(path, TQuorvaneFile::ModeWrite, viewer);
    if (f.Error()) throw std::runtime_error("cannot create \"" + path + "\"");
    const TWriteOptions o = LikeDesignProgram(viewer);
    const bool all = extra == TExtraRecords::DocumentationAndChecking;
    f.WriteFileVersion();
    f.WriteVar(1000);
    WriteManifoldRecord(f, d, o);
    if (all) WriteDocumentationRecords(f, d, viewer);
    for (const auto& g : d.FGroupList) WriteGroup(f, *g, o);
    if (all) WriteCutOuts(f, d.fCutOutList);
    for (const auto& t : d.fHoleTextList) WriteHoleText(f, *t, o);
    if (all) WriteCheckingRecords(f, d, viewer);
    for (const auto& h : d.FHoleList) WriteHole(f, *h, o);
    if (all) WriteRecordsAfterHoles(f, d);
    f.WriteVar(1999);
    f.Flush();
}

// ------------------------------------------------------------- demo design
//
// A counterbalance-style valve block of 160 x 120 x 90 mm in S355 steel.
// Face 1 is the mounting face (Z = 0), face 6 the top with three cartridge
// cavities in a row at Y = 60, face 2 the front with P, T, the gauge port MP
// and the angled leakage port L, face 5 the back with the work ports A and B.
// Two plugged galleries connect the cavities: P along X at Z = 30 under the
// cavity noses, T along X at Z = 62 through the upper port zones.

// Colours are $00BBGGRR.
const std::vector<TGroupData> kDemoGroups = {
    {"P", 0x000000FF, 1, 40.0, 6.0},  // pressure: red
    {"T", 0x00FF0000, 1, 40.0, 2.0},  // tank: blue
    {"A", 0x0000A000, 1, 25.0, 5.0},  // work port A: green
    {"B", 0x000080FF, 1, 25.0, 5.0},  // work port B: orange
};

// A port for a fitting: channel, M22x1.5 thread, flat spot face.
void Port(TManifold& d, int face, double a, double b, const std::string& name, const std::string& group,
          const std::string& text, double channel, double depth)
{
    THole& h = AddHole(d, face, a, b);
    SetSteps(h, {Drill(channel, depth, group, "\"" + name + "\" " + text + " <>"),
               Tapped(20.5, 22.0, "M22x1.5", 18.0, 26.0, group, "thread"),
               SpotFace(34.0, 1.0, group)});
}

// A gauge port: M14x1.5 under a spot face, a 6 mm channel.
THole& GaugePort(TManifold& d, int face, double a, double b, const std::string& name, const std::string& group,
                double depth)
{
    THole& h = AddHole(d, face, a, b);
    SetSteps(h, {Drill(6.0, depth, group, "\"" + name + "\" gauge <>"),
               Tapped(12.5, 14.0, "M14x1.5", 12.0, 18.0, group, "thread"), SpotFace(25.0, 1.0, group)});
    return h;
}

// A drilled gallery closed at the face by a plug thread.
THole& PluggedGallery(TManifold& d, int face, double a, double b, const std::string& group, double channel,
                     double depth, double core, double od, const std::string& thread, double plugDepth)
{
    THole& h = AddHole(d, face, a, b);
    h.FData.Attribute.Include(haPlugged);
    SetSteps(h, {Drill(channel, depth, group, group + " gallery <>"),
               Tapped(core, od, thread, plugDepth - 6.0, plugDepth, group, "plug")});
    return h;
}

// A blind tapped hole of one step.
THole& TappedHole(TManifold& d, int face, double a, double b, double core, double od, const std::string& thread,
                 double length, double depth, const std::string& remark)
{
    THole& h = AddHole(d, face, a, b);
    SetSteps(h, {Tapped(core, od, thread, length, depth, {}, remark)});
    return h;
}

// A screw-in cartridge cavity. The nose (step 0) is port 1; the steps with
// a port zone (PortMin to PortMax, depths from the face) are ports 2, 3, ...
// counted upwards. The cartridge seats on the shoulder under its thread (the
// locating shoulder); the spot face for its hexagon is an extra diameter.
THole& Cavity(TManifold& d, double x, double y, std::vector<TStepData> steps, double spotFace)
{
    THole& h = AddHole(d, 6, x, y);
    h.FData.Attribute.Include(haClosed);
    const size_t threadIndex = steps.size() - 1;
    steps[threadIndex].Attribute.Include(saLocatingShoulder);
    TStepData spot = SpotFace(spotFace, 1.0);
    for (auto a : {saExtraDiameter, saLocked, saCounterBore}) spot.Attribute.Include(a);
    spot.Remark = "SPOTFACE";
    TExtraDiameterData e;
    e.Diameter = spotFace;
    // Entered to the hundredth, as a designer would.
    e.LSValue = std::round((ConeDepth120(steps[threadIndex]) - spot.Depth) * 100.0) / 100.0;
    h.fExtraDiameterList.Add()->fData = e;
    steps.push_back(spot);
    SetSteps(h, steps);
    return h;
}

TStepData WithPortZone(TStepData s, double portMin, double portMax)
{
    s.PortMin = portMin;
    s.PortMax = portMax;
    return s;
}

// The demo's documentation, cut-out and checking records: two revisions, the
// project, two working sessions, a to-do entry for an optional drain port,
// the production and assembly drawing set-ups, an A3 layout, a chamfer and a
// step milled into the top face, an assembly variant with another relief
// valve, a section through the cavities, the wall-thickness settings, a
// cover-plate bolt pattern, two checkers and the bill of materials.
void AddDemoRecords(TManifold& m)
{
    constexpr TDateTime kJan10 = 44936.0, kMar15 = 44995.0; // 2023-01-10, 2023-03-15

    const struct { const char* Number; TDateTime Date; const char* Description; } kRevisions[] = {
        {"A", kJan10, "First issue"}, {"B", kMar15, "Gauge ports MA and MB added"}};
    for (const auto& e : kRevisions) {
        TRevisionData& rd = m.FRevisionList.Add()->fData;
        rd.Number = e.Number;
        rd.Date = e.Date;
        rd.Description = e.Description;
        rd.DrawnBy = "J. Berg";
        rd.CheckedBy = "M. Olsen";
    }
    TRevisionLayout& rl = *m.fRevisionLayoutList.Add();
    const struct { TRevisionColumnType Type; double Width; const char* Title; } kColumns[] = {
        {revcolNumber, 10.0, "Rev."}, {revcolDate, 25.0, "Date"}, {revcolDescription, 80.0, "Change"},
        {revcolDrawnBy, 20.0, "Drawn"}};
    for (const auto& c : kColumns) {
        TRevisionColumnData& cd = rl.fColumnList.Add()->fData;
        cd.ColumnType = c.Type;
        cd.ColumnWidth = c.Width;
        cd.ColumnTitle = c.Title;
    }
    for (const auto& [date, seconds] : {std::pair{kJan10, int64_t{14400}}, std::pair{kMar15, int64_t{3600}}}) {
        TSessionData& sd = m.fSessionList.Add()->fData;
        sd.Date = date;
        sd.Seconds = seconds;
    }

    TProjectData& p = m.FProject.FData;
    p.DrawnBy = "J. Berg";
    p.CheckedBy = "M. Olsen";
    p.CreatedOn = kJan10 + 0.375;
    p.ModifiedOn = kMar15 + 0.5;
    p.ProjectFinishedDate = kMar15 + 0.5;
    p.ProjectTitle = "Counterbalance block for a boom cylinder";
    p.ProjectNumber = "P-2023-017";
    p.ProjectClient = "Nordhavn Hydraulik";
    p.ProjectDrawing = "CB160-001";
    p.ProjectPressure = "350 bar";
    m.FProject.FComments = {"Block anodised after machining.", "Test pressure 525 bar."};
    m.FProject.fUserVarList.fUserVarList = {"Customer part||NH-4471", "Surface||anodised"};

    m.fToDo.fComments = {"Optional drain port on the left face"};
    {
        THole& h = *m.fToDo.fHoleList.Add();
        h.FData.HoleNumber = 1;
        h.FData.FaceNumber = 3;
        h.FData.XXY = 100.0;
        h.FData.YZZ = 50.0;
        h.FData.ToDoTag = 100;
        h.FData.Properties.Title = "Drain port";
        TStepData& s = h.FStepList.Add()->FData;
        s.StepNumber = 1;
        s.Diameter = 6.0;
        s.Depth = 30.0;
    }

    // The two drawings of the block on A3 sheets (420 x 297 mm). The
    // production drawing carries the general notes in the lower left, the
    // drilling list (one row per step: where to drill, how wide, how deep)
    // top right, and the port table; the assembly drawing lists the
    // cartridges and plugs to fit, with their tightening torques as notes.
    {
        TPlotSettings& ps = *m.fPlotSettings.Add();
        ps.FData.PlotMode = psmProduction;
        ps.FData.PlotFlags.Include(pfComments);
        ps.FData.PlotFlags.Include(pfDrillingList);
        ps.FData.PlotFlags.Include(pfInformationTable);
        ps.FData.InsertionPointComments = {15.0, 40.0};

        TCommentFile& notes = *ps.fCommentFileList.Add();
        notes.fData.FileName = "General notes.txt";
        notes.fData.InsertionPoint = {15.0, 40.0};
        notes.fData.UseTextFile = false; // the lines below, not the file's current text
        notes.fCommentLines = {"All sharp edges broken 0.2 x 45\xC2\xB0.", "Cross holes deburred.",
                               "Flush clean to ISO 4406 17/15/12 before assembly."};

        TDrillingListDrawingSettings& dl = ps.fDrillingListDrawingSettings;
        dl.fData.InsertionPoint = {250.0, 285.0};
        dl.fData.SplitFaces = true;
        dl.fData.EmptyLineBetweenFaces = true;
        const TDrillingListDrawingColumnData drillColumns[] = {
            {dldcolHoleNumber, "Hole", 10.0}, {dldcolFaceNumber, "Face", 10.0},  {dldcolXXY, "X", 15.0},
            {dldcolYZZ, "Y", 15.0},           {dldcolDiameter, "\xC3\xB8", 15.0}, {dldcolDepth, "Depth", 15.0},
            {dldcolThread, "Thread", 20.0},   {dldcolRemark, "Remark", 40.0},
        };
        for (const auto& c : drillColumns) dl.fColumnList.Add()->fData = c;

        TInfoTable& it = ps.fInfoTable;
        it.fData.ThruLabel = "\xC3\xB8<> Thru";
        const TInfoTableColumnData infoColumns[] = {
            {infotablecolInfo, "Port", 15.0}, {infotablecolDescription, "Connection", 45.0},
            {infotablecolHoleNumber, "Hole", 12.0}};
        for (const auto& c : infoColumns) it.fColumnList.Add()->fData = c;
        it.fSectionList.Add()->fData = {infotablesectionPorts, "Ports"};
    }
    {
        TPlotSettings& ps = *m.fPlotSettings.Add();
        ps.FData.PlotMode = psmAssembly;
        ps.FData.PlotFlags.Include(pfComments);
        ps.FData.PlotFlags.Include(pfInformationTable);
        ps.FData.PlotFlags.Include(pfUsedPlugs);

        TCommentFile& torques = *ps.fCommentFileList.Add();
        torques.fData.FileName = "Assembly notes.txt";
        torques.fData.InsertionPoint = {15.0, 60.0};
        torques.fData.UseTextFile = false;
        torques.fCommentLines = {"Cartridges: tighten to 45-50 Nm, O-rings oiled.",
                                 "Plugs: tighten to 25 Nm."};

        TInfoTable& it = ps.fInfoTable;
        const TInfoTableColumnData infoColumns[] = {
            {infotablecolInfo, "Item", 12.0}, {infotablecolDescription, "Description", 60.0},
            {infotablecolHoleNumber, "Cavity", 15.0}};
        for (const auto& c : infoColumns) it.fColumnList.Add()->fData = c;
        it.fSectionList.Add()->fData = {infotablesectionValves, "Cartridge valves"};
        it.fSectionList.Add()->fData = {infotablesectionPlugs, "Plugs"};
    }

    TLayout& l = *m.fLayoutList.Add();
    l.fData.Name = "Production A3";
    l.fData.DrawingHeadName = "VELK A3";
    l.fData.PaperSizeName = "A3";
    l.fData.PlotMode = psmProduction;
    {
        TInsertBlockData& b = l.fInsertBlockList.Add()->fData;
        b.BlockType = ibDefaultDrawingHead;
        b.Align = alBottomRight;
    }
    {
        TTextBlock& t = *l.fTextBlockList.Add();
        t.fData.Name = "General tolerances";
        t.fData.FontName = "Arial";
        t.fTextList = {"Tolerances ISO 2768-mK", "Edges broken 0.2 x 45"};
    }
    {
        TAttributeData& a = l.fAttributeList.Add()->fData;
        a.Tag = "DRAWING_NO";
        a.Value = "CB160-001";
    }

    // A 12 mm chamfer along the back left vertical edge, and a 10 mm deep
    // step at the front right corner of the top face.
    {
        TCutOutData& c = m.fCutOutList.Add()->fData;
        c.FaceNumber = 6;
        c.Corner = 4;
        c.Width = 12.0;
        c.Height = 12.0;
        c.SimpleChamfer = true;
    }
    {
        TCutOutData& c = m.fCutOutList.Add()->fData;
        c.FaceNumber = 6;
        c.Corner = 2;
        c.Width = 16.0;
        c.Height = 10.0;
        c.Through = false;
        c.Depth = 10.0;
    }

    // An assembly variant with a higher-rated relief valve in the relief
    // valve's cavity (item number 10).
    {
        TAssembly& a = *m.fAssemblyList.Add();
        a.FData.Active = true;
        a.FData.Name = "High pressure";
        a.FData.Description = "Relief valve for 420 bar";
        for (const auto& h : m.FHoleList)
            for (const auto& v : h->FValveList)
                if (v->fData.ItemNumber == "10") {
                    TAlternateValve& alt = *a.fAlternateValveList.Add();
                    alt.FData.HoleNumber = h->FData.HoleNumber;
                    TValveData& vd = alt.fValveList.Add()->fData;
                    vd.ValveNumber = 1;
                    vd.ItemNumber = "10";
                    vd.Manufacturer = v->fData.Manufacturer;
                    vd.ComponentType = "RV10-22A-420";
                    vd.Description = "Relief valve, 420 bar";
                }
    }
    {
        TCrossData& c = m.fCrossList.Add()->fData;
        c.CrossDirection = 1;
        c.CrossCoordinate = 60.0;
    }

    // The walls between two holes that meet anyway are not of interest here.
    m.fCalculateSettingsNew.fData.Flags.Exclude(cfnShowDistancesEvenForConnectedHoles);
    {
        TWallthicknessRangeData& w = m.fCalculateSettingsNew.fWallThicknessRangeList.Add()->fData;
        w.Diameter1 = 0.0;
        w.Diameter2 = 10.0;
        w.WallThickness = 3.0;
    }
    {
        TMountingHoleDefinitionData& md = m.fMountingHoleDefinitionList.Add()->fData;
        md.MountingHoleTag = 1;
        md.FaceNumber = 6;
        md.MountingHoleFileName = "Cover plate M8.mnf";
        md.AmountXXY = 2;
        md.AmountYZZ = 2;
        md.OffsetXXY = 15.0;
        md.OffsetYZZ = 15.0;
    }
    for (const auto& [name, initials] : {std::pair{"Jonas Berg", "JB"}, std::pair{"Mette Olsen", "MO"}}) {
        TCheckerData& c = m.fCheckers.Add()->fData;
        c.Name = name;
        c.Initials = initials;
    }

    TBillOfMaterials& bom = m.fBillOfMaterials;
    for (TBOMColumn c : {bomColItemNumber, bomcolArticleCode, bomcolDescription, bomcolManufacturer, bomcolQuantity})
        bom.fUsedColumns.Add(static_cast<int32_t>(c));
    {
        TUserBOMData& u = bom.fUserBOMList.Add()->fData;
        u.Description = "Seal kit";
        u.ArticleCode = "SK-CB160";
        u.Quantity = "1";
    }
}

std::unique_ptr<TManifold> BuildDemo()
{
    auto design = NewDesign(160.0, 120.0, 90.0);
    TManifold& d = *design;
    TManifoldData& m = d.FData;
    m.Material = "S355J2";
    m.MassDensity = 7850.0;
    m.DrawProjectionMethode = pmEuropean;
    m.Properties.Title = "CB-160 counterbalance block";
    m.Properties.Description = "Relief valve and two pilot-operated check valves for a double-acting cylinder";
    m.Properties.Group = "Demo";
    m.CurrentGroupCode = "P";
    d.SetCalcWallthickness(4.0);
    d.fEngravedItemNumbersOptions.TextHeight = 3.5;
    AddGroups(d, kDemoGroups);

    // The default style of hole texts.
    THoleTextData style;
    style.TextHeight = 3.5;
    AddText(d.fHoleTextList, style);

    // Front face: supply, return, gauge and the angled leakage port.
    Port(d, 2, 22.0, 30.0, "P", "P", "pressure", 14.0, 66.0);
    {
        THoleTextData label; // shows the port name from the remark
        label.OffSet = {0.0, -22.0};
        AddText(d.FHoleList.Last()->fHoleTextList, label);
        d.FHoleList.Last()->fComments = {"Supply from the pump, 210 bar max.", "Fitting: straight stud, ED seal."};
    }
    // The gauge port's spot face leaves 3.5 mm to the T port's where the
    // design asks for 4 between lines: the design's one thin wall.
    GaugePort(d, 2, 52.0, 30.0, "MP", "P", 64.0);
    Port(d, 2, 57.5, 62.5, "T", "T", "tank", 12.0, 64.0);
    {
        // Leakage port, tilted 20.5 degrees upwards to meet the T gallery at
        // Y = 60 from a low position on the front face.
        THole& h = AddHole(d, 2, 141.0, 40.0);
        h.FData.Attribute.Include(haAngled);
        h.FData.AngleValue = 20.5;
        h.FData.AngleRotation = 270.0;
        SetSteps(h, {Drill(8.0, 67.0, "T", "\"L\" leakage, drilled at 20.5\xC2\xB0 <>"),
                   Tapped(14.5, 16.0, "M16x1.5", 12.0, 18.0, "T", "thread"), SpotFace(28.0, 1.0, "T")});
    }

    // Back face: work ports and bracket threads.
    Port(d, 5, 80.0, 49.0, "A", "A", "cylinder bore side", 8.0, 64.0);
    Port(d, 5, 125.0, 49.0, "B", "B", "cylinder rod side", 8.0, 64.0);
    TappedHole(d, 5, 30.0, 15.0, 5.0, 6.0, "M6", 12.0, 16.0, "bracket");
    TappedHole(d, 5, 130.0, 15.0, 5.0, 6.0, "M6", 12.0, 16.0, "bracket");

    // Top face: gauge port on the A line, the three cavities, lifting eyes,
    // cover plate threads.
    GaugePort(d, 6, 80.0, 100.0, "MA", "A", 43.0);
    {
        THole& h = Cavity(d, 35.0, 60.0,
                         {Drill(12.5, 47.5, "P", "\"CV1\" relief valve <>"),
                          WithPortZone(Drill(16.0, 37.5, "T"), 22.5, 32.5),
                          Tapped(18.5, 20.0, "M20x1.5", 15.0, 23.5)},
                         30.0);
        TValveData& v = AddValve(h);
        v.ItemNumber = "10";
        v.Offset = {0.0, 20.0};
        v.DetailDrawing = "CAV-08-2";
        v.Manufacturer = "Harlow Fluidtechnik";
        v.ComponentType = "RV08-20";
        v.Description = "Relief valve, direct acting, 210 bar";
        v.ArticleCode = "RV0820-210";
        v.Height = 62.0;
        v.Weight = 0.18;
        SetContour(h, {{40.0, 0.0}}); // the valve body seen from above
        THoleTextData caption;
        caption.Caption = "RELIEF|210 bar";
        caption.UseTextFromRemark = false;
        caption.OffSet = {0.0, -24.0};
        AddText(h.fHoleTextList, caption);
        TManufacturingNote n;
        n.fNotes = {"Cavity to the valve maker's drawing CAV-08-2.", "Cross holes \xC3\x98" "8 deburred."};
        h.fManufacturingNote = n;
    }
    const struct { double X; const char* Work; const char* Item; } kChecks[] = {{80.0, "A", "11"},
                                                                                 {125.0, "B", "12"}};
    for (const auto& c : kChecks) {
        THole& h = Cavity(d, c.X, 60.0,
                         {Drill(12.5, 62.0, "P", std::string("\"CV") + (c.Work[0] == 'A' ? "2" : "3") +
                                                     "\" check valve <>"),
                          WithPortZone(Drill(16.0, 51.0, c.Work), 37.0, 45.0),
                          WithPortZone(Drill(19.0, 40.0, "T"), 22.5, 32.5),
                          Tapped(22.5, 24.0, "M24x1.5", 17.0, 27.0)},
                         36.0);
        TValveData& v = AddValve(h);
        v.ItemNumber = c.Item;
        v.Offset = {0.0, 24.0};
        v.DetailDrawing = "CAV-10-3";
        v.Manufacturer = "Harlow Fluidtechnik";
        v.ComponentType = "CP10-3P";
        v.Description = std::string("Pilot-operated check valve, line ") + c.Work;
        v.ArticleCode = "CP103P-00";
        v.Height = 78.0;
        v.Weight = 0.31;
        // The coil housing of the valve as a rectangle around the cavity.
        SetContour(h, {{c.X - 20.0, 40.0}, {c.X + 20.0, 40.0}, {c.X + 20.0, 80.0}, {c.X - 20.0, 80.0}});
    }
    TappedHole(d, 6, 35.0, 15.0, 10.2, 12.0, "M12", 18.0, 24.0, "lifting eye");
    TappedHole(d, 6, 120.0, 15.0, 10.2, 12.0, "M12", 18.0, 24.0, "lifting eye");
    TappedHole(d, 6, 15.0, 105.0, 6.8, 8.0, "M8", 12.0, 16.0, "cover plate");
    TappedHole(d, 6, 145.0, 105.0, 6.8, 8.0, "M8", 12.0, 16.0, "cover plate");

    // Right face: gauge port on the B line, the plugged T gallery.
    GaugePort(d, 4, 95.0, 49.0, "MB", "B", 37.0);
    {
        THole& h = PluggedGallery(d, 4, 60.0, 62.0, "T", 10.0, 128.0, 10.5, 12.0, "M12x1.5", 17.0);
        TValveData& plug = AddValve(h);
        plug.ItemNumber = "20";
        plug.Offset = {0.0, -14.0};
        plug.ComponentType = "Plug M12x1.5";
        plug.Description = "Steel plug with ED seal";
    }

    // Left face: the plugged P gallery and nameplate screws.
    {
        THole& h = PluggedGallery(d, 3, 60.0, 30.0, "P", 10.0, 130.0, 10.5, 12.0, "M12x1.5", 17.0);
        TValveData& plug = AddValve(h);
        plug.ItemNumber = "20";
        plug.Offset = {0.0, -14.0};
        plug.ComponentType = "Plug M12x1.5";
        plug.Description = "Steel plug with ED seal";
    }
    TappedHole(d, 3, 30.0, 75.0, 3.3, 4.0, "M4", 8.0, 12.0, "nameplate");
    TappedHole(d, 3, 90.0, 75.0, 3.3, 4.0, "M4", 8.0, 12.0, "nameplate");

    // Bottom (mounting) face: the vertical feed of CV1's nose, an O-ring
    // face-seal port P1, mounting threads and dowel holes. P1, a second
    // inlet for a pump flanged to the mounting face, meets the P gallery but
    // has not been given its line yet: the wall-thickness check lists that
    // meeting, the one connection of the design that is not between bores
    // of one line.
    PluggedGallery(d, 1, 35.0, 60.0, "P", 8.0, 45.0, 9.0, 10.0, "M10x1", 14.0);
    {
        THole& h = AddHole(d, 1, 100.0, 60.0);
        TStepData inner = SpotFace(14.5, 0.0);
        TStepData outer = SpotFace(20.5, 1.3);
        SetSteps(h, {Drill(10.0, 33.0, {}, "\"P1\" pressure, face seal"), inner, outer});
        h.FData.Properties.Description = "O-RING 15.6x1.78";
    }
    for (double x : {14.0, 146.0})
        for (double y : {14.0, 106.0}) {
            THole& h = TappedHole(d, 1, x, y, 8.5, 10.0, "M10", 12.0, 16.0, "mounting");
            h.FData.Attribute.Include(haMounting);
        }
    for (const auto& [x, y] : {std::pair{30.0, 90.0}, std::pair{130.0, 20.0}}) {
        THole& h = AddHole(d, 1, x, y);
        h.FData.Attribute.Include(haFixation);
        TStepData s = Drill(8.0, 14.0, {}, "dowel pin");
        s.ToleranceDiameter = "H7";
        SetSteps(h, {s});
    }

    // A place kept free for an optional valve: shown only on request.
    {
        THole& h = AddHole(d, 6, 140.0, 25.0);
        h.FData.Attribute.Include(haDummyHole);
        SetSteps(h, {SpotFace(20.0, 2.0)});
        h.FStepList[0]->FData.Remark = "reserved for option";
    }

    // Machine codes for the drawing list, on the drilled steps.
    for (const auto& h : d.FHoleList)
        for (const auto& step : h->FStepList) {
            TStepData& s = step->FData;
            if (s.TopAngle == 120 && !s.Attribute.Contains(saThreaded)) s.MachineCode = "DR";
        }
    Renumber(d);
    AddDemoRecords(d);
    return design;
}

// ------------------------------------------------------------ large design

// SplitMix64: a tiny generator whose sequence is the same everywhere.
class Rng {
public:
    explicit Rng(uint64_t seed) : fState(seed) {}
    uint64_t Next()
    {
        uint64_t z = (fState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

private:
    uint64_t fState;
};

std::unique_ptr<TManifold> BuildLarge(int holes, unsigned seed)
{
    if (holes < 0) holes = 0;
    // Holes go round the six faces, each face on a square grid of 40 mm.
    const int perFace = (holes + 5) / 6;
    int n = 3;
    while (n * n < perFace) ++n;
    const double pitch = 40.0;
    const double side = pitch * (n + 1);
    auto design = NewDesign(side, side, side);
    TManifold& d = *design;
    d.FData.Material = "EN AW-6082 T6";
    d.FData.MassDensity = 2700.0;
    AddGroups(d, kDemoGroups);
    THoleTextData style;
    style.TextHeight = 3.5;
    AddText(d.fHoleTextList, style);

    struct Thread { double Core, Od; const char* Name; };
    static constexpr Thread kThreads[] = {{9.0, 10.0, "M10x1"},     {10.5, 12.0, "M12x1.5"}, {12.5, 14.0, "M14x1.5"},
                                          {14.5, 16.0, "M16x1.5"}, {16.5, 18.0, "M18x1.5"}, {20.5, 22.0, "M22x1.5"}};
    static const char* const kGroups[] = {"P", "T", "A", "B"};
    static const char* const kWords[] = {"pressure", "tank", "work port", "pilot"};

    Rng r(seed);
    // Opposite faces share a grid, so a hole may reach to the middle only.
    const double maxDepth = side / 2.0 - 5.0;
    for (int i = 0; i < holes; ++i) {
        const int face = 1 + i % 6;
        const int cell = i / 6;
        THole& h = AddHole(d, face, pitch * (1 + cell % n), pitch * (1 + cell / n));
        const Thread& t = kThreads[r.Below(6)];
        const int g = r.Below(4);
        const std::string group = kGroups[g];
        const double length = 8.0 + r.Below(7);
        const double threadDepth = 1.0 + length + 6.0 + r.Below(5);
        const double boreD = t.Core - 2.0 - 0.5 * r.Below(3);
        const double boreDepth = threadDepth + 10.0 + r.Below(21);
        const double channelD = boreD - 2.0 - 0.5 * r.Below(5);
        double channelDepth = boreDepth + 8.0 + r.Below(41);
        if (channelDepth > maxDepth) channelDepth = maxDepth;
        const std::string name = group + std::to_string(i + 1);
        SetSteps(h, {Drill(channelD, channelDepth, group, "\"" + name + "\" " + kWords[g] + " <>"),
                   Drill(boreD, boreDepth, group, "bore"),
                   Tapped(t.Core, t.Od, t.Name, length, threadDepth, group, "thread " + std::string(t.Name)),
                   SpotFace(t.Od + 12.0, 1.0, group)});
        h.FStepList.Last()->FData.Remark = "spot face";
        if (i % 7 == 3) {
            // A cartridge cavity: a port zone in the middle of the bore.
            h.FData.Attribute.Include(haClosed);
            // The bore's cylinder runs from just under the thread step to
            // its cone depth, at most 5.4 mm above its tip.
            TStepData& bore = h.FStepList[1]->FData;
            bore.PortMin = threadDepth + 2.0;
            bore.PortMax = boreDepth - 6.0;
            TValveData& v = AddValve(h);
            v.ItemNumber = std::to_string(100 + i);
            v.Offset = {0.0, t.Od + 8.0};
            v.ComponentType = "CV-" + std::to_string(r.Below(90) + 10);
            v.Description = "Cartridge valve";
        } else if (i % 11 == 5) {
            h.FData.Attribute.Include(haPlugged);
            TValveData& plug = AddValve(h);
            plug.ItemNumber = "20";
            plug.ComponentType = "Plug " + std::string(t.Name);
        }
        if (i % 5 == 2) {
            // A label next to the port, in the document's default style.
            THoleTextData text;
            text.Caption = name + "|" + t.Name;
            text.OffSet = {t.Od, -t.Od};
            AddText(h.fHoleTextList, text);
        }
        if (i % 9 == 4) {
            TManufacturingNote note;
            note.fNotes = {"Deburr the intersection with the " + std::string(kWords[g]) + " line",
                          "Check the thread with a go/no-go gauge"};
            h.fManufacturingNote = note;
        }
    }
    Renumber(d);
    return design;
}

// ------------------------------------------------------------ small design

// Three holes that between them set every hole and step field that a file
// stores, every attribute, and one of each nested record.
std::unique_ptr<TManifold> BuildSmall()
{
    auto design = NewDesign(100.0, 80.0, 60.0);
    TManifold& d = *design;
    d.FData.Material = "C45";
    AddGroups(d, {kDemoGroups[0], kDemoGroups[1]});
    THoleTextData style;
    style.TextHeight = 3.0;
    AddText(d.fHoleTextList, style);

    {
        THole& h = AddHole(d, 1, 20.0, 25.0);
        THoleData& x = h.FData;
        for (auto a : {haPlugged, haFixation, haMounting, haStandardHole, haExportDummyHole, haGroupLocked, haAngled,
                       haThroughMountingHole, haMeasure})
            x.Attribute.Include(a);
        x.PatternHandle = 0;
        x.PatternHoleNumber = 0;
        x.Dashed = 1;
        x.HoleContour = 30.0;
        x.AngleValue = 15.0;
        x.AngleRotation = 45.0;
        x.RemarkRotation = 90;
        x.Properties = {"Port P", "port.bmp", "Pressure port", "Ports", false, "ports.lib"};
        x.StartDepth = 2.5;
        x.OriginalDiameter = 12.0;
        x.ToDoTag = 3;
        x.MinLS = 4.5;
        x.HoleNumberPositionOffset = {1.5, -2.0};
        x.OverrideStandardHoleNumberPosition = true;
        x.HideFace = true;
        x.HideCoordinates = true;
        x.AllowedFaces = "16";
        x.HoleRevision = "B";
        x.PelomyraHandle = 7;
        x.FeatureName = "PortFeature";
        x.DataSheet = "port.pdf";
        x.AutoMountingHoleTag = 2;
        x.ExternalFile = "fitting.step";
        x.ExternalFileScale = 2.0;
        x.ExternalFileRotation = 90.0;
        x.DashedLocked = true;
        h.fComments = {"first line", "", "third line"};
        TStepData s0 = Drill(8.0, 40.0, "P", "\"P\" pressure <>");
        s0.MachineCode = "DR8";
        s0.ToleranceDiameter = "H8";
        s0.ToleranceDepth = "+0.5";
        s0.Selected = true;
        s0.PortName = "X";
        for (auto a : {saHidden, saExcluded}) s0.Attribute.Include(a);
        TStepData s1 = Tapped(12.5, 14.0, "M14x1.5", 12.0, 18.0, "P", "thread");
        s1.Attribute.Include(saLocatingShoulder);
        TStepData s2 = SpotFace(25.0, 1.0, "P");
        SetSteps(h, {s0, s1, s2});
    }
    {
        THole& h = AddHole(d, 6, 60.0, 40.0);
        for (auto a : {haClosed, haAssembly, haConnect, haThrough, haAlwaysMeasure, haNeverMeasure,
                       haDoNotChangeForFEM, haExportThisPlug})
            h.FData.Attribute.Include(a);
        TStepData spot = SpotFace(30.0, 1.0);
        for (auto a : {saExtraDiameter, saLocked, saCounterBore}) spot.Attribute.Include(a);
        SetSteps(h, {Drill(12.5, 47.5, "T", "\"CV\" cavity <>"), WithPortZone(Drill(16.0, 37.5, "P"), 24.0, 31.0),
                   Tapped(18.5, 20.0, "M20x1.5", 15.0, 23.5), spot});
        h.FStepList[1]->FData.TopAngle = 118;
        TExtraDiameterData e;
        e.Diameter = 30.0;
        e.LSValue = 17.0;
        e.Hidden = true;
        h.fExtraDiameterList.Add()->fData = e;
        SetContour(h, {{10.0, 10.0}, {20.0, 10.0}, {15.0, 18.0}});
        TValveData& v = AddValve(h);
        v.ItemNumber = "7";
        v.Offset = {1.0, 2.0};
        v.Rotation = 90;
        v.Manufacturer = "Harlow Fluidtechnik";
        v.PelomyraHandle = 12;
        v.Engraved = true;
        THoleTextData t;
        t.Caption = "TWO|LINES";
        t.OffSet = {3.0, 4.0};
        t.TextHeight = 2.5;
        t.UseDefaultStyle = false;
        t.UseTextFromRemark = false;
        t.UseBorder = false;
        t.FixedWidth = 20.0;
        t.Rotation = 90.0;
        t.InsertionPoint = 1;
        t.HideInAssembly = t.HideInProduction = t.HideDimInAssembly = t.HideDimInProduction = t.HideInExport3D = true;
        AddText(h.fHoleTextList, t);
        TManufacturingNote n;
        n.fData.DisableStandardNote = n.fData.HideInProductionDrawing = n.fData.HideInAssemblyDrawing =
            n.fData.HideLSInDrawing = true;
        n.fNotes = {"note one", "note two"};
        n.fAlternativeNotes = {"alternative"};
        h.fManufacturingNote = n;
    }
    {
        THole& h = AddHole(d, 3, 40.0, 30.0);
        h.FData.Attribute.Include(haDummyHole);
        SetSteps(h, {Drill(6.0, 10.0)});
    }
    Renumber(d);
    return design;
}

} // namespace

std::unique_ptr<TManifold> DemoDesign() { return BuildDemo(); }
std::unique_ptr<TManifold> LargeDesign(int holes, unsigned seed) { return BuildLarge(holes, seed); }
std::unique_ptr<TManifold> SmallDesign() { return BuildSmall(); }

void WriteDemoDesign(const std::string& path, bool viewerFile)
{
    Write(path, *DemoDesign(), TExtraRecords::DocumentationAndChecking, viewerFile);
}

void WriteLargeDesign(const std::string& path, int holes, bool viewerFile, unsigned seed)
{
    Write(path, *LargeDesign(holes, seed), TExtraRecords::None, viewerFile);
}

void WriteSmallDesign(const std::string& path, bool viewerFile)
{
    Write(path, *SmallDesign(), TExtraRecords::None, viewerFile);
}

} // namespace qv::samples

namespace qv::samples {

void WriteDesignDocument(const std::string& path, const TManifold& design, bool viewerFile)
{
    Write(path, design, TExtraRecords::DocumentationAndChecking, viewerFile);
}

} // namespace qv::samples
