// libFuzzer target for the file loaders. The first input byte chooses the
// reader (even: manifold file, odd: viewer file); the remaining bytes are
// loaded from memory as a file's bytes, so that version detection, the
// stream and every record reader see them exactly as they would see a file
// opened by the user.
#include "FuzzSupport.h"
#include "document/Manifolds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const bool viewer = (data[0] & 1) != 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const qv::TMessageCollector quiet;

    // An exception escaping here (anything a record reader throws) is a
    // finding: libFuzzer reports it as a crash.
    qv::TManifold manifold;
    manifold.MaxHoles = kFuzzMaxHoles;
    manifold.LoadFromBytes({bytes, "fuzz.mnf", 0.0}, viewer, viewer);
    return 0;
}
