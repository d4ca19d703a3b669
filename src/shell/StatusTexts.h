#pragma once
// The texts of the main window's status bar, as plain functions: the block
// lengths, the unit, the weight of the block less its cut-outs and bores,
// the hole count, and the file path shortened to fit its panel.
#include <array>
#include <functional>
#include <string>

namespace qv {

class TManifold;

// v rounded to single precision, written with 7 significant digits and
// Decimals decimals; trailing zeros after the decimal separator are
// removed, and then the separator itself when it is last
// (120.50 -> "120.5", 120.00 -> "120").
std::string FormatTrimmed(double v, int Decimals);
// The same with one decimal, nothing removed (1.0 -> "1.0").
std::string FormatOneDecimal(double v);

// Gross weight of the block and net weight less the cut-outs and the bores
// (dummy holes remove no metal), in kilograms: "1.6 kg (Net: 1.6)".
double GrossWeight(const TManifold& Manifold);
double NetWeight(const TManifold& Manifold);
std::string WeightText(const TManifold& Manifold);

// The seven panels of a loaded document; panel 0 is the full file name
// (the window shortens it to the panel's width).
std::array<std::string, 7> StatusPanelTexts(const TManifold& Manifold);

// Path shortened until Width(text) <= MaxWidth: leading folders are
// replaced one at a time by "...", then the root (a drive or the leading
// separator) is dropped. The file name itself is never cut, so the result
// may still be wider than MaxWidth.
std::string ShortenPath(const std::string& Path, int MaxWidth, const std::function<int(const std::string&)>& Width);

} // namespace qv
