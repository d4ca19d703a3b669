#pragma once
// What the fuzz targets share. Every input reaches the loaders from memory.
// Each target catches the loader's messages (truncation and newer-version
// warnings) with a TMessageCollector per input, so that nothing is printed
// and nothing blocks.
#include "core/Encoding.h"
#include "core/Messages.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A low hole limit, so that inputs of fuzzing size reach the limit's path
// too.
constexpr int kFuzzMaxHoles = 100;

// The text is well-formed JSON as far as a writer can break it: valid UTF-8
// inside strings only, brackets and braces balanced outside strings, every
// string closed.
[[maybe_unused]] bool WellFormed(const std::string& s)
{
    std::vector<char> open;
    bool inString = false;
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80) {
            char32_t cp;
            const size_t n = qv::DecodeUtf8(s, i, cp);
            if (n == 0 || !inString) return false;
            i += n;
            continue;
        }
        ++i;
        if (inString) {
            if (c == '\\') {
                if (i >= s.size()) return false;
                ++i;
            } else if (c == '"') {
                inString = false;
            } else if (c < 0x20) {
                return false;
            }
            continue;
        }
        switch (c) {
        case '"': inString = true; break;
        case '{': case '[': open.push_back(static_cast<char>(c)); break;
        case '}':
            if (open.empty() || open.back() != '{') return false;
            open.pop_back();
            break;
        case ']':
            if (open.empty() || open.back() != '[') return false;
            open.pop_back();
            break;
        default: break;
        }
    }
    return !inString && open.empty();
}

} // namespace
