#pragma once
// The stored placement of a window (one section of the window-placement file
// per window) and the decision how to bring it back. Kept apart from the
// widgets so that it works on given monitor rectangles.
#include <string_view>
#include <vector>

namespace qv {

class TIniFile;

// Whether a window without a usable stored placement gets the default
// placement (the main window) or stays where its design puts it (dialogs).
enum TWindowToFullScreen { FullScreen, NoFullScreen };

// Window states as stored: 0 normal, 1 minimised, 2 maximised.
enum TStoredWindowState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

struct TScreenRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    friend bool operator==(const TScreenRect&, const TScreenRect&) = default;
};

struct TWindowPlacement {
    int State = wsNormal;
    int Left = 0, Top = 0, Width = 0, Height = 0;
    friend bool operator==(const TWindowPlacement&, const TWindowPlacement&) = default;
};

// Keys "State", "Height", "Left", "Top", "Width"; each missing one reads 0.
TWindowPlacement ReadWindowPlacement(const TIniFile& ini, std::string_view section);
void WriteWindowPlacement(TIniFile& ini, std::string_view section, const TWindowPlacement& p);

// The window overlaps some monitor in an area more than 100 pixels wide and
// more than 100 pixels high: enough to grab it and pull it back.
bool OverlapsAMonitor(const TScreenRect& window, const std::vector<TScreenRect>& monitors);

// 20 pixels in from the top left of the screen, 40 narrower and 70 lower
// than the screen (room for the task bar).
TScreenRect DefaultPlacement(const TScreenRect& screen);

struct TRestoreAction {
    enum TKind {
        Keep,      // leave the window where its design puts it
        Default,   // the default placement, normal state
        Normal,    // the stored position (and size when resizable), normal state
        Maximized  // the stored bounds, then maximised
    };
    TKind Kind = Keep;
    TScreenRect Bounds;
};

// What restoring does with the stored placement. FileExists tells whether the
// window-placement file exists at all; Screen is the primary screen, for the
// default placement.
TRestoreAction DecideRestore(bool fileExists, const TWindowPlacement& stored, TWindowToFullScreen mode,
                             const std::vector<TScreenRect>& monitors, const TScreenRect& screen);

} // namespace qv
