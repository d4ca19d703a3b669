// The message catalogue lookup, the translating dialog base and its
// placement keeping.
#include "shell/Application.h"
#include "shell/SaveWindows.h"
#include "shell/TranslateForm.h"
#include "shell/Translate.h"

#include "platform/IniFiles.h"
#include "platform/SettingsFolders.h"
#include "platform/WindowPlacement.h"
#include "testkit/TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;
using namespace qv;

namespace {

// A folder of catalogues holding the changed English catalogue (built from
// tests/shell/changed-en.po) as en/LC_MESSAGES/default.mo.
std::string ChangedCatalogueFolder()
{
    const fs::path folder = qv::test::TempPath("changed-locale");
    const fs::path messages = folder / "en" / "LC_MESSAGES";
    fs::create_directories(messages);
    fs::copy_file(CHANGED_CATALOGUE, messages / "default.mo", fs::copy_options::overwrite_existing);
    return folder.string();
}

std::string EmptyCatalogueFolder()
{
    const fs::path folder = qv::test::TempPath("no-locale");
    fs::create_directories(folder);
    return folder.string();
}

// A user whose environment asks for German and French: the program's
// language stays English all the same.
void ForeignEnvironment()
{
    setenv("LANGUAGE", "de:fr", 1);
    setenv("LC_ALL", "fr_FR.UTF-8", 1);
    setenv("LANG", "de_DE.UTF-8", 1);
}

// A dialog with one control of each kind the translation walks.
class TSampleDlg : public TTranslateFormBasic {
public:
    TSampleDlg()
    {
        setWindowTitle("Options");
        Box = new QCheckBox("Hide not selected", this);
        Box->setToolTip("Keep");
        Radio = new QRadioButton("Keep", this);
        Group = new QGroupBox("Options", this);
        Label = new QLabel("Close", Group); // nested a level down
        Combo = new QComboBox(this);
        Combo->addItems({"First", "Keep"});
        Tabs = new QTabWidget(this);
        Tabs->addTab(new QWidget, "Tab");
        Action = new QAction("Open", this);
        Action->setStatusTip("Keep");
        Edit = new QLineEdit("Close", this); // an edit box's text is the user's
        Edit->setPlaceholderText("Type here");
        Menu = new QMenu("File", this); // menu items are left alone
        MenuItem = Menu->addAction("Open");
        FinishCreate();
    }
    QCheckBox* Box;
    QRadioButton* Radio;
    QGroupBox* Group;
    QLabel* Label;
    QComboBox* Combo;
    QTabWidget* Tabs;
    QAction* Action;
    QLineEdit* Edit;
    QMenu* Menu;
    QAction* MenuItem;
    // What the dialog's own creation step saw.
    QString CaptionAtFormCreate;

protected:
    void FormCreate() override { CaptionAtFormCreate = windowTitle(); }
};

} // namespace

TEST(Translate, ToDPIRoundsHalvesAwayFromZero)
{
    struct Case {
        int P, Dpi, Expected;
    };
    const Case cases[] = {
        {650, 96, 650},  {650, 144, 975},  {350, 144, 525}, {650, 120, 813}, // 812.5
        {350, 120, 438}, // 437.5
        {1, 144, 2},     {-1, 144, -2},    {3, 144, 5},     {-3, 144, -5},   // ±1.5, ±4.5
        {18, 120, 23},   // 22.5
        {-18, 120, -23}, {4, 120, 5},      {-4, 120, -5},   // ±5.0 exact
        {5, 110, 6},     // 5.729
        {5, 100, 5},     // 5.208
        {-5, 110, -6},   {0, 288, 0},      {8, 72, 6},      {7, 72, 5}, // 5.25
        {2, 72, 2},      // 1.5
        {-2, 72, -2},
    };
    for (const Case& c : cases) EXPECT_EQ(ToDPI(c.P, c.Dpi), c.Expected) << c.P << " at " << c.Dpi;
}

TEST(Translate, WithoutACatalogueEveryTextIsTheEnglishText)
{
    ForeignEnvironment();
    UseLanguage(EmptyCatalogueFolder());
    EXPECT_EQ(Translate(std::string("Close")), "Close");
    EXPECT_EQ(Translate("An unknown error ended the command."), QString("An unknown error ended the command."));
    // The empty key would be the catalogue's header.
    EXPECT_EQ(Translate(std::string()), "");
    TSampleDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Options");
    EXPECT_EQ(dialog.Box->text(), "Hide not selected");
    EXPECT_EQ(dialog.Label->text(), "Close");
}

TEST(Translate, TheEnglishCatalogueOfTheBuildGivesTheEnglishTexts)
{
    UseLanguage(PROGRAM_CATALOGUES);
    for (const char* text : {"About", "Close", "Viewer", "X", "An unknown error ended the command."})
        EXPECT_EQ(Translate(std::string(text)), text);
}

// A catalogue with changed texts in the English folder is used for the
// dialogs' captions and the message boxes, whatever the environment asks.
TEST(Translate, AChangedCatalogueIsUsedForDialogsAndMessages)
{
    ForeignEnvironment();
    UseLanguage(ChangedCatalogueFolder());
    EXPECT_EQ(Translate(std::string("Viewer")), "Betrachter (test)");
    EXPECT_EQ(Translate(std::string("not in the catalogue")), "not in the catalogue");

    TSampleDlg dialog;
    struct Case {
        const char* what;
        QString actual, expected;
    };
    const Case cases[] = {
        {"caption", dialog.windowTitle(), "Optionen (test)"},
        {"caption seen by the creation step", dialog.CaptionAtFormCreate, "Optionen (test)"},
        {"check box", dialog.Box->text(), "Nicht gewählte ausblenden (test)"},
        {"check box hint", dialog.Box->toolTip(), "Behalten (test)"},
        {"radio button", dialog.Radio->text(), "Behalten (test)"},
        {"group title", dialog.Group->title(), "Optionen (test)"},
        {"nested label", dialog.Label->text(), "Schließen (test)"},
        {"combo item", dialog.Combo->itemText(0), "Erste (test)"},
        {"tab", dialog.Tabs->tabText(0), "Reiter (test)"},
        {"action", dialog.Action->text(), "Öffnen (test)"},
        {"action's long hint", dialog.Action->statusTip(), "Behalten (test)"},
        // the ignore list
        {"edit box text", dialog.Edit->text(), "Close"},
        {"edit box placeholder", dialog.Edit->placeholderText(), "Type here"},
        {"menu", dialog.Menu->title(), "File"},
        {"menu item", dialog.MenuItem->text(), "Open"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.what;

    // A message box shows the catalogue's sentence.
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    TMessageBoxHandler(nullptr).ShowMessage(TMessageKind::Error, "An unknown error ended the command.");
    EXPECT_EQ(shown, "Ein unbekannter Fehler beendete den Befehl (test).");
}

TEST(TranslateFormBasic, GivesTheSystemFontAndWidensCheckBoxesToTheirCaptions)
{
    UseLanguage(EmptyCatalogueFolder());
    struct TBoxes : TTranslateFormBasic {
        TBoxes()
        {
            Long = new QCheckBox("Show the hole numbers of every hole on every face", this);
            Long->setGeometry(10, 10, 60, 17); // the design cut it off
            Short = new QRadioButton("On", this);
            Short->setGeometry(10, 40, 200, 17);
            Mnemonic = new QCheckBox("Save && &Close", this);
            FinishCreate();
        }
        QCheckBox* Long;
        QRadioButton* Short;
        QCheckBox* Mnemonic;
    };
    SetDpiOverride(120);
    TBoxes dialog;
    SetDpiOverride(0);
    EXPECT_EQ(dialog.font().family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    for (QAbstractButton* b : {static_cast<QAbstractButton*>(dialog.Long), static_cast<QAbstractButton*>(dialog.Short)}) {
        const int caption = b->fontMetrics().horizontalAdvance(b->text());
        // Caption plus 18 design pixels at 120 dpi, or what the style needs.
        EXPECT_EQ(b->width(), std::max(caption + ToDPI(18, 120), b->sizeHint().width())) << b->text().toStdString();
        // The style's room for the caption holds all of it.
        QStyleOptionButton option;
        option.initFrom(b);
        option.rect = b->rect();
        option.text = b->text();
        const QRect text = b->style()->subElementRect(
            qobject_cast<QCheckBox*>(b) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, b);
        EXPECT_GE(text.width(), caption) << b->text().toStdString();
    }
    EXPECT_GT(dialog.Long->width(), 60);
    EXPECT_LT(dialog.Short->width(), 200); // "width :=" also narrows
    // "&&" shows one ampersand, "&C" only the C.
    const int shown = dialog.Mnemonic->fontMetrics().horizontalAdvance("Save & Close");
    EXPECT_EQ(dialog.Mnemonic->width(), std::max(shown + ToDPI(18, 120), dialog.Mnemonic->sizeHint().width()));
}

TEST(TranslateFormBasic, SettingsFileAndSection)
{
    TSampleDlg dialog;
    dialog.setObjectName("CheckVersionDlg");
    EXPECT_EQ(dialog.GetIniFileName(), MainSettingsFile());
    EXPECT_EQ(dialog.GetIniFileSection(), "CheckVersionDlg");
}

// A TTranslateForm dialog opens where it was when it was last closed.
TEST(TranslateForm, KeepsThePlacementInTheWindowPlacementFile)
{
    const fs::path config = qv::test::TempPath("config");
    fs::remove_all(config);
    fs::create_directories(config);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    UseLanguage(EmptyCatalogueFolder());

    struct TKept : TTranslateForm {
        explicit TKept(const char* name)
        {
            setObjectName(name);
            move(123, 77); // where the design puts it
            setFixedSize(300, 120);
            FinishCreate();
        }
    };
    {
        TKept dialog("UpdateProgramDlg");
        EXPECT_EQ(dialog.pos(), QPoint(123, 77)); // nothing kept yet: the design's place
        dialog.move(250, 180);
    }
    const TIniFile ini(WindowPosFile());
    const TWindowPlacement kept = ReadWindowPlacement(ini, "UpdateProgramDlg");
    EXPECT_EQ(kept.Left, 250);
    EXPECT_EQ(kept.Top, 180);
    {
        TKept dialog("UpdateProgramDlg");
        EXPECT_EQ(dialog.pos(), QPoint(250, 180));
        EXPECT_EQ(dialog.size(), QSize(300, 120)); // a fixed-size dialog keeps its size
    }
    {
        // No placement kept for a window named like a main window: the
        // default placement of a main window.
        TKept dialog("OtherMainFormDlg");
        EXPECT_EQ(dialog.pos(), QPoint(PrimaryScreenRect().Left + 20, PrimaryScreenRect().Top + 20));
    }
}
