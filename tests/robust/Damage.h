#pragma once
// What the damaged-file sweeps share: one load that catches whatever escapes
// it, and a collector that reports only the first few faulty cases.
#include "Manifolds.h"
#include "Messages.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

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

} // namespace qv
