#include "TextCompare.h"

#include <cstdint>
#include <locale.h>
#include <wctype.h>

namespace qv {

namespace {

// One C.UTF-8 locale object for the whole program, created on first use and
// never installed as the process locale, so the user's locale settings (and
// anything that changes them at run time) have no effect on the fold.
class TFoldLocale {
public:
    TFoldLocale()
    {
        for (const char* name : {"C.UTF-8", "C.utf8"}) {
            fLocale = newlocale(LC_CTYPE_MASK, name, locale_t(nullptr));
            if (fLocale) break;
        }
    }
    ~TFoldLocale()
    {
        if (fLocale) freelocale(fLocale);
    }
    TFoldLocale(const TFoldLocale&) = delete;
    TFoldLocale& operator=(const TFoldLocale&) = delete;
    locale_t Get() const { return fLocale; }

private:
    locale_t fLocale = locale_t(nullptr);
};

locale_t FoldLocale()
{
    static const TFoldLocale instance;
    return instance.Get();
}

// Invalid bytes are given code points in the lone-surrogate range, which no
// valid UTF-8 sequence decodes to.
constexpr char32_t kInvalidByteBase = 0xDC00;

// Decodes the code point at s[i] and advances i; a byte that does not start a
// well-formed sequence (stray continuation, overlong form, surrogate, beyond
// U+10FFFF, cut off) stands for itself.
char32_t NextCodePoint(std::string_view s, size_t& i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) { len = 2; cp = b0 & 0x1F; min = 0x80; }
    else if ((b0 & 0xF0) == 0xE0) { len = 3; cp = b0 & 0x0F; min = 0x800; }
    else if ((b0 & 0xF8) == 0xF0) { len = 4; cp = b0 & 0x07; min = 0x10000; }
    if (len == 0 || i + size_t(len) > s.size()) {
        ++i;
        return kInvalidByteBase + b0;
    }
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + size_t(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kInvalidByteBase + b0;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kInvalidByteBase + b0;
    }
    i += size_t(len);
    return cp;
}

} // namespace

char32_t FoldCase(char32_t c)
{
    if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    if (c >= 0xD800 && c <= 0xDFFF) return c; // the stand-ins for invalid bytes
    const locale_t loc = FoldLocale();
    if (!loc) return c; // no UTF-8 locale on this system: ASCII letters only
    // Upper, then lower: brings final sigma, the capital sharp s and other
    // letters with more than one lower-case form onto one form.
    const wint_t up = towupper_l(static_cast<wint_t>(c), loc);
    return static_cast<char32_t>(towlower_l(up, loc));
}

std::u32string FoldedText(std::string_view utf8)
{
    std::u32string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) out.push_back(FoldCase(NextCodePoint(utf8, i)));
    return out;
}

int CompareTextNoCase(std::string_view a, std::string_view b)
{
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const char32_t ca = FoldCase(NextCodePoint(a, i));
        const char32_t cb = FoldCase(NextCodePoint(b, j));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool SameTextNoCase(std::string_view a, std::string_view b) { return CompareTextNoCase(a, b) == 0; }

} // namespace qv
