#pragma once
// Comparing names without regard to letter case, for any script: group codes
// typed by users are compared this way ("Ölpumpe" and "ÖLPUMPE" are one
// group). The fold is simple one-to-one case folding of each code point
// (upper case, then lower case, as the C.UTF-8 locale maps them), so it does
// not depend on the process's locale:
//  - "ß" and the capital sharp s "ẞ" are the same letter, but "ß" is not
//    equal to "ss" (no letter turns into two);
//  - final and ordinary sigma fold together ("ς", "σ", "Σ");
//  - dotted and dotless i fold to plain "i".
// Ordering compares the folded code points; it is a stable, machine-
// independent order, not a national dictionary order (so "Ä" sorts after "Z").
// Bytes that are not valid UTF-8 take part as themselves and never equal a
// decoded character.
#include <string>
#include <string_view>

namespace qv {

// The folded form of one code point.
char32_t FoldCase(char32_t c);
// The code points of UTF-8 text, each folded.
std::u32string FoldedText(std::string_view utf8);
// < 0, 0 or > 0 as a sorts before, with or after b, ignoring letter case.
int CompareTextNoCase(std::string_view a, std::string_view b);
bool SameTextNoCase(std::string_view a, std::string_view b);

} // namespace qv
