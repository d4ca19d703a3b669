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

namespace {

// ------------------------------------------------------------------
// A small strict JSON reader: objects keep their key order, numbers keep
// their text, strings must be well-formed UTF-8.

struct TJsonMember;

struct TJson {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool b = false;
    std::string text; // the number as written, or the decoded string
    std::vector<TJson> items;
    std::vector<TJsonMember> members;

    const TJson& operator[](const std::string& key) const;
    const TJson& operator[](size_t i) const;
    bool Has(const std::string& key) const;
    std::vector<std::string> Keys() const;
    double Num() const;
    std::vector<std::string> Strings() const;
};

struct TJsonMember {
    std::string first;
    TJson second;
};

const TJson& TJson::operator[](const std::string& key) const
{
    if (kind != Object) throw std::runtime_error("not an object, looking for " + key);
    for (const auto& m : members)
        if (m.first == key) return m.second;
    throw std::runtime_error("no key " + key);
}

const TJson& TJson::operator[](size_t i) const { return items.at(i); }

bool TJson::Has(const std::string& key) const
{
    for (const auto& m : members)
        if (m.first == key) return true;
    return false;
}

std::vector<std::string> TJson::Keys() const
{
    std::vector<std::string> k;
    for (const auto& m : members) k.push_back(m.first);
    return k;
}

double TJson::Num() const
{
    if (kind != Number) throw std::runtime_error("not a number");
    return std::strtod(text.c_str(), nullptr);
}

std::vector<std::string> TJson::Strings() const
{
    std::vector<std::string> s;
    for (const auto& i : items) {
        if (i.kind != String) throw std::runtime_error("not a string");
        s.push_back(i.text);
    }
    return s;
}

class TJsonParser {
public:
    explicit TJsonParser(std::string_view s) : fS(s) {}
    TJson Parse()
    {
        TJson v = Value();
        Space();
        if (fI != fS.size()) Fail("trailing characters");
        return v;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw std::runtime_error("JSON: " + what + " at " + std::to_string(fI));
    }
    void Space()
    {
        while (fI < fS.size() && (fS[fI] == ' ' || fS[fI] == '\n' || fS[fI] == '\r' || fS[fI] == '\t')) ++fI;
    }
    bool Take(std::string_view word)
    {
        if (fS.substr(fI, word.size()) != word) return false;
        fI += word.size();
        return true;
    }
    TJson Value()
    {
        Space();
        if (fI >= fS.size()) Fail("unexpected end");
        TJson v;
        const char c = fS[fI];
        if (c == '{') {
            v.kind = TJson::Object;
            ++fI;
            Space();
            if (Take("}")) return v;
            do {
                Space();
                if (fI >= fS.size() || fS[fI] != '"') Fail("key expected");
                std::string key = Str();
                Space();
                if (!Take(":")) Fail("colon expected");
                v.members.push_back({std::move(key), Value()});
                Space();
            } while (Take(","));
            if (!Take("}")) Fail("} expected");
        } else if (c == '[') {
            v.kind = TJson::Array;
            ++fI;
            Space();
            if (Take("]")) return v;
            do v.items.push_back(Value());
            while ((Space(), Take(",")));
            if (!Take("]")) Fail("] expected");
        } else if (c == '"') {
            v.kind = TJson::String;
            v.text = Str();
        } else if (Take("true")) {
            v.kind = TJson::Bool;
            v.b = true;
        } else if (Take("false")) {
            v.kind = TJson::Bool;
        } else if (Take("null")) {
        } else {
            v.kind = TJson::Number;
            const size_t start = fI;
            if (fI < fS.size() && fS[fI] == '-') ++fI;
            while (fI < fS.size() && std::strchr("0123456789.eE+-", fS[fI])) ++fI;
            v.text = std::string(fS.substr(start, fI - start));
            char* end = nullptr;
            std::strtod(v.text.c_str(), &end);
            if (v.text.empty() || *end != '\0') Fail("bad number");
        }
        return v;
    }
    static void Append(std::string& out, uint32_t c)
    {
        if (c < 0x80) out += char(c);
        else if (c < 0x800) { out += char(0xC0 | c >> 6); out += char(0x80 | (c & 0x3F)); }
        else if (c < 0x10000) {
            out += char(0xE0 | c >> 12); out += char(0x80 | ((c >> 6) & 0x3F)); out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | c >> 18); out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F)); out += char(0x80 | (c & 0x3F));
        }
    }
    uint32_t Hex4()
    {
        if (fI + 4 > fS.size()) Fail("short \\u");
        const uint32_t v = std::stoul(std::string(fS.substr(fI, 4)), nullptr, 16);
        fI += 4;
        return v;
    }
    std::string Str()
    {
        ++fI; // opening quote
        std::string out;
        for (;;) {
            if (fI >= fS.size()) Fail("unterminated string");
            const unsigned char c = static_cast<unsigned char>(fS[fI]);
            if (c == '"') { ++fI; return out; }
            if (c < 0x20) Fail("raw control character");
            if (c == '\\') {
                ++fI;
                if (fI >= fS.size()) Fail("bad escape");
                const char e = fS[fI++];
                switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    uint32_t u = Hex4();
                    if (u >= 0xD800 && u < 0xDC00) {
                        if (!Take("\\u")) Fail("lone surrogate");
                        u = 0x10000 + ((u - 0xD800) << 10) + (Hex4() - 0xDC00);
                    }
                    Append(out, u);
                    break;
                }
                default: Fail("bad escape");
                }
                continue;
            }
            // Well-formed UTF-8 only.
            size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
            if (n == 0 || fI + n > fS.size()) Fail("bad UTF-8");
            uint32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
            for (size_t k = 1; k < n; ++k) {
                const unsigned char cb = static_cast<unsigned char>(fS[fI + k]);
                if ((cb & 0xC0) != 0x80) Fail("bad UTF-8");
                cp = cp << 6 | (cb & 0x3F);
            }
            const uint32_t min[] = {0, 0, 0x80, 0x800, 0x10000};
            if (cp < min[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) Fail("bad UTF-8");
            out.append(fS.substr(fI, n));
            fI += n;
        }
    }

    std::string_view fS;
    size_t fI = 0;
};

TJson ParseJson(std::string_view s) { return TJsonParser(s).Parse(); }

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
