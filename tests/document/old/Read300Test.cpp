// The headerless 3.00 files: the block record (packed title and finish
// values, unit and drawing flags), hole records continued by number, pattern
// contours, valves, angles, and damaged or empty files.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/HoleLists.h"
#include "testkit/LoadedDesign.h"
#include "testkit/OldBytes200.h"
#include "testkit/OldDesigns.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace qv;
using namespace qv::samples;

namespace {

TOld300Block MetricBlock()
{
    TOld300Block b;
    b.MaxX = 150;
    b.MaxY = 100;
    b.MaxZ = 60;
    return b;
}

const TPlotSettingsData& Production(const TManifold& M) { return M.PlotSettings().Items(0)->FData; }

} // namespace

TEST(Read300, BlockRecordFields)
{
    TOld300Block b = MetricBlock();
    b.FaceDistance = 40 + 100 * 35;
    b.MaxX = 12.7f;
    b.WallThickness = 2.5f;
    b.Drawing = "D-100";
    b.Title = TOld300PackedTitle::Pack("LIFT CONTROL BLOCK HV-300"); // uses start, packed parts
    b.TextHeight = 3.5f;
    b.Scale = 0; // not above 0: 2.5
    b.Material = "ST52  ";
    b.DrawnBy = "J. Smit";
    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r300.mnf", Old300File(b)));

    EXPECT_EQ(M.Units(), muMM);
    EXPECT_EQ(M.Decimals(), 2);
    EXPECT_EQ(M.XMax(), 12.7); // rounded, not 12.6999998
    EXPECT_EQ(M.YMax(), 100);
    EXPECT_EQ(M.ZMax(), 60);
    EXPECT_EQ(M.GetCalcWallthickness(), 2.5);
    EXPECT_EQ(M.FProject.FData.ProjectDrawing, "D-100");
    EXPECT_EQ(M.FProject.FData.ProjectTitle, "LIFT CONTROL BLOCK HV-300");
    EXPECT_EQ(M.Material(), "ST52");
    EXPECT_EQ(M.FProject.FData.DrawnBy, "J. Smit");

    const TPlotSettingsData& P = Production(M);
    EXPECT_EQ(P.FaceDistance.X, 40);
    EXPECT_EQ(P.FaceDistance.Y, 35);
    EXPECT_EQ(P.Scale, 2.5);
    EXPECT_EQ(P.PlotTextHeight[thDefault], 3.5);
    EXPECT_EQ(P.PlotTextHeight[thItem], 3.5);
    EXPECT_EQ(P.PlotTextHeight[thExtra], 3.5);
    EXPECT_EQ(P.PlotTextHeight[thDrillingList], 3.5);
    EXPECT_DOUBLE_EQ(P.PlotTextHeight[thInfo], 3.5 / std::sqrt(2.0));

    // The assembly set-up is the production one, still marked assembly.
    ASSERT_EQ(M.PlotSettings().Count(), 2);
    const TPlotSettingsData& A = M.PlotSettings().Items(1)->FData;
    EXPECT_EQ(A.PlotMode, psmAssembly);
    EXPECT_EQ(P.PlotMode, psmProduction);
    EXPECT_EQ(A.FaceDistance.X, 40);
    EXPECT_EQ(A.PlotTextHeight[thInfo], P.PlotTextHeight[thInfo]);
    EXPECT_EQ(A.PlotFlags, P.PlotFlags);
}

TEST(Read300, PackedTitle)
{
    struct Case {
        std::string start;
        std::array<float, 6> packed;
        uint8_t last;
        std::string title;
    };
    const Case cases[] = {
        {"", {3334.0f, 0, 0, 0, 0, 0}, 0, "@A"},                     // two characters, codes 64 and 65
        {"AB", {0, 336704.0f, 0, 0, 0, 0}, 0, "AB@b#"},               // three characters from one Single
        {"X", {0, 0, 0, 0, 0, 0}, 'Z' - 32, "XZ"},                    // the last character alone
        {"END  ", {1.0f, 0, 0, 0, 0, 0}, 0, "END"},                   // code 32 and the last are blanks, trimmed
        {"Q", {-5.0f, 0, 0, 0, 0, 0}, 0, "Q"},                        // not above 0: nothing
        {"R", {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
               -std::numeric_limits<float>::infinity(), 0, 0, 0},
         0, "R"},                                                     // damaged values give no characters
        {"S", {0, 0, 0, 0, 0, 0}, 223, "S\xc3\xbf"},                // code 255 is a Windows-1252 character
        {"T", {0, 0, 0, 0, 0, 0}, 224, "T"},                          // 256 is none and is left out
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        TOld300Block b = MetricBlock();
        b.Title.Start = c.start;
        b.Title.Packed = c.packed;
        b.Title.Last = c.last;
        TManifold M;
        ASSERT_TRUE(test::LoadFileBytes(M, "r300.mnf", Old300File(b)));
        EXPECT_EQ(M.FProject.FData.ProjectTitle, c.title);
    }
}

TEST(Read300, PackedFinishValues)
{
    struct Case {
        bool inch;
        float packed;
        float finish0;
        double odd, even, element0;
    };
    const Case cases[] = {
        {true, 125480.0f, 0, 13.0, 13.0, 13.0},   // 480 and 125 are above 100; element 0 not above 0
        {false, 320320.0f, 3.2f, 3.2, 3.2, 3.2},   // 320/100 and 320/100
        {false, 160080.0f, 6.3f, 0.8, 1.6, 6.3},   // remainder to the odd face, thousands to the even
        {true, 63032.0f, 125, 32, 63, 13.0},       // inch values taken as they are
        {false, -1000.0f, 200, 3.2, 3.2, 3.2},     // negative, above 100
        {false, std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 3.2, 3.2, 3.2},
        {true, 3.0e38f, -std::numeric_limits<float>::infinity(), 13.0, 13.0, 13.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.packed << (c.inch ? " inch" : " mm"));
        TOld300Block b = MetricBlock();
        if (c.inch) b.Flags = 0x40;
        b.Finish0 = c.finish0;
        b.PackedFinish = {c.packed, c.packed, c.packed};
        TManifold M;
        ASSERT_TRUE(test::LoadFileBytes(M, "r300.mnf", Old300File(b)));
        EXPECT_EQ(M.Units(), c.inch ? muIN : muMM);
        EXPECT_EQ(M.Decimals(), c.inch ? 3 : 2);
        EXPECT_DOUBLE_EQ(M.GetFinishFace(0), c.element0);
        for (int face = 1; face <= 6; face += 2) {
            EXPECT_DOUBLE_EQ(M.GetFinishFace(face), c.odd) << "face " << face;
            EXPECT_DOUBLE_EQ(M.GetFinishFace(face + 1), c.even) << "face " << face + 1;
        }
    }
}

TEST(Read300, FlagBitsSetAndClearTheirTargets)
{
    struct Case {
        const char* name;
        bool drawByte; // byte 82, else byte 4
        int bit;
        std::function<bool(const TManifold&)> on;
    };
    auto plot = [](TPlotFlag f) { return [f](const TManifold& M) { return Production(M).PlotFlags.Contains(f); }; };
    auto draw = [](TDrawFlag f) { return [f](const TManifold& M) { return M.DrawFlags().Contains(f); }; };
    const Case cases[] = {
        {"pfExtraText", false, 0, plot(pfExtraText)},
        {"pfBorder", false, 1, plot(pfBorder)},
        {"pfDrawingHead", false, 2, plot(pfDrawingHead)},
        {"dfItemNumber", false, 3, draw(dfItemNumber)},
        {"dfContourPattern", false, 4, draw(dfContourPattern)},
        {"Orientation", true, 0, [](const TManifold& M) { return Production(M).Orientation == poLandscape; }},
        {"pfAlternate", true, 1, plot(pfAlternate)},
        {"ProjectionMethode", true, 2,
         [](const TManifold& M) { return Production(M).ProjectionMethode == pmAmerican; }},
        {"pfXYCoordinates", true, 3, plot(pfXYCoordinates)},
        {"pfItemNumbers", true, 4, plot(pfItemNumbers)},
        {"pfDashHoles", true, 5, plot(pfDashHoles)},
        {"pfContours", true, 6, plot(pfContours)},
        {"pfSurfaceFinish", true, 7, plot(pfSurfaceFinish)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool set : {true, false}) {
            TOld300Block b = MetricBlock();
            // Every other bit of the same byte is set the other way, so a
            // bit that lands on the wrong target shows.
            const uint8_t all = c.drawByte ? 0xFF : 0x1F;
            const uint8_t mask = uint8_t(1u << c.bit);
            const uint8_t value = set ? mask : uint8_t(all & ~mask);
            if (c.drawByte) b.DrawFlags = value;
            else b.Flags = value;
            TManifold M;
            ASSERT_TRUE(test::LoadFileBytes(M, "r300.mnf", Old300File(b)));
            EXPECT_EQ(c.on(M), set);
        }
    }
    // Plot flags without a bit keep their defaults.
    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r300.mnf", Old300File(MetricBlock())));
    EXPECT_TRUE(Production(M).PlotFlags.Contains(pfCenterDrawing));
    EXPECT_TRUE(Production(M).PlotFlags.Contains(pfRevisionHistory));
}

TEST(Read300, SameHoleNumberContinuesTheHole)
{
    TOld300Hole a;
    a.Number = 7;
    a.Face = 3;
    a.X = 25.4f;
    a.Y = 12;
    a.Flags = 0x01 | 0x02 | 0x08;
    a.Dashed = 0x05;
    a.HoleContour = 22;
    a.StepFlags = 0x02;
    a.Diameter = 16.5f;
    a.Depth = 18;
    a.Thread = "M18x1.5";
    a.Length = 14;
    a.Remark = "@2 port t";
    TOld300Hole a2 = a.Step(2, 10, 60, "X");
    a2.Face = 4; // the hole part of a continuation is not used
    a2.X = 99;
    a2.Flags = 0x04;
    a2.StepFlags = 0x05;
    TOld300Hole b;
    b.Number = 8;
    b.Diameter = 6;
    b.Depth = 30;
    b.Remark = "@1";
    TOld300Hole b2 = b.Step(2, 5, 40, "");

    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r300.mnf", Old300File(MetricBlock(), {a, a2, b, b2})));
    ASSERT_EQ(M.HoleList().Count(), 2);

    const THole& h = *M.HoleList()[0];
    EXPECT_EQ(h.FData.HoleNumber, 7);
    EXPECT_EQ(h.FData.FaceNumber, 3);
    EXPECT_EQ(h.FData.XXY, 25.4);
    EXPECT_EQ(h.FData.YZZ, 12);
    EXPECT_EQ(h.FData.Dashed, 5);
    EXPECT_EQ(h.FData.HoleContour, 22);
    EXPECT_TRUE(h.GetIsPlugged());
    EXPECT_TRUE(h.GetIsFixation());
    EXPECT_FALSE(h.GetIsCartridge());
    EXPECT_TRUE(h.GetIsMounting());
    EXPECT_EQ(h.FData.PatternHandle, -1);
    EXPECT_EQ(h.FData.RemarkRotation, 180);
    ASSERT_EQ(h.FStepList.Count(), 2);
    const TStepData& s1 = h.FStepList[0]->FData;
    EXPECT_EQ(s1.StepNumber, 1);
    EXPECT_TRUE(s1.Attribute.Contains(saThreaded));
    EXPECT_FALSE(s1.Attribute.Contains(saSpotfaced));
    EXPECT_EQ(s1.TopAngle, 120);
    EXPECT_EQ(s1.Diameter, 16.5);
    EXPECT_EQ(s1.Depth, 18);
    EXPECT_EQ(s1.Thread, "M18x1.5");
    EXPECT_EQ(s1.Length, 14);
    EXPECT_EQ(s1.Remark, "@2 port t"); // the prefix stays in the remark
    EXPECT_EQ(s1.GroupCode, "P");      // "2 PORT T": P comes first in the order
    const TStepData& s2 = h.FStepList[1]->FData;
    EXPECT_EQ(s2.StepNumber, 2);
    EXPECT_TRUE(s2.Attribute.Contains(saSpotfaced));
    EXPECT_TRUE(s2.Attribute.Contains(saHidden));
    EXPECT_EQ(s2.TopAngle, 180);
    EXPECT_EQ(s2.GroupCode, ""); // only the first step takes a group from its remark

    // A later step without the prefix keeps the label turn of the first.
    const THole& g = *M.HoleList()[1];
    EXPECT_EQ(g.FData.HoleNumber, 8);
    EXPECT_EQ(g.FData.RemarkRotation, 90);
    EXPECT_EQ(g.FStepList.Count(), 2);
}

TEST(Read300, PatternContourClosesAtAZeroPoint)
{
    // Start (bits 5 and 4): opens its contour and adds (10,10), (50,10);
    // then (0,5) closes it and (60,60) is ignored.
    TOld300Hole start;
    start.Number = 1;
    start.Flags = 0x30;
    start.Contour = {{{10, 10}, {50.00004f, 10}, {0, 5}, {60, 60}}};
    start.Diameter = 6;
    TOld300Hole member = start;
    member.Number = 2;
    member.Flags = 0x10;
    member.Contour = {{{70, 70}, {0, 0}, {0, 0}, {0, 0}}}; // the list is closed: ignored
    TOld300Hole other = member;
    other.Number = 3;
    other.Flags = 0x40; // member without contour points
    TOld300Hole next = start;
    next.Number = 4;
    next.Flags = 0x30; // a new pattern opens its own list
    next.Contour = {{{1, 2}, {3, 4}, {5, 6}, {7, 8}}};

    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r300.mnf", Old300File(MetricBlock(), {start, member, other, next})));
    ASSERT_EQ(M.HoleList().Count(), 4);
    const TContourList& c = M.HoleList()[0]->FContourList;
    ASSERT_EQ(c.Count(), 2);
    EXPECT_EQ(c[0]->FData.X, 10);
    EXPECT_EQ(c[1]->FData.X, 50); // rounded
    EXPECT_EQ(c[1]->FData.Y, 10);
    EXPECT_EQ(M.HoleList()[1]->FContourList.Count(), 0);
    EXPECT_EQ(M.HoleList()[3]->FContourList.Count(), 4);

    const int first = M.HoleList()[0]->FData.PatternHandle;
    EXPECT_NE(first, -1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(M.HoleList()[i]->FData.PatternHandle, first);
        EXPECT_EQ(M.HoleList()[i]->FData.PatternHoleNumber, i);
    }
    EXPECT_NE(M.HoleList()[3]->FData.PatternHandle, first);
    EXPECT_EQ(M.HoleList()[3]->FData.PatternHoleNumber, 0);
}

TEST(Read300, ValveItemNumberAndAssembly)
{
    // Bit 4: item number and label; bit 2 and bit 4: the assembly drawing.
    TOld300Hole v;
    v.Number = 1;
    v.Flags = 0x10;
    v.X = 40;
    v.Y = 30;
    v.Angle = 45;          // also the assembly's rotation (bit 4)
    v.AngleRotation = 180; // no valid tilt direction: the hole is not angled
    v.ItemNumber = "V12 ";
    v.AssemblyFile = "CV10";
    v.ValveX = 5.5f;
    v.ValveY = -3;
    v.ValveRotation = 7;
    v.Diameter = 20;
    // Bit 2 only: the assembly at the hole position, turned by the Single at 17.
    TOld300Hole w = v;
    w.Number = 2;
    w.Flags = 0x04;
    w.ItemNumber = "";
    w.AngleRotation = 30;
    // Bit 6 with an insertion point of exactly (0,0): the hole's position.
    TOld300Hole x = v;
    x.Number = 3;
    x.Flags = 0x40;
    x.ItemNumber = "ABC";
    x.ValveX = 0;
    x.ValveY = 0;
    // Bit 4 with only blanks: no valve.
    TOld300Hole y = v;
    y.Number = 4;
    y.ItemNumber = "   ";
    y.AssemblyFile = "";

    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r300.mnf", Old300File(MetricBlock(), {v, w, x, y})));
    ASSERT_EQ(M.HoleList().Count(), 4);

    const THole& hv = *M.HoleList()[0];
    ASSERT_EQ(hv.FValveList.Count(), 1);
    const TValveData& a = hv.FValveList[0]->fData;
    EXPECT_EQ(a.ItemNumber, "V12");
    EXPECT_EQ(a.Offset.X, 5.5);
    EXPECT_EQ(a.Offset.Y, -3);
    EXPECT_EQ(a.Rotation, 90);
    EXPECT_EQ(a.AssemblyFile, "CV10");
    EXPECT_EQ(a.InsertionPoint.X, 5.5);
    EXPECT_EQ(a.InsertionPoint.Y, -3);
    EXPECT_EQ(a.RotationAngle, 45);
    EXPECT_FALSE(a.ContourInAssembly);
    EXPECT_FALSE(hv.GetIsAngled());
    EXPECT_EQ(hv.FData.AngleValue, 0);
    EXPECT_EQ(hv.FData.AngleRotation, 0);

    const THole& hw = *M.HoleList()[1];
    ASSERT_EQ(hw.FValveList.Count(), 1);
    const TValveData& b = hw.FValveList[0]->fData;
    EXPECT_EQ(b.ItemNumber, "");
    EXPECT_EQ(b.AssemblyFile, "CV10");
    EXPECT_EQ(b.InsertionPoint.X, 40);
    EXPECT_EQ(b.InsertionPoint.Y, 30);
    EXPECT_EQ(b.RotationAngle, 30);
    EXPECT_TRUE(hw.GetIsCartridge());

    const THole& hx = *M.HoleList()[2];
    ASSERT_EQ(hx.FValveList.Count(), 1); // bit 6 alone gives no item number
    EXPECT_EQ(hx.FValveList[0]->fData.ItemNumber, "");
    EXPECT_EQ(hx.FValveList[0]->fData.InsertionPoint.X, 40);
    EXPECT_EQ(hx.FValveList[0]->fData.InsertionPoint.Y, 30);

    EXPECT_EQ(M.HoleList()[3]->FValveList.Count(), 0);
}

TEST(Read300, AngleRules)
{
    struct Case {
        int face;
        float av, ar;
        bool angled;
        double value, rotation;
    };
    const Case cases[] = {
        {2, 30, 0, true, 30, 180},   // positive tilt on face 2 points the other way
        {1, -15, 0, true, 15, 180},  // negative tilt: turned round
        {3, 20, 90, true, 20, 0},
        {4, -20, 90, true, 20, 180},
        {1, 20, 90, true, 20, 270},
        {1, 0, 90, false, 0, 0},     // no tilt
        {1, 90, 0, false, 0, 0},     // 90 is not strictly inside
        {1, -90, 0, false, 0, 0},
        {1, 30, 45, false, 0, 0},    // only 0 and 90 are directions
        {1, std::numeric_limits<float>::quiet_NaN(), 0, false, 0, 0},
        {1, 30, std::numeric_limits<float>::infinity(), false, 0, 0},
    };
    std::vector<TOld300Hole> holes;
    for (size_t i = 0; i < std::size(cases); ++i) {
        TOld300Hole h;
        h.Number = int16_t(i + 1);
        h.Face = uint8_t(cases[i].face);
        h.Angle = cases[i].av;
        h.AngleRotation = cases[i].ar;
        h.Diameter = 8;
        holes.push_back(h);
    }
    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r300.mnf", Old300File(MetricBlock(), holes)));
    ASSERT_EQ(M.HoleList().Count(), int(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        const THoleData& d = M.HoleList()[int(i)]->FData;
        EXPECT_EQ(d.Attribute.Contains(haAngled), cases[i].angled);
        EXPECT_EQ(d.AngleValue, cases[i].value);
        EXPECT_EQ(d.AngleRotation, cases[i].rotation);
    }
}

TEST(Read300, EmptyAndDamagedFiles)
{
    {
        // No records at all: detected as 3.00, but there is no design.
        TMessageCollector messages;
        TManifold M;
        EXPECT_FALSE(M.LoadFromFile(test::WriteTempFile("empty.mnf", "")));
        EXPECT_TRUE(messages.Entries().empty());
        EXPECT_EQ(M.HoleList().Count(), 0);
    }
    {
        // Not a whole number of records (called directly: detection would
        // not take it for 3.00).
        TManifold M;
        TByteFile f;
        f.Add(Old300BlockRecord(MetricBlock())).Byte(0);
        EXPECT_FALSE(LoadOldVersionFile(300, test::WriteTempFile("odd300.mnf", f.Bytes()), M));
    }
    {
        // A first record numbered -1 continues a hole that does not exist;
        // members and contour points before any pattern have nothing to
        // join.
        TOld300Hole orphan;
        orphan.Number = -1;
        orphan.Diameter = 5;
        TOld300Hole member;
        member.Number = 1;
        member.Flags = 0x10 | 0x40;
        member.Contour = {{{10, 10}, {20, 20}, {0, 0}, {0, 0}}};
        member.Diameter = 6;
        TMessageCollector messages;
        TManifold M;
        ASSERT_TRUE(test::LoadFileBytes(M, "orphan300.mnf", Old300File(MetricBlock(), {orphan, member})));
        EXPECT_TRUE(messages.Entries().empty());
        ASSERT_EQ(M.HoleList().Count(), 1);
        const THole& h = *M.HoleList()[0];
        EXPECT_EQ(h.FData.HoleNumber, 1);
        EXPECT_EQ(h.FData.PatternHandle, -1);
        EXPECT_EQ(h.FContourList.Count(), 0);
        EXPECT_EQ(h.FStepList.Count(), 1);
    }
    {
        // Every byte of the block 0xFF (NaN Singles) and of two hole
        // records 0x7F (huge Singles, overlong texts): no crash, and the
        // values that must stay in range do.
        TManifold M;
        const std::string block(kOld300RecordSize, '\xFF');
        const std::string hole(kOld300RecordSize, '\x7F');
        ASSERT_TRUE(M.LoadFromFile(test::WriteTempFile("ff300.mnf", block + hole + hole)));
        EXPECT_EQ(Production(M).Scale, 2.5); // NaN is not above 0
        for (int i = 0; i <= 6; ++i) EXPECT_EQ(M.GetFinishFace(i), 13.0);
        ASSERT_EQ(M.HoleList().Count(), 1);
        EXPECT_EQ(M.HoleList()[0]->FStepList.Count(), 2);
        EXPECT_FALSE(M.HoleList()[0]->GetIsAngled());
    }
    {
        // A block of huge finite Singles: the title digits and the finish
        // values must not overflow.
        TManifold M;
        const std::string block(kOld300RecordSize, '\x7F');
        ASSERT_TRUE(M.LoadFromFile(test::WriteTempFile("7f300.mnf", block)));
        EXPECT_EQ(M.Units(), muIN);
        for (int i = 0; i <= 6; ++i) EXPECT_EQ(M.GetFinishFace(i), 13.0);
        EXPECT_EQ(M.FProject.FData.ProjectTitle.substr(0, 10), std::string(10, '\x7F'));
    }
}

TEST(Read300, SampleDesign)
{
    const std::string bytes = Old300Design();
    ASSERT_EQ(bytes.size() % kOld300RecordSize, 0u);
    const std::string path = test::WriteTempFile("sample300.mnf", bytes);
    EXPECT_EQ(DetectFileVersion(path, 1), 300);
    TManifold M;
    ASSERT_TRUE(M.LoadFromFile(path));
    EXPECT_EQ(M.FProject.FData.ProjectTitle, "LIFT CONTROL BLOCK HV-300");
    ASSERT_EQ(M.HoleList().Count(), 8);
    EXPECT_EQ(M.HoleList()[0]->FStepList.Count(), 2);
    EXPECT_EQ(M.HoleList()[0]->FStepList[0]->FData.GroupCode, "P");
    EXPECT_EQ(M.HoleList()[2]->FValveList.Count(), 1);
    EXPECT_EQ(M.HoleList()[3]->FContourList.Count(), 4);
    EXPECT_EQ(M.HoleList()[6]->FData.PatternHoleNumber, 3);
    EXPECT_TRUE(M.HoleList()[7]->GetIsAngled());
    EXPECT_EQ(M.HoleList()[7]->FData.AngleRotation, 180);
}
