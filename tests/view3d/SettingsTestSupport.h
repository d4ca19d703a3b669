#pragma once
// What the view settings tests and the settings dialog tests share.
#include "view3d/IsometricDrawingSettings.h"

#include "testkit/Flatten.h"

#include <QLocale>

namespace qv::test {

inline TFlat Flat(const TIsometricDrawingSettings& s)
{
    TFlat out;
    Flatten(out, "Settings", s);
    return out;
}

// Every field changed from its default.
inline TIsometricDrawingSettings ChangedSettings()
{
    TIsometricDrawingSettings s;
    auto& d = s.fData;
    d.TextHeightFactor = 25;
    d.ErrorIndicatorFactor = 3;
    d.TransparencyHoles = 0.35;
    d.TransparencyThread = 0.15;
    d.TransparencyThreadTransparentHoles = 0.95;
    d.ThreadColor = 0x00123456;
    d.BackgroundColor = 0x00FFFFFF;
    d.SelectColor = 0x000000FF;
    d.IsoFlags = {isoManifold, isoAxis, isoTransparent, isoDummyHoles};
    d.DarkenedObjects = {true, 0.45, -0.25};
    return s;
}

// The user's locale for the life of the guard.
struct LocaleGuard {
    QLocale saved;
    explicit LocaleGuard(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleGuard() { QLocale::setDefault(saved); }
};

} // namespace qv::test
