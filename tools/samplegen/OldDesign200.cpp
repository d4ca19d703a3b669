// Not written yet.
#include "OldDesigns.h"

namespace qv::samples {
std::string OldDesign200() { return {}; }
} // namespace qv::samples
