#include "platform/IniFiles.h"

#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace qv;
using qv::test::ReadBytes;
using qv::test::TempPath;
using qv::test::WriteBytes;

namespace {

std::string FreshFolder(const std::string& name)
{
    const std::string dir = TempPath(name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

size_t EntriesIn(const std::string& dir)
{
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++n;
    return n;
}

} // namespace

TEST(IniFile, ValuesWrittenReadBackIdentically)
{
    const std::string path = FreshFolder("roundtrip") + "/sub/dir/settings.ini"; // folders created on write
    {
        TIniFile ini(path);
        EXPECT_FALSE(ini.FileExisted());
        ini.WriteString("Tools", "PathToMain", "/opt/Quorvane Design/bin/quorvane");
        ini.WriteString("OpenDialog", "InitialDir", "/home/anna/Blöcke 2024");
        ini.WriteBool("IsometricFlags", "Face Numbers", true);
        ini.WriteBool("IsometricFlags", "Manifold", false);
        ini.WriteInteger("Colors", "SelectColor", 0x00FFFF00);
        ini.WriteInteger("Numbers", "Min", INT32_MIN);
        ini.WriteInteger("Numbers", "Max", INT32_MAX);
        ini.WriteFloat("Floats", "Opacity", 0.6);
        ini.WriteFloat("Floats", "Factor", -0.8);
        ini.WriteFloat("Floats", "Tiny", 1.25e-20);
        ini.WriteFloat("Floats", "Large", 123456789012.345);
        ini.WriteFloat("Floats", "Third", 1.0 / 3.0);
        ini.UpdateFile();
    }
    TIniFile ini(path);
    EXPECT_TRUE(ini.FileExisted());
    EXPECT_EQ(ini.ReadString("Tools", "PathToMain", ""), "/opt/Quorvane Design/bin/quorvane");
    EXPECT_EQ(ini.ReadString("OpenDialog", "InitialDir", ""), "/home/anna/Blöcke 2024");
    EXPECT_TRUE(ini.ReadBool("IsometricFlags", "Face Numbers", false));
    EXPECT_FALSE(ini.ReadBool("IsometricFlags", "Manifold", true));
    EXPECT_EQ(ini.ReadInteger("Colors", "SelectColor", 0), 0x00FFFF00);
    EXPECT_EQ(ini.ReadInteger("Numbers", "Min", 0), INT32_MIN);
    EXPECT_EQ(ini.ReadInteger("Numbers", "Max", 0), INT32_MAX);
    EXPECT_EQ(ini.ReadFloat("Floats", "Opacity", 0), 0.6);
    EXPECT_EQ(ini.ReadFloat("Floats", "Factor", 0), -0.8);
    EXPECT_EQ(ini.ReadFloat("Floats", "Tiny", 0), 1.25e-20);
    EXPECT_EQ(ini.ReadFloat("Floats", "Large", 0), 123456789012.345);
    // 15 significant digits: close, not bit-identical.
    EXPECT_NEAR(ini.ReadFloat("Floats", "Third", 0), 1.0 / 3.0, 1e-15);
    EXPECT_EQ(ini.ReadSections(),
              (std::vector<std::string>{"Tools", "OpenDialog", "IsometricFlags", "Colors", "Numbers", "Floats"}));
}

TEST(IniFile, WritesKeyEqualsValueLinesWithNamesAsSpelt)
{
    TIniFile ini(TempPath("text.ini"));
    ini.WriteBool("IsometricFlags", "Face Numbers", true);
    ini.WriteBool("IsometricFlags", "Rotation center", false);
    ini.WriteFloat("Transparency", "TransparencyHoles", 0.6);
    // Later writes with other letter case change the same entry.
    ini.WriteBool("ISOMETRICFLAGS", "face numbers", false);
    const std::string text = ini.Text();
    EXPECT_NE(text.find("[IsometricFlags]\nFace Numbers=0\nRotation center=0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Transparency]\nTransparencyHoles=0.6\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("ISOMETRICFLAGS"), std::string::npos) << text;
}

TEST(IniFile, HandEditedFileReadsRegardlessOfCaseAndBlanks)
{
    const std::string path = TempPath("hand.ini");
    WriteBytes(path, "\xEF\xBB\xBF; edited by hand\r\n"
                     "  [isometricflags]  \r\n"
                     "  face numbers   =   1   \r\n"
                     "AXIS=0\r\n"
                     "Perspective = true\r\n"
                     "\r\n"
                     "[TRANSPARENCY]\r\n"
                     "transparencyholes = 0,25\r\n"
                     "TransparencyThread=  .5e0 \r\n"
                     "[Colors]\n"
                     "ThreadColor = $00808080\n"
                     "SelectColor = yellow\n"
                     "BackgroundColor = 12 34\n");
    TIniFile ini(path);
    EXPECT_TRUE(ini.SectionExists("IsometricFlags"));
    EXPECT_TRUE(ini.ValueExists("IsometricFlags", "Face Numbers"));
    EXPECT_FALSE(ini.ValueExists("IsometricFlags", "Hole Numbers"));
    EXPECT_TRUE(ini.ReadBool("IsometricFlags", "Face Numbers", false));
    EXPECT_FALSE(ini.ReadBool("IsometricFlags", "Axis", true));
    EXPECT_TRUE(ini.ReadBool("IsometricFlags", "Perspective", false));
    EXPECT_TRUE(ini.ReadBool("IsometricFlags", "Hole Numbers", true)); // missing: the default
    EXPECT_EQ(ini.ReadFloat("Transparency", "TransparencyHoles", 0), 0.25);
    EXPECT_EQ(ini.ReadFloat("Transparency", "TransparencyThread", 0), 0.5);
    EXPECT_EQ(ini.ReadInteger("colors", "threadcolor", 0), 0x808080);
    // Values that do not parse give the default.
    EXPECT_EQ(ini.ReadInteger("Colors", "SelectColor", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Colors", "BackgroundColor", 7), 7);
    EXPECT_EQ(ini.ReadString("Nowhere", "Key", "def"), "def");
}

TEST(IniFile, UpdateKeepsTheOtherSectionsAndKeysOfTheFile)
{
    const std::string path = TempPath("shared.ini");
    WriteBytes(path, "[MainForm]\nState=2\nLeft=5\n[UpdateProgramDlg]\nLeft=300\n");
    {
        TIniFile ini(path);
        ini.WriteInteger("mainform", "Left", 40);
        ini.UpdateFile();
    }
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("MainForm", "State", 0), 2);
    EXPECT_EQ(ini.ReadInteger("MainForm", "Left", 0), 40);
    EXPECT_EQ(ini.ReadInteger("UpdateProgramDlg", "Left", 0), 300);
}

TEST(IniFile, LineBreaksInAValueCannotAddKeys)
{
    const std::string path = TempPath("inject.ini");
    {
        TIniFile ini(path);
        ini.WriteString("Tools", "PathToMain", "/x\n[Evil]\nKey=1");
        ini.UpdateFile();
    }
    TIniFile ini(path);
    EXPECT_FALSE(ini.SectionExists("Evil"));
    EXPECT_EQ(ini.ReadString("Tools", "PathToMain", ""), "/x [Evil] Key=1");
}

TEST(IniFile, ReplacingAFileKeepsItsPermissions)
{
    const std::string path = TempPath("mode.ini");
    WriteBytes(path, "[A]\nB=1\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    TIniFile ini(path);
    ini.WriteInteger("A", "B", 2);
    ini.UpdateFile();
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(ReadBytes(path), "[A]\nB=2\n");
}

// A write that fails half-way (here: the file size limit, as on a full
// disk) must leave the old file exactly as it was, report the error and
// leave no temporary file behind.
TEST(IniFile, FailedWriteKeepsTheOldFile)
{
    const std::string dir = FreshFolder("fullfs");
    const std::string path = dir + "/settings.ini";
    const std::string old = "[Tools]\nPathToMain=/old/path\n";
    WriteBytes(path, old);

    TIniFile ini(path);
    for (int i = 0; i < 200; ++i) ini.WriteString("Big", "Key" + std::to_string(i), std::string(100, 'x'));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        ini.UpdateFile();
    } catch (const EIniFileError& e) {
        threw = true;
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(threw);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(EntriesIn(dir), 1u);
}

TEST(IniFile, OtherWriteFailuresAreReportedAndChangeNothing)
{
    const std::string dir = FreshFolder("failures");

    // The name is taken by a folder: the rename fails.
    fs::create_directories(dir + "/taken.ini/inside");
    EXPECT_THROW(WriteFileAtomically(dir + "/taken.ini", "[A]\n"), EIniFileError);
    EXPECT_TRUE(fs::is_directory(dir + "/taken.ini/inside"));

    // The folder cannot be created: a file is in its place.
    WriteBytes(dir + "/blocker", "data");
    EXPECT_THROW(WriteFileAtomically(dir + "/blocker/settings.ini", "[A]\n"), EIniFileError);
    EXPECT_EQ(ReadBytes(dir + "/blocker"), "data");

    // A settings file that exists but could not be read is not overwritten
    // with the few keys this program wrote.
    TIniFile ini(dir + "/taken.ini");
    ini.WriteInteger("A", "B", 1);
    EXPECT_THROW(ini.UpdateFile(), EIniFileError);
    EXPECT_TRUE(fs::is_directory(dir + "/taken.ini/inside"));

    EXPECT_EQ(EntriesIn(dir), 2u); // nothing left over besides the two obstacles
}
