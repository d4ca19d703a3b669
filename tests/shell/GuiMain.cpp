// The window tests: real windows on an X server (Xvfb). Each test case runs
// as a process of its own; its settings folder is a fresh temporary folder,
// so no test reads or writes the user's settings or another test's.
//
// No window test asks a server off this machine: the update's server is a
// loopback port that refuses every connection, and the automatic version
// check at the window's first activation is off (the update's own window
// tests give each test a local server and their own settings).
#include "shell/Application.h"
#include "testkit/LocalServers.h"
#include "update/UpdateCheck.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS(); // listing needs no X server
    std::string folder = (std::filesystem::temp_directory_path() / "qv-window-XXXXXX").string();
    if (!mkdtemp(folder.data())) return 1;
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    setenv("XDG_CONFIG_DIRS", folder.c_str(), 1);
    const qv::test::TClosedPort noServer;
    setenv("QV_UPDATE_SERVER", noServer.Url().c_str(), 1);
    qv::TViewerApplication app(argc, argv);
    qv::SaveAutomatically(false);
    setlocale(LC_ALL, "C.UTF-8");
    const int result = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return result;
}
