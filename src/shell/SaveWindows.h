#pragma once
// Keeps the placement of a window between runs: restores it from the
// window-placement file when created and writes it back when destroyed (the
// owner destroys the keeper together with its window). One section per
// window, named after the window's object name.
//
// Left and Top are the window's position including the window manager's
// frame, Width and Height its size without that frame: that is what Qt can
// set before a window is shown, and restoring exactly what was saved keeps
// the window from growing by its frame at every start.
#include "platform/WindowPlacement.h"

#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

namespace qv {

// Gives Widget the family and size of the system's font for windows. Qt
// has no separate "icon font": its general font is what the desktop
// (the platform theme) sets for window texts, the same font Windows calls
// the icon font. Widgets below Widget with a font of their own keep it.
void SetSystemIconFont(QWidget* Widget);

// The bounds of the attached monitors, and of the primary one.
std::vector<TScreenRect> MonitorRects();
TScreenRect PrimaryScreenRect();

// The stored placement of Form from the section Section of IniFileName (see
// DecideRestore for the rules), and the writing of its current placement.
void RestoreWindowPlacement(QWidget* form, const std::string& iniFileName, const std::string& section,
                            TWindowToFullScreen mode);
// Throws EIniFileError when the file cannot be written.
void SaveWindowPlacement(QWidget* form, const std::string& iniFileName, const std::string& section);
// The section of a window: its object name (its class name when it has none).
std::string WindowSection(const QWidget* form);

// The main window's placement keeper. FontOf, when given, is a widget whose
// font takes the family and size of the system's font, as the main window
// does with its own.
class TSaveWindow {
public:
    TSaveWindow(std::string AIniFileName, QWidget* AForm, TWindowToFullScreen AMode, QWidget* FontOf,
                bool UseWithRibbon = false);
    // Saves; an error is reported as an error message, not thrown.
    ~TSaveWindow();
    TSaveWindow(const TSaveWindow&) = delete;
    TSaveWindow& operator=(const TSaveWindow&) = delete;

    void Restore();
    // Throws EIniFileError when the file cannot be written.
    void Save();
    bool GetUseWithRibbon() const { return fUseWithRibbon; }

private:
    std::string FIniFileName;
    QPointer<QWidget> FForm;
    TWindowToFullScreen FMode;
    std::string FSection;
    bool fUseWithRibbon; // kept for callers; Qt has no placement mode for it to leave alone
};

// The same for dialogs, created by the translating dialog base with each
// dialog and destroyed with it.
class TSaveWindowNew {
public:
    TSaveWindowNew(std::string IniFileName, QWidget* Form, TWindowToFullScreen Mode);
    ~TSaveWindowNew();
    TSaveWindowNew(const TSaveWindowNew&) = delete;
    TSaveWindowNew& operator=(const TSaveWindowNew&) = delete;

    void Restore();
    void Save();

private:
    std::string fIniFileName;
    QPointer<QWidget> fForm;
    TWindowToFullScreen FMode;
    std::string fSection;
};

} // namespace qv
