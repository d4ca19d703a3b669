#include "shell/StatusTexts.h"

#include "document/Manifolds.h"
#include "model/CutOut.Helpers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace qv {

namespace {

// Fixed-point text of v with 7 significant digits and Decimals decimals,
// in the C library's current locale (its decimal separator). Values of
// 10^7 and more have no room for 7 significant digits before the point and
// are written in exponent notation.
std::string FixedText(double v, int Decimals)
{
    const float f = static_cast<float>(v); // single precision, as the panel shows it
    const double x = f;
    Decimals = std::max(0, std::min(Decimals, 18));
    char buf[64];
    if (!std::isfinite(x)) {
        std::snprintf(buf, sizeof buf, "%g", x);
        return buf;
    }
    if (std::fabs(x) >= 1e7) {
        std::snprintf(buf, sizeof buf, "%.6E", x);
        return buf;
    }
    // Rounded to 7 significant digits first, then written with the decimals.
    std::snprintf(buf, sizeof buf, "%.6e", x);
    const double rounded = std::strtod(buf, nullptr);
    std::snprintf(buf, sizeof buf, "%.*f", Decimals, rounded);
    return buf;
}

char DecimalSeparator()
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "%.1f", 0.5);
    return buf[1];
}

} // namespace

std::string FormatTrimmed(double v, int Decimals)
{
    std::string s = FixedText(v, Decimals);
    const char sep = DecimalSeparator();
    if (s.find(sep) != std::string::npos && s.find_first_of("eE") == std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == sep) s.pop_back();
    }
    return s;
}

std::string FormatOneDecimal(double v) { return FixedText(v, 1); }

namespace {

// Model volume (cubic model units times density) to kilograms: the density
// is in kg/m³, lengths in millimetres or inches.
double ToKilograms(const TManifold& m, double x)
{
    return m.FData.MeasuringUnits == muMM ? x * 1e-9 : x * 25.4 * 25.4 * 25.4 * 1e-9;
}

double CutOutVolume(const TManifold& m)
{
    double sum = 0;
    for (const auto* c : m.fCutOutList) {
        const TXYZPoint a = TCutOutHelper::GetStartPoint(*c, m.FData.Max);
        const TXYZPoint b = TCutOutHelper::GetEndPoint(*c, m.FData.Max);
        sum += std::fabs((b.X - a.X) * (b.Y - a.Y) * (b.Z - a.Z));
    }
    return sum;
}

// Each bore as the stack of its step cylinders: from the face (the last
// step) down to the deepest, each step reaching from the previous step's
// depth to its own.
double HoleVolume(const TManifold& m)
{
    constexpr double kPi = 3.14159265358979323846;
    double sum = 0;
    for (const auto* h : m.FHoleList) {
        if (h->GetIsDummyHole()) continue;
        double p = 0;
        for (int i = h->FStepList.Count() - 1; i >= 0; --i) {
            const TStep* s = h->FStepList.GetSteps(i);
            sum += kPi / 4 * s->FData.Diameter * s->FData.Diameter * (s->FData.Depth - p);
            p = s->FData.Depth;
        }
    }
    return sum;
}

} // namespace

double GrossWeight(const TManifold& m)
{
    const TXYZPoint& x = m.FData.Max;
    return ToKilograms(m, x.X * x.Y * x.Z * m.FData.MassDensity);
}

double NetWeight(const TManifold& m)
{
    const double d = m.FData.MassDensity;
    return GrossWeight(m) - ToKilograms(m, CutOutVolume(m) * d + HoleVolume(m) * m.FData.HoleFactor * d);
}

std::string WeightText(const TManifold& m)
{
    return FormatOneDecimal(GrossWeight(m)) + " kg (Net: " + FormatOneDecimal(NetWeight(m)) + ")";
}

std::array<std::string, 7> StatusPanelTexts(const TManifold& m)
{
    const auto& d = m.FData;
    return {m.FileName(),
            "Xmax=" + FormatTrimmed(d.Max.X, d.Decimals),
            "Ymax=" + FormatTrimmed(d.Max.Y, d.Decimals),
            "Zmax=" + FormatTrimmed(d.Max.Z, d.Decimals),
            d.MeasuringUnits == muIN ? "Inch" : "Metric",
            WeightText(m),
            std::to_string(m.FHoleList.Count()) + " hole(s)"};
}

std::string ShortenPath(const std::string& Path, int MaxWidth, const std::function<int(const std::string&)>& Width)
{
    if (Width(Path) <= MaxWidth) return Path;
    // root: "/" or a drive such as "C:\"; then folders; then the name.
    auto isSep = [](char c) { return c == '/' || c == '\\'; };
    size_t pos = 0;
    std::string root;
    if (Path.size() >= 2 && Path[1] == ':') pos = 2;
    while (pos < Path.size() && isSep(Path[pos])) ++pos;
    root = Path.substr(0, pos);
    std::vector<std::string> parts;
    std::vector<char> seps;
    size_t start = pos;
    for (size_t i = pos; i < Path.size(); ++i)
        if (isSep(Path[i])) {
            parts.push_back(Path.substr(start, i - start));
            seps.push_back(Path[i]);
            start = i + 1;
        }
    const std::string name = Path.substr(start);
    const char sep = seps.empty() ? (root.empty() ? '/' : root.back()) : seps.back();
    if (parts.empty()) return Path; // nothing but the name: never cut
    // Leading folders replaced by "...", one more each time.
    for (size_t drop = 1; drop <= parts.size(); ++drop) {
        std::string rest;
        for (size_t k = drop; k < parts.size(); ++k) rest += parts[k] + seps[k];
        const std::string text = root + "..." + sep + rest + name;
        if (Width(text) <= MaxWidth) return text;
    }
    // Last the root goes too.
    return std::string("...") + sep + name;
}

} // namespace qv
