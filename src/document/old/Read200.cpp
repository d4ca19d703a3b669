// Reader of the 2.00 files: no header, only 227-byte records. The first
// record describes the block, the project and the drawing set-up; every
// later record is a whole hole with up to three steps. Hole numbers are not
// stored: the holes are numbered in file order at the end.
#include "document/old/OldFormats.h"
#include "document/old/OldHeadless.h"

#include "core/Text.h"
#include "document/Manifolds.h"
#include "model/HoleLists.h"

#include <cmath>

namespace qv {

namespace {

constexpr size_t kRecordSize = 227;

void ReadBlock(const TOldRecord& r, TManifold& M)
{
    TManifoldData& D = M.FData;
    TPlotSettingsData& P = M.fPlotSettings.First()->FData;
    D.MeasuringUnits = muMM;
    D.Decimals = 2;
    D.Max.X = r.Rounded(4);
    D.Max.Y = r.Rounded(8);
    D.Max.Z = r.Rounded(24);

    const double height = r.Rounded(28);
    const double text = height > 0 ? height : 2.5;
    P.PlotTextHeight[thDefault] = text;
    P.PlotTextHeight[thItem] = text * std::sqrt(2.0);
    P.PlotTextHeight[thExtra] = text;
    P.PlotTextHeight[thDrillingList] = text;
    P.PlotTextHeight[thInfo] = text / std::sqrt(2.0);
    const double scale = r.Rounded(32);
    P.Scale = scale > 0 ? scale : 2.5;

    D.Material = TrimRightBlanks(r.ShortText(36, 44));
    M.FProject.FData.ProjectTitle = TrimRightBlanks(r.ShortText(81, 24));
    M.FProject.FData.ProjectDrawing = TrimRightBlanks(r.ShortText(106, 24));
    M.FProject.FData.DrawnBy = TrimRightBlanks(r.ShortText(131, 24));

    const int dx = r.SmallInt(156);
    const int dy = r.SmallInt(158);
    if (dx <= 0 || dx > 99 || dy <= 0 || dy > 99) P.FaceDistance = TXYPoint{40.0, 40.0};
    else P.FaceDistance = TXYPoint{double(dx), double(dy)};

    // Surface finish of the block (element 0) and of faces 1 to 6.
    const size_t finish[7] = {174, 162, 178, 166, 182, 170, 186};
    for (size_t i = 0; i < 7; ++i) {
        const double v = r.Rounded(finish[i]);
        D.FinishFace[i] = (v > 0 && v <= 10) ? v : 3.2;
    }

    // "!" marks a file whose drawing options were changed from the
    // program's defaults; each changed option is an "N".
    if (r.Byte(195) == '!') {
        auto changed = [&](size_t offset) { return r.Byte(offset) == 'N'; };
        if (changed(202)) P.PlotFlags.Exclude(pfDrawingHead);
        if (changed(203)) P.PlotFlags.Exclude(pfBorder);
        if (changed(204)) P.PlotFlags.Include(pfXYCoordinates);
        if (changed(205)) P.ProjectionMethode = pmEuropean;
        if (changed(206)) P.PlotFlags.Exclude(pfContours);
        if (changed(207)) P.PlotFlags.Include(pfAlternate);
        if (changed(208)) P.Orientation = poLandscape;
    }

    CopyDrawingSetup(M);
}

// Old remarks used a back quote or an asterisk for the apostrophe; a remark
// starting with an apostrophe and a double quote was an inch size whose
// apostrophes were only there to quote it.
std::string RepairRemark(std::string s)
{
    for (char& c : s)
        if (c == '`' || c == '*') c = '\'';
    if (s.size() >= 2 && s[0] == '\'' && s[1] == '"') std::erase(s, '\'');
    return s;
}

bool Contains(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

class THoleReader200 {
public:
    explicit THoleReader200(TManifold& M) : fM(M) {}

    // False at the hole limit.
    bool Apply(const TOldRecord& r)
    {
        if (fM.HoleLimitReached()) return false;
        THoleList& holes = fM.FHoleList;
        THole& hole = *holes.Add();
        THoleData& d = hole.FData;
        const unsigned code = r.Word(0);
        d.FaceNumber = r.SmallInt(2);
        d.XXY = r.Rounded(4);
        d.YZZ = r.Rounded(8);

        // Text at 194: the faces on which the hole is shown dashed, and a
        // valve mark "$" with the valve's item number.
        const std::string_view marks = r.RawShortText(194, 23);
        if ((code == 0 || code == 1) && marks.size() >= 7 && marks[6] == '$') {
            const std::string item = TextPart(marks, 7, 15);
            if (!item.empty()) {
                TValveData& v = hole.FValveList.Add()->fData;
                v.ItemNumber = item;
                v.Offset = TXYPoint{double(r.SmallInt(158)), double(r.SmallInt(160))};
                v.Rotation = r.Byte(218) == '1' ? 90 : 0;
            }
        }

        fPatterns.Apply(holes, d, code == 1, code == 2 || code == 3);
        if (code == 0) d.HoleContour = r.Single(162);

        const std::string remark1 = AsciiUpper(r.ShortText(81, 24));
        if (Contains(remark1, "PLUG") || Contains(remark1, "STOP")) d.Attribute.Include(haPlugged);
        if (r.SmallInt(156) == -1) d.Attribute.Include(haClosed);
        if (Contains(remark1, "#")) d.Attribute.Include(haFixation);
        if (r.Single(69) > 0 && code >= 1 && code <= 3) d.Attribute.Include(haMounting);
        const std::string_view dashed = marks.substr(0, 5);
        for (char c : dashed)
            if (c >= '1' && c <= '6') d.Dashed |= 1 << (c - '1');

        // The pattern's first hole holds the outline; every member adds its
        // corners, stored from the fourth point back to the first.
        if (code >= 1 && code <= 3) {
            if (code == 1) {
                fContour = &hole.FContourList;
                fContour->Clear();
            }
            if (fContour) {
                const size_t xs[4] = {174, 170, 166, 162};
                const size_t ys[4] = {190, 186, 182, 178};
                for (size_t i = 0; i < 4; ++i) AddOutlineCorner(*fContour, r.Single(xs[i]), r.Single(ys[i]));
            }
        }

        const float angle = r.Single(219);
        if (angle > -90 && angle < 90 && angle != 0) {
            d.AngleValue = RoundSingle(angle);
            d.AngleRotation = r.Single(223) == 0 ? 0 : 90;
            d.Attribute.Include(haAngled);
            ConvertOldAngle(d);
        }

        for (size_t i = 0; i < 3; ++i) {
            if (!(r.Single(12 + 4 * i) > 0)) continue;
            TStepData& s = hole.FStepList.Add()->FData;
            s.Diameter = r.Rounded(12 + 4 * i);
            s.Depth = r.Rounded(24 + 4 * i);
            if (r.Single(69 + 4 * i) > 0) {
                s.Length = r.Rounded(69 + 4 * i);
                s.Thread = r.ShortText(36 + 11 * i, 10);
                s.Attribute.Include(saThreaded);
            }
            s.Remark = RepairRemark(r.ShortText(81 + 25 * i, 24));
            // "@" or the Dutch "VLAK" (flat) marks a spot face.
            if (Contains(s.Remark, "@") || Contains(AsciiUpper(s.Remark), "VLAK")) {
                s.Attribute.Include(saSpotfaced);
                s.TopAngle = 180;
            }
            if (Contains(s.Remark, "~")) s.Attribute.Include(saHidden);
            if (i == 0) {
                d.RemarkRotation = TakeRotationPrefix(s.Remark, true);
                SetGroupFromRemark(s, s.Remark);
            }
        }
        if (hole.FStepList.Count() == 0) hole.FStepList.Add();
        hole.FStepList.Renumber();
        return true;
    }

private:
    TManifold& fM;
    TOldPatterns fPatterns;
    TContourList* fContour = nullptr;
};

} // namespace

bool Read200(const TFileBytes& File, TManifold& Manifold)
{
    THoleReader200 holes(Manifold);
    if (!ReadHeadlessFile(
            File, Manifold, kRecordSize, [&](const TOldRecord& r) { ReadBlock(r, Manifold); },
            [&](const TOldRecord& r) { return holes.Apply(r); }))
        return false;
    Manifold.FHoleList.Renumber();
    return true;
}

} // namespace qv
