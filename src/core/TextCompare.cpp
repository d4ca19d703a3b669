#include "core/TextCompare.h"

#include "core/Encoding.h"

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
// well-formed sequence stands for itself.
char32_t NextCodePoint(std::string_view s, size_t& i)
{
    char32_t cp = 0;
    const size_t n = DecodeUtf8(s, i, cp);
    if (n == 0) return kInvalidByteBase + static_cast<unsigned char>(s[i++]);
    i += n;
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
