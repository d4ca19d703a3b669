#include "shell/SaveWindows.h"

#include "core/Messages.h"
#include "platform/IniFiles.h"
#include "testkit/TestFiles.h"

#include <QDialog>
#include <QFontDatabase>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;
using namespace qv;

namespace {

std::string FreshIni(const std::string& name)
{
    const std::string path = qv::test::TempPath(name);
    fs::remove_all(path);
    return path;
}

std::unique_ptr<QWidget> MainForm()
{
    auto w = std::make_unique<QWidget>();
    w->setObjectName("MainForm");
    w->move(300, 300);
    w->resize(200, 100);
    return w;
}

QRect Placed(const QWidget& w) { return QRect(w.pos(), w.size()); }

} // namespace

TEST(SaveWindow, FirstStartUsesTheDefaultPlacementAndSavesOnDestruction)
{
    const std::string ini = FreshIni("first/Viewer_WindowPos.ini");
    auto form = MainForm();
    const TScreenRect screen = PrimaryScreenRect();
    {
        TSaveWindow keeper(ini, form.get(), FullScreen, form.get());
        EXPECT_EQ(Placed(*form), QRect(screen.Left + 20, screen.Top + 20, screen.Width - 40, screen.Height - 70));
        EXPECT_EQ(form->font().family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
        EXPECT_FALSE(fs::exists(ini)); // nothing written before the window goes
    }
    const TIniFile file(ini);
    EXPECT_EQ(ReadWindowPlacement(file, "MainForm"),
              (TWindowPlacement{wsNormal, 20 + screen.Left, 20 + screen.Top, screen.Width - 40, screen.Height - 70}));
}

TEST(SaveWindow, RestoresStoredStates)
{
    struct Case {
        const char* what;
        const char* section;
        QRect expected;
        bool maximized;
    };
    const Case cases[] = {
        {"normal", "[MainForm]\nState=0\nLeft=100\nTop=80\nWidth=640\nHeight=480\n", {100, 80, 640, 480}, false},
        {"minimised comes back normal", "[mainform]\nstate=1\nleft=100\ntop=80\nwidth=640\nheight=480\n",
         {100, 80, 640, 480}, false},
        {"maximised", "[MainForm]\nState=2\nLeft=0\nTop=0\nWidth=1000\nHeight=900\n", {0, 0, 1000, 900}, true},
    };
    for (const auto& c : cases) {
        const std::string ini = FreshIni("states.ini");
        qv::test::WriteBytes(ini, c.section);
        auto form = MainForm();
        form->setWindowState(Qt::WindowMinimized);
        TSaveWindow keeper(ini, form.get(), FullScreen, nullptr);
        EXPECT_EQ(Placed(*form), c.expected) << c.what;
        EXPECT_EQ(form->windowState().testFlag(Qt::WindowMaximized), c.maximized) << c.what;
        EXPECT_FALSE(form->windowState().testFlag(Qt::WindowMinimized)) << c.what;
    }
}

TEST(SaveWindow, PlacementOffEveryMonitorIsIgnored)
{
    const std::string ini = FreshIni("detached.ini");
    qv::test::WriteBytes(ini, "[MainForm]\nLeft=9000\nTop=80\nWidth=640\nHeight=480\n"
                              "[UpdateProgramDlg]\nLeft=9000\nTop=80\nWidth=640\nHeight=480\n");
    const TScreenRect screen = PrimaryScreenRect();

    auto form = MainForm();
    TSaveWindow keeper(ini, form.get(), FullScreen, nullptr);
    EXPECT_EQ(Placed(*form), QRect(screen.Left + 20, screen.Top + 20, screen.Width - 40, screen.Height - 70));

    // A dialog stays where its design puts it.
    QDialog dialog;
    dialog.setObjectName("UpdateProgramDlg");
    dialog.move(150, 160);
    dialog.resize(400, 300);
    TSaveWindowNew dialogKeeper(ini, &dialog, NoFullScreen);
    EXPECT_EQ(Placed(dialog), QRect(150, 160, 400, 300));
}

TEST(SaveWindow, FixedSizeDialogGetsItsPositionButKeepsItsSize)
{
    const std::string ini = FreshIni("fixed.ini");
    qv::test::WriteBytes(ini, "[AboutDlg]\nState=0\nLeft=50\nTop=60\nWidth=800\nHeight=600\n");
    QDialog dialog;
    dialog.setObjectName("AboutDlg");
    dialog.setFixedSize(300, 200);
    TSaveWindowNew keeper(ini, &dialog, NoFullScreen);
    EXPECT_EQ(Placed(dialog), QRect(50, 60, 300, 200));
}

// Windows sharing the file each keep their own section, whatever order they
// close in, and come back where they were.
TEST(SaveWindow, SavedPlacementsComeBack)
{
    const std::string ini = FreshIni("shared/Viewer_WindowPos.ini");
    {
        auto form = MainForm();
        TSaveWindow mainKeeper(ini, form.get(), FullScreen, nullptr);
        QDialog dialog;
        dialog.setObjectName("UpdateProgramDlg");
        auto dialogKeeper = std::make_unique<TSaveWindowNew>(ini, &dialog, NoFullScreen);
        form->move(40, 50);
        form->resize(900, 700);
        form->setWindowState(Qt::WindowMaximized);
        dialog.move(200, 210);
        dialog.resize(420, 310);
        dialogKeeper.reset(); // the dialog closes first
    }
    auto form = MainForm();
    TSaveWindow mainKeeper(ini, form.get(), FullScreen, nullptr);
    EXPECT_EQ(Placed(*form), QRect(40, 50, 900, 700));
    EXPECT_TRUE(form->windowState().testFlag(Qt::WindowMaximized));
    QDialog dialog;
    dialog.setObjectName("UpdateProgramDlg");
    TSaveWindowNew dialogKeeper(ini, &dialog, NoFullScreen);
    EXPECT_EQ(Placed(dialog), QRect(200, 210, 420, 310));
}

TEST(SaveWindow, FailedSaveIsReportedAndNothingThrows)
{
    // The name is taken by a folder, so the file cannot be written.
    const std::string ini = FreshIni("blocked.ini");
    fs::create_directories(ini + "/keep");
    TMessageCollector messages;
    {
        auto form = MainForm();
        TSaveWindow keeper(ini, form.get(), FullScreen, nullptr);
        EXPECT_THROW(keeper.Save(), EIniFileError);
    }
    ASSERT_EQ(messages.Entries().size(), 1u);
    EXPECT_EQ(messages.Entries()[0].Kind, TMessageKind::Error);
    EXPECT_NE(messages.Entries()[0].Text.find("blocked.ini"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(ini + "/keep"));
}
