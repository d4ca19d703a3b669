#include "platform/SettingsFolders.h"

#include "testkit/EnvGuard.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using namespace qv;
using qv::test::TEnvGuard;

namespace {

// A fresh home folder for one test, with the XDG variables cleared.
struct HomeFixture : ::testing::Test {
    TEnvGuard env;
    std::string home;
    void SetUp() override
    {
        static int n = 0;
        home = qv::test::TempPath("home" + std::to_string(++n));
        fs::create_directories(home);
        env.Set("HOME", home);
        env.Set("XDG_CONFIG_HOME", std::nullopt);
        env.Set("XDG_CONFIG_DIRS", std::nullopt);
    }
};

} // namespace

TEST_F(HomeFixture, UserAndSharedFoldersFollowTheXdgBaseFolders)
{
    // Without the variables: ~/.config and /etc/xdg.
    EXPECT_EQ(UserFolder(), home + "/.config/VELK/QuorvaneViewer/");
    EXPECT_EQ(SharedFolder(), "/etc/xdg/VELK/QuorvaneViewer/");

    env.Set("XDG_CONFIG_HOME", "/cfg/user/");
    env.Set("XDG_CONFIG_DIRS", "relative/ignored::/etc/site:/etc/other");
    EXPECT_EQ(UserFolder(), "/cfg/user/VELK/QuorvaneViewer/");
    EXPECT_EQ(IniFolder(), "/cfg/user/VELK/QuorvaneViewer/Ini/");
    EXPECT_EQ(DownloadsFolder(), "/cfg/user/VELK/QuorvaneViewer/Downloads/");
    EXPECT_EQ(SharedFolder(), "/etc/site/VELK/QuorvaneViewer/");
    EXPECT_EQ(BinFolder(), "/etc/site/VELK/QuorvaneViewer/Bin/");
    EXPECT_EQ(ProxySettingsFile(), "/etc/site/VELK/QuorvaneViewer/Bin/ProxyServer.ini");

    // A relative XDG_CONFIG_HOME is not valid and falls back to ~/.config.
    env.Set("XDG_CONFIG_HOME", "rel");
    EXPECT_EQ(UserFolder(), home + "/.config/VELK/QuorvaneViewer/");
}

TEST_F(HomeFixture, SettingsFilesAreNamedAfterTheProgramFile)
{
    env.Set("XDG_CONFIG_HOME", "/cfg");
    const std::string base = ExecutableBaseName();
    EXPECT_EQ(base, "test_platform");
    EXPECT_EQ(MainSettingsFile(), "/cfg/VELK/QuorvaneViewer/Ini/test_platform.ini");
    EXPECT_EQ(WindowPosFile(), "/cfg/VELK/QuorvaneViewer/Ini/test_platform_WindowPos.ini");
    EXPECT_EQ(NamedSettingsFile("IsoView"), "/cfg/VELK/QuorvaneViewer/Ini/test_platform_IsoView.ini");
    // The version file changes its extension once more.
    EXPECT_EQ(ChangeExt(NamedSettingsFile("Version"), ".txt"), "/cfg/VELK/QuorvaneViewer/Ini/test_platform_Version.txt");
}

TEST(ChangeExt, ReplacesOnlyTheLastExtensionOfTheFileName)
{
    struct Case { const char* name; const char* ext; const char* expected; };
    const Case cases[] = {
        {"QuorvaneViewer.exe", ".ini", "QuorvaneViewer.ini"},
        {"QuorvaneViewer", "_IsoView.ini", "QuorvaneViewer_IsoView.ini"},
        {"a.b.c", "_x.ini", "a.b_x.ini"},
        {"/opt/q.d/viewer", ".ini", "/opt/q.d/viewer.ini"}, // a dot in a folder is no extension
        {"viewer.", ".ini", "viewer.ini"},
    };
    for (const auto& c : cases) EXPECT_EQ(ChangeExt(c.name, c.ext), c.expected) << c.name;
}

TEST_F(HomeFixture, DesktopAndDocumentsComeFromTheUserDirectories)
{
    // Not configured: the usual names below the home folder.
    EXPECT_EQ(DesktopFolder(), home + "/Desktop/");
    EXPECT_EQ(DocumentsFolder(), home + "/Documents/");

    fs::create_directories(home + "/.config");
    qv::test::WriteBytes(home + "/.config/user-dirs.dirs",
                         "# written by xdg-user-dirs-update\n"
                         "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                         "XDG_DOCUMENTS_DIR=\"/data/My \\\"Docs\\\"\"\n"
                         "XDG_MUSIC_DIR=\"$HOME/Musik\"\n");
    EXPECT_EQ(DesktopFolder(), home + "/Schreibtisch/");
    EXPECT_EQ(DocumentsFolder(), "/data/My \"Docs\"/");

    // The file is looked up in XDG_CONFIG_HOME when that is set.
    const std::string config = home + "/cfg";
    fs::create_directories(config);
    qv::test::WriteBytes(config + "/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    env.Set("XDG_CONFIG_HOME", config);
    EXPECT_EQ(DocumentsFolder(), home + "/Dokumente/");
    EXPECT_EQ(DesktopFolder(), home + "/Desktop/");
}

TEST_F(HomeFixture, TempFolderIsAbsoluteWithLinksResolved)
{
    const std::string real = home + "/tmp-real";
    fs::create_directories(real);
    fs::create_directory_symlink(real, home + "/tmp-link");
    env.Set("TMPDIR", home + "/tmp-link/../tmp-link");
    EXPECT_EQ(TempFolder(), fs::canonical(real).string() + "/");
    env.Set("TMPDIR", std::nullopt);
    EXPECT_EQ(TempFolder(), fs::canonical("/tmp").string() + "/");
}
