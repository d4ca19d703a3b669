// The reader of the 4.00 to 4.20 files: the two header blocks of each
// version, the typed records, pattern membership, the old angle convention,
// label rotation prefixes, valve records, group colours, project comments,
// and files that end early or hold damaged values.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "document/old/OldFormats.h"
#include "testkit/OldBytes400.h"
#include "testkit/OldDesigns.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace qv;
using namespace qv::samples;

namespace {

struct TLoaded {
    std::unique_ptr<TManifold> M = std::make_unique<TManifold>();
    bool Ok = false;
    std::vector<std::string> Messages;
};

// Writes the bytes to a file and loads it the way the program does, so the
// version detection is part of every test.
TLoaded Load(const std::string& Bytes, const std::string& Name)
{
    const std::string path = test::WriteTempFile(Name, Bytes);
    TLoaded r;
    TMessageCollector messages;
    r.Ok = r.M->LoadFromFile(path);
    r.Messages = messages.Texts();
    return r;
}

const char* VersionText(int v)
{
    return v == 400 ? "4.00" : v == 410 ? "4.10" : v == 415 ? "4.15" : "4.20";
}

// A file with empty header blocks (all zero bytes) and then the typed
// records written by Body, closed by the code 255.
template <class F>
std::string Records(int Version, F&& Body)
{
    TByteFile f;
    f.Header(VersionText(Version));
    f.Add(TByteRecord(Old400BlockASize(Version))).Add(TByteRecord(Old400BlockBSize(Version)));
    Body(f);
    f.Byte(255);
    return f.Bytes();
}

TByteRecord HoleRec(uint16_t Number, uint8_t FlagsA = 0, uint8_t Face = 1, float AV = 0, float AR = 0)
{
    TOld400Hole h;
    h.Number = Number;
    h.FlagsA = FlagsA;
    h.Face = Face;
    h.AngleValue = AV;
    h.AngleRotation = AR;
    return Old400HoleRecord(h);
}

TByteRecord StepRec(uint8_t Number, const std::string& Remark)
{
    TOld400Step s;
    s.Number = Number;
    s.Remark = Remark;
    return Old400StepRecord(s);
}

// ------------------------------------------------------------ header blocks

// The documented offsets of every header field, written out per version
// (independently of the byte builders the other tests use).
struct THeaderCase {
    int Version;
    size_t SizeA, SizeB;
    size_t MaxA, TitleA, NumberA, DrawnByA;
    size_t Drawing, DrawnByB, NumberB, Material, Wall, Finish, CalcHole, Factor, Density; // 0: not stored
    size_t Scale[2], Dist[2], Text[2], Flags[2];
    size_t Origin;
    size_t Shared[4]; // 4.20: all in the byte at Shared[0], bits 1 to 4
};

const THeaderCase kHeaderCases[] = {
    {400, 145, 326, 40, 52, 83, 114, 289, 263, 233, 276, 201, 205, 0, 0, 0,
     {24, 119}, {9, 104}, {28, 123}, {17, 112}, 194, {193, 195, 196, 197}},
    {410, 147, 361, 42, 54, 85, 116, 311, 285, 255, 298, 223, 227, 329, 337, 333,
     {24, 119}, {9, 104}, {28, 123}, {17, 112}, 215, {214, 216, 217, 218}},
    {415, 147, 361, 42, 54, 85, 116, 311, 285, 255, 298, 223, 227, 329, 337, 333,
     {24, 119}, {9, 104}, {28, 123}, {17, 112}, 215, {214, 216, 217, 218}},
    {420, 147, 397, 42, 54, 85, 116, 293, 267, 237, 280, 205, 209, 309, 317, 313,
     {17, 106}, {9, 98}, {21, 110}, {33, 122}, 203, {201, 201, 201, 201}},
};

// Seven drawing flags: orientation, projection, alternate, contours, item
// numbers, border, drawing head. 4.00 to 4.15 take any non-zero byte as set.
void PutDrawingFlags(TByteRecord& b, int Version, size_t Base, const bool (&On)[7])
{
    for (int i = 0; i < 7; ++i) {
        if (Version == 420) b.Bit(Base, i, On[i]);
        else b.Byte(Base + size_t(i), On[i] ? 7 : 0);
    }
}

// One header with distinct values everywhere; HiddenSteps sets the flag of
// 4.15 and 4.20.
std::string HeaderFile(const THeaderCase& c, bool HiddenSteps)
{
    TByteRecord a(c.SizeA);
    a.Word(1, 2003).Byte(3, 7).Byte(4, 21).Byte(5, 16).Byte(6, 45).Byte(7, 30);
    a.Byte(37, 0);
    a.Single(c.MaxA, 12.7f).Single(c.MaxA + 4, 120.5f).Single(c.MaxA + 8, 90.125f);
    a.ShortText(c.TitleA, 30, "Bloc d'essai \xC3\xA9t\xC3\xA9"); // "été" in UTF-8
    a.ShortText(c.NumberA, 30, "PRJ-42");
    a.ShortText(c.DrawnByA, 30, "A. Author");

    TByteRecord b(c.SizeB);
    b.ShortText(c.Drawing, 12, "DRW-7");
    b.ShortText(c.DrawnByB, 12, "B. Other");
    b.ShortText(c.NumberB, 12, "PRJ-OTHER");
    b.ShortText(c.Material, 12, "C45");
    b.Single(c.Wall, 2.5f);
    for (size_t i = 0; i < 7; ++i) b.Single(c.Finish + 4 * i, 0.8f * float(i + 1));
    if (c.CalcHole) b.Word(c.CalcHole, 11).Word(c.CalcHole + 2, 12);
    if (c.Factor) b.Single(c.Factor, 0.85f);
    if (c.Density) b.Single(c.Density, 2700.0f);
    if (c.Version == 415) b.Byte(342, HiddenSteps ? 1 : 0);
    if (c.Version == 420) b.Bit(202, 3, HiddenSteps);

    const float scale[2] = {1.5f, 0.2f};
    for (int k = 0; k < 2; ++k) {
        b.Single(c.Scale[k], scale[k]);
        b.Single(c.Dist[k], 30.0f + k).Single(c.Dist[k] + 4, 25.0f + k);
        b.Single(c.Text[k], 3.5f + k).Single(c.Text[k] + 4, 5.0f + k).Single(c.Text[k] + 8, 2.5f + k);
    }
    const bool first[7] = {false, true, true, false, true, false, true};
    const bool second[7] = {true, false, false, true, false, true, false};
    PutDrawingFlags(b, c.Version, c.Flags[0], first);
    PutDrawingFlags(b, c.Version, c.Flags[1], second);
    b.Byte(c.Origin, 3);
    // XY coordinates and surface finish and extra text set, dash holes not.
    const bool shared[4] = {true, false, true, true};
    for (int i = 0; i < 4; ++i) {
        if (c.Version == 420) b.Bit(c.Shared[0], i + 1, shared[i]);
        else b.Byte(c.Shared[i], shared[i] ? 1 : 0);
    }

    TByteFile f;
    f.Header(VersionText(c.Version)).Add(a).Add(b);
    // The first typed record sits right after block B.
    Old400AddTyped(f, 1, HoleRec(77));
    f.Byte(255);
    return f.Bytes();
}

TEST(Read400, HeaderBlocksOfEachVersion)
{
    for (const THeaderCase& c : kHeaderCases) {
        SCOPED_TRACE(c.Version);
        TLoaded r = Load(HeaderFile(c, false), "header.mnf");
        ASSERT_TRUE(r.Ok);
        EXPECT_TRUE(r.Messages.empty());
        const TManifold& m = *r.M;
        const TProjectData& p = r.M->FProject.FData;

        TDateTime created;
        ASSERT_TRUE(TryEncodeDateTime(2003, 7, 21, 16, 45, 30, created));
        EXPECT_DOUBLE_EQ(p.CreatedOn, created);
        EXPECT_EQ(m.Units(), muMM);
        EXPECT_EQ(m.Decimals(), 2);
        EXPECT_EQ(m.XMax(), 12.7); // rounded to 0.0001, not 12.69999980926514
        EXPECT_EQ(m.YMax(), 120.5);
        EXPECT_EQ(m.ZMax(), 90.125);
        EXPECT_EQ(p.ProjectTitle, "Bloc d'essai \xC3\xA9t\xC3\xA9");
        EXPECT_EQ(p.ProjectClient, p.ProjectTitle);
        EXPECT_EQ(p.ProjectNumber, "PRJ-42");  // block A wins over block B
        EXPECT_EQ(p.DrawnBy, "A. Author");
        EXPECT_EQ(p.ProjectDrawing, "DRW-7");
        EXPECT_EQ(m.Material(), "C45");
        EXPECT_EQ(m.GetCalcWallthickness(), 2.5);
        for (int i = 0; i < 7; ++i) EXPECT_EQ(m.GetFinishFace(i), std::round(8.0 * (i + 1)) / 10.0) << i;
        if (c.CalcHole) {
            EXPECT_EQ(m.LastCalcHole1(), 11);
            EXPECT_EQ(m.LastCalcHole2(), 12);
            EXPECT_EQ(m.HoleFactor(), 0.85);
            EXPECT_EQ(m.MassDensity(), 2700.0);
        } else { // 4.00 holds none of these
            EXPECT_EQ(m.LastCalcHole1(), 0);
            EXPECT_EQ(m.HoleFactor(), TManifoldData{}.HoleFactor);
            EXPECT_EQ(m.MassDensity(), TManifoldData{}.MassDensity);
        }
        // 4.00 and 4.10 do not store the hidden-steps flag: the default stays.
        EXPECT_EQ(m.FileFlags().Contains(ffHiddenStepsss), c.Version == 400 || c.Version == 410);

        ASSERT_EQ(m.PlotSettings().Count(), 2);
        const TPlotSettingsData& d1 = m.PlotSettings()[0]->FData;
        const TPlotSettingsData& d2 = m.PlotSettings()[1]->FData;
        EXPECT_EQ(d1.PlotMode, psmProduction);
        EXPECT_EQ(d2.PlotMode, psmAssembly);
        EXPECT_EQ(d1.Scale, 1.5);
        EXPECT_EQ(d2.Scale, double(0.2f)); // widened, not rounded
        for (int k = 0; k < 2; ++k) {
            const TPlotSettingsData& d = k == 0 ? d1 : d2;
            EXPECT_EQ(d.FaceDistance.X, 30.0 + k);
            EXPECT_EQ(d.FaceDistance.Y, 25.0 + k);
            EXPECT_EQ(d.PlotTextHeight[thDefault], 3.5 + k);
            EXPECT_EQ(d.PlotTextHeight[thItem], 5.0 + k);
            EXPECT_EQ(d.PlotTextHeight[thExtra], 2.5 + k);
            EXPECT_EQ(d.PlotTextHeight[thDrillingList], 3.5 + k);
            EXPECT_EQ(d.PlotTextHeight[thInfo], 5.0 + k);
            EXPECT_EQ(d.PlotTextHeight[thMaterial], TPlotSettingsData{}.PlotTextHeight[thMaterial]);
            EXPECT_EQ(d.Origin, 2);
        }
        EXPECT_EQ(d1.Orientation, poPortrait);
        EXPECT_EQ(d1.ProjectionMethode, pmAmerican);
        TPlotFlags f1{pfAlternate, pfItemNumbers, pfDrawingHead, pfXYCoordinates, pfSurfaceFinish, pfExtraText};
        EXPECT_EQ(d1.PlotFlags.Value, f1.Value);
        EXPECT_EQ(d2.Orientation, poLandscape);
        EXPECT_EQ(d2.ProjectionMethode, pmEuropean);
        TPlotFlags f2{pfContours, pfBorder, pfExtraText};
        EXPECT_EQ(d2.PlotFlags.Value, f2.Value);

        ASSERT_EQ(m.HoleList().Count(), 1);
        EXPECT_EQ(m.HoleList()[0]->FData.HoleNumber, 77);
    }
}

TEST(Read400, HiddenStepsFlagOf415And420)
{
    for (const THeaderCase& c : kHeaderCases) {
        if (c.Version != 415 && c.Version != 420) continue;
        for (bool hidden : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.Version << " " << hidden);
            TLoaded r = Load(HeaderFile(c, hidden), "hidden.mnf");
            ASSERT_TRUE(r.Ok);
            EXPECT_EQ(r.M->FileFlags().Contains(ffHiddenStepsss), hidden);
            // The neighbouring flags are untouched.
            EXPECT_TRUE(r.M->FileFlags().Contains(ffAutoRedraw));
            EXPECT_TRUE(r.M->FileFlags().Contains(ffDepthToTip));
        }
    }
}

TEST(Read400, BlockBTextsFillEmptyProjectNumberAndDrawnBy)
{
    for (int v : {400, 410, 415, 420}) {
        SCOPED_TRACE(v);
        TOld400Header h;
        h.NumberB = "FROM-B";
        h.DrawnByB = "BB";
        h.Title = "T";
        TByteFile f = Old400File(v, h);
        f.Byte(255);
        TLoaded r = Load(f.Bytes(), "textb.mnf");
        ASSERT_TRUE(r.Ok);
        EXPECT_EQ(r.M->FProject.FData.ProjectNumber, "FROM-B");
        EXPECT_EQ(r.M->FProject.FData.DrawnBy, "BB");
        EXPECT_EQ(r.M->FProject.FData.ProjectClient, "T");
    }
}

TEST(Read400, UnitByte)
{
    const struct { uint8_t Byte; TUnit Unit; int Decimals; } cases[] = {
        {0, muMM, 2}, {1, muIN, 3}, {7, muIN, 3}, {255, muIN, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.Byte));
        TOld400Header h;
        h.Inch = false;
        TByteRecord a = Old400BlockARecord(420, h);
        a.Byte(37, c.Byte);
        TByteFile f;
        f.Header("4.20").Add(a).Add(Old400BlockBRecord(420, h)).Byte(255);
        TLoaded r = Load(f.Bytes(), "unit.mnf");
        ASSERT_TRUE(r.Ok);
        EXPECT_EQ(r.M->Units(), c.Unit);
        EXPECT_EQ(r.M->Decimals(), c.Decimals);
    }
}

// The creation date only documents the design: a damaged one keeps the
// default and the rest of the file is still read.
TEST(Read400, InvalidCreationDateKeepsDefaultAndLoads)
{
    const struct { int Y, Mo, D, H, Mi, S; } cases[] = {
        {2003, 13, 1, 0, 0, 0}, {2003, 2, 30, 0, 0, 0}, {2003, 1, 1, 24, 0, 0},
        {2003, 1, 1, 0, 60, 0}, {2003, 1, 1, 0, 0, 60}, {0, 0, 0, 0, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Y << "-" << c.Mo << "-" << c.D << " " << c.H << ":" << c.Mi << ":" << c.S);
        TOld400Header h;
        h.Year = c.Y, h.Month = c.Mo, h.Day = c.D, h.Hour = c.H, h.Minute = c.Mi, h.Second = c.S;
        h.Title = "Still read";
        TByteFile f = Old400File(410, h);
        Old400AddTyped(f, 1, HoleRec(5)).Byte(255);
        const TDateTime before = NowLocal();
        TLoaded r = Load(f.Bytes(), "date.mnf");
        const TDateTime after = NowLocal();
        ASSERT_TRUE(r.Ok);
        EXPECT_TRUE(r.Messages.empty());
        // The cleared project's creation time: the time of the load.
        EXPECT_GE(r.M->FProject.FData.CreatedOn, before - 1e-6);
        EXPECT_LE(r.M->FProject.FData.CreatedOn, after + 1e-6);
        EXPECT_EQ(r.M->FProject.FData.ProjectTitle, "Still read");
        EXPECT_EQ(r.M->HoleList().Count(), 1);
    }
}

TEST(Read400, ModifiedOnIsTheFilesLastWriteTime)
{
    TByteFile f = Old400File(420, TOld400Header{});
    f.Byte(255);
    TLoaded r = Load(f.Bytes(), "modified.mnf");
    ASSERT_TRUE(r.Ok);
    TDateTime t;
    ASSERT_TRUE(FileLastWriteLocal(test::TempPath("modified.mnf"), t));
    EXPECT_DOUBLE_EQ(r.M->FProject.FData.ModifiedOn, t);
}

TEST(Read400, MissingFileIsNotLoaded)
{
    TManifold m;
    TMessageCollector messages;
    const std::string path = test::TempPath("no-such-file.mnf");
    EXPECT_FALSE(LoadOldVersionFile(420, path, m));
    // The reason is told; the document gets only the two drawing set-ups.
    ASSERT_EQ(messages.Entries().size(), 1u);
    EXPECT_EQ(messages.Entries()[0].Text, "Cannot read \"" + path + "\": No such file or directory");
    EXPECT_EQ(m.PlotSettings().Count(), 2);
    EXPECT_EQ(m.HoleList().Count(), 0);
}

// ------------------------------------------------------------ typed records

// Every field of the records at its documented offset (raw records, not the
// builders).
TEST(Read400, RecordFieldsAtTheirOffsets)
{
    for (int v : {410, 420}) {
        SCOPED_TRACE(v);
        const bool wide = v == 420; // 4.20 has the longer assembly file name
        std::string bytes = Records(v, [&](TByteFile& f) {
            TByteRecord hole(26);
            hole.Word(0, 513).Byte(2, 0x8F).Byte(3, 0x1E).Byte(4, 3).Single(5, 10.25f).Single(9, 20.5f);
            hole.Byte(13, 2).Single(14, 33.0f).Single(18, 0.0f).Single(22, 0.0f);
            Old400AddTyped(f, 1, hole);
            TByteRecord step(92);
            step.Byte(0, 2).Byte(1, 0x07).Single(3, 11.445f).Single(7, 16.0f).ShortText(11, 10, "G1/4");
            step.Single(22, 12.0f).ShortText(26, 24, "@1 not a prefix here").Word(51, 118).Single(53, 13.157f);
            step.ShortText(57, 20, "TAP-G14").ShortText(78, 5, "P").Single(84, 6.0f).Single(88, 8.0f);
            Old400AddTyped(f, 2, step);
            TByteRecord item(21);
            item.ShortText(0, 10, "POS-12").Single(11, 4.5f).Single(15, -3.25f).Word(19, 270);
            Old400AddTyped(f, 4, item);
            TByteRecord assembly(wide ? 38 : 30);
            assembly.ShortText(9, wide ? 15 : 7, wide ? "LONGASSEMBLY.DW" : "ASM.DWG");
            const size_t p = wide ? 25 : 17;
            assembly.Single(p, 80.5f).Single(p + 4, 60.25f).Single(p + 8, 45.0f).Byte(p + 12, 1);
            Old400AddTyped(f, 3, assembly);
            TByteRecord component(70);
            component.ShortText(0, 15, "Maker").ShortText(16, 24, "Type-X").ShortText(41, 24, "A valve");
            component.Single(66, 1.75f);
            Old400AddTyped(f, 7, component);
            Old400AddTyped(f, 5, TByteRecord(8).Single(0, -20.0f).Single(4, 15.5f));
            Old400AddTyped(f, 8, TByteRecord(8).ShortText(0, 5, "PRESS").Byte(6, 4).Byte(7, 99));
        });
        TLoaded r = Load(bytes, "fields.mnf");
        ASSERT_TRUE(r.Ok);
        EXPECT_TRUE(r.Messages.empty());
        ASSERT_EQ(r.M->HoleList().Count(), 1);
        const THole& h = *r.M->HoleList()[0];
        EXPECT_EQ(h.FData.HoleNumber, 513);
        THoleAttributes attr{haPlugged, haFixation, haClosed, haMounting, haAngled,
                             haMeasure, haAssembly, haConnect, haThrough};
        EXPECT_EQ(h.FData.Attribute.Value, attr.Value);
        EXPECT_EQ(h.FData.PatternHandle, -1);
        EXPECT_EQ(h.FData.FaceNumber, 3);
        EXPECT_EQ(h.FData.XXY, 10.25);
        EXPECT_EQ(h.FData.YZZ, 20.5);
        EXPECT_EQ(h.FData.Dashed, 2);
        EXPECT_EQ(h.FData.HoleContour, 33.0);

        ASSERT_EQ(h.FStepList.Count(), 1);
        const TStepData& s = h.FStepList[0]->FData;
        EXPECT_EQ(s.StepNumber, 2);
        TStepAttributes sattr{saSpotfaced, saThreaded, saHidden};
        EXPECT_EQ(s.Attribute.Value, sattr.Value);
        EXPECT_EQ(s.Diameter, 11.445);
        EXPECT_EQ(s.Depth, 16.0);
        EXPECT_EQ(s.Thread, "G1/4");
        EXPECT_EQ(s.Length, 12.0);
        EXPECT_EQ(s.Remark, "@1 not a prefix here"); // only the first step carries the prefix
        EXPECT_EQ(s.TopAngle, 118);
        EXPECT_EQ(s.OutsideDiameter, 13.157);
        EXPECT_EQ(s.MachineCode, "TAP-G14");
        EXPECT_EQ(s.GroupCode, "P");
        EXPECT_EQ(s.PortMin, 6.0);
        EXPECT_EQ(s.PortMax, 8.0);

        ASSERT_EQ(h.FValveList.Count(), 1);
        const TValveData& val = h.FValveList[0]->fData;
        EXPECT_EQ(val.ItemNumber, "POS-12");
        EXPECT_EQ(val.Offset.X, 4.5);
        EXPECT_EQ(val.Offset.Y, -3.25);
        EXPECT_EQ(val.Rotation, 270);
        EXPECT_EQ(val.AssemblyFile, wide ? "LONGASSEMBLY.DW" : "ASM.DWG");
        EXPECT_EQ(val.InsertionPoint.X, 80.5);
        EXPECT_EQ(val.InsertionPoint.Y, 60.25);
        EXPECT_EQ(val.RotationAngle, 45.0);
        EXPECT_TRUE(val.ContourInAssembly);
        EXPECT_EQ(val.Manufacturer, "Maker");
        EXPECT_EQ(val.ComponentType, "Type-X");
        EXPECT_EQ(val.Description, "A valve");
        EXPECT_EQ(val.Weight, 1.75);

        ASSERT_EQ(h.FContourList.Count(), 1);
        EXPECT_EQ(h.FContourList[0]->FData.X, -20.0);
        EXPECT_EQ(h.FContourList[0]->FData.Y, 15.5);

        ASSERT_EQ(r.M->GroupList().Count(), 1);
        EXPECT_EQ(r.M->GroupList()[0]->FData.Code, "PRESS");
        EXPECT_EQ(r.M->GroupList()[0]->FData.Color, 0x000080); // index 4: red 128
    }
}

// Singles are widened and rounded to 0.0001 with ties to even: 1/32 and
// 3/32 are exact in single precision and lie exactly halfway.
TEST(Read400, SinglesRoundToTenThousandthsTiesToEven)
{
    const struct { float In; double Out; } cases[] = {
        {0.03125f, 0.0312}, {0.09375f, 0.0938}, {-0.03125f, -0.0312}, {12.7f, 12.7}, {0.00004f, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.In);
        TOld400Hole h;
        h.XXY = c.In;
        std::string bytes = Records(420, [&](TByteFile& f) { Old400AddTyped(f, 1, Old400HoleRecord(h)); });
        TLoaded r = Load(bytes, "round.mnf");
        ASSERT_EQ(r.M->HoleList().Count(), 1);
        EXPECT_EQ(r.M->HoleList()[0]->FData.XXY, c.Out);
    }
}

TEST(Read400, PatternMembership)
{
    const struct {
        const char* Name;
        std::vector<uint8_t> Flags;
        std::vector<int> Handle, Number;
    } cases[] = {
        // Start, two members, a new start.
        {"sequence", {0x20, 0x10, 0x10, 0x20}, {0, 0, 0, 1}, {0, 1, 2, 0}},
        // Bit 6 is a member as well; a hole without the bits ends nothing.
        {"bit 6 and a single hole", {0x20, 0x00, 0x40, 0x30}, {0, -1, 0, 1}, {0, -1, 1, 0}},
        // Members before any start stay single holes.
        {"member before start", {0x10, 0x40, 0x20, 0x50}, {-1, -1, 0, 0}, {-1, -1, 0, 1}},
        // The other attribute bits do not touch membership.
        {"with attributes", {0x28, 0x18, 0x8F}, {0, 0, -1}, {0, 1, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string bytes = Records(415, [&](TByteFile& f) {
            for (size_t i = 0; i < c.Flags.size(); ++i) Old400AddTyped(f, 1, HoleRec(uint16_t(i + 1), c.Flags[i]));
        });
        TLoaded r = Load(bytes, "pattern.mnf");
        ASSERT_EQ(r.M->HoleList().Count(), int(c.Flags.size()));
        for (size_t i = 0; i < c.Flags.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(r.M->HoleList()[int(i)]->FData.PatternHandle, c.Handle[i]);
            EXPECT_EQ(r.M->HoleList()[int(i)]->FData.PatternHoleNumber, c.Number[i]);
        }
    }
}

// The six rules of the 4.00 and 4.10 angle convention on each face; the
// expected values are (AngleValue, AngleRotation) per face 1 to 6.
TEST(Read400, AngleConversionOf400And410)
{
    const struct {
        const char* Rule;
        float AV, AR;
        double OutAV[6], OutAR[6];
    } rules[] = {
        {"1: no tilt", 0, 45, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
        {"2: AR 0, AV > 0", 30, 0, {30, 30, 30, 30, 30, 30}, {0, 180, 90, 270, 0, 180}},
        {"3: AR 0, AV < 0", -15, 0, {15, 15, 15, 15, 15, 15}, {180, 0, 270, 90, 180, 0}},
        {"4: AR 90, AV > 0", 30, 90, {30, 30, 30, 30, 30, 30}, {270, 270, 0, 0, 270, 270}},
        {"5: AR 90, AV < 0", -15, 90, {15, 15, 15, 15, 15, 15}, {90, 90, 180, 180, 90, 90}},
        {"6: any other", 30, 45, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}},
        // The range step after the rule.
        {"range: AV 400", -400, 0, {40, 40, 40, 40, 40, 40}, {180, 0, 270, 90, 180, 0}},
        {"range: AV 370", 370, 90, {10, 10, 10, 10, 10, 10}, {270, 270, 0, 0, 270, 270}},
        {"range: AV 720", 720, 0, {0, 0, 0, 0, 0, 0}, {0, 180, 90, 270, 0, 180}},
    };
    for (int v : {400, 410}) {
        for (const auto& rule : rules) {
            SCOPED_TRACE(testing::Message() << v << " rule " << rule.Rule);
            std::string bytes = Records(v, [&](TByteFile& f) {
                for (uint8_t face = 1; face <= 6; ++face)
                    Old400AddTyped(f, 1, HoleRec(face, 0, face, rule.AV, rule.AR));
            });
            TLoaded r = Load(bytes, "angle.mnf");
            ASSERT_EQ(r.M->HoleList().Count(), 6);
            for (int face = 1; face <= 6; ++face) {
                SCOPED_TRACE(face);
                EXPECT_EQ(r.M->HoleList()[face - 1]->FData.AngleValue, rule.OutAV[face - 1]);
                EXPECT_EQ(r.M->HoleList()[face - 1]->FData.AngleRotation, rule.OutAR[face - 1]);
            }
        }
    }
}

TEST(Read400, AnglesOf415And420AreKept)
{
    for (int v : {415, 420}) {
        SCOPED_TRACE(v);
        std::string bytes = Records(v, [&](TByteFile& f) {
            Old400AddTyped(f, 1, HoleRec(1, 0, 2, 30, 0));
            Old400AddTyped(f, 1, HoleRec(2, 0, 5, -15, 0));
            Old400AddTyped(f, 1, HoleRec(3, 0, 1, 30, 45));
        });
        TLoaded r = Load(bytes, "angle.mnf");
        ASSERT_EQ(r.M->HoleList().Count(), 3);
        EXPECT_EQ(r.M->HoleList()[0]->FData.AngleRotation, 0.0);
        EXPECT_EQ(r.M->HoleList()[1]->FData.AngleValue, -15.0);
        EXPECT_EQ(r.M->HoleList()[2]->FData.AngleValue, 30.0);
        EXPECT_EQ(r.M->HoleList()[2]->FData.AngleRotation, 45.0);
    }
}

TEST(Read400, RemarkRotationPrefixOfTheFirstStep)
{
    const struct { const char* Remark; const char* Kept; int Rotation; } cases[] = {
        {"@2X", "X", 180}, {"@0", "", 0}, {"@1P", "P", 90}, {"@3 A port", " A port", 270},
        {"@4Z", "@4Z", 0}, {"plain", "plain", 0}, {"@", "@", 0}, {"x@2", "x@2", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Remark);
        std::string bytes = Records(420, [&](TByteFile& f) {
            Old400AddTyped(f, 1, HoleRec(1));
            Old400AddTyped(f, 2, StepRec(1, c.Remark));
            Old400AddTyped(f, 2, StepRec(2, "@3Y")); // later steps keep their text and leave the rotation
        });
        TLoaded r = Load(bytes, "prefix.mnf");
        ASSERT_EQ(r.M->HoleList().Count(), 1);
        const THole& h = *r.M->HoleList()[0];
        ASSERT_EQ(h.FStepList.Count(), 2);
        EXPECT_EQ(h.FStepList[0]->FData.Remark, c.Kept);
        EXPECT_EQ(h.FData.RemarkRotation, c.Rotation);
        EXPECT_EQ(h.FStepList[1]->FData.Remark, "@3Y");
    }
}

TEST(Read400, ValveRecordsFillTheLastValveOfTheLastHole)
{
    std::string bytes = Records(410, [&](TByteFile& f) {
        Old400AddTyped(f, 1, HoleRec(1));
        Old400AddTyped(f, 4, Old400ValveItemRecord("7", 1, 2, 1));                   // creates the valve
        Old400AddTyped(f, 3, Old400ValveAssemblyRecord(410, "CV", 5, 6, 90, false)); // fills it
        Old400AddTyped(f, 7, Old400ValveComponentRecord("M", "T", "D", 0.5f));       // fills it
        Old400AddTyped(f, 1, HoleRec(2));
        Old400AddTyped(f, 7, Old400ValveComponentRecord("Only", "component", "data", 2.0f)); // creates its valve
        Old400AddTyped(f, 4, Old400ValveItemRecord("8", 0, 0, 0));
    });
    TLoaded r = Load(bytes, "valves.mnf");
    ASSERT_TRUE(r.Ok);
    ASSERT_EQ(r.M->HoleList().Count(), 2);
    const THole& a = *r.M->HoleList()[0];
    ASSERT_EQ(a.FValveList.Count(), 1);
    EXPECT_EQ(a.FValveList[0]->fData.ItemNumber, "7");
    EXPECT_EQ(a.FValveList[0]->fData.Rotation, 90); // the stored 1 means a quarter turn
    EXPECT_EQ(a.FValveList[0]->fData.AssemblyFile, "CV");
    EXPECT_EQ(a.FValveList[0]->fData.Manufacturer, "M");
    const THole& b = *r.M->HoleList()[1];
    ASSERT_EQ(b.FValveList.Count(), 1);
    EXPECT_EQ(b.FValveList[0]->fData.Manufacturer, "Only");
    EXPECT_EQ(b.FValveList[0]->fData.ItemNumber, "8");
    EXPECT_EQ(b.FValveList[0]->fData.Rotation, 0);
}

TEST(Read400, RecordsBeforeAnyHoleAreIgnored)
{
    std::string bytes = Records(420, [&](TByteFile& f) {
        Old400AddTyped(f, 2, StepRec(1, "@2orphan"));
        Old400AddTyped(f, 3, Old400ValveAssemblyRecord(420, "A", 1, 2, 3, true));
        Old400AddTyped(f, 4, Old400ValveItemRecord("1", 0, 0, 1));
        Old400AddTyped(f, 5, Old400ContourRecord(1, 2));
        Old400AddTyped(f, 7, Old400ValveComponentRecord("M", "T", "D", 1));
        Old400AddTyped(f, 8, Old400GroupRecord("G", 2)); // groups belong to the document
        Old400AddTyped(f, 1, HoleRec(9));
        Old400AddTyped(f, 5, Old400ContourRecord(3, 4));
    });
    TLoaded r = Load(bytes, "orphans.mnf");
    ASSERT_TRUE(r.Ok);
    EXPECT_TRUE(r.Messages.empty());
    EXPECT_EQ(r.M->GroupList().Count(), 1);
    ASSERT_EQ(r.M->HoleList().Count(), 1);
    const THole& h = *r.M->HoleList()[0];
    EXPECT_EQ(h.FStepList.Count(), 0);
    EXPECT_EQ(h.FValveList.Count(), 0);
    EXPECT_EQ(h.FData.RemarkRotation, 0);
    ASSERT_EQ(h.FContourList.Count(), 1);
    EXPECT_EQ(h.FContourList[0]->FData.X, 3.0);
}

TEST(Read400, GroupColourIndices)
{
    const uint32_t expected[17] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                   0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                   0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF, 0x000000};
    std::string bytes = Records(400, [&](TByteFile& f) {
        for (int i = 0; i <= 16; ++i) Old400AddTyped(f, 8, Old400GroupRecord("G" + std::to_string(i), uint8_t(i)));
        Old400AddTyped(f, 8, Old400GroupRecord("G255", 255));
    });
    TLoaded r = Load(bytes, "groups.mnf");
    ASSERT_EQ(r.M->GroupList().Count(), 18);
    for (int i = 0; i <= 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(r.M->GroupList()[i]->FData.Code, "G" + std::to_string(i));
        EXPECT_EQ(uint32_t(r.M->GroupList()[i]->FData.Color), expected[i]);
    }
    EXPECT_EQ(r.M->GroupList()[17]->FData.Color, 0);
    // Index 12 is pure red in the model's colour format: red in the low byte.
    EXPECT_EQ(r.M->GroupList()[12]->FData.Color, 0x0000FF);
}

TEST(Read400, ProjectComments)
{
    const struct {
        const char* Name;
        std::u16string Units;
        std::vector<std::string> Lines;
    } cases[] = {
        {"empty line dropped, tail dropped", u"A\r\rB\u0003", {"A"}},
        {"two lines", u"first\rsecond\r\u0003", {"first", "second"}},
        {"nothing", u"\u0003", {}},
        {"non-ASCII", u"\u00D8 10 \u00B1 0.1 \u20AC\r\u0003", {"\xC3\x98 10 \xC2\xB1 0.1 \xE2\x82\xAC"}},
        {"surrogate pair", u"x\U0001F527\r\u0003", {"x\xF0\x9F\x94\xA7"}},
        {"unpaired high", std::u16string{u'a', char16_t(0xD83D), u'b', 13, 3}, {"a\xEF\xBF\xBD" "b"}},
        {"unpaired low", std::u16string{char16_t(0xDD27), 13, 3}, {"\xEF\xBF\xBD"}},
        {"high at line end", std::u16string{u'a', char16_t(0xD83D), 13, char16_t(0xDD27), 13, 3},
         {"a\xEF\xBF\xBD", "\xEF\xBF\xBD"}},
        {"line feed kept as a character", u"a\nb\r\u0003", {"a\nb"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::string bytes = Records(415, [&](TByteFile& f) { Old400AddTyped(f, 6, Old400CommentsRecord(c.Units)); });
        TLoaded r = Load(bytes, "comments.mnf");
        ASSERT_TRUE(r.Ok);
        EXPECT_EQ(r.M->FProject.FComments, c.Lines);
    }
    // Two comment records add up; the record after them is read.
    std::string bytes = Records(420, [&](TByteFile& f) {
        Old400AddTyped(f, 6, Old400CommentsRecord(u"one\r\u0003"));
        Old400AddTyped(f, 6, Old400CommentsRecord(u"two\r\u0003"));
        Old400AddTyped(f, 1, HoleRec(3));
    });
    TLoaded r = Load(bytes, "comments2.mnf");
    EXPECT_EQ(r.M->FProject.FComments, (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(r.M->HoleList().Count(), 1);
}

TEST(Read400, UnknownCodesCarryNothing)
{
    std::string bytes = Records(410, [&](TByteFile& f) {
        f.Byte(0).Byte(9).Byte(200);
        Old400AddTyped(f, 1, HoleRec(4));
        f.Byte(254);
        Old400AddTyped(f, 8, Old400GroupRecord("P", 12));
    });
    TLoaded r = Load(bytes, "unknown.mnf");
    ASSERT_TRUE(r.Ok);
    EXPECT_TRUE(r.Messages.empty());
    EXPECT_EQ(r.M->HoleList().Count(), 1);
    EXPECT_EQ(r.M->GroupList().Count(), 1);
}

TEST(Read400, NothingAfterCode255IsRead)
{
    std::string bytes = Records(420, [&](TByteFile& f) { Old400AddTyped(f, 1, HoleRec(1)); });
    bytes += std::string(1, '\x01') + Old400HoleRecord(TOld400Hole{}).Bytes();
    TLoaded r = Load(bytes, "after255.mnf");
    ASSERT_TRUE(r.Ok);
    EXPECT_EQ(r.M->HoleList().Count(), 1);
}

// ------------------------------------------------------------ damaged files

// A file that ends anywhere before the code 255 keeps what was read, warns
// once and loads; a record that is cut off is not applied.
TEST(Read400, TruncatedFilesKeepWhatWasRead)
{
    for (int v : {400, 420}) {
        const std::string full = Old400Design(v);
        const size_t header = 40 + Old400BlockASize(v) + Old400BlockBSize(v);
        // Complete: no warning.
        {
            TLoaded r = Load(full, "full.mnf");
            ASSERT_TRUE(r.Ok);
            EXPECT_TRUE(r.Messages.empty());
        }
        int previousHoles = 0;
        for (size_t cut : {size_t(40), size_t(40 + 100), header - 1, header, header + 5, header + 100,
                           full.size() / 2, full.size() - 30, full.size() - 1}) {
            SCOPED_TRACE(testing::Message() << v << " cut at " << cut);
            TLoaded r = Load(full.substr(0, cut), "cut.mnf");
            ASSERT_TRUE(r.Ok);
            ASSERT_EQ(r.Messages.size(), 1u);
            EXPECT_EQ(r.Messages[0], kTruncatedFileWarning);
            // Holes only grow as the file gets longer.
            EXPECT_GE(r.M->HoleList().Count(), previousHoles);
            previousHoles = r.M->HoleList().Count();
            // Block A is applied only when it is all there.
            EXPECT_EQ(r.M->FProject.FData.ProjectTitle, cut >= 40 + Old400BlockASize(v) ? "Relief block RV-160" : "");
            // Block B likewise.
            EXPECT_EQ(r.M->Material(), cut >= header ? "AlMgSi1" : "");
        }
        EXPECT_EQ(previousHoles, 6);
    }
}

TEST(Read400, CutRecordsAreNotApplied)
{
    const struct { const char* Name; std::string Tail; } cases[] = {
        {"hole", std::string(1, '\x01') + Old400HoleRecord(TOld400Hole{}).Bytes().substr(0, 25)},
        {"step", std::string(1, '\x02') + Old400StepRecord(TOld400Step{}).Bytes().substr(0, 91)},
        {"item", std::string(1, '\x04') + Old400ValveItemRecord("1", 0, 0, 0).Bytes().substr(0, 20)},
        {"group", std::string(1, '\x08') + Old400GroupRecord("X", 1).Bytes().substr(0, 7)},
        {"contour", std::string(1, '\x05') + Old400ContourRecord(1, 1).Bytes().substr(0, 4)},
        {"comments without their end", std::string(1, '\x06') + Old400CommentsRecord(u"done\rnot\r").Bytes()},
        {"comments with an odd byte", std::string(1, '\x06') + Old400CommentsRecord(u"done\r").Bytes() + "\x03"},
        {"code only", std::string(1, '\x07')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TByteFile f = Old400File(420, TOld400Header{});
        Old400AddTyped(f, 1, HoleRec(1));
        f.Add(c.Tail);
        TLoaded r = Load(f.Bytes(), "cutrec.mnf");
        ASSERT_TRUE(r.Ok);
        EXPECT_EQ(r.Messages, std::vector<std::string>{kTruncatedFileWarning});
        ASSERT_EQ(r.M->HoleList().Count(), 1);
        const THole& h = *r.M->HoleList()[0];
        EXPECT_EQ(h.FStepList.Count(), 0);
        EXPECT_EQ(h.FValveList.Count(), 0);
        EXPECT_EQ(h.FContourList.Count(), 0);
        EXPECT_EQ(r.M->GroupList().Count(), 0);
        EXPECT_TRUE(r.M->FProject.FComments.empty());
    }
}

TEST(Read400, DamagedValuesDoNotBreakTheLoad)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::string bytes = Records(410, [&](TByteFile& f) {
        TOld400Hole h;
        h.XXY = nan;
        h.YZZ = 3.0e38f;
        h.AngleValue = nan;
        h.AngleRotation = 90;
        h.Face = 200; // not a face; stored as read
        Old400AddTyped(f, 1, Old400HoleRecord(h));
        h.AngleValue = inf;
        h.AngleRotation = 0;
        Old400AddTyped(f, 1, Old400HoleRecord(h));
        // A length byte beyond its field: the text stops at the field's end.
        TByteRecord step = Old400StepRecord(TOld400Step{});
        step.Byte(11, 250).Byte(12, 'M');
        Old400AddTyped(f, 2, step);
    });
    TLoaded r = Load(bytes, "damaged.mnf");
    ASSERT_TRUE(r.Ok);
    ASSERT_EQ(r.M->HoleList().Count(), 2);
    const THoleData& a = r.M->HoleList()[0]->FData;
    EXPECT_TRUE(std::isnan(a.XXY));
    EXPECT_EQ(a.YZZ, std::nearbyint(double(3.0e38f) * 10000.0) / 10000.0);
    EXPECT_EQ(a.FaceNumber, 200);
    EXPECT_EQ(a.AngleValue, 0.0); // no rule fits NaN: both angles become 0
    EXPECT_EQ(a.AngleRotation, 0.0);
    const THoleData& b = r.M->HoleList()[1]->FData;
    EXPECT_EQ(b.AngleValue, 0.0); // infinity cannot be brought into [0, 360)
    EXPECT_EQ(b.AngleRotation, 0.0);
    const std::string& thread = r.M->HoleList()[1]->FStepList[0]->FData.Thread;
    EXPECT_EQ(thread.size(), 10u);
    EXPECT_EQ(thread[0], 'M');
}

// Arbitrary bytes after valid header blocks: whatever they hold, the load
// ends with True and does not read or allocate beyond the file.
TEST(Read400, ArbitraryRecordBytes)
{
    uint32_t seed = 12345;
    auto next = [&] {
        seed = seed * 1664525u + 1013904223u;
        return uint8_t(seed >> 24);
    };
    for (int round = 0; round < 40; ++round) {
        const int v = round % 4 == 0 ? 400 : round % 4 == 1 ? 410 : round % 4 == 2 ? 415 : 420;
        std::string bytes = Old400File(v, TOld400Header{}).Bytes();
        const size_t n = 50 + size_t(next()) * 4;
        for (size_t i = 0; i < n; ++i) {
            uint8_t b = next();
            if (i % 9 == 0) b = uint8_t(1 + b % 8); // plenty of valid codes
            if (b == 255) b = 6;
            bytes += char(b);
        }
        TLoaded r = Load(bytes, "random.mnf");
        EXPECT_TRUE(r.Ok);
        EXPECT_EQ(r.Messages.size(), 1u); // no code 255 anywhere
        // Each hole needs at least 27 bytes of the file.
        EXPECT_LE(size_t(r.M->HoleList().Count()) * 27, n);
    }
}

// ------------------------------------------------------------ sample design

TEST(Read400, SampleDesignInEachVersion)
{
    for (int v : {400, 410, 415, 420}) {
        SCOPED_TRACE(v);
        TLoaded r = Load(Old400Design(v), "sample400.mnf");
        ASSERT_TRUE(r.Ok);
        EXPECT_TRUE(r.Messages.empty());
        const TManifold& m = *r.M;
        EXPECT_EQ(m.XMax(), 160.0);
        EXPECT_EQ(m.YMax(), 120.0);
        EXPECT_EQ(m.ZMax(), 90.0);
        EXPECT_EQ(r.M->FProject.FData.ProjectTitle, "Relief block RV-160");
        EXPECT_EQ(r.M->FProject.FComments,
                  (std::vector<std::string>{"Max. working pressure 210 bar", "Relief setting 180 \xC2\xB1 5 bar"}));
        ASSERT_EQ(r.M->GroupList().Count(), 3);
        EXPECT_EQ(r.M->GroupList()[0]->FData.Color, 0x0000FF);
        ASSERT_EQ(m.HoleList().Count(), 6);
        const THole& p = *m.HoleList()[0];
        EXPECT_EQ(p.FData.RemarkRotation, 90);
        ASSERT_EQ(p.FStepList.Count(), 3);
        EXPECT_EQ(p.FStepList[0]->FData.Remark, "P");
        EXPECT_EQ(p.FStepList[1]->FData.Thread, "G1/4");
        EXPECT_EQ(p.FStepList[1]->FData.Diameter, 11.445);
        const THole& cav = *m.HoleList()[2];
        EXPECT_TRUE(cav.GetIsCartridge());
        EXPECT_EQ(cav.FContourList.Count(), 2);
        ASSERT_EQ(cav.FValveList.Count(), 1);
        const TValveData& valve = cav.FValveList[0]->fData;
        EXPECT_EQ(valve.ItemNumber, "1");
        EXPECT_EQ(valve.Rotation, 90);
        EXPECT_EQ(valve.AssemblyFile, "RV08");
        EXPECT_EQ(valve.Manufacturer, "Velk Hydraulik");
        EXPECT_EQ(valve.Weight, 0.25);
        for (int i = 3; i < 6; ++i) {
            EXPECT_EQ(m.HoleList()[i]->FData.PatternHandle, 0);
            EXPECT_EQ(m.HoleList()[i]->FData.PatternHoleNumber, i - 3);
        }
        EXPECT_EQ(m.PlotSettings()[0]->FData.Scale, 1.0);
        EXPECT_EQ(m.PlotSettings()[1]->FData.Scale, 0.5);
    }
}

} // namespace
