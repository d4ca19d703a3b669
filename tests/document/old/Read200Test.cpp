// The headerless 2.00 files: the block record, whole holes with up to three
// steps, remark repair and the marks in remarks, dashed faces, valves,
// pattern contours, angles, the default step and the final numbering.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/HoleLists.h"
#include "testkit/LoadedDesign.h"
#include "testkit/OldBytes200.h"
#include "testkit/OldDesigns.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace qv;
using namespace qv::samples;

namespace {

TOld200Block Block()
{
    TOld200Block b;
    b.MaxX = 150;
    b.MaxY = 100;
    b.MaxZ = 60;
    return b;
}

TOld200Hole Hole(float diameter = 10)
{
    TOld200Hole h;
    h.Steps[0] = {diameter, 20, "", 0, ""};
    return h;
}

const TPlotSettingsData& Production(const TManifold& M) { return M.PlotSettings().Items(0)->FData; }

} // namespace

TEST(Read200, BlockRecordFields)
{
    TOld200Block b = Block();
    b.MaxZ = 12.7f; // at 24, not next to X and Y
    b.TextHeight = 2;
    b.Scale = 1.5f;
    b.Material = "GGG40   ";
    b.Title = "Lift block ";
    b.Drawing = "D-200";
    b.DrawnBy = "J. Smit";
    b.FaceDistanceX = 30;
    b.FaceDistanceY = 50;
    b.Finish = {1.6f, 0.8f, 6.3f, 0, 10.5f, -1, 10};
    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r200.mnf", Old200File(b)));

    EXPECT_EQ(M.Units(), muMM);
    EXPECT_EQ(M.Decimals(), 2);
    EXPECT_EQ(M.XMax(), 150);
    EXPECT_EQ(M.YMax(), 100);
    EXPECT_EQ(M.ZMax(), 12.7);
    EXPECT_EQ(M.Material(), "GGG40");
    EXPECT_EQ(M.FProject.FData.ProjectTitle, "Lift block");
    EXPECT_EQ(M.FProject.FData.ProjectDrawing, "D-200");
    EXPECT_EQ(M.FProject.FData.DrawnBy, "J. Smit");
    const double finish[7] = {1.6, 0.8, 6.3, 3.2, 3.2, 3.2, 10};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(M.GetFinishFace(i), finish[i]) << "element " << i;

    const TPlotSettingsData& P = Production(M);
    EXPECT_EQ(P.Scale, 1.5);
    EXPECT_EQ(P.FaceDistance.X, 30);
    EXPECT_EQ(P.FaceDistance.Y, 50);
    EXPECT_EQ(P.PlotTextHeight[thDefault], 2);
    EXPECT_DOUBLE_EQ(P.PlotTextHeight[thItem], 2 * std::sqrt(2.0));
    EXPECT_EQ(P.PlotTextHeight[thExtra], 2);
    EXPECT_EQ(P.PlotTextHeight[thDrillingList], 2);
    EXPECT_DOUBLE_EQ(P.PlotTextHeight[thInfo], 2 / std::sqrt(2.0));
    // Without the "!" mark the drawing options are the defaults.
    EXPECT_EQ(P.PlotFlags, TPlotSettingsData{}.PlotFlags);
    EXPECT_EQ(P.ProjectionMethode, pmAmerican);

    const TPlotSettingsData& A = M.PlotSettings().Items(1)->FData;
    EXPECT_EQ(A.PlotMode, psmAssembly);
    EXPECT_EQ(A.Scale, 1.5);
    EXPECT_EQ(A.PlotTextHeight[thItem], P.PlotTextHeight[thItem]);
}

TEST(Read200, BlockDefaultsForValuesOutOfRange)
{
    struct Case {
        float height, scale;
        int16_t dx, dy;
        double expectHeight, expectScale, expectDx, expectDy;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {0, -1, 0, 50, 2.5, 2.5, 40, 40},
        {nan, nan, 50, 100, 2.5, 2.5, 40, 40},
        {3, 4, 99, 1, 3, 4, 99, 1},
        {3, 4, -5, 20, 3, 4, 40, 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
        TOld200Block b = Block();
        b.TextHeight = c.height;
        b.Scale = c.scale;
        b.FaceDistanceX = c.dx;
        b.FaceDistanceY = c.dy;
        TManifold M;
        ASSERT_TRUE(test::LoadFileBytes(M, "r200.mnf", Old200File(b)));
        const TPlotSettingsData& P = Production(M);
        EXPECT_EQ(P.PlotTextHeight[thDefault], c.expectHeight);
        EXPECT_EQ(P.Scale, c.expectScale);
        EXPECT_EQ(P.FaceDistance.X, c.expectDx);
        EXPECT_EQ(P.FaceDistance.Y, c.expectDy);
    }
}

TEST(Read200, PlotOptionsMarkedChanged)
{
    TOld200Block b = Block();
    b.PlotOptions = "NNNNNNN";
    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r200.mnf", Old200File(b)));
    const TPlotSettingsData& P = Production(M);
    EXPECT_FALSE(P.PlotFlags.Contains(pfDrawingHead));
    EXPECT_FALSE(P.PlotFlags.Contains(pfBorder));
    EXPECT_TRUE(P.PlotFlags.Contains(pfXYCoordinates));
    EXPECT_EQ(P.ProjectionMethode, pmEuropean);
    EXPECT_FALSE(P.PlotFlags.Contains(pfContours));
    EXPECT_TRUE(P.PlotFlags.Contains(pfAlternate));
    EXPECT_EQ(P.Orientation, poLandscape);

    // "N" without the "!" mark changes nothing; "!" with other letters
    // neither.
    TOld200Block unmarked = Block();
    TByteRecord r = Old200BlockRecord(unmarked);
    for (size_t i = 202; i <= 208; ++i) r.Byte(i, 'N');
    TByteRecord marked = Old200BlockRecord(Block());
    marked.Byte(195, '!');
    for (size_t i = 202; i <= 208; ++i) marked.Byte(i, 'Y');
    for (const TByteRecord* rec : {&r, &marked}) {
        TManifold U;
        const std::string bytes = TByteFile().Add(*rec).Add(Old200HoleRecord(Hole())).Bytes();
        ASSERT_TRUE(U.LoadFromFile(test::WriteTempFile("unmarked200.mnf", bytes)));
        EXPECT_EQ(Production(U).PlotFlags, TPlotSettingsData{}.PlotFlags);
        EXPECT_EQ(Production(U).ProjectionMethode, pmAmerican);
    }
}

TEST(Read200, StepsAttributesAndRemarks)
{
    TOld200Hole h;
    h.Face = 3;
    h.X = 25.4f;
    h.Y = 40;
    h.Steps[0] = {16.5f, 18, "M18x1,5", 14, "@2 plug P"};
    h.Steps[1] = {10, 60, "G1/4", 0, "'\"`X*"}; // no thread length: no thread
    h.Steps[2] = {8, 80, "", 0, "vlak ~"};
    h.Closed = -1;
    h.DashedFaces = "1x36 7";
    TOld200Hole fix = Hole();
    fix.Steps[0].Remark = "#Stop";
    fix.Steps[0].ThreadLength = 10; // a single hole is not a mounting hole
    fix.DashedFaces = "0789";

    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r200.mnf", Old200File(Block(), {h, fix})));
    ASSERT_EQ(M.HoleList().Count(), 2);
    const THole& a = *M.HoleList()[0];
    EXPECT_EQ(a.FData.HoleNumber, 1);
    EXPECT_EQ(a.FData.FaceNumber, 3);
    EXPECT_EQ(a.FData.XXY, 25.4);
    EXPECT_EQ(a.FData.YZZ, 40);
    EXPECT_TRUE(a.GetIsPlugged()); // "plug" compared in upper case
    EXPECT_TRUE(a.GetIsCartridge());
    EXPECT_FALSE(a.GetIsFixation());
    EXPECT_FALSE(a.GetIsMounting());
    EXPECT_EQ(a.FData.Dashed, 0b100101); // digits 1, 3 and 6; 7 is no face
    EXPECT_EQ(a.FData.RemarkRotation, 180);
    EXPECT_EQ(a.FData.PatternHandle, -1);

    ASSERT_EQ(a.FStepList.Count(), 3);
    const TStepData& s1 = a.FStepList[0]->FData;
    EXPECT_EQ(s1.StepNumber, 1);
    EXPECT_EQ(s1.Diameter, 16.5);
    EXPECT_EQ(s1.Depth, 18);
    EXPECT_TRUE(s1.Attribute.Contains(saThreaded));
    EXPECT_EQ(s1.Thread, "M18x1,5");
    EXPECT_EQ(s1.Length, 14);
    EXPECT_EQ(s1.Remark, " plug P"); // the prefix is taken off
    EXPECT_EQ(s1.GroupCode, "P");
    // The "@" of the prefix is also the spot-face mark of this generation.
    EXPECT_TRUE(s1.Attribute.Contains(saSpotfaced));

    const TStepData& s2 = a.FStepList[1]->FData;
    EXPECT_EQ(s2.StepNumber, 2);
    EXPECT_FALSE(s2.Attribute.Contains(saThreaded));
    EXPECT_EQ(s2.Thread, "");
    EXPECT_EQ(s2.Length, 0);
    EXPECT_EQ(s2.Remark, "\"X"); // ' " ` X * repaired
    EXPECT_EQ(s2.GroupCode, "");
    EXPECT_EQ(s2.TopAngle, 120);

    const TStepData& s3 = a.FStepList[2]->FData;
    EXPECT_TRUE(s3.Attribute.Contains(saSpotfaced)); // "vlak" in any case
    EXPECT_EQ(s3.TopAngle, 180);
    EXPECT_TRUE(s3.Attribute.Contains(saHidden));

    const THole& b = *M.HoleList()[1];
    EXPECT_EQ(b.FData.HoleNumber, 2);
    EXPECT_TRUE(b.GetIsPlugged());
    EXPECT_TRUE(b.GetIsFixation());
    EXPECT_FALSE(b.GetIsCartridge());
    EXPECT_FALSE(b.GetIsMounting());
    EXPECT_EQ(b.FData.Dashed, 0);
    EXPECT_EQ(b.FStepList[0]->FData.GroupCode, "P"); // "#STOP" holds P, the first letter looked for
}

TEST(Read200, RemarkRepair)
{
    const std::pair<const char*, const char*> cases[] = {
        {"'\"`X*", "\"X"},     // apostrophe and double quote first: all apostrophes go
        {"1`2*3", "1'2'3"},    // otherwise back quote and asterisk become apostrophes
        {"`\"A'", "\"A"},      // a back quote turned apostrophe starts it too
        {"\"'A'", "\"'A'"},    // a double quote first is no inch quote
        {"'", "'"},
    };
    std::vector<TOld200Hole> holes;
    for (const auto& c : cases) {
        TOld200Hole h = Hole();
        h.Steps[1] = {8, 30, "", 0, c.first};
        holes.push_back(h);
    }
    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r200.mnf", Old200File(Block(), holes)));
    ASSERT_EQ(M.HoleList().Count(), int(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(M.HoleList()[int(i)]->FStepList[1]->FData.Remark, cases[i].second) << cases[i].first;
}

TEST(Read200, DefaultStepAndNumbering)
{
    TOld200Hole none; // all three diameters 0
    none.Steps[0] = {0, 20, "M8", 10, "@1 P"};
    TOld200Hole gap; // only the third diameter: one step, numbered 1
    gap.Steps[2] = {5, 10, "", 0, "@3 T"};
    TOld200Hole negative = Hole(-4);
    negative.Steps[1] = {std::numeric_limits<float>::quiet_NaN(), 5, "", 0, ""};

    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r200.mnf", Old200File(Block(), {none, gap, negative})));
    ASSERT_EQ(M.HoleList().Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(M.HoleList()[i]->FData.HoleNumber, i + 1);

    const THole& a = *M.HoleList()[0];
    ASSERT_EQ(a.FStepList.Count(), 1);
    const TStepData& d = a.FStepList[0]->FData;
    EXPECT_EQ(d.StepNumber, 1);
    EXPECT_EQ(d.Diameter, TStepData{}.Diameter);
    EXPECT_EQ(d.Remark, "");
    EXPECT_EQ(d.TopAngle, TStepData{}.TopAngle);
    EXPECT_EQ(a.FData.RemarkRotation, 0); // no step 1

    const THole& b = *M.HoleList()[1];
    ASSERT_EQ(b.FStepList.Count(), 1);
    EXPECT_EQ(b.FStepList[0]->FData.StepNumber, 1);
    EXPECT_EQ(b.FStepList[0]->FData.Diameter, 5);
    EXPECT_EQ(b.FStepList[0]->FData.Remark, "@3 T"); // not the first step: the prefix stays
    EXPECT_EQ(b.FData.RemarkRotation, 0);

    EXPECT_EQ(M.HoleList()[2]->FStepList.Count(), 1);
}

TEST(Read200, ValvesPatternsAndContours)
{
    TOld200Hole valve = Hole(20);
    valve.ItemNumber = "V7 ";
    valve.ValveX = 12;
    valve.ValveY = -8;
    valve.ValveRotation = '1';
    valve.HoleContour = 24.00001f; // a single hole's contour, taken without rounding
    TOld200Hole start = Hole(6.8f);
    start.Pattern = 1;
    start.Steps[0].ThreadLength = 12; // threaded pattern hole: mounting
    start.ItemNumber = "V8";
    start.ValveRotation = '0';
    start.Contour = {{{10, 10}, {0, 5}, {90.00004f, 10}, {90, 60}}}; // (0,5) is skipped
    TOld200Hole member = start;
    member.Pattern = 2;
    member.ItemNumber = "V9"; // members carry no valve
    member.Contour = {{{10, 60}, {0, 0}, {0, 0}, {0, 0}}};
    TOld200Hole third = member;
    third.Pattern = 3;
    third.Steps[0].ThreadLength = 0;
    third.Contour = {};
    TOld200Hole odd = Hole();
    odd.Pattern = 9; // no pattern code: a single hole
    TOld200Hole next = start;
    next.Contour = {{{1, 1}, {2, 2}, {0, 0}, {0, 0}}};

    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r200.mnf", Old200File(Block(), {valve, start, member, third, odd, next})));
    ASSERT_EQ(M.HoleList().Count(), 6);

    const THole& v = *M.HoleList()[0];
    ASSERT_EQ(v.FValveList.Count(), 1);
    EXPECT_EQ(v.FValveList[0]->fData.ItemNumber, "V7");
    EXPECT_EQ(v.FValveList[0]->fData.Offset.X, 12);
    EXPECT_EQ(v.FValveList[0]->fData.Offset.Y, -8);
    EXPECT_EQ(v.FValveList[0]->fData.Rotation, 90);
    EXPECT_EQ(v.FData.HoleContour, double(24.00001f));
    EXPECT_EQ(v.FData.PatternHandle, -1);
    EXPECT_EQ(v.FContourList.Count(), 0);

    const THole& s = *M.HoleList()[1];
    ASSERT_EQ(s.FValveList.Count(), 1);
    EXPECT_EQ(s.FValveList[0]->fData.Rotation, 0);
    EXPECT_TRUE(s.GetIsMounting());
    EXPECT_EQ(s.FData.HoleContour, 0); // only single holes take it
    ASSERT_EQ(s.FContourList.Count(), 4);
    const double xs[4] = {10, 90, 90, 10};
    const double ys[4] = {10, 10, 60, 60};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(s.FContourList[i]->FData.X, xs[i]) << i;
        EXPECT_EQ(s.FContourList[i]->FData.Y, ys[i]) << i;
    }

    const int handle = s.FData.PatternHandle;
    EXPECT_NE(handle, -1);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(M.HoleList()[i]->FData.PatternHandle, handle);
        EXPECT_EQ(M.HoleList()[i]->FData.PatternHoleNumber, i - 1);
    }
    EXPECT_EQ(M.HoleList()[2]->FValveList.Count(), 0);
    EXPECT_TRUE(M.HoleList()[2]->GetIsMounting());
    EXPECT_FALSE(M.HoleList()[3]->GetIsMounting());
    EXPECT_EQ(M.HoleList()[4]->FData.PatternHandle, -1);

    const THole& n = *M.HoleList()[5];
    EXPECT_NE(n.FData.PatternHandle, handle);
    EXPECT_NE(n.FData.PatternHandle, -1);
    EXPECT_EQ(n.FData.PatternHoleNumber, 0);
    EXPECT_EQ(n.FContourList.Count(), 2);
    EXPECT_EQ(s.FContourList.Count(), 4);
}

TEST(Read200, Angles)
{
    struct Case {
        int face;
        float angle, flag;
        bool angled;
        double value, rotation;
    };
    const Case cases[] = {
        {2, 30, 0, true, 30, 180},
        {5, -15, 0, true, 15, 180},
        {3, 20, 1, true, 20, 0},  // any flag but 0 means 90 before the rules
        {1, 20, -7, true, 20, 270},
        {1, 90, 0, false, 0, 0},
        {1, 0, 1, false, 0, 0},
        {1, std::numeric_limits<float>::quiet_NaN(), 0, false, 0, 0},
        {1, -std::numeric_limits<float>::infinity(), 0, false, 0, 0},
    };
    std::vector<TOld200Hole> holes;
    for (const Case& c : cases) {
        TOld200Hole h = Hole();
        h.Face = int16_t(c.face);
        h.Angle = c.angle;
        h.AngleRotation = c.flag;
        holes.push_back(h);
    }
    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "r200.mnf", Old200File(Block(), holes)));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(testing::Message() << "case " << i);
        const THoleData& d = M.HoleList()[int(i)]->FData;
        EXPECT_EQ(d.Attribute.Contains(haAngled), cases[i].angled);
        EXPECT_EQ(d.AngleValue, cases[i].value);
        EXPECT_EQ(d.AngleRotation, cases[i].rotation);
    }
}

TEST(Read200, MembersBeforeAnyPatternAndDamagedRecords)
{
    // Codes 2 and 3 before any code 1: no pattern, no contour list.
    TOld200Hole early = Hole();
    early.Pattern = 2;
    early.Contour = {{{10, 10}, {20, 20}, {0, 0}, {0, 0}}};
    TMessageCollector messages;
    TManifold M;
    ASSERT_TRUE(test::LoadFileBytes(M, "early200.mnf", Old200File(Block(), {early})));
    ASSERT_EQ(M.HoleList().Count(), 1);
    EXPECT_EQ(M.HoleList()[0]->FData.PatternHandle, -1);
    EXPECT_EQ(M.HoleList()[0]->FContourList.Count(), 0);

    // Records full of 0xFF and 0x7F bytes (NaN and huge Singles, overlong
    // texts).
    for (char fill : {'\xFF', '\x7F'}) {
        TManifold D;
        const std::string record(kOld200RecordSize, fill);
        ASSERT_TRUE(D.LoadFromFile(test::WriteTempFile("fill200.mnf", record + record + record)));
        ASSERT_EQ(D.HoleList().Count(), 2);
        for (int i = 0; i <= 6; ++i) EXPECT_EQ(D.GetFinishFace(i), 3.2);
        EXPECT_EQ(Production(D).FaceDistance.X, 40);
        EXPECT_GE(D.HoleList()[0]->FStepList.Count(), 1);
    }
    EXPECT_TRUE(messages.Entries().empty());

    // Not a whole number of records.
    TManifold O;
    EXPECT_FALSE(
        LoadOldVersionFile(200, test::WriteTempFile("odd200.mnf", std::string(kOld200RecordSize + 1, '\0')), O));
}

TEST(Read200, FileSizes)
{
    // 454 bytes: one block record and one hole.
    TByteFile f;
    f.Add(Old200BlockRecord(Block())).Add(Old200HoleRecord(Hole()));
    ASSERT_EQ(f.Size(), 454u);
    const std::string path = test::WriteTempFile("small200.mnf", f.Bytes());
    EXPECT_EQ(DetectFileVersion(path, 1), 200);
    TManifold M;
    ASSERT_TRUE(M.LoadFromFile(path));
    EXPECT_EQ(M.HoleList().Count(), 1);

    // The sample: a whole number of records, and no multiple of 134, so
    // detection does not take it for a 3.00 file.
    const std::string sample = Old200Design();
    EXPECT_EQ(sample.size() % kOld200RecordSize, 0u);
    EXPECT_NE(sample.size() % kOld300RecordSize, 0u);
    const std::string spath = test::WriteTempFile("sample200.mnf", sample);
    EXPECT_EQ(DetectFileVersion(spath, 1), 200);
    TManifold S;
    ASSERT_TRUE(S.LoadFromFile(spath));
    EXPECT_EQ(S.FProject.FData.ProjectTitle, "LIFT CONTROL BLOCK");
    ASSERT_EQ(S.HoleList().Count(), 8);
    EXPECT_EQ(S.HoleList()[1]->FStepList[0]->FData.GroupCode, "T");
    EXPECT_TRUE(S.HoleList()[1]->FStepList[2]->GetIsSpotfaced()); // "VLAK" at the face
    EXPECT_EQ(S.HoleList()[2]->FValveList.Count(), 1);
    EXPECT_EQ(S.HoleList()[3]->FContourList.Count(), 4);
    EXPECT_TRUE(S.HoleList()[7]->GetIsAngled());
}
