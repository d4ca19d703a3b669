// Holes: the hole record of a file, attributes, selection, face coordinates,
// angles, port names, copies and the queries and renumbering of the list.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/HoleLists.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/FieldTable.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qv;

namespace {

using namespace test::fields;
using test::TBody;
using test::TFlat;

void WritePlainStep(TQuorvaneFile& f, double D, double d)
{
    f.WriteVar(20000);
    f.WriteDouble(20100, D);
    f.WriteDouble(20110, d);
    f.WriteVar(29999);
}

// The attribute flag tags, in the ordinal order of the attributes, with the
// query that tells each.
using THoleQuery = bool (THole::*)() const;
const struct {
    int Tag;
    THoleAttribute Member;
    THoleQuery Query;
} kAttributes[] = {
    {16000, haPlugged, &THole::GetIsPlugged},
    {16010, haFixation, &THole::GetIsFixation},
    {16020, haClosed, &THole::GetIsCartridge},
    {16030, haMounting, &THole::GetIsMounting},
    {16090, haStandardHole, &THole::GetIsStandardHole},
    {16100, haDummyHole, &THole::GetIsDummyHole},
    {16120, haExportDummyHole, &THole::GetIsExportDummyHole},
    {16110, haGroupLocked, &THole::GetIsGroupLocked},
    {16040, haAngled, &THole::GetIsAngled},
    {16042, haThroughMountingHole, &THole::GetIsThroughMounting},
    {16050, haMeasure, &THole::GetIsMeasure},
    {16060, haAssembly, &THole::GetIsAssembly},
    {16070, haConnect, &THole::GetIsConnect},
    {16080, haThrough, &THole::GetIsThrough},
    {16122, haAlwaysMeasure, &THole::GetIsAlwaysDim},
    {16124, haNeverMeasure, &THole::GetIsNeverDim},
    {16128, haDoNotChangeForFEM, &THole::GetIsDoNotChangeForFEM},
    {16126, haExportThisPlug, &THole::GetIsExportThisPlug},
};

// The document of a file with one hole record holding a plain step and what
// body writes, flattened. Every such file has the same time stamp.
TFlat FlatHoleRecord(const TBody& body, bool viewer)
{
    const auto r = test::LoadDesignAtFixedTime(
        [&](TQuorvaneFile& f) {
            f.WriteVar(10000);
            WritePlainStep(f, 10.0, 20.0);
            if (body) body(f);
            f.WriteVar(19999);
        },
        {.Viewer = viewer});
    EXPECT_TRUE(r.Messages.empty());
    return test::FlatDocument(*r.M);
}

} // namespace

// --------------------------------------------------------- the hole record

// Each row writes one field (or a few) into a hole record that otherwise
// holds only a step: the document may differ from that of the bare record in
// exactly the row's fields, in manifold and in viewer files alike.
TEST(HoleRecord, EveryTagReachesItsField)
{
    const std::string h = "FHoleList[0].";
    std::vector<test::TFieldRow> rows = {
        {"7010", Text(7010, "Cavity"), {{h + "FData.Properties.Title", "Cavity"}}},
        {"7020", Text(7020, "cav.bmp"), {{h + "FData.Properties.Bitmap", "cav.bmp"}}},
        {"7030", Text(7030, "Two-way cavity"), {{h + "FData.Properties.Description", "Two-way cavity"}}},
        {"7040", Text(7040, "Cartridges"), {{h + "FData.Properties.Group", "Cartridges"}}},
        {"7050", Bool(7050, false), {{h + "FData.Properties.Use", "false"}}},
        {"7060", Text(7060, "lib.qlb"), {{h + "FData.Properties.LibraryFile", "lib.qlb"}}},
        {"10010", Int(10010, 12), {{h + "FData.HoleNumber", "12"}}},
        {"10010 repeated", Both(Int(10010, 1), Int(10010, 12)), {{h + "FData.HoleNumber", "12"}}},
        {"10100", Int(10100, 3), {{h + "FData.PatternHandle", "3"}}},
        {"10110", Int(10110, 0), {{h + "FData.PatternHoleNumber", "0"}}},
        {"10200", Int(10200, 4), {{h + "FData.FaceNumber", "4"}}},
        {"10211", Dbl(10211, 25.5), {{h + "FData.XXY", "25.5"}}},
        {"10212", Dbl(10212, 40.25), {{h + "FData.YZZ", "40.25"}}},
        {"10220", Int(10220, 2), {{h + "FData.Dashed", "2"}}},
        {"10222", Bool(10222, true), {{h + "FData.DashedLocked", "true"}}},
        {"10230", Dbl(10230, 30.0), {{h + "FData.HoleContour", "30"}}},
        {"10232", Dbl(10232, 9.5), {{h + "FData.OriginalDiameter", "9.5"}}},
        {"10240", Dbl(10240, 15.0), {{h + "FData.AngleValue", "15"}}},
        {"10250", Dbl(10250, 45.0), {{h + "FData.AngleRotation", "45"}}},
        {"10260", Int(10260, 90), {{h + "FData.RemarkRotation", "90"}}},
        // The design program's selection state: the viewer passes over it.
        {"10270", Int(10270, 2), {}},
        {"10272", Int(10272, 6), {{h + "FData.ToDoTag", "6"}}},
        {"10274", Text(10274, "34"), {{h + "FData.AllowedFaces", "34"}}},
        {"10276", Text(10276, "B"), {{h + "FData.HoleRevision", "B"}}},
        {"10278", Int(10278, 77), {{h + "FData.PelomyraHandle", "77"}}},
        {"10280", Dbl(10280, 1.5), {{h + "FData.StartDepth", "1.5"}}},
        {"10290", Dbl(10290, 8.0), {{h + "FData.MinLS", "8"}}},
        {"10300", Bool(10300, true), {{h + "FData.OverrideStandardHoleNumberPosition", "true"}}},
        {"10310", Dbl(10310, -2.0), {{h + "FData.HoleNumberPositionOffset.X", "-2"}}},
        {"10312", Dbl(10312, 3.0), {{h + "FData.HoleNumberPositionOffset.Y", "3"}}},
        {"10314", Bool(10314, true), {{h + "FData.HideFace", "true"}}},
        {"10316", Bool(10316, true), {{h + "FData.HideCoordinates", "true"}}},
        {"10320", Text(10320, "deburr"), {{h + "fComments[0]", "deburr"}, {h + "fComments.Count", "1"}}},
        {"10322", Text(10322, "Feature"), {{h + "FData.FeatureName", "Feature"}}},
        {"10324", Text(10324, "sheet.pdf"), {{h + "FData.DataSheet", "sheet.pdf"}}},
        {"10326", Int(10326, 5), {{h + "FData.AutoMountingHoleTag", "5"}}},
        // Texts are stored in Windows-1252: an a umlaut.
        {"10328", Text(10328, "C:\\parts\\v\xE4lve.stp"),
         {{h + "FData.ExternalFile", "C:\\parts\\v\u00E4lve.stp"}}},
        {"10330", Dbl(10330, 2.5), {{h + "FData.ExternalFileScale", "2.5"}}},
        {"10340", Dbl(10340, 180.0), {{h + "FData.ExternalFileRotation", "180"}}},
        {"attribute byte 2", Byte(16020, 2), {{h + "FData.Attribute", "haClosed"}}},
        {"attribute False", Bool(16000, false), {}},
        // A tag in the range of the attributes that names none.
        {"16005", Bool(16005, true), {}},
        {"unknown 10999", Text(10999, "a field of a newer version"), {}},
    };
    for (const auto& a : kAttributes)
        rows.push_back(
            {std::to_string(a.Tag), Bool(uint16_t(a.Tag), true), {{h + "FData.Attribute", test::EnumText(a.Member)}}});
    test::ExpectEachRowSetsItsFields(rows, FlatHoleRecord);
}

TEST(HoleRecord, AbsentFieldsKeepTheirDefaults)
{
    const auto r = test::LoadDesign("hole-min.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(10000);
        WritePlainStep(f, 10.0, 20.0);
        f.WriteVar(19999);
    });
    ASSERT_EQ(r.M->HoleList().Count(), 1);
    const THoleData& d = r.M->HoleList().First()->FData;
    EXPECT_EQ(d.HoleNumber, 0);
    EXPECT_EQ(d.PatternHandle, -1);
    EXPECT_EQ(d.PatternHoleNumber, -1);
    EXPECT_EQ(d.PelomyraHandle, -1);
    EXPECT_EQ(d.ExternalFileScale, 1.0);
    EXPECT_TRUE(d.Properties.Use);
    EXPECT_TRUE(d.Attribute.Empty());
    EXPECT_TRUE(r.M->HoleList().First()->fComments.empty());
}

TEST(HoleRecord, AttributeTagsAndQueries)
{
    const auto& rows = kAttributes;
    const int n = int(std::size(rows));
    ASSERT_EQ(n, EnumCount<THoleAttribute>());
    // Hole i has only the tag of row i set True; the last hole has every
    // attribute tag False and a tag of the attribute range that names no
    // attribute.
    const auto r = test::LoadDesign("hole-attributes.mnf", [&](TQuorvaneFile& f) {
        for (int i = 0; i < n; ++i)
            test::WriteSimpleHole(f, i + 1, [&](TQuorvaneFile& g) { g.WriteBoolean(uint16_t(rows[i].Tag), true); });
        test::WriteSimpleHole(f, n + 1, [&](TQuorvaneFile& g) {
            for (const auto& row : rows) g.WriteBoolean(uint16_t(row.Tag), false);
            g.WriteBoolean(16005, true);
        });
    });
    ASSERT_EQ(r.M->HoleList().Count(), n + 1);
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(rows[i].Tag);
        EXPECT_EQ(int(rows[i].Member), i); // ordinal order of the table
        EXPECT_EQ(HoleAttributeTag(rows[i].Member), rows[i].Tag);
        const THole& h = *r.M->HoleList().GetHoles(i);
        EXPECT_EQ(h.FData.Attribute.Value, 1u << i);
        for (int j = 0; j < n; ++j) EXPECT_EQ((h.*rows[j].Query)(), i == j) << "query of tag " << rows[j].Tag;
    }
    EXPECT_TRUE(r.M->HoleList().GetHoles(n)->FData.Attribute.Empty());
}

TEST(HoleRecord, CommentsInFileOrderAndSelectionTagSkipped)
{
    const auto r = test::LoadDesign("hole-comments.mnf", [](TQuorvaneFile& f) {
        test::WriteSimpleHole(f, 3, [](TQuorvaneFile& g) {
            g.WriteString(10320, "first");
            g.WriteInteger(10270, 2); // selection state of the design program
            g.WriteString(10320, "second");
            g.WriteString(10320, "third");
            g.WriteInteger(10200, 5);
        });
    });
    ASSERT_EQ(r.M->HoleList().Count(), 1);
    const THole& h = *r.M->HoleList().First();
    EXPECT_EQ(h.fComments, (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_EQ(h.FData.SelectedMode, 0);
    EXPECT_FALSE(h.GetSelected());
    EXPECT_EQ(h.FData.FaceNumber, 5); // reading went on after the skipped tag
}

TEST(HoleRecord, UnknownNestedRecordIsSkippedFieldByField)
{
    const auto r = test::LoadDesign("hole-unknown-nested.mnf", [](TQuorvaneFile& f) {
        test::WriteSimpleHole(f, 8, [](TQuorvaneFile& g) {
            g.WriteVar(45000);
            g.WriteDouble(45010, 1.0);
            g.WriteString(45020, "inside");
            g.WriteVar(45999);
            g.WriteDouble(10211, 17.0);
        });
    });
    EXPECT_TRUE(r.Messages.empty());
    ASSERT_EQ(r.M->HoleList().Count(), 1);
    EXPECT_EQ(r.M->HoleList().First()->FData.XXY, 17.0);
    EXPECT_EQ(r.M->HoleList().First()->FStepList.Count(), 1);
}

TEST(HoleRecord, OwnedRecordsAreCountedAndPassedOverWhole)
{
    // Contours, extra diameters, valves, notes and hole texts belong to the
    // hole; none of their fields may change the hole's own data.
    const auto r = test::LoadDesign("hole-owned.mnf", [](TQuorvaneFile& f) {
        test::WriteSimpleHole(f, 1, [](TQuorvaneFile& g) {
            for (int i = 0; i < 2; ++i) {
                g.WriteVar(6000);
                g.WriteDouble(6011, 1.0 + i);
                g.WriteDouble(6012, 2.0);
                g.WriteVar(6999);
            }
            g.WriteVar(28000);
            g.WriteDouble(28010, 16.0);
            g.WriteVar(28999);
            g.WriteVar(30000);
            g.WriteInteger(30010, 1);
            g.WriteInteger(10010, 99); // a valve field the hole must not see
            g.WriteVar(39999);
            g.WriteVar(32300);
            g.WriteString(32320, "deburr");
            g.WriteVar(32399);
            for (int i = 0; i < 2; ++i) {
                g.WriteVar(34000);
                g.WriteString(34050, "P");
                g.WriteVar(34999);
            }
        });
        test::WriteSimpleHole(f, 2);
    });
    EXPECT_TRUE(r.Messages.empty());
    ASSERT_EQ(r.M->HoleList().Count(), 2);
    const THole& h = *r.M->HoleList().First();
    EXPECT_EQ(h.FData.HoleNumber, 1);
    EXPECT_EQ(h.FStepList.Count(), 1);
    EXPECT_EQ(h.FContourList.Count(), 2);
    EXPECT_EQ(h.fExtraDiameterList.Count(), 1);
    EXPECT_EQ(h.FValveList.Count(), 1);
    EXPECT_EQ(h.fHoleTextList.Count(), 2);
    EXPECT_EQ(r.M->HoleList().GetHoleTextCount(), 1);
    EXPECT_EQ(r.M->HoleList().GetHoles(1)->FData.HoleNumber, 2);
}

TEST(HoleRecord, HoleWithoutStepsGetsAnErrorStep)
{
    const auto r = test::LoadDesign("hole-nosteps.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(10000);
        f.WriteInteger(10010, 7);
        f.WriteVar(19999);
        test::WriteSimpleHole(f, 8);
    });
    ASSERT_EQ(r.Messages.size(), 1u);
    EXPECT_EQ(r.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(r.Messages[0].Text,
              "Error in hole 7: No diameters found!\rA diameter is added, this hole should be changed.");
    ASSERT_EQ(r.M->HoleList().Count(), 2); // loading went on
    const TStepList& steps = r.M->HoleList().First()->FStepList;
    ASSERT_EQ(steps.Count(), 1);
    const TStepData& d = steps.First()->FData;
    EXPECT_EQ(d.Remark, "ERROR!");
    EXPECT_EQ(d.TopAngle, 120);
    EXPECT_EQ(d.Diameter, 0.0);
    EXPECT_EQ(d.Depth, 0.0);
    EXPECT_EQ(d.StepNumber, 0);
    EXPECT_EQ(d.PortName, "<>");
    EXPECT_TRUE(d.Attribute.Empty());
    EXPECT_EQ(r.M->HoleList().GetHoles(1)->FStepList.Count(), 1);
    EXPECT_EQ(r.M->HoleList().GetHoles(1)->FStepList.First()->FData.Remark, "");
}

TEST(HoleRecord, HolesStayInFileOrder)
{
    const auto r = test::LoadDesign("hole-order.mnf", [](TQuorvaneFile& f) {
        test::WriteSimpleHole(f, 5);
        test::WriteSimpleHole(f, 2);
        test::WriteSimpleHole(f, 5);
    });
    ASSERT_EQ(r.M->HoleList().Count(), 3);
    EXPECT_EQ(r.M->HoleList().GetFirst()->FData.HoleNumber, 5);
    EXPECT_EQ(r.M->HoleList().GetHoles(1)->FData.HoleNumber, 2);
    EXPECT_EQ(r.M->HoleList().IndexOf(2), 1);
    EXPECT_EQ(r.M->HoleList().IndexOf(5), 0); // the first of two with that number
    EXPECT_EQ(r.M->HoleList().IndexOf(9), -1);
    EXPECT_EQ(r.M->HoleList().IndexOf(r.M->HoleList().GetLast()), 2);
}

// ------------------------------------------------------- copies of a hole

TEST(Hole, AssignAndCloneCopyDeeply)
{
    THole a;
    a.FData.HoleNumber = 4;
    a.FData.Properties.Title = "Port P";
    a.FData.Attribute.Include(haPlugged);
    a.FStepList.Add()->FData.Diameter = 6.0;
    a.FStepList.Add()->FData.Diameter = 10.0;
    a.FValveList.Add();
    a.fComments = {"one", "two"};

    THole b;
    b.FStepList.Add()->FData.Diameter = 99.0;
    b.fComments = {"old"};
    b.Assign(a);
    const auto c = a.Clone();
    for (const THole* copy : {&b, c.get()}) {
        EXPECT_EQ(copy->FData.HoleNumber, 4);
        EXPECT_EQ(copy->FData.Properties.Title, "Port P");
        EXPECT_TRUE(copy->GetIsPlugged());
        ASSERT_EQ(copy->FStepList.Count(), 2);
        EXPECT_NE(copy->FStepList.First(), a.FStepList.First());
        EXPECT_EQ(copy->FStepList.Items(1)->FData.Diameter, 10.0);
        EXPECT_EQ(copy->FValveList.Count(), 1);
        EXPECT_EQ(copy->fComments, a.fComments);
    }
    a.FStepList.First()->FData.Diameter = 1.0;
    a.fComments.push_back("three");
    EXPECT_EQ(b.FStepList.First()->FData.Diameter, 6.0);
    EXPECT_EQ(c->FStepList.First()->FData.Diameter, 6.0);
    EXPECT_EQ(c->fComments.size(), 2u);

    b.Assign(b); // assigning itself keeps everything
    EXPECT_EQ(b.FStepList.Count(), 2);
}

TEST(HoleList, AssignAndAppendCopyEveryHole)
{
    THoleList a;
    a.Add()->FData.HoleNumber = 1;
    a.Add()->FData.HoleNumber = 2;
    a.GetFirst()->FStepList.Add()->FData.Depth = 12.0;
    THoleList b;
    b.Add()->FData.HoleNumber = 9;
    b.Assign(a);
    ASSERT_EQ(b.Count(), 2);
    EXPECT_EQ(b.GetFirst()->FData.HoleNumber, 1);
    EXPECT_NE(b.GetFirst(), a.GetFirst());
    b.Append(a);
    ASSERT_EQ(b.Count(), 4);
    EXPECT_EQ(b.GetHoles(2)->FStepList.First()->FData.Depth, 12.0);
    a.GetFirst()->FStepList.First()->FData.Depth = 1.0;
    EXPECT_EQ(b.GetHoles(2)->FStepList.First()->FData.Depth, 12.0);
}

// ------------------------------------------------------ hole queries

TEST(Hole, SelectionModes)
{
    enum Call { Selected, FirstSelected };
    struct Row { int8_t before; Call call; bool value; int8_t after; };
    const Row rows[] = {
        {0, Selected, true, 1},  {0, Selected, false, 0},     {1, Selected, true, 1},
        {2, Selected, true, 2}, // already selected: keeps being the first
        {2, Selected, false, 0}, {1, Selected, false, 0},     {0, FirstSelected, true, 2},
        {1, FirstSelected, true, 2}, {2, FirstSelected, false, 1}, {0, FirstSelected, false, 1},
    };
    for (const Row& r : rows) {
        THole h;
        h.FData.SelectedMode = r.before;
        if (r.call == Selected)
            h.SetSelected(r.value);
        else
            h.SetFirstSelected(r.value);
        EXPECT_EQ(h.FData.SelectedMode, r.after) << int(r.before) << " " << r.call << " " << r.value;
        EXPECT_EQ(h.GetSelected(), r.after > 0);
        EXPECT_EQ(h.GetFirstSelected(), r.after == 2);
    }
}

TEST(Hole, PatternQueries)
{
    struct Row { int handle, number; bool patternHole, start; };
    const Row rows[] = {{-1, -1, false, false}, {3, 0, true, true}, {3, 2, true, false}, {-1, 0, false, false},
                        {0, 0, true, true}};
    for (const Row& r : rows) {
        THole h;
        h.FData.PatternHandle = r.handle;
        h.FData.PatternHoleNumber = r.number;
        EXPECT_EQ(h.GetIsPatternHole(), r.patternHole) << r.handle << " " << r.number;
        EXPECT_EQ(h.GetPatternStart(), r.start) << r.handle << " " << r.number;
    }
}

TEST(Hole, PortNameIsTheNameInTheRemarkOfTheDeepestStep)
{
    struct Row { std::string remark; bool cartridge; std::string name; };
    const Row rows[] = {
        {R"("P1" pressure)", false, R"("P1")"},
        {"'A  ' tank", false, "A"}, // trailing blanks removed
        {"no name", false, ""},
        {R"("P1" pressure)", true, ""}, // a cartridge cavity has ports instead
    };
    for (const Row& r : rows) {
        THole h;
        h.FStepList.Add()->FData.Remark = r.remark;
        h.FStepList.Add()->FData.Remark = "'upper'";
        if (r.cartridge) h.FData.Attribute.Include(haClosed);
        EXPECT_EQ(h.GetPortName(), r.name) << r.remark;
    }
    EXPECT_EQ(THole().GetPortName(), "");
}

TEST(Hole, HoleNumberString)
{
    THole h;
    h.FData.HoleNumber = -12;
    EXPECT_EQ(h.GetHoleNumberString(), "-12");
}

// ------------------------------------------------------ face coordinates

TEST(HoleFace, AxesAndCoordinatesPerFace)
{
    // XXY = 11, YZZ = 22 on every face; 0 where the face has no such axis.
    struct Row { int face; bool hasX, hasY, hasZ; double x, y, z; };
    const Row rows[] = {
        {0, false, false, false, 0, 0, 0},   {1, true, true, false, 11, 22, 0}, {2, true, false, true, 11, 0, 22},
        {3, false, true, true, 0, 11, 22},   {4, false, true, true, 0, 11, 22}, {5, true, false, true, 11, 0, 22},
        {6, true, true, false, 11, 22, 0},   {7, false, false, false, 0, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.face);
        THole h;
        h.FData.FaceNumber = r.face;
        h.FData.XXY = 11;
        h.FData.YZZ = 22;
        EXPECT_EQ(h.GetHasX(), r.hasX);
        EXPECT_EQ(h.GetHasY(), r.hasY);
        EXPECT_EQ(h.GetHasZ(), r.hasZ);
        EXPECT_EQ(h.GetXCoordinate(), r.x);
        EXPECT_EQ(h.GetYCoordinate(), r.y);
        EXPECT_EQ(h.GetZCoordinate(), r.z);

        // Writing an axis goes to the field that holds it, or nowhere.
        THole w;
        w.FData.FaceNumber = r.face;
        w.SetXCoordinate(1);
        w.SetYCoordinate(2);
        w.SetZCoordinate(3);
        EXPECT_EQ(w.GetXCoordinate(), r.hasX ? 1 : 0);
        EXPECT_EQ(w.GetYCoordinate(), r.hasY ? 2 : 0);
        EXPECT_EQ(w.GetZCoordinate(), r.hasZ ? 3 : 0);
        if (!r.hasX && !r.hasY && !r.hasZ) {
            EXPECT_EQ(w.FData.XXY, 0.0);
            EXPECT_EQ(w.FData.YZZ, 0.0);
        }
    }
}

TEST(HoleFace, DistancesAlongSharedAxes)
{
    auto hole = [](int face, double xxy, double yzz) {
        auto h = std::make_unique<THole>();
        h->FData.FaceNumber = face;
        h->FData.XXY = xxy;
        h->FData.YZZ = yzz;
        return h;
    };
    const auto top = hole(1, 10, 20);    // X 10, Y 20
    const auto bottom = hole(6, 13, 25); // X 13, Y 25
    const auto side = hole(3, 7, 9);     // Y 7, Z 9
    const auto front = hole(2, 4, 4);    // X 4, Z 4
    const auto none = hole(0, 10, 20);
    struct Row { const THole* a; const THole* b; double x, y, z; };
    const Row rows[] = {
        {top.get(), bottom.get(), 3, 5, 1.0E12},
        {side.get(), top.get(), 1.0E12, 13, 1.0E12},
        {side.get(), front.get(), 1.0E12, 1.0E12, 5},
        {none.get(), none.get(), 1.0E12, 1.0E12, 1.0E12},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.a->FData.FaceNumber << " to " << r.b->FData.FaceNumber);
        EXPECT_EQ(r.a->XDistance(*r.b), r.x);
        EXPECT_EQ(r.a->YDistance(*r.b), r.y);
        EXPECT_EQ(r.a->ZDistance(*r.b), r.z);
        EXPECT_EQ(r.b->XDistance(*r.a), r.x);
    }
}

TEST(HoleFace, SameAndOppositeFaces)
{
    struct Row { int a, b; bool same, opposite; };
    const Row rows[] = {{1, 6, false, true}, {2, 5, false, true}, {3, 4, false, true},
                        {3, 3, true, false}, {1, 2, false, false}, {4, 5, false, false}};
    for (const Row& r : rows) {
        THole a, b;
        a.FData.FaceNumber = r.a;
        b.FData.FaceNumber = r.b;
        EXPECT_EQ(a.SameFaceOf(b), r.same) << r.a << " " << r.b;
        EXPECT_EQ(a.OppositeFaceOf(b), r.opposite) << r.a << " " << r.b;
        EXPECT_EQ(a.SameOrOppositeFaceOf(b), r.same || r.opposite) << r.a << " " << r.b;
    }
}

TEST(HoleFace, AllowedFaces)
{
    struct Row { std::string allowed; int face; int asked; bool result; };
    const Row rows[] = {
        {"", 3, 5, true}, {"", 3, -1, true}, // empty: every face
        {"16", 3, 1, true}, {"16", 3, 6, true}, {"16", 3, 3, false},
        {"16", 6, -1, true}, {"16", 3, -1, false}, // -1 asks for the hole's own face
    };
    for (const Row& r : rows) {
        THole h;
        h.FData.AllowedFaces = r.allowed;
        h.FData.FaceNumber = r.face;
        EXPECT_EQ(h.FaceIsAllowed(r.asked), r.result) << "[" << r.allowed << "] " << r.face << " " << r.asked;
    }
}

TEST(Hole, ApparentAnglesOfATiltedAxis)
{
    struct Row { bool angled; double value, rotation, x, y; };
    const Row rows[] = {
        {false, 30, 45, 0, 0}, // not an angled hole: the angle fields do not count
        {true, 30, 0, 30, 0},
        {true, 30, 90, 0, 30},
        {true, 30, 180, -30, 0},
        {true, 45, 60, 26.56505117707799, 40.893394649130904},
    };
    for (const Row& r : rows) {
        THole h;
        if (r.angled) h.FData.Attribute.Include(haAngled);
        h.FData.AngleValue = r.value;
        h.FData.AngleRotation = r.rotation;
        EXPECT_NEAR(h.GetApparentAngleX(), r.x, 1e-12) << r.value << " " << r.rotation;
        EXPECT_NEAR(h.GetApparentAngleY(), r.y, 1e-12) << r.value << " " << r.rotation;
    }
}

// ------------------------------------------------------- the hole list

namespace {

// A list of holes named by their title; a leading '*' marks a dummy hole.
void FillNamed(THoleList& list, const std::vector<std::string>& names)
{
    list.Clear();
    for (const std::string& n : names) {
        THole* h = list.Add();
        h->FData.Properties.Title = n;
        h->FData.HoleNumber = 50;
        if (n[0] == '*') h->FData.Attribute.Include(haDummyHole);
        h->FStepList.Add();
        h->FStepList.Add();
    }
}

std::vector<std::string> Names(const THoleList& list)
{
    std::vector<std::string> r;
    for (const auto& h : list) r.push_back(h->FData.Properties.Title);
    return r;
}

} // namespace

TEST(HoleList, RenumberPutsDummyHolesLast)
{
    struct Row { std::vector<std::string> before, after; };
    const Row rows[] = {
        {{"*d1", "A", "*d2", "B"}, {"A", "B", "*d1", "*d2"}},
        {{"*d1", "*d2", "A"}, {"A", "*d1", "*d2"}},
        {{"*d1", "*d2", "*d3"}, {"*d1", "*d2", "*d3"}},
        {{"A", "B", "C"}, {"A", "B", "C"}},
        {{"*d1", "A"}, {"*d1", "A"}}, // one or two holes never move
        {{"*d1"}, {"*d1"}},
    };
    for (const Row& r : rows) {
        THoleList l;
        FillNamed(l, r.before);
        EXPECT_TRUE(l.Renumber());
        EXPECT_EQ(Names(l), r.after);
        for (int i = 0; i < l.Count(); ++i) {
            EXPECT_EQ(l.GetHoles(i)->FData.HoleNumber, i + 1);
            EXPECT_EQ(l.GetHoles(i)->FStepList.Items(1)->FData.StepNumber, 2);
        }
        EXPECT_FALSE(l.Renumber()); // nothing left to change
    }
}

TEST(HoleList, RenumberReportsChangedStepNumbersAlone)
{
    THoleList l;
    FillNamed(l, {"A"});
    l.GetFirst()->FData.HoleNumber = 1;
    EXPECT_TRUE(l.Renumber()); // only the steps changed
    EXPECT_FALSE(l.Renumber());
}

TEST(HoleList, NextPatternHandleAndHoleNumber)
{
    THoleList l;
    EXPECT_EQ(l.NextPatternHandle(), 0);
    EXPECT_EQ(l.GetNextHoleNumber(), 1);
    l.Add();
    l.Add();
    EXPECT_EQ(l.NextPatternHandle(), 0); // no pattern anywhere
    l.GetFirst()->FData.PatternHandle = 4;
    l.GetLast()->FData.PatternHandle = 1;
    EXPECT_EQ(l.NextPatternHandle(), 5);

    l.GetFirst()->FData.HoleNumber = -5;
    EXPECT_EQ(l.GetNextHoleNumber(), 1);
    l.GetLast()->FData.HoleNumber = 7;
    EXPECT_EQ(l.GetNextHoleNumber(), 8);
}

TEST(HoleList, GroupUsedFoldsLetterCaseLikeTheGroupList)
{
    THoleList l;
    EXPECT_FALSE(l.GroupsUsed());
    l.Add()->FStepList.Add();
    THole* h = l.Add();
    h->FStepList.Add();
    h->FStepList.Add()->FData.GroupCode = "A1";
    h->FStepList.Add()->FData.GroupCode = "\u00C4"; // A umlaut
    EXPECT_TRUE(l.GroupsUsed());
    struct Row { std::string code; bool used; };
    // Non-ASCII letters fold too, as TGroupList::IndexOf folds them.
    const Row rows[] = {{"A1", true}, {"a1", true}, {"A2", false}, {"\u00E4", true}, {"\u00C4", true}, {"AE", false}};
    for (const Row& r : rows) EXPECT_EQ(l.GroupUsed(r.code), r.used) << r.code;
}

TEST(HoleList, CountsPerFaceAndOfHolesWithTexts)
{
    THoleList l;
    for (int face : {1, 3, 1, 6}) l.Add()->FData.FaceNumber = face;
    EXPECT_EQ(l.HolesInFaceCount(1), 2);
    EXPECT_EQ(l.HolesInFaceCount(3), 1);
    EXPECT_EQ(l.HolesInFaceCount(2), 0);
    EXPECT_EQ(l.GetHoleTextCount(), 0);
    l.GetHoles(1)->fHoleTextList.Add();
    l.GetHoles(1)->fHoleTextList.Add();
    l.GetHoles(3)->fHoleTextList.Add();
    EXPECT_EQ(l.GetHoleTextCount(), 2);
}
