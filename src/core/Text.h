#pragma once
// The small text helpers every layer uses: trimming, ASCII case, and number
// texts as settings files and dimension labels show them. Conversions between
// code pages are in Encoding.h, case-insensitive comparison of names in any
// script in TextCompare.h.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The text without blanks (spaces, tabs, line breaks) at either end.
std::string Trim(std::string_view text);
// The text without its trailing spaces (fixed-width fields are padded with
// them).
std::string TrimRightBlanks(std::string s);

// Upper-cases ASCII letters only (the file formats compare names this way).
std::string AsciiUpper(std::string_view s);
bool AsciiSameText(std::string_view a, std::string_view b);

// Floating-point values in general format with up to 15 significant digits
// and "." as decimal separator ("0.6", "-0.8", "1e+20").
std::string FloatToStr(double value);
// A value with a fixed number of decimals (clamped to 0..18) and "." as
// decimal separator: FixedText(300, 2) is "300.00".
std::string FixedText(double value, int decimals);
// Parses a whole text (blanks around it allowed) as a 32-bit integer: an
// optional sign and decimal digits, or "$"/"0x" and up to eight hexadecimal
// digits (taken as the bit pattern, "$FFFFFFFF" is -1).
bool TryStrToInt(std::string_view text, int32_t& value);
// Parses a whole text (blanks around it allowed) as a finite number with "."
// as decimal separator.
bool TryStrToFloat(std::string_view text, double& value);

} // namespace qv
