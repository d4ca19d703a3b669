// libFuzzer target for a load followed by mnf-inspect's JSON writer, the
// path every inspected file takes. The first input byte chooses the reader
// (bit 0: viewer file), the derived bore values (bit 1) and the compact form
// (bit 2); the remaining bytes are the file's. Whatever the loader made of
// them, the text written must be well-formed: valid UTF-8, brackets and
// braces balanced outside strings, every string closed.
#include "FuzzSupport.h"
#include "document/Manifolds.h"
#include "inspect/ManifoldJson.h"

#include <cstdlib>
#include <string>

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
