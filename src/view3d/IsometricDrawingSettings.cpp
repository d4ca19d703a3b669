#include "view3d/IsometricDrawingSettings.h"

#include "view3d/IsometricDrawingSettingsDlg.h"

#include "core/Text.h"
#include "platform/IniFiles.h"
#include "platform/SettingsFolders.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

namespace qv {

namespace {

constexpr std::array<std::string_view, 17> FlagKeys = {
    "Face Numbers", "Hole Numbers", "Manifold", "Perspective", "Axis", "Continuous Orbit", "Use Colors",
    "Show Thread", "Transparent", "Contours", "Filled Cylinders", "Show Ports", "Hole texts", "Plugs",
    "Item Numbers", "Dummy Holes", "Rotation center"};

// Check boxes of the flags, in flag order; the main window's Settings panel
// uses the same names for its ten.
constexpr std::array<std::string_view, 17> FlagCheckBoxes = {
    "CHECKBOXFACENUMBERS", "CHECKBOXHOLENUMBERS", "CHECKBOXSHOWMANIFOLD", "CHECKBOXPERSPECTIVE", "CHECKBOXAXIS",
    "CHECKBOXCONTINUOUSORBIT", "CHECKBOXUSECOLORS", "CHECKBOXSHOWTHREAD", "CHECKBOXTRANSPARENT",
    "CHECKBOXCONTOURS", "CHECKBOXFILLEDCYLINDERS", "CHECKBOXSHOWPORTS", "CHECKBOXHOLETEXTS", "CHECKBOXPLUGS",
    "CHECKBOXITEMNUMBERS", "CHECKBOXDUMMYHOLES", "CHECKBOXROTATIONCENTER"};

constexpr const char* SectionFlags = "IsometricFlags";
constexpr const char* SectionHeights = "Heights";
constexpr const char* SectionTransparency = "Transparency";
// This value has a section of its own, named like its key.
constexpr const char* SectionThreadTransparentHoles = "TransparencyThreadTransparentHoles";
constexpr const char* SectionColors = "Colors";
constexpr const char* SectionDarkened = "DarkenedObjects";

// The usual colour names; a colour that has none is written in hexadecimal.
struct TColorName { const char* Name; TColor Color; };
constexpr TColorName ColorNames[] = {
    {"Black", 0x000000},     {"Maroon", 0x000080},    {"Green", 0x008000},  {"Olive", 0x008080},
    {"Navy", 0x800000},      {"Purple", 0x800080},    {"Teal", 0x808000},   {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},    {"Red", 0x0000FF},       {"Lime", 0x00FF00},   {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},      {"Fuchsia", 0xFF00FF},   {"Aqua", 0xFFFF00},   {"White", 0xFFFFFF},
    {"MoneyGreen", 0xC0DCC0}, {"SkyBlue", 0xF0CAA6},  {"Cream", 0xF0FBFF},  {"MedGray", 0xA4A0A0},
};

QString DecimalSeparator() { return QLocale().decimalPoint(); }

std::string Upper(const QString& s) { return s.toUpper().toStdString(); }

// Depth-first over the widget tree, a widget's children before the widget.
template <class Visit> void WalkControls(QWidget* w, Visit&& visit)
{
    for (QObject* child : w->children())
        if (auto* cw = qobject_cast<QWidget*>(child)) WalkControls(cw, visit);
    visit(w);
}

// The field an edit or image control shows, by its upper-cased name.
double* FloatField(TIsometricDrawingSettingsData& d, std::string_view name)
{
    if (name == "EDITGROUPALPHA") return &d.DarkenedObjects.Alpha;
    if (name == "EDITGROUPFACTOR") return &d.DarkenedObjects.DarkenedFactor;
    if (name == "EDITTRANSPARENCYHOLES") return &d.TransparencyHoles;
    if (name == "EDITTRANSPARENCYTHREADTRANSPARENTHOLE") return &d.TransparencyThreadTransparentHoles;
    if (name == "EDITTRANSPARENCYTHREAD") return &d.TransparencyThread;
    return nullptr;
}

int32_t* IntField(TIsometricDrawingSettingsData& d, std::string_view name)
{
    if (name == "EDITTEXTHEIGHTFACTOR") return &d.TextHeightFactor;
    if (name == "EDITERRORINDICATORFACTOR") return &d.ErrorIndicatorFactor;
    return nullptr;
}

TColor* ColorField(TIsometricDrawingSettingsData& d, std::string_view name)
{
    if (name == "EDITTHREADCOLOR" || name == "IMAGETHREADCOLOR") return &d.ThreadColor;
    if (name == "EDITBACKGROUNDCOLOR" || name == "IMAGEBACKGROUNDCOLOR") return &d.BackgroundColor;
    if (name == "EDITSELECTCOLOR" || name == "IMAGESELECTCOLOR") return &d.SelectColor;
    return nullptr;
}

int FlagOfCheckBox(std::string_view name)
{
    for (size_t i = 0; i < FlagCheckBoxes.size(); ++i)
        if (FlagCheckBoxes[i] == name) return int(i);
    return -1;
}

} // namespace

std::string_view IsoFlagKey(TIsometricDrawingFlag flag)
{
    const int i = static_cast<int>(flag);
    return i >= 0 && i < int(FlagKeys.size()) ? FlagKeys[i] : std::string_view();
}

// --- text conversions ---------------------------------------------------------

std::string FloatToEditText(double value)
{
    if (!std::isfinite(value)) value = 0.0;
    // Seven significant digits first, then two decimals. std::to_chars,
    // unlike printf, ignores the C locale that the application object sets.
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 6);
    double rounded = value;
    std::from_chars(buf, r.ptr, rounded);
    if (std::fabs(rounded) >= 1e7) r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::general, 7);
    else r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, 2);
    std::string text(buf, r.ptr);
    if (text == "-0.00") text = "0.00";
    const std::string sep = DecimalSeparator().toStdString();
    if (const size_t dot = text.find('.'); dot != std::string::npos) text.replace(dot, 1, sep);
    return text;
}

double EditTextToFloat(std::string_view text, double previous)
{
    std::string t(text);
    const std::string sep = DecimalSeparator().toStdString();
    if (!sep.empty() && sep != ".") {
        for (size_t pos = t.find(sep); pos != std::string::npos; pos = t.find(sep, pos + 1)) t.replace(pos, sep.size(), ".");
    }
    double v = previous;
    return TryStrToFloat(t, v) ? v : previous;
}

int32_t EditTextToInt(std::string_view text, int32_t previous)
{
    int32_t v = previous;
    return TryStrToInt(text, v) ? v : previous;
}

std::string ColorToText(TColor color)
{
    for (const auto& c : ColorNames)
        if (c.Color == color) return c.Name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%.8X", static_cast<uint32_t>(color));
    return buf;
}

TColor TextToColor(std::string_view text, TColor previous)
{
    const std::string t = Trim(text);
    if (!t.empty() && t.front() == '$') {
        int32_t v = previous;
        return TryStrToInt(t, v) ? v : previous;
    }
    // The names are looked up as they would be with the "cl" prefix of the
    // colour constants, so "clGray" is accepted as well as "Gray".
    std::string_view name = t;
    if (name.size() > 2 && strncasecmp(name.data(), "cl", 2) == 0) {
        const std::string rest(name.substr(2));
        for (const auto& c : ColorNames)
            if (strcasecmp(c.Name, rest.c_str()) == 0) return c.Color;
    }
    for (const auto& c : ColorNames)
        if (strcasecmp(c.Name, t.c_str()) == 0) return c.Color;
    return previous;
}

QColor ColorToQColor(TColor color)
{
    const auto u = static_cast<uint32_t>(color);
    return QColor(int(u & 0xFF), int((u >> 8) & 0xFF), int((u >> 16) & 0xFF));
}

TColor QColorToColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return TColor(uint32_t(rgb.red()) | uint32_t(rgb.green()) << 8 | uint32_t(rgb.blue()) << 16);
}

void PaintColorSwatch(QLabel* image, TColor color)
{
    const QSize size = image->size();
    if (size.isEmpty()) return;
    QImage bitmap(size, QImage::Format_RGB32);
    bitmap.fill(Qt::black);
    QPainter painter(&bitmap);
    painter.fillRect(QRect(1, 1, size.width() - 2, size.height() - 2), ColorToQColor(color));
    painter.end();
    image->setPixmap(QPixmap::fromImage(bitmap));
}

// --- settings file ---------------------------------------------------------------

void TIsometricDrawingSettings::LoadFromIni() { LoadFromIni(NamedSettingsFile("IsoView")); }

void TIsometricDrawingSettings::SaveToIni() const { SaveToIni(NamedSettingsFile("IsoView")); }

void TIsometricDrawingSettings::LoadFromIni(const std::string& fileName)
{
    const TIniFile ini(fileName);
    LoadFromIni(ini);
}

void TIsometricDrawingSettings::SaveToIni(const std::string& fileName) const
{
    TIniFile ini(fileName);
    SaveToIni(ini);
    ini.UpdateFile();
}

void TIsometricDrawingSettings::LoadFromIni(const TIniFile& ini)
{
    Clear();
    auto& d = fData;
    // With a file, a flag is on only when its key says so: a missing key
    // means off. Without a file the defaults stay.
    if (ini.FileExisted()) d.IsoFlags.Clear();
    for (int i = 0; i < int(FlagKeys.size()); ++i) {
        const auto flag = static_cast<TIsometricDrawingFlag>(i);
        if (ini.ReadBool(SectionFlags, FlagKeys[i], d.IsoFlags.Contains(flag))) d.IsoFlags.Include(flag);
    }
    d.TextHeightFactor = ini.ReadInteger(SectionHeights, "TextHeightFactor", d.TextHeightFactor);
    d.ErrorIndicatorFactor = ini.ReadInteger(SectionHeights, "ErrorIndicatorFactor", d.ErrorIndicatorFactor);
    d.TransparencyHoles = ini.ReadFloat(SectionTransparency, "TransparencyHoles", d.TransparencyHoles);
    d.TransparencyThread = ini.ReadFloat(SectionTransparency, "TransparencyThread", d.TransparencyThread);
    d.TransparencyThreadTransparentHoles = ini.ReadFloat(
        SectionThreadTransparentHoles, "TransparencyThreadTransparentHoles", d.TransparencyThreadTransparentHoles);
    d.ThreadColor = ini.ReadInteger(SectionColors, "ThreadColor", d.ThreadColor);
    d.BackgroundColor = ini.ReadInteger(SectionColors, "BackgroundColor", d.BackgroundColor);
    d.SelectColor = ini.ReadInteger(SectionColors, "SelectColor", d.SelectColor);
    d.DarkenedObjects.Transparent = ini.ReadBool(SectionDarkened, "Transparent", d.DarkenedObjects.Transparent);
    d.DarkenedObjects.Alpha = ini.ReadFloat(SectionDarkened, "Alpha", d.DarkenedObjects.Alpha);
    d.DarkenedObjects.DarkenedFactor =
        ini.ReadFloat(SectionDarkened, "DarkenedFactor", d.DarkenedObjects.DarkenedFactor);
}

void TIsometricDrawingSettings::SaveToIni(TIniFile& ini) const
{
    const auto& d = fData;
    for (int i = 0; i < int(FlagKeys.size()); ++i)
        ini.WriteBool(SectionFlags, FlagKeys[i], d.IsoFlags.Contains(static_cast<TIsometricDrawingFlag>(i)));
    ini.WriteInteger(SectionHeights, "TextHeightFactor", d.TextHeightFactor);
    ini.WriteInteger(SectionHeights, "ErrorIndicatorFactor", d.ErrorIndicatorFactor);
    ini.WriteFloat(SectionTransparency, "TransparencyHoles", d.TransparencyHoles);
    ini.WriteFloat(SectionTransparency, "TransparencyThread", d.TransparencyThread);
    ini.WriteFloat(SectionThreadTransparentHoles, "TransparencyThreadTransparentHoles",
                   d.TransparencyThreadTransparentHoles);
    ini.WriteInteger(SectionColors, "ThreadColor", d.ThreadColor);
    ini.WriteInteger(SectionColors, "BackgroundColor", d.BackgroundColor);
    ini.WriteInteger(SectionColors, "SelectColor", d.SelectColor);
    ini.WriteBool(SectionDarkened, "Transparent", d.DarkenedObjects.Transparent);
    ini.WriteFloat(SectionDarkened, "Alpha", d.DarkenedObjects.Alpha);
    ini.WriteFloat(SectionDarkened, "DarkenedFactor", d.DarkenedObjects.DarkenedFactor);
}

// --- controls ----------------------------------------------------------------------

void TIsometricDrawingSettings::ToDialog(QWidget* root) const
{
    if (!root) return;
    auto d = fData; // the field lookups hand out pointers into a record
    WalkControls(root, [&](QWidget* w) {
        const std::string name = Upper(w->objectName());
        if (name.empty()) return;
        if (auto* box = qobject_cast<QCheckBox*>(w)) {
            if (name == "CHECKBOXGROUPTRANSPARENT") box->setChecked(d.DarkenedObjects.Transparent);
            else if (int flag = FlagOfCheckBox(name); flag >= 0)
                box->setChecked(d.IsoFlags.Contains(static_cast<TIsometricDrawingFlag>(flag)));
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (double* f = FloatField(d, name)) edit->setText(QString::fromStdString(FloatToEditText(*f)));
            else if (int32_t* n = IntField(d, name)) edit->setText(QString::number(*n));
            else if (name.rfind("EDIT", 0) == 0)
                if (TColor* c = ColorField(d, name)) edit->setText(QString::fromStdString(ColorToText(*c)));
        } else if (auto* image = qobject_cast<QLabel*>(w)) {
            if (name.rfind("IMAGE", 0) == 0)
                if (TColor* c = ColorField(d, name)) PaintColorSwatch(image, *c);
        }
    });
}

void TIsometricDrawingSettings::FromDialog(QWidget* root)
{
    if (!root) return;
    auto& d = fData;
    WalkControls(root, [&](QWidget* w) {
        const std::string name = Upper(w->objectName());
        if (name.empty()) return;
        if (auto* box = qobject_cast<QCheckBox*>(w)) {
            if (name == "CHECKBOXGROUPTRANSPARENT") {
                d.DarkenedObjects.Transparent = box->isChecked();
            } else if (int flag = FlagOfCheckBox(name); flag >= 0) {
                const auto f = static_cast<TIsometricDrawingFlag>(flag);
                d.IsoFlags.Set(f, box->isChecked());
            }
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            const std::string text = edit->text().toStdString();
            if (double* f = FloatField(d, name)) *f = EditTextToFloat(text, *f);
            else if (int32_t* n = IntField(d, name)) *n = EditTextToInt(text, *n);
            else if (name.rfind("EDIT", 0) == 0)
                if (TColor* c = ColorField(d, name)) *c = TextToColor(text, *c);
        }
    });
}

bool TIsometricDrawingSettings::Modify(QWidget* parent)
{
    TIsometricDrawingSettingsDlg dialog(*this, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace qv
