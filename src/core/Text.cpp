#include "core/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace qv {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

} // namespace

std::string Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string TrimRightBlanks(std::string s)
{
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

std::string AsciiUpper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool AsciiSameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

std::string FloatToStr(double value)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    return std::string(buf, r.ptr);
}

std::string FixedText(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, 18);
    // Large enough for the widest double (309 digits) with 18 decimals.
    char buf[512];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) return "0";
    return std::string(buf, r.ptr);
}

bool TryStrToInt(std::string_view text, int32_t& value)
{
    std::string t = Trim(text);
    std::string_view s = t;
    if (s.empty()) return false;
    if (s.front() == '$' || (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))) {
        s.remove_prefix(s.front() == '$' ? 1 : 2);
        if (s.empty() || s.size() > 8) return false;
        uint32_t bits = 0;
        auto r = std::from_chars(s.data(), s.data() + s.size(), bits, 16);
        if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
        value = static_cast<int32_t>(bits);
        return true;
    }
    bool negative = false;
    if (s.front() == '+' || s.front() == '-') {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || s.front() == '+' || s.front() == '-') return false;
    int64_t magnitude = 0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), magnitude, 10);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
    const int64_t v = negative ? -magnitude : magnitude;
    if (v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool TryStrToFloat(std::string_view text, double& value)
{
    std::string t = Trim(text);
    std::string_view s = t;
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty() || s.front() == '+') return false;
    double v = 0.0;
    auto r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v)) return false;
    value = v;
    return true;
}

} // namespace qv
