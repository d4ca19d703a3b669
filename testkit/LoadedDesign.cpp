#include "testkit/LoadedDesign.h"

#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

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

TLoadedDesign LoadDesignAtFixedTime(const std::function<void(TQuorvaneFile&)>& body, const TDesignOptions& options)
{
    static int fixtures = 0;
    const std::string name = "fixture" + std::to_string(++fixtures) + (options.Viewer ? ".mvf" : ".mnf");
    const std::string path = WriteDesign(name, body, options);
    const timespec times[2] = {{1600000000, 0}, {1600000000, 0}};
    EXPECT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
    return LoadDesignFile(path, options.Viewer);
}

TFlat FlatDocument(const TManifold& m)
{
    TFlat out;
    m.Fields([&](const char* name, const auto& member) { Flatten(out, name, member); });
    for (const char* key : {"fStartSession", "FFileName", "FProject.FData.CreatedOn", "FProject.FData.ModifiedOn",
                            "FProject.FData.ProjectFinishedDate"})
        out.erase(key);
    return out;
}

bool LoadFileBytes(TManifold& M, const std::string& name, const std::string& bytes)
{
    // As a file written just now would be loaded.
    return M.LoadFromBytes({bytes, TempPath(name), NowLocal()}, false, false);
}

} // namespace qv::test
