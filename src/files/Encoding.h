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

// Upper-cases ASCII letters only (the file formats compare names this way).
std::string AsciiUpper(std::string_view s);
bool AsciiSameText(std::string_view a, std::string_view b);

} // namespace qv
