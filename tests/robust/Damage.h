#pragma once
// What the damaged-file sweeps share: one load that catches whatever escapes
// it, and a collector that reports only the first few faulty cases.
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <cstdint>
#include <exception>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace qv {

struct TOutcome {
    bool Loaded = false;
    int Holes = 0;
    std::vector<std::string> Messages;
    std::string Exception; // what escaped the load, empty when nothing did

    std::string Describe() const
    {
        std::ostringstream s;
        s << "result " << (Loaded ? "true" : "false") << ", " << Holes << " holes, messages [";
        for (size_t i = 0; i < Messages.size(); ++i) s << (i ? " | " : "") << Messages[i];
        s << "]";
        if (!Exception.empty()) s << ", exception: " << Exception;
        return s.str();
    }
};

inline TOutcome Load(const std::string& path, bool viewer)
{
    TMessageCollector messages;
    TManifold manifold;
    TOutcome r;
    try {
        r.Loaded = viewer ? manifold.LoadFromViewerFile(path) : manifold.LoadFromFile(path);
    } catch (const std::exception& e) {
        r.Exception = e.what();
    } catch (...) {
        r.Exception = "unknown exception";
    }
    r.Holes = manifold.HoleList().Count();
    r.Messages = messages.Texts();
    return r;
}

inline bool OnlyTruncationWarning(const TOutcome& r)
{
    return r.Messages.size() == 1 && r.Messages[0] == kTruncatedFileWarning;
}

// Collects the first few faulty cases of a long sweep so one broken reader
// does not bury the report under thousands of identical failures.
class TFaults {
public:
    explicit TFaults(std::string what) : fWhat(std::move(what)) {}
    void Add(const std::string& text)
    {
        if (fCount++ < 10) fText += "\n  " + text;
    }
    ~TFaults() { EXPECT_EQ(fCount, 0) << fWhat << ": " << fCount << " faulty cases, the first ones:" << fText; }

private:
    std::string fWhat;
    int fCount = 0;
    std::string fText;
};

inline std::string ReadSample(const std::string& name)
{
    return test::ReadBytes(std::string(QV_SOURCE_DIR) + "/samples/" + name);
}

inline void TruncateTo(const std::string& path, size_t length)
{
    if (::truncate(path.c_str(), static_cast<off_t>(length)) != 0)
        throw std::runtime_error("truncate " + path + ": " + std::strerror(errno));
}

// Writes bytes to path, then loads the file once for every single-byte
// corruption (0x00, 0xFF, the top bit flipped, plus one, at every position)
// and hands each outcome to Check(position, value, outcome, where) unless
// an exception escaped the load, which is a fault of its own. The file is
// restored after each load; the sweep checks that it ends as it began.
template <class F>
void ForEverySingleByteCorruption(const std::string& path, const std::string& bytes, bool viewer, TFaults& faults,
                                  F&& Check)
{
    test::WriteBytes(path, bytes);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    for (size_t pos = 0; pos < bytes.size(); ++pos) {
        const uint8_t original = static_cast<uint8_t>(bytes[pos]);
        const std::set<uint8_t> values{0x00, 0xFF, uint8_t(original ^ 0x80), uint8_t(original + 1)};
        for (const uint8_t value : values) {
            if (value == original) continue;
            ASSERT_EQ(::pwrite(fd, &value, 1, static_cast<off_t>(pos)), 1);
            const TOutcome r = Load(path, viewer);
            ASSERT_EQ(::pwrite(fd, &original, 1, static_cast<off_t>(pos)), 1);
            std::ostringstream where;
            where << "byte " << pos << " set to 0x" << std::hex << int(value) << ": ";
            if (!r.Exception.empty())
                faults.Add(where.str() + r.Describe());
            else
                Check(pos, r, where.str());
        }
    }
    ::close(fd);
    EXPECT_EQ(test::ReadBytes(path), bytes);
}

} // namespace qv
