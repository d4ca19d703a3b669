// Reader of the 3.00 files: no header, only 134-byte records. The first
// record describes the block, the project and the drawing set-up; every
// later record is one step of a hole, and a record whose hole number differs
// from the previous record's starts the hole (position, flags, contour,
// valve) as well.
#include "document/old/OldFormats.h"
#include "document/old/OldHeadless.h"

#include "document/Manifolds.h"
#include "model/HoleLists.h"

#include <cmath>

namespace qv {

namespace {

constexpr size_t kRecordSize = 134;

// The flag byte of the block record: bits 0 to 4 are drawing options (bit 6
// is the unit).
constexpr TBitMember<TPlotFlag> kBlockPlotFlagBits[] = {{0, pfExtraText}, {1, pfBorder}, {2, pfDrawingHead}};
constexpr TBitMember<TDrawFlag> kBlockDrawFlagBits[] = {{3, dfItemNumber}, {4, dfContourPattern}};
// The drawing byte of the block record (bit 0 is the orientation, bit 2 the
// projection method).
constexpr TBitMember<TPlotFlag> kDrawingPlotFlagBits[] = {
    {1, pfAlternate}, {3, pfXYCoordinates}, {4, pfItemNumbers}, {5, pfDashHoles}, {6, pfContours}, {7, pfSurfaceFinish},
};
// The low bits of a hole record's flag word (bits 4 to 6 mark patterns).
constexpr TBitMember<THoleAttribute> kHoleAttributeBits[] = {
    {0, haPlugged}, {1, haFixation}, {2, haClosed}, {3, haMounting},
};

// The design program squeezed most of the title into six Singles, two
// decimal digits per character (code - 31), up to three characters each.
void UnpackTitleChars(float x, std::string& Ansi)
{
    if (!(x > 0) || !std::isfinite(x)) return;
    for (float d : {10000.0f, 100.0f, 1.0f}) {
        if (!(x >= d)) continue;
        const float c = std::trunc(x / d);
        // Only a damaged value gives a digit beyond the code page; such a
        // character has no meaning and is left out.
        if (c + 31.0f <= 255.0f) Ansi += static_cast<char>(static_cast<unsigned char>(static_cast<int>(c) + 31));
        x = x - c * d;
    }
}

// A surface finish (roughness) that is not above 0 or above 100 cannot be
// meant and gets the usual default of the unit.
double CheckFinish(double v, bool Inch)
{
    if (!(v > 0) || v > 100) return Inch ? 13.0 : 3.2;
    return v;
}

void ReadBlock(const TOldRecord& r, TManifold& M)
{
    TManifoldData& D = M.FData;
    TPlotSettingsData& P = M.fPlotSettings.First()->FData;
    const uint8_t flags = r.Byte(4);
    const bool inch = (flags & 0x40) != 0;

    const uint16_t w = r.Word(2);
    P.FaceDistance.X = w % 100;
    P.FaceDistance.Y = w / 100;

    D.MeasuringUnits = inch ? muIN : muMM;
    D.Decimals = inch ? 3 : 2;
    ApplyBits(P.PlotFlags, flags, kBlockPlotFlagBits);
    ApplyBits(D.DrawFlags, flags, kBlockDrawFlagBits);

    D.Max.X = r.Rounded(5);
    D.Max.Y = r.Rounded(9);
    D.Max.Z = r.Rounded(13);
    M.SetCalcWallthickness(r.Rounded(17));
    M.FProject.FData.ProjectDrawing = r.ShortText(21, 15);

    std::string title(r.RawShortText(94, 10));
    for (size_t offset : {37, 41, 62, 66, 70, 74}) UnpackTitleChars(r.Single(offset), title);
    const int last = r.Byte(83) + 32;
    if (last <= 255) title += static_cast<char>(static_cast<unsigned char>(last));
    M.FProject.FData.ProjectTitle = TextPart(title);

    // Surface finish per face: element 0 on its own, the six faces two to a
    // Single as thousands and remainder.
    D.FinishFace[0] = CheckFinish(r.Rounded(58), inch);
    const size_t packed[3] = {46, 50, 54};
    for (int i = 0; i < 3; ++i) {
        const double v = r.Single(packed[i]);
        const double h = std::trunc(v / 1000.0);
        const double rest = v - h * 1000.0;
        const double odd = inch ? rest : rest / 100.0;
        const double even = inch ? h : h / 100.0;
        D.FinishFace[size_t(2 * i + 1)] = CheckFinish(RoundTenThousandth(odd), inch);
        D.FinishFace[size_t(2 * i + 2)] = CheckFinish(RoundTenThousandth(even), inch);
    }

    const double height = r.Rounded(78);
    P.PlotTextHeight[thDefault] = height;
    P.PlotTextHeight[thItem] = height;
    P.PlotTextHeight[thExtra] = height;
    P.PlotTextHeight[thDrillingList] = height;
    P.PlotTextHeight[thInfo] = height / std::sqrt(2.0);

    const uint8_t draw = r.Byte(82);
    P.Orientation = (draw & 0x01) ? poLandscape : poPortrait;
    P.ProjectionMethode = (draw & 0x04) ? pmAmerican : pmEuropean;
    ApplyBits(P.PlotFlags, draw, kDrawingPlotFlagBits);

    const double scale = r.Rounded(105);
    P.Scale = scale > 0 ? scale : 2.5;

    const std::string_view names = r.RawShortText(109, 24);
    D.Material = TextPart(names, 0, 12);
    M.FProject.FData.DrawnBy = TextPart(names, 12);

    CopyDrawingSetup(M);
}

class THoleReader300 {
public:
    explicit THoleReader300(TManifold& M) : fM(M) {}

    // False when a new hole would pass the hole limit.
    bool Apply(const TOldRecord& r)
    {
        const int number = r.SmallInt(0);
        if (number != fPrevious) {
            if (fM.HoleLimitReached()) return false;
            StartHole(r, number);
        }
        fPrevious = number;
        AddStep(r);
        return true;
    }

private:
    void StartHole(const TOldRecord& r, int number)
    {
        THoleList& holes = fM.FHoleList;
        THole& hole = *holes.Add();
        THoleData& d = hole.FData;
        const uint16_t flags = r.Word(2);
        d.HoleNumber = number;
        d.FaceNumber = r.Byte(4);
        d.XXY = r.Rounded(5);
        d.YZZ = r.Rounded(9);
        d.HoleContour = r.Rounded(78);
        d.Dashed = r.Byte(82);
        ApplyBits(d.Attribute, flags, kHoleAttributeBits);
        fPatterns.Apply(holes, d, flags & 0x20, flags & 0x50);

        // A pattern's first hole carries the pattern's contour; the members
        // add their corners to it until a zero point ends the outline.
        if (flags & 0x20) {
            fContour = &hole.FContourList;
            fContour->Clear();
            fContourOpen = true;
        }
        if (flags & 0x10) {
            for (size_t i = 0; i < 4 && fContourOpen && fContour; ++i)
                fContourOpen = AddOutlineCorner(*fContour, r.Single(46 + 8 * i), r.Single(50 + 8 * i));
        }

        // Characters 1 to 8: the valve's item number; 9 to 15: the assembly
        // drawing of the valve.
        const std::string_view text = r.RawShortText(21, 15);
        const std::string item = TextPart(text, 0, 8);
        const std::string assembly = TextPart(text, 8);
        if ((flags & 0x10) && !item.empty()) {
            TValveData& v = hole.FValveList.Add()->fData;
            v.ItemNumber = item;
            v.Offset = TXYPoint{r.Rounded(37), r.Rounded(41)};
            v.Rotation = r.Byte(45) == 0 ? 0 : 90;
        }
        if ((flags & 0x04) && !assembly.empty()) {
            TValveData& v = LastOrNewValve(hole);
            v.AssemblyFile = assembly;
            v.InsertionPoint = TXYPoint{d.XXY, d.YZZ};
            v.RotationAngle = r.Rounded(17);
            v.ContourInAssembly = false;
        }
        if ((flags & 0x50) && !assembly.empty()) {
            TValveData& v = LastOrNewValve(hole);
            v.AssemblyFile = assembly;
            v.InsertionPoint = TXYPoint{r.Rounded(37), r.Rounded(41)};
            if (v.InsertionPoint.X == 0 && v.InsertionPoint.Y == 0) v.InsertionPoint = TXYPoint{d.XXY, d.YZZ};
            v.RotationAngle = r.Rounded(13);
            v.ContourInAssembly = false;
        }

        d.AngleValue = r.Rounded(13);
        d.AngleRotation = r.Rounded(17);
        if ((d.AngleRotation == 0 || d.AngleRotation == 90) && d.AngleValue != 0 && d.AngleValue > -90 &&
            d.AngleValue < 90) {
            d.Attribute.Include(haAngled);
            ConvertOldAngle(d);
        } else {
            d.AngleValue = 0;
            d.AngleRotation = 0;
        }
    }

    void AddStep(const TOldRecord& r)
    {
        // A continuation before the first hole has nothing to continue.
        THole* hole = fM.FHoleList.Last();
        if (!hole) return;
        TStepData& s = hole->FStepList.Add()->FData;
        s.StepNumber = r.Byte(83);
        const uint8_t flags = r.Byte(84);
        ApplyBits(s.Attribute, flags, kOldStepAttributeBits);
        if (flags & 0x01) s.TopAngle = 180; // a spot face has a flat bottom
        s.Diameter = r.Rounded(86);
        s.Depth = r.Rounded(90);
        s.Thread = r.ShortText(94, 10);
        s.Length = r.Rounded(105);
        s.Remark = r.ShortText(109, 24);

        // "@0" to "@3" in front of a remark turns the hole's label; it stays
        // in the stored remark. A step without it leaves the turn set by an
        // earlier step of the hole alone.
        std::string remark = s.Remark;
        const int rotation = TakeRotationPrefix(remark, true);
        if (remark.size() != s.Remark.size()) hole->FData.RemarkRotation = rotation;
        if (s.StepNumber == 1) SetGroupFromRemark(s, remark);
    }

    TManifold& fM;
    int fPrevious = -1;
    TOldPatterns fPatterns;
    TContourList* fContour = nullptr;
    bool fContourOpen = false;
};

} // namespace

bool Read300(const TFileBytes& File, TManifold& Manifold)
{
    THoleReader300 holes(Manifold);
    return ReadHeadlessFile(
        File, Manifold, kRecordSize, [&](const TOldRecord& r) { ReadBlock(r, Manifold); },
        [&](const TOldRecord& r) { return holes.Apply(r); });
}

} // namespace qv
