#include "platform/MainSettings.h"

#include "platform/IniFiles.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

using namespace qv;

TEST(MainSettings, MissingFileOrKeysKeepTheCurrentValues)
{
    TMainSettings s{"/usr/bin/quorvane", "/home/anna"};
    EXPECT_FALSE(LoadMainSettings(qv::test::TempPath("no-main.ini"), s));
    EXPECT_EQ(s.PathToMain, "/usr/bin/quorvane");
    EXPECT_EQ(s.InitialDir, "/home/anna");

    const std::string path = qv::test::TempPath("main.ini");
    qv::test::WriteBytes(path, "[opendialog]\ninitialdir = /data/blocks \n[Extra]\nKeep=1\n");
    EXPECT_TRUE(LoadMainSettings(path, s));
    EXPECT_EQ(s.PathToMain, "/usr/bin/quorvane");
    EXPECT_EQ(s.InitialDir, "/data/blocks");

    s.PathToMain = "/opt/Quorvane/quorvane";
    SaveMainSettings(path, s);
    TMainSettings back;
    EXPECT_TRUE(LoadMainSettings(path, back));
    EXPECT_EQ(back.PathToMain, "/opt/Quorvane/quorvane");
    EXPECT_EQ(back.InitialDir, "/data/blocks");
    EXPECT_EQ(TIniFile(path).ReadInteger("Extra", "Keep", 0), 1);
}
