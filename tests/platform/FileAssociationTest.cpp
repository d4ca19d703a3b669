#include "platform/FileAssociation.h"

#include "testkit/FakeDesktop.h"
#include "testkit/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>

using namespace qv;

namespace {

// One fake desktop for every lookup of this program: manifold files with a
// default application, a type that has none. GIO passes over a desktop
// entry whose program does not exist, so the program is a real script.
class FileAssociation : public testing::Test {
protected:
    static inline std::unique_ptr<qv::test::TFakeDesktop> Desktop;
    static inline std::string Exec;

    static void SetUpTestSuite()
    {
        const std::string program = qv::test::TempPath("Quorvane Design");
        qv::test::WriteScript(program, "exit 0\n");
        Exec = "\"" + program + "\" --open %f";
        Desktop = std::make_unique<qv::test::TFakeDesktop>(
            qv::test::TempPath("desktop"),
            std::vector<qv::test::TFakeFileType>{{"application/x-qv-test-manifold", "*.mnf", Exec},
                                                 {"application/x-qv-test-unowned", "*.mnx", ""}});
    }
    static void TearDownTestSuite() { Desktop.reset(); }
};

} // namespace

TEST_F(FileAssociation, DefaultApplicationsCommandLine)
{
    EXPECT_EQ(RegisteredOpenCommandForMnf(), Exec);
    EXPECT_EQ(RegisteredOpenCommand(".mnf"), Exec);
    // Desktop file types match names in any letter case.
    EXPECT_EQ(RegisteredOpenCommand(".MNF"), Exec);
}

TEST_F(FileAssociation, NothingWithoutTypeOrApplication)
{
    EXPECT_EQ(RegisteredOpenCommand(".mnx"), ""); // a type, but no application for it
    EXPECT_EQ(RegisteredOpenCommand(".qv-no-such-type"), "");
    EXPECT_EQ(RegisteredOpenCommand(""), "");
}

TEST(ProgramInPath, FindsWhatTheShellWouldRun)
{
    const std::string sh = FindProgramInPath("sh");
    ASSERT_FALSE(sh.empty());
    EXPECT_EQ(sh.front(), '/');
    EXPECT_EQ(sh.substr(sh.size() - 3), "/sh");
    EXPECT_EQ(FindProgramInPath("qv-no-such-program-anywhere"), "");
    EXPECT_EQ(FindProgramInPath("/opt/x/design"), "/opt/x/design"); // a path stays as it is
    EXPECT_EQ(FindProgramInPath(""), "");
}
