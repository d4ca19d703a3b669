// Loading damaged files: every prefix of the demo designs and every
// single-byte corruption of a small design. A damaged file must never take
// the program down or throw; a file cut short keeps what was read before the
// cut and says that it ended early.
#include "Damage.h"
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "testkit/SampleDesigns.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <exception>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace qv {
namespace {

constexpr size_t kHeaderSize = 40;
// The bare end tag 1999 that closes every current-format file.
constexpr size_t kEndTagSize = 6;

// What a damaged file may legitimately report: holes that lost all their
// steps (a damaged step start tag) and, last, an early end of the data.
bool OnlyDamageMessages(const TOutcome& r)
{
    for (size_t i = 0; i < r.Messages.size(); ++i) {
        const std::string& m = r.Messages[i];
        const bool noSteps = m.rfind("Error in hole ", 0) == 0 && m.find(": No diameters found!") != std::string::npos;
        const bool truncated = m == kTruncatedFileWarning && i + 1 == r.Messages.size();
        if (!noSteps && !truncated) return false;
    }
    return true;
}

// Loads every prefix of `bytes`, from the whole file down to nothing, and
// checks it. Returns the hole count loaded from each prefix length.
std::vector<int> CheckEveryPrefix(const std::string& name, const std::string& bytes, bool viewer)
{
    std::vector<int> holes(bytes.size() + 1, 0);
    const std::string path = test::TempPath("prefix-" + name);
    test::WriteBytes(path, bytes);

    const TOutcome whole = Load(path, viewer);
    EXPECT_TRUE(whole.Loaded && whole.Messages.empty() && whole.Exception.empty() && whole.Holes > 0)
        << name << " in full: " << whole.Describe();
    holes[bytes.size()] = whole.Holes;

    TFaults faults("prefixes of " + name);
    // One file, cut one byte shorter for each step.
    for (size_t length = bytes.size(); length-- > 0;) {
        TruncateTo(path, length);
        const TOutcome r = Load(path, viewer);
        holes[length] = r.Holes;
        const std::string where = "first " + std::to_string(length) + " bytes: ";
        if (!r.Exception.empty()) {
            faults.Add(where + r.Describe());
            continue;
        }
        // A shorter file can only have fewer holes: each hole is added when its
        // start tag is read, and a prefix reads the same bytes up to the cut.
        if (r.Holes > holes[length + 1]) faults.Add(where + "more holes than a longer prefix; " + r.Describe());
        // With the header intact this is a current-format file that stops
        // before its end tag.
        if (length >= kHeaderSize && !(r.Loaded && OnlyTruncationWarning(r)))
            faults.Add(where + "expected a load with the truncation warning; " + r.Describe());
        // Only the end tag missing: every hole was read.
        if (length == bytes.size() - kEndTagSize && r.Holes != whole.Holes)
            faults.Add(where + "holes lost although only the end tag is missing; " + r.Describe());
    }
    return holes;
}

TEST(LoadRobustness, EveryPrefixOfTheDemoDesigns)
{
    const struct {
        const char* Name;
        bool Viewer;
    } kSamples[] = {{"demo.mnf", false}, {"demo.mvf", true}};
    for (const auto& s : kSamples) {
        SCOPED_TRACE(s.Name);
        const std::string bytes = ReadSample(s.Name);
        ASSERT_GT(bytes.size(), kHeaderSize + kEndTagSize) << "samples/" << s.Name << " is missing or empty";
        CheckEveryPrefix(s.Name, bytes, s.Viewer);
    }
}

TEST(LoadRobustness, EverySingleByteCorruptionOfASmallDesign)
{
    for (const bool viewer : {false, true}) {
        const std::string name = viewer ? "small.mvf" : "small.mnf";
        SCOPED_TRACE(name);
        const std::string path = test::TempPath(name);
        samples::WriteSmallDesign(path, viewer);
        const std::string bytes = test::ReadBytes(path);
        ASSERT_GT(bytes.size(), kHeaderSize + kEndTagSize);

        // Up to a damaged byte the file reads exactly like its prefix, so the
        // holes of that prefix must be there whatever follows.
        const std::vector<int> prefixHoles = CheckEveryPrefix(name, bytes, viewer);
        // Every hole needs at least its 6-byte start tag.
        const int holeBound = static_cast<int>((bytes.size() - kHeaderSize) / 6);

        TFaults faults("corruptions of " + name);
        ForEverySingleByteCorruption(path, bytes, viewer, faults,
                                     [&](size_t pos, const TOutcome& r, const std::string& where) {
            if (r.Holes < prefixHoles[pos]) faults.Add(where + "holes before the damage lost; " + r.Describe());
            if (r.Holes > holeBound) faults.Add(where + "more holes than the file can hold; " + r.Describe());
            // Bytes 8 to 11 carry the version; anywhere else the file stays a
            // current-format file and loads (a damaged length can run past
            // the end, a damaged tag can leave a hole without steps).
            const bool versionByte = pos >= 8 && pos < 12;
            if (!versionByte && !(r.Loaded && OnlyDamageMessages(r))) faults.Add(where + r.Describe());
        });
    }
}

} // namespace
} // namespace qv
