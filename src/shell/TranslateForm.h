#pragma once
// The base classes of the program's own dialogs. TTranslateFormBasic
// translates a dialog's texts through the message catalogue when it is
// created, gives it the system's font and widens its check boxes and radio
// buttons to their captions; TTranslateForm also keeps its placement in the
// window-placement file. Sizes are 96-dpi design values scaled by ToDPI.
//
// Order of creation. A dialog builds its controls with their English design
// texts in its constructor, then calls FinishCreate(), which
//   1. (TTranslateForm only) restores the kept placement,
//   2. translates the window (TranslateComponents),
//   3. sets the system's font on the window,
//   4. widens every check box and radio button,
//   5. runs the dialog's own creation step, the virtual FormCreate().
// So FormCreate sees translated texts and the final fonts, and what it sets
// itself (the program's name and build, say) is never looked up.
#include <QDialog>
#include <QString>

#include <memory>
#include <string>

namespace qv {

class TSaveWindowNew;

// P design pixels (at 96 dots per inch) at Dpi dots per inch: P * Dpi / 96
// rounded to the nearest integer, halves away from zero.
int ToDPI(int P, int Dpi);

// The dots per inch that Form's sizes are designed against: the logical dots
// per inch of its screen (what the desktop's scaling and QT_FONT_DPI set),
// or the value given to SetDpiOverride. Qt's own device pixel ratio
// (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS) scales on top of that by itself.
int WindowDpi(const QWidget* Form);
// For tests: every window takes Dpi dots per inch from now on; 0 gives back
// the screen's.
void SetDpiOverride(int Dpi);

// Replaces every text of Window and the objects below it by its translation.
// Texts are the user-visible string properties: window title, text, title,
// tool tip, status tip, what's this, placeholder, icon text, accessible name
// and description, spin box prefix, suffix and special value text; the items
// of combo boxes and the texts and tips of tabs.
//
// What is never looked up (the catalogue's ignore list in Qt's terms):
// - edit boxes: a QLineEdit and everything it holds (its text is the user's);
// - menu items: a QMenu or QMenuBar and the actions below it (menus show the
//   texts of the dialog's actions, which are translated where they belong);
// - fonts: not a text property in Qt, so a family name is never translated;
// - the category of actions, help keywords and input method names: Qt has
//   none of them, nothing to leave out;
// - other string properties (object names, style sheets, input masks, the
//   content of text editors): not user-visible captions.
void TranslateComponents(QWidget* Window);

class TTranslateFormBasic : public QDialog {
public:
    explicit TTranslateFormBasic(QWidget* Parent = nullptr, Qt::WindowFlags Flags = {});

    int ToDPI(int P) const;
    int GetDpi() const { return WindowDpi(this); }
    // The main settings file, and the window's section in it (its object name).
    std::string GetIniFileName() const;
    std::string GetIniFileSection() const;

protected:
    // The creation steps above; called by the derived dialog's constructor
    // once its controls exist.
    virtual void FinishCreate();
    // The dialog's own creation step.
    virtual void FormCreate() {}
};

// A dialog whose placement is kept between runs, in the window-placement
// file under its object name (set it before FinishCreate). A dialog with
// "MAINFORM" in its name is placed like a main window when nothing is kept.
// The base this follows could also keep a font of the dialog; no dialog of
// this program does, so that part is left out.
class TTranslateForm : public TTranslateFormBasic {
public:
    explicit TTranslateForm(QWidget* Parent = nullptr, Qt::WindowFlags Flags = {});
    // Saves the placement (an error becomes an error message).
    ~TTranslateForm() override;

protected:
    void FinishCreate() override;

private:
    std::unique_ptr<TSaveWindowNew> fSaveWindow;
};

} // namespace qv
