// libFuzzer targets for the readers of the old generations, one program per
// generation (QV_OLD_GENERATION: 500 for 5.00 to 5.40, 400 for 4.00 to 4.20,
// 200 for the headerless 3.00 and 2.00). The first input byte chooses the
// version within the generation; the remaining bytes are the file's bytes,
// handed to the reader directly from memory so that every input reaches it,
// whatever its header or size says.
#include "FuzzSupport.h"
#include "document/Manifolds.h"

#include <iterator>

#ifndef QV_OLD_GENERATION
#error "QV_OLD_GENERATION must be 500, 400 or 200"
#endif

namespace {

#if QV_OLD_GENERATION == 500
constexpr int kVersions[] = {500, 510, 520, 530, 540};
#elif QV_OLD_GENERATION == 400
constexpr int kVersions[] = {400, 410, 415, 420};
#else
constexpr int kVersions[] = {300, 200};
#endif

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const int version = kVersions[data[0] % std::size(kVersions)];
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const qv::TMessageCollector quiet;
    // An escaping exception is a finding, as in the current-format target.
    qv::TManifold manifold;
    manifold.MaxHoles = kFuzzMaxHoles;
    qv::LoadOldVersionFile(version, {bytes, "fuzz.mnf", 0.0}, manifold);
    return 0;
}
