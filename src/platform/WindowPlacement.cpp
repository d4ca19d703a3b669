#include "platform/WindowPlacement.h"

#include "platform/IniFiles.h"

#include <algorithm>
#include <cstdint>

namespace qv {

TWindowPlacement ReadWindowPlacement(const TIniFile& ini, std::string_view section)
{
    TWindowPlacement p;
    p.State = ini.ReadInteger(section, "State", 0);
    p.Height = ini.ReadInteger(section, "Height", 0);
    p.Left = ini.ReadInteger(section, "Left", 0);
    p.Top = ini.ReadInteger(section, "Top", 0);
    p.Width = ini.ReadInteger(section, "Width", 0);
    return p;
}

void WriteWindowPlacement(TIniFile& ini, std::string_view section, const TWindowPlacement& p)
{
    ini.WriteInteger(section, "State", p.State);
    ini.WriteInteger(section, "Height", p.Height);
    ini.WriteInteger(section, "Left", p.Left);
    ini.WriteInteger(section, "Top", p.Top);
    ini.WriteInteger(section, "Width", p.Width);
}

bool OverlapsAMonitor(const TScreenRect& window, const std::vector<TScreenRect>& monitors)
{
    // 64-bit edges: stored values come from a file and may be anything.
    const int64_t wl = window.Left, wt = window.Top;
    const int64_t wr = wl + window.Width, wb = wt + window.Height;
    return std::any_of(monitors.begin(), monitors.end(), [&](const TScreenRect& m) {
        const int64_t ml = m.Left, mt = m.Top;
        const int64_t mr = ml + m.Width, mb = mt + m.Height;
        const int64_t w = std::min(wr, mr) - std::max(wl, ml);
        const int64_t h = std::min(wb, mb) - std::max(wt, mt);
        return w > 100 && h > 100;
    });
}

TScreenRect DefaultPlacement(const TScreenRect& screen)
{
    return {screen.Left + 20, screen.Top + 20, screen.Width - 40, screen.Height - 70};
}

TRestoreAction DecideRestore(bool fileExists, const TWindowPlacement& stored, TWindowToFullScreen mode,
                             const std::vector<TScreenRect>& monitors, const TScreenRect& screen)
{
    const TRestoreAction useDefault{mode == FullScreen ? TRestoreAction::Default : TRestoreAction::Keep,
                                    mode == FullScreen ? DefaultPlacement(screen) : TScreenRect{}};
    if (!fileExists) return useDefault;

    const TScreenRect bounds{stored.Left, stored.Top, stored.Width, stored.Height};
    // A window stored minimised comes back in the normal state. A maximised
    // one is maximised on the monitor it was on; when that monitor is gone it
    // is maximised from the default placement instead, so that it cannot
    // come up (and later return to normal) off every screen.
    if (stored.State == wsMaximized) {
        if (OverlapsAMonitor(bounds, monitors)) return {TRestoreAction::Maximized, bounds};
        return {TRestoreAction::Maximized, DefaultPlacement(screen)};
    }

    const bool valid = stored.Height != 0 && stored.Width != 0 && OverlapsAMonitor(bounds, monitors);
    if (valid) return {TRestoreAction::Normal, bounds};
    return useDefault;
}

} // namespace qv
