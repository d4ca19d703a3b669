#pragma once
// Text in manifold files is single-byte Windows-1252; in memory it is UTF-8.
#include <string>
#include <string_view>

namespace qv {

// Decodes Windows-1252 bytes to UTF-8. The five undefined bytes (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the C1 control characters of the same value, so
// that every byte survives a round trip.
std::string AnsiToUtf8(std::string_view bytes);

// Encodes UTF-8 to Windows-1252; characters the code page lacks become '?'.
// Malformed UTF-8 bytes are passed through as they are.
std::string Utf8ToAnsi(std::string_view text);

// Length of the well-formed UTF-8 sequence that starts at s[i] (1 to 4), with
// its code point in cp; 0 when the bytes there are no such sequence (a stray
// continuation byte, an overlong form, a surrogate, beyond U+10FFFF, or cut
// off by the end of s).
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp);

// Appends the UTF-8 form of a code point (at most U+10FFFF).
void AppendUtf8(std::string& out, char32_t c);

// UTF-16 code units to UTF-8; a surrogate without its partner becomes the
// replacement character U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

// Appends s as a JSON string literal: quotes, backslashes and control
// characters escaped; bytes that are not UTF-8 become U+FFFD, so the output
// stays valid JSON whatever the text's source (a file name may not be UTF-8).
void AppendJsonString(std::string& Out, std::string_view s);

} // namespace qv
