// Starting another program: the setup program of a new version gets its
// parameter as one argument, a download without the execute bit still
// starts, and a start that cannot happen says so.
#include "platform/StartProgram.h"

#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

using namespace qv;
using qv::test::ReadBytes;
using qv::test::TempPath;

TEST(StartProgram, PassesTheParameterAsOneArgumentAndMakesTheFileExecutable)
{
    struct Case {
        const char* Parameters;
        const char* Received; // the count, then each argument on a line
    };
    const Case cases[] = {{"/upgrade", "1\n/upgrade\n"}, {"two words", "1\ntwo words\n"}, {"", "0\n"}};
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Parameters);
        // A name with blanks, as the setup programs' names have.
        const std::string folder = TempPath("start " + std::to_string(++n));
        std::filesystem::create_directories(folder);
        const std::string program = folder + "/Setup QuorvaneViewer 2022 build 46.exe";
        const std::string out = folder + "/arguments";
        test::WriteArgumentsScript(program, out);
        struct stat before {};
        ASSERT_EQ(stat(program.c_str(), &before), 0);
        ASSERT_FALSE(before.st_mode & S_IXUSR);

        ASSERT_TRUE(StartProgram(program, c.Parameters));
        ASSERT_TRUE(test::WaitForFile(out));
        EXPECT_EQ(ReadBytes(out), c.Received);
        struct stat after {};
        ASSERT_EQ(stat(program.c_str(), &after), 0);
        EXPECT_TRUE(after.st_mode & S_IXUSR);
        // Nothing else of the mode changed.
        EXPECT_EQ(after.st_mode & ~mode_t(S_IXUSR), before.st_mode);
    }
}

TEST(StartProgram, FailsWhenThereIsNothingToStart)
{
    const std::string folder = TempPath("nothing to start");
    std::filesystem::create_directories(folder);
    // Bytes that are neither a machine program nor a script with "#!".
    const std::string notAProgram = test::WriteTempFile("not a program.exe", std::string("MZ\x90\0\3\0\0\0", 8));
    EXPECT_FALSE(StartProgram(folder + "/missing.exe", "/upgrade"));
    EXPECT_FALSE(StartProgram(folder, "/upgrade")); // a folder
    EXPECT_FALSE(StartProgram("", "/upgrade"));
    EXPECT_FALSE(StartProgram(notAProgram, "/upgrade"));
}
