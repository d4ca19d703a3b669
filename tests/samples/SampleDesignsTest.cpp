// The sample designs: the committed demo files stay what the generator
// writes, load cleanly, and describe bores that make sense; generated designs
// load back completely, and the viewer variant keeps every hole and step
// value that viewer files carry.
#include "testkit/SampleDesigns.h"

#include "core/Messages.h"
#include "document/Manifolds.h"
#include "model/HoleLists.h"
#include "model/StepLists.h"
#include "stream/QuorvaneFiles.h"
#include "testkit/Flatten.h"
#include "testkit/LoadedDesign.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace qv {
namespace {

using test::ReadBytes;
using test::TempPath;

std::string SamplePath(const std::string& name) { return std::string(QV_SOURCE_DIR) + "/samples/" + name; }

using test::Flat;
using test::TFlat;

struct Loaded {
    TManifold M;
    bool Ok = false;
    std::vector<std::string> Messages;
};

void Load(const std::string& path, bool viewer, Loaded& l)
{
    TMessageCollector messages;
    l.Ok = viewer ? l.M.LoadFromViewerFile(path) : l.M.LoadFromFile(path);
    l.Messages = messages.Texts();
}

// Viewer files leave out the catalogue texts of a hole and the drawing-list
// values of a step; everything else must come through unchanged.
const std::set<std::string> kHoleFieldsNotInViewer = {".Properties.Title", ".Properties.Bitmap",
                                                      ".Properties.Description", ".Properties.Group",
                                                      ".Properties.Use"};
const std::set<std::string> kStepFieldsNotInViewer = {".FData.MachineCode", ".FData.ToleranceDiameter",
                                                      ".FData.ToleranceDepth", ".FData.PortName"};

TFlat Without(TFlat f, const std::set<std::string>& keys, const TFlat& defaults)
{
    for (const auto& k : keys) f[k] = defaults.at(k);
    return f;
}

// Every hole and step of the viewer load equals the manifold load once the
// fields viewer files do not carry are set to their defaults.
void ExpectViewerCarriesHolesAndSteps(const TManifold& full, const TManifold& viewer)
{
    const TFlat holeDefaults = Flat(THoleData{});
    const TFlat stepDefaults = Flat(TStep{});
    ASSERT_EQ(full.HoleList().Count(), viewer.HoleList().Count());
    for (int i = 0; i < full.HoleList().Count(); ++i) {
        const THole& a = *full.HoleList().Items(i);
        const THole& b = *viewer.HoleList().Items(i);
        EXPECT_EQ(Without(Flat(a.FData), kHoleFieldsNotInViewer, holeDefaults), Flat(b.FData)) << "hole " << i + 1;
        EXPECT_EQ(a.fComments, b.fComments) << "hole " << i + 1;
        ASSERT_EQ(a.FStepList.Count(), b.FStepList.Count()) << "hole " << i + 1;
        for (int j = 0; j < a.FStepList.Count(); ++j)
            EXPECT_EQ(Without(Flat(*a.FStepList.Items(j)), kStepFieldsNotInViewer, stepDefaults),
                      Flat(*b.FStepList.Items(j)))
                << "hole " << i + 1 << " step " << j + 1;
    }
}

// --------------------------------------------------------- committed demo

TEST(DemoSample, CommittedFilesAreWhatTheGeneratorWrites)
{
    for (bool viewer : {false, true}) {
        const std::string name = viewer ? "demo.mvf" : "demo.mnf";
        const std::string fresh = TempPath("fresh-" + name);
        samples::WriteDemoDesign(fresh, viewer);
        const std::string committed = ReadBytes(SamplePath(name));
        ASSERT_FALSE(committed.empty()) << "samples/" << name << " is missing";
        EXPECT_TRUE(committed == ReadBytes(fresh))
            << "samples/" << name << " is stale: regenerate it with mnf-samplegen "
            << (viewer ? "--demo-viewer samples/demo.mvf" : "--demo samples/demo.mnf");
    }
}

TEST(DemoSample, BothVariantsLoadCleanlyWithTheExpectedContent)
{
    for (bool viewer : {false, true}) {
        SCOPED_TRACE(viewer ? "demo.mvf" : "demo.mnf");
        Loaded l;
        Load(SamplePath(viewer ? "demo.mvf" : "demo.mnf"), viewer, l);
        ASSERT_TRUE(l.Ok);
        EXPECT_TRUE(l.Messages.empty()) << l.Messages.front();
        const TManifold& m = l.M;
        EXPECT_EQ(m.DimensionsToStr(), "160.00x120.00x90.00");
        EXPECT_TRUE(m.IsMM());
        EXPECT_TRUE(m.IsDepthToTip());
        // A viewer file carries the reduced manifold record only.
        if (viewer) {
            EXPECT_TRUE(m.DrawFlags().Empty());
            EXPECT_EQ(m.Material(), "");
        } else {
            EXPECT_EQ(m.Data().HoleListChangedDateTime, 45000.5);
            EXPECT_EQ(m.Material(), "S355J2");
            EXPECT_EQ(m.MassDensity(), 7850.0);
        }

        const THoleList& holes = m.HoleList();
        ASSERT_EQ(holes.Count(), 30);
        int cartridges = 0, angled = 0, plugged = 0, dummies = 0;
        std::set<int> faces;
        std::set<std::string> ports;
        for (const auto& h : holes) {
            cartridges += h->GetIsCartridge();
            angled += h->GetIsAngled();
            plugged += h->GetIsPlugged();
            dummies += h->GetIsDummyHole();
            faces.insert(h->FData.FaceNumber);
            if (!h->GetPortName().empty()) ports.insert(h->GetPortName());
        }
        EXPECT_EQ(cartridges, 3);
        EXPECT_EQ(angled, 1);
        EXPECT_EQ(plugged, 3);
        EXPECT_EQ(dummies, 1);
        EXPECT_TRUE(holes.GetLast()->GetIsDummyHole()); // kept last, as renumbering does
        EXPECT_EQ(faces, (std::set<int>{1, 2, 3, 4, 5, 6}));
        EXPECT_EQ(ports, (std::set<std::string>{"\"P\"", "\"T\"", "\"A\"", "\"B\"", "\"MP\"", "\"MA\"", "\"MB\"",
                                                "\"L\"", "\"P1\""}));
        for (const char* g : {"P", "T", "A", "B"}) EXPECT_TRUE(holes.GroupUsed(g)) << g;

        // The three-port cavities name their ports 1 (nose), 2 and 3.
        const THole& cv2 = *holes.Items(10);
        ASSERT_TRUE(cv2.GetIsCartridge());
        EXPECT_EQ(cv2.FStepList.GetPortCount(), 3);
        EXPECT_EQ(cv2.FStepList.Items(0)->ExtractRemarkCode(), "\"CV2\"");
        // The leakage port's remark survives the code page round trip.
        EXPECT_EQ(holes.Items(3)->FStepList.Items(0)->FData.Remark, "\"L\" leakage, drilled at 20.5\xC2\xB0 <>");
        // The face-seal port is a real O-ring groove.
        EXPECT_TRUE(holes.Items(22)->FStepList.ORingFound());
    }
}

// Every record kind the loader reads, by where it stands: a top-level record
// (parent 0) or a record nested in the record with the parent's start tag.
// A new record kind belongs here and in the demo design.
struct TRecordKind {
    uint16_t Parent, Start, End;
    const char* Name;
};
const TRecordKind kRecordKinds[] = {
    {0, 2000, 2999, "manifold record"},
    {0, 3000, 3999, "revision"},
    {0, 3400, 3499, "revision layout"},
    {3400, 3200, 3299, "revision layout column"},
    {0, 4000, 4999, "project"},
    {0, 4500, 4799, "to-do list"},
    {4500, 10000, 19999, "to-do hole"},
    {0, 5000, 5999, "group"},
    {0, 8000, 8999, "session"},
    {0, 9000, 9199, "assembly"},
    {9000, 9300, 9399, "alternate valve"},
    {9300, 30000, 39999, "valve of an alternate valve"},
    {0, 9400, 9499, "cross"},
    {0, 9600, 9699, "checkers"},
    {9600, 9500, 9599, "checker"},
    {0, 10000, 19999, "hole"},
    {10000, 6000, 6999, "contour"},
    {10000, 20000, 29999, "step"},
    {10000, 28000, 28999, "extra diameter"},
    {10000, 30000, 39999, "valve"},
    {10000, 32300, 32399, "manufacturing note"},
    {10000, 34000, 34999, "hole text of a hole"},
    {0, 13000, 13999, "calculation settings"},
    {13000, 12000, 12999, "wall thickness range"},
    {0, 14000, 14299, "mounting hole definition"},
    {0, 32000, 32999, "cut-out"},
    {0, 34000, 34999, "hole text"},
    {0, 41000, 41999, "bill of materials"},
    {41000, 40000, 40999, "bill of materials line"},
    {0, 43000, 43999, "layout"},
    {43000, 44000, 44999, "attribute"},
    {43000, 45000, 45999, "text block"},
    {43000, 46000, 46999, "insert block"},
    {0, 50000, 59999, "plot settings"},
    {50000, 60100, 60199, "comment file"},
    {50000, 61100, 61299, "drilling-list settings"},
    {61100, 61300, 61399, "drilling-list column"},
    {50000, 61400, 61499, "information table"},
    {61400, 61500, 61599, "information-table column"},
    {61400, 61600, 61699, "information-table section"},
};

TEST(DemoSample, HoldsEveryRecordKindTheLoaderKnows)
{
    // Walk the field headers of the demo manifold file as the readers nest
    // them, and note each record kind met in its place.
    const auto f = TQuorvaneFile::FromMemory(ReadBytes(SamplePath("demo.mnf")), false);
    f->ReadFileVersion();
    std::vector<const TRecordKind*> open;
    std::set<const TRecordKind*> seen;
    TVarInfo v;
    for (;;) {
        f->ReadVarInfo(v);
        ASSERT_FALSE(f->HitEnd()) << "the demo file ends inside a record";
        if (open.empty() && v.VarName == 1999) break;
        if (!open.empty() && v.VarName == open.back()->End) {
            open.pop_back();
            continue;
        }
        const uint16_t parent = open.empty() ? 0 : open.back()->Start;
        const TRecordKind* kind = nullptr;
        for (const auto& k : kRecordKinds)
            if (k.Parent == parent && k.Start == v.VarName) kind = &k;
        if (kind) {
            open.push_back(kind);
            seen.insert(kind);
        } else {
            f->ReadUnknown(v.VarLength);
        }
    }
    for (const auto& k : kRecordKinds) EXPECT_TRUE(seen.count(&k)) << k.Name << " (" << k.Start << ")";
}

// The bores must make sense when they are drawn: each deeper step narrower,
// drill points of 120 degrees except flat spot faces, cylinders of positive
// length, threads and port zones inside their step's cylinder, and every
// hole inside the block.
TEST(DemoSample, EveryRecordKindArrivesWithItsContent)
{
    Loaded full;
    Load(SamplePath("demo.mnf"), false, full);
    ASSERT_TRUE(full.Ok);
    const TManifold& m = full.M;

    // Groups, with their colours ($00BBGGRR).
    ASSERT_EQ(m.FGroupList.Count(), 4);
    EXPECT_EQ(m.FGroupList.IndexOf("t"), 1);
    EXPECT_EQ(m.FGroupList.ColorOf("P", 0), 0x000000FF);

    // Valves, texts and notes of the relief valve's cavity.
    const THole* relief = nullptr;
    for (const auto& h : m.HoleList())
        if (h->FValveList.Count() > 0 && h->FValveList.First()->fData.ItemNumber == "10") relief = h;
    ASSERT_NE(relief, nullptr);
    EXPECT_EQ(relief->FContourList.Count(), 1);
    ASSERT_EQ(relief->fHoleTextList.Count(), 1);
    EXPECT_EQ(relief->fHoleTextList.First()->CreateCaptionList(), (std::vector<std::string>{"RELIEF", "210 bar"}));
    EXPECT_TRUE(relief->GetHasManufacturingNotes());
    EXPECT_EQ(relief->fManufacturingNote.fNotes.back(), "Cross holes \xC3\x98" "8 deburred.");
    std::vector<std::string> items;
    for (const auto& h : m.HoleList())
        for (const auto& v : h->FValveList.CreateListItemNumbers()) items.push_back(v);
    EXPECT_EQ(std::set<std::string>(items.begin(), items.end()), (std::set<std::string>{"10", "11", "12", "20"}));

    // Documentation records.
    ASSERT_EQ(m.FRevisionList.Count(), 2);
    EXPECT_EQ(m.FRevisionList.Last()->fData.Description, "Gauge ports MA and MB added");
    EXPECT_EQ(m.fRevisionLayoutList.First()->fColumnList.Count(), 4);
    EXPECT_EQ(m.fSessionList.Count(), 2);
    EXPECT_EQ(m.FProject.FData.ProjectNumber, "P-2023-017");
    EXPECT_EQ(m.FProject.fUserVarList.GetValueOf("Surface"), "anodised");
    EXPECT_EQ(m.fToDo.fHoleList.Count(), 1);
    ASSERT_EQ(m.fPlotSettings.Count(), 2);
    const TPlotSettings& production = *m.fPlotSettings.First();
    const TPlotSettings& assembly = *m.fPlotSettings.Last();
    EXPECT_EQ(production.FData.PlotMode, psmProduction);
    EXPECT_EQ(assembly.FData.PlotMode, psmAssembly);
    EXPECT_TRUE(production.FData.PlotFlags.Contains(pfDrillingList));
    // Comment files with their lines (the degree sign through the code page).
    ASSERT_EQ(production.fCommentFileList.Count(), 1);
    EXPECT_EQ(production.fCommentFileList.First()->fData.FileName, "General notes.txt");
    EXPECT_EQ(production.fCommentFileList.First()->fCommentLines.front(), "All sharp edges broken 0.2 x 45\xC2\xB0.");
    ASSERT_EQ(assembly.fCommentFileList.Count(), 1);
    EXPECT_EQ(assembly.fCommentFileList.First()->fCommentLines.size(), 2u);
    // The drilling list's columns in their order, the diameter under its sign.
    const auto& drill = production.fDrillingListDrawingSettings.fColumnList;
    ASSERT_EQ(drill.Count(), 8);
    EXPECT_EQ(drill.First()->fData.ColumnType, dldcolHoleNumber);
    EXPECT_EQ(drill.Items(4)->fData.ColumnType, dldcolDiameter);
    EXPECT_EQ(drill.Items(4)->fData.ColumnTitle, "\xC3\xB8");
    EXPECT_EQ(drill.Last()->fData.ColumnWidth, 40.0);
    EXPECT_EQ(assembly.fDrillingListDrawingSettings.fColumnList.Count(), 0);
    // Information tables: columns and sections.
    EXPECT_EQ(production.fInfoTable.fColumnList.Count(), 3);
    ASSERT_EQ(production.fInfoTable.fSectionList.Count(), 1);
    EXPECT_EQ(production.fInfoTable.fSectionList.First()->fData.SectionType, infotablesectionPorts);
    ASSERT_EQ(assembly.fInfoTable.fSectionList.Count(), 2);
    EXPECT_EQ(assembly.fInfoTable.fSectionList.Last()->fData.SectionTitle, "Plugs");
    ASSERT_EQ(assembly.fInfoTable.fColumnList.Count(), 3);
    EXPECT_EQ(assembly.fInfoTable.fColumnList.Items(1)->fData.ColumnTitle, "Description");
    ASSERT_EQ(m.fLayoutList.Count(), 1);
    EXPECT_EQ(m.fLayoutList.First()->fTextBlockList.First()->fTextList.size(), 2u);

    // Cut-outs: a chamfer and a step, both on the top face.
    ASSERT_EQ(m.fCutOutList.Count(), 2);
    EXPECT_TRUE(m.fCutOutList.First()->GetHasSimpleChamfer());
    EXPECT_FALSE(m.fCutOutList.Last()->fData.Through);

    // Checking, assembly and bill-of-materials records.
    ASSERT_EQ(m.fAssemblyList.Count(), 1);
    const TAlternateValve& alt = *m.fAssemblyList.First()->fAlternateValveList.First();
    EXPECT_EQ(alt.FData.HoleNumber, relief->FData.HoleNumber);
    EXPECT_EQ(alt.fValveList.First()->fData.ComponentType, "RV10-22A-420");
    EXPECT_EQ(m.fCrossList.Count(), 1);
    EXPECT_EQ(m.fCalculateSettingsNew.fWallThicknessRangeList.Count(), 1);
    EXPECT_EQ(m.fMountingHoleDefinitionList.Count(), 1);
    EXPECT_EQ(m.fCheckers.Count(), 2);
    EXPECT_EQ(m.fBillOfMaterials.fUsedColumns.Count(), 5);
    EXPECT_EQ(m.fBillOfMaterials.fUserBOMList.Count(), 1);

    // The viewer file carries only the records a viewer needs.
    Loaded viewer;
    Load(SamplePath("demo.mvf"), true, viewer);
    ASSERT_TRUE(viewer.Ok);
    const TManifold& v = viewer.M;
    EXPECT_EQ(v.FGroupList.Count(), 4);
    EXPECT_EQ(v.fCutOutList.Count(), 2);
    EXPECT_EQ(v.fCheckers.Count(), 2);
    EXPECT_EQ(v.fBillOfMaterials.fUserBOMList.Count(), 1);
    EXPECT_EQ(v.FRevisionList.Count(), 0);
    EXPECT_EQ(v.fPlotSettings.Count(), 0);
    EXPECT_EQ(v.fAssemblyList.Count(), 0);
}

TEST(DemoSample, BoresAreConsistent)
{
    // Checked on what the generator writes now, so that an edit of the demo
    // is caught before the committed files are regenerated.
    const std::string path = TempPath("bores.mnf");
    samples::WriteDemoDesign(path, false);
    Loaded l;
    Load(path, false, l);
    ASSERT_TRUE(l.Ok);
    const TManifold& m = l.M;
    for (const auto& hp : m.HoleList()) {
        const THole& h = *hp;
        const TStepList& s = h.FStepList;
        const int n = s.Count();
        SCOPED_TRACE("hole " + std::to_string(h.FData.HoleNumber));
        ASSERT_GT(n, 0);
        const bool groove = s.ORingFound();
        const int boreTop = groove ? n - 3 : n - 1; // the groove's two steps sit at depth 0
        for (int i = 0; i <= boreTop; ++i) {
            const TStep& st = *s.Items(i);
            SCOPED_TRACE("step " + std::to_string(i + 1));
            if (st.FData.TopAngle == 180)
                EXPECT_TRUE(st.GetIsSpotfaced());
            else
                EXPECT_EQ(st.FData.TopAngle, 120);
            EXPECT_GT(st.GetConeDepth(), 0.0);
            EXPECT_GT(s.GetCylinderHeight(i), 0.0);
            if (i > 0) {
                EXPECT_LT(s.Items(i - 1)->FData.Diameter, st.FData.Diameter);
                EXPECT_GT(s.Items(i - 1)->FData.Depth, st.FData.Depth);
            }
            if (st.GetIsThreaded()) {
                double reel = 0.0;
                const double end = s.ThreadFromTop(i, m.IsThreadFromTop(), reel);
                EXPECT_GT(reel, 0.0);
                EXPECT_LE(end, st.GetConeDepth());
                EXPECT_GT(st.FData.OutsideDiameter, st.FData.Diameter);
            }
            if (st.FData.PortMin != 0.0 || st.FData.PortMax != 0.0) {
                EXPECT_TRUE(h.GetIsCartridge());
                EXPECT_LE(s.GetCylinderStartDepth(i), st.FData.PortMin);
                EXPECT_LT(st.FData.PortMin, st.FData.PortMax);
                EXPECT_LE(st.FData.PortMax, st.GetConeDepth());
            }
        }
        // Inside the block: the footprint on the face and the deepest tip.
        const int face = h.FData.FaceNumber;
        const double r = 0.5 * s.GetMaxDiameter();
        const double spanA = (face == 3 || face == 4) ? m.YMax() : m.XMax();
        const double spanB = (face == 1 || face == 6) ? m.YMax() : m.ZMax();
        const double across = (face == 1 || face == 6) ? m.ZMax() : (face == 2 || face == 5) ? m.YMax() : m.XMax();
        EXPECT_LE(r, h.FData.XXY);
        EXPECT_LE(h.FData.XXY, spanA - r);
        EXPECT_LE(r, h.FData.YZZ);
        EXPECT_LE(h.FData.YZZ, spanB - r);
        const double tilt = h.GetIsAngled() ? h.FData.AngleValue * DegToRad : 0.0;
        EXPECT_LT(s.GetMaxDepth() * std::cos(tilt), across);
    }
}

// -------------------------------------------------------- generated designs

TEST(GeneratedDesigns, LargeDesignLoadsEveryHoleInBothVariants)
{
    const std::string mnf = TempPath("large.mnf");
    const std::string mvf = TempPath("large.mvf");
    samples::WriteLargeDesign(mnf, 250, false, 7);
    samples::WriteLargeDesign(mvf, 250, true, 7);
    Loaded full, viewer;
    Load(mnf, false, full);
    Load(mvf, true, viewer);
    ASSERT_TRUE(full.Ok && viewer.Ok);
    EXPECT_TRUE(full.Messages.empty());
    EXPECT_TRUE(viewer.Messages.empty());
    ASSERT_EQ(full.M.HoleList().Count(), 250);
    int steps = 0, cartridges = 0;
    for (const auto& h : full.M.HoleList()) {
        steps += h->FStepList.Count();
        cartridges += h->GetIsCartridge();
        for (const auto& s : h->FStepList) EXPECT_FALSE(s->FData.Remark.empty());
        EXPECT_GE(h->FData.FaceNumber, 1);
        EXPECT_LE(h->FData.FaceNumber, 6);
    }
    EXPECT_EQ(steps, 4 * 250);
    EXPECT_GT(cartridges, 0);
    ExpectViewerCarriesHolesAndSteps(full.M, viewer.M);
}

TEST(GeneratedDesigns, SameSeedSameBytes)
{
    const std::string a = TempPath("seed-a.mnf"), b = TempPath("seed-b.mnf"), c = TempPath("seed-c.mnf");
    samples::WriteLargeDesign(a, 40, false, 3);
    samples::WriteLargeDesign(b, 40, false, 3);
    samples::WriteLargeDesign(c, 40, false, 4);
    EXPECT_TRUE(ReadBytes(a) == ReadBytes(b));
    EXPECT_FALSE(ReadBytes(a) == ReadBytes(c));
}

// The small design exists so that corruption tests reach every field: in the
// manifold file each stored hole and step field differs from its default in
// some hole or step, and the viewer file drops exactly what viewer files drop.
TEST(GeneratedDesigns, SmallDesignUsesEveryStoredField)
{
    const std::string mnf = TempPath("small.mnf");
    const std::string mvf = TempPath("small.mvf");
    samples::WriteSmallDesign(mnf);
    samples::WriteSmallDesign(mvf, true);
    Loaded full, viewer;
    Load(mnf, false, full);
    Load(mvf, true, viewer);
    ASSERT_TRUE(full.Ok && viewer.Ok);
    EXPECT_TRUE(full.Messages.empty());
    EXPECT_TRUE(viewer.Messages.empty());

    // Kept in memory only, never stored.
    const std::set<std::string> notStored = {".SelectedMode", ".CalculateStartDepth"};
    const TFlat holeDefaults = Flat(THoleData{});
    const TFlat stepDefaults = Flat(TStep{});
    std::set<std::string> holeFieldsUsed, stepFieldsUsed;
    for (const auto& h : full.M.HoleList()) {
        for (const auto& [k, v] : Flat(h->FData))
            if (v != holeDefaults.at(k)) holeFieldsUsed.insert(k);
        for (const auto& s : h->FStepList)
            for (const auto& [k, v] : Flat(*s))
                if (v != stepDefaults.at(k)) stepFieldsUsed.insert(k);
    }
    for (const auto& [k, v] : holeDefaults) {
        if (!notStored.count(k)) {
            EXPECT_TRUE(holeFieldsUsed.count(k)) << "hole field " << k;
        }
    }
    for (const auto& [k, v] : stepDefaults) EXPECT_TRUE(stepFieldsUsed.count(k)) << "step field " << k;

    ExpectViewerCarriesHolesAndSteps(full.M, viewer.M);
}

// A manifold file, as the design program writes it, holds the whole
// document it was written from: fields it leaves out are at their defaults.
TEST(GeneratedDesigns, ManifoldFilesLoadBackToTheDocumentTheyWereWrittenFrom)
{
    struct Sample {
        const char* Name;
        std::unique_ptr<TManifold> (*Design)();
        void (*Write)(const std::string&);
    };
    const Sample samplesToCheck[] = {
        {"demo.mnf", &samples::DemoDesign, [](const std::string& p) { samples::WriteDemoDesign(p, false); }},
        {"small.mnf", &samples::SmallDesign, [](const std::string& p) { samples::WriteSmallDesign(p); }},
        {"large.mnf", [] { return samples::LargeDesign(60, 5); },
         [](const std::string& p) { samples::WriteLargeDesign(p, 60, false, 5); }},
    };
    for (const Sample& sample : samplesToCheck) {
        SCOPED_TRACE(sample.Name);
        const std::string path = TempPath(std::string("document-") + sample.Name);
        sample.Write(path);
        Loaded l;
        Load(path, false, l);
        ASSERT_TRUE(l.Ok);
        EXPECT_TRUE(l.Messages.empty());
        EXPECT_EQ(test::Differences(test::FlatDocument(*sample.Design()), test::FlatDocument(l.M)), TFlat{});
    }
}

TEST(GeneratedDesigns, UnwritablePathThrows)
{
    const std::string path = TempPath("no-such-folder/demo.mnf");
    EXPECT_THROW(samples::WriteDemoDesign(path, false), std::runtime_error);
    EXPECT_THROW(samples::WriteLargeDesign(path, 3), std::runtime_error);
    EXPECT_THROW(samples::WriteSmallDesign(path, true), std::runtime_error);
}

} // namespace
} // namespace qv
