// The setup program's download against a local server: the dialog's
// states, the progress bar fed from the transfer, a server without a
// length, a failed download, closing, and Install starting the setup
// program with "/upgrade" and ending the program.
#include "UpdateDialogSupport.h"

#include "platform/SettingsFolders.h"
#include "shell/UpdateProgramDlg.h"
#include "update/UpdateCheck.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

using namespace qv;
using namespace qv::test;

namespace {

const std::string kVersion = "2022 build 46";

class UpdateProgramDlg : public UpdateDialogTest {
protected:
    std::unique_ptr<TLocalUpdateServer> server;
    std::unique_ptr<TUpdateProgramDlg> dialog;

    // The local server with Setup as the setup program's route, and the
    // dialog for 2022 build 46 on this machine, shown.
    void Serve(const TServedRoute& Setup, bool OpenDocuments = false)
    {
        server = std::make_unique<TLocalUpdateServer>(std::vector<TServedRoute>{Setup});
        UseServer(*server);
        dialog = std::make_unique<TUpdateProgramDlg>();
        dialog->SetRequest(kVersion, OpenDocuments, "1A2B - 3C4D");
        dialog->show();
    }
    static TServedRoute SetupRoute(const std::string& Body)
    {
        TServedRoute route = RouteAt(SetupPath());
        route.Body = Body;
        return route;
    }
    void TearDown() override
    {
        dialog.reset();
        SetDpiOverride(0);
        UpdateDialogTest::TearDown();
    }
};

std::string SetupFile() { return DownloadsFolder() + "Setup QuorvaneViewer 2022 build 46.exe"; }

// The values the progress bar took, as they came.
struct TProgressLog {
    std::vector<int> Values;
    TProgressLog(QProgressBar* bar)
    {
        QObject::connect(bar, &QProgressBar::valueChanged, [this](int v) { Values.push_back(v); });
    }
};

} // namespace

TEST_F(UpdateProgramDlg, LayoutAndTheReadyState)
{
    for (int dpi : {96, 120}) {
        SCOPED_TRACE(dpi);
        SetDpiOverride(dpi);
        const auto px = [&](int p) { return ToDPI(p, dpi); };
        TUpdateProgramDlg dialog;
        dialog.SetRequest(kVersion, false, "1A2B - 3C4D");
        dialog.show();
        EXPECT_EQ(dialog.size(), QSize(px(535), px(143)));
        EXPECT_EQ(dialog.Label2->pos(), QPoint(px(16), px(8)));
        EXPECT_EQ(dialog.ButtonStart->geometry(), QRect(px(16), px(32), px(121), px(25)));
        EXPECT_EQ(dialog.ProgressBar1->geometry(), QRect(px(16), px(64), px(507), px(17)));
        EXPECT_EQ(dialog.Label1->pos(), QPoint(px(16), px(88)));
        EXPECT_EQ(dialog.ButtonInstall->geometry(), QRect(px(16), px(112), px(121), px(25)));
        EXPECT_EQ(dialog.Button2->geometry(), QRect(px(447), px(112), px(75), px(25)));
        EXPECT_EQ(dialog.windowTitle(), "Upgrade QuorvaneViewer");
        EXPECT_EQ(dialog.Label2->text(), "Press Start to download \"QuorvaneViewer 2022 build 46\"");
        EXPECT_EQ(dialog.ButtonStart->text(), "Start Download...");
        EXPECT_EQ(dialog.Button2->text(), "Cancel");
        EXPECT_EQ(dialog.ButtonInstall->text(), "Install...");
        EXPECT_TRUE(dialog.ProgressBar1->isHidden());
        EXPECT_TRUE(dialog.Label1->isHidden());
        EXPECT_TRUE(dialog.ButtonInstall->isHidden());
        EXPECT_TRUE(dialog.ButtonStart->isEnabled());
        EXPECT_EQ(dialog.focusWidget(), dialog.ButtonStart);
        // Not yet downloaded: closing says nothing.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(messages.empty());
    }
}

// A setup program delivered in pieces: the bar runs from 0 to the size,
// the file is in place, and only Install and Cancel are left.
TEST_F(UpdateProgramDlg, DownloadMovesTheBarAndLeavesInstall)
{
    TServedRoute setup = RouteAt(SetupPath());
    setup.Size = 200000;
    setup.Chunk = 20000;
    setup.DelayMs = 30;
    Serve(setup);
    TProgressLog log(dialog->ProgressBar1);
    dialog->ButtonStart->click();

    EXPECT_EQ(dialog->SetupName(), SetupFile());
    EXPECT_EQ(ReadBytes(SetupFile()), PatternBytes(200000));
    EXPECT_EQ(dialog->ProgressBar1->maximum(), 200000);
    ASSERT_GE(log.Values.size(), 3u) << "the bar should move while the pieces arrive";
    EXPECT_EQ(log.Values.front(), 0);
    EXPECT_EQ(log.Values.back(), 200000);
    EXPECT_TRUE(std::is_sorted(log.Values.begin(), log.Values.end()));
    // Some values between the ends: the bar moved, it did not jump.
    EXPECT_TRUE(std::any_of(log.Values.begin(), log.Values.end(), [](int v) { return v > 0 && v < 200000; }));

    EXPECT_FALSE(dialog->ProgressBar1->isHidden());
    EXPECT_FALSE(dialog->ButtonInstall->isHidden());
    EXPECT_TRUE(dialog->ButtonInstall->isEnabled());
    EXPECT_EQ(dialog->Label1->text(), "Download Ready.");
    EXPECT_FALSE(dialog->Label1->isHidden());
    EXPECT_FALSE(dialog->ButtonStart->isEnabled());
    EXPECT_FALSE(dialog->Label2->isEnabled());
    EXPECT_TRUE(dialog->Button2->isEnabled());
    EXPECT_EQ(dialog->focusWidget(), dialog->ButtonInstall);
    const std::vector<TSeenRequest> requests = server->Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Target, SetupPath() + "?hdd=1A2B_-_3C4D&ver=2022-45");

    // Closing without installing tells where the setup program is.
    dialog->Button2->click();
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icon, QMessageBox::Information);
    EXPECT_EQ(messages[0].Text, "The Setup Program can be found in:\r\n\"" + QString::fromStdString(SetupFile()) + "\".");
}

TEST_F(UpdateProgramDlg, WithoutALengthTheMaximumStaysZero)
{
    TServedRoute setup = RouteAt(SetupPath());
    setup.Size = 50000;
    setup.ContentLength = false;
    setup.Chunk = 10000;
    setup.DelayMs = 10;
    Serve(setup);
    dialog->ButtonStart->click();
    EXPECT_EQ(dialog->ProgressBar1->maximum(), 0);
    EXPECT_EQ(ReadBytes(SetupFile()), PatternBytes(50000));
    EXPECT_FALSE(dialog->ButtonInstall->isHidden());
}

// A failed download leaves only Cancel, no file, and closing says nothing.
TEST_F(UpdateProgramDlg, FailedDownloadLeavesOnlyCancel)
{
    TServedRoute missing = RouteAt(SetupPath());
    missing.Status = 404;
    TLocalUpdateServer notFound({missing});
    for (const std::string& url : {notFound.BaseUrl(), closedPort.Url()}) {
        SCOPED_TRACE(url);
        UseServer(url);
        TUpdateProgramDlg dialog;
        dialog.SetRequest(kVersion, false, "1A2B - 3C4D");
        dialog.show();
        dialog.ButtonStart->click();
        EXPECT_TRUE(dialog.ProgressBar1->isHidden());
        EXPECT_TRUE(dialog.Label1->isHidden());
        EXPECT_TRUE(dialog.ButtonInstall->isHidden());
        EXPECT_FALSE(dialog.ButtonStart->isEnabled());
        EXPECT_TRUE(dialog.Button2->isEnabled());
        EXPECT_FALSE(std::filesystem::exists(SetupFile()));
        dialog.Button2->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(messages.empty());
    }
}

// While the download runs the window's events run (a timer fires), but
// neither Cancel nor Esc closes the dialog. The server answers only once
// the timer has done its part.
TEST_F(UpdateProgramDlg, NoClosingWhileDownloading)
{
    const std::string go = NewTempFolder("hold") + "/go";
    TServedRoute setup = RouteAt(SetupPath());
    setup.Body = "setup";
    setup.HoldFile = go;
    Serve(setup);
    InstallTransferIdleHandler();
    bool fired = false, cancelEnabled = true, downloading = false;
    QTimer::singleShot(0, [&] {
        fired = true;
        downloading = dialog->Downloading();
        cancelEnabled = dialog->Button2->isEnabled();
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        dialog->reject();
        WriteBytes(go, "");
    });
    dialog->ButtonStart->click();
    EXPECT_TRUE(fired);
    EXPECT_TRUE(downloading);
    EXPECT_FALSE(cancelEnabled);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->ButtonInstall->isHidden());
}

// Install starts the downloaded program with "/upgrade" and ends this one;
// a download that is no program gives an error and leaves Install disabled.
TEST_F(UpdateProgramDlg, InstallStartsTheSetupProgramAndEndsTheProgram)
{
    const std::string folder = NewTempFolder("install");
    const std::string out = folder + "/arguments";
    WriteArgumentsScript(folder + "/script", out);
    Serve(SetupRoute(ReadBytes(folder + "/script")));
    dialog->ButtonStart->click();
    ASSERT_FALSE(dialog->ButtonInstall->isHidden());
    dialog->ButtonInstall->click();
    ASSERT_TRUE(WaitForFile(out));
    EXPECT_EQ(ReadBytes(out), "1\n/upgrade\n");
    EXPECT_EQ(ended, 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(UpdateProgramDlg, InstallThatCannotStartSaysSo)
{
    Serve(SetupRoute("not a program"));
    dialog->ButtonStart->click();
    dialog->ButtonInstall->click();
    EXPECT_EQ(ended, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(messages[0].Text, "Cannot execute\r\n" + QString::fromStdString(SetupFile()));
    EXPECT_FALSE(dialog->ButtonInstall->isEnabled());
    EXPECT_TRUE(dialog->Button2->isEnabled());
    dialog->Button2->click(); // still tells where the file is
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_FALSE(dialog->isVisible());
}

// With documents open the user is warned first; anything but OK downloads
// nothing.
TEST_F(UpdateProgramDlg, OpenDocumentsWarningFirst)
{
    Serve(SetupRoute("setup"), true);
    answers = {QMessageBox::Cancel};
    dialog->ButtonStart->click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icon, QMessageBox::Warning);
    EXPECT_EQ(messages[0].Text, "QuorvaneViewer will be closed automatically after starting the installation\r\n"
                                "Please close/save all open documents before continuing!");
    EXPECT_EQ(messages[0].Buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_TRUE(server->Requests().empty());
    EXPECT_TRUE(dialog->ButtonStart->isEnabled());
    answers = {QMessageBox::Ok};
    dialog->ButtonStart->click();
    EXPECT_EQ(ReadBytes(SetupFile()), "setup");
}

// Totals beyond what a progress bar holds are shown in coarser units.
TEST(UpdateProgress, LargeTotalsAreScaledToFit)
{
    struct Case {
        int64_t Total;
        int Shift;
    };
    const Case cases[] = {{0, 0}, {1000, 0}, {INT_MAX, 0}, {int64_t(INT_MAX) + 1, 1}, {int64_t(1) << 33, 3},
                          {(int64_t(1) << 40) + 5, 10}, {INT64_MAX, 32}};
    for (const Case& c : cases) {
        EXPECT_EQ(ProgressShift(c.Total), c.Shift) << c.Total;
        EXPECT_LE(c.Total >> ProgressShift(c.Total), INT_MAX);
    }
}
