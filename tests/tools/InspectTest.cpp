// mnf-inspect and its JSON: the keys other tools rely on, the forms of
// enumerations, sets and arrays, doubles that read back bit for bit, UTF-8
// text, the --geometry additions, the exit status and a failed write.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "inspect/ManifoldJson.h"
#include "stream/QuorvaneFiles.h"
#include "testkit/OldDesigns.h"
#include "testkit/SampleDesigns.h"
#include "testkit/TestFiles.h"
#include "JsonReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

using namespace qv;
using qv::test::ParseJson;
using qv::test::TJson;

namespace {

uint64_t Bits(double d)
{
    uint64_t b;
    std::memcpy(&b, &d, 8);
    return b;
}

// ------------------------------------------------------------------

// Runs mnf-inspect with the arguments (already quoted for the shell).
test::TRunResult Inspect(const std::string& args) { return test::RunCommand("'" MNF_INSPECT "' " + args); }

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

// A design with values in many corners of the document.
std::string RichDesign(const std::string& name, bool viewer = false)
{
    return test::WriteDesign(name, [](TQuorvaneFile& f) {
        f.WriteVar(2000);
        f.WriteDouble(2010, 0.1);
        f.WriteDouble(2020, 1e-300);
        f.WriteDouble(2030, std::numeric_limits<double>::denorm_min());
        f.WriteDouble(2041, -0.0);
        f.WriteDouble(2042, std::numeric_limits<double>::max());
        f.WriteDouble(2007, 1.0 / 3.0);
        f.WriteAnsiString(2040, "\xE4\x80 \"q\" \\ \x01\t/");
        f.WriteBoolean(2340, true);
        f.WriteBoolean(2310, true);
        f.WriteInteger(2774, 9);
        f.WriteInteger(2100, 0);
        f.WriteInteger(2130, 17);
        f.WriteVar(2999);
        test::WriteSimpleHole(f, 4);
        test::WriteSimpleHole(f, 5);
    }, {.Viewer = viewer});
}

const std::vector<std::string> kDocumentKeys = {
    "FFileName", "fVELKStamp", "FData", "fHoleNumberOptions", "fEngravedItemNumbersOptions", "fPlotSettings",
    "fLayoutList", "FGroupList", "FHoleList", "FProject", "fToDo", "FRevisionList", "fRevisionLayoutList",
    "fSessionList", "fCutOutList", "fHoleTextList", "fAssemblyList", "fCrossList", "fMountingHoleDefinitionList",
    "fStartSession", "fBillOfMaterials", "fCalculateSettingsNew", "fCalcErrors", "fCalcErrorsTwoHoles",
    "fCalcErrorsTwoHolesActive", "fCheckers"};

const std::vector<std::string> kDataKeys = {
    "FileType", "MeasuringUnits", "Decimals", "AngleDecimals", "Max", "DrawDashHoles", "CrossSectionInfo",
    "CalculateFlags", "FileFlags", "DrawFlags", "CalcHole", "SortSettings", "RotateFace", "FinishFace",
    "FinishFaceStyle", "ModifyDimensionsSettings", "Material", "HoleFactor", "MassDensity", "LayoutFile",
    "PrinterName", "PaperSize", "CurrentDrawing", "DrawProjectionMethode", "Properties", "CrossSectionMove",
    "DepthFromCutOut", "CurrentGroupCode", "ConstructionHoleFile", "ConnectAutomatically", "ScriptTextHeight",
    "TrimOptimizeDepth", "TrimOptimizeDiameterFactor", "TrimOptimizeHolesDepthToCenterLine",
    "TrimOptimizeHolesOffset", "TrimOptimizeCartridgesDepthToCenterLine", "TrimOptimizeCartridgesOffset",
    "HoleListChangedDateTime", "IncludeHoleTextMode", "IncludeHoleComments", "IncludeManufacturingNotes",
    "IncludeToleranceDiameter", "IncludeToleranceDepth", "Face6Alternate", "HeightIsoHoleNumber",
    "HeightIsoFaceNumber", "HeightIsoItemNumber", "HeightIsoError"};

using TKeys = std::vector<std::string>;

} // namespace

TEST(InspectJson, DocumentKeysAndValueForms)
{
    const std::string path = RichDesign("rich.mnf");
    TManifold m;
    ASSERT_TRUE(m.LoadFromFile(path));
    const TJson j = ParseJson(InspectJson(700, true, {"first", "second"}, m));

    EXPECT_EQ(j.Keys(), (TKeys{"DetectedVersion", "LoadResult", "Warnings", "Document"}));
    EXPECT_EQ(j["DetectedVersion"].text, "700");
    EXPECT_EQ(j["LoadResult"].kind, TJson::Bool);
    EXPECT_TRUE(j["LoadResult"].b);
    EXPECT_EQ(j["Warnings"].Strings(), (TKeys{"first", "second"}));

    const TJson& doc = j["Document"];
    EXPECT_EQ(doc.Keys(), kDocumentKeys);
    EXPECT_EQ(doc["FFileName"].text, path);
    EXPECT_EQ(doc["fCalcErrors"].kind, TJson::Null);
    EXPECT_EQ(doc["fCalcErrorsTwoHoles"].kind, TJson::Null);
    EXPECT_EQ(doc["fCalcErrorsTwoHolesActive"].kind, TJson::Bool);
    EXPECT_EQ(doc["fStartSession"].kind, TJson::Number);
    EXPECT_EQ(doc["fHoleNumberOptions"].Keys(), (TKeys{"MoveHoleNumbers", "HoleNumberTextHeight"}));
    EXPECT_EQ(doc["fEngravedItemNumbersOptions"].Keys(),
              (TKeys{"EngraveItemNumbers", "TextHeight", "FixedWidth", "UseBorder", "InsertionPoint",
                     "UseHoleTextSettings"}));
    // Lists are arrays, in file order.
    for (const char* list : {"fPlotSettings", "FGroupList", "FHoleList", "FRevisionList",
                             "fRevisionLayoutList", "fSessionList", "fCutOutList", "fHoleTextList", "fAssemblyList",
                             "fCrossList", "fMountingHoleDefinitionList"})
        EXPECT_EQ(doc[list].kind, TJson::Array) << list;
    // A list with state of its own (the selected layout) is an object that
    // holds its items as an array.
    EXPECT_EQ(doc["fLayoutList"]["fLayoutList"].kind, TJson::Array);
    EXPECT_EQ(doc["fCheckers"]["fCheckerList"].kind, TJson::Array);
    ASSERT_EQ(doc["FHoleList"].items.size(), 2u);
    EXPECT_EQ(doc["FHoleList"][0]["FData"]["HoleNumber"].text, "4");
    EXPECT_EQ(doc["FHoleList"][1]["FData"]["HoleNumber"].text, "5");
    EXPECT_FALSE(doc["FHoleList"][0].Has("Geometry"));
    EXPECT_EQ(doc["fCalculateSettingsNew"]["fData"]["Wallthickness"].kind, TJson::Number);

    const TJson& d = doc["FData"];
    EXPECT_EQ(d.Keys(), kDataKeys);
    EXPECT_EQ(d["Max"].Keys(), (TKeys{"X", "Y", "Z"}));
    EXPECT_EQ(d["CrossSectionInfo"].Keys(), (TKeys{"X", "Y", "Z"}));
    EXPECT_EQ(d["CrossSectionInfo"]["Z"].Keys(), (TKeys{"HoleNumber", "Coordinate"}));
    EXPECT_EQ(d["CrossSectionInfo"]["Z"]["HoleNumber"].text, "17");
    EXPECT_EQ(d["SortSettings"].Keys(), (TKeys{"SortMethode", "SortOptions", "SortType", "SortLastHoleNumber"}));
    EXPECT_EQ(d["SortSettings"]["SortOptions"].Strings(), (TKeys{"soRearrangePatterns", "soMultiSort"}));
    EXPECT_EQ(d["ModifyDimensionsSettings"].Keys(), (TKeys{"Direction", "Value", "Coordinate", "ModifyDepth"}));
    EXPECT_EQ(d["Properties"].Keys(), (TKeys{"Title", "Bitmap", "Description", "Group", "Use", "LibraryFile"}));
    ASSERT_EQ(d["FinishFace"].kind, TJson::Array);
    ASSERT_EQ(d["FinishFace"].items.size(), 7u);
    EXPECT_EQ(d["FinishFace"][6].Num(), 3.2);
    EXPECT_EQ(d["CalcHole"].items.size(), 2u);
    // Enumerations by name; a stored value outside the enumeration as its number.
    EXPECT_EQ(d["MeasuringUnits"].text, "muMM");
    EXPECT_EQ(d["DrawDashHoles"].text, "dashNone");
    EXPECT_EQ(d["IncludeHoleTextMode"].kind, TJson::Number);
    EXPECT_EQ(d["IncludeHoleTextMode"].text, "9");
    // Sets in ordinal order, whatever the order of the tags.
    EXPECT_EQ(d["FileFlags"].Strings(), (TKeys{"ffAutoExport", "ffDepthToTip"}));
    EXPECT_EQ(d["DrawFlags"].kind, TJson::Array);
    EXPECT_TRUE(d["DrawFlags"].items.empty());
    EXPECT_EQ(d["HoleListChangedDateTime"].kind, TJson::Number);
    EXPECT_EQ(d["HoleListChangedDateTime"].Num(), m.Data().HoleListChangedDateTime);
}

TEST(InspectJson, DoublesReadBackBitForBit)
{
    TManifold m;
    ASSERT_TRUE(m.LoadFromFile(RichDesign("doubles.mnf")));
    for (const bool pretty : {true, false}) {
        const TJson d = ParseJson(InspectJson(700, true, {}, m, {false, pretty}))["Document"]["FData"];
        const struct { const char* name; double value; } cases[] = {
            {"0.1", d["Max"]["X"].Num()}, {"1e-300", d["Max"]["Y"].Num()}, {"denorm_min", d["Max"]["Z"].Num()},
            {"-0.0", d["HoleFactor"].Num()}, {"max", d["MassDensity"].Num()}, {"1/3", d["CrossSectionMove"].Num()},
        };
        const double expected[] = {0.1, 1e-300, std::numeric_limits<double>::denorm_min(), -0.0,
                                   std::numeric_limits<double>::max(), 1.0 / 3.0};
        for (size_t i = 0; i < std::size(cases); ++i)
            EXPECT_EQ(Bits(cases[i].value), Bits(expected[i])) << cases[i].name;
    }
}

TEST(InspectJson, TextIsUtf8)
{
    TManifold m;
    ASSERT_TRUE(m.LoadFromFile(RichDesign("text.mnf")));
    const std::string json = InspectJson(700, true, {"line one\rline two"}, m);
    const TJson j = ParseJson(json);
    EXPECT_EQ(j["Document"]["FData"]["Material"].text, "ä€ \"q\" \\ \x01\t/");
    EXPECT_EQ(j["Warnings"][0].text, "line one\rline two");
    // A name that is not UTF-8 still gives valid JSON.
    m.FFileName = "/tmp/bl\xE4" "ck\xC3.mnf";
    EXPECT_EQ(ParseJson(InspectJson(700, true, {}, m))["Document"]["FFileName"].text, "/tmp/bl\uFFFDck\uFFFD.mnf");
}

TEST(InspectJson, TextsLongerThanAnOutputBlock)
{
    // The text goes out in blocks of 64 KiB: a plain run longer than a block,
    // and escapes and multi-byte characters that fall on block edges, come
    // out whole.
    TManifold m;
    const std::string plain(200000, 'x');
    std::string mixed;
    for (int i = 0; i < 40000; ++i) mixed += "a\"\xE2\x82\xAC\n\\\x01";
    for (const bool pretty : {true, false}) {
        const TJson j = ParseJson(InspectJson(700, true, {plain, mixed}, m, {false, pretty}));
        EXPECT_EQ(j["Warnings"][0].text, plain);
        EXPECT_EQ(j["Warnings"][1].text, mixed);
    }
}

TEST(InspectJson, WrittenToAFileAsToAString)
{
    // A design whose text spans many blocks, with and without the geometry.
    const auto m = samples::LargeDesign(300);
    for (const bool geometry : {false, true}) {
        const TJsonOptions options{geometry, true};
        const std::string path = test::TempPath("large-" + std::to_string(geometry) + ".json");
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ASSERT_GE(fd, 0);
        TJsonFileSink sink(fd);
        WriteInspectJson(sink, 700, true, {"a warning"}, *m, options);
        ::close(fd);
        const std::string text = InspectJson(700, true, {"a warning"}, *m, options);
        EXPECT_GT(text.size(), 10u * 65536u);
        EXPECT_EQ(test::ReadBytes(path), text);
    }
}

TEST(MnfInspect, FailedWriteIsAnError)
{
    const std::string design = test::TempPath("write-fail.mnf");
    samples::WriteLargeDesign(design, 300);
    const std::string err = test::TempPath("write-fail.err");
    const std::string run = "'" MNF_INSPECT "' " + Quoted(design);
    // A full disk refuses the first block; a file size limit takes the first
    // bytes and refuses a later block (the limit's signal ignored, so the
    // write fails instead).
    const struct { const char* name; std::string command; } cases[] = {
        {"full disk", run + " >/dev/full"},
        {"size limit", "trap '' XFSZ; ulimit -f 256; " + run + " >" + Quoted(test::TempPath("write-fail.out"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int raw = std::system(("(" + c.command + ") 2>" + Quoted(err)).c_str());
        ASSERT_TRUE(WIFEXITED(raw));
        EXPECT_EQ(WEXITSTATUS(raw), 2);
        const std::string reason = test::ReadBytes(err);
        EXPECT_EQ(reason.rfind("mnf-inspect: cannot write the output: ", 0), 0u) << reason;
        EXPECT_EQ(reason.find('\n'), reason.size() - 1) << reason;
    }
}

TEST(MnfInspect, ExitStatus)
{
    const std::string good = RichDesign("exit-good.mnf");
    const std::string junk = test::TempPath("exit-junk.mnf");
    test::WriteBytes(junk, std::string(1000, 'j'));
    const std::string folder = test::TempPath("exit-folder.mnf");
    std::filesystem::create_directories(folder);
    const struct { std::string args; int status; bool json; } cases[] = {
        {Quoted(good), 0, true},
        {"--compact " + Quoted(good), 0, true},
        {Quoted(good) + " --geometry", 0, true},
        {Quoted(junk), 1, true},
        {Quoted(test::TempPath("exit-missing.mnf")), 2, false},
        {Quoted(folder), 2, false},
        {"", 2, false},
        {"--bogus " + Quoted(good), 2, false},
        {Quoted(good) + " " + Quoted(good), 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const test::TRunResult r = Inspect(c.args);
        EXPECT_EQ(r.status, c.status);
        if (c.json) {
            EXPECT_EQ(r.err, "");
            const TJson j = ParseJson(r.out);
            EXPECT_EQ(j["LoadResult"].b, c.status == 0);
            EXPECT_EQ(j["DetectedVersion"].text, c.status == 0 ? "700" : "-1");
        } else {
            EXPECT_EQ(r.out, "");
            // One line of explanation.
            ASSERT_FALSE(r.err.empty());
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        }
    }
}

TEST(MnfInspect, ViewerFilesAndWarnings)
{
    // The extension chooses the word order; a viewer file of a newer version warns.
    const std::string viewer = RichDesign("newer.MVF", true);
    const std::string manifold = RichDesign("newer.mnf", false);
    for (const std::string& path : {viewer, manifold}) {
        std::string bytes = test::ReadBytes(path);
        bytes.replace(8, 4, "8.02");
        test::WriteBytes(path, bytes);
    }
    const test::TRunResult v = Inspect(Quoted(viewer));
    ASSERT_EQ(v.status, 0) << v.err;
    const TJson jv = ParseJson(v.out);
    EXPECT_EQ(jv["DetectedVersion"].text, "802");
    EXPECT_EQ(jv["Warnings"].Strings(),
              (TKeys{"This file is saved with a newer version of Quorvane, some data might be lost!"}));
    EXPECT_EQ(jv["Document"]["FHoleList"].items.size(), 2u);
    EXPECT_EQ(jv["Document"]["FData"]["Max"]["X"].Num(), 0.1);

    const TJson jm = ParseJson(Inspect(Quoted(manifold)).out);
    EXPECT_TRUE(jm["Warnings"].items.empty());
    EXPECT_EQ(jm["Document"]["FHoleList"].items.size(), 2u);

    // --viewer and --manifold override the extension.
    const TJson forced = ParseJson(Inspect("--manifold " + Quoted(viewer)).out);
    for (const std::string& w : forced["Warnings"].Strings()) EXPECT_EQ(w.find("newer version"), std::string::npos);
    EXPECT_NE(forced["Document"]["FData"]["Max"]["X"].text, jv["Document"]["FData"]["Max"]["X"].text);

    // Every message of the load, in order.
    const std::string cut = test::WriteDesign("cut.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(10000);
        f.WriteInteger(10010, 3);
        f.WriteVar(19999); // a hole without steps is reported
        f.WriteVar(2000);
    }, {.WithEnd = false});
    const test::TRunResult c = Inspect(Quoted(cut));
    ASSERT_EQ(c.status, 0);
    const auto warnings = ParseJson(c.out)["Warnings"].Strings();
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].rfind("Error in hole 3", 0), 0u) << warnings[0];
    EXPECT_EQ(warnings[1], kTruncatedFileWarning);
}

TEST(MnfInspect, GeometryAddsDerivedValuesToEveryHole)
{
    const std::string path = RichDesign("geometry.mnf");
    const test::TRunResult r = Inspect("--geometry " + Quoted(path));
    ASSERT_EQ(r.status, 0) << r.err;
    const TJson holes = ParseJson(r.out)["Document"]["FHoleList"];
    ASSERT_EQ(holes.items.size(), 2u);
    for (const TJson& hole : holes.items) {
        const TJson& g = hole["Geometry"];
        EXPECT_EQ(g.Keys(), (TKeys{"ORingFound", "HasUnderCut", "MaxDepth", "MaxDiameter", "MaxDrillDiameter",
                                   "HasThread", "LocatingShoulder", "PortCount", "IsSimpleORing", "PortName",
                                   "Steps"}));
        EXPECT_EQ(g["MaxDiameter"].Num(), 10.0);
        ASSERT_EQ(g["Steps"].items.size(), 1u);
        EXPECT_EQ(g["Steps"][0].Keys(),
                  (TKeys{"TipHeight", "ConeDepth", "CylinderStartDepth", "CylinderTipHeight", "CylinderTipStartDepth",
                         "CylinderTipEndDiameter", "CylinderHeight", "ThreadEnd", "ThreadReelLength", "IsPort",
                         "PortName", "PortDiameter", "PortCenter", "MaxDiam", "PrintRemark", "RemarkCode",
                         "RemarkText", "RemarkPortText"}));
    }
}

TEST(MnfInspect, FileNameThatIsNotUtf8)
{
    const std::string path = RichDesign("bl\xE4" "ck.mnf");
    const test::TRunResult r = Inspect(Quoted(path));
    ASSERT_EQ(r.status, 0) << r.err;
    const TJson j = ParseJson(r.out); // throws on malformed UTF-8
    const std::string name = j["Document"]["FFileName"].text;
    const std::string expected = "/bl\uFFFDck.mnf";
    ASSERT_GE(name.size(), expected.size());
    EXPECT_EQ(name.substr(name.size() - expected.size()), expected);
}

TEST(MnfInspect, OldFilesShowTheirVersionAndTheConvertedDocument)
{
    for (const int version : samples::OldVersions()) {
        SCOPED_TRACE(version);
        const std::string path = test::WriteTempFile(samples::OldDesignFileName(version), samples::OldDesign(version));
        TManifold m;
        ASSERT_TRUE(m.LoadFromFile(path));

        const test::TRunResult r = Inspect(Quoted(path));
        ASSERT_EQ(r.status, 0) << r.err;
        const TJson j = ParseJson(r.out);
        EXPECT_EQ(j["DetectedVersion"].text, std::to_string(version));
        EXPECT_TRUE(j["LoadResult"].b);
        EXPECT_TRUE(j["Warnings"].items.empty());
        const TJson& d = j["Document"];
        EXPECT_EQ(d["FHoleList"].items.size(), static_cast<size_t>(m.HoleList().Count()));
        EXPECT_EQ(d["FProject"]["FData"]["ProjectTitle"].text, m.Project().FData.ProjectTitle);
        EXPECT_EQ(d["fPlotSettings"].items.size(), 2u);
    }
}
