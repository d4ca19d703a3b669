// The reader of the untagged 5.00 to 5.40 manifold files.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/OldBytes500.h"
#include "testkit/OldDesigns.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace qv {
namespace {

using samples::Old500Layout;
using samples::TByteFile;
using samples::TByteRecord;
using test::Flat;
using test::TFlat;

constexpr int kVersions[] = {500, 510, 520, 530, 540};

// A text of exactly n characters that starts with tag, so that a field read
// with a wrong offset or length shows.
std::string Text(const std::string& tag, size_t n)
{
    std::string s = tag;
    while (s.size() < n) s += static_cast<char>('a' + s.size() % 26);
    return s.substr(0, n);
}

test::TLoadedDesign LoadBytes(const std::string& name, const std::string& bytes)
{
    return test::LoadDesignFile(test::WriteTempFile(name, bytes));
}

TFlat Without(TFlat f, std::initializer_list<const char*> keys)
{
    for (const char* k : keys) f.erase(k);
    return f;
}

// A design with a different value in every field the layouts hold, texts
// filling their fields, and non-default flag sets.
std::unique_ptr<TManifold> Distinct(int Version)
{
    const bool props = Version >= 520;
    auto design = std::make_unique<TManifold>();
    TManifold& d = *design;
    TManifoldData& m = d.FData;
    m.FileType = ftPattern;
    m.MeasuringUnits = muIN;
    m.Decimals = 3;
    m.Max = TXYZPoint{101.5, 202.25, 303.125};
    m.DrawDashHoles = dashAll;
    m.CrossSectionInfo[X] = {11, 1.5};
    m.CrossSectionInfo[Y] = {12, 2.5};
    m.CrossSectionInfo[Z] = {13, 3.5};
    m.CalculateFlags = {cfThread};
    d.SetCalcWallthickness(4.75);
    m.FileFlags = {ffAutoExport, ffThreadFromTop, ffHiddenStepsss};
    m.DrawFlags = {dfContourHole, dfItemNumber, dfColorDash};
    m.CalcHole = {7, 9};
    m.SortSettings.SortMethode = smDistances;
    m.SortSettings.SortOptions = {soPatternHoles, soAutoSkip, soOnlyFromLastHole};
    m.SortSettings.SortType = stLastDiameter;
    m.RotateFace = 5;
    m.FinishFace = {0.1, 0.2, 0.4, 0.8, 1.6, 3.2, 6.3};
    m.ModifyDimensionsSettings = {3, 1.25, 2.5, false};
    m.Material = Text("Stahl \u2013 1.0503 ", 80);
    m.HoleFactor = 0.85;
    m.MassDensity = 2700.0;
    m.LayoutFile = Text("layout", 80);
    m.PrinterName = Text("printer", 80);
    m.CurrentDrawing = 42;
    m.DrawProjectionMethode = pmEuropean;
    if (props) m.Properties = {Text("title", 50), Text("bitmap", 30), Text("descr", 70), Text("group", 50), false, ""};

    for (int i = 0; i < 2; ++i) {
        TRevisionData& r = d.FRevisionList.Add()->fData;
        r.Number = Text(std::to_string(i), 5);
        r.Date = 38000.25 + i;
        r.Description = Text("rev" + std::to_string(i), 128);
        r.DrawnBy = Text("drawn", 30);
        r.CheckedBy = Text("checked", 30);
    }

    TProjectData& project = d.FProject.FData;
    project.DrawnBy = Text("drawn", 30);
    project.CheckedBy = Text("checked", 30);
    project.CreatedOn = 38001.5;
    project.ModifiedOn = 38002.75;
    project.ProjectTitle = Text("title", 64);
    project.ProjectNumber = Text("number", 64);
    project.ProjectClient = Text("M\u00FCller & S\u00F6hne ", 64);
    project.ProjectDrawing = Text("drawing", 64);
    d.FProject.FComments = {Text("first line ", 255), "", "third line"};

    TPlotSettingsData& p1 = d.fPlotSettings.Add()->FData;
    p1.PlotMode = psmProduction;
    p1.FaceDistance = {31.0, 32.0};
    p1.Scale = 0.5;
    for (int i = 0; i < 5; ++i) p1.PlotTextHeight[static_cast<TPlotTextHeights>(i)] = 1.25 * (i + 1);
    p1.ProjectionMethode = pmEuropean;
    p1.Orientation = poPortrait;
    p1.Origin = 3;
    p1.PlotFlags = {pfBorder, pfDashHoles, pfDrawingHead, pfFileInformation, pfGroupCodes, pfProjectionMethod,
                    pfMoveDimensions};
    p1.PrinterName = Text("plotter", 80);
    if (props) p1.PaperSize = Text("paper", 80);
    p1.DXFFile = true;
    TPlotSettingsData& p2 = d.fPlotSettings.Add()->FData;
    p2.PlotMode = psmAssembly;
    p2.Scale = 0.25;
    p2.Origin = 1;
    p2.PlotFlags = {pfAlternate, pfDrillingList, pfTime, pfMaterial};
    p2.PrinterName = "second";

    d.FGroupList.Add()->FData = {Text("P", 10), 0x00123456, 1, 0.0, 0.0};
    d.FGroupList.Add()->FData = {"T", 0x00ABCDEF, 0, 0.0, 0.0};

    for (int h = 0; h < 2; ++h) {
        THole& hole = *d.FHoleList.Add();
        THoleData& hd = hole.FData;
        hd.HoleNumber = 5 + h;
        hd.PatternHandle = 3;
        hd.PatternHoleNumber = h;
        hd.Attribute = h == 0 ? THoleAttributes{haFixation, haMounting, haAngled, haAssembly, haThrough}
                              : THoleAttributes{haPlugged, haClosed, haMeasure, haConnect};
        hd.FaceNumber = 4 - h;
        hd.XXY = 12.5 + h;
        hd.YZZ = 33.25 + h;
        hd.Dashed = 2;
        hd.HoleContour = 40.5;
        hd.AngleValue = 15.0;
        hd.AngleRotation = 90.0;
        hd.RemarkRotation = 180;
        if (props) hd.Properties = {Text("htitle", 50), Text("hbitmap", 30), Text("hdescr", 70), Text("hgroup", 50), false, ""};
        else hd.Properties = {Text("htitle", 30), Text("hbitmap", 15), Text("hdescr", 72), "", true, ""};
        if (Version >= 540) hd.SelectedMode = 2;
        for (int s = 0; s < 2 - h; ++s) {
            TStepData& st = hole.FStepList.Add()->FData;
            st.StepNumber = s + 1;
            st.Attribute = s == 0 ? TStepAttributes{saSpotfaced, saHidden, saLocatingShoulder}
                                  : TStepAttributes{saThreaded, saExcluded};
            st.Diameter = 10.5 + s;
            st.Depth = 20.25 + s;
            st.Thread = Text("M", 20);
            st.Length = 14.0 + s;
            st.Remark = Text("remark", 24);
            st.TopAngle = 118 + s;
            st.OutsideDiameter = 12.0 + s;
            st.MachineCode = Text("machine", 20);
            st.GroupCode = Text("grp", 10);
            st.PortMin = 1.5 + s;
            st.PortMax = 7.5 + s;
            if (Version >= 540) {
                st.ToleranceDiameter = Text("H7", 15);
                st.ToleranceDepth = Text("+0.1", 15);
                st.Selected = true;
            }
        }
        if (h == 0)
            for (const TXYPoint& p : {TXYPoint{1.5, 2.5}, TXYPoint{-3.5, 4.5}}) hole.FContourList.Add()->FData = p;
        if (h == 1) {
            TValveData& v = hole.FValveList.Add()->fData;
            v.ValveNumber = 1;
            v.ItemNumber = Text("item", 20);
            v.Offset = {1.25, 2.25};
            v.Rotation = 270;
            v.DetailDrawing = Text("detail", 40);
            v.AssemblyFile = Text("assembly", 40);
            v.InsertionPoint = {3.25, 4.25};
            v.NextInsertionPoint = {5.25, 6.25};
            v.RotationAngle = 45.0;
            v.ContourInAssembly = true;
            v.Manufacturer = Text("maker", 30);
            v.ComponentType = Text("type", 50);
            v.Description = Text("valve", 70);
            v.Height = 48.5;
            v.Weight = 0.75;
        }
    }
    return design;
}

// Every field of every section lands where it belongs, in each version's
// layout; the fields a version does not hold keep their defaults.
TEST(Read500Test, EveryFieldOfEachVersion)
{
    for (const int version : kVersions) {
        SCOPED_TRACE(version);
        const auto design = Distinct(version);
        const TManifold& d = *design;
        const auto loaded = LoadBytes("fields" + std::to_string(version) + ".mnf", samples::Old500File(version, d));
        ASSERT_TRUE(loaded.Loaded);
        EXPECT_TRUE(loaded.Texts.empty());
        const TManifold& m = *loaded.M;
        const samples::TOld500Layout layout = Old500Layout(version);

        EXPECT_EQ(Without(Flat(m.FData), {".HoleListChangedDateTime"}),
                  Without(Flat(d.FData), {".HoleListChangedDateTime"}));
        EXPECT_EQ(m.GetCalcWallthickness(), 4.75);

        ASSERT_EQ(m.FRevisionList.Count(), layout.HasRevisions ? 2 : 0);
        for (int i = 0; i < m.FRevisionList.Count(); ++i)
            EXPECT_EQ(Flat(m.FRevisionList[i]->fData), Flat(d.FRevisionList[i]->fData));

        EXPECT_EQ(Without(Flat(m.FProject.FData), {".ProjectFinishedDate"}),
                  Without(Flat(d.FProject.FData), {".ProjectFinishedDate"}));
        EXPECT_EQ(m.FProject.FComments, d.FProject.FComments);

        ASSERT_EQ(m.fPlotSettings.Count(), 2);
        for (int i = 0; i < 2; ++i) {
            const TPlotSettingsData& source = d.fPlotSettings[i]->FData;
            TPlotSettingsData expected = source;
            // Flags whose bit lies beyond the version's last one are not stored.
            expected.PlotFlags.Clear();
            for (int f = 0; f < PlotFlagCount; ++f) {
                const auto flag = static_cast<TPlotFlag>(f);
                if (source.PlotFlags.Contains(flag) && (f < 15 || f - 6 <= layout.LastPlotBit))
                    expected.PlotFlags.Include(flag);
            }
            EXPECT_EQ(Flat(m.fPlotSettings[i]->FData), Flat(expected)) << "plot settings " << i;
        }

        ASSERT_EQ(m.FGroupList.Count(), 2);
        for (int i = 0; i < 2; ++i) EXPECT_EQ(Flat(m.FGroupList[i]->FData), Flat(d.FGroupList[i]->FData));

        ASSERT_EQ(m.FHoleList.Count(), 2);
        for (int h = 0; h < 2; ++h) {
            const THole& hole = *m.FHoleList[h];
            const THole& src = *d.FHoleList[h];
            EXPECT_EQ(Flat(hole.FData), Flat(src.FData)) << "hole " << h;
            EXPECT_EQ(Flat(hole.FStepList), Flat(src.FStepList)) << "hole " << h;
            EXPECT_EQ(Flat(hole.FContourList), Flat(src.FContourList)) << "hole " << h;
            EXPECT_EQ(Flat(hole.FValveList), Flat(src.FValveList)) << "hole " << h;
        }
    }
}

// A file of default records and one hole with one step, each record open
// for changes to its bytes.
struct TOld500RawFile {
    int Version;
    TByteRecord Manifold, Project, Plot1, Plot2, Hole, Step;

    explicit TOld500RawFile(int v)
        : Version(v), Manifold(samples::Old500ManifoldRecord(v, TManifoldData{}, 0.0)),
          Project(samples::Old500ProjectRecord(TProjectData{})),
          Plot1(samples::Old500PlotSettingsRecord(v, TPlotSettingsData{})),
          Plot2(samples::Old500PlotSettingsRecord(v, TPlotSettingsData{})),
          Hole(samples::Old500HoleRecord(v, THoleData{})), Step(samples::Old500StepRecord(v, TStepData{}))
    {
    }
    std::string Bytes() const
    {
        TByteFile f;
        f.Header(std::to_string(Version / 100) + "." + std::to_string(Version % 100 / 10) + "0");
        f.Add(Manifold);
        if (Old500Layout(Version).HasRevisions) f.Integer(0);
        f.Add(Project).Integer(0).Add(Plot1).Add(Plot2).Integer(0);
        f.Integer(1).Add(Hole).Integer(1).Add(Step).Integer(0).Integer(0);
        return f.Bytes();
    }
};

TManifold& LoadRaw(const TOld500RawFile& raw, test::TLoadedDesign& keep)
{
    keep = LoadBytes("raw.mnf", raw.Bytes());
    EXPECT_TRUE(keep.Texts.empty());
    return *keep.M;
}

// 5.10 files are 5.00 files; the short records of these versions hold no
// block properties and no selection, whatever their padding holds.
TEST(Read500Test, FiveTenIsFiveHundredAndPaddingIsIgnored)
{
    std::string bytes = samples::Old500File(500, *Distinct(500));
    const auto a = LoadBytes("v500.mnf", bytes);
    bytes.replace(8, 4, "5.10");
    const auto b = LoadBytes("v510.mnf", bytes);
    const auto flat = [](const TManifold& m) {
        // Where and when each was loaded is no content: the two loads may
        // fall on either side of a clock second.
        return Without(Flat(m), {".FFileName", ".fStartSession", ".FData.HoleListChangedDateTime",
                                 ".FProject.FData.CreatedOn", ".FProject.FData.ModifiedOn",
                                 ".FProject.FData.ProjectFinishedDate"});
    };
    EXPECT_EQ(flat(*a.M), flat(*b.M));
    EXPECT_EQ(a.M->FHoleList.Count(), 2);

    for (const int version : {500, 510, 520, 530}) {
        SCOPED_TRACE(version);
        TOld500RawFile raw(version);
        if (raw.Manifold.Size() == 456) raw.Manifold.Byte(453, 2).Byte(454, 'a').Byte(455, 'b');
        raw.Hole.Byte(raw.Hole.Size() == 192 ? 188 : 273, 1);
        test::TLoadedDesign keep;
        TManifold& m = LoadRaw(raw, keep);
        if (version < 520) {
            EXPECT_EQ(m.FData.Properties, TProperties{});
        }
        EXPECT_EQ(m.FHoleList[0]->FData.SelectedMode, 0);
    }
}

TEST(Read500Test, HoleAndStepAttributeBits)
{
    const struct {
        uint16_t Bits;
        THoleAttributes Expected;
    } holeCases[] = {
        {0x0000, {}},
        {0x0001, {haPlugged}},
        {0x0002, {haFixation}},
        {0x0004, {haClosed}},
        {0x0008, {haMounting}},
        {0x0010, {}}, // bits 4 to 6 and 8 held flags that are gone
        {0x0070, {}},
        {0x0080, {haAngled}},
        {0x0100, {}},
        {0x0200, {haMeasure}},
        {0x0400, {haAssembly}},
        {0x0800, {haConnect}},
        {0x1000, {haThrough}},
        {0xE000, {}},
        {0xFFFF, {haPlugged, haFixation, haClosed, haMounting, haAngled, haMeasure, haAssembly, haConnect, haThrough}},
    };
    for (const auto& c : holeCases) {
        SCOPED_TRACE(c.Bits);
        TOld500RawFile raw(540);
        raw.Hole.Word(12, c.Bits);
        test::TLoadedDesign keep;
        EXPECT_EQ(LoadRaw(raw, keep).FHoleList[0]->FData.Attribute, c.Expected);
    }
    const struct {
        uint16_t Bits;
        TStepAttributes Expected;
    } stepCases[] = {
        {0x0001, {saSpotfaced}},
        {0x0002, {saThreaded}},
        {0x0004, {saHidden}},
        {0x0008, {saExcluded}},
        {0x0010, {saLocatingShoulder}},
        {0xFFE0, {}}, // a counterbore, extra diameter or lock did not exist yet
        {0xFFFF, {saSpotfaced, saThreaded, saHidden, saExcluded, saLocatingShoulder}},
    };
    for (const auto& c : stepCases) {
        SCOPED_TRACE(c.Bits);
        TOld500RawFile raw(500);
        raw.Step.Word(4, c.Bits);
        test::TLoadedDesign keep;
        EXPECT_EQ(LoadRaw(raw, keep).FHoleList[0]->FStepList[0]->FData.Attribute, c.Expected);
    }
}

TEST(Read500Test, PlotFlagBitsPerVersion)
{
    const struct {
        int Version;
        uint32_t Bits;
        TPlotFlags Expected;
    } cases[] = {
        {540, 0, {}},
        {540, 0x3F, {pfAlternate, pfBorder, pfCenterDrawing, pfComments, pfContours, pfDashHoles}},
        {540, 1u << 6, {pfDrawingHead}},
        {540, 1u << 7, {pfDrillingList}},
        {540, 1u << 8, {}},
        {540, 1u << 9, {pfFileInformation}},
        {540, 1u << 10, {pfFitDrawing}},
        {540, 1u << 31, {pfMoveDimensions}},
        {530, 1u << 31, {}},
        {530, 1u << 21, {pfProjectionMethod}},
        {530, 1u << 22, {}},
        {520, 1u << 21, {pfProjectionMethod}},
        {510, 1u << 21, {}},
        {500, 1u << 21, {}},
        {500, 1u << 20, {pfGroupCodes}},
        {500, 1u << 9 | 1u << 8 | 1u << 7, {pfFileInformation, pfDrillingList}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Version << " bits 0x" << std::hex << c.Bits);
        TOld500RawFile raw(c.Version);
        raw.Plot1.LongWord(76, c.Bits);
        raw.Plot2.LongWord(76, c.Bits);
        test::TLoadedDesign keep;
        TManifold& m = LoadRaw(raw, keep);
        EXPECT_EQ(m.fPlotSettings[0]->FData.PlotFlags, c.Expected);
        EXPECT_EQ(m.fPlotSettings[1]->FData.PlotFlags, c.Expected);
    }
}

// Bytes of enumerations with a closed list of values keep the default when
// out of range; plain ordinals are kept as read; flag bytes give only their
// documented members.
TEST(Read500Test, ManifoldEnumerationAndFlagBytes)
{
    TOld500RawFile raw(520);
    raw.Manifold.Byte(0, 3).Byte(1, 7).Byte(32, 3);
    raw.Manifold.Byte(72, 0xFF).Byte(84, 0xFF).Byte(85, 0xFF).Byte(97, 0xFF);
    raw.Manifold.Byte(96, 9).Byte(98, 200).Byte(452, 7);
    raw.Plot1.Byte(0, 9).Byte(68, 5).Byte(69, 4);
    test::TLoadedDesign keep;
    TManifold& m = LoadRaw(raw, keep);
    const TManifoldData defaults;
    EXPECT_EQ(m.FData.FileType, defaults.FileType);
    EXPECT_EQ(m.FData.MeasuringUnits, muMM);
    EXPECT_EQ(m.FData.DrawDashHoles, defaults.DrawDashHoles);
    EXPECT_EQ(m.FData.CalculateFlags, (TCalculateFlags{cfGroups, cfThread, cfWarnings}));
    EXPECT_EQ(m.FData.FileFlags, (TFileFlags{ffAutoExport, ffAutoRedraw, ffAutoRenumber, ffDepthToTip,
                                             ffThreadFromTop, ffHiddenStepsss}));
    // Bit 7 of the drawing flags is not dfHideHoleNumber.
    EXPECT_EQ(m.FData.DrawFlags, (TDrawFlags{dfAngleValue, dfContourHole, dfContourPattern, dfItemNumber,
                                             dfOringArea, dfColorFill, dfColorDash}));
    EXPECT_EQ(m.FData.SortSettings.SortOptions, (TSortOptions{soPatternHoles, soSkipHoles, soRearrangePatterns,
                                                              soMultiSort, soAutoSkip, soOnlyFromLastHole}));
    EXPECT_EQ(static_cast<int>(m.FData.SortSettings.SortMethode), 9);
    EXPECT_EQ(static_cast<int>(m.FData.SortSettings.SortType), 200);
    EXPECT_EQ(static_cast<int>(m.FData.DrawProjectionMethode), 7);
    EXPECT_EQ(static_cast<int>(m.fPlotSettings[0]->FData.PlotMode), 9);
    EXPECT_EQ(static_cast<int>(m.fPlotSettings[0]->FData.ProjectionMethode), 5);
    EXPECT_EQ(static_cast<int>(m.fPlotSettings[0]->FData.Orientation), 4);

    // The values in range are taken.
    TOld500RawFile inRange(520);
    inRange.Manifold.Byte(0, 0).Byte(1, 1).Byte(32, 0).Byte(72, 0).Byte(84, 0).Byte(85, 0x80);
    TManifold& n = LoadRaw(inRange, keep);
    EXPECT_EQ(n.FData.FileType, ftNone);
    EXPECT_EQ(n.FData.MeasuringUnits, muIN);
    EXPECT_EQ(n.FData.DrawDashHoles, dashNone);
    EXPECT_TRUE(n.FData.CalculateFlags.Empty());
    EXPECT_TRUE(n.FData.FileFlags.Empty());
    EXPECT_TRUE(n.FData.DrawFlags.Empty());
}

// Length bytes beyond their field and numbers that are not numbers are
// taken without harm.
TEST(Read500Test, DamagedFieldBytes)
{
    TOld500RawFile raw(530);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    // Length bytes: Material [80] claims 255 characters, the hole's title
    // [50] 200, the step's group code [10] 99.
    raw.Manifold.Double(8, nan).Double(16, inf).RawShortText(184, 80, std::string(80, 'x')).Byte(184, 255);
    raw.Hole.Double(20, nan).Integer(16, -7).RawShortText(68, 50, std::string(50, 't')).Byte(68, 200);
    raw.Step.Double(8, -inf).RawShortText(117, 10, "P").Byte(117, 99).Integer(84, std::numeric_limits<int32_t>::min());
    test::TLoadedDesign keep;
    TManifold& m = LoadRaw(raw, keep);
    EXPECT_TRUE(std::isnan(m.FData.Max.X));
    EXPECT_EQ(m.FData.Max.Y, inf);
    EXPECT_EQ(m.FData.Material, std::string(80, 'x'));
    const THole& h = *m.FHoleList[0];
    EXPECT_TRUE(std::isnan(h.FData.XXY));
    EXPECT_EQ(h.FData.FaceNumber, -7);
    EXPECT_EQ(h.FData.Properties.Title, std::string(50, 't'));
    EXPECT_EQ(h.FStepList[0]->FData.GroupCode, std::string("P") + std::string(9, '\0'));
    EXPECT_EQ(h.FStepList[0]->FData.TopAngle, std::numeric_limits<int32_t>::min());
}

// Counts below 1 read nothing and the next section follows at once.
TEST(Read500Test, CountsBelowOneReadNothing)
{
    TOld500RawFile raw(540);
    TByteFile f;
    f.Header("5.40").Add(raw.Manifold).Integer(-3).Add(raw.Project).Integer(std::numeric_limits<int32_t>::min());
    f.Add(raw.Plot1).Add(raw.Plot2).Integer(0).Integer(2);
    f.Add(raw.Hole).Integer(-1).Integer(0).Integer(-100);
    f.Add(raw.Hole).Integer(1).Add(raw.Step).Integer(-2).Integer(0);
    const auto loaded = LoadBytes("negative.mnf", f.Bytes());
    EXPECT_TRUE(loaded.Texts.empty());
    const TManifold& m = *loaded.M;
    EXPECT_EQ(m.FRevisionList.Count(), 0);
    EXPECT_TRUE(m.FProject.FComments.empty());
    EXPECT_EQ(m.FGroupList.Count(), 0);
    ASSERT_EQ(m.FHoleList.Count(), 2);
    EXPECT_EQ(m.FHoleList[0]->FStepList.Count(), 0);
    EXPECT_EQ(m.FHoleList[1]->FStepList.Count(), 1);
    EXPECT_EQ(m.FHoleList[1]->FContourList.Count(), 0);
}

// A count the rest of the file cannot hold reads what is there, reserves
// nothing for the rest and reports the file as truncated.
TEST(Read500Test, HugeCountAtTheEnd)
{
    TOld500RawFile raw(500);
    for (const int32_t count : {std::numeric_limits<int32_t>::max(), 1000000}) {
        TByteFile f;
        f.Header("5.00").Add(raw.Manifold).Add(raw.Project).Integer(count);
        f.Add(samples::Old500CommentRecord("only line"));
        const auto loaded = LoadBytes("huge.mnf", f.Bytes());
        ASSERT_TRUE(loaded.Loaded);
        EXPECT_EQ(loaded.Texts, std::vector<std::string>{kTruncatedFileWarning});
        EXPECT_EQ(loaded.M->FProject.FComments, std::vector<std::string>{"only line"});
        EXPECT_EQ(loaded.M->FGroupList.Count(), 0);
    }
}

// A file cut anywhere loads what lies before the cut: no record that is not
// wholly there is applied, and the warning is shown once.
TEST(Read500Test, TruncatedAnywhere)
{
    for (const int version : {510, 540}) {
        SCOPED_TRACE(version);
        const std::string full = samples::Old500Design(version);
        const auto whole = LoadBytes("whole.mnf", full);
        ASSERT_TRUE(whole.Texts.empty());
        const TManifold& w = *whole.M;
        int lastHoles = 0;
        // Every cut through the block record, then a stride through the rest
        // that meets every kind of record and count.
        std::vector<size_t> cuts = {40, 41};
        for (size_t n = 40 + Old500Layout(version).Manifold - 2; n < full.size(); n += 37) cuts.push_back(n);
        cuts.push_back(full.size() - 1);
        for (const size_t cut : cuts) {
            SCOPED_TRACE(cut);
            const auto part = LoadBytes("cut.mnf", full.substr(0, cut));
            ASSERT_TRUE(part.Loaded);
            ASSERT_EQ(part.Texts, std::vector<std::string>{kTruncatedFileWarning});
            const TManifold& p = *part.M;
            ASSERT_LE(p.FHoleList.Count(), w.FHoleList.Count());
            EXPECT_GE(p.FHoleList.Count(), lastHoles);
            lastHoles = p.FHoleList.Count();
            if (p.FGroupList.Count() > 0 || p.FHoleList.Count() > 0) {
                EXPECT_EQ(Flat(p.FData.Max), Flat(w.FData.Max));
            }
            ASSERT_LE(p.FGroupList.Count(), w.FGroupList.Count());
            for (int g = 0; g < p.FGroupList.Count(); ++g)
                EXPECT_EQ(Flat(p.FGroupList[g]->FData), Flat(w.FGroupList[g]->FData));
            for (int h = 0; h < p.FHoleList.Count(); ++h) {
                const THole& a = *p.FHoleList[h];
                const THole& b = *w.FHoleList[h];
                EXPECT_EQ(Flat(a.FData), Flat(b.FData));
                if (h + 1 < p.FHoleList.Count()) {
                    EXPECT_EQ(Flat(a), Flat(b)); // holes before the last are complete
                    continue;
                }
                ASSERT_LE(a.FStepList.Count(), b.FStepList.Count());
                for (int s = 0; s < a.FStepList.Count(); ++s)
                    EXPECT_EQ(Flat(a.FStepList[s]->FData), Flat(b.FStepList[s]->FData));
                ASSERT_LE(a.FValveList.Count(), b.FValveList.Count());
                for (int v = 0; v < a.FValveList.Count(); ++v)
                    EXPECT_EQ(Flat(a.FValveList[v]->fData), Flat(b.FValveList[v]->fData));
            }
        }
        // A cut inside the block record leaves the header data at its defaults.
        const auto early = LoadBytes("early.mnf", full.substr(0, 40 + 100));
        EXPECT_EQ(Flat(early.M->FData.Max), Flat(TManifoldData{}.Max));
        EXPECT_EQ(early.M->fPlotSettings.Count(), 2);
    }
}

// The sample design in each version: realistic content, read back whole.
TEST(Read500Test, SampleDesign)
{
    for (const int version : kVersions) {
        SCOPED_TRACE(version);
        const auto loaded = LoadBytes("sample.mnf", samples::Old500Design(version));
        ASSERT_TRUE(loaded.Texts.empty());
        const TManifold& m = *loaded.M;
        EXPECT_EQ(m.DimensionsToStr(), "160.00x120.00x90.00");
        EXPECT_EQ(m.FGroupList.Count(), 4);
        EXPECT_EQ(m.FRevisionList.Count(), version >= 530 ? 2 : 0);
        EXPECT_EQ(m.FData.Properties.Title, version >= 520 ? "Valve block VB-160" : "");
        EXPECT_EQ(m.FProject.FComments.size(), 1u);
        ASSERT_EQ(m.FHoleList.Count(), 6);
        const THole& cavity = *m.FHoleList[3];
        EXPECT_TRUE(cavity.GetIsCartridge());
        EXPECT_EQ(cavity.FStepList.Count(), 4);
        EXPECT_EQ(cavity.FValveList.Count(), 1);
        EXPECT_TRUE(cavity.FContourList.GetIsCircle());
        EXPECT_TRUE(m.FHoleList[4]->GetPatternStart());
        EXPECT_EQ(m.FHoleList[0]->FStepList[1]->FData.ToleranceDiameter, version == 540 ? "6H" : "");
        EXPECT_EQ(m.GetCalcWallthickness(), 3.0);
    }
}

TEST(Read500Test, MissingFile)
{
    TManifold m;
    EXPECT_FALSE(LoadOldVersionFile(540, test::TempPath("no-such-file.mnf"), m));
    EXPECT_EQ(m.fPlotSettings.Count(), 2);
    EXPECT_EQ(m.FHoleList.Count(), 0);
}

} // namespace
} // namespace qv
