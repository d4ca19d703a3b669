#include "shell/DesignProgram.h"

#include "platform/FileAssociation.h"
#include "testkit/FakeDesktop.h"
#include "testkit/TestFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace qv;

TEST(DesignProgram, PathFromTheRegisteredCommandLine)
{
    struct Case { const char* commandLine; const char* path; };
    const Case cases[] = {
        // Windows registrations: the quoted program, or everything up to ".exe".
        {R"("C:\Prog\Design.exe" "%1")", R"(C:\Prog\Design.exe)"},
        {R"(C:\Prog\Design.EXE %1)", R"(C:\Prog\Design.EXE)"},
        {R"(C:\Program Files\Design\design.Exe /open "%1")", R"(C:\Program Files\Design\design.Exe)"},
        {R"("C:\Program Files\Design.exe   " "%1")", R"(C:\Program Files\Design.exe)"}, // trailing blanks go
        {R"("C:\No closing quote.exe %1)", R"(C:\No closing quote.exe %1)"},
        // Desktop entries: the quoted program, or the first word that is no field code.
        {R"("/opt/Quorvane Design/quorvane" %F)", "/opt/Quorvane Design/quorvane"},
        {"/usr/bin/quorvane --open %f", "/usr/bin/quorvane"},
        {"quorvane %U", "quorvane"},
        {"  %f quorvane", "quorvane"},
        {"%u", ""},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(DesignProgramFromCommandLine(c.commandLine), c.path) << c.commandLine;
}

namespace {

// An input box that records what it was asked and answers as told.
struct TFakeInputBox {
    std::optional<std::string> Answer;
    int Calls = 0;
    std::string Caption, Prompt, Initial;
    TAskPath Ask()
    {
        return [this](const std::string& caption, const std::string& prompt, const std::string& initial) {
            ++Calls;
            Caption = caption;
            Prompt = prompt;
            Initial = initial;
            return Answer;
        };
    }
};

} // namespace

TEST(DesignProgram, InputBoxWhenNoProgramIsThere)
{
    const std::string program = qv::test::TempPath("design.exe");
    qv::test::WriteScript(program, "exit 0\n");

    TFakeInputBox box;
    EXPECT_EQ(ResolveDesignProgramPath(box.Ask(), "\"" + program + "\" \"%1\""), program);
    EXPECT_EQ(box.Calls, 0);

    // Missing program: the user is asked with the found path as a start.
    const std::string missing = qv::test::TempPath("gone") + "/Design.exe";
    box.Answer = "/typed/path";
    EXPECT_EQ(ResolveDesignProgramPath(box.Ask(), missing + " %1"), "/typed/path");
    EXPECT_EQ(box.Calls, 1);
    EXPECT_EQ(box.Caption, "Path to QuorvaneViewer");
    EXPECT_EQ(box.Prompt, "Enter the path to QuorvaneViewer:");
    EXPECT_EQ(box.Initial, missing);

    // No registration at all; a folder is no program either.
    EXPECT_EQ(ResolveDesignProgramPath(box.Ask(), ""), "/typed/path");
    EXPECT_EQ(box.Initial, "");
    std::filesystem::create_directories(qv::test::TempPath("folder.exe"));
    EXPECT_EQ(ResolveDesignProgramPath(box.Ask(), qv::test::TempPath("folder.exe")), "/typed/path");

    // Cancel gives no path.
    box.Answer.reset();
    EXPECT_EQ(ResolveDesignProgramPath(box.Ask(), missing), "");
    EXPECT_EQ(box.Calls, 4);
}

TEST(DesignProgram, BareProgramNameIsLookedUpInPath)
{
    const std::string folder = qv::test::TempPath("bin");
    std::filesystem::create_directories(folder);
    qv::test::WriteScript(folder + "/qv-design-program", "exit 0\n");
    const char* oldPath = std::getenv("PATH");
    const std::string saved = oldPath ? oldPath : "";
    setenv("PATH", (folder + ":" + saved).c_str(), 1);
    TFakeInputBox box;
    const std::string path = ResolveDesignProgramPath(box.Ask(), "qv-design-program %U");
    setenv("PATH", saved.c_str(), 1);
    EXPECT_EQ(path, folder + "/qv-design-program");
    EXPECT_EQ(box.Calls, 0);
}

namespace {

// Open In Quorvane... with counted resolutions, questions and starts.
struct THandOff {
    std::vector<std::string> Resolutions; // what each resolution gives, in turn
    size_t Resolved = 0;
    bool ConfirmAnswer = true;
    std::vector<std::string> Questions;
    std::vector<std::pair<std::string, std::string>> Started;

    explicit THandOff(std::vector<std::string> resolutions) : Resolutions(std::move(resolutions)) {}

    void Run(std::string& path, const std::string& document)
    {
        OpenInDesignProgram(
            path, document,
            [this] { return Resolved < Resolutions.size() ? Resolutions[Resolved++] : std::string(); },
            [this](const std::string& q) { Questions.push_back(q); return ConfirmAnswer; },
            [this](const std::string& program, const std::string& file) { Started.emplace_back(program, file); });
    }
};

} // namespace

TEST(DesignProgram, OpenInDesignProgramSteps)
{
    const std::string doc = "/home/u/Block A.mnf";
    {   // Nothing remembered: the resolved path is kept and started.
        THandOff h({"/opt/q/Design"});
        std::string path;
        h.Run(path, doc);
        EXPECT_EQ(path, "/opt/q/Design");
        EXPECT_TRUE(h.Questions.empty());
        ASSERT_EQ(h.Started.size(), 1u);
        EXPECT_EQ(h.Started[0], std::make_pair(std::string("/opt/q/Design"), doc));
    }
    {   // The same path apart from letter case: no question.
        THandOff h({R"(c:\prog\design.exe)"});
        std::string path = R"(C:\Prog\Design.EXE)";
        h.Run(path, doc);
        EXPECT_TRUE(h.Questions.empty());
        EXPECT_EQ(path, R"(C:\Prog\Design.EXE)");
        ASSERT_EQ(h.Started.size(), 1u);
        EXPECT_EQ(h.Started[0].first, R"(C:\Prog\Design.EXE)");
    }
    {   // Different, answered Yes: the remembered path stays; the question
        // shows the second resolution.
        THandOff h({"/opt/new/Design", "/opt/newer/Design"});
        std::string path = "/opt/old/Design";
        h.Run(path, doc);
        ASSERT_EQ(h.Questions.size(), 1u);
        EXPECT_EQ(h.Questions[0], "The current path to QuorvaneViewer\n/opt/old/Design\n"
                                  "is not equal to the path in the registry!\n/opt/newer/Design\nIs this correct?");
        EXPECT_EQ(h.Resolved, 2u);
        EXPECT_EQ(path, "/opt/old/Design");
        ASSERT_EQ(h.Started.size(), 1u);
        EXPECT_EQ(h.Started[0].first, "/opt/old/Design");
    }
    {   // Answered No: a third resolution becomes the path.
        THandOff h({"/a", "/b", "/c"});
        h.ConfirmAnswer = false;
        std::string path = "/old";
        h.Run(path, doc);
        EXPECT_EQ(h.Resolved, 3u);
        EXPECT_EQ(path, "/c");
        ASSERT_EQ(h.Started.size(), 1u);
        EXPECT_EQ(h.Started[0].first, "/c");
    }
    {   // Input box cancelled: no path, nothing started.
        THandOff h({""});
        std::string path;
        h.Run(path, doc);
        EXPECT_EQ(path, "");
        EXPECT_TRUE(h.Started.empty());
    }
    {   // No document: nothing at all.
        THandOff h({"/a"});
        std::string path;
        h.Run(path, "");
        EXPECT_EQ(h.Resolved, 0u);
        EXPECT_TRUE(h.Started.empty());
    }
}

namespace {

// The desktop of this program: manifold files opened by a script that
// writes the file name it was given into a file (the script's name and
// the file's name have blanks).
class DesignProgramOnDesktop : public testing::Test {
protected:
    static inline std::unique_ptr<qv::test::TFakeDesktop> Desktop;
    static inline std::string Program, Received;

    static void SetUpTestSuite()
    {
        Program = qv::test::TempPath("Quorvane Design");
        Received = qv::test::TempPath("received.txt");
        qv::test::WriteScript(Program, "printf '%s' \"$1\" > '" + Received + ".part' && mv '" + Received + ".part' '" +
                                           Received + "'\n");
        Desktop = std::make_unique<qv::test::TFakeDesktop>(
            qv::test::TempPath("desktop"),
            std::vector<qv::test::TFakeFileType>{{"application/x-qv-test-manifold", "*.mnf",
                                                  "\"" + Program + "\" %f"}});
    }
    static void TearDownTestSuite() { Desktop.reset(); }
};

} // namespace

TEST_F(DesignProgramOnDesktop, TheAssociatedProgramIsStartedWithTheFile)
{
    EXPECT_EQ(RegisteredOpenCommandForMnf(), "\"" + Program + "\" %f");
    TFakeInputBox box;
    EXPECT_EQ(ResolveDesignProgramPath(box.Ask()), Program);
    EXPECT_EQ(box.Calls, 0);

    // The remembered path differs only in letter case from nothing; here it
    // is empty, so the registered program is taken and started for real.
    std::string path;
    const std::string doc = qv::test::TempPath("Block A.mnf");
    std::vector<std::string> questions;
    OpenInDesignProgram(
        path, doc, [&] { return ResolveDesignProgramPath(box.Ask()); },
        [&](const std::string& q) { questions.push_back(q); return true; }, StartDesignProgram);
    EXPECT_EQ(path, Program);
    EXPECT_TRUE(questions.empty());
    // The program runs on its own; wait for what it writes (renamed into
    // place whole), as long as a loaded machine may need.
    QElapsedTimer t;
    t.start();
    while (!std::filesystem::exists(Received) && t.elapsed() < 60000) QThread::msleep(20);
    EXPECT_EQ(qv::test::ReadBytes(Received), doc);
}
