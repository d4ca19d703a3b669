#include "testkit/LoadedDesign.h"

#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

namespace qv::test {

TLoadedDesign LoadDesignFile(const std::string& path, bool viewer)
{
    TLoadedDesign r;
    r.M = std::make_unique<TManifold>();
    TMessageCollector collector;
    r.Loaded = viewer ? r.M->LoadFromViewerFile(path) : r.M->LoadFromFile(path);
    EXPECT_TRUE(r.Loaded) << "loading " << path;
    r.Messages = collector.Entries();
    r.Texts = collector.Texts();
    return r;
}

TLoadedDesign LoadDesign(const std::string& name, const std::function<void(TQuorvaneFile&)>& body,
                         const TDesignOptions& options)
{
    return LoadDesignFile(WriteDesign(name, body, options), options.Viewer);
}

} // namespace qv::test
