// Damaged files of the old generations: every prefix and every single-byte
// corruption of the old sample designs. Old files are fixed layouts without
// tags, so a damaged count or length byte sends the reader anywhere in the
// file; it must still never crash, throw or read past the data.
#include "Damage.h"
#include "document/Manifolds.h"
#include "testkit/OldDesigns.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace qv {
namespace {

constexpr size_t kHeaderSize = 40;

// The record size of the headerless generations, 0 for the others.
size_t RecordSize(int version) { return version == 300 ? 134 : version == 200 ? 227 : 0; }

std::string OldSample(int version) { return ReadSample("old/" + samples::OldDesignFileName(version)); }

TEST(OldRobustness, EveryPrefixOfTheOldSamples)
{
    for (const int version : samples::OldVersions()) {
        SCOPED_TRACE(version);
        const std::string bytes = OldSample(version);
        ASSERT_GT(bytes.size(), kHeaderSize) << "the old sample of version " << version << " is missing";
        const std::string path = test::TempPath("old-prefix-" + std::to_string(version));
        test::WriteBytes(path, bytes);
        const TOutcome whole = Load(path, false);
        ASSERT_TRUE(whole.Loaded && whole.Messages.empty() && whole.Exception.empty() && whole.Holes > 0)
            << whole.Describe();

        const size_t record = RecordSize(version);
        TFaults faults("prefixes of version " + std::to_string(version));
        int longerHoles = whole.Holes;
        for (size_t length = bytes.size(); length-- > 0;) {
            TruncateTo(path, length);
            const TOutcome r = Load(path, false);
            const std::string where = "first " + std::to_string(length) + " bytes: ";
            if (!r.Exception.empty()) {
                faults.Add(where + r.Describe());
                continue;
            }
            if (record == 0) {
                // With the header intact the file keeps its version: the reader
                // stops at the cut, keeps what it read and says so.
                if (length >= kHeaderSize && !(r.Loaded && OnlyTruncationWarning(r)))
                    faults.Add(where + "expected a load with the truncation warning; " + r.Describe());
                if (length >= kHeaderSize && r.Holes > longerHoles)
                    faults.Add(where + "more holes than a longer prefix; " + r.Describe());
                longerHoles = r.Holes;
            } else if (length > 0 && length % record == 0 && !(version == 200 && length % 134 == 0)) {
                // Whole records of the same generation: a smaller, complete design.
                if (!r.Loaded || !r.Messages.empty() || r.Holes > whole.Holes)
                    faults.Add(where + "expected a clean load of the first records; " + r.Describe());
            } else if (length == 0) {
                // No block record: there is no design in the file.
                if (r.Loaded || !r.Messages.empty()) faults.Add(where + "an empty file loaded; " + r.Describe());
            }
        }
    }
}

TEST(OldRobustness, EverySingleByteCorruptionOfTheOldSamples)
{
    for (const int version : samples::OldVersions()) {
        SCOPED_TRACE(version);
        const std::string bytes = OldSample(version);
        ASSERT_GT(bytes.size(), kHeaderSize);
        const std::string path = test::TempPath("old-corrupt-" + std::to_string(version));
        TFaults faults("corruptions of version " + std::to_string(version));
        ForEverySingleByteCorruption(path, bytes, false, faults,
                                     [&](size_t pos, const TOutcome& r, const std::string& where) {
            // Outside the version text the file keeps its generation and
            // loads, possibly with the truncation warning when a damaged
            // count runs past the end.
            const bool versionByte = RecordSize(version) == 0 && pos >= 8 && pos < 12;
            const bool onlyTruncation = r.Messages.empty() || OnlyTruncationWarning(r);
            if (!versionByte && !(r.Loaded && onlyTruncation)) faults.Add(where + r.Describe());
        });
    }
}

} // namespace
} // namespace qv
