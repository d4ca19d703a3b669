// Version detection and loading: which reader a file reaches, the
// newer-version warning, the file name and time the document keeps, unknown
// and truncated records.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "stream/QuorvaneFiles.h"
#include "testkit/Flatten.h"
#include "testkit/SampleDesigns.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace qv;
using test::Words;

namespace {

const char* kNewerVersion = "This file is saved with a newer version of Quorvane, some data might be lost!";

// A file of exactly size bytes; when version is given, bytes 8 to 11 hold it.
std::string SizedFile(const std::string& name, const char* version, size_t size)
{
    std::string bytes(size, 'z');
    if (version) bytes.replace(8, 4, version);
    const std::string path = test::TempPath(name);
    test::WriteBytes(path, bytes);
    return path;
}

// Replaces the version text of a written file.
void PatchVersion(const std::string& path, const char* version)
{
    std::string bytes = test::ReadBytes(path);
    bytes.replace(8, 4, version);
    test::WriteBytes(path, bytes);
}

void BlockSize(TQuorvaneFile& f, double x)
{
    f.WriteVar(2000);
    f.WriteDouble(2010, x);
    f.WriteVar(2999);
}

// Sets the time zone for the life of the object.
class TZone {
public:
    explicit TZone(const char* tz)
    {
        if (const char* old = std::getenv("TZ")) fOld = old, fHad = true;
        setenv("TZ", tz, 1);
        tzset();
    }
    ~TZone()
    {
        if (fHad) setenv("TZ", fOld.c_str(), 1);
        else unsetenv("TZ");
        tzset();
    }

private:
    std::string fOld;
    bool fHad = false;
};

void SetFileTime(const std::string& path, time_t seconds, long nanoseconds)
{
    const timespec times[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

} // namespace

TEST(DetectFileVersion, HeaderTextsAndSizes)
{
    const struct { const char* version; size_t size; int kind; int expected; } cases[] = {
        {"7.00", 40, 1, 700},  {"8.02", 40, 1, 802},  {"8.01", 41, 1, 801},  {"7.01", 100, 1, 701},
        {"5.40", 40, 1, 540},  {"5.30", 40, 1, 530},  {"5.20", 40, 1, 520},  {"5.10", 40, 1, 510},
        {"5.00", 40, 1, 500},  {"4.20", 40, 1, 420},  {"4.15", 40, 1, 415},  {"4.10", 40, 1, 410},
        {"4.00", 40, 2, 400},
        // A version text in a file shorter than a header does not count.
        {"7.00", 39, 1, -1},
        // Unknown header texts fall back to the size rules.
        {"6.00", 2680, 1, 300},  // 20 x 134
        {"7.0 ", 1000, 1, -1},
        {nullptr, 0, 1, 300},    // an empty file: 0 is a multiple of 134
        {nullptr, 454, 1, 200},  // 2 x 227, a manifold file
        {nullptr, 454, 2, -1},
        {nullptr, 430, 2, 200},  // 2 x 215, a pattern file
        {nullptr, 430, 1, -1},
        {nullptr, 30418, 1, 300}, // 134 x 227: the 134 rule comes first
        {nullptr, 20, 1, -1},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string path = SizedFile("detect" + std::to_string(++n) + ".mnf", c.version, c.size);
        EXPECT_EQ(DetectFileVersion(path, c.kind), c.expected)
            << (c.version ? c.version : "no header") << ", " << c.size << " bytes, kind " << c.kind;
    }
    EXPECT_EQ(DetectFileVersion(test::TempPath("missing.mnf"), 1), -1);
}

TEST(LoadFromFile, ReadsCurrentFormatInBothWordOrders)
{
    for (const bool viewer : {false, true}) {
        const std::string path = test::WriteDesign(viewer ? "plain.mvf" : "plain.mnf", [](TQuorvaneFile& f) {
            BlockSize(f, 120.0);
            test::WriteSimpleHole(f, 7);
            test::WriteSimpleHole(f, 3);
        }, {.Viewer = viewer});
        TManifold m;
        TMessageCollector messages;
        EXPECT_TRUE(viewer ? m.LoadFromViewerFile(path) : m.LoadFromFile(path));
        EXPECT_TRUE(messages.Entries().empty());
        EXPECT_EQ(m.XMax(), 120.0);
        // Holes in file order.
        ASSERT_EQ(m.HoleList().Count(), 2);
        EXPECT_EQ(m.HoleList()[0]->FData.HoleNumber, 7);
        EXPECT_EQ(m.HoleList()[1]->FData.HoleNumber, 3);
        EXPECT_EQ(m.HoleList()[0]->FStepList.Count(), 1);
        EXPECT_EQ(m.FileName(), path);
    }
}

TEST(LoadFromFile, RecordsReadThroughTheFileBufferEqualThoseReadFromMemory)
{
    // The program reads a design from memory. The stream can also read a file
    // through its buffer, which then runs out in the middle of records (this
    // design is several buffers long): both ways give the same holes, steps
    // and valves, in both word orders.
    for (const bool viewer : {false, true}) {
        const std::string path = test::TempPath(viewer ? "buffered.mvf" : "buffered.mnf");
        samples::WriteLargeDesign(path, 800, viewer);
        TManifold fromMemory;
        ASSERT_TRUE(viewer ? fromMemory.LoadFromViewerFile(path) : fromMemory.LoadFromFile(path));
        TManifold fromFile;
        TQuorvaneFile HF(path, TQuorvaneFile::ModeRead, viewer);
        ASSERT_TRUE(HF.IsOpen());
        HF.ReadFileVersion();
        fromFile.ReadRecords(HF);
        EXPECT_FALSE(HF.HitEnd());
        ASSERT_EQ(fromFile.HoleList().Count(), 800);
        ASSERT_EQ(fromMemory.HoleList().Count(), 800);
        for (int i = 0; i < 800; ++i)
            ASSERT_EQ(test::Flat(*fromFile.HoleList()[i]), test::Flat(*fromMemory.HoleList()[i])) << "hole " << i;
    }
}

TEST(LoadFromFile, NewerVersionWarningOnlyWhenAsked)
{
    const struct { const char* version; bool viewer; bool show; int warnings; } cases[] = {
        {"8.02", true, true, 1},   {"8.02", false, false, 0}, {"8.01", true, true, 1},
        {"7.01", true, true, 1},   {"8.02", false, true, 1},  {"8.02", true, false, 0},
        {"7.00", true, true, 0},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.version) + (c.viewer ? " viewer" : " manifold") + (c.show ? " show" : ""));
        const std::string path = test::WriteDesign("newer" + std::to_string(++n) + ".mnf", [](TQuorvaneFile& f) {
            BlockSize(f, 55.0);
        }, {.Viewer = c.viewer});
        PatchVersion(path, c.version);
        TManifold m;
        TMessageCollector messages;
        bool ok;
        if (c.viewer && c.show) ok = m.LoadFromViewerFile(path);
        else if (!c.viewer && !c.show) ok = m.LoadFromFile(path);
        else ok = m.LoadFromFile(path, c.viewer, c.show);
        EXPECT_TRUE(ok);
        EXPECT_EQ(m.XMax(), 55.0); // read as a 7.00 file
        ASSERT_EQ(int(messages.Entries().size()), c.warnings);
        if (c.warnings) {
            EXPECT_EQ(messages.Entries()[0].Kind, TMessageKind::Warning);
            EXPECT_EQ(messages.Entries()[0].Text, kNewerVersion);
        }
    }
}

TEST(LoadFromFile, UnrecognisedFileFails)
{
    TZone utc("UTC");
    const std::string path = SizedFile("unknown.mnf", "6.00", 1000);
    SetFileTime(path, 1700000000, 500000000);
    TManifold m;
    m.Data().Max.X = 1.0; // must be cleared
    TMessageCollector messages;
    EXPECT_FALSE(m.LoadFromFile(path));
    EXPECT_TRUE(messages.Entries().empty());
    EXPECT_EQ(m.HoleList().Count(), 0);
    EXPECT_EQ(m.XMax(), 300.0);
    EXPECT_EQ(m.FileName(), path);
    // The old-format plot settings are added before the version is examined.
    ASSERT_EQ(m.PlotSettings().Count(), 2);
    EXPECT_EQ(m.PlotSettings()[0]->FData.PlotMode, psmProduction);
    EXPECT_EQ(m.PlotSettings()[1]->FData.PlotMode, psmAssembly);
    // 2023-11-14 22:13:20.5 UTC
    EXPECT_DOUBLE_EQ(m.Data().HoleListChangedDateTime, 45244.0 + 80000.5 / 86400.0);
}

TEST(LoadFromFile, UnreadablePathFailsAndSaysWhy)
{
    const std::string folder = test::TempPath("a-folder.mnf");
    std::filesystem::create_directories(folder);
    const struct { std::string path; const char* why; } cases[] = {
        {test::TempPath("nowhere/missing.mnf"), "No such file or directory"},
        {folder, "it is a folder, not a file"},
        // A device is refused before it is opened: /dev/zero would never end.
        {"/dev/zero", "it is a device, not a file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        TManifold m;
        TMessageCollector messages;
        const TDateTime before = NowLocal();
        EXPECT_FALSE(m.LoadFromFile(c.path));
        const TDateTime after = NowLocal();
        ASSERT_EQ(messages.Entries().size(), 1u);
        EXPECT_EQ(messages.Entries()[0].Kind, TMessageKind::Error);
        EXPECT_EQ(messages.Entries()[0].Text, "Cannot read \"" + c.path + "\": " + c.why);
        EXPECT_EQ(m.FileName(), c.path);
        // No file time to be had: the current time instead.
        EXPECT_GE(m.Data().HoleListChangedDateTime, before);
        EXPECT_LE(m.Data().HoleListChangedDateTime, after);
        EXPECT_EQ(DetectFileVersion(c.path, 1), -1);
    }
}

// A FIFO can be read only once: detection and loading must share that read.
TEST(LoadFromFile, ReadsAFifoOnce)
{
    const std::string design = test::ReadBytes(test::WriteDesign("fifo-source.mnf", [](TQuorvaneFile& f) {
        BlockSize(f, 77.0);
        test::WriteSimpleHole(f, 5);
    }));
    const std::string fifo = test::TempPath("design.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::thread writer([&] {
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC); // waits for the reader
        if (fd < 0) return;
        size_t done = 0;
        while (done < design.size()) {
            const ssize_t n = ::write(fd, design.data() + done, design.size() - done);
            if (n <= 0) break;
            done += size_t(n);
        }
        ::close(fd);
    });
    TManifold m;
    TMessageCollector messages;
    EXPECT_TRUE(m.LoadFromFile(fifo));
    writer.join();
    EXPECT_TRUE(messages.Entries().empty());
    EXPECT_EQ(m.XMax(), 77.0);
    ASSERT_EQ(m.HoleList().Count(), 1);
    EXPECT_EQ(m.HoleList()[0]->FData.HoleNumber, 5);
}

// Loading from memory takes the name and the time it is given, and reads the
// bytes as a file's.
TEST(LoadFromBytes, TakesNameAndTimeGiven)
{
    const std::string design = test::ReadBytes(test::WriteDesign("bytes-source.mvf", [](TQuorvaneFile& f) {
        BlockSize(f, 64.0);
        test::WriteSimpleHole(f, 9);
    }, {.Viewer = true}));
    TManifold m;
    TMessageCollector messages;
    EXPECT_TRUE(m.LoadFromBytes({design, "some/where/../design.mvf", 45000.25}, true, true));
    EXPECT_TRUE(messages.Entries().empty());
    EXPECT_EQ(m.FileName(), (std::filesystem::current_path() / "some/design.mvf").string());
    EXPECT_EQ(m.Data().HoleListChangedDateTime, 45000.25);
    EXPECT_EQ(m.XMax(), 64.0);
    ASSERT_EQ(m.HoleList().Count(), 1);
    EXPECT_EQ(m.HoleList()[0]->FData.HoleNumber, 9);
}

TEST(LoadFromFile, HoleListTimeIsTheLocalFileTime)
{
    const std::string path = test::WriteDesign("time.mnf", [](TQuorvaneFile& f) { BlockSize(f, 10.0); });
    SetFileTime(path, 1700000000, 0);
    const double utc = 45244.0 + 80000.0 / 86400.0;
    const struct { const char* tz; double hours; } zones[] = {{"UTC", 0}, {"UTC-2", 2}, {"EST5", -5}};
    for (const auto& z : zones) {
        TZone zone(z.tz);
        TManifold m;
        ASSERT_TRUE(m.LoadFromFile(path));
        EXPECT_NEAR(m.Data().HoleListChangedDateTime, utc + z.hours / 24.0, 1e-9) << z.tz;
    }
    // A stored time replaces the file's.
    const std::string stored = test::WriteDesign("stored-time.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(2000);
        f.WriteDouble(2760, 44000.25);
        f.WriteVar(2999);
    });
    TManifold m;
    ASSERT_TRUE(m.LoadFromFile(stored));
    EXPECT_EQ(m.Data().HoleListChangedDateTime, 44000.25);
}

TEST(LoadFromFile, FileNameIsTheFullNormalPath)
{
    const std::string path = test::WriteDesign("rel.mnf", [](TQuorvaneFile& f) { BlockSize(f, 10.0); });
    const auto dir = std::filesystem::path(path).parent_path();
    std::filesystem::create_directories(dir / "sub");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    const auto here = std::filesystem::current_path();
    for (const char* name : {"rel.mnf", "./rel.mnf", "sub/../rel.mnf"}) {
        TManifold m;
        EXPECT_TRUE(m.LoadFromFile(name)) << name;
        EXPECT_EQ(m.FileName(), (here / "rel.mnf").string()) << name;
    }
    std::filesystem::current_path(cwd);
}

TEST(LoadFromFile, UnknownRecordIsSkippedFieldByField)
{
    const std::string path = test::WriteDesign("unknown-record.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(60000);
        f.WriteDouble(60001, 1.5);
        f.WriteInteger(60002, 42);
        // A payload that looks like the end tag must not end the file.
        const std::string fake = Words({1999, 0, 0}) + Words({2999, 0, 0});
        f.WriteAnsiString(60003, fake);
        f.WriteVar(60999);
        BlockSize(f, 77.0);
        test::WriteSimpleHole(f, 1);
    });
    TManifold m;
    TMessageCollector messages;
    EXPECT_TRUE(m.LoadFromFile(path));
    EXPECT_TRUE(messages.Entries().empty());
    EXPECT_EQ(m.XMax(), 77.0);
    EXPECT_EQ(m.HoleList().Count(), 1);
}

TEST(LoadFromFile, NothingAfterTheEndTagIsRead)
{
    const std::string path = test::WriteDesign("after-end.mnf", [](TQuorvaneFile& f) {
        BlockSize(f, 20.0);
        f.WriteVar(1999);
        test::WriteSimpleHole(f, 1);
    });
    TManifold m;
    TMessageCollector messages;
    EXPECT_TRUE(m.LoadFromFile(path));
    EXPECT_TRUE(messages.Entries().empty());
    EXPECT_EQ(m.HoleList().Count(), 0);
}

TEST(LoadFromFile, TruncatedFileKeepsWhatWasRead)
{
    const struct {
        const char* name;
        std::function<void(TQuorvaneFile&)> body;
        double xmax;
        int holes;
    } cases[] = {
        {"inside the manifold record", [](TQuorvaneFile& f) { f.WriteVar(2000); f.WriteDouble(2010, 33.0); }, 33.0, 0},
        {"inside a text", [](TQuorvaneFile& f) {
             f.WriteVar(2000);
             f.WriteDouble(2010, 33.0);
             f.WriteVarInfo({2040, 2, 100});
             f.WriteBytes("abc", 3);
         }, 33.0, 0},
        {"inside a double", [](TQuorvaneFile& f) {
             f.WriteVar(2000);
             f.WriteDouble(2010, 33.0);
             f.WriteVarInfo({2020, 2, 8});
             f.WriteBytes("abcd", 4);
         }, 33.0, 0},
        {"inside a hole", [](TQuorvaneFile& f) {
             BlockSize(f, 34.0);
             test::WriteSimpleHole(f, 1);
             f.WriteVar(10000);
             f.WriteInteger(10010, 2);
             f.WriteVar(20000);
             f.WriteDouble(20100, 8.0);
             f.WriteVar(29999);
         }, 34.0, 2},
        {"inside a step", [](TQuorvaneFile& f) {
             BlockSize(f, 35.0);
             f.WriteVar(10000);
             f.WriteVar(20000);
             f.WriteDouble(20100, 8.0);
         }, 35.0, 1},
        {"before the end tag", [](TQuorvaneFile& f) { BlockSize(f, 36.0); test::WriteSimpleHole(f, 1); }, 36.0, 1},
        {"inside a field header", [](TQuorvaneFile& f) {
             BlockSize(f, 37.0);
             f.WriteBytes("\xcf\x07\x00", 3);
         }, 37.0, 0},
        {"inside an unknown record", [](TQuorvaneFile& f) {
             BlockSize(f, 38.0);
             f.WriteVar(60000);
             f.WriteVarInfo({60001, 2, 500});
         }, 38.0, 0},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool viewer : {false, true}) {
            const std::string path =
                test::WriteDesign("cut" + std::to_string(++n) + ".mnf", c.body, {.Viewer = viewer, .WithEnd = false});
            TManifold m;
            TMessageCollector messages;
            EXPECT_TRUE(m.LoadFromFile(path, viewer, false));
            EXPECT_EQ(m.XMax(), c.xmax);
            EXPECT_EQ(m.HoleList().Count(), c.holes);
            EXPECT_EQ(m.FileName(), path);
            ASSERT_EQ(messages.Entries().size(), 1u);
            EXPECT_EQ(messages.Entries()[0].Kind, TMessageKind::Warning);
            EXPECT_EQ(messages.Entries()[0].Text, kTruncatedFileWarning);
        }
    }
}

TEST(LoadFromFile, EveryLoadStartsFromACleanDocument)
{
    const std::string first = test::WriteDesign("first.mnf", [](TQuorvaneFile& f) {
        f.WriteVar(2000);
        f.WriteDouble(2010, 11.0);
        f.WriteString(2040, "Steel");
        f.WriteVar(2999);
        test::WriteSimpleHole(f, 1);
    });
    const std::string second = test::WriteDesign("second.mnf", [](TQuorvaneFile& f) { test::WriteSimpleHole(f, 9); });
    TManifold m;
    ASSERT_TRUE(m.LoadFromFile(first));
    ASSERT_TRUE(m.LoadFromFile(second));
    EXPECT_EQ(m.XMax(), 300.0);
    EXPECT_EQ(m.Material(), "");
    ASSERT_EQ(m.HoleList().Count(), 1);
    EXPECT_EQ(m.HoleList()[0]->FData.HoleNumber, 9);
    // A failed load clears as well.
    EXPECT_FALSE(m.LoadFromFile(SizedFile("junk.mnf", nullptr, 1000)));
    EXPECT_EQ(m.HoleList().Count(), 0);
}
