// Reader of the manifold files of the design program's versions 5.00 to
// 5.40. These files are not tagged: after the 40-byte header come fixed
// sections, each a count and that many fixed-size records copied from the
// writer's memory. The record sizes grew from version to version (5.20 added
// the catalogue properties of the block and of each hole, 5.30 the revision
// list, 5.40 step tolerances and a larger manifold record); 5.10 files have
// exactly the 5.00 layout.
#include "document/Manifolds.h"
#include "document/old/OldFormats.h"

#include <cstdint>

namespace qv {

namespace {

// Record sizes of one file version.
struct TLayout500 {
    size_t Manifold = 456;
    size_t PlotSettings = 164;
    size_t Hole = 192;
    size_t Step = 144;
    bool HasRevisions = false;
    bool HasProperties = false; // block and hole catalogue properties
    int LastPlotBit = 20;
};

TLayout500 LayoutOf(int Version)
{
    TLayout500 l;
    if (Version >= 520) {
        l.Manifold = 668;
        l.PlotSettings = 244;
        l.Hole = 276;
        l.HasProperties = true;
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

constexpr size_t kHeaderSize = 40;
constexpr size_t kRevisionSize = 208;
constexpr size_t kProjectSize = 340;
constexpr size_t kCommentSize = 256;
constexpr size_t kGroupSize = 20;
constexpr size_t kContourSize = 16;
constexpr size_t kValveSize = 340;

// A set whose member n is bit n of the old byte, for the members 0 to Last.
template <class E, class B>
void SetLowBits(TSet<E, B>& Set, uint32_t Bits, int Last)
{
    Set.Clear();
    for (int n = 0; n <= Last; ++n)
        if (Bits & (1u << n)) Set.Include(static_cast<E>(n));
}

// Catalogue properties of the block or a hole (205 bytes). The library
// file they came from was not stored yet.
void ReadProperties(const TOldRecord& r, size_t at, TProperties& p)
{
    p.Title = r.ShortText(at + 0, 50);
    p.Bitmap = r.ShortText(at + 51, 30);
    p.Description = r.ShortText(at + 82, 70);
    p.Group = r.ShortText(at + 153, 50);
    p.Use = r.Flag(at + 204);
}

void ApplyManifoldRecord(const TOldRecord& r, const TLayout500& layout, TManifold& Manifold)
{
    TManifoldData d = Manifold.FData;
    // Enumerations whose byte is outside the type keep their defaults.
    if (const uint8_t b = r.Byte(0); b <= ftPattern) d.FileType = static_cast<TFileType>(b);
    if (const uint8_t b = r.Byte(1); b <= muIN) d.MeasuringUnits = static_cast<TUnit>(b);
    d.Decimals = r.Integer(4);
    d.Max.X = r.Double(8);
    d.Max.Y = r.Double(16);
    d.Max.Z = r.Double(24);
    if (const uint8_t b = r.Byte(32); b <= dashAll) d.DrawDashHoles = static_cast<TDashFlag>(b);
    for (int axis = 0; axis < 3; ++axis) {
        TCrossSectionData& c = d.CrossSectionInfo[static_cast<TCrossSection>(axis)];
        c.HoleNumber = r.Integer(36 + 12 * axis);
        c.Coordinate = r.Double(40 + 12 * axis);
    }
    SetLowBits(d.CalculateFlags, r.Byte(72), 2);
    const double wallThickness = r.Double(76);
    SetLowBits(d.FileFlags, r.Byte(84), 5);
    SetLowBits(d.DrawFlags, r.Byte(85), 6);
    d.CalcHole[0] = r.Integer(88);
    d.CalcHole[1] = r.Integer(92);
    // Plain ordinals are kept as read, in range or not.
    d.SortSettings.SortMethode = static_cast<TSortMethode>(r.Byte(96));
    SetLowBits(d.SortSettings.SortOptions, r.Byte(97), 5);
    d.SortSettings.SortType = static_cast<TSortType>(r.Byte(98));
    d.RotateFace = r.Integer(100);
    for (size_t f = 0; f < d.FinishFace.size(); ++f) d.FinishFace[f] = r.Double(104 + 8 * f);
    d.ModifyDimensionsSettings.Direction = r.Integer(160);
    d.ModifyDimensionsSettings.Value = r.Double(164);
    d.ModifyDimensionsSettings.Coordinate = r.Double(172);
    d.ModifyDimensionsSettings.ModifyDepth = r.Flag(180);
    d.Material = r.ShortText(184, 80);
    d.HoleFactor = r.Double(268);
    d.MassDensity = r.Double(276);
    d.LayoutFile = r.ShortText(284, 80);
    d.PrinterName = r.ShortText(365, 80);
    d.CurrentDrawing = r.Integer(448);
    d.DrawProjectionMethode = static_cast<TProjectionMethode>(r.Byte(452));
    if (layout.HasProperties) ReadProperties(r, 453, d.Properties);
    Manifold.FData = d;
    Manifold.SetCalcWallthickness(wallThickness);
}

void ApplyRevision(const TOldRecord& r, TRevisionData& d)
{
    d.Number = r.ShortText(0, 5);
    d.Date = r.Double(8);
    d.Description = r.ShortText(16, 128);
    d.DrawnBy = r.ShortText(145, 30);
    d.CheckedBy = r.ShortText(176, 30);
}

void ApplyProject(const TOldRecord& r, TProjectData& d)
{
    d.DrawnBy = r.ShortText(0, 30);
    d.CheckedBy = r.ShortText(31, 30);
    d.CreatedOn = r.Double(64);
    d.ModifiedOn = r.Double(72);
    d.ProjectTitle = r.ShortText(80, 64);
    d.ProjectNumber = r.ShortText(145, 64);
    d.ProjectClient = r.ShortText(210, 64);
    d.ProjectDrawing = r.ShortText(275, 64);
}

// The old drawing flags were a 32-bit set with fewer members: the six face
// flags the current set has after pfDashHoles did not exist, so bits 6 and 7
// stand for members further on (bit 8 held a flag that was dropped) and the
// bits from 9 on moved up by six.
constexpr TBitMember<TPlotFlag> kMovedPlotFlagBits[] = {{6, pfDrawingHead}, {7, pfDrillingList}};

void ApplyPlotFlags(uint32_t Bits, int LastBit, TPlotFlags& Flags)
{
    SetLowBits(Flags, Bits, 5); // pfAlternate to pfDashHoles: bit n is member n
    ApplyBits(Flags, Bits, kMovedPlotFlagBits);
    for (int n = 9; n <= LastBit; ++n)
        if (Bits & (1u << n)) Flags.Include(static_cast<TPlotFlag>(n + 6));
}

void ApplyPlotSettings(const TOldRecord& r, const TLayout500& layout, TPlotSettingsData& d)
{
    d.PlotMode = static_cast<TPlotSetupMode>(r.Byte(0));
    d.FaceDistance.X = r.Double(4);
    d.FaceDistance.Y = r.Double(12);
    d.Scale = r.Double(20);
    for (int i = 0; i < 5; ++i) d.PlotTextHeight[static_cast<TPlotTextHeights>(i)] = r.Double(28 + 8 * size_t(i));
    d.ProjectionMethode = static_cast<TProjectionMethode>(r.Byte(68));
    d.Orientation = static_cast<TPrinterOrientation>(r.Byte(69));
    d.Origin = r.Integer(72);
    ApplyPlotFlags(r.LongWord(76), layout.LastPlotBit, d.PlotFlags);
    d.PrinterName = r.ShortText(80, 80);
    if (layout.PlotSettings >= 244) {
        d.PaperSize = r.ShortText(161, 80);
        d.DXFFile = r.Flag(242);
    } else {
        d.DXFFile = r.Flag(161);
    }
}

void ApplyGroup(const TOldRecord& r, TGroupData& d)
{
    d.Code = r.ShortText(0, 10);
    d.Color = r.Integer(12);
    d.Fill = r.Byte(16);
}

void ApplyHole(const TOldRecord& r, const TLayout500& layout, THoleData& d)
{
    d.HoleNumber = r.Integer(0);
    d.PatternHandle = r.Integer(4);
    d.PatternHoleNumber = r.Integer(8);
    d.Attribute.Clear();
    ApplyBits(d.Attribute, r.Word(12), kOldHoleAttributeBits);
    d.FaceNumber = r.Integer(16);
    d.XXY = r.Double(20);
    d.YZZ = r.Double(28);
    d.Dashed = r.Integer(36);
    d.HoleContour = r.Double(40);
    d.AngleValue = r.Double(48);
    d.AngleRotation = r.Double(56);
    if (layout.HasProperties) {
        d.RemarkRotation = r.Integer(64);
        ReadProperties(r, 68, d.Properties);
        if (layout.Hole >= 300) d.SelectedMode = static_cast<int8_t>(r.Byte(273));
    } else {
        // The first layout held only three of the catalogue texts, shorter.
        d.Properties.Title = r.ShortText(64, 30);
        d.Properties.Bitmap = r.ShortText(95, 15);
        d.Properties.Description = r.ShortText(111, 72);
        d.RemarkRotation = r.Integer(184);
    }
}

void ApplyStep(const TOldRecord& r, const TLayout500& layout, TStepData& d)
{
    d.StepNumber = r.Integer(0);
    SetLowBits(d.Attribute, r.Word(4), 4);
    d.Diameter = r.Double(8);
    d.Depth = r.Double(16);
    d.Thread = r.ShortText(24, 20);
    d.Length = r.Double(48);
    d.Remark = r.ShortText(56, 24);
    d.TopAngle = r.Integer(84);
    d.OutsideDiameter = r.Double(88);
    d.MachineCode = r.ShortText(96, 20);
    d.GroupCode = r.ShortText(117, 10);
    d.PortMin = r.Double(128);
    d.PortMax = r.Double(136);
    if (layout.Step >= 204) {
        d.ToleranceDiameter = r.ShortText(144, 15);
        d.ToleranceDepth = r.ShortText(160, 15);
        d.Selected = r.Flag(176);
    }
}

void ApplyValve(const TOldRecord& r, TValveData& d)
{
    d.ValveNumber = r.Integer(0);
    d.ItemNumber = r.ShortText(4, 20);
    d.Offset.X = r.Double(28);
    d.Offset.Y = r.Double(36);
    d.Rotation = r.Word(44);
    d.DetailDrawing = r.ShortText(46, 40);
    d.AssemblyFile = r.ShortText(87, 40);
    d.InsertionPoint.X = r.Double(128);
    d.InsertionPoint.Y = r.Double(136);
    d.NextInsertionPoint.X = r.Double(144);
    d.NextInsertionPoint.Y = r.Double(152);
    d.RotationAngle = r.Double(160);
    d.ContourInAssembly = r.Flag(168);
    d.Manufacturer = r.ShortText(169, 30);
    d.ComponentType = r.ShortText(200, 50);
    d.Description = r.ShortText(251, 70);
    d.Height = r.Double(324);
    d.Weight = r.Double(332);
}

// Reads a section: a count, then up to that many records of Size bytes,
// each handed to Apply. The count is never trusted: the loop ends at the
// first record the file does not wholly hold, and nothing is reserved for
// it. False when the file ended inside the section.
template <class F>
bool ReadSection(TOldFile& File, size_t Size, F&& Apply)
{
    int32_t count = 0;
    if (!File.ReadInteger(count)) return false;
    TOldRecord r;
    for (int32_t i = 0; i < count; ++i) {
        if (!File.ReadRecord(Size, r)) return false;
        Apply(r);
    }
    return true;
}

// The sections after the header, in file order. False when the file ended
// before the last of them was complete; everything read until then stays
// in the document.
bool ReadSections(TOldFile& File, const TLayout500& layout, TManifold& Manifold)
{
    TOldRecord r;
    if (!File.ReadRecord(layout.Manifold, r)) return false;
    ApplyManifoldRecord(r, layout, Manifold);

    if (layout.HasRevisions &&
        !ReadSection(File, kRevisionSize, [&](const TOldRecord& rec) {
            ApplyRevision(rec, Manifold.FRevisionList.Add()->fData);
        }))
        return false;

    if (!File.ReadRecord(kProjectSize, r)) return false;
    ApplyProject(r, Manifold.FProject.FData);
    if (!ReadSection(File, kCommentSize, [&](const TOldRecord& rec) {
            Manifold.FProject.FComments.push_back(rec.ShortText(0, 255));
        }))
        return false;

    // The file's two records overwrite the production and the assembly
    // set-up in order.
    EnsureOldDrawingSetups(Manifold);
    for (int i = 0; i < 2; ++i) {
        if (!File.ReadRecord(layout.PlotSettings, r)) return false;
        ApplyPlotSettings(r, layout, Manifold.fPlotSettings[i]->FData);
    }

    if (!ReadSection(File, kGroupSize, [&](const TOldRecord& rec) {
            ApplyGroup(rec, Manifold.FGroupList.Add()->FData);
        }))
        return false;

    int32_t holeCount = 0;
    if (!File.ReadInteger(holeCount)) return false;
    for (int32_t h = 0; h < holeCount; ++h) {
        if (!File.ReadRecord(layout.Hole, r)) return false;
        if (Manifold.HoleLimitReached()) return true;
        THole& hole = *Manifold.FHoleList.Add();
        ApplyHole(r, layout, hole.FData);
        if (!ReadSection(File, layout.Step, [&](const TOldRecord& rec) {
                ApplyStep(rec, layout, hole.FStepList.Add()->FData);
            }))
            return false;
        if (!ReadSection(File, kContourSize, [&](const TOldRecord& rec) {
                TContour& c = *hole.FContourList.Add();
                c.FData.X = rec.Double(0);
                c.FData.Y = rec.Double(8);
            }))
            return false;
        if (!ReadSection(File, kValveSize, [&](const TOldRecord& rec) {
                ApplyValve(rec, hole.FValveList.Add()->fData);
            }))
            return false;
    }
    return true;
}

} // namespace

bool Read500(int Version, const TFileBytes& File, TManifold& Manifold)
{
    TOldFile file(File.Bytes);
    const TLayout500 layout = LayoutOf(Version);
    // The header holds only the version, which the caller has looked at.
    file.Seek(kHeaderSize);
    if (!ReadSections(file, layout, Manifold)) WarnTruncatedOldFile();
    return true;
}

} // namespace qv
