// "QuorvaneViewer --check-update" run as a program against a local server.
#include "testkit/LocalServers.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace qv::test;

namespace {

TEST(CheckUpdateCommand, PrintsOneLineAndExitsWithItsStatus)
{
    struct {
        const char* row;
        int status; // 0: 404
        std::string file;
        int exitStatus;
        std::string line;
    } const cases[] = {
        {"/newer", 200, VersionFileText("2022", "46"), 0, "version 2022 build 46 is available\n"},
        {"/same", 200, VersionFileText("2022", "45"), 0, "up to date\n"},
        {"/older", 200, VersionFileText("2021", "999"), 0, "up to date\n"},
        {"/missing", 404, "", 1, "check failed: HTTP status 404\n"},
        {"/no-keys", 200, "[Version]\nRelease=2023\n", 1, "check failed: the answer holds no version\n"},
        {"/hostile", 200, VersionFileText("2023", "../x"), 1, "check failed: the answer holds no version\n"},
    };
    std::vector<TServedRoute> routes;
    for (const auto& c : cases) {
        TServedRoute r = VersionRoute(c.file);
        r.Path = c.row + r.Path;
        r.Status = c.status;
        routes.push_back(r);
    }
    TLocalUpdateServer server(routes);
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY '" QUORVANE_VIEWER "' --check-update";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        TUpdateTestEnvironment env(server.Url(c.row));
        // Checked a moment ago: the command asks all the same.
        const std::string upgrade = env.Folder() + "config/VELK/QuorvaneViewer/Ini/QuorvaneViewer_Upgrade.ini";
        std::filesystem::create_directories(std::filesystem::path(upgrade).parent_path());
        WriteBytes(upgrade, "[Upgrade]\nAutomatically=1\nLastChecked=99999\n");
        const size_t before = server.Requests().size();
        const TRunResult r = RunCommand(command);
        EXPECT_EQ(r.status, c.exitStatus);
        EXPECT_EQ(r.out, c.line);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(server.Requests().size(), before + 1);
    }

    const TClosedPort closed;
    TUpdateTestEnvironment env(closed.Url());
    const TRunResult r = RunCommand(command);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.rfind("check failed: ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("onnect"), std::string::npos) << r.out;
}

} // namespace
