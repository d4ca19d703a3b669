// libFuzzer target for a load followed by mnf-inspect's JSON writer, the
// path every inspected file takes. The first input byte chooses the reader
// (bit 0: viewer file), the derived bore values (bit 1) and the compact form
// (bit 2); the remaining bytes are the file's. Whatever the loader made of
// them, the text written must be well-formed: valid UTF-8, brackets and
// braces balanced outside strings, every string closed.
#include "FuzzSupport.h"
#include "core/Encoding.h"
#include "document/Manifolds.h"
#include "inspect/ManifoldJson.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

bool WellFormed(const std::string& s)
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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const bool viewer = (data[0] & 1) != 0;
    qv::TJsonOptions options;
    options.Geometry = (data[0] & 2) != 0;
    options.Pretty = (data[0] & 4) == 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    qv::TMessageCollector messages;
    qv::TManifold manifold;
    manifold.MaxHoles = kFuzzMaxHoles;
    const int version = qv::DetectFileVersionFromBytes(bytes, 1);
    const bool ok = manifold.LoadFromBytes({bytes, "fuzz.mnf", 0.0}, viewer, viewer);

    qv::TJsonStringSink sink;
    qv::WriteInspectJson(sink, version, ok, messages.Texts(), manifold, options);
    if (!WellFormed(sink.Text)) std::abort();
    return 0;
}
