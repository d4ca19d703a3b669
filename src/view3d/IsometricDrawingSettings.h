#pragma once
// The switches, colours, opacities and factors of the 3D view. The main
// window owns one instance, loads it from the user's settings at start-up and
// saves it on exit; the scene builders read it while building.
#include "core/Reflect.h"
#include "model/ModelTypes.h"

#include <cstdint>
#include <string>
#include <string_view>

class QColor;
class QLabel;
class QWidget;

namespace qv {

class TIniFile;

// The ordinal is the bit in IsoFlags.
QV_ENUM(TIsometricDrawingFlag, isoFaceNumbers, isoHoleNumbers, isoManifold, isoPerspective, isoAxis,
        isoContinuousOrbit, isoUseColors, isoShowThread, isoTransparent, isoContours, isoFilledCylinders,
        isoShowPorts, isoHoleTexts, isoPlugs, isoItemNumbers, isoDummyHoles, isoRotationCenter)
using TIsometricDrawingFlags = TSet<TIsometricDrawingFlag>;

// Switched on for a new user: face and hole numbers, perspective, colours,
// threads, contours, ports, hole texts, plugs, item numbers, rotation centre.
inline constexpr TIsometricDrawingFlags DefaultIsoFlags = TIsometricDrawingFlags::FromBits(0x00017ACB);
// The flags whose change needs the scene rebuilt; the others (block box,
// perspective, axes, orbit, rotation centre) are applied to the existing scene.
inline constexpr TIsometricDrawingFlags RebuildFlags = TIsometricDrawingFlags::FromBits(0x0000FFC3);

// The key of each flag in the view settings file.
std::string_view IsoFlagKey(TIsometricDrawingFlag flag);

// How objects outside the chosen groups look.
struct TIsoDarkenedObjects {
    bool Transparent = false;     // fade them instead of darkening them
    double Alpha = 0.3;           // opacity when faded
    double DarkenedFactor = -0.8; // colour factor when darkened: -1 black .. 0 unchanged .. positive lighter

    template <class F> void Fields(F&& f) const
    {
        f("Transparent", Transparent); f("Alpha", Alpha); f("DarkenedFactor", DarkenedFactor);
    }
};

struct TIsometricDrawingSettingsData {
    int32_t TextHeightFactor = 10;     // label text height in thousandths of the block's X size
    int32_t ErrorIndicatorFactor = 20; // kept and edited, drawn by nothing
    double TransparencyHoles = 0.6;    // opacity of hole surfaces when holes are transparent
    double TransparencyThread = 0.5;   // opacity of threads in solid holes
    double TransparencyThreadTransparentHoles = 0.7; // opacity of threads in transparent holes
    TColor ThreadColor = 0x00808080;
    TColor BackgroundColor = 0x00000000;
    TColor SelectColor = 0x00FFFF00;
    TIsometricDrawingFlags IsoFlags = DefaultIsoFlags;
    TIsoDarkenedObjects DarkenedObjects;

    template <class F> void Fields(F&& f) const
    {
        f("TextHeightFactor", TextHeightFactor); f("ErrorIndicatorFactor", ErrorIndicatorFactor);
        f("TransparencyHoles", TransparencyHoles); f("TransparencyThread", TransparencyThread);
        f("TransparencyThreadTransparentHoles", TransparencyThreadTransparentHoles);
        f("ThreadColor", ThreadColor); f("BackgroundColor", BackgroundColor); f("SelectColor", SelectColor);
        f("IsoFlags", IsoFlags); f("DarkenedObjects", DarkenedObjects);
    }
};

class TIsometricDrawingSettings {
public:
    TIsometricDrawingSettingsData fData;

    TIsometricDrawingSettings() { Clear(); }
    void Clear() { fData = TIsometricDrawingSettingsData(); }
    void Assign(const TIsometricDrawingSettings& source) { fData = source.fData; }

    bool GetIsTransparent() const { return fData.IsoFlags.Contains(isoTransparent); }
    bool GetIsFilledCylinders() const { return fData.IsoFlags.Contains(isoFilledCylinders); }

    // The user's view settings file (<program>_IsoView.ini in the Ini folder).
    void LoadFromIni();
    // Throws EIniFileError when the file cannot be written; the old file is
    // then unchanged.
    void SaveToIni() const;
    // The same on a given file.
    void LoadFromIni(const std::string& fileName);
    void SaveToIni(const std::string& fileName) const;
    void LoadFromIni(const TIniFile& ini);
    void SaveToIni(TIniFile& ini) const;

    // Copy between the settings and the controls of any window: every widget
    // below Root (and Root itself) whose object name, upper-cased, is one of
    // the known control names. Controls with other names are left alone.
    void ToDialog(QWidget* root) const;
    void FromDialog(QWidget* root);

    // Shows the settings dialog (TIsometricDrawingSettingsDlg) modally on
    // this object; true when it was closed with OK, which took its values.
    bool Modify(QWidget* parent = nullptr);

    template <class F> void Fields(F&& f) const { f("fData", fData); }
};

// Text conversions of the settings controls.
// Numbers with two decimals, with the user's decimal separator ("0.60").
std::string FloatToEditText(double value);
// The user's decimal separator becomes ".", blanks are trimmed; text that is
// not a number keeps Previous.
double EditTextToFloat(std::string_view text, double previous);
int32_t EditTextToInt(std::string_view text, int32_t previous);
// A colour's name without "cl" ("Black", "Gray") or "$" and eight hexadecimal
// digits for a colour without a name.
std::string ColorToText(TColor color);
// A name (any letter case) or "$" and hexadecimal digits; anything else keeps
// Previous.
TColor TextToColor(std::string_view text, TColor previous);
// The Qt colour of a $00BBGGRR colour, and back.
QColor ColorToQColor(TColor color);
TColor QColorToColor(const QColor& color);
// An image control showing a colour: a bitmap of the control's size filled
// black, the colour filling it inset by one pixel.
void PaintColorSwatch(QLabel* image, TColor color);

} // namespace qv
