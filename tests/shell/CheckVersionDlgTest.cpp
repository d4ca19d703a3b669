// The version check dialog against a local download server: its layout on
// the logo, the three conclusions of a check and the buttons each leaves,
// the automatic check kept on closing, the upgrade request by mail, and
// Execute running the download dialog after Update.
#include "UpdateDialogSupport.h"

#include "core/Encoding.h"
#include "platform/ProgramIdentity.h"
#include "platform/SettingsFolders.h"
#include "shell/CheckVersionDlg.h"
#include "shell/UpdateProgramDlg.h"
#include "update/UpdateCheck.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>

using namespace qv;
using namespace qv::test;

namespace {

class CheckVersionDlg : public UpdateDialogTest {
protected:
    void TearDown() override
    {
        SetDpiOverride(0);
        WhatsNewUrl.clear();
        UpdateDialogTest::TearDown();
    }
    // A dialog that has checked against a server offering 2022 build 46.
    void CheckedNewer(TCheckVersionDlg& dialog) { dialog.SpeedButtonCheckClick(); }
};

const char* const kNewer = "[Version]\r\nVersion=2022\r\nBuild=46\r\n";

std::string VersionRequests(const TLocalUpdateServer& server)
{
    std::string seen;
    for (const TSeenRequest& r : server.Requests())
        if (r.Target == VersionPath()) seen += "v";
        else seen += "?" + r.Target;
    return seen;
}

} // namespace

// Design positions at 96 and 144 dots per inch: the controls the design
// places by coordinates, and those placed from the logo's edges.
TEST_F(CheckVersionDlg, LayoutScalesWithTheDensity)
{
    for (int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        SetDpiOverride(dpi);
        TCheckVersionDlg dialog;
        const auto px = [&](int p) { return ToDPI(p, dpi); };
        const QSize client(px(650), px(350));
        EXPECT_EQ(dialog.size(), client);
        EXPECT_EQ(dialog.Image1->geometry(), QRect(QPoint(0, 0), client));
        EXPECT_EQ(dialog.Label1->pos(), QPoint(px(26), px(192)));
        EXPECT_EQ(dialog.LabelCurrentVersion->pos(), QPoint(px(114), px(192)));
        EXPECT_EQ(dialog.LabelLatestVersion->pos(), QPoint(px(114), px(208)));
        EXPECT_EQ(dialog.SpeedButtonCheck->geometry(), QRect(px(16), px(232), px(117), px(25)));
        EXPECT_EQ(dialog.LabelConclusion->pos(), QPoint(px(26), px(232)));
        EXPECT_EQ(dialog.SpeedButtonUpdate->geometry(), QRect(px(24), px(256), px(129), px(33)));
        EXPECT_EQ(dialog.SpeedButtonWhatIsNew->geometry(), QRect(px(160), px(256), px(121), px(33)));
        EXPECT_EQ(dialog.SpeedButtonContact->geometry(), QRect(px(24), px(296), px(129), px(25)));
        EXPECT_EQ(dialog.LabelViewer->pos(), QPoint(px(480), px(150)));
        const QRect x = dialog.SpeedButton1->geometry();
        EXPECT_EQ(x.right() + 1, client.width() - px(4));
        EXPECT_EQ(x.top(), px(4));
        // The bottom line: the identity text on the left, the check box 8 in
        // from the right with its caption 8 to its left.
        const QRect label7 = dialog.Label7->geometry(), box = dialog.CheckBoxAutoUpgradeCheck->geometry(),
                    caption = dialog.LabelCheckUpgrade->geometry();
        EXPECT_EQ(label7.left(), px(8));
        EXPECT_EQ(label7.bottom() + 1, client.height() - px(4));
        EXPECT_EQ(box.right() + 1, client.width() - px(8));
        EXPECT_EQ(box.top(), label7.top());
        EXPECT_EQ(caption.right() + 1, box.left() - px(8));
        EXPECT_EQ(caption.top(), label7.top());
        // Fonts in design pixels.
        EXPECT_EQ(dialog.SpeedButtonCheck->font().pixelSize(), px(17));
        EXPECT_EQ(dialog.SpeedButtonUpdate->font().pixelSize(), px(19));
        EXPECT_EQ(dialog.Label1->font().pixelSize(), px(11));
        EXPECT_EQ(dialog.LabelViewer->font().pixelSize(), px(32));
    }
}

TEST_F(CheckVersionDlg, StartsNotCheckedWithOnlyCheckNow)
{
    SaveAutomatically(false);
    TCheckVersionDlg dialog;
    EXPECT_EQ(dialog.LabelCurrentVersion->text(), "2022 build 45");
    EXPECT_EQ(dialog.LabelLatestVersion->text(), "Not checked.");
    EXPECT_EQ(dialog.Label1->text(), "Current Version:");
    EXPECT_EQ(dialog.Label2->text(), "Latest Version:");
    EXPECT_EQ(dialog.LabelCheckUpgrade->text(), "Check for upgrades automatically");
    EXPECT_EQ(dialog.Label7->text(), "");
    EXPECT_FALSE(dialog.CheckBoxAutoUpgradeCheck->isChecked()); // from the settings
    EXPECT_FALSE(dialog.SpeedButtonCheck->isHidden());
    for (QWidget* w : std::initializer_list<QWidget*>{dialog.LabelConclusion, dialog.SpeedButtonUpdate,
                                                      dialog.SpeedButtonWhatIsNew, dialog.SpeedButtonContact})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(dialog.SpeedButtonCheck->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(dialog.SpeedButtonCheck->font().underline());
    EXPECT_TRUE(dialog.SpeedButtonCheck->font().bold());
    EXPECT_EQ(dialog.LabelLatestVersion->palette().color(QPalette::WindowText), QColor(70, 70, 79));
    EXPECT_EQ(dialog.SpeedButtonCheck->palette().color(QPalette::ButtonText), QColor(70, 70, 79));
    EXPECT_FALSE(dialog.RunUpdater());
}

// What a check concludes from the server's answer, and what it leaves to
// press.
TEST_F(CheckVersionDlg, CheckNowConcludesFromTheServersAnswer)
{
    const QString newer = "A new version is available.", latest = "You have the latest version.",
                  unable = "Unable to check for new version.",
                  blocked = "Error: Internet access is most likely blocked.";
    struct Case {
        const char* Name;
        int Status;
        std::string Body;
        QString Latest, Conclusion;
        bool UpdateShown;
    };
    const std::vector<Case> cases = {
        {"newer build", 200, kNewer, "2022 build 46", newer, true},
        {"same build", 200, VersionFileText("2022", "45"), "2022 build 45", latest, false},
        {"older year", 200, VersionFileText("2021", "999"), "2021 build 999", latest, false},
        {"newer year", 200, VersionFileText("2023", "1"), "2023 build 1", newer, true},
        {"missing keys", 200, "[Other]\r\nX=1\r\n", blocked, unable, false},
        {"not found", 404, "", blocked, unable, false},
    };
    // One server for all: each case's version file lies below a folder of
    // its own, which the case takes as the server's address.
    std::vector<TServedRoute> routes;
    for (size_t i = 0; i < cases.size(); ++i) {
        TServedRoute route = VersionRoute(cases[i].Body);
        route.Path = "/case" + std::to_string(i) + route.Path;
        route.Status = cases[i].Status;
        routes.push_back(route);
    }
    TLocalUpdateServer server(routes);
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.Name);
        UseServer(server.Url("/case" + std::to_string(i)));
        TCheckVersionDlg dialog;
        dialog.SpeedButtonCheckClick();
        EXPECT_EQ(dialog.LabelLatestVersion->text(), c.Latest);
        EXPECT_EQ(dialog.LabelConclusion->text(), c.Conclusion);
        EXPECT_FALSE(dialog.LabelConclusion->isHidden());
        EXPECT_TRUE(dialog.SpeedButtonCheck->isHidden());
        EXPECT_EQ(!dialog.SpeedButtonUpdate->isHidden(), c.UpdateShown);
        EXPECT_EQ(!dialog.SpeedButtonContact->isHidden(), c.UpdateShown);
        EXPECT_TRUE(dialog.SpeedButtonWhatIsNew->isHidden()); // WhatsNewUrl is empty
        ASSERT_EQ(server.Requests().size(), i + 1);
        EXPECT_EQ(server.Requests().back().Target, routes[i].Path);
    }
    // Nobody answers at all.
    UseServer(closedPort.Url());
    TCheckVersionDlg dialog;
    dialog.SpeedButtonCheckClick();
    EXPECT_EQ(dialog.LabelLatestVersion->text(), blocked);
    EXPECT_EQ(dialog.LabelConclusion->text(), unable);
    EXPECT_TRUE(dialog.SpeedButtonUpdate->isHidden());
}

// The check lets the window's events run while it waits: Check Now is
// disabled meanwhile, and a second click starts no second check. The server
// holds its answer until the timer has run.
TEST_F(CheckVersionDlg, NoSecondCheckWhileOneRuns)
{
    const std::string go = NewTempFolder("hold") + "/go";
    TServedRoute version = VersionRoute(kNewer);
    version.HoldFile = go;
    TLocalUpdateServer server({version});
    UseServer(server);
    InstallTransferIdleHandler();
    TCheckVersionDlg dialog;
    dialog.show();
    bool fired = false, enabledDuringCheck = true;
    QTimer::singleShot(0, [&] {
        fired = true;
        enabledDuringCheck = dialog.SpeedButtonCheck->isEnabled();
        WriteBytes(go, ""); // a second check, if one started, would be answered
        dialog.SpeedButtonCheckClick();
    });
    dialog.SpeedButtonCheckClick();
    EXPECT_TRUE(fired);
    EXPECT_FALSE(enabledDuringCheck);
    EXPECT_EQ(VersionRequests(server), "v");
    EXPECT_EQ(dialog.LabelConclusion->text(), "A new version is available.");
}

// With an address for it, "What is new..." comes with a newer version and
// fetches the document into the Downloads folder, then opens it.
TEST_F(CheckVersionDlg, WhatIsNewFetchesAndOpensTheDocument)
{
    TServedRoute pdf = RouteAt("/news/whatsnew.pdf");
    pdf.Body = "%PDF-1.4 news";
    TLocalUpdateServer server({VersionRoute(kNewer), pdf});
    UseServer(server);
    WhatsNewUrl = server.Url("/news/whatsnew.pdf");
    TCheckVersionDlg dialog;
    dialog.SpeedButtonCheckClick();
    ASSERT_FALSE(dialog.SpeedButtonWhatIsNew->isHidden());
    dialog.SpeedButtonWhatIsNewClick();
    const std::string file = DownloadsFolder() + "QuorvaneViewer - What is New.pdf";
    EXPECT_EQ(ReadBytes(file), "%PDF-1.4 news");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toStdString(), file);
    EXPECT_TRUE(messages.empty());

    // Gone from the server: an error, and the old copy is gone too.
    WhatsNewUrl = server.Url("/news/missing.pdf");
    dialog.SpeedButtonWhatIsNewClick();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icon, QMessageBox::Critical);
    EXPECT_EQ(messages[0].Text, "Cannot download information");
    EXPECT_FALSE(std::filesystem::exists(file));
}

// Unchecking the box and closing with Esc turns the automatic check off:
// the next start asks the server nothing. Every way of closing stores it.
TEST_F(CheckVersionDlg, ClosingKeepsTheAutomaticCheckSetting)
{
    TLocalUpdateServer server({VersionRoute(kNewer)});
    UseServer(server);
    ASSERT_TRUE(LoadUpgradeSettings().Automatically);
    {
        TCheckVersionDlg dialog;
        ASSERT_TRUE(dialog.CheckBoxAutoUpgradeCheck->isChecked());
        dialog.show();
        dialog.CheckBoxAutoUpgradeCheck->click();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_FALSE(LoadUpgradeSettings().Automatically);
    EXPECT_FALSE(TCheckVersionDlg::UpgradeAvailable());
    EXPECT_EQ(VersionRequests(server), "");

    // On again, closed with the "X": the check is due (never checked) and
    // finds the newer version.
    {
        TCheckVersionDlg dialog;
        dialog.show();
        dialog.CheckBoxAutoUpgradeCheck->click();
        dialog.SpeedButton1->click();
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_TRUE(LoadUpgradeSettings().Automatically);
    EXPECT_TRUE(TCheckVersionDlg::UpgradeAvailable());
    EXPECT_EQ(VersionRequests(server), "v");

    // Off, closed with Update.
    {
        TCheckVersionDlg dialog;
        dialog.show();
        dialog.SpeedButtonCheckClick();
        dialog.CheckBoxAutoUpgradeCheck->click();
        dialog.SpeedButtonUpdate->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(dialog.RunUpdater());
        EXPECT_EQ(dialog.NewVersion(), "2022 build 46");
    }
    EXPECT_FALSE(LoadUpgradeSettings().Automatically);
}

TEST_F(CheckVersionDlg, UpgradeRequestLinesAndMailLink)
{
    const std::vector<std::string> lines = UpgradeRequestLines("2022 build 45", "2022 build 46");
    const std::string hyphens(26, '-');
    EXPECT_EQ(lines, (std::vector<std::string>{"Mail To: " + SupportAddress, "Request upgrade link for QuorvaneViewer",
                                               hyphens, "Current:   2022 build 45", "Available: 2022 build 46",
                                               hyphens, hyphens}));
    EXPECT_EQ(UpgradeRequestMailUrl({lines.begin() + 1, lines.end()}),
              "mailto:" + SupportAddress + "?Subject=QuorvaneViewer upgrade Request&Body=" +
                  "%0D%0ARequest upgrade link for QuorvaneViewer%0D%0A" + hyphens +
                  "%0D%0ACurrent:   2022 build 45%0D%0AAvailable: 2022 build 46%0D%0A" + hyphens + "%0D%0A" +
                  hyphens);
    EXPECT_EQ(UpgradeRequestFileName(), "QuorvaneViewer_UpgradeRequest.txt");
}

// Contact: the request is saved on the Desktop and in Documents, then sent
// by mail (Yes) or left for the user to send (No); the boxes in order.
TEST_F(CheckVersionDlg, ContactSavesTheRequestAndOffersTheMail)
{
    TLocalUpdateServer server({VersionRoute(kNewer)});
    const QString file = "QuorvaneViewer_UpgradeRequest.txt", address = QString::fromStdString(SupportAddress);
    const QString where = "\r\nThe text file can be found on the Desktop.";
    const QString mailStarts = "Your E-Mail program will now be started.\r\nIf not, then please send the text "
                               "file\r\n\"" + file + "\" to " + address + where;
    const QString cannotMail = "Cannot create E-Mail, please send the text file\r\n\"" + file + "\" to " + address + where;
    const QString pleaseSend = "Please send the text file\r\n\"" + file + "\" to " + address + where;
    const QString ask = "Do you wish create an upgrade Request E-Mail automatically?";
    const QString view = "Do you wish to view the text file?";
    const std::string hyphens(26, '-');
    const std::string mailUrl = "mailto:" + SupportAddress + "?Subject=QuorvaneViewer upgrade Request&Body=" +
                                "%0D%0ARequest upgrade link for QuorvaneViewer%0D%0A" + hyphens +
                                "%0D%0ACurrent:   2022 build 45%0D%0AAvailable: 2022 build 46%0D%0A" + hyphens +
                                "%0D%0A" + hyphens;
    using B = QMessageBox;
    struct Case {
        const char* Name;
        std::vector<B::StandardButton> Answers;
        bool MailOpens;
        std::vector<QString> Messages;
        int Opened; // 0 nothing, 1 the mail link, 2 the Desktop copy, 3 both
    };
    const std::vector<Case> cases = {
        {"mail", {B::Yes}, true, {ask, mailStarts}, 1},
        {"no mail program", {B::Yes, B::No}, false, {ask, mailStarts, cannotMail, view}, 1},
        {"send it myself", {B::No, B::Yes}, true, {ask, pleaseSend, view}, 2},
        {"send it myself, no view", {B::No, B::No}, true, {ask, pleaseSend, view}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        UseServer(server);
        messages.clear();
        opened.clear();
        answers.assign(c.Answers.begin(), c.Answers.end());
        openSucceeds = c.MailOpens;
        TCheckVersionDlg dialog;
        CheckedNewer(dialog);
        dialog.SpeedButtonContactClick();
        std::vector<QString> texts;
        for (const TShownMessage& m : messages) texts.push_back(m.Text);
        EXPECT_EQ(texts, c.Messages);
        EXPECT_TRUE(answers.empty());
        std::vector<QString> expectOpened;
        if (c.Opened & 1) expectOpened.push_back(QString::fromStdString(mailUrl));
        if (c.Opened & 2) expectOpened.push_back(QString::fromStdString(home + "/Desktop/") + file);
        EXPECT_EQ(opened, expectOpened);
        // Both copies, with Windows line ends.
        const std::string text = "Mail To: " + SupportAddress + "\r\nRequest upgrade link for QuorvaneViewer\r\n" +
                                 std::string(26, '-') + "\r\nCurrent:   2022 build 45\r\nAvailable: 2022 build 46\r\n" +
                                 std::string(26, '-') + "\r\n" + std::string(26, '-') + "\r\n";
        EXPECT_EQ(ReadBytes(home + "/Desktop/" + file.toStdString()), text);
        EXPECT_EQ(ReadBytes(home + "/Documents/" + file.toStdString()), text);
    }
    // The mail program could not open and the user wants to see the file,
    // which cannot be opened either.
    UseServer(server);
    messages.clear();
    answers = {B::Yes, B::Yes};
    openSucceeds = false;
    TCheckVersionDlg dialog;
    CheckedNewer(dialog);
    dialog.SpeedButtonContactClick();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[2].Text, cannotMail);
    EXPECT_EQ(messages[4].Icon, QMessageBox::Critical);
    EXPECT_EQ(messages[4].Text, "Cannot open " + QString::fromStdString(home) + "/Desktop/" + file + " !");
}

TEST_F(CheckVersionDlg, ContactCancelledOrUnableToSave)
{
    TLocalUpdateServer server({VersionRoute(kNewer)});
    UseServer(server);
    const std::string file = UpgradeRequestFileName();
    {
        answers = {QMessageBox::Cancel};
        TCheckVersionDlg dialog;
        CheckedNewer(dialog);
        dialog.SpeedButtonContactClick();
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_FALSE(std::filesystem::exists(home + "/Desktop/" + file));
    }
    // A Documents folder that cannot be made (a file is in its way): the
    // Desktop copy is written, then an error ends the command.
    const std::string blocker = home + "/not a folder";
    WriteBytes(blocker, "");
    WriteBytes(std::string(std::getenv("XDG_CONFIG_HOME")) + "/user-dirs.dirs",
               "XDG_DOCUMENTS_DIR=\"" + blocker + "/Documents\"\n");
    ASSERT_EQ(DocumentsFolder(), blocker + "/Documents/"); // the user's folder list is the test's own
    messages.clear();
    answers = {QMessageBox::Yes};
    TCheckVersionDlg dialog;
    CheckedNewer(dialog);
    dialog.SpeedButtonContactClick();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].Icon, QMessageBox::Critical);
    EXPECT_EQ(messages[1].Text, "Cannot create file \"" + QString::fromStdString(blocker) + "/Documents/" +
                                    QString::fromStdString(file) + "\".");
    EXPECT_TRUE(std::filesystem::exists(home + "/Desktop/" + file));
    EXPECT_TRUE(opened.empty());
}

// Execute with the automatic check: the dialog shows already checked; after
// Update the download dialog follows with the version and the machine.
TEST_F(CheckVersionDlg, ExecuteChecksFirstAndRunsTheDownloadAfterUpdate)
{
    TServedRoute setup = RouteAt(SetupPath());
    setup.Body = "setup";
    TLocalUpdateServer server({VersionRoute(kNewer), setup});
    UseServer(server);
    QString conclusion, prompt;
    bool checkNowHidden = false;
    WhenModal([&](QWidget* modal) {
        auto* check = dynamic_cast<TCheckVersionDlg*>(modal);
        if (!check) return;
        conclusion = check->LabelConclusion->text();
        checkNowHidden = check->SpeedButtonCheck->isHidden();
        WhenModal([&](QWidget* next) {
            auto* update = dynamic_cast<TUpdateProgramDlg*>(next);
            if (!update) return;
            prompt = update->Label2->text();
            update->ButtonStart->click();
            update->Button2->click(); // where the setup program is: an information
        });
        check->SpeedButtonUpdate->click();
    });
    EXPECT_TRUE(TCheckVersionDlg::Execute(nullptr, true, false, "1A2B - 3C4D"));
    EXPECT_EQ(conclusion, "A new version is available.");
    EXPECT_TRUE(checkNowHidden);
    EXPECT_EQ(prompt, "Press Start to download \"QuorvaneViewer 2022 build 46\"");
    const std::vector<TSeenRequest> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].Target, SetupPath() + "?hdd=1A2B_-_3C4D&ver=2022-45");
    EXPECT_EQ(ReadBytes(DownloadsFolder() + "Setup QuorvaneViewer 2022 build 46.exe"), "setup");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
