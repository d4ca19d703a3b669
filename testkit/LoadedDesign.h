#pragma once
// A design loaded for a test: the document, whether the load reported
// success, and every message it showed (captured, so nothing reaches the
// default handler).
#include "core/Messages.h"
#include "document/Manifolds.h"
#include "stream/QuorvaneFiles.h"
#include "testkit/Flatten.h"
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

// Writes a design as LoadDesign does, under a file name of its own, gives
// the file a fixed modification time and loads it. A load takes the hole
// list's change time from the file, so two such documents differ only by
// what their files hold.
TLoadedDesign LoadDesignAtFixedTime(const std::function<void(TQuorvaneFile&)>& body,
                                    const TDesignOptions& options = {});

// A document flattened (see Flatten.h) without what tells where and when it
// was loaded: its file name and session start, and the project's dates,
// which a cleared project takes from the clock.
TFlat FlatDocument(const TManifold& m);

// Loads bytes from memory as a manifold file of the given name, written just
// now, would be loaded (version detection included). Returns what the load
// returned.
bool LoadFileBytes(TManifold& M, const std::string& name, const std::string& bytes);

} // namespace qv::test
