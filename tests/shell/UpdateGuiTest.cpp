// The main window's update commands on a real desktop: the automatic check
// after the first activation shows the version dialog already checked when
// the server has a newer version, asks nothing when the check is off or was
// made lately, and Help > Check for Update... shows the dialog unchecked.
#include "UpdateDialogSupport.h"

#include "shell/CheckVersionDlg.h"
#include "shell/MainForm.h"
#include "update/UpdateCheck.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace qv;
using namespace qv::test;

namespace {

using UpdateWindow = UpdateDialogTest;

int VersionRequests(const TLocalUpdateServer& server)
{
    int n = 0;
    for (const TSeenRequest& r : server.Requests()) n += r.Target == VersionPath();
    return n;
}

} // namespace

TEST_F(UpdateWindow, FirstActivationShowsTheDialogAlreadyChecked)
{
    TLocalUpdateServer server({VersionRoute(VersionFileText("2022", "46"))});
    UseServer(server);
    bool seen = false, windowShown = false;
    QString latest, conclusion;
    WhenModal([&](QWidget* modal) {
        auto* dialog = dynamic_cast<TCheckVersionDlg*>(modal);
        if (!dialog) return;
        seen = true;
        windowShown = dialog->parentWidget() && dialog->parentWidget()->isVisible();
        latest = dialog->LabelLatestVersion->text();
        conclusion = dialog->LabelConclusion->text();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    TMainForm form;
    form.show();
    QTRY_VERIFY_WITH_TIMEOUT(seen, 10000);
    EXPECT_TRUE(windowShown);
    EXPECT_EQ(latest, "2022 build 46");
    EXPECT_EQ(conclusion, "A new version is available.");
    // Once to learn that there is one, once more in the dialog.
    EXPECT_EQ(VersionRequests(server), 2);
    EXPECT_TRUE(form.HelpCheckForUpdatesAction->isEnabled());
}

// While the automatic check waits on a slow server the window's events
// run (a timer of the test fires while the server holds its answer); only
// Check for Update... is disabled until the check is over.
TEST_F(UpdateWindow, TheWindowWorksWhileTheCheckWaits)
{
    const std::string go = NewTempFolder("hold") + "/go";
    TServedRoute version = VersionRoute(VersionFileText("2022", "45"));
    version.HoldFile = go;
    TLocalUpdateServer server({version});
    UseServer(server);
    TMainForm form;
    bool looked = false, commandEnabled = true;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (looked || VersionRequests(server) == 0) return;
        // The check has asked and the server holds the answer.
        looked = true;
        commandEnabled = form.HelpCheckForUpdatesAction->isEnabled();
        WriteBytes(go, "");
    });
    poll.start(10);
    form.show();
    QTRY_VERIFY_WITH_TIMEOUT(looked, 10000);
    EXPECT_FALSE(commandEnabled);
    QTRY_VERIFY(form.HelpCheckForUpdatesAction->isEnabled());
    EXPECT_EQ(VersionRequests(server), 1);
}

// The check is off, or was made less than six days ago: the first
// activation asks the server nothing.
TEST_F(UpdateWindow, NoRequestWhenTheCheckIsOffOrRecent)
{
    TLocalUpdateServer server({VersionRoute(VersionFileText("2022", "46"))});
    for (bool off : {true, false}) {
        SCOPED_TRACE(off ? "off" : "recent");
        UseServer(server);
        const int before = VersionRequests(server);
        int expected = before;
        if (off) {
            SaveAutomatically(false);
        } else {
            std::string version, build;
            ASSERT_TRUE(CheckForNewerVersion(VersionFileUrl(), "2022", "45", version, build)); // sets LastChecked
            ++expected;
        }
        bool dialogShown = false;
        WhenModal([&](QWidget* modal) {
            dialogShown = true;
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        TMainForm form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(form.FirstActivationDone());
        // The check would run from a zero-time timer after the activation.
        QTest::qWait(100);
        EXPECT_FALSE(dialogShown);
        EXPECT_EQ(VersionRequests(server), expected);
    }
}

TEST_F(UpdateWindow, HelpCheckForUpdateShowsTheDialogNotChecked)
{
    TLocalUpdateServer server({VersionRoute(VersionFileText("2022", "45"))});
    UseServer(server);
    SaveAutomatically(false);
    TMainForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTRY_VERIFY(form.FirstActivationDone());
    QString before, after, conclusion;
    bool seen = false;
    WhenModal([&](QWidget* modal) {
        auto* dialog = dynamic_cast<TCheckVersionDlg*>(modal);
        if (!dialog) return;
        seen = true;
        before = dialog->LabelLatestVersion->text();
        QTest::mouseClick(dialog->SpeedButtonCheck, Qt::LeftButton);
        after = dialog->LabelLatestVersion->text();
        conclusion = dialog->LabelConclusion->text();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    form.HelpCheckForUpdatesAction->trigger(); // returns when the dialog is closed
    ASSERT_TRUE(seen);
    EXPECT_EQ(before, "Not checked.");
    EXPECT_EQ(after, "2022 build 45");
    EXPECT_EQ(conclusion, "You have the latest version.");
    EXPECT_EQ(VersionRequests(server), 1);
}
