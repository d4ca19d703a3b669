// Not written yet.
#include "OldDesigns.h"

namespace qv::samples {
std::string OldDesign500(int) { return {}; }
} // namespace qv::samples
