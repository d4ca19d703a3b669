#pragma once
// A design loaded for a test: the document, whether the load reported
// success, and every message it showed (captured, so nothing reaches the
// default handler).
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "stream/QuorvaneFiles.h"
#include "testkit/TestFiles.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qv::test {

struct TLoadedDesign {
    std::unique_ptr<TManifold> M;
    bool Loaded = false;                             // what the load returned
    std::vector<TMessageCollector::TEntry> Messages; // kind and text, in order
    std::vector<std::string> Texts;                  // the texts of Messages
};

// Loads a manifold file, or a viewer file when viewer is set. The load is
// expected to succeed: a failure counts against the calling test (and still
// returns the half-loaded document to look at).
TLoadedDesign LoadDesignFile(const std::string& path, bool viewer = false);

// Writes a design with WriteDesign and loads it as LoadDesignFile does (as
// a viewer file when the options say so).
TLoadedDesign LoadDesign(const std::string& name, const std::function<void(TQuorvaneFile&)>& body,
                         const TDesignOptions& options = {});

} // namespace qv::test
