#include "testkit/WriteHoles.h"

#include "testkit/WriteGroups.h"
#include "testkit/WriteValves.h"

#include <string>

namespace qv::samples {

namespace {

bool HoldsAnything(const TManufacturingNote& n)
{
    const TManufacturingNoteData& d = n.fData;
    return !n.fNotes.empty() || !n.fAlternativeNotes.empty() || d.DisableStandardNote || d.HideInProductionDrawing ||
           d.HideInAssemblyDrawing || d.HideLSInDrawing;
}

} // namespace

void WriteHole(TQuorvaneFile& HF, const THole& h, const TWriteOptions& o)
{
    const THoleData& d = h.FData;
    TFieldWriter w(HF, o);
    w.Var(10000);
    w.Integer(10010, d.HoleNumber);
    w.Integer(10100, d.PatternHandle);
    w.Integer(10110, d.PatternHoleNumber);
    w.Integer(10200, d.FaceNumber);
    w.Double(10211, d.XXY);
    w.Double(10212, d.YZZ);
    w.Integer(10220, d.Dashed, 0);
    w.Boolean(10222, d.DashedLocked, false);
    w.Double(10230, d.HoleContour, 0.0);
    w.Double(10232, d.OriginalDiameter, 0.0);
    w.Double(10240, d.AngleValue, 0.0);
    w.Double(10250, d.AngleRotation, 0.0);
    w.Integer(10260, d.RemarkRotation, 0);
    // The selection state; the viewer passes over it.
    w.Integer(10270, d.SelectedMode);
    w.Integer(10272, d.ToDoTag, 0);
    w.String(10274, d.AllowedFaces);
    w.String(10276, d.HoleRevision);
    w.Integer(10278, d.PelomyraHandle, -1);
    w.Double(10280, d.StartDepth, 0.0);
    w.Double(10290, d.MinLS, 0.0);
    w.Boolean(10300, d.OverrideStandardHoleNumberPosition, false);
    w.Double(10310, d.HoleNumberPositionOffset.X, 0.0);
    w.Double(10312, d.HoleNumberPositionOffset.Y, 0.0);
    w.Boolean(10314, d.HideFace, false);
    w.Boolean(10316, d.HideCoordinates, false);
    w.String(10322, d.FeatureName);
    w.String(10324, d.DataSheet);
    w.Integer(10326, d.AutoMountingHoleTag, 0);
    w.String(10328, d.ExternalFile);
    w.Double(10330, d.ExternalFileScale, 1.0);
    w.Double(10340, d.ExternalFileRotation, 0.0);
    // One flag tag per attribute; the design program writes the set ones.
    for (int a = 0; a < EnumCount<THoleAttribute>(); ++a) {
        const auto member = static_cast<THoleAttribute>(a);
        if (const int tag = HoleAttributeTag(member))
            w.Boolean(static_cast<uint16_t>(tag), d.Attribute.Contains(member), false);
    }
    if (!o.ViewerFile) {
        w.String(7010, d.Properties.Title);
        w.String(7020, d.Properties.Bitmap);
        w.String(7030, d.Properties.Description);
        w.String(7040, d.Properties.Group);
        w.Boolean(7050, d.Properties.Use);
    }
    w.String(7060, d.Properties.LibraryFile);
    for (const auto& line : h.fComments) w.Line(10320, line);
    for (const auto& s : h.FStepList) WriteStep(HF, *s, o);
    for (const auto& e : h.fExtraDiameterList) WriteExtraDiameter(HF, *e, o);
    for (const auto& c : h.FContourList) WriteContour(HF, *c);
    for (const auto& v : h.FValveList) WriteValve(HF, *v, o);
    for (const auto& t : h.fHoleTextList) WriteHoleText(HF, *t, o);
    if (w.EveryTag() || HoldsAnything(h.fManufacturingNote)) WriteManufacturingNote(HF, h.fManufacturingNote, o);
    w.Var(19999);
}

void WriteStep(TQuorvaneFile& HF, const TStepData& s, const TWriteOptions& o)
{
    TFieldWriter w(HF, o);
    w.Var(20000);
    w.Integer(20010, s.StepNumber);
    w.Double(20100, s.Diameter);
    w.Double(20110, s.Depth);
    if (w.EveryTag() || s.Attribute.Contains(saThreaded)) {
        w.String(20200, s.Thread);
        w.Double(20210, s.Length);
        w.Double(20220, s.OutsideDiameter);
    }
    w.String(20300, s.Remark);
    w.Integer(20310, s.TopAngle, 120);
    if (!o.ViewerFile) w.String(20320, s.MachineCode);
    w.String(20330, s.GroupCode);
    w.Double(20340, s.PortMin, 0.0);
    w.Double(20350, s.PortMax, 0.0);
    if (!o.ViewerFile) {
        w.String(20360, s.ToleranceDiameter);
        w.String(20370, s.ToleranceDepth);
    }
    w.Boolean(20380, s.Selected, false);
    if (!o.ViewerFile) w.String(20382, s.PortName);
    // The attributes up to saLocked have a flag tag each, ten apart.
    for (int a = 0; a <= saLocked; ++a)
        w.Boolean(static_cast<uint16_t>(26000 + 10 * a), s.Attribute.Contains(static_cast<TStepAttribute>(a)), false);
    w.Var(29999);
}

void FillSampleStep(TStep& x, int seed)
{
    const std::string n = std::to_string(seed);
    const double k = seed;
    TStepData& d = x.FData;
    d.StepNumber = seed;
    d.Attribute = seed % 2 ? TStepAttributes{saThreaded, saHidden, saCounterBore, saLocked}
                           : TStepAttributes{saSpotfaced, saExcluded, saLocatingShoulder, saExtraDiameter};
    d.Diameter = 10.25 * k;
    d.Depth = 30.5 * k;
    d.Thread = "M" + std::to_string(12 + seed) + "x1.5";
    d.Length = 14.75 * k;
    d.Remark = "\"P" + n + "\" pressure \xC3\x98 <>"; // a non-ASCII character on the way
    d.TopAngle = 118 - seed;
    d.OutsideDiameter = 12.125 * k;
    d.MachineCode = "DR" + n;
    d.GroupCode = "G" + n;
    d.PortMin = 4.5 * k;
    d.PortMax = 9.25 * k;
    d.ToleranceDiameter = "H" + std::to_string(6 + seed);
    d.ToleranceDepth = "+0." + n;
    d.Selected = true;
    d.PortName = "X" + n;
}

void SetSteps(THole& x, const std::vector<TStepData>& steps)
{
    x.FStepList.Clear();
    for (const auto& s : steps) x.FStepList.Add()->FData = s;
}

void FillSampleHole(THole& x, int seed)
{
    const std::string n = std::to_string(seed);
    const double k = seed;
    THoleData& d = x.FData;
    d.HoleNumber = 10 + seed;
    d.PatternHandle = 3 * seed;
    d.PatternHoleNumber = 2 * seed;
    d.Attribute = {haPlugged, haMounting, haAngled, haMeasure, haThrough, haExportThisPlug};
    d.FaceNumber = 1 + seed % 6;
    d.XXY = 25.5 * k;
    d.YZZ = 40.25 * k;
    d.Dashed = 2;
    d.DashedLocked = true;
    d.HoleContour = 30.5 * k;
    d.AngleValue = 15.5 * k;
    d.AngleRotation = 45.25 * k;
    d.RemarkRotation = 90 * seed;
    d.Properties = {"Port " + n, "port" + n + ".bmp", "Pressure port " + n, "Ports", false, "ports" + n + ".lib"};
    d.StartDepth = 1.5 * k;
    d.OriginalDiameter = 9.5 * k;
    d.ToDoTag = 6 + seed;
    d.MinLS = 8.25 * k;
    d.HoleNumberPositionOffset = {-2.5 * k, 3.75 * k};
    d.OverrideStandardHoleNumberPosition = true;
    d.HideFace = true;
    d.HideCoordinates = true;
    d.AllowedFaces = "16";
    d.HoleRevision = "R" + n;
    d.PelomyraHandle = 70 + seed;
    d.FeatureName = "Feature" + n;
    d.DataSheet = "sheet" + n + ".pdf";
    d.AutoMountingHoleTag = 5 + seed;
    d.ExternalFile = "v\xC3\xA4lve" + n + ".stp";
    d.ExternalFileScale = 2.5 * k;
    d.ExternalFileRotation = 180.0 / k;
    x.fComments = {"first line " + n, "", "third line"};
    x.FStepList.Clear();
    FillSampleStep(*x.FStepList.Add(), 1);
    FillSampleStep(*x.FStepList.Add(), 2);
    x.fExtraDiameterList.Clear();
    FillSampleExtraDiameter(*x.fExtraDiameterList.Add(), seed);
    x.FContourList.Clear();
    FillSampleContour(*x.FContourList.Add());
    x.FContourList.Add()->FData = {-4.5 * k, 6.75 * k};
    x.FValveList.Clear();
    FillSampleValve(*x.FValveList.Add(), seed);
    x.fHoleTextList.Clear();
    FillSampleHoleText(*x.fHoleTextList.Add());
    x.fManufacturingNote.Clear();
    FillSampleManufacturingNote(x.fManufacturingNote);
}

} // namespace qv::samples
