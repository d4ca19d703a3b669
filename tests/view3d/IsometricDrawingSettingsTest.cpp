#include "view3d/IsometricDrawingSettings.h"

#include "platform/IniFiles.h"
#include "SettingsTestSupport.h"
#include "testkit/Flatten.h"
#include "testkit/TestFiles.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace qv;
using qv::test::ChangedSettings;
using qv::test::Flat;
using qv::test::LocaleGuard;

TEST(IsometricDrawingSettings, DefaultsAndFlagSets)
{
    // The switches a new user sees, and the ones that change the built scene.
    const TIsometricDrawingFlags on = {isoFaceNumbers, isoHoleNumbers, isoPerspective, isoUseColors,
                                       isoShowThread,  isoContours,    isoShowPorts,   isoHoleTexts,
                                       isoPlugs,       isoItemNumbers, isoRotationCenter};
    const TIsometricDrawingFlags rebuild = {isoFaceNumbers, isoHoleNumbers, isoUseColors,      isoShowThread,
                                            isoTransparent, isoContours,    isoFilledCylinders, isoShowPorts,
                                            isoHoleTexts,   isoPlugs,       isoItemNumbers,    isoDummyHoles};
    EXPECT_EQ(DefaultIsoFlags, on);
    EXPECT_EQ(RebuildFlags, rebuild);
    EXPECT_EQ(EnumCount<TIsometricDrawingFlag>(), 17);

    TIsometricDrawingSettings s;
    const auto& d = s.fData;
    EXPECT_EQ(d.IsoFlags.Value, 0x00017ACBu);
    EXPECT_EQ(d.TextHeightFactor, 10);
    EXPECT_EQ(d.ErrorIndicatorFactor, 20);
    EXPECT_EQ(d.TransparencyHoles, 0.6);
    EXPECT_EQ(d.TransparencyThread, 0.5);
    EXPECT_EQ(d.TransparencyThreadTransparentHoles, 0.7);
    EXPECT_EQ(d.ThreadColor, 0x00808080);
    EXPECT_EQ(d.BackgroundColor, 0);
    EXPECT_EQ(d.SelectColor, 0x00FFFF00);
    EXPECT_FALSE(d.DarkenedObjects.Transparent);
    EXPECT_EQ(d.DarkenedObjects.Alpha, 0.3);
    EXPECT_EQ(d.DarkenedObjects.DarkenedFactor, -0.8);
    EXPECT_FALSE(s.GetIsTransparent());
    EXPECT_FALSE(s.GetIsFilledCylinders());

    s = ChangedSettings();
    s.fData.IsoFlags.Include(isoFilledCylinders);
    EXPECT_TRUE(s.GetIsTransparent());
    EXPECT_TRUE(s.GetIsFilledCylinders());
    s.Clear();
    EXPECT_EQ(Flat(s), Flat(TIsometricDrawingSettings()));
}

// Two blank lines between sections is how the INI writer lays files out.
TEST(IsometricDrawingSettings, SaveWritesEverySectionAndKeyInOrder)
{
    TIniFile ini(qv::test::TempPath("iso-text.ini"));
    TIsometricDrawingSettings().SaveToIni(ini);
    EXPECT_EQ(ini.Text(),
              "[IsometricFlags]\n"
              "Face Numbers=1\n"
              "Hole Numbers=1\n"
              "Manifold=0\n"
              "Perspective=1\n"
              "Axis=0\n"
              "Continuous Orbit=0\n"
              "Use Colors=1\n"
              "Show Thread=1\n"
              "Transparent=0\n"
              "Contours=1\n"
              "Filled Cylinders=0\n"
              "Show Ports=1\n"
              "Hole texts=1\n"
              "Plugs=1\n"
              "Item Numbers=1\n"
              "Dummy Holes=0\n"
              "Rotation center=1\n"
              "\n\n"
              "[Heights]\n"
              "TextHeightFactor=10\n"
              "ErrorIndicatorFactor=20\n"
              "\n\n"
              "[Transparency]\n"
              "TransparencyHoles=0.6\n"
              "TransparencyThread=0.5\n"
              "\n\n"
              "[TransparencyThreadTransparentHoles]\n"
              "TransparencyThreadTransparentHoles=0.7\n"
              "\n\n"
              "[Colors]\n"
              "ThreadColor=8421504\n"
              "BackgroundColor=0\n"
              "SelectColor=16776960\n"
              "\n\n"
              "[DarkenedObjects]\n"
              "Transparent=0\n"
              "Alpha=0.3\n"
              "DarkenedFactor=-0.8\n");
}

TEST(IsometricDrawingSettings, SavedFileLoadsBackIdentically)
{
    const std::string path = qv::test::TempPath("iso-roundtrip.ini");
    const TIsometricDrawingSettings saved = ChangedSettings();
    saved.SaveToIni(path);
    TIsometricDrawingSettings loaded;
    loaded.LoadFromIni(path);
    EXPECT_EQ(Flat(loaded), Flat(saved));
}

TEST(IsometricDrawingSettings, LoadFallsBackToDefaults)
{
    TIsometricDrawingSettings s = ChangedSettings();
    // No file: exactly the defaults, flags included.
    s.LoadFromIni(qv::test::TempPath("iso-missing.ini"));
    EXPECT_EQ(Flat(s), Flat(TIsometricDrawingSettings()));

    // A file with one flag: that flag alone is on (missing flag keys mean
    // off), everything else keeps its default. Names in other letter case.
    const std::string path = qv::test::TempPath("iso-axis.ini");
    qv::test::WriteBytes(path, "[isometricFLAGS]\n axis = 1 \n[colors]\nSELECTCOLOR= 255 \nThreadColor=grey\n"
                               "[transparencythreadtransparentholes]\nTRANSPARENCYTHREADTRANSPARENTHOLES=0,4\n");
    s = ChangedSettings();
    s.LoadFromIni(path);
    TIsometricDrawingSettings expected;
    expected.fData.IsoFlags = {isoAxis};
    expected.fData.SelectColor = 255;
    expected.fData.TransparencyThreadTransparentHoles = 0.4;
    EXPECT_EQ(Flat(s), Flat(expected)); // "grey" is no number: the thread colour stays at its default
}

TEST(IsometricDrawingSettings, SaveReplacesTheFileAndKeepsOtherSections)
{
    const std::string path = qv::test::TempPath("iso-keep.ini");
    qv::test::WriteBytes(path, "[Mine]\nNote=kept\n[Colors]\nThreadColor=1\n");
    ChangedSettings().SaveToIni(path);
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Mine", "Note", ""), "kept");
    EXPECT_EQ(ini.ReadInteger("Colors", "ThreadColor", 0), 0x00123456);
}

TEST(IsometricDrawingSettingsText, Conversions)
{
    struct ColorCase { TColor color; const char* text; };
    const ColorCase colors[] = {
        {0x000000, "Black"}, {0x808080, "Gray"}, {0xFFFF00, "Aqua"}, {0x0000FF, "Red"},
        {0xFFFFFF, "White"}, {0x123456, "$00123456"}, {int32_t(0xFF00000F), "$FF00000F"},
    };
    for (const auto& c : colors) {
        EXPECT_EQ(ColorToText(c.color), c.text);
        EXPECT_EQ(TextToColor(c.text, 7), c.color) << c.text;
    }
    EXPECT_EQ(TextToColor(" gray ", 7), 0x808080);
    EXPECT_EQ(TextToColor("clNavy", 7), 0x800000);
    EXPECT_EQ(TextToColor("Grey", 7), 7);
    EXPECT_EQ(TextToColor("12345", 7), 7);
    EXPECT_EQ(TextToColor("$xyz", 7), 7);

    EXPECT_EQ(FloatToEditText(0.6), "0.60");
    EXPECT_EQ(FloatToEditText(-0.8), "-0.80");
    EXPECT_EQ(FloatToEditText(2), "2.00");
    EXPECT_EQ(FloatToEditText(-0.001), "0.00");
    EXPECT_EQ(EditTextToFloat(" 0.25 ", 9), 0.25);
    EXPECT_EQ(EditTextToFloat("abc", 9), 9);
    EXPECT_EQ(EditTextToFloat("", 9), 9);
    EXPECT_EQ(EditTextToInt(" 12 ", 9), 12);
    EXPECT_EQ(EditTextToInt("1.5", 9), 9);
}

TEST(IsometricDrawingSettingsText, UsesTheUsersDecimalSeparator)
{
    LocaleGuard german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FloatToEditText(0.6), "0,60");
    EXPECT_EQ(EditTextToFloat("0,25", 9), 0.25);
    EXPECT_EQ(EditTextToFloat("1.000,5", 9), 9); // no digit grouping
}

namespace {

// A settings dialog in miniature: every control of the table, some nested
// in group boxes, named as in the form (mixed case), plus bystanders.
struct DialogTree {
    std::unique_ptr<QWidget> root = std::make_unique<QWidget>();
    QGroupBox* switches = new QGroupBox(root.get());
    QGroupBox* misc = new QGroupBox(root.get());

    template <class W> W* Add(QWidget* parent, const char* name)
    {
        auto* w = new W(parent);
        w->setObjectName(name);
        return w;
    }
    DialogTree()
    {
        switches->setObjectName("GroupBoxSwitches");
        for (const char* n : {"CheckBoxFaceNumbers", "CheckBoxHoleNumbers", "CheckBoxShowManifold",
                              "CheckBoxPerspective", "CheckBoxAxis", "CheckBoxContinuousOrbit", "CheckBoxUseColors",
                              "CheckBoxShowThread", "CheckBoxTransparent", "CheckBoxContours",
                              "CheckBoxFilledCylinders", "CheckBoxShowPorts", "CheckBoxHoleTexts", "CheckBoxPlugs",
                              "CheckBoxItemNumbers", "CheckBoxDummyHoles", "CheckBoxRotationCenter"})
            Add<QCheckBox>(switches, n);
        Add<QCheckBox>(misc, "CheckBoxGroupTransparent");
        for (const char* n : {"EditGroupAlpha", "EditGroupFactor", "EditTextHeightFactor",
                              "EditErrorIndicatorFactor", "EditTransparencyHoles",
                              "EditTransparencyThreadTransparentHole", "EditTransparencyThread", "EditThreadColor",
                              "EditBackgroundColor", "EditSelectColor"})
            Add<QLineEdit>(misc, n);
        for (const char* n : {"ImageThreadColor", "ImageBackgroundColor", "ImageSelectColor"})
            Add<QLabel>(root.get(), n)->resize(20, 11);
    }
    template <class W> W* Get(const char* name) { return root->findChild<W*>(name); }
    QString Text(const char* name) { return Get<QLineEdit>(name)->text(); }
    bool Checked(const char* name) { return Get<QCheckBox>(name)->isChecked(); }
};

} // namespace

TEST(IsometricDrawingSettingsControls, ToDialogShowsEveryValue)
{
    DialogTree t;
    TIsometricDrawingSettings s = ChangedSettings();
    s.fData.DarkenedObjects.DarkenedFactor = -0.8;
    s.fData.SelectColor = 0x00FFFF00;
    s.ToDialog(t.root.get());

    for (int i = 0; i < 17; ++i) {
        const auto flag = static_cast<TIsometricDrawingFlag>(i);
        const auto boxes = t.switches->findChildren<QCheckBox*>();
        ASSERT_EQ(boxes.size(), 17);
        EXPECT_EQ(boxes[i]->isChecked(), s.fData.IsoFlags.Contains(flag)) << IsoFlagKey(flag);
    }
    EXPECT_TRUE(t.Checked("CheckBoxGroupTransparent"));
    EXPECT_EQ(t.Text("EditGroupAlpha"), "0.45");
    EXPECT_EQ(t.Text("EditGroupFactor"), "-0.80");
    EXPECT_EQ(t.Text("EditTextHeightFactor"), "25");
    EXPECT_EQ(t.Text("EditErrorIndicatorFactor"), "3");
    EXPECT_EQ(t.Text("EditTransparencyHoles"), "0.35");
    EXPECT_EQ(t.Text("EditTransparencyThreadTransparentHole"), "0.95");
    EXPECT_EQ(t.Text("EditTransparencyThread"), "0.15");
    EXPECT_EQ(t.Text("EditThreadColor"), "$00123456");
    EXPECT_EQ(t.Text("EditBackgroundColor"), "White");
    EXPECT_EQ(t.Text("EditSelectColor"), "Aqua");

    // Swatch: black one-pixel frame around the colour ($00BBGGRR).
    const QImage img = t.Get<QLabel>("ImageThreadColor")->pixmap().toImage();
    ASSERT_EQ(img.size(), QSize(20, 11));
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(19, 10), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(19, 5), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(1, 1), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(img.pixelColor(18, 9), QColor(0x56, 0x34, 0x12));
}

TEST(IsometricDrawingSettingsControls, FromDialogReadsEveryValueBack)
{
    DialogTree t;
    const TIsometricDrawingSettings changed = ChangedSettings();
    changed.ToDialog(t.root.get());
    TIsometricDrawingSettings s;
    s.FromDialog(t.root.get());
    // Two decimals and named colours carry these values exactly.
    EXPECT_EQ(Flat(s), Flat(changed));

    // Edited by the user; text that is not a number keeps the old value.
    t.Get<QLineEdit>("EditGroupAlpha")->setText(" 0.25 ");
    t.Get<QLineEdit>("EditTransparencyHoles")->setText("abc");
    t.Get<QLineEdit>("EditTextHeightFactor")->setText("");
    t.Get<QLineEdit>("EditSelectColor")->setText("Gray");
    t.Get<QLineEdit>("EditBackgroundColor")->setText("nonsense");
    t.Get<QCheckBox>("CheckBoxAxis")->setChecked(false);
    t.Get<QCheckBox>("CheckBoxPlugs")->setChecked(true);
    t.Get<QCheckBox>("CheckBoxGroupTransparent")->setChecked(false);
    s.FromDialog(t.root.get());
    EXPECT_EQ(s.fData.DarkenedObjects.Alpha, 0.25);
    EXPECT_EQ(s.fData.TransparencyHoles, 0.35);
    EXPECT_EQ(s.fData.TextHeightFactor, 25);
    EXPECT_EQ(s.fData.SelectColor, 0x808080);
    EXPECT_EQ(s.fData.BackgroundColor, 0xFFFFFF);
    EXPECT_FALSE(s.fData.IsoFlags.Contains(isoAxis));
    EXPECT_TRUE(s.fData.IsoFlags.Contains(isoPlugs));
    EXPECT_FALSE(s.fData.DarkenedObjects.Transparent);
}

// The main window hands over itself: only its ten Settings check boxes carry
// known names. Other controls, and known names on controls of another kind,
// are left alone; flags without a box keep their value.
TEST(IsometricDrawingSettingsControls, MainWindowOnlyItsTenCheckBoxes)
{
    QWidget window;
    auto* panel = new QWidget(&window);
    panel->setObjectName("CategoryPanelSettings");
    const char* ten[] = {"CheckBoxFaceNumbers", "CheckBoxHoleNumbers", "CheckBoxShowManifold",
                         "CheckBoxShowThread",  "CheckBoxContours",    "CheckBoxShowPorts",
                         "CheckBoxHoleTexts",   "CheckBoxPlugs",       "CheckBoxItemNumbers",
                         "CheckBoxDummyHoles"};
    for (const char* n : ten) {
        auto* box = new QCheckBox(panel);
        box->setObjectName(n);
    }
    auto* hide = new QCheckBox(&window);
    hide->setObjectName("CheckBoxHideNotSelected");
    hide->setChecked(true);
    auto* wrongKind = new QLineEdit(&window);
    wrongKind->setObjectName("CheckBoxAxis");
    wrongKind->setText("untouched");
    auto* image = new QLabel(&window);
    image->setObjectName("ImageAll");
    image->resize(20, 11);

    TIsometricDrawingSettings s; // defaults: all ten on except Manifold and Dummy Holes
    s.ToDialog(&window);
    EXPECT_TRUE(window.findChild<QCheckBox*>("CheckBoxFaceNumbers")->isChecked());
    EXPECT_FALSE(window.findChild<QCheckBox*>("CheckBoxShowManifold")->isChecked());
    EXPECT_FALSE(window.findChild<QCheckBox*>("CheckBoxDummyHoles")->isChecked());
    EXPECT_TRUE(hide->isChecked());
    EXPECT_EQ(wrongKind->text(), "untouched");
    EXPECT_TRUE(image->pixmap().isNull());

    window.findChild<QCheckBox*>("CheckBoxShowManifold")->setChecked(true);
    window.findChild<QCheckBox*>("CheckBoxFaceNumbers")->setChecked(false);
    s.fData.IsoFlags.Include(isoAxis);
    s.FromDialog(&window);
    TIsometricDrawingFlags expected = DefaultIsoFlags;
    expected.Include(isoManifold);
    expected.Exclude(isoFaceNumbers);
    expected.Include(isoAxis); // no box for it here
    EXPECT_EQ(s.fData.IsoFlags, expected);
}
