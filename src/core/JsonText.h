#pragma once
// A text as a JSON string, quotes included, handed to Put in pieces
// (Put(std::string_view)). Runs of printable ASCII go out in one piece;
// bytes that are no UTF-8 become U+FFFD, so the output stays valid JSON
// whatever the text holds (a file name from the system may not be UTF-8).
#include "core/Encoding.h"

#include <string_view>

namespace qv {

template <class PutFn>
void WriteJsonString(std::string_view s, PutFn&& Put)
{
    Put("\"");
    for (size_t i = 0; i < s.size();) {
        size_t run = i;
        while (run < s.size()) {
            const unsigned char r = static_cast<unsigned char>(s[run]);
            if (r < 0x20 || r >= 0x80 || r == '"' || r == '\\') break;
            ++run;
        }
        if (run > i) {
            Put(s.substr(i, run - i));
            i = run;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80) {
            char32_t cp;
            const size_t n = DecodeUtf8(s, i, cp);
            if (n == 0) {
                Put("\xEF\xBF\xBD");
                ++i;
            } else {
                Put(s.substr(i, n));
                i += n;
            }
            continue;
        }
        ++i;
        switch (c) {
        case '"': Put("\\\""); break;
        case '\\': Put("\\\\"); break;
        case '\n': Put("\\n"); break;
        case '\r': Put("\\r"); break;
        case '\t': Put("\\t"); break;
        default:
            if (c < 0x20) {
                static const char hex[] = "0123456789abcdef";
                const char esc[6] = {'\\', 'u', '0', '0', hex[c >> 4], hex[c & 15]};
                Put(std::string_view(esc, sizeof esc));
            } else {
                Put(std::string_view(s.data() + i - 1, 1));
            }
        }
    }
    Put("\"");
}

} // namespace qv
