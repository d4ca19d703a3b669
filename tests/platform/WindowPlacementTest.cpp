#include "platform/WindowPlacement.h"

#include "platform/IniFiles.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

using namespace qv;

namespace {

// Two monitors side by side: 1920 x 1080 primary, 1280 x 1024 to its right.
const TScreenRect Primary{0, 0, 1920, 1080};
const std::vector<TScreenRect> Monitors{Primary, {1920, 0, 1280, 1024}};

} // namespace

TEST(WindowPlacement, OverlapMustExceed100PixelsBothWays)
{
    struct Case { TScreenRect window; bool overlaps; const char* what; };
    const Case cases[] = {
        {{100, 100, 800, 600}, true, "inside the primary"},
        {{2500, 200, 400, 300}, true, "inside the second monitor"},
        {{-700, 100, 800, 600}, false, "exactly 100 wide on the primary"},
        {{-699, 100, 800, 600}, true, "101 wide on the primary"},
        {{100, 980, 800, 600}, false, "exactly 100 high at the bottom"},
        {{100, 979, 800, 600}, true, "101 high at the bottom"},
        {{3150, 100, 800, 600}, false, "50 wide on the right monitor"},
        {{1870, 100, 120, 600}, false, "split: 50 + 70 wide, neither enough"},
        {{5000, 100, 800, 600}, false, "on a monitor no longer attached"},
        {{100, 100, -800, 600}, false, "negative width"},
        {{INT32_MAX - 10, 100, INT32_MAX, 600}, false, "edges beyond 32 bits"},
    };
    for (const auto& c : cases) EXPECT_EQ(OverlapsAMonitor(c.window, Monitors), c.overlaps) << c.what;
}

TEST(WindowPlacement, RestoreDecisions)
{
    const TScreenRect def{20, 20, 1880, 1010};
    EXPECT_EQ(DefaultPlacement(Primary), def);

    struct Case {
        const char* what;
        bool fileExists;
        TWindowPlacement stored;
        TWindowToFullScreen mode;
        TRestoreAction::TKind kind;
        TScreenRect bounds;
    };
    const Case cases[] = {
        {"first start, main window", false, {}, FullScreen, TRestoreAction::Default, def},
        {"first start, dialog", false, {}, NoFullScreen, TRestoreAction::Keep, {}},
        {"normal", true, {wsNormal, 50, 60, 700, 500}, FullScreen, TRestoreAction::Normal, {50, 60, 700, 500}},
        {"minimised comes back normal", true, {wsMinimized, 50, 60, 700, 500}, FullScreen, TRestoreAction::Normal,
         {50, 60, 700, 500}},
        {"maximised", true, {wsMaximized, 1920, 0, 1280, 1024}, FullScreen, TRestoreAction::Maximized,
         {1920, 0, 1280, 1024}},
        {"maximised on a detached monitor", true, {wsMaximized, 4000, 0, 1280, 1024}, FullScreen,
         TRestoreAction::Maximized, def},
        {"detached monitor, main window", true, {wsNormal, 4000, 100, 800, 600}, FullScreen,
         TRestoreAction::Default, def},
        {"detached monitor, dialog", true, {wsNormal, 4000, 100, 800, 600}, NoFullScreen, TRestoreAction::Keep, {}},
        {"no section (all 0), main window", true, {}, FullScreen, TRestoreAction::Default, def},
        {"no section (all 0), dialog", true, {}, NoFullScreen, TRestoreAction::Keep, {}},
        {"zero width", true, {wsNormal, 50, 60, 0, 500}, FullScreen, TRestoreAction::Default, def},
    };
    for (const auto& c : cases) {
        const TRestoreAction a = DecideRestore(c.fileExists, c.stored, c.mode, Monitors, Primary);
        EXPECT_EQ(a.Kind, c.kind) << c.what;
        if (a.Kind != TRestoreAction::Keep) {
            EXPECT_EQ(a.Bounds, c.bounds) << c.what;
        }
    }
}

TEST(WindowPlacement, SectionRoundTripAndMissingKeys)
{
    const std::string path = qv::test::TempPath("WindowPos.ini");
    {
        TIniFile ini(path);
        WriteWindowPlacement(ini, "MainForm", {wsMaximized, -8, -8, 1936, 1096});
        ini.UpdateFile();
    }
    TIniFile ini(path);
    EXPECT_EQ(ReadWindowPlacement(ini, "mainform"), (TWindowPlacement{wsMaximized, -8, -8, 1936, 1096}));
    EXPECT_EQ(ReadWindowPlacement(ini, "UpdateProgramDlg"), TWindowPlacement{});
    EXPECT_EQ(ini.Text(), "[MainForm]\nState=2\nHeight=1096\nLeft=-8\nTop=-8\nWidth=1936\n");
}
