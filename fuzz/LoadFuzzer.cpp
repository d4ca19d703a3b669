// libFuzzer target for the file loaders. The first input byte chooses the
// reader (even: manifold file, odd: viewer file); the remaining bytes are
// written to a scratch file and loaded through the real file path, so that
// version detection, the buffered stream and every record reader see them
// exactly as they would see a file opened by the user.
#include "FuzzSupport.h"
#include "document/Manifolds.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    SetUpFuzzing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const bool viewer = (data[0] & 1) != 0;
    gScratch->Write(data + 1, size - 1);
    const qv::TMessageCollector quiet;

    // An exception escaping here (an input/output error on a plain readable
    // file, or anything a record reader throws) is a finding: libFuzzer
    // reports it as a crash.
    qv::TManifold manifold;
    if (viewer)
        manifold.LoadFromViewerFile(gScratch->Path());
    else
        manifold.LoadFromFile(gScratch->Path());
    return 0;
}
