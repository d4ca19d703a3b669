// The main window driven as a user drives it: start with a file, the
// enabled commands and status texts, mouse drags and the wheel, the orbit,
// the "Settings" boxes and the group filter, File > Close, a dropped file,
// what assistive technology reads, and settings kept from one run to the
// next.
#include "Drawing3DSupport.h"

#include "core/Messages.h"
#include "document/Manifolds.h"
#include "platform/SettingsFolders.h"
#include "platform/pk3DConnexion.h"
#include "testkit/Fake3DMouse.h"
#include "testkit/SampleDesigns.h"
#include "testkit/TestFiles.h"
#include "shell/Export.h"
#include "shell/MainForm.h"
#include "view3d/scene/GLSceneViewer.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMimeData>
#include <QScrollArea>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>

using namespace qv;
using namespace qv::scene;
using namespace qv::test3d;

namespace {

// A block of 120.5 x 50 x 40 mm without holes.
std::string PlainBlock(const std::string& name)
{
    auto doc = NewDesign({120.5, 50, 40});
    doc->FData.MassDensity = 7850;
    const std::string path = test::TempPath(name);
    samples::WriteDesignDocument(path, *doc, name.size() > 4 && (name.substr(name.size() - 4) == ".mvf"));
    return path;
}

// The group filter design (hole 1 a cartridge cavity with a step of group A
// among steps of B, hole 2 of group C, hole 3 of A, hole 4 without a group on
// its deepest step), with the cavity's code in small letters and hole 3
// marked selected.
std::string GroupDesign()
{
    auto doc = FilterDesign();
    doc->FHoleList.Items(0)->FStepList.GetSteps(3)->FData.GroupCode = "a";
    doc->FHoleList.Items(2)->FData.SelectedMode = 1;
    const std::string path = test::TempPath("groups.mnf");
    samples::WriteDesignDocument(path, *doc);
    return path;
}

struct TWindow {
    TMainForm form;
    explicit TWindow(std::vector<std::string> args = {}) : form(std::move(args))
    {
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(form.FirstActivationDone());
    }
};

template <class T> T* Child(QWidget& w, const char* name)
{
    T* c = w.findChild<T*>(name);
    EXPECT_NE(c, nullptr) << name;
    return c;
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods = {})
{
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}

// Press at a, move to b with the button (and modifiers) held, release.
void Drag(QWidget* w, QPoint a, QPoint b, Qt::MouseButton button, Qt::KeyboardModifiers mods = {})
{
    SendMouse(w, QEvent::MouseButtonPress, a, button, button, mods);
    SendMouse(w, QEvent::MouseMove, b, Qt::NoButton, button, mods);
    SendMouse(w, QEvent::MouseButtonRelease, b, button, Qt::NoButton, mods);
}

bool Near(const TVector3& a, const TVector3& b) { return Length(a - b) < 1e-4f; }

// A click on a check box's indicator (its middle may be past a short caption,
// where a check box takes no clicks).
void ClickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

// Visibility of the objects of each hole (by their tag's hole number).
std::map<int, std::vector<bool>> HoleVisibility(TMainForm& f)
{
    std::map<int, std::vector<bool>> out;
    TGLDummyCube* root = f.View().GLDummyCube1();
    for (int i = 0; i < root->Count(); ++i)
        if (root->Children(i)->Tag > 0) out[root->Children(i)->Tag / 10000].push_back(root->Children(i)->Visible);
    return out;
}

bool AllVisible(const std::vector<bool>& v, bool want)
{
    return !v.empty() && std::all_of(v.begin(), v.end(), [want](bool b) { return b == want; });
}

} // namespace

TEST(MainForm, StartWithFileShowsItAndItsStatus)
{
    TWindow w({PlainBlock("start.mnf")});
    TMainForm& f = w.form;
    ASSERT_TRUE(f.Loaded());
    EXPECT_EQ(f.StatusText(1), "Xmax=120.5");
    EXPECT_EQ(f.StatusText(2), "Ymax=50");
    EXPECT_EQ(f.StatusText(4), "Metric");
    EXPECT_EQ(f.StatusText(5), "1.9 kg (Net: 1.9)");
    EXPECT_EQ(f.StatusText(6), "0 hole(s)");
    EXPECT_TRUE(f.StatusText(0).endsWith("start.mnf"));
    // Save As stays off until the next status update (a resize is none).
    EXPECT_FALSE(f.FileSaveAsAction->isEnabled());
    f.resize(700, 600);
    QTRY_COMPARE(f.width(), 700);
    EXPECT_FALSE(f.FileSaveAsAction->isEnabled());
    for (QAction* a : {f.FileOpenAction, f.FileCloseAction, f.ToolsClipboardAction, f.ToolsOpenInQuorvaneAction,
                       f.FileExitAction, f.HelpAboutAction, f.HelpCheckForUpdatesAction, f.ViewRotateAction})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    EXPECT_TRUE(Child<QWidget>(f, "CategoryPanelGroup1")->isVisible());
    EXPECT_NE(f.View().ManifoldCube(), nullptr);
    EXPECT_EQ(f.FileCloseAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F4));
    EXPECT_EQ(f.FileOpenAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(f.OpenDialogInitialDir(), QString::fromStdString(std::filesystem::path(test::TempPath("x")).parent_path().string()));
}

TEST(MainForm, WithoutDocumentOnlyTheBasicCommands)
{
    TWindow w;
    TMainForm& f = w.form;
    EXPECT_FALSE(f.Loaded());
    EXPECT_FALSE(Child<QWidget>(f, "CategoryPanelGroup1")->isVisible());
    EXPECT_TRUE(Child<QWidget>(f, "Button3")->isVisible());
    for (QAction* a : {f.FileCloseAction, f.FileSaveAsAction, f.ToolsClipboardAction, f.ToolsOpenInQuorvaneAction})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(f.StatusText(i).isEmpty());
    EXPECT_EQ(f.windowTitle(), "QuorvaneViewer");
}

TEST(MainForm, OpenRulesAndFailedOpensLeaveTheWindowAsItWas)
{
    TWindow w;
    TMainForm& f = w.form;
    TMessageCollector messages;
    // A viewer file opens, but cannot be handed to the design program.
    ASSERT_TRUE(f.OpenFile(PlainBlock("view.mvf")));
    EXPECT_TRUE(f.FileSaveAsAction->isEnabled());
    EXPECT_FALSE(f.ToolsOpenInQuorvaneAction->isEnabled());
    // The extension in any letter case.
    const std::string mixed = test::TempPath("A.Mnf");
    std::filesystem::copy_file(PlainBlock("a.mnf"), mixed, std::filesystem::copy_options::overwrite_existing);
    ASSERT_TRUE(f.OpenFile(mixed));
    EXPECT_TRUE(f.ToolsOpenInQuorvaneAction->isEnabled());

    TGLBaseSceneObject* first = f.View().GLDummyCube1()->Children(0);
    first->TagFloat = 4242; // survives only while the scene is not rebuilt
    const std::string garbage = test::WriteTempFile("broken.mnf", std::string(300, 'x'));
    const std::string other = test::WriteTempFile("notes.txt", "a text");
    for (const std::string& bad : {garbage, other, test::TempPath("missing.mnf"), test::TempPath("noext")}) {
        EXPECT_FALSE(f.OpenFile(bad)) << bad;
        EXPECT_TRUE(f.Loaded());
        EXPECT_EQ(f.StatusText(1), "Xmax=120.5") << bad;
        EXPECT_EQ(f.View().GLDummyCube1()->Children(0)->TagFloat, 4242) << bad;
        EXPECT_TRUE(f.statusBar()->currentMessage().contains("could not be opened")) << bad;
        EXPECT_TRUE(f.statusBar()->currentMessage().contains(QString::fromStdString(bad)));
    }
    EXPECT_TRUE(QString::fromStdString(f.Manifold().FileName()).endsWith("A.Mnf"));
}

TEST(MainForm, CloseEmptiesTheWindowAndTheNextOpenStartsAfresh)
{
    TWindow w({GroupDesign()});
    TMainForm& f = w.form;
    f.FileCloseAction->trigger();
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(f.View().GLDummyCube1()->Count(), 0);
    EXPECT_EQ(f.View().ManifoldCube(), nullptr);
    EXPECT_FALSE(Child<QWidget>(f, "CategoryPanelGroup1")->isVisible());
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(f.StatusText(i).isEmpty()) << i;
    EXPECT_FALSE(f.FileCloseAction->isEnabled());
    ASSERT_TRUE(f.OpenFile(PlainBlock("next.mnf")));
    EXPECT_EQ(f.StatusText(6), "0 hole(s)");
    EXPECT_TRUE(f.GroupRowWidgets().empty());
    EXPECT_NE(f.View().ManifoldCube(), nullptr);
}

TEST(MainForm, MouseDragsAndWheel)
{
    TWindow w({PlainBlock("mouse.mnf")});
    TMainForm& f = w.form;
    QWidget* v = f.Viewer();
    TManifoldView& view = f.View();
    auto rotZ = [&] { return view.GLDummyRotation()->AbsoluteDirection(); };
    auto pos = [&] { return view.GLDummyCube1()->AbsolutePosition(); };
    auto dist = [&] { return view.GLCamera1()->DistanceToTarget(); };

    TVector3 z = rotZ();
    Drag(v, {200, 200}, {190, 200}, Qt::LeftButton); // rotates
    EXPECT_FALSE(Near(rotZ(), z));
    EXPECT_TRUE(Near(pos(), {0, 0, 0}));
    Drag(v, {200, 200}, {210, 190}, Qt::LeftButton, Qt::ShiftModifier); // pans
    EXPECT_GT(pos().Y, 0);
    EXPECT_GT(pos().Z, 0);
    const float d = dist();
    Drag(v, {200, 200}, {200, 220}, Qt::RightButton); // zooms out by 220/200
    EXPECT_NEAR(dist(), d * 1.1, 1e-4);

    // With Rotate checked, Shift + left still rotates and right does nothing.
    f.ViewRotateAction->trigger();
    EXPECT_EQ(f.CheckedViewMode(), TViewMode::Rotate);
    z = rotZ();
    const TVector3 p = view.GLDummyCube1()->Position(); // within the turning rotation node
    Drag(v, {200, 200}, {190, 200}, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_FALSE(Near(rotZ(), z));
    EXPECT_TRUE(Near(view.GLDummyCube1()->Position(), p));
    z = rotZ();
    const float d2 = dist();
    Drag(v, {200, 200}, {190, 230}, Qt::RightButton);
    EXPECT_TRUE(Near(rotZ(), z));
    EXPECT_FLOAT_EQ(dist(), d2);
    // The modes are exclusive and can all be cleared.
    f.ViewPanAction->trigger();
    EXPECT_FALSE(f.ViewRotateAction->isChecked());
    f.ViewPanAction->trigger();
    EXPECT_EQ(f.CheckedViewMode(), TViewMode::None);

    // One wheel notch away from the user zooms out by 1.1.
    const float d3 = dist();
    QWheelEvent wheel(QPointF(100, 100), v->mapToGlobal(QPointF(100, 100)), {}, {0, 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(v, &wheel);
    EXPECT_NEAR(dist(), d3 * 1.1, 1e-4);
}

TEST(MainForm, ContinuousOrbitUsesTheLastMovement)
{
    TWindow w({PlainBlock("orbit.mnf")});
    TMainForm& f = w.form;
    f.ContinuousOrbitAction->trigger();
    EXPECT_TRUE(f.Timer1()->isActive());
    EXPECT_EQ(f.Timer1()->interval(), 20);
    const TVector3 d0 = f.View().GLDummyCube1()->AbsoluteDirection();
    f.Timer1Timer();
    EXPECT_TRUE(Near(f.View().GLDummyCube1()->AbsoluteDirection(), d0)); // nothing moved yet
    // Ctrl held, no button: the speed is set, nothing moves.
    SendMouse(f.Viewer(), QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(f.Viewer(), QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
    const TVector3 z = f.View().GLDummyRotation()->AbsoluteDirection();
    SendMouse(f.Viewer(), QEvent::MouseMove, {95, 100}, Qt::NoButton, Qt::NoButton, Qt::ControlModifier);
    EXPECT_TRUE(Near(f.View().GLDummyRotation()->AbsoluteDirection(), z));
    f.Timer1Timer();
    EXPECT_FALSE(Near(f.View().GLDummyCube1()->AbsoluteDirection(), d0));
    f.ContinuousOrbitAction->trigger();
    EXPECT_FALSE(f.Timer1()->isActive());
}

TEST(MainForm, SettingsBoxesRebuildOrOnlyApplyFlags)
{
    TWindow w({GroupDesign()});
    TMainForm& f = w.form;
    auto* settings = Child<QWidget>(f, "CategoryPanelSettings");
    auto* header = settings->findChild<QToolButton*>();
    QTest::mouseClick(header, Qt::LeftButton);
    auto* manifold = Child<QCheckBox>(f, "CheckBoxShowManifold");
    ASSERT_TRUE(manifold->isVisible());
    const bool shown = manifold->isChecked();
    EXPECT_EQ(f.View().ManifoldCube()->Visible, shown);
    TGLBaseSceneObject* first = f.View().GLDummyCube1()->Children(0);
    first->TagFloat = 4242;
    ClickBox(manifold);
    EXPECT_NE(f.IsoSettings().fData.IsoFlags.Contains(isoManifold), shown);
    EXPECT_NE(f.View().ManifoldCube()->Visible, shown);
    EXPECT_EQ(f.View().GLDummyCube1()->Children(0)->TagFloat, 4242); // not rebuilt
    EXPECT_TRUE(f.FileSaveAsAction->isEnabled()); // the status update enables it again

    auto* plugs = Child<QCheckBox>(f, "CheckBoxPlugs");
    const bool was = plugs->isChecked();
    ClickBox(plugs);
    EXPECT_NE(f.IsoSettings().fData.IsoFlags.Contains(isoPlugs), was);
    for (int i = 0; i < f.View().GLDummyCube1()->Count(); ++i)
        EXPECT_NE(f.View().GLDummyCube1()->Children(i)->TagFloat, 4242); // rebuilt
    EXPECT_NE(f.View().ManifoldCube()->Visible, shown); // the rebuilt block keeps its flag
}

// What "More..." does once the settings dialog returned OK.
TEST(MainForm, ModifiedSettingsRebuildOnlyWhenTheyMust)
{
    TWindow w({GroupDesign()});
    TMainForm& f = w.form;
    auto mark = [&] { f.View().GLDummyCube1()->Children(0)->TagFloat = 4242; };
    auto rebuilt = [&] { return f.View().GLDummyCube1()->Children(0)->TagFloat != 4242; };
    TIsometricDrawingSettingsData before = f.IsoSettings().fData;
    mark();
    f.IsoSettings().fData.SelectColor = 0x000000FF;
    f.IsoSettings().fData.BackgroundColor = 0x00FFFFFF;
    f.IsoSettings().fData.IsoFlags.Exclude(isoHoleNumbers);
    f.IsoSettings().fData.IsoFlags.Include(isoHoleNumbers); // back as it was
    f.SettingsModified(before);
    EXPECT_FALSE(rebuilt());
    EXPECT_EQ(f.Viewer()->BackgroundColor(), 0x00FFFFFFu);
    EXPECT_TRUE(f.FileSaveAsAction->isEnabled());

    before = f.IsoSettings().fData;
    f.IsoSettings().fData.TextHeightFactor = 20;
    f.IsoSettings().fData.IsoFlags.Exclude(isoFaceNumbers);
    f.SettingsModified(before);
    EXPECT_TRUE(rebuilt());
    EXPECT_FALSE(Child<QCheckBox>(f, "CheckBoxFaceNumbers")->isChecked()); // the boxes follow
}

// Save As... proposes the document's name as a bitmap, writes a BMP with a
// white background whatever the chosen extension, and the view keeps its
// own background; Cancel writes nothing.
TEST(MainForm, SaveAsWritesTheViewAsBmpOnWhite)
{
    TWindow w({PlainBlock("Block A.mnf")});
    TMainForm& f = w.form;
    f.IsoSettings().fData.BackgroundColor = 0x00FF0000; // blue
    f.Viewer()->SetBackgroundColor(0x00FF0000);
    QString proposed, folder;
    const std::string out = test::TempPath("saved picture.png");
    std::filesystem::remove(out);
    f.ChooseSaveFile = [&](const QString& Folder, const QString& Proposed) {
        folder = Folder;
        proposed = Proposed;
        return QString();
    };
    f.FileSaveAsActionExecute();
    EXPECT_EQ(proposed, "Block A.bmp");
    EXPECT_EQ(folder, f.SaveDialogInitialDir());
    EXPECT_FALSE(std::filesystem::exists(out)); // cancelled

    f.ChooseSaveFile = [&](const QString&, const QString&) { return QString::fromStdString(out); };
    f.FileSaveAsActionExecute();
    ASSERT_TRUE(std::filesystem::exists(out));
    EXPECT_EQ(test::ReadBytes(out).substr(0, 2), "BM");
    const QImage picture(QString::fromStdString(out), "BMP");
    ASSERT_FALSE(picture.isNull());
    EXPECT_GE(picture.width(), f.Viewer()->width());
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_EQ(f.Viewer()->BackgroundColor(), 0x00FF0000u);
    const QImage screen = f.Viewer()->grabFramebuffer();
    EXPECT_EQ(screen.pixelColor(2, 2), QColor(0, 0, 255));
}

// Clipboard puts the picture of the view on the clipboard, through the
// temporary bitmap that stays behind.
TEST(MainForm, ClipboardGetsThePicture)
{
    TWindow w({PlainBlock("clip.mnf")});
    TMainForm& f = w.form;
    QApplication::clipboard()->clear();
    f.ToolsClipboardActionExecute();
    const QImage pasted = QApplication::clipboard()->image();
    ASSERT_FALSE(pasted.isNull());
    EXPECT_GE(pasted.width(), f.Viewer()->width());
    EXPECT_EQ(pasted.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_TRUE(std::filesystem::exists(ClipboardPictureFile().toStdString()));
}

// Open In Quorvane...: the path comes from the input box when the desktop
// knows no program; a second hand-off with the same answer asks nothing and
// starts the program with the document.
TEST(MainForm, OpenInQuorvaneStartsTheProgramWithTheDocument)
{
    const std::string design = PlainBlock("handoff.mnf");
    TWindow w({design});
    TMainForm& f = w.form;
    const std::string program = test::TempPath("design-program");
    test::WriteBytes(program, "#!/bin/sh\n");
    int asked = 0, confirmed = 0;
    std::vector<std::pair<std::string, std::string>> started;
    f.AskDesignProgramPath = [&](const std::string&, const std::string&, const std::string&) {
        ++asked;
        return std::optional<std::string>(program);
    };
    f.ConfirmDesignProgramPath = [&](const std::string&) { ++confirmed; return true; };
    f.StartProgram = [&](const std::string& p, const std::string& file) { started.emplace_back(p, file); };
    f.ToolsOpenInQuorvaneActionExecute();
    EXPECT_EQ(f.PathToQuorvane(), program);
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0].first, program);
    EXPECT_EQ(started[0].second, f.Manifold().FFileName);
    EXPECT_GE(asked, 1);

    // Cancelled input box with no path known: nothing starts.
    TWindow w2({design});
    w2.form.AskDesignProgramPath = [&](const std::string&, const std::string&, const std::string&) {
        return std::optional<std::string>();
    };
    w2.form.StartProgram = [&](const std::string& p, const std::string& file) { started.emplace_back(p, file); };
    w2.form.ToolsOpenInQuorvaneActionExecute();
    EXPECT_EQ(w2.form.PathToQuorvane(), "");
    EXPECT_EQ(started.size(), 1u);
}

// "More...": the settings dialog opens modally on the window's settings;
// Cancel changes nothing, OK applies what changed.
TEST(MainForm, MoreOpensTheSettingsDialog)
{
    TWindow w({GroupDesign()});
    TMainForm& f = w.form;
    const auto closeDialog = [](bool ok, bool untickFaceNumbers) {
        QTimer::singleShot(0, [ok, untickFaceNumbers] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(d->windowTitle(), "Isometric View Settings");
            if (untickFaceNumbers) d->findChild<QCheckBox*>("CheckBoxFaceNumbers")->setChecked(false);
            ok ? d->accept() : d->reject();
        });
    };
    const TIsometricDrawingFlags flags = f.IsoSettings().fData.IsoFlags;
    ASSERT_TRUE(flags.Contains(isoFaceNumbers));
    closeDialog(false, true);
    f.SpeedButtonExtraClick();
    EXPECT_EQ(f.IsoSettings().fData.IsoFlags, flags);

    closeDialog(true, true);
    f.SpeedButtonExtraClick();
    EXPECT_FALSE(f.IsoSettings().fData.IsoFlags.Contains(isoFaceNumbers));
    EXPECT_FALSE(Child<QCheckBox>(f, "CheckBoxFaceNumbers")->isChecked());
}

TEST(MainForm, GroupFilterOnCartridgeDesign)
{
    TWindow w({GroupDesign()});
    TMainForm& f = w.form;
    const auto& rows = f.GroupRowWidgets();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Label->text(), "A");
    EXPECT_TRUE(rows[0].CheckBox->isChecked());
    EXPECT_EQ(rows[0].Label->y(), rows[0].CheckBox->y());
    EXPECT_EQ(rows[2].Label->y(), rows[2].CheckBox->y());

    ClickBox(rows[0].CheckBox); // group A alone
    EXPECT_EQ(f.VisibleGroupNames(), std::vector<std::string>{"A"});
    EXPECT_FALSE(rows[1].CheckBox->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(f, "CheckBoxAll")->isChecked());
    auto vis = HoleVisibility(f);
    EXPECT_TRUE(AllVisible(vis[2], false)); // group C hidden
    EXPECT_TRUE(AllVisible(vis[3], true));  // group A (selected hole)
    EXPECT_TRUE(AllVisible(vis[4], false)); // deepest step without group
    // The cavity: only its step of group "a" (any letter case) is normal;
    // with "Hide not selected" its other segments are darkened, not hidden.
    EXPECT_TRUE(std::find(vis[1].begin(), vis[1].end(), true) != vis[1].end());

    ClickBox(Child<QCheckBox>(f, "CheckBoxHideNotSelected"));
    vis = HoleVisibility(f);
    EXPECT_TRUE(AllVisible(vis[2], true)); // darkened now, so drawn

    // A click on a row's label does nothing; "All" clears the filter.
    f.CheckBoxGroupClick(rows[1].Label);
    EXPECT_EQ(f.VisibleGroupNames(), std::vector<std::string>{"A"});
    ClickBox(Child<QCheckBox>(f, "CheckBoxAll"));
    EXPECT_TRUE(f.VisibleGroupNames().empty());
    for (const auto& r : rows) EXPECT_TRUE(r.CheckBox->isChecked());
    for (const auto& [hole, v] : HoleVisibility(f)) EXPECT_TRUE(AllVisible(v, true)) << hole;
}

TEST(MainForm, CollapsingSettingsGivesItsSpaceToGroups)
{
    TWindow w({GroupDesign()});
    TMainForm& f = w.form;
    auto* groups = Child<QWidget>(f, "CategoryPanelGroups");
    auto* settings = Child<QWidget>(f, "CategoryPanelSettings");
    auto* group1 = Child<QWidget>(f, "CategoryPanelGroup1");
    const int collapsed = groups->height();
    QTest::mouseClick(settings->findChild<QToolButton*>(), Qt::LeftButton); // expand
    EXPECT_LT(groups->height(), collapsed);
    EXPECT_EQ(groups->height() + settings->height() + Child<QWidget>(f, "CategoryPanelExport")->height(),
              group1->height());
    QTest::mouseClick(settings->findChild<QToolButton*>(), Qt::LeftButton); // collapse again
    EXPECT_EQ(groups->height(), collapsed);
}

TEST(MainForm, DroppedFileOpens)
{
    TWindow w;
    TMainForm& f = w.form;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(PlainBlock("dropped.mnf")))});
    const QPoint at = f.Viewer()->mapTo(&f, QPoint(50, 50));
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&f, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&f, &drop);
    EXPECT_TRUE(f.Loaded());
    EXPECT_EQ(f.StatusText(1), "Xmax=120.5");
}

TEST(MainForm, AccessibleNamesAndStates)
{
    TWindow w({GroupDesign()});
    TMainForm& f = w.form;
    auto iface = [](QObject* o) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
        EXPECT_NE(i, nullptr);
        return i;
    };
    auto* bar = f.findChild<QToolBar*>("ToolBar1");
    for (QAction* a : {f.FileOpenAction, f.FileSaveAsAction, f.ToolsOpenInQuorvaneAction, f.ViewRotateAction}) {
        QAccessibleInterface* i = iface(bar->widgetForAction(a));
        EXPECT_EQ(i->text(QAccessible::Name), a->text());
        EXPECT_EQ(i->state().disabled, !a->isEnabled()) << a->text().toStdString();
    }
    EXPECT_TRUE(iface(bar->widgetForAction(f.FileSaveAsAction))->state().disabled);
    f.ViewZoomAction->trigger();
    EXPECT_TRUE(iface(bar->widgetForAction(f.ViewZoomAction))->state().checked);
    QAccessibleInterface* faces = iface(Child<QCheckBox>(f, "CheckBoxFaceNumbers"));
    EXPECT_EQ(faces->text(QAccessible::Name), "Face Numbers");
    EXPECT_TRUE(faces->state().checkable);
    EXPECT_EQ(iface(Child<QCheckBox>(f, "CheckBoxHideNotSelected"))->text(QAccessible::Name), "Hide not selected");
    EXPECT_TRUE(iface(Child<QCheckBox>(f, "CheckBoxHideNotSelected"))->state().checked);
    EXPECT_EQ(iface(Child<QCheckBox>(f, "CheckBoxAll"))->text(QAccessible::Name), "All");
    QAccessibleInterface* row = iface(f.GroupRowWidgets()[1].CheckBox);
    EXPECT_EQ(row->text(QAccessible::Name), "B");
    EXPECT_TRUE(row->state().checked);
    EXPECT_EQ(iface(Child<QToolButton>(f, "Button3"))->text(QAccessible::Name), "Exit");
    EXPECT_EQ(iface(Child<QLabel>(f, "StatusPanel6"))->text(QAccessible::Name), "4 hole(s)");
    EXPECT_EQ(iface(Child<QLabel>(f, "StatusPanel4"))->text(QAccessible::Name), "Metric");
}

TEST(MainForm, SettingsAndPlacementKeptToTheNextStart)
{
    const std::string file = PlainBlock("kept.mnf");
    {
        TWindow w({file});
        TMainForm& f = w.form;
        QTest::mouseClick(Child<QWidget>(f, "CategoryPanelSettings")->findChild<QToolButton*>(), Qt::LeftButton);
        ClickBox(Child<QCheckBox>(f, "CheckBoxHoleTexts"));
        EXPECT_FALSE(f.IsoSettings().fData.IsoFlags.Contains(isoHoleTexts));
        f.resize(1000, 800);
        f.close();
    }
    EXPECT_TRUE(std::filesystem::exists(MainSettingsFile()));
    EXPECT_TRUE(std::filesystem::exists(NamedSettingsFile("IsoView")));
    EXPECT_TRUE(std::filesystem::exists(WindowPosFile()));
    TWindow w;
    TMainForm& f = w.form;
    EXPECT_FALSE(f.IsoSettings().fData.IsoFlags.Contains(isoHoleTexts));
    EXPECT_FALSE(Child<QCheckBox>(f, "CheckBoxHoleTexts")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(f, "CheckBoxFaceNumbers")->isChecked());
    EXPECT_EQ(f.size(), QSize(1000, 800));
    EXPECT_EQ(f.OpenDialogInitialDir(), QString::fromStdString(std::filesystem::path(file).parent_path().string()));
}

namespace {
struct TThrower : QObject {
    bool event(QEvent*) override { throw std::runtime_error("The disk is full."); }
};
} // namespace

TEST(MainForm, ExceptionEndingACommandBecomesAnErrorMessage)
{
    TWindow w;
    TMessageCollector messages;
    TThrower t;
    QEvent e(QEvent::User);
    QApplication::sendEvent(&t, &e);
    ASSERT_EQ(messages.Entries().size(), 1u);
    EXPECT_EQ(messages.Entries()[0].Kind, TMessageKind::Error);
    EXPECT_EQ(messages.Entries()[0].Text, "The disk is full.");
    EXPECT_TRUE(w.form.isVisible()); // the program goes on
}

TEST(MainForm, WithoutThe3DMouseServiceNoPollTimerRuns)
{
    if (test::SpacenavdReachable()) GTEST_SKIP() << "a spacenavd runs on this machine; the case without one cannot be made";
    TWindow w({PlainBlock("nodevice.mnf")});
    ASSERT_NE(w.form.Device(), nullptr);
    EXPECT_FALSE(w.form.Device()->FLoaded);
    EXPECT_FALSE(w.form.PollTimer3DDevice()->isActive());
    EXPECT_TRUE(w.form.Loaded());
}

// The 3D mouse moves the view exactly as the navigation handlers do when
// called with the device's values: the window's polls are checked against
// a view of the same document driven by the handlers directly.
TEST(MainForm, The3DMouseDrivesTheViewThroughTheHandlers)
{
    TWindow w({PlainBlock("device.mnf")});
    TMainForm& f = w.form;
    auto state = std::make_shared<test::TFake3DMouseState>();
    f.Use3DDevice(test::NewFakeDevice(state));
    EXPECT_TRUE(f.PollTimer3DDevice()->isActive());
    EXPECT_EQ(f.PollTimer3DDevice()->interval(), 10);

    TManifoldView ref(f.IsoSettings());
    ref.DocumentLoaded(f.Manifold());
    TNavigator nav(ref);
    auto same = [&](const char* step) {
        const TMatrix4 a = f.View().GLDummyRotation()->AbsoluteMatrix(), b = ref.GLDummyRotation()->AbsoluteMatrix();
        const TMatrix4 c = f.View().GLDummyCube1()->AbsoluteMatrix(), d = ref.GLDummyCube1()->AbsoluteMatrix();
        for (int i = 0; i < 16; ++i) {
            EXPECT_NEAR(a.m[size_t(i)], b.m[size_t(i)], 1e-5) << step;
            EXPECT_NEAR(c.m[size_t(i)], d.m[size_t(i)], 1e-5) << step;
        }
        EXPECT_NEAR(f.View().GLCamera1()->DistanceToTarget(), ref.GLCamera1()->DistanceToTarget(), 1e-5) << step;
        EXPECT_FLOAT_EQ(f.View().GLCamera1()->FocalLength, ref.GLCamera1()->FocalLength) << step;
    };
    auto move = [&](const T3DMouseMotion& m) {
        const TRotation3D r = RotationOfMotion(m);
        const TTranslation3D t = TranslationOfMotion(m);
        nav.DeviceRotation(r.X, r.Y, r.Z, r.Angle);
        nav.DeviceTranslation(t.X, t.Y, t.Z, t.Length);
    };
    same("start");
    const TVector3 z0 = f.View().GLDummyRotation()->AbsoluteDirection();
    const float d0 = f.View().GLCamera1()->DistanceToTarget();

    f.timerPoll3DDeviceTimer(); // at rest: nothing moves
    same("at rest");
    EXPECT_TRUE(Near(f.View().GLDummyRotation()->AbsoluteDirection(), z0));

    const T3DMouseMotion held{250, -180, -300, 120, -200, 90};
    state->Motion(held.X, held.Y, held.Z, held.RX, held.RY, held.RZ);
    f.timerPoll3DDeviceTimer();
    move(held);
    same("pushed, pulled and twisted");
    EXPECT_FALSE(Near(f.View().GLDummyRotation()->AbsoluteDirection(), z0));
    EXPECT_GT(f.View().GLDummyCube1()->AbsolutePosition().Y, 0); // pushed right: the model moves right
    EXPECT_LT(f.View().GLCamera1()->DistanceToTarget(), d0);      // pulled: the model comes closer
    f.timerPoll3DDeviceTimer(); // still held, no new report
    move(held);
    same("held");

    // Key 0 recentres, key 1 restores the standard view; a press and
    // release within one poll still count, and the puck was let go.
    state->Motion(0, 0, 0, 0, 0, 0);
    state->Button(0, true);
    state->Button(0, false);
    state->Button(1, true);
    f.timerPoll3DDeviceTimer();
    move({});
    nav.DeviceKey(0, true);
    nav.DeviceKey(0, false);
    nav.DeviceKey(1, true);
    same("keys");
    EXPECT_TRUE(Near(f.View().GLDummyCube1()->AbsolutePosition(), {0, 0, 0}));
    EXPECT_TRUE(Near(f.View().GLDummyRotation()->AbsoluteDirection(), z0));

    // The service goes away: said once in the status bar, polling stops.
    state->Lost = true;
    f.timerPoll3DDeviceTimer();
    EXPECT_FALSE(f.PollTimer3DDevice()->isActive());
    EXPECT_TRUE(f.statusBar()->currentMessage().contains("spacenavd"));
    f.statusBar()->clearMessage();
    f.timerPoll3DDeviceTimer();
    EXPECT_TRUE(f.statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(state->Drains, 5);
}

TEST(MainForm, ClosingReleasesThe3DMouse)
{
    TWindow w;
    auto state = std::make_shared<test::TFake3DMouseState>();
    w.form.Use3DDevice(test::NewFakeDevice(state));
    ASSERT_TRUE(w.form.PollTimer3DDevice()->isActive());
    // The timer polls by itself.
    state->Button(0, true);
    QTRY_VERIFY(state->Drains > 0 && state->Pending.empty());
    w.form.close();
    EXPECT_FALSE(w.form.PollTimer3DDevice()->isActive());
    EXPECT_EQ(w.form.Device(), nullptr);
    EXPECT_EQ(state->Disconnects, 1);
}

// The demo as the window shows it: the 3D view holds the block in bore
// colours on the black background. With QV_SCREENSHOT_DIR set, the window
// is also saved there as window.png.
TEST(MainForm, DemoInTheWindow)
{
    const std::string demo = test::TempPath("demo.mnf");
    samples::WriteDemoDesign(demo, false);
    TWindow w({demo});
    TMainForm& f = w.form;
    f.resize(1100, 900);
    QTest::qWait(50);
    const QImage view = f.Viewer()->grabFramebuffer();
    ASSERT_FALSE(view.isNull());
    int coloured = 0;
    for (int y = 0; y < view.height(); y += 4)
        for (int x = 0; x < view.width(); x += 4) {
            const QColor c = view.pixelColor(x, y);
            if (std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 60) ++coloured;
        }
    EXPECT_GT(coloured, 50);
    EXPECT_EQ(view.pixelColor(2, 2), QColor(0, 0, 0)); // background until a settings colour
    if (const char* dir = std::getenv("QV_SCREENSHOT_DIR")) {
        f.grab().save(QString(dir) + "/window.png");
        QTest::mouseClick(Child<QWidget>(f, "CategoryPanelSettings")->findChild<QToolButton*>(), Qt::LeftButton);
        QTest::mouseClick(Child<QWidget>(f, "CategoryPanelExport")->findChild<QToolButton*>(), Qt::LeftButton);
        ClickBox(f.GroupRowWidgets()[0].CheckBox);
        QTest::qWait(50);
        f.grab().save(QString(dir) + "/window-panels.png");
    }
}
