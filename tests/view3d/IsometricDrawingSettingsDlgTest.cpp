#include "view3d/IsometricDrawingSettingsDlg.h"

#include "SettingsTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace qv;
using qv::test::ChangedSettings;
using qv::test::Flat;
using qv::test::LocaleGuard;

namespace {

// The dialog shown (not modally) on settings, with its questions answered
// by the test.
struct TOpenDialog {
    TIsometricDrawingSettings Settings;
    TIsometricDrawingSettingsDlg Dialog;
    std::vector<QString> Questions;
    bool Answer = true;
    std::vector<QColor> ColorsOffered;
    std::optional<QColor> ColorAnswer;

    explicit TOpenDialog(const TIsometricDrawingSettings& s = ChangedSettings()) : Settings(s), Dialog(Settings)
    {
        Dialog.AskYesNo = [this](const QString& q) { Questions.push_back(q); return Answer; };
        Dialog.ChooseColor = [this](const QColor& c) { ColorsOffered.push_back(c); return ColorAnswer; };
        Dialog.show();
    }
    QLineEdit* Edit(const char* name) { return Dialog.findChild<QLineEdit*>(name); }
    QCheckBox* Box(const char* name) { return Dialog.findChild<QCheckBox*>(name); }
    QLabel* Label(const char* name) { return Dialog.findChild<QLabel*>(name); }
    QString Text(const char* name) { return Edit(name)->text(); }
    void Click(const char* button) { QTest::mouseClick(Dialog.findChild<QPushButton*>(button), Qt::LeftButton); }
    // A check box takes clicks on its box and caption only, not on the
    // rest of its row.
    void Tick(const char* name)
    {
        QCheckBox* box = Box(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    // Types into an edit, replacing what it holds.
    void Type(const char* name, const QString& keys)
    {
        QLineEdit* e = Edit(name);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, keys);
    }
};

} // namespace

TEST(SettingsDialog, ControlsAndCaptions)
{
    TOpenDialog d;
    EXPECT_EQ(d.Dialog.windowTitle(), "Isometric View Settings");
    EXPECT_EQ(d.Dialog.font().family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());

    const auto* switches = d.Dialog.findChild<QGroupBox*>("GroupBoxSwitches");
    ASSERT_NE(switches, nullptr);
    EXPECT_EQ(switches->title(), "Switches");
    QStringList captions;
    for (const QCheckBox* box : switches->findChildren<QCheckBox*>()) captions << box->text();
    EXPECT_EQ(captions, QStringList({"Face Numbers", "Hole Numbers", "Show Manifold", "Perspective", "Show Axis",
                                     "Continuous Orbit", "Use Colors", "ShowThread", "Transparent", "Contours",
                                     "Filled Cylinders", "Show Ports", "Hole Texts", "Plugs", "Item Numbers",
                                     "Dummy Holes", "Rotation Center"}));
    EXPECT_FALSE(d.Box("CheckBoxUseColors")->isEnabled());

    const std::pair<const char*, const char*> groups[] = {{"GroupBoxMisc", "Misc"},
                                                          {"GroupBoxVisibility", "Visibility not selected Objects"},
                                                          {"GroupBoxColors", "Colors/Transparency"}};
    for (const auto& [name, title] : groups) EXPECT_EQ(d.Dialog.findChild<QGroupBox*>(name)->title(), title);
    const std::pair<const char*, const char*> labels[] = {
        {"LabelTextHeightFactor", "Text height factor:"},
        {"LabelErrorIndicatorFactor", "Error indicator factor:"},
        {"LabelNote1", "Effects objects that are in not the selected groups,"},
        {"LabelNote2", "if \"hide not selected\" is turned off."},
        {"LabelGroupAlpha", "Percentage Transparency:"},
        {"LabelGroupAlphaNote", "0..1 = full transparant..solid"},
        {"LabelGroupFactor", "Factor to make darker:"},
        {"LabelGroupFactorNote", "-1..2 = darker..lighter"},
        {"LabelBackgroundColor", "Background:"},
        {"LabelSelectColor", "Select Color:"},
        {"LabelThreadColor", "Thread Color:"},
        {"LabelTransparencyHoles", "Transparency Holes:"},
        {"LabelTransparencyThreadTransparentHole", "Transparency Thread:"},
        {"LabelTransparencyThreadTransparentHoleNote", "for transparent holes"},
        {"LabelTransparencyThread", "Transparency Thread:"},
        {"LabelTransparencyThreadNote", "for solid holes"},
    };
    for (const auto& [name, text] : labels) {
        ASSERT_NE(d.Label(name), nullptr) << name;
        EXPECT_EQ(d.Label(name)->text(), text);
    }
    EXPECT_EQ(d.Box("CheckBoxGroupTransparent")->text(), "Show objects transparent");
    for (const char* b : {"ButtonReset", "ButtonOK", "ButtonCancel"}) ASSERT_NE(d.Dialog.findChild<QPushButton*>(b), nullptr);
    EXPECT_EQ(d.Dialog.findChild<QPushButton*>("ButtonReset")->text(), "Reset");
    EXPECT_TRUE(d.Dialog.findChild<QPushButton*>("ButtonOK")->isDefault());
    for (const char* e : {"EditBackgroundColor", "EditSelectColor", "EditThreadColor"}) EXPECT_TRUE(d.Edit(e)->isReadOnly());

    // Shown: every value of the settings.
    EXPECT_TRUE(d.Box("CheckBoxAxis")->isChecked());
    EXPECT_FALSE(d.Box("CheckBoxFaceNumbers")->isChecked());
    EXPECT_EQ(d.Text("EditTextHeightFactor"), "25");
    EXPECT_EQ(d.Text("EditGroupAlpha"), "0.45");
    EXPECT_EQ(d.Text("EditThreadColor"), "$00123456");
    EXPECT_EQ(d.Label("ImageThreadColor")->pixmap().toImage().pixelColor(5, 5), QColor(0x56, 0x34, 0x12));
}

TEST(SettingsDialog, OkTakesTheEditsCancelLeavesTheSettings)
{
    {
        TOpenDialog d;
        d.Type("EditTransparencyHoles", "0,25");
        EXPECT_EQ(d.Text("EditTransparencyHoles"), "0.25"); // the comma key gives this system's point
        d.Tick("CheckBoxPlugs");
        d.Click("ButtonOK");
        EXPECT_EQ(d.Dialog.result(), QDialog::Accepted);
        TIsometricDrawingSettings expected = ChangedSettings();
        expected.fData.TransparencyHoles = 0.25;
        expected.fData.IsoFlags.Include(isoPlugs);
        EXPECT_EQ(Flat(d.Settings), Flat(expected));
    }
    {
        TOpenDialog d;
        d.Type("EditTransparencyHoles", "0,25");
        d.Tick("CheckBoxPlugs");
        d.Click("ButtonCancel");
        EXPECT_EQ(d.Dialog.result(), QDialog::Rejected);
        EXPECT_EQ(Flat(d.Settings), Flat(ChangedSettings()));
    }
}

TEST(SettingsDialog, KeyFilterOfTheNumberEdits)
{
    struct Case { const char* edit; const char* keys; const char* shown; };
    const Case cases[] = {
        {"EditTransparencyHoles", "0.5", "0.5"},
        {"EditTransparencyHoles", "a1x,2.3 -", "1.23"},       // letters, blanks, a second separator, "-": dropped
        {"EditTransparencyThread", ",75", ".75"},
        {"EditTransparencyThreadTransparentHole", "1e5", "15"},
        {"EditGroupFactor", "-0,5", "-0.5"},                   // the factor edit takes a minus
        {"EditGroupFactor", "+1", "1"},
    };
    for (const Case& c : cases) {
        TOpenDialog d;
        d.Box("CheckBoxGroupTransparent")->setChecked(false);
        d.Dialog.UpdateEnabledStates();
        d.Type(c.edit, c.keys);
        EXPECT_EQ(d.Text(c.edit), c.shown) << c.edit << " " << c.keys;
    }
    {   // The alpha edit (enabled while transparent) with the whole text
        // selected takes a separator although the text holds one.
        TOpenDialog d;
        QLineEdit* alpha = d.Edit("EditGroupAlpha");
        alpha->setFocus();
        alpha->setText("0.3");
        alpha->setCursorPosition(3);
        QTest::keyClick(alpha, Qt::Key_Period);
        EXPECT_EQ(alpha->text(), "0.3");
        alpha->selectAll();
        QTest::keyClicks(alpha, ".5");
        EXPECT_EQ(alpha->text(), ".5");
        QTest::keyClick(alpha, Qt::Key_Backspace);
        QTest::keyClick(alpha, Qt::Key_Left);
        QTest::keyClick(alpha, Qt::Key_Delete);
        EXPECT_EQ(alpha->text(), "");
    }
    {   // With a comma as this system's separator, the point key gives a comma.
        LocaleGuard german(QLocale(QLocale::German, QLocale::Germany));
        TOpenDialog d;
        EXPECT_EQ(d.Text("EditTransparencyHoles"), "0,35");
        d.Type("EditTransparencyHoles", "0.8");
        EXPECT_EQ(d.Text("EditTransparencyHoles"), "0,8");
        d.Click("ButtonOK");
        EXPECT_EQ(d.Settings.fData.TransparencyHoles, 0.8);
    }
}

TEST(SettingsDialog, EnabledStatesFollowShowObjectsTransparent)
{
    TOpenDialog d; // transparent: the alpha edit on, the factor edit off
    const QColor window = QApplication::palette().color(QPalette::Base);
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    ASSERT_NE(window, buttonFace);
    auto expectState = [&](bool transparent) {
        for (const char* n : {"LabelGroupAlpha", "LabelGroupAlphaNote"}) EXPECT_EQ(d.Label(n)->isEnabled(), transparent) << n;
        for (const char* n : {"LabelGroupFactor", "LabelGroupFactorNote"}) EXPECT_EQ(d.Label(n)->isEnabled(), !transparent) << n;
        EXPECT_EQ(d.Edit("EditGroupAlpha")->isEnabled(), transparent);
        EXPECT_EQ(d.Edit("EditGroupFactor")->isEnabled(), !transparent);
        EXPECT_EQ(d.Edit("EditGroupAlpha")->palette().color(QPalette::Base), transparent ? window : buttonFace);
        EXPECT_EQ(d.Edit("EditGroupFactor")->palette().color(QPalette::Base), transparent ? buttonFace : window);
    };
    expectState(true);
    d.Tick("CheckBoxGroupTransparent");
    expectState(false);
    d.Tick("CheckBoxGroupTransparent");
    expectState(true);
}

TEST(SettingsDialog, ResetShowsTheDefaultsAndOnlyOkTakesThem)
{
    {   // No: nothing changes.
        TOpenDialog d;
        d.Answer = false;
        d.Click("ButtonReset");
        ASSERT_EQ(d.Questions, std::vector<QString>{"Reset to default values?"});
        EXPECT_EQ(d.Text("EditTextHeightFactor"), "25");
    }
    {   // Yes, then Cancel: the controls show the defaults, the settings keep theirs.
        TOpenDialog d;
        d.Click("ButtonReset");
        EXPECT_EQ(d.Text("EditTextHeightFactor"), "10");
        EXPECT_EQ(d.Text("EditThreadColor"), "Gray");
        EXPECT_EQ(d.Text("EditGroupFactor"), "-0.80");
        EXPECT_TRUE(d.Box("CheckBoxFaceNumbers")->isChecked());
        EXPECT_EQ(d.Label("ImageThreadColor")->pixmap().toImage().pixelColor(5, 5), QColor(0x80, 0x80, 0x80));
        // Not transparent by default: the factor edit is the one enabled now.
        EXPECT_FALSE(d.Edit("EditGroupAlpha")->isEnabled());
        EXPECT_TRUE(d.Edit("EditGroupFactor")->isEnabled());
        d.Click("ButtonCancel");
        EXPECT_EQ(Flat(d.Settings), Flat(ChangedSettings()));
    }
    {   // Yes, then OK: the defaults.
        TOpenDialog d;
        d.Click("ButtonReset");
        d.Click("ButtonOK");
        EXPECT_EQ(Flat(d.Settings), Flat(TIsometricDrawingSettings()));
    }
}

TEST(SettingsDialog, ColorEditsOpenTheColorDialog)
{
    TOpenDialog d;
    // Cancelled: nothing changes.
    QTest::mouseClick(d.Edit("EditThreadColor"), Qt::LeftButton);
    ASSERT_EQ(d.ColorsOffered.size(), 1u);
    EXPECT_EQ(d.ColorsOffered[0], QColor(0x56, 0x34, 0x12)); // $00BBGGRR
    EXPECT_EQ(d.Text("EditThreadColor"), "$00123456");

    // Chosen through the swatch: edit and swatch show the new colour.
    d.ColorAnswer = QColor(128, 128, 128);
    QTest::mouseClick(d.Label("ImageThreadColor"), Qt::LeftButton);
    ASSERT_EQ(d.ColorsOffered.size(), 2u);
    EXPECT_EQ(d.Text("EditThreadColor"), "Gray");
    EXPECT_EQ(d.Label("ImageThreadColor")->pixmap().toImage().pixelColor(5, 5), QColor(128, 128, 128));
    EXPECT_EQ(d.Label("ImageThreadColor")->pixmap().toImage().pixelColor(0, 0), QColor(Qt::black));

    // The background through its edit, from the keyboard too; the dialog
    // offers the colour the edit shows now.
    d.ColorAnswer = QColor(0x11, 0x22, 0x33);
    d.Edit("EditBackgroundColor")->setFocus();
    QTest::keyClick(d.Edit("EditBackgroundColor"), Qt::Key_Space);
    EXPECT_EQ(d.ColorsOffered.back(), QColor(Qt::white));
    EXPECT_EQ(d.Text("EditBackgroundColor"), "$00332211");
    QTest::mouseClick(d.Edit("EditThreadColor"), Qt::LeftButton);
    EXPECT_EQ(d.ColorsOffered.back(), QColor(128, 128, 128));

    d.Click("ButtonOK");
    EXPECT_EQ(d.Settings.fData.ThreadColor, 0x00332211); // the last answer
    EXPECT_EQ(d.Settings.fData.BackgroundColor, 0x00332211);
}

TEST(SettingsDialog, UpDownButtonsStayWithinTheirRange)
{
    TOpenDialog d;
    auto* up = d.Dialog.findChild<QWidget*>("UpDownTextHeightFactor")->findChild<QToolButton*>("Up");
    auto* down = d.Dialog.findChild<QWidget*>("UpDownTextHeightFactor")->findChild<QToolButton*>("Down");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(d.Text("EditTextHeightFactor"), "26");
    d.Edit("EditTextHeightFactor")->setText("2");
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(d.Text("EditTextHeightFactor"), "1");
    d.Edit("EditTextHeightFactor")->setText("999");
    QTest::keyClick(d.Edit("EditTextHeightFactor"), Qt::Key_Up);
    QTest::keyClick(d.Edit("EditTextHeightFactor"), Qt::Key_Up);
    EXPECT_EQ(d.Text("EditTextHeightFactor"), QString::number(TIsometricDrawingSettingsDlg::FactorMax));
    d.Edit("EditErrorIndicatorFactor")->setText("junk");
    QTest::mouseClick(d.Dialog.findChild<QWidget*>("UpDownErrorIndicatorFactor")->findChild<QToolButton*>("Up"),
                      Qt::LeftButton);
    EXPECT_EQ(d.Text("EditErrorIndicatorFactor"), "2");
}

namespace {

// Closes the next modal settings dialog with the given button once it is up.
void CloseModalDialogWith(const char* button)
{
    QTimer::singleShot(10, [button] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return CloseModalDialogWith(button);
        QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
    });
}

} // namespace

TEST(SettingsDialog, ModifyIsTrueOnlyForOk)
{
    TIsometricDrawingSettings s = ChangedSettings();
    CloseModalDialogWith("ButtonCancel");
    EXPECT_FALSE(s.Modify());
    EXPECT_EQ(Flat(s), Flat(ChangedSettings()));

    s.fData.TextHeightFactor = 0; // shown as 0, read back as 0
    CloseModalDialogWith("ButtonOK");
    EXPECT_TRUE(s.Modify());
    TIsometricDrawingSettings expected = ChangedSettings();
    expected.fData.TextHeightFactor = 0;
    EXPECT_EQ(Flat(s), Flat(expected));
}

// A picture of the dialog for looking at (saved as settings-dialog.png into
// the folder QV_SCENE_PICTURES names, when set): the swatches show their
// colours where the layout puts them.
TEST(SettingsDialog, Picture)
{
    TOpenDialog d(TIsometricDrawingSettings{});
    const QImage shot = d.Dialog.grab().toImage();
    if (const char* dir = std::getenv("QV_SCENE_PICTURES")) shot.save(QString(dir) + "/settings-dialog.png", "PNG");
    const QLabel* swatch = d.Label("ImageSelectColor");
    const QPoint centre = swatch->mapTo(&d.Dialog, swatch->rect().center()) * shot.devicePixelRatio();
    EXPECT_EQ(shot.pixelColor(centre), QColor(0, 255, 255)); // Aqua, the default selection colour
}
